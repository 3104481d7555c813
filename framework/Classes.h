// Components and the runtime's basic types.
//   TObject            root of every framework class; what an event's sender is
//   TNotifyEvent       the plain event: sender only
//   TComponent         owner and owned components, removal notices, loading state
//   EListError         the error of a list accessor given an index that is not an item
//   HandleException    where an exception that reached a window procedure goes
#pragma once

#include <exception>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace vellumor {

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* sender)>;

enum class TOperation { opInsert, opRemove };

using TComponentState = unsigned;
constexpr TComponentState csLoading = 0x1;
constexpr TComponentState csDestroying = 0x2;

class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;

  TComponent* Owner() const { return FOwner; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int index) const { return FComponents.at(static_cast<size_t>(index)); }
  TComponentState ComponentState() const { return FComponentState; }

  std::string Name;
  int Tag = 0;

  // Stored values are set between BeginLoading and EndLoading; both reach every owned component.
  // EndLoading calls Loaded on the owned components first, then on this one.
  void BeginLoading();
  void EndLoading();
  virtual void Loaded();

  // Asks for a removal notice when `other` goes although it is not owned by the same owner.
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);

  // Deletes the owned components, newest first.
  void DestroyComponents();

 protected:
  // Told about components inserted into or removed from the owner tree this one belongs to.
  // The base passes the notice on to every owned component.
  virtual void Notification(TComponent* component, TOperation operation);
  // Sends this component's removal notice once; destructors of windowed classes call it early,
  // so nobody holds a pointer to it while its window is torn down.
  void Destroying();

 private:
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  void Broadcast(TComponent* component, TOperation operation);

  TComponent* FOwner = nullptr;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  TComponentState FComponentState = 0;
  bool FRemovalSent = false;
};

class EListError : public std::out_of_range {
 public:
  using std::out_of_range::out_of_range;
};

// The list-index message, formatted with the bad index.
std::string SListIndexError(int index);
[[noreturn]] void ListIndexError(int index);

// An exception that reaches a window procedure ends there: it is handed to the handler set here
// (the application object sets one), or shown in an error box when none is set.
using TExceptionHandler = std::function<void(std::exception_ptr)>;
void SetExceptionHandler(TExceptionHandler handler);
void HandleException(std::exception_ptr error);
std::string ExceptionMessage(std::exception_ptr error);

}  // namespace vellumor
