// Standard controls over the system's own windows.
//   TCustomEdit, TEdit   a single-line EDIT: text, selection, read-only, auto-select, clipboard
//   TCheckBoxState       unchecked, checked, grayed
//   TCustomListBox       a LISTBOX: items with their per-item value, selection, owner drawing
//   TListBoxStrings      the items of a list box, as a list of texts
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Controls.h"

namespace vellumor {

class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* owner);

  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value);
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  // Select the whole text when the focus comes in from another control by keyboard.
  bool AutoSelect = true;

  // Selection in UTF-16 units, as the window counts.
  int SelStart() const;
  void SetSelStart(int value);
  int SelLength() const;
  void SetSelLength(int value);
  std::string SelText() const;
  void SetSelText(const std::string& text);
  void SelectAll();
  void ClearSelection();
  void Clear() { SetText(""); }
  // Through this control's own message handling, so its cut and paste rules apply.
  void CutToClipboard() { Perform(WM_CUT); }
  void CopyToClipboard() { Perform(WM_COPY); }
  void PasteFromClipboard() { Perform(WM_PASTE); }
  bool Modified() const;
  void SetModified(bool value);

  TNotifyEvent OnChange;

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  virtual void Change();
  // Height from the font, when AutoSize is on.
  void AdjustHeight();

  virtual void WMPaste(TMessage& message);
  virtual void WMCut(TMessage& message);
  void CNCommand(TMessage& message) override;
  void CMEnter(TMessage& message) override;
  void CMFontChanged(TMessage& message) override;
  void CMTextChanged(TMessage& message) override;

 private:
  bool FReadOnly = false;
  int FMaxLength = 0;
  bool FAutoSize = true;
};

class TEdit : public TCustomEdit {
 public:
  using TCustomEdit::TCustomEdit;
};

enum class TCheckBoxState : unsigned char { cbUnchecked = 0, cbChecked = 1, cbGrayed = 2 };

enum class TListBoxStyle { lbStandard = 0, lbOwnerDrawFixed, lbOwnerDrawVariable };

using TOwnerDrawState = UINT;  // the ODS_* flags of the draw-item notification
using TDrawItemEvent =
    std::function<void(TWinControl* control, int index, const RECT& rect, TOwnerDrawState state)>;

class TCustomListBox;

// The texts of a list box's items. Deleting and clearing go through the list box's own
// DeleteString and ResetContent, so a descendant sees every item leave.
class TListBoxStrings {
 public:
  explicit TListBoxStrings(TCustomListBox& listBox) : FListBox(listBox) {}
  TListBoxStrings(const TListBoxStrings&) = delete;
  TListBoxStrings& operator=(const TListBoxStrings&) = delete;

  int Count() const;
  std::string Strings(int index) const;  // EListError for an index that is not an item
  std::string operator[](int index) const { return Strings(index); }
  int Add(const std::string& text);
  void Insert(int index, const std::string& text);
  void Delete(int index);
  void Clear();
  void Assign(const std::vector<std::string>& texts);
  int IndexOf(const std::string& text) const;

 private:
  TCustomListBox& FListBox;
};

// Items live in the window; while there is none, in the control, so texts and per-item values
// survive a re-creation of the window.
class TCustomListBox : public TWinControl {
 public:
  explicit TCustomListBox(TComponent* owner);
  ~TCustomListBox() override;

  TListBoxStrings& Items() { return FItems; }
  const TListBoxStrings& Items() const { return FItems; }
  int Count() const;

  int ItemIndex() const;  // -1 when there is no current item
  void SetItemIndex(int value);
  // The item's rectangle in client coordinates; empty for an index that is not an item.
  RECT ItemRect(int index) const;
  // The item under pos; with existing false a point below the items answers Count().
  int ItemAtPos(POINT pos, bool existing) const;
  int TopIndex() const;

  TListBoxStyle Style() const { return FStyle; }
  void SetStyle(TListBoxStyle value);
  int ItemHeight() const;
  void SetItemHeight(int value);
  TCanvas& Canvas() { return FCanvas; }

  // The item's value. The base keeps it in the window's per-item slot; a descendant may redirect
  // it and reach the slot through the internal pair.
  virtual LONG_PTR GetItemData(int index) const;
  virtual void SetItemData(int index, LONG_PTR value);
  virtual LONG_PTR InternalGetItemData(int index) const { return GetItemData(index); }
  virtual void InternalSetItemData(int index, LONG_PTR value) { SetItemData(index, value); }

  virtual void DeleteString(int index);
  virtual void ResetContent();
  void Clear() { ResetContent(); }

  TDrawItemEvent OnDrawItem;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  // Paints one item into the canvas, which the draw-item notification has prepared.
  virtual void DrawItem(int index, const RECT& rect, TOwnerDrawState state);

  void CNDrawItem(TMessage& message) override;
  void CNMeasureItem(TMessage& message) override;
  void WMDestroy(TMessage& message) override;

  // EListError unless 0 <= index < Count().
  void CheckIndex(int index) const;

 private:
  friend class TListBoxStrings;
  std::string ItemText(int index) const;
  int InsertItem(int index, const std::string& text);  // index -1 appends

  TListBoxStrings FItems{*this};
  TListBoxStyle FStyle = TListBoxStyle::lbStandard;
  int FItemHeight = 16;
  TCanvas FCanvas;
  // The items while there is no window.
  std::vector<std::string> FSaveItems;
  std::vector<LONG_PTR> FSaveData;
  int FSaveItemIndex = -1;
};

}  // namespace vellumor
