#include "StdCtrls.h"

#include "SysUtils.h"

namespace vellumor {

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  ControlStyle = csClickEvents | csSetCaption | csDoubleClicks;
  FWidth = 121;
  FHeight = 21;
  FTabStop = true;
  FColor = clWindow;
}

void TCustomEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SubclassOf = L"EDIT";
  p.Style |= ES_AUTOHSCROLL | ES_LEFT;
  if (FReadOnly) p.Style |= ES_READONLY;
  if (FCtl3D)
    p.ExStyle |= WS_EX_CLIENTEDGE;
  else
    p.Style |= WS_BORDER;
}

void TCustomEdit::CreateWnd() {
  TWinControl::CreateWnd();
  if (FMaxLength > 0) SendMessageW(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
  AdjustHeight();
}

void TCustomEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PASTE:
      WMPaste(m);
      return;
    case WM_CUT:
      WMCut(m);
      return;
    default:
      TWinControl::WndProc(m);
      return;
  }
}

void TCustomEdit::WMPaste(TMessage& m) {
  DefaultHandler(m);
}
void TCustomEdit::WMCut(TMessage& m) {
  DefaultHandler(m);
}

void TCustomEdit::SetReadOnly(bool value) {
  if (value == FReadOnly) return;
  FReadOnly = value;
  if (FHandle) SendMessageW(FHandle, EM_SETREADONLY, value, 0);
}

void TCustomEdit::SetMaxLength(int value) {
  if (value == FMaxLength) return;
  FMaxLength = value;
  if (FHandle) SendMessageW(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(value > 0 ? value : 0), 0);
}

void TCustomEdit::SetAutoSize(bool value) {
  if (value == FAutoSize) return;
  FAutoSize = value;
  AdjustHeight();
}

void TCustomEdit::AdjustHeight() {
  if (!FAutoSize || (ComponentState() & csLoading)) return;
  ScreenDC dc;
  TEXTMETRICW tm{};
  {
    ScopedSelect font(dc.Get(), FFont.Handle());
    GetTextMetricsW(dc.Get(), &tm);
  }
  // Room for the border and two rows of air above and below the characters.
  int border = FCtl3D ? GetSystemMetrics(SM_CYEDGE) : GetSystemMetrics(SM_CYBORDER);
  SetHeight(tm.tmHeight + 2 * border + 4);
}

