#include "CheckLst.h"

#include <utility>

#include "Themes.h"

namespace vellumor {

namespace {

constexpr int kObmCheckBoxes = 32759;  // OBM_CHECKBOXES: 4 columns by 3 rows of check-box images

int gCheckImageWidth = 0;
int gCheckImageHeight = 0;

void MeasureCheckImage() {
  TBitmap sheet;  // frees the sheet on every path
  sheet.SetHandle(LoadBitmapA(nullptr, MAKEINTRESOURCEA(kObmCheckBoxes)));
  if (!sheet.Empty()) {
    gCheckImageWidth = sheet.Width() / 4;
    gCheckImageHeight = sheet.Height() / 3;
  } else {
    // No sheet on this system: the size of its own check-box glyph.
    gCheckImageWidth = GetSystemMetrics(SM_CXMENUCHECK);
    gCheckImageHeight = GetSystemMetrics(SM_CYMENUCHECK);
  }
}

// Once per run, before main() makes any window.
[[maybe_unused]] const bool gCheckImageMeasured = (MeasureCheckImage(), true);

TThemedButton ThemedCheckBox(TCheckBoxState state, bool enabled) {
  using B = TThemedButton;
  switch (state) {
    case TCheckBoxState::cbUnchecked:
      return enabled ? B::tbCheckBoxUncheckedNormal : B::tbCheckBoxUncheckedDisabled;
    case TCheckBoxState::cbChecked:
      return enabled ? B::tbCheckBoxCheckedNormal : B::tbCheckBoxCheckedDisabled;
    default:
      return enabled ? B::tbCheckBoxMixedNormal : B::tbCheckBoxMixedDisabled;
  }
}

UINT ClassicCheckBox(TCheckBoxState state, bool enabled) {
  UINT flags = DFCS_BUTTONCHECK;
  if (state == TCheckBoxState::cbChecked) flags = DFCS_CHECKED;
  if (static_cast<unsigned>(state) >= static_cast<unsigned>(TCheckBoxState::cbGrayed))
    flags = DFCS_BUTTON3STATE | DFCS_CHECKED;
  return enabled ? flags : flags | DFCS_INACTIVE;
}

}  // namespace

int CheckImageWidth() {
  return gCheckImageWidth;
}
int CheckImageHeight() {
  return gCheckImageHeight;
}

std::uint32_t PackItemState(TCheckBoxState state, bool disabled) {
  return (static_cast<std::uint32_t>(state) & 0xFFu) << 16 | (disabled ? 1u : 0u);
}

TCheckBoxState UnpackItemState(std::uint32_t packed) {
  return static_cast<TCheckBoxState>(packed >> 16);
}

bool UnpackItemDisabled(std::uint32_t packed) {
  return (packed & 0xFFu) != 0;
}

TCheckListBox::TCheckListBox(TComponent* owner) : TCustomListBox(owner) {}

TCheckListBox::~TCheckListBox() = default;

void TCheckListBox::SetFlat(bool value) {
  if (value == FFlat) return;
  FFlat = value;
  Invalidate();
}

void TCheckListBox::SetHeaderColor(TColor value) {
  if (value == FHeaderColor) return;
  FHeaderColor = value;
  Invalidate();
}

void TCheckListBox::SetHeaderBackgroundColor(TColor value) {
  if (value == FHeaderBackgroundColor) return;
  FHeaderBackgroundColor = value;
  Invalidate();
}

// ---------------------------------------------------------------------------------------------
// Records

// The slot is read first through the base, which also rejects an index that is not an item (a
// slot may legitimately hold -1, so that value is no error sign here).
TCheckListBoxDataWrapper* TCheckListBox::FindItemRecord(int index) const {
  const LONG_PTR slot = TCustomListBox::GetItemData(index);
  if (slot == 0) return nullptr;
  auto it = FRecords.find(slot);
  return it == FRecords.end() ? nullptr : it->second.get();
}

TCheckListBoxDataWrapper* TCheckListBox::NewItemRecord(int index) {
  auto record = std::make_unique<TCheckListBoxDataWrapper>();
  TCheckListBoxDataWrapper* result = record.get();
  const auto key = reinterpret_cast<LONG_PTR>(result);
  FRecords.emplace(key, std::move(record));
  TCustomListBox::SetItemData(index, key);
  return result;
}

TCheckListBoxDataWrapper* TCheckListBox::ItemRecord(int index) {
  if (TCheckListBoxDataWrapper* record = FindItemRecord(index)) return record;
  return NewItemRecord(index);
}

void TCheckListBox::ReleaseItemRecord(int index) {
  if (!FindItemRecord(index)) return;
  FRecords.erase(TCustomListBox::GetItemData(index));
  // No slot keeps the address: a later record may be given the same one.
  TCustomListBox::SetItemData(index, 0);
}

const std::uint32_t* TCheckListBox::BackedUpState(int index) const {
  if (HandleAllocated() || !FStateBackup || index < 0 || static_cast<size_t>(index) >= FStateBackup->size())
    return nullptr;
  return &(*FStateBackup)[static_cast<size_t>(index)];
}

std::uint32_t* TCheckListBox::BackedUpState(int index) {
  return const_cast<std::uint32_t*>(std::as_const(*this).BackedUpState(index));
}

// ---------------------------------------------------------------------------------------------
// Per-item accessors

TCheckBoxState TCheckListBox::ItemState(int index) const {
  const TCheckListBoxDataWrapper* record = FindItemRecord(index);
  if (const std::uint32_t* packed = BackedUpState(index)) return UnpackItemState(*packed);
  return record ? record->State : TCheckListBoxDataWrapper::GetDefaultState();
}

void TCheckListBox::SetItemState(int index, TCheckBoxState value) {
  if (ItemState(index) == value) return;
  if (std::uint32_t* packed = BackedUpState(index)) {
    *packed = PackItemState(value, UnpackItemDisabled(*packed));
    return;
  }
  ItemRecord(index)->State = value;
  RepaintCheck(index);
}

bool TCheckListBox::ItemChecked(int index) const {
  return ItemState(index) == TCheckBoxState::cbChecked;
}

bool TCheckListBox::ItemDisabled(int index) const {
  const TCheckListBoxDataWrapper* record = FindItemRecord(index);
  if (const std::uint32_t* packed = BackedUpState(index)) return UnpackItemDisabled(*packed);
  return record && record->Disabled;
}

void TCheckListBox::SetItemDisabled(int index, bool value) {
  if (ItemDisabled(index) == value) return;
  if (std::uint32_t* packed = BackedUpState(index)) {
    *packed = PackItemState(UnpackItemState(*packed), value);
    return;
  }
  ItemRecord(index)->Disabled = value;
  // Box and text change their look: the whole row.
  RECT r = ItemRect(index);
  if (HandleAllocated()) InvalidateRect(FHandle, &r, !(ControlStyle & csOpaque));
}

bool TCheckListBox::ItemIsHeader(int index) const {
  const TCheckListBoxDataWrapper* record = FindItemRecord(index);
  return record && record->Header;
}

void TCheckListBox::SetItemIsHeader(int index, bool value) {
  if (ItemIsHeader(index) == value) return;
  ItemRecord(index)->Header = value;
  RECT r = ItemRect(index);
  if (HandleAllocated()) InvalidateRect(FHandle, &r, !(ControlStyle & csOpaque));
}

LONG_PTR TCheckListBox::GetItemData(int index) const {
  const TCheckListBoxDataWrapper* record = FindItemRecord(index);
  return record ? record->Data : 0;
}

void TCheckListBox::SetItemData(int index, LONG_PTR value) {
  if (HasItemRecord(index) || value != 0) ItemRecord(index)->Data = value;
}

LONG_PTR TCheckListBox::InternalGetItemData(int index) const {
  return TCustomListBox::GetItemData(index);
}

void TCheckListBox::InternalSetItemData(int index, LONG_PTR value) {
  TCustomListBox::SetItemData(index, value);
}

void TCheckListBox::DeleteString(int index) {
  ReleaseItemRecord(index);
  if (FStateBackup && !HandleAllocated() && static_cast<size_t>(index) < FStateBackup->size())
    FStateBackup->erase(FStateBackup->begin() + index);
  TCustomListBox::DeleteString(index);
}

void TCheckListBox::ResetContent() {
  for (int i = 0, n = Count(); i < n; ++i)
    ReleaseItemRecord(i);
  FRecords.clear();  // also any record whose slot a raw write has overwritten
  if (!HandleAllocated()) FStateBackup.reset();
  TCustomListBox::ResetContent();
}

// ---------------------------------------------------------------------------------------------
// Toggling

void TCheckListBox::ToggleItem(int index) {
  if (index < 0 || index >= Count() || ItemDisabled(index)) return;
  TCheckBoxState next = TCheckBoxState::cbChecked;
  switch (ItemState(index)) {
    case TCheckBoxState::cbUnchecked:
      next = AllowGrayed ? TCheckBoxState::cbGrayed : TCheckBoxState::cbChecked;
      break;
    case TCheckBoxState::cbChecked:
      next = TCheckBoxState::cbUnchecked;
      break;
    default:
      next = TCheckBoxState::cbChecked;
      break;
  }
  SetItemState(index, next);  // the column is on the screen before the event runs
  CheckClicked();
}

void TCheckListBox::CheckClicked() {
  if (OnClickCheck) OnClickCheck(this);
}

void TCheckListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomListBox::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft) return;
  const int index = ItemAtPos(POINT{x, y}, true);
  if (index == -1 || ItemDisabled(index)) return;
  const RECT r = ItemRect(index);
  if (UseRightToLeftAlignment()) {
    const int d = x - (r.right - CheckColumnWidth());
    if (d > 0 && d < CheckColumnWidth()) ToggleItem(index);
  } else if (x - r.left < CheckColumnWidth()) {
    ToggleItem(index);
  }
}

