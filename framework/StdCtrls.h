// Standard controls over the system's own windows.
//   TCustomEdit, TEdit   a single-line EDIT: text, selection, read-only, auto-select, clipboard
//   TCheckBoxState       unchecked, checked, grayed
//   TCustomListBox       a LISTBOX: items with their per-item value, selection, owner drawing
//   TListBoxStrings      the items of a list box, as a list of texts
//   TStrings             a list of texts kept by a control (memo lines, combo box items)
//   TLabel               a caption without a window; '&' marks the accelerator, FocusControl
//   TMemo                a multi-line EDIT with Lines
//   TComboBox            a COMBOBOX, drop-down list only: Items, ItemIndex, OnCloseUp, OnSelect
//   TButtonControl       the BUTTON-class base: BN_CLICKED becomes Click
//   TButton              a push button, optionally the default one
//   TCheckBox            a two-state check box whose OnClick follows every change
//   TRadioButton         a radio button; siblings on the same parent form one group
//   TGroupBox            an etched frame with a caption that holds other controls
//   CM_DIALOGCHAR        asks a control whether a character is its accelerator, and acts on it
//   DispatchAccelerator, FindNextControl, TabOrderList, WantsPlainAccelerators
//                        keyboard helpers for forms
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Controls.h"

namespace vellumor {

// Runs before a paste reaches the edit; setting handled keeps the clipboard's text out.
using TPasteEvent = std::function<void(TObject* sender, bool& handled)>;

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
  // Every paste comes as WM_PASTE: Ctrl+V, Shift+Insert, the context menu, PasteFromClipboard.
  TPasteEvent OnPaste;

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  virtual void Change();
  void KeyDown(WORD& key, TShiftState shift) override;
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

// WParam: the character; a control whose accelerator it is acts and answers 1.
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;

// True when caption marks ch (case-insensitively) as its accelerator with '&' ("&&" is a plain '&').
bool IsAccel(wchar_t ch, const std::string& caption);

// Offers ch to the visible, enabled controls inside root (root excluded), in tab order with each
// container's graphic controls after its windowed ones, until one takes it. Returns whether one did.
bool DispatchAccelerator(TWinControl* root, wchar_t ch);

// Buttons, check boxes and radio buttons take no typed characters, so a plain letter typed on
// them is an accelerator too.
bool WantsPlainAccelerators(const TWinControl* control);

// Every windowed control inside root in tab order, depth first (a container before its content).
std::vector<TWinControl*> TabOrderList(TWinControl* root);
// The next (or previous) control after current inside root that can take the focus, wrapping
// around; with checkTabStop only tab stops count. nullptr when there is none.
TWinControl* FindNextControl(TWinControl* root, TWinControl* current, bool goForward, bool checkTabStop);

class TStrings {
 public:
  TStrings() = default;
  TStrings(const TStrings&) = delete;
  TStrings& operator=(const TStrings&) = delete;
  virtual ~TStrings() = default;

  virtual int Count() const = 0;
  std::string Strings(int index) const;  // EListError for an index that is not an item
  std::string operator[](int index) const { return Strings(index); }
  int Add(const std::string& text);
  virtual void Insert(int index, const std::string& text) = 0;  // index == Count() appends
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  void Assign(const std::vector<std::string>& texts);
  int IndexOf(const std::string& text) const;
  // Every line, read in one pass.
  virtual std::vector<std::string> ToVector() const;
  // The lines joined, each ended by CR LF; setting replaces every line.
  std::string Text() const;
  void SetText(const std::string& text);
  // Between BeginUpdate and EndUpdate changes are collected and reach the control once.
  virtual void BeginUpdate() {}
  virtual void EndUpdate() {}

 protected:
  virtual std::string Get(int index) const = 0;
  void CheckIndex(int index, int limit) const;
};

class TLabel : public TGraphicControl {
 public:
  explicit TLabel(TComponent* owner);

  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  // Shows '&' as the underline of the next letter instead of as itself.
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool value);

  void WndProc(TMessage& message) override;
  void Loaded() override;
  void ChangeScale(int multiplier, int divider) override;

 protected:
  void Paint() override;
  void Notification(TComponent* component, TOperation operation) override;
  void CMTextChanged(TMessage& message) override;
  void CMFontChanged(TMessage& message) override;
  virtual void CMDialogChar(TMessage& message);
  // Width and height of the caption, when AutoSize is on.
  void AdjustBounds();

 private:
  UINT DrawTextFlags() const;

  TWinControl* FFocusControl = nullptr;
  bool FTransparent = false;
  bool FAutoSize = true;
  bool FShowAccelChar = true;
};

class TMemo;

// The lines of a memo, read from and written to its text.
// The lines of a memo. Changes collect in a list and reach the window as one text at the next
// message the memo handles (or when its text is read), because the edit window re-lays out its
// whole text on every change and filling it line by line would take quadratic time.
class TMemoStrings : public TStrings {
 public:
  explicit TMemoStrings(TMemo& memo) : FMemo(memo) {}
  int Count() const override;
  void Insert(int index, const std::string& text) override;
  void Delete(int index) override;
  void Clear() override;
  void BeginUpdate() override;
  void EndUpdate() override;
  std::vector<std::string> ToVector() const override;
  // Hands collected changes to the memo now.
  void Flush();
  // Forgets collected changes (the memo's whole text is being replaced).
  void Discard();