int TCustomEdit::SelStart() const {
  if (!FHandle) return 0;
  DWORD start = 0, end = 0;
  SendMessageW(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(start);
}

int TCustomEdit::SelLength() const {
  if (!FHandle) return 0;
  DWORD start = 0, end = 0;
  SendMessageW(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomEdit::SetSelStart(int value) {
  if (FHandle) SendMessageW(FHandle, EM_SETSEL, static_cast<WPARAM>(value), static_cast<LPARAM>(value));
}

void TCustomEdit::SetSelLength(int value) {
  if (FHandle) {
    int start = SelStart();
    SendMessageW(FHandle, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start + value));
  }
}

std::string TCustomEdit::SelText() const {
  if (!FHandle) return {};
  std::wstring all = Widen(Text());
  size_t start = static_cast<size_t>(SelStart());
  size_t length = static_cast<size_t>(SelLength());
  if (start > all.size()) return {};
  return Narrow(std::wstring_view(all).substr(start, length));
}

void TCustomEdit::SetSelText(const std::string& text) {
  if (FHandle) SendMessageW(FHandle, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

void TCustomEdit::SelectAll() {
  if (FHandle) SendMessageW(FHandle, EM_SETSEL, 0, -1);
}

void TCustomEdit::ClearSelection() {
  Perform(WM_CLEAR);
}

bool TCustomEdit::Modified() const {
  return FHandle && SendMessageW(FHandle, EM_GETMODIFY, 0, 0) != 0;
}

void TCustomEdit::SetModified(bool value) {
  if (FHandle) SendMessageW(FHandle, EM_SETMODIFY, value, 0);
}

void TCustomEdit::Change() {
  if (OnChange) OnChange(this);
}

// A multi-line window does not report text set by a program; the change is raised here instead.
void TCustomEdit::CMTextChanged(TMessage& m) {
  TWinControl::CMTextChanged(m);
  if (!HandleAllocated() || (GetWindowLongW(FHandle, GWL_STYLE) & ES_MULTILINE)) Change();
}

void TCustomEdit::CNCommand(TMessage& m) {
  if (HIWORD(m.WParam) == EN_CHANGE && !(ControlState & csCreating)) Change();
}

// A multi-line window keeps its caret where it was; the one-line edit selects everything.
void TCustomEdit::CMEnter(TMessage& m) {
  if (AutoSelect && !(ControlState & csLButtonDown) && FHandle &&
      !(GetWindowLongW(FHandle, GWL_STYLE) & ES_MULTILINE))
    SelectAll();
  TWinControl::CMEnter(m);
}

void TCustomEdit::CMFontChanged(TMessage& m) {
  TWinControl::CMFontChanged(m);
  if (FHandle) AdjustHeight();
}

// ---------------------------------------------------------------------------------------------
// TListBoxStrings

int TListBoxStrings::Count() const {
  return FListBox.Count();
}
std::string TListBoxStrings::Strings(int index) const {
  return FListBox.ItemText(index);
}
int TListBoxStrings::Add(const std::string& text) {
  return FListBox.InsertItem(-1, text);
}

void TListBoxStrings::Insert(int index, const std::string& text) {
  if (index < 0 || index > Count()) ListIndexError(index);
  FListBox.InsertItem(index, text);
}

void TListBoxStrings::Delete(int index) {
  FListBox.DeleteString(index);
}
void TListBoxStrings::Clear() {
  FListBox.ResetContent();
}

void TListBoxStrings::Assign(const std::vector<std::string>& texts) {
  Clear();
  for (const std::string& text : texts)
    Add(text);
}

int TListBoxStrings::IndexOf(const std::string& text) const {
  for (int i = 0, n = Count(); i < n; ++i)
    if (Strings(i) == text) return i;
  return -1;
}

// ---------------------------------------------------------------------------------------------
// TCustomListBox

TCustomListBox::TCustomListBox(TComponent* owner) : TWinControl(owner) {
  // The standard window must see its own double clicks (LBN_DBLCLK).
  ControlStyle = csSetCaption | csDoubleClicks;
  FWidth = 121;
  FHeight = 97;
  FTabStop = true;
  FColor = clWindow;
}

TCustomListBox::~TCustomListBox() {
  FCanvas.SetHandle(nullptr);
}

void TCustomListBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SubclassOf = L"LISTBOX";
  // Owner-drawn items keep their texts too, so the texts can be read and saved in every style.
  p.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
  if (FStyle == TListBoxStyle::lbOwnerDrawFixed) p.Style |= LBS_OWNERDRAWFIXED;
  if (FStyle == TListBoxStyle::lbOwnerDrawVariable) p.Style |= LBS_OWNERDRAWVARIABLE;
  if (FCtl3D)
    p.ExStyle |= WS_EX_CLIENTEDGE;
  else
    p.Style |= WS_BORDER;
}

void TCustomListBox::CreateWnd() {
  TWinControl::CreateWnd();
  // The window asked for its row height while it was being made, before we could answer.
  if (FStyle == TListBoxStyle::lbOwnerDrawFixed) SendMessageW(FHandle, LB_SETITEMHEIGHT, 0, FItemHeight);
  std::vector<std::string> texts = std::move(FSaveItems);
  std::vector<LONG_PTR> data = std::move(FSaveData);
  int itemIndex = FSaveItemIndex;
  FSaveItems.clear();
  FSaveData.clear();
  FSaveItemIndex = -1;
  for (size_t i = 0; i < texts.size(); ++i) {
    int index = InsertItem(-1, texts[i]);
    if (data[i] != 0) SendMessageW(FHandle, LB_SETITEMDATA, static_cast<WPARAM>(index), data[i]);
  }
  if (itemIndex >= 0) SendMessageW(FHandle, LB_SETCURSEL, static_cast<WPARAM>(itemIndex), 0);
}

// The items are saved however the window goes (with its parent too), while it still has them.
void TCustomListBox::WMDestroy(TMessage& m) {
  int n = static_cast<int>(SendMessageW(FHandle, LB_GETCOUNT, 0, 0));
  FSaveItems.clear();
  FSaveData.clear();
  for (int i = 0; i < n; ++i) {
    FSaveItems.push_back(ItemText(i));
    FSaveData.push_back(
        static_cast<LONG_PTR>(SendMessageW(FHandle, LB_GETITEMDATA, static_cast<WPARAM>(i), 0)));
  }
  FSaveItemIndex = ItemIndex();
  TWinControl::WMDestroy(m);
}

int TCustomListBox::Count() const {
  if (FHandle) return static_cast<int>(SendMessageW(FHandle, LB_GETCOUNT, 0, 0));
  return static_cast<int>(FSaveItems.size());
}

void TCustomListBox::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) ListIndexError(index);
}

std::string TCustomListBox::ItemText(int index) const {
  CheckIndex(index);
  if (!FHandle) return FSaveItems[static_cast<size_t>(index)];
  LRESULT length = SendMessageW(FHandle, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  LRESULT got =
      SendMessageW(FHandle, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return Narrow(text);
}

int TCustomListBox::InsertItem(int index, const std::string& text) {
  if (!FHandle) {
    size_t at = index < 0 ? FSaveItems.size() : static_cast<size_t>(index);
    FSaveItems.insert(FSaveItems.begin() + static_cast<std::ptrdiff_t>(at), text);
    FSaveData.insert(FSaveData.begin() + static_cast<std::ptrdiff_t>(at), 0);
    return static_cast<int>(at);
  }
  std::wstring wide = Widen(text);
  LRESULT result = index < 0 ? SendMessageW(FHandle, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()))
                             : SendMessageW(FHandle, LB_INSERTSTRING, static_cast<WPARAM>(index),
                                            reinterpret_cast<LPARAM>(wide.c_str()));
  if (result == LB_ERR || result == LB_ERRSPACE)
    throw std::runtime_error("The list box could not take the item");
  return static_cast<int>(result);
}

LONG_PTR TCustomListBox::GetItemData(int index) const {
  CheckIndex(index);
  if (!FHandle) return FSaveData[static_cast<size_t>(index)];
  return static_cast<LONG_PTR>(SendMessageW(FHandle, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

void TCustomListBox::SetItemData(int index, LONG_PTR value) {
  CheckIndex(index);
  if (!FHandle) {
    FSaveData[static_cast<size_t>(index)] = value;
    return;
  }
  SendMessageW(FHandle, LB_SETITEMDATA, static_cast<WPARAM>(index), value);
}

void TCustomListBox::DeleteString(int index) {
  CheckIndex(index);
  if (!FHandle) {
    FSaveItems.erase(FSaveItems.begin() + index);
    FSaveData.erase(FSaveData.begin() + index);
    if (FSaveItemIndex == index) FSaveItemIndex = -1;
    if (FSaveItemIndex > index) --FSaveItemIndex;
    return;
  }
  SendMessageW(FHandle, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void TCustomListBox::ResetContent() {
  if (!FHandle) {
    FSaveItems.clear();
    FSaveData.clear();
    FSaveItemIndex = -1;
    return;
  }
  SendMessageW(FHandle, LB_RESETCONTENT, 0, 0);
}

int TCustomListBox::ItemIndex() const {
  if (!FHandle) return FSaveItemIndex;
  LRESULT index = SendMessageW(FHandle, LB_GETCURSEL, 0, 0);
  return index == LB_ERR ? -1 : static_cast<int>(index);
}

void TCustomListBox::SetItemIndex(int value) {
  if (value < -1 || value >= Count()) value = -1;
  if (!FHandle) {
    FSaveItemIndex = value;
    return;
  }
  SendMessageW(FHandle, LB_SETCURSEL, static_cast<WPARAM>(value), 0);
}

RECT TCustomListBox::ItemRect(int index) const {
  RECT r{};
  if (FHandle && index >= 0 && index < Count())
    SendMessageW(FHandle, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
  return r;
}

int TCustomListBox::TopIndex() const {
  return FHandle ? static_cast<int>(SendMessageW(FHandle, LB_GETTOPINDEX, 0, 0)) : 0;
}

// Walks the visible rows rather than asking LB_ITEMFROMPOINT, which answers the nearest item
// for a point below the last one.
int TCustomListBox::ItemAtPos(POINT pos, bool existing) const {
  int count = Count();
  if (FHandle) {
    RECT client{};
    GetClientRect(FHandle, &client);
    for (int i = TopIndex(); i < count; ++i) {
      RECT r = ItemRect(i);
      if (r.top >= client.bottom) break;
      if (PtInRect(&r, pos)) return i;
    }
  }
  return existing ? -1 : count;
}

void TCustomListBox::SetStyle(TListBoxStyle value) {
  if (value == FStyle) return;
  FStyle = value;
  RecreateWnd();
}

int TCustomListBox::ItemHeight() const {
  if (FHandle && FStyle == TListBoxStyle::lbStandard)
    return static_cast<int>(SendMessageW(FHandle, LB_GETITEMHEIGHT, 0, 0));
  return FItemHeight;
}

void TCustomListBox::SetItemHeight(int value) {
  if (value <= 0 || value == FItemHeight) return;
  FItemHeight = value;
  if (FHandle && FStyle == TListBoxStyle::lbOwnerDrawFixed) {
    SendMessageW(FHandle, LB_SETITEMHEIGHT, 0, value);
    Invalidate();
  }
}

void TCustomListBox::CNMeasureItem(TMessage& m) {
  reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->itemHeight = static_cast<UINT>(FItemHeight);
  m.Result = TRUE;
}

void TCustomListBox::CNDrawItem(TMessage& m) {
  const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
  const TOwnerDrawState state = dis->itemState;
  const int index = static_cast<int>(dis->itemID);
  FCanvas.SetHandle(dis->hDC);
  FCanvas.Font.Assign(FFont);
  FCanvas.Brush.SetStyle(TBrushStyle::bsSolid);
  FCanvas.Brush.SetColor(FColor);
  if (index >= 0 && (state & ODS_SELECTED)) {
    FCanvas.Brush.SetColor(clHighlight);
    FCanvas.Font.SetColor(clHighlightText);
  }
  try {
    if (index >= 0)
      DrawItem(index, dis->rcItem, state);
    else
      FCanvas.FillRect(dis->rcItem);
    if (state & ODS_FOCUS) FCanvas.DrawFocusRect(dis->rcItem);
  } catch (...) {
    FCanvas.SetHandle(nullptr);
    throw;
  }
  FCanvas.SetHandle(nullptr);
  m.Result = TRUE;
}

void TCustomListBox::DrawItem(int index, const RECT& rect, TOwnerDrawState state) {
  if (OnDrawItem) {
    OnDrawItem(this, index, rect, state);
    return;
  }
  FCanvas.FillRect(rect);
  if (index < 0 || index >= Count()) return;
  std::string text = ItemText(index);
  int x = rect.left + 2;
  if (UseRightToLeftAlignment()) x = rect.right - 2 - FCanvas.TextWidth(text);
  FCanvas.TextRect(rect, x, rect.top, text);
}

}  // namespace vellumor
