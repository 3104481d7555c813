// The check list box: a list box whose items carry a check box.
//   TCheckListBoxDataWrapper   the per-item record (user data, check state, disabled, header)
//   TCheckListBox              the control: check column, toggling, painting, record life cycle
//   CheckImageWidth/Height     the system check-box image size, measured once at start-up
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "StdCtrls.h"

namespace vellumor {

// Measured from the system check-box sheet when the program starts.
int CheckImageWidth();
int CheckImageHeight();
inline int CheckColumnWidth() {
  return CheckImageWidth() + 2;
}

// Bits 16..23 the check state, bits 0..7 the disabled flag.
std::uint32_t PackItemState(TCheckBoxState state, bool disabled);
TCheckBoxState UnpackItemState(std::uint32_t packed);
bool UnpackItemDisabled(std::uint32_t packed);

// What an item without a record reads as is this record's state at creation.
class TCheckListBoxDataWrapper : public TObject {
 public:
  static TCheckBoxState GetDefaultState() { return TCheckBoxState::cbUnchecked; }
  bool Checked() const { return State == TCheckBoxState::cbChecked; }

  // Pointer-sized like the list box slot it stands in for, so no value written is cut short.
  LONG_PTR Data = 0;
  TCheckBoxState State = GetDefaultState();
  bool Disabled = false;
  bool Header = false;
};

class TCheckListBox : public TCustomListBox {
 public:
  explicit TCheckListBox(TComponent* owner);
  ~TCheckListBox() override;

  bool AllowGrayed = false;  // takes effect at the next toggle
  TNotifyEvent OnClickCheck;

  bool Flat() const { return FFlat; }
  void SetFlat(bool value);
  TColor HeaderColor() const { return FHeaderColor; }
  void SetHeaderColor(TColor value);
  TColor HeaderBackgroundColor() const { return FHeaderBackgroundColor; }
  void SetHeaderBackgroundColor(TColor value);

  // Per-item accessors; EListError for an index that is not an item. Reading never makes a record.
  TCheckBoxState ItemState(int index) const;
  // Repaints the item's check column at once when the state changes; raises no OnClickCheck.
  void SetItemState(int index, TCheckBoxState value);
  bool ItemChecked(int index) const;
  bool ItemDisabled(int index) const;
  void SetItemDisabled(int index, bool value);
  bool ItemIsHeader(int index) const;
  void SetItemIsHeader(int index, bool value);

  // The user data lives in the item's record; the slot refers to the record.
  LONG_PTR GetItemData(int index) const override;
  void SetItemData(int index, LONG_PTR value) override;
  LONG_PTR InternalGetItemData(int index) const override;
  void InternalSetItemData(int index, LONG_PTR value) override;

  void DeleteString(int index) override;
  void ResetContent() override;

  // Cycles the item's state as the user would and raises OnClickCheck; indexes that are not
  // items and disabled items are ignored.
  void ToggleItem(int index);

 protected:
  virtual void CheckClicked();

  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void DrawItem(int index, const RECT& rect, TOwnerDrawState state) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(wchar_t& key) override;

  void CNDrawItem(TMessage& message) override;
  void CMFontChanged(TMessage& message) override;
  void WMDestroy(TMessage& message) override;

  TCheckListBoxDataWrapper* FindItemRecord(int index) const;
  bool HasItemRecord(int index) const { return FindItemRecord(index) != nullptr; }
  TCheckListBoxDataWrapper* ItemRecord(int index);

  void PaintCheckBox(const RECT& column, TCheckBoxState state, bool enabled);
  void RepaintCheck(int index);
  void FitItemHeight();

 private:
  TCheckListBoxDataWrapper* NewItemRecord(int index);
  void ReleaseItemRecord(int index);
  void FillStateBackup();
  // While the window is gone, the states wait in the backup; accessors read and write them there.
  std::uint32_t* BackedUpState(int index);
  const std::uint32_t* BackedUpState(int index) const;

  // The current item when the space key went down: the list box's own key handling may make an
  // item current before the character arrives, and that must not decide what toggles.
  std::optional<int> FIndexAtSpaceDown;
  bool FFlat = true;
  TColor FHeaderColor = clInfoText;
  TColor FHeaderBackgroundColor = clInfoBk;
  std::optional<std::vector<std::uint32_t>> FStateBackup;
  // Every live record of this control, by the slot value that refers to it. A slot value that
  // is not a key here is someone else's and is never followed.
  std::unordered_map<LONG_PTR, std::unique_ptr<TCheckListBoxDataWrapper>> FRecords;
};

}  // namespace vellumor