 protected:
  std::string Get(int index) const override;

 private:
  // The collected list, made from the memo's text on first use.
  std::vector<std::string>& Pending() const;

  TMemo& FMemo;
  int FUpdateCount = 0;
  mutable bool FCollecting = false;
  mutable std::vector<std::string> FPending;
};

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TCustomEdit {
 public:
  explicit TMemo(TComponent* owner);

  TStrings& Lines() { return FLines; }
  const TStrings& Lines() const { return FLines; }
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool value);
  bool WantReturns = true;
  bool WantTabs = false;

  std::string Text() const override;
  void SetText(const std::string& text) override;
  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WMGetDlgCode(TMessage& message) override;
  bool KeepsKeyFromWindow(WORD key) const override;
  bool KeepsCharFromWindow(wchar_t ch) const override;

 private:
  TMemoStrings FLines{*this};
  TScrollStyle FScrollBars = TScrollStyle::ssNone;
  bool FWordWrap = true;
};

class TComboBox;

class TComboBoxStrings : public TStrings {
 public:
  explicit TComboBoxStrings(TComboBox& comboBox) : FComboBox(comboBox) {}
  int Count() const override;
  void Insert(int index, const std::string& text) override;
  void Delete(int index) override;
  void Clear() override;

 protected:
  std::string Get(int index) const override;

 private:
  TComboBox& FComboBox;
};

enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList };

// Only the list-only style is built: the user picks an item and cannot type.
class TComboBox : public TWinControl {
 public:
  explicit TComboBox(TComponent* owner);

  TStrings& Items() { return FItems; }
  const TStrings& Items() const { return FItems; }
  int ItemIndex() const;  // -1 when nothing is selected
  void SetItemIndex(int value);
  TComboBoxStyle Style() const { return TComboBoxStyle::csDropDownList; }
  int DropDownCount = 8;
  bool DroppedDown() const;
  void SetDroppedDown(bool value);
  // The selected item's text; setting selects the item with that text, or nothing.
  std::string Text() const override;
  void SetText(const std::string& text) override;
  void SetBounds(int left, int top, int width, int height) override;

  // The user changed the selection (not SetItemIndex): OnSelect, or OnChange when OnSelect is
  // not assigned.
  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  // The dropped-down list closed, whether an item was picked or not.
  TNotifyEvent OnCloseUp;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WMDestroy(TMessage& message) override;
  void CNCommand(TMessage& message) override;
  virtual void Change();
  virtual void Select();
  virtual void DropDown();
  virtual void CloseUp();

 private:
  friend class TComboBoxStrings;
  int DroppedHeight() const;

  TComboBoxStrings FItems{*this};
  // The items while there is no window.
  std::vector<std::string> FSaveItems;
  int FSaveItemIndex = -1;
};

class TButtonControl : public TWinControl {
 public:
  explicit TButtonControl(TComponent* owner);

  void WndProc(TMessage& message) override;

 protected:
  void CNCommand(TMessage& message) override;
  // The window reported BN_CLICKED.
  virtual void ButtonClicked() { Click(); }
  // What the accelerator letter does once the control has the focus: a click by default.
  virtual void AcceleratorPressed() { Click(); }
  // Acts on an accelerator: the default takes the focus and clicks.
  virtual void CMDialogChar(TMessage& message);
};

class TButton : public TButtonControl {
 public:
  explicit TButton(TComponent* owner);

  bool Default() const { return FDefault; }
  void SetDefault(bool value);
  // Whether the button shows the default frame now: while it has the focus, or, being the
  // default button, while the focus is on a control that is not a push button.
  bool ShowsDefault() const { return FActive; }

  void WndProc(TMessage& message) override;

 protected:
  void CreateParams(TCreateParams& params) override;

  bool FDefault = false;

 private:
  void SetActive(bool value);

  bool FActive = false;
};

class TCheckBox : public TButtonControl {
 public:
  explicit TCheckBox(TComponent* owner);

  bool Checked() const { return FState == TCheckBoxState::cbChecked; }
  // A change raises OnClick (not while loading).
  void SetChecked(bool value);
  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState value);
  void Toggle() { SetChecked(!Checked()); }

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void ButtonClicked() override;
  void AcceleratorPressed() override;

 private:
  TCheckBoxState FState = TCheckBoxState::cbUnchecked;
};

class TRadioButton : public TButtonControl {
 public:
  explicit TRadioButton(TComponent* owner);
  ~TRadioButton() override;

  bool Checked() const { return FChecked; }
  // Checking unchecks the radio buttons on the same parent and raises OnClick (not while
  // loading); unchecking raises nothing.
  void SetChecked(bool value);
  void SetParent(TWinControl* parent) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void ButtonClicked() override;
  void AcceleratorPressed() override;
  // The arrow keys move the selection, and the focus, to the previous or next button of the group.
  void KeyDown(WORD& key, TShiftState shift) override;

 private:
  // Only the checked button of a group is a tab stop; with none checked, all are.
  static void UpdateGroupTabStops(TWinControl* parent);

  bool FChecked = false;
};

class TGroupBox : public TWinControl {
 public:
  explicit TGroupBox(TComponent* owner);

  bool CanFocus() const override { return false; }
  void SetFocus() override {}

 protected:
  void CreateParams(TCreateParams& params) override;
  void PaintWindow(HDC dc) override;
  void CMTextChanged(TMessage& message) override;
};

}  // namespace vellumor
