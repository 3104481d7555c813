#include "ActnList.h"

#include <algorithm>

#include "Controls.h"
#include "ImgList.h"

namespace vellumor {

namespace {
// Every live action list, so the idle pass reaches lists whatever owns them. Never freed: lists
// of forms owned by the application object leave during static destruction.
std::vector<TActionList*>& LiveLists() {
  static auto* lists = new std::vector<TActionList*>;
  return *lists;
}

template <class T>
void Erase(std::vector<T*>& list, T* item) {
  list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

template <class T>
bool Contains(const std::vector<T*>& list, T* item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// TAction

TAction::TAction(TComponent* owner) : TComponent(owner) {
  if (auto* list = dynamic_cast<TActionList*>(owner)) SetActionList(list);
}

TAction::~TAction() {
  Destroying();
  SetActionList(nullptr);
  std::vector<TControl*> clients = std::move(FClients);
  for (TControl* c : clients)
    c->FAction = nullptr;
}

void TAction::SetActionList(TActionList* list) {
  if (list == FActionList) return;
  if (FActionList) Erase(FActionList->FActions, this);
  FActionList = list;
  if (list) list->FActions.push_back(this);
}

void TAction::SetCaption(const std::string& value) {
  if (value == FCaption) return;
  FCaption = value;
  NotifyClients();
}

void TAction::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  NotifyClients();
}

void TAction::SetImageIndex(int value) {
  if (value == FImageIndex) return;
  FImageIndex = value;
  NotifyClients();
}

// Only real changes reach here, so an idle pass that confirms the state touches no control.
void TAction::NotifyClients() {
  std::vector<TControl*> clients = FClients;
  for (TControl* c : clients)
    if (Contains(FClients, c)) c->ActionChange(this);
}

void TAction::AddClient(TControl* control) {
  if (!Contains(FClients, control)) FClients.push_back(control);
}

void TAction::RemoveClient(TControl* control) {
  Erase(FClients, control);
}

// Input may have changed what the state depends on since the last idle pass (a check box
// unchecked and Enter pressed in one burst), so the state is brought up to date before it is
// trusted.
bool TAction::Execute() {
  if (FActionList)
    FActionList->UpdateActions();
  else
    Update();
  if (!FEnabled || !OnExecute) return false;
  OnExecute(this);
  return true;
}

bool TAction::Update() {
  if (!OnUpdate) return false;
  OnUpdate(this);
  return true;
}

// ---------------------------------------------------------------------------------------------
// TActionList

TActionList::TActionList(TComponent* owner) : TComponent(owner) {
  LiveLists().push_back(this);
}

TActionList::~TActionList() {
  Erase(LiveLists(), this);
  Destroying();
  for (TAction* a : FActions)
    a->FActionList = nullptr;
  FActions.clear();
  SetImages(nullptr);
}

void TActionList::SetImages(TImageList* value) {
  if (value == FImages) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = value;
  if (value) value->FreeNotification(this);
  for (TAction* a : FActions)
    a->NotifyClients();
}

void TActionList::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == FImages) {
    FImages = nullptr;
    for (TAction* a : FActions)
      a->NotifyClients();
  }
  if (auto* action = dynamic_cast<TAction*>(component); action && action->FActionList == this)
    action->SetActionList(nullptr);
}

void TActionList::UpdateActions() {
  // A handler may free actions; walk a copy and skip what has left meanwhile.
  std::vector<TAction*> actions = FActions;
  for (TAction* a : actions)
    if (Contains(FActions, a)) a->Update();
}

bool TActionList::OwnerShowing() const {
  for (TComponent* c = Owner(); c; c = c->Owner())
    if (auto* w = dynamic_cast<TWinControl*>(c)) return w->HandleAllocated() && IsWindowVisible(w->Handle());
  return true;
}

void TActionList::IdleUpdateAll() {
  std::vector<TActionList*> lists = LiveLists();
  for (TActionList* list : lists)
    if (Contains(LiveLists(), list) && list->OwnerShowing()) list->UpdateActions();
}

}  // namespace vellumor
