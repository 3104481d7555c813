// Ownership, removal notices and the loading state of components.
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

TEST(ComponentOwnership, OwnerDeletesOwnedComponentsNewestFirst) {
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
}

TEST(ComponentOwnership, DeletingAnOwnedComponentTakesItOutOfItsOwner) {
  Probe owner(nullptr, "owner");
  auto* a = new Probe(&owner, "a");
  new Probe(&owner, "b");
  delete a;
  ASSERT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.Components(0)->Name, "b");
}

TEST(ComponentNotification, RemovalIsAnnouncedToTheOwnerAndEverySiblingBelowIt) {
  Probe owner(nullptr, "owner");
  auto* watcher = new Probe(&owner, "watcher");
  auto* nested = new Probe(watcher, "nested");  // hears it through its own owner
  auto* doomed = new Probe(&owner, "doomed");
  EXPECT_EQ(owner.inserts.size(), 2u);  // its own two; "nested" was announced below "watcher"
  EXPECT_EQ(watcher->inserts.size(), 2u);
  delete doomed;
  EXPECT_EQ(owner.removals, std::vector<std::string>{"doomed"});
  EXPECT_EQ(watcher->removals, std::vector<std::string>{"doomed"});
  EXPECT_EQ(nested->removals, std::vector<std::string>{"doomed"});
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
  EXPECT_TRUE(owner.ComponentState() & csLoading);
  EXPECT_TRUE(child->ComponentState() & csLoading);
  owner.EndLoading();
  EXPECT_EQ(owner.loadedCalls, 1);
  EXPECT_EQ(child->loadedCalls, 1);
  EXPECT_TRUE(child->loadingSeenInLoaded);
  EXPECT_FALSE(owner.ComponentState() & csLoading);
  EXPECT_FALSE(child->ComponentState() & csLoading);
  owner.EndLoading();  // not loading any more: nothing to finish
  EXPECT_EQ(owner.loadedCalls, 1);
}

TEST(ListError, MessageNamesTheBadIndex) {
  try {
    ListIndexError(7);
    FAIL() << "no exception";
  } catch (const EListError& e) {
    EXPECT_NE(std::string(e.what()).find('7'), std::string::npos);
  }
}

}  // namespace
}  // namespace vellumor
