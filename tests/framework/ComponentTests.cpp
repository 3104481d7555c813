// Ownership, removal notices and the loading state of components.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Classes.h"

namespace vellumor {
namespace {

std::vector<std::string> journal;

class Probe : public TComponent {
 public:
  Probe(TComponent* owner, std::string name) : TComponent(owner) { Name = std::move(name); }
  ~Probe() override { journal.push_back("delete " + Name); }

  std::vector<std::string> removals;
  std::vector<std::string> inserts;
  int loadedCalls = 0;
  bool loadingSeenInLoaded = false;

  void Loaded() override {
    ++loadedCalls;
    loadingSeenInLoaded = (ComponentState() & csLoading) != 0;
    TComponent::Loaded();
  }

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    (operation == TOperation::opRemove ? removals : inserts).push_back(component->Name);
  }
};

TEST(ComponentOwnership, OwnerDeletesOwnedComponentsNewestFirstAndADeletedOneLeavesItsOwner) {
  journal.clear();
  auto* owner = new Probe(nullptr, "owner");
  new Probe(owner, "a");
  auto* b = new Probe(owner, "b");
  new Probe(b, "b1");
  new Probe(owner, "c");
  ASSERT_EQ(owner->ComponentCount(), 3);
  delete owner;
  EXPECT_EQ(journal,
            (std::vector<std::string>{"delete owner", "delete c", "delete b", "delete b1", "delete a"}));

  // Deleted first, an owned component leaves its owner.
  Probe kept(nullptr, "kept");
  auto* a = new Probe(&kept, "a");
  new Probe(&kept, "b");
  delete a;
  ASSERT_EQ(kept.ComponentCount(), 1);
  EXPECT_EQ(kept.Components(0)->Name, "b");
}

TEST(ComponentNotification, RemovalIsAnnouncedToTheOwnerAndEverySiblingBelowIt) {
  Probe owner(nullptr, "owner");
  auto* watcher = new Probe(&owner, "watcher");
  auto* nested = new Probe(watcher, "nested");  // hears it through its own owner
  auto* doomed = new Probe(&owner, "doomed");
  // The owner hears its own two; "nested" was announced below "watcher".
  EXPECT_EQ(std::pair(owner.inserts.size(), watcher->inserts.size()), (std::pair<size_t, size_t>(2, 2)));
  delete doomed;
  const std::vector<std::string> heard{"doomed"};
  EXPECT_EQ((std::vector{owner.removals, watcher->removals, nested->removals}),
            (std::vector{heard, heard, heard}));
}

TEST(ComponentNotification, OwnedComponentsAnnounceTheirRemovalNewestFirstWhenTheOwnerGoes) {
  Probe outsider(nullptr, "outsider");
  auto* owner = new Probe(nullptr, "owner");
  auto* a = new Probe(owner, "a");
  auto* b = new Probe(owner, "b");
  a->FreeNotification(&outsider);
  b->FreeNotification(&outsider);
  owner->FreeNotification(&outsider);
  delete owner;
  EXPECT_EQ(outsider.removals, (std::vector<std::string>{"owner", "b", "a"}));
}

TEST(ComponentLoading, LoadingFlagIsSetOnTheTreeAndLoadedRunsOnceEach) {
  Probe owner(nullptr, "owner");
  auto* child = new Probe(&owner, "child");
  owner.BeginLoading();
  auto loading = [&] {
    return std::pair((owner.ComponentState() & csLoading) != 0, (child->ComponentState() & csLoading) != 0);
  };
  EXPECT_EQ(loading(), std::pair(true, true));
  owner.EndLoading();
  EXPECT_EQ(std::tuple(owner.loadedCalls, child->loadedCalls, child->loadingSeenInLoaded),
            std::tuple(1, 1, true));
  EXPECT_EQ(loading(), std::pair(false, false));
  owner.EndLoading();  // not loading any more: nothing to finish
  EXPECT_EQ(owner.loadedCalls, 1);
}

TEST(ListError, MessageNamesTheBadIndex) {
  EXPECT_THAT([] { ListIndexError(7); }, testing::ThrowsMessage<EListError>(testing::HasSubstr("7")));
}

}  // namespace
}  // namespace vellumor