void TCheckListBox::KeyDown(WORD& key, TShiftState shift) {
  FIndexAtSpaceDown = key == VK_SPACE ? std::optional<int>(ItemIndex()) : std::nullopt;
  TCustomListBox::KeyDown(key, shift);
}

void TCheckListBox::KeyPress(wchar_t& key) {
  if (key == L' ') ToggleItem(FIndexAtSpaceDown.value_or(ItemIndex()));
  FIndexAtSpaceDown.reset();
  TCustomListBox::KeyPress(key);
}

// ---------------------------------------------------------------------------------------------
// Window

void TCheckListBox::CreateParams(TCreateParams& params) {
  TCustomListBox::CreateParams(params);
  if (!(params.Style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE))) params.Style |= LBS_OWNERDRAWFIXED;
}

void TCheckListBox::CreateWnd() {
  TCustomListBox::CreateWnd();
  if (FStateBackup) {
    std::vector<std::uint32_t> backup = std::move(*FStateBackup);
    FStateBackup.reset();
    const size_t count = std::min(backup.size(), static_cast<size_t>(Count()));
    for (size_t i = 0; i < count; ++i) {
      TCheckListBoxDataWrapper* record = ItemRecord(static_cast<int>(i));
      record->State = UnpackItemState(backup[i]);
      record->Disabled = UnpackItemDisabled(backup[i]);
    }
  }
  FitItemHeight();
}

