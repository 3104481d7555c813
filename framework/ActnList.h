// Actions.
//   TAction       a command with a caption, enabled state and picture, shared by the controls
//                 bound to it; OnExecute runs it, OnUpdate refreshes its state when idle
//   TActionList   owns actions and names their image list; every list is updated when the
//                 application goes idle
#pragma once

#include <string>
#include <vector>

#include "Classes.h"

namespace vellumor {

class TControl;
class TImageList;
class TActionList;

class TAction : public TComponent {
 public:
  explicit TAction(TComponent* owner);
  ~TAction() override;

  TActionList* ActionList() const { return FActionList; }
  void SetActionList(TActionList* list);

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value);

  // Brings the state up to date first (the whole list's OnUpdate, as an idle pass would), then
  // runs OnExecute if the action is still enabled. Returns whether OnExecute ran.
  virtual bool Execute();
  // Runs OnUpdate; returns whether there was one.
  virtual bool Update();

  // The control whose click runs Execute, while it runs; nullptr otherwise.
  TComponent* ActionComponent() const { return FActionComponent; }

  TNotifyEvent OnExecute;
  TNotifyEvent OnUpdate;

 private:
  friend class TControl;
  friend class TActionList;
  void AddClient(TControl* control);
  void RemoveClient(TControl* control);
  void NotifyClients();

  TActionList* FActionList = nullptr;
  std::string FCaption;
  bool FEnabled = true;
  int FImageIndex = -1;
  std::vector<TControl*> FClients;
  TComponent* FActionComponent = nullptr;
};

class TActionList : public TComponent {
 public:
  explicit TActionList(TComponent* owner);
  ~TActionList() override;

  int ActionCount() const { return static_cast<int>(FActions.size()); }
  TAction* Actions(int index) const { return FActions.at(static_cast<size_t>(index)); }

  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* value);

  // Runs every action's OnUpdate, in the order the actions joined the list.
  void UpdateActions();
  // The idle pass: updates every list whose owning window is showing (a list owned by no window
  // always). The application's message loop calls this when its queue has run empty.
  static void IdleUpdateAll();

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TAction;
  bool OwnerShowing() const;

  std::vector<TAction*> FActions;
  TImageList* FImages = nullptr;
};

}  // namespace vellumor
