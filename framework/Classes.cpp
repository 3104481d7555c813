#include "Classes.h"

#include <windows.h>

#include <algorithm>

#include "SysUtils.h"

namespace vellumor {

namespace {
TExceptionHandler& ExceptionHandlerSlot() {
  static TExceptionHandler handler;
  return handler;
}
}  // namespace

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  DestroyComponents();
  for (TComponent* other : FFreeNotifies) {
    auto& back = other->FFreeNotifies;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
  }
  FFreeNotifies.clear();
  if (FOwner) {
    auto& list = FOwner->FComponents;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    FOwner = nullptr;
  }
}

void TComponent::InsertComponent(TComponent* component) {
  component->FOwner = this;
  FComponents.push_back(component);
  Broadcast(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  auto& list = FComponents;
  list.erase(std::remove(list.begin(), list.end(), component), list.end());
  component->FOwner = nullptr;
}

// The owner and everything it owns hear about the component, as do components that asked for
// it with FreeNotification.
void TComponent::Broadcast(TComponent* component, TOperation operation) {
  Notification(component, operation);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == TOperation::opRemove) RemoveFreeNotification(component);
  // A handler may delete components: walk a copy and skip what has gone meanwhile.
  std::vector<TComponent*> snapshot = FComponents;
  for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
    TComponent* c = *it;
    if (c == component) continue;
    if (std::find(FComponents.begin(), FComponents.end(), c) == FComponents.end()) continue;
    c->Notification(component, operation);
  }
}

void TComponent::Destroying() {
  if (FRemovalSent) return;
  FRemovalSent = true;
  FComponentState |= csDestroying;
  std::vector<TComponent*> listeners = FFreeNotifies;
  for (TComponent* other : listeners)
    other->Notification(this, TOperation::opRemove);
  if (FOwner) FOwner->Broadcast(this, TOperation::opRemove);
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* last = FComponents.back();
    delete last;  // its destructor takes it out of FComponents
    if (!FComponents.empty() && FComponents.back() == last) FComponents.pop_back();
  }
}

void TComponent::BeginLoading() {
  FComponentState |= csLoading;
  for (TComponent* c : FComponents)
    c->BeginLoading();
}

void TComponent::EndLoading() {
  std::vector<TComponent*> snapshot = FComponents;
  for (TComponent* c : snapshot)
    c->EndLoading();
  if (FComponentState & csLoading) Loaded();
}

void TComponent::Loaded() {
  FComponentState &= ~csLoading;
}

void TComponent::FreeNotification(TComponent* other) {
  if (!other || other == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), other) == FFreeNotifies.end())
    FFreeNotifies.push_back(other);
  auto& back = other->FFreeNotifies;
  if (std::find(back.begin(), back.end(), this) == back.end()) back.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
  if (!other) return;
  FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), other), FFreeNotifies.end());
  auto& back = other->FFreeNotifies;
  back.erase(std::remove(back.begin(), back.end(), this), back.end());
}

std::string SListIndexError(int index) {
  return "Item index " + std::to_string(index) + " is not in the list";
}

void ListIndexError(int index) {
  throw EListError(SListIndexError(index));
}

void SetExceptionHandler(TExceptionHandler handler) {
  ExceptionHandlerSlot() = std::move(handler);
}

std::string ExceptionMessage(std::exception_ptr error) {
  try {
    if (error) std::rethrow_exception(error);
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "Unknown error";
  }
  return {};
}

void HandleException(std::exception_ptr error) {
  if (!error) return;
  auto& handler = ExceptionHandlerSlot();
  if (handler) {
    try {
      handler(error);
      return;
    } catch (...) {
      error = std::current_exception();
    }
  }
  std::wstring text = Widen(ExceptionMessage(error));
  MessageBoxW(nullptr, text.c_str(), L"Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace vellumor