void TCheckListBox::FillStateBackup() {
  const int count = Count();
  if (count == 0) return;
  std::vector<std::uint32_t> backup;
  backup.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i)
    backup.push_back(PackItemState(ItemState(i), ItemDisabled(i)));
  FStateBackup = std::move(backup);
}

void TCheckListBox::DestroyWnd() {
  if (HandleAllocated()) FillStateBackup();
  TCustomListBox::DestroyWnd();
}

void TCheckListBox::WMDestroy(TMessage& message) {
  // A window that goes with its parent has not passed through DestroyWnd: keep its states too.
  if (!FStateBackup) FillStateBackup();
  for (int i = 0, n = Count(); i < n; ++i)
    ReleaseItemRecord(i);
  FRecords.clear();
  TCustomListBox::WMDestroy(message);
}

void TCheckListBox::CMFontChanged(TMessage& message) {
  TCustomListBox::CMFontChanged(message);
  FitItemHeight();
}

void TCheckListBox::FitItemHeight() {
  if (!HandleAllocated() || Style() != TListBoxStyle::lbStandard) return;
  HDC dc = GetDC(FHandle);
  TCanvas& canvas = Canvas();
  canvas.SetHandle(dc);
  canvas.Font.Assign(Font());
  const int height = canvas.TextHeight("Wg");
  canvas.SetHandle(nullptr);
  ReleaseDC(FHandle, dc);
  SendMessageW(FHandle, LB_SETITEMHEIGHT, 0, height);
}

// ---------------------------------------------------------------------------------------------
// Painting

void TCheckListBox::CNDrawItem(TMessage& message) {
  // An empty list asks only for its focus rectangle, which refers to no item.
  if (Count() == 0) return;
  auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
  const int index = static_cast<int>(dis->itemID);
  const bool header = index >= 0 && index < Count() && ItemIsHeader(index);
  if (!header) {
    if (UseRightToLeftAlignment())
      dis->rcItem.right -= CheckColumnWidth();
    else
      dis->rcItem.left += CheckColumnWidth();
  }
  TCustomListBox::CNDrawItem(message);
}

void TCheckListBox::DrawItem(int index, const RECT& rect, TOwnerDrawState state) {
  if (index >= 0 && index < Count()) {
    const bool enabled = Enabled() && !ItemDisabled(index);
    if (ItemIsHeader(index)) {
      Canvas().Font.SetColor(FHeaderColor);
      Canvas().Brush.SetColor(FHeaderBackgroundColor);
    } else {
      RECT column = rect;
      if (UseRightToLeftAlignment()) {
        column.left = rect.right;
        column.right = rect.right + CheckColumnWidth();
      } else {
        column.left = rect.left - CheckColumnWidth();
        column.right = rect.left;
      }
      PaintCheckBox(column, ItemState(index), enabled);
    }
    if (!enabled) Canvas().Font.SetColor(clGrayText);
  }
  if (Style() != TListBoxStyle::lbStandard || !OnDrawItem) {
    TCustomListBox::DrawItem(index, rect, state);
    return;
  }
  // The standard style draws its own items: the user's handler sits out, and is back afterwards
  // whatever happens.
  struct Withhold {
    TDrawItemEvent& slot;
    TDrawItemEvent kept;
    explicit Withhold(TDrawItemEvent& s) : slot(s), kept(std::move(s)) { slot = nullptr; }
    ~Withhold() { slot = std::move(kept); }
  } withhold(OnDrawItem);
  TCustomListBox::DrawItem(index, rect, state);
}

void TCheckListBox::PaintCheckBox(const RECT& column, TCheckBoxState state, bool enabled) {
  TCanvas& canvas = Canvas();
  const HDC dc = canvas.Handle();
  RECT box;
  box.left = column.left + (column.right - column.left - CheckImageWidth()) / 2;
  box.top = column.top + (column.bottom - column.top - CheckImageHeight()) / 2;
  box.right = box.left + CheckImageWidth();
  box.bottom = box.top + CheckImageHeight();
  {
    std::optional<ScopedClip> clip;
    if (FFlat) {
      // Cut off the box's own 3-D border; the thin frame below replaces it.
      clip.emplace(dc);
      IntersectClipRect(dc, box.left + 2, box.top + 2, box.right - 2, box.bottom - 2);
    }
    TThemeServices& themes = ThemeServices();
    if (themes.ThemesEnabled())
      themes.DrawElement(dc, themes.GetElementDetails(ThemedCheckBox(state, enabled)), column);
    else
      DrawFrameControl(dc, &box, DFC_BUTTON, ClassicCheckBox(state, enabled));
  }
  if (!FFlat) return;
  const TBrushStyle brushStyle = canvas.Brush.Style();
  const TColor brushColor = canvas.Brush.Color();
  const TColor penColor = canvas.Pen.Color();
  canvas.Brush.SetStyle(TBrushStyle::bsClear);
  canvas.Pen.SetColor(clBtnShadow);
  canvas.Rectangle(box.left + 1, box.top + 1, box.right - 1, box.bottom - 1);
  canvas.Brush.SetColor(brushColor);  // makes the brush solid again
  canvas.Brush.SetStyle(brushStyle);
  canvas.Pen.SetColor(penColor);
}

void TCheckListBox::RepaintCheck(int index) {
  if (!HandleAllocated() || ItemIsHeader(index)) return;
  RECT r = ItemRect(index);
  if (UseRightToLeftAlignment())
    r.left = r.right - CheckColumnWidth();
  else
    r.right = r.left + CheckColumnWidth();
  InvalidateRect(FHandle, &r, !(ControlStyle & csOpaque));
  UpdateWindow(FHandle);
}

}  // namespace vellumor
