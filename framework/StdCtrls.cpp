#include "StdCtrls.h"

#include <algorithm>

#include "SysUtils.h"
#include "Themes.h"

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
  // MaxLength 0 is no limit, not the window's default of about 30,000 characters.
  SendMessageW(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength > 0 ? FMaxLength : 0), 0);
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

// The old clipboard keys go through the messages, as Ctrl+X, Ctrl+C, Ctrl+V and the context menu
// do: the edit window itself may act on these keys without the message, past a control's own
// handling of it.
void TCustomEdit::KeyDown(WORD& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  const TShiftState held = shift & (ssShift | ssCtrl | ssAlt);
  UINT message = key == VK_INSERT && held == ssShift   ? WM_PASTE
                 : key == VK_INSERT && held == ssCtrl  ? WM_COPY
                 : key == VK_DELETE && held == ssShift ? WM_CUT
                                                       : 0;
  if (message) {
    key = 0;
    Perform(message);
  }
}

void TCustomEdit::WMPaste(TMessage& m) {
  bool handled = false;
  if (OnPaste && !FReadOnly) OnPaste(this, handled);
  if (!handled) DefaultHandler(m);
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

namespace vellumor {

// ---------------------------------------------------------------------------------------------
// Keyboard helpers

namespace {
wchar_t UpperChar(wchar_t ch) {
  return static_cast<wchar_t>(
      reinterpret_cast<UINT_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(ch)))));
}

// The windowed children of parent in tab order.
std::vector<TWinControl*> WindowedChildren(TWinControl* parent) {
  std::vector<TWinControl*> result;
  for (int i = 0; i < parent->ControlCount(); ++i)
    if (auto* w = dynamic_cast<TWinControl*>(parent->Controls(i))) result.push_back(w);
  std::stable_sort(result.begin(), result.end(),
                   [](const TWinControl* a, const TWinControl* b) { return a->TabOrder() < b->TabOrder(); });
  return result;
}

void CollectTabOrder(TWinControl* parent, std::vector<TWinControl*>& list) {
  for (TWinControl* w : WindowedChildren(parent)) {
    list.push_back(w);
    CollectTabOrder(w, list);
  }
}
}  // namespace

bool IsAccel(wchar_t ch, const std::string& caption) {
  std::wstring text = Widen(caption);
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != L'&') continue;
    if (text[i + 1] == L'&') {
      ++i;
      continue;
    }
    return UpperChar(text[i + 1]) == UpperChar(ch);
  }
  return false;
}

bool DispatchAccelerator(TWinControl* root, wchar_t ch) {
  if (!root) return false;
  for (TWinControl* w : WindowedChildren(root)) {
    if (!w->Visible() || !w->Enabled()) continue;
    if (w->Perform(CM_DIALOGCHAR, ch)) return true;
    if (DispatchAccelerator(w, ch)) return true;
  }
  for (int i = 0; i < root->ControlCount(); ++i) {
    TControl* c = root->Controls(i);
    if (dynamic_cast<TWinControl*>(c) || !c->Visible() || !c->Enabled()) continue;
    if (c->Perform(CM_DIALOGCHAR, ch)) return true;
  }
  return false;
}

bool WantsPlainAccelerators(const TWinControl* control) {
  return dynamic_cast<const TButtonControl*>(control) != nullptr;
}

std::vector<TWinControl*> TabOrderList(TWinControl* root) {
  std::vector<TWinControl*> list;
  if (root) CollectTabOrder(root, list);
  return list;
}

TWinControl* FindNextControl(TWinControl* root, TWinControl* current, bool goForward, bool checkTabStop) {
  std::vector<TWinControl*> list = TabOrderList(root);
  const int n = static_cast<int>(list.size());
  if (n == 0) return nullptr;
  int start = static_cast<int>(std::find(list.begin(), list.end(), current) - list.begin());
  if (start == n) start = goForward ? -1 : n;
  for (int step = 1; step <= n; ++step) {
    int i = ((start + (goForward ? step : -step)) % n + n) % n;
    TWinControl* w = list[static_cast<size_t>(i)];
    if (w == current) continue;
    if (w->CanFocus() && (!checkTabStop || w->TabStop())) return w;
  }
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
// TStrings

namespace {
// Lines end at CR LF, LF or CR; a break at the very end starts no further line.
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

// The lines as the edit window shows them: it breaks at LF, alone or after CR or CR CR, and
// shows nothing for a lone CR, which stays in its line.
std::vector<std::string> EditLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', start)) {
    size_t end = i;
    for (int cr = 0; cr < 2 && end > start && text[end - 1] == '\r'; ++cr)
      --end;
    lines.push_back(text.substr(start, end - start));
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

// Breaks go between lines; an empty last line needs one more, or it would read back as none.
std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  if (!lines.empty() && lines.back().empty()) text += "\r\n";
  return text;
}
}  // namespace

void TStrings::CheckIndex(int index, int limit) const {
  if (index < 0 || index >= limit) ListIndexError(index);
}

std::string TStrings::Strings(int index) const {
  CheckIndex(index, Count());
  return Get(index);
}

int TStrings::Add(const std::string& text) {
  int index = Count();
  Insert(index, text);
  return index;
}

void TStrings::Assign(const std::vector<std::string>& texts) {
  BeginUpdate();
  try {
    Clear();
    for (const std::string& text : texts)
      Add(text);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

int TStrings::IndexOf(const std::string& text) const {
  for (int i = 0, n = Count(); i < n; ++i)
    if (Get(i) == text) return i;
  return -1;
}

std::vector<std::string> TStrings::ToVector() const {
  std::vector<std::string> lines;
  for (int i = 0, n = Count(); i < n; ++i)
    lines.push_back(Get(i));
  return lines;
}

std::string TStrings::Text() const {
  std::string text;
  for (int i = 0, n = Count(); i < n; ++i)
    text += Get(i) + "\r\n";
  return text;
}

void TStrings::SetText(const std::string& text) {
  Assign(SplitLines(text));
}

// ---------------------------------------------------------------------------------------------
// TLabel

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  FWidth = 65;
  FHeight = 17;
}

void TLabel::WndProc(TMessage& m) {
  if (m.Msg == CM_DIALOGCHAR) {
    CMDialogChar(m);
    return;
  }
  TGraphicControl::WndProc(m);
}

void TLabel::SetFocusControl(TWinControl* value) {
  if (value == FFocusControl) return;
  if (FFocusControl) RemoveFreeNotification(FFocusControl);
  FFocusControl = value;
  if (value) FreeNotification(value);
}

void TLabel::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FFocusControl) FFocusControl = nullptr;
}

void TLabel::SetTransparent(bool value) {
  if (value == FTransparent) return;
  FTransparent = value;
  Invalidate();
}

void TLabel::SetAutoSize(bool value) {
  if (value == FAutoSize) return;
  FAutoSize = value;
  AdjustBounds();
}

void TLabel::SetShowAccelChar(bool value) {
  if (value == FShowAccelChar) return;
  FShowAccelChar = value;
  AdjustBounds();
  Invalidate();
}

void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

// Sized to its caption at Loaded, before the form scales: only the place scales, the size is
// the caption's again.
void TLabel::ChangeScale(int multiplier, int divider) {
  TGraphicControl::ChangeScale(multiplier, divider);
  AdjustBounds();
}

UINT TLabel::DrawTextFlags() const {
  UINT flags = DT_EXPANDTABS | DT_LEFT | DT_NOCLIP;
  if (!FShowAccelChar) flags |= DT_NOPREFIX;
  if (UseRightToLeftReading()) flags |= DT_RTLREADING;
  return flags;
}

void TLabel::AdjustBounds() {
  if (!FAutoSize || (ComponentState() & csLoading)) return;
  // An empty caption keeps the height of one line.
  std::wstring text = FText.empty() ? std::wstring(L" ") : Widen(FText);
  ScreenDC dc;
  RECT r{0, 0, 0, 0};
  {
    ScopedSelect font(dc.Get(), FFont.Handle());
    DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &r, DrawTextFlags() | DT_CALCRECT);
  }
  SetBounds(FLeft, FTop, r.right, r.bottom);
}

void TLabel::Paint() {
  HDC dc = Canvas().Handle();
  RECT r = ClientRect();
  if (!FTransparent) {
    TBrush brush;
    brush.SetColor(FColor);
    ::FillRect(dc, &r, brush.Handle());
  }
  if (FText.empty()) return;
  std::wstring text = Widen(FText);
  ScopedSelect font(dc, FFont.Handle());
  int oldMode = SetBkMode(dc, TRANSPARENT);
  const UINT flags = DrawTextFlags();
  if (FEnabled) {
    SetTextColor(dc, ColorToRGB(FFont.Color()));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
  } else {
    // The engraved look of disabled text.
    RECT shifted = r;
    OffsetRect(&shifted, 1, 1);
    SetTextColor(dc, ColorToRGB(clBtnHighlight));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &shifted, flags);
    SetTextColor(dc, ColorToRGB(clBtnShadow));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, flags);
  }
  SetBkMode(dc, oldMode);
}

void TLabel::CMTextChanged(TMessage& m) {
  TGraphicControl::CMTextChanged(m);
  AdjustBounds();
  Invalidate();
}

void TLabel::CMFontChanged(TMessage& m) {
  TGraphicControl::CMFontChanged(m);
  AdjustBounds();
  Invalidate();
}

// A label's letter is taken even when there is nothing to focus, so no other control with the
// same letter reacts in its place.
void TLabel::CMDialogChar(TMessage& m) {
  if (!FEnabled || !FShowAccelChar || !IsAccel(static_cast<wchar_t>(m.WParam), FText)) return;
  if (FFocusControl && FFocusControl->CanFocus()) FFocusControl->SetFocus();
  m.Result = 1;
}

// ---------------------------------------------------------------------------------------------
// TMemoStrings

namespace {
LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageW(hwnd, msg, wParam, lParam);
}
}  // namespace

std::vector<std::string>& TMemoStrings::Pending() const {
  if (!FCollecting) {
    FPending = EditLines(FMemo.TCustomEdit::Text());
    FCollecting = true;
    // A message is on its way, so a memo left alone still shows its new lines.
    if (FMemo.HandleAllocated()) PostMessageW(FMemo.Handle(), WM_NULL, 0, 0);
  }
  return FPending;
}

void TMemoStrings::Flush() {
  if (!FCollecting) return;
  FCollecting = false;
  std::vector<std::string> lines = std::move(FPending);
  FPending.clear();
  FMemo.TCustomEdit::SetText(JoinLines(lines));
}

void TMemoStrings::Discard() {
  FCollecting = false;
  FPending.clear();
}

// With a window and nothing collected the edit's own line index answers, so reading every line
// stays linear.
int TMemoStrings::Count() const {
  if (FCollecting || !FMemo.HandleAllocated()) return static_cast<int>(Pending().size());
  HWND h = FMemo.Handle();
  int n = static_cast<int>(Send(h, EM_GETLINECOUNT));
  if (n > 0) {
    LRESULT lastStart = Send(h, EM_LINEINDEX, static_cast<WPARAM>(n - 1));
    if (Send(h, EM_LINELENGTH, static_cast<WPARAM>(lastStart)) == 0) --n;
  }
  return n;
}

std::string TMemoStrings::Get(int index) const {
  if (FCollecting || !FMemo.HandleAllocated()) return Pending()[static_cast<size_t>(index)];
  HWND h = FMemo.Handle();
  LRESULT start = Send(h, EM_LINEINDEX, static_cast<WPARAM>(index));
  if (start < 0) return {};
  LRESULT length = Send(h, EM_LINELENGTH, static_cast<WPARAM>(start));
  if (length <= 0) return {};
  if (length > 0xFFFF) {  // longer than EM_GETLINE's size field can say: cut it from the whole text
    std::wstring all = Widen(FMemo.Text());
    return Narrow(std::wstring_view(all).substr(static_cast<size_t>(start), static_cast<size_t>(length)));
  }
  // EM_GETLINE takes the buffer's size in its first character.
  std::wstring buffer(static_cast<size_t>(length), L'\0');
  buffer[0] = static_cast<wchar_t>(length);
  LRESULT got = Send(h, EM_GETLINE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
  buffer.resize(static_cast<size_t>(std::max<LRESULT>(got, 0)));
  return Narrow(buffer);
}

void TMemoStrings::Insert(int index, const std::string& text) {
  std::vector<std::string>& lines = Pending();
  if (index < 0 || index > static_cast<int>(lines.size())) ListIndexError(index);
  lines.insert(lines.begin() + index, text);
}

void TMemoStrings::Delete(int index) {
  std::vector<std::string>& lines = Pending();
  if (index < 0 || index >= static_cast<int>(lines.size())) ListIndexError(index);
  lines.erase(lines.begin() + index);
}

void TMemoStrings::Clear() {
  if (!FCollecting) {
    FCollecting = true;  // nothing of the old text is needed
    if (FMemo.HandleAllocated()) PostMessageW(FMemo.Handle(), WM_NULL, 0, 0);
  }
  FPending.clear();
}

// The whole text in one read: asking the window line by line costs a walk from its first line
// for every line, which grows with the square of the line count.
std::vector<std::string> TMemoStrings::ToVector() const {
  if (FCollecting) return FPending;
  return EditLines(FMemo.TCustomEdit::Text());
}

void TMemoStrings::BeginUpdate() {
  ++FUpdateCount;
}

void TMemoStrings::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) Flush();
}

// ---------------------------------------------------------------------------------------------
// TMemo

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner) {
  FWidth = 185;
  FHeight = 89;
  SetAutoSize(false);
  AutoSelect = false;
}

// Every message may look at the text, so collected line changes reach the window first.
void TMemo::WndProc(TMessage& m) {
  FLines.Flush();
  TCustomEdit::WndProc(m);
}

// Reading the text is a use of it too, also while there is no window.
std::string TMemo::Text() const {
  const_cast<TMemoStrings&>(FLines).Flush();
  return TCustomEdit::Text();
}

void TMemo::SetText(const std::string& text) {
  FLines.Discard();
  TCustomEdit::SetText(text);
}

void TMemo::CreateParams(TCreateParams& p) {
  FLines.Flush();  // the window is made with the text
  TCustomEdit::CreateParams(p);
  p.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
  if (WantReturns) p.Style |= ES_WANTRETURN;
  if (FWordWrap) p.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
  if (FScrollBars == TScrollStyle::ssVertical || FScrollBars == TScrollStyle::ssBoth) p.Style |= WS_VSCROLL;
  if ((FScrollBars == TScrollStyle::ssHorizontal || FScrollBars == TScrollStyle::ssBoth) && !FWordWrap)
    p.Style |= WS_HSCROLL;
}

// The window's default limit is a few thousand characters; a memo holds what it is given.
void TMemo::CreateWnd() {
  TCustomEdit::CreateWnd();
  if (MaxLength() <= 0) SendMessageW(FHandle, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
}

void TMemo::SetScrollBars(TScrollStyle value) {
  if (value == FScrollBars) return;
  FScrollBars = value;
  RecreateWnd();
}

void TMemo::SetWordWrap(bool value) {
  if (value == FWordWrap) return;
  FWordWrap = value;
  RecreateWnd();
}

void TMemo::WMGetDlgCode(TMessage& m) {
  DefaultHandler(m);
  if (!WantTabs) m.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB | DLGC_WANTALLKEYS);
  const auto* msg = reinterpret_cast<const MSG*>(m.LParam);
  if (WantReturns && msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
    m.Result |= DLGC_WANTMESSAGE;
  if (WantTabs && msg && msg->message == WM_KEYDOWN && msg->wParam == VK_TAB) m.Result |= DLGC_WANTMESSAGE;
}

// Keys the memo does not want never reach the window: in a dialog the edit would pass Esc on as a
// close request and Tab or Enter as navigation of its own, besides what the form does with them.
bool TMemo::KeepsKeyFromWindow(WORD key) const {
  return key == VK_ESCAPE || (key == VK_TAB && !WantTabs) || (key == VK_RETURN && !WantReturns);
}

bool TMemo::KeepsCharFromWindow(wchar_t ch) const {
  return (ch == L'\t' && !WantTabs) || ((ch == L'\r' || ch == L'\n') && !WantReturns) || ch == 0x1B;
}

// ---------------------------------------------------------------------------------------------
// TComboBoxStrings

int TComboBoxStrings::Count() const {
  if (FComboBox.HandleAllocated()) return static_cast<int>(Send(FComboBox.FHandle, CB_GETCOUNT));
  return static_cast<int>(FComboBox.FSaveItems.size());
}

std::string TComboBoxStrings::Get(int index) const {
  if (!FComboBox.HandleAllocated()) return FComboBox.FSaveItems[static_cast<size_t>(index)];
  HWND h = FComboBox.FHandle;
  LRESULT length = Send(h, CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  LRESULT got = Send(h, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return Narrow(text);
}

void TComboBoxStrings::Insert(int index, const std::string& text) {
  if (index < 0 || index > Count()) ListIndexError(index);
  if (!FComboBox.HandleAllocated()) {
    auto& items = FComboBox.FSaveItems;
    items.insert(items.begin() + index, text);
    if (FComboBox.FSaveItemIndex >= index) ++FComboBox.FSaveItemIndex;
    return;
  }
  std::wstring wide = Widen(text);
  LRESULT result = Send(FComboBox.FHandle, CB_INSERTSTRING, static_cast<WPARAM>(index),
                        reinterpret_cast<LPARAM>(wide.c_str()));
  if (result == CB_ERR || result == CB_ERRSPACE)
    throw std::runtime_error("The combo box could not take the item");
}

void TComboBoxStrings::Delete(int index) {
  CheckIndex(index, Count());
  if (!FComboBox.HandleAllocated()) {
    auto& items = FComboBox.FSaveItems;
    items.erase(items.begin() + index);
    int& selected = FComboBox.FSaveItemIndex;
    if (selected == index) selected = -1;
    if (selected > index) --selected;
    return;
  }
  Send(FComboBox.FHandle, CB_DELETESTRING, static_cast<WPARAM>(index));
}

void TComboBoxStrings::Clear() {
  if (!FComboBox.HandleAllocated()) {
    FComboBox.FSaveItems.clear();
    FComboBox.FSaveItemIndex = -1;
    return;
  }
  Send(FComboBox.FHandle, CB_RESETCONTENT);
}

// ---------------------------------------------------------------------------------------------
// TComboBox

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
  ControlStyle = csSetCaption | csDoubleClicks;
  FWidth = 145;
  FHeight = 21;
  FTabStop = true;
  FColor = clWindow;
}

// The window's height includes the dropped-down list; the window itself then reports the
// height of its closed part.
int TComboBox::DroppedHeight() const {
  ScreenDC dc;
  TEXTMETRICW tm{};
  {
    ScopedSelect font(dc.Get(), const_cast<TFont&>(FFont).Handle());
    GetTextMetricsW(dc.Get(), &tm);
  }
  return tm.tmHeight * std::max(DropDownCount, 1) + 2;
}

void TComboBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.SubclassOf = L"COMBOBOX";
  p.Style |= CBS_DROPDOWNLIST | WS_VSCROLL;
  p.Height = FHeight + DroppedHeight();
}

void TComboBox::CreateWnd() {
  TWinControl::CreateWnd();
  std::vector<std::string> items = std::move(FSaveItems);
  int itemIndex = FSaveItemIndex;
  FSaveItems.clear();
  FSaveItemIndex = -1;
  for (const std::string& item : items) {
    std::wstring wide = Widen(item);
    Send(FHandle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }
  if (itemIndex >= 0) Send(FHandle, CB_SETCURSEL, static_cast<WPARAM>(itemIndex));
}

// The items are saved however the window goes, while it still has them.
void TComboBox::WMDestroy(TMessage& m) {
  std::vector<std::string> items;
  for (int i = 0, n = FItems.Count(); i < n; ++i)
    items.push_back(FItems[i]);
  int itemIndex = ItemIndex();
  FSaveItems = std::move(items);
  FSaveItemIndex = itemIndex;
  TWinControl::WMDestroy(m);
}

void TComboBox::SetBounds(int left, int top, int width, int height) {
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  StoreBounds(left, top, width, height);
  if (FHandle)
    SetWindowPos(FHandle, nullptr, left, top, width, height + DroppedHeight(), SWP_NOZORDER | SWP_NOACTIVATE);
}

int TComboBox::ItemIndex() const {
  if (!FHandle) return FSaveItemIndex;
  LRESULT index = Send(FHandle, CB_GETCURSEL);
  return index == CB_ERR ? -1 : static_cast<int>(index);
}

void TComboBox::SetItemIndex(int value) {
  if (value < -1 || value >= FItems.Count()) value = -1;
  if (!FHandle) {
    FSaveItemIndex = value;
    return;
  }
  Send(FHandle, CB_SETCURSEL, static_cast<WPARAM>(value));
}

std::string TComboBox::Text() const {
  int index = ItemIndex();
  return index >= 0 ? FItems[index] : std::string();
}

void TComboBox::SetText(const std::string& text) {
  SetItemIndex(FItems.IndexOf(text));
  Perform(CM_TEXTCHANGED);
}

bool TComboBox::DroppedDown() const {
  return FHandle && Send(FHandle, CB_GETDROPPEDSTATE) != 0;
}

void TComboBox::SetDroppedDown(bool value) {
  if (FHandle) Send(FHandle, CB_SHOWDROPDOWN, value ? TRUE : FALSE);
}

void TComboBox::CNCommand(TMessage& m) {
  switch (HIWORD(m.WParam)) {
    case CBN_SELCHANGE:
      Select();
      break;
    case CBN_DROPDOWN:
      DropDown();
      break;
    case CBN_CLOSEUP:
      CloseUp();
      break;
    default:
      break;
  }
}

void TComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TComboBox::Select() {
  if (OnSelect)
    OnSelect(this);
  else
    Change();
}

void TComboBox::DropDown() {
  if (OnDropDown) OnDropDown(this);
}

void TComboBox::CloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

// ---------------------------------------------------------------------------------------------
// TButtonControl, TButton

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
  ControlStyle = csSetCaption | csDoubleClicks;
  FTabStop = true;
}

void TButtonControl::WndProc(TMessage& m) {
  if (m.Msg == CM_DIALOGCHAR) {
    CMDialogChar(m);
    return;
  }
  // Some button types turn the second click of a double click into BN_DOUBLECLICKED; every click
  // counts here.
  if (m.Msg == WM_LBUTTONDBLCLK) m.Msg = WM_LBUTTONDOWN;
  TWinControl::WndProc(m);
}

void TButtonControl::CNCommand(TMessage& m) {
  if (HIWORD(m.WParam) == BN_CLICKED) ButtonClicked();
}

void TButtonControl::CMDialogChar(TMessage& m) {
  if (!IsAccel(static_cast<wchar_t>(m.WParam), Caption()) || !CanFocus()) return;
  SetFocus();
  AcceleratorPressed();
  m.Result = 1;
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
  FWidth = 75;
  FHeight = 25;
}

void TButton::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  p.SubclassOf = L"BUTTON";
  p.Style |= FActive ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool value) {
  if (value == FDefault) return;
  FDefault = value;
  TWinControl* focused = FocusedControl();
  SetActive(focused == this || (value && !dynamic_cast<TButton*>(focused)));
}

void TButton::SetActive(bool value) {
  if (value == FActive) return;
  FActive = value;
  if (!FHandle) return;
  // An owner-drawn button keeps its type and only paints itself differently.
  if ((GetWindowLongW(FHandle, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW)
    Invalidate();
  else
    Send(FHandle, BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

// The default frame goes with the focus among push buttons, and back to the default button when
// the focus leaves them, as in a dialog box.
void TButton::WndProc(TMessage& m) {
  if (m.Msg == CM_FOCUSCHANGED) {
    auto* focused = reinterpret_cast<TWinControl*>(m.LParam);
    SetActive(focused == this || (FDefault && !dynamic_cast<TButton*>(focused)));
    return;
  }
  TButtonControl::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// TCheckBox

TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner) {
  FWidth = 97;
  FHeight = 17;
}

// Not the automatic style: the control decides every change itself, so OnClick follows each one.
void TCheckBox::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  p.SubclassOf = L"BUTTON";
  p.Style |= BS_3STATE;
}

void TCheckBox::CreateWnd() {
  TButtonControl::CreateWnd();
  Send(FHandle, BM_SETCHECK, static_cast<WPARAM>(FState));
}

void TCheckBox::SetState(TCheckBoxState value) {
  if (value == FState) return;
  FState = value;
  if (FHandle) Send(FHandle, BM_SETCHECK, static_cast<WPARAM>(value));
  if (!(ComponentState() & csLoading)) Click();
}

void TCheckBox::SetChecked(bool value) {
  SetState(value ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked);
}

void TCheckBox::ButtonClicked() {
  Toggle();
}

void TCheckBox::AcceleratorPressed() {
  Toggle();
}

// ---------------------------------------------------------------------------------------------
// TRadioButton

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
  FWidth = 113;
  FHeight = 17;
}

// The selected button going away leaves its group reachable by Tab again.
TRadioButton::~TRadioButton() {
  if (FChecked && FParent) {
    FChecked = false;
    UpdateGroupTabStops(FParent);
  }
}

void TRadioButton::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  p.SubclassOf = L"BUTTON";
  p.Style |= BS_RADIOBUTTON;
}

void TRadioButton::CreateWnd() {
  TButtonControl::CreateWnd();
  Send(FHandle, BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED);
}

void TRadioButton::SetParent(TWinControl* parent) {
  TWinControl* old = FParent;
  TButtonControl::SetParent(parent);
  if (old && old != parent) UpdateGroupTabStops(old);
  if (parent) UpdateGroupTabStops(parent);
}

void TRadioButton::SetChecked(bool value) {
  if (value == FChecked) return;
  FChecked = value;
  if (FHandle) Send(FHandle, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED);
  if (value && FParent) {
    for (int i = 0; i < FParent->ControlCount(); ++i)
      if (auto* sibling = dynamic_cast<TRadioButton*>(FParent->Controls(i)); sibling && sibling != this)
        sibling->SetChecked(false);
  }
  UpdateGroupTabStops(FParent);
  if (value && !(ComponentState() & csLoading)) Click();
}

void TRadioButton::UpdateGroupTabStops(TWinControl* parent) {
  if (!parent) return;
  std::vector<TRadioButton*> group;
  bool anyChecked = false;
  for (int i = 0; i < parent->ControlCount(); ++i)
    if (auto* radio = dynamic_cast<TRadioButton*>(parent->Controls(i))) {
      group.push_back(radio);
      anyChecked = anyChecked || radio->FChecked;
    }
  for (TRadioButton* radio : group)
    radio->SetTabStop(radio->FChecked || !anyChecked);
}

// Clicking the selected one changes nothing and raises nothing.
void TRadioButton::ButtonClicked() {
  SetChecked(true);
}

void TRadioButton::AcceleratorPressed() {
  SetChecked(true);
}

void TRadioButton::KeyDown(WORD& key, TShiftState shift) {
  bool back = key == VK_UP || key == VK_LEFT, ahead = key == VK_DOWN || key == VK_RIGHT;
  if (!(back || ahead) || !FParent) return TButtonControl::KeyDown(key, shift);
  std::vector<TRadioButton*> group;
  for (int i = 0; i < FParent->ControlCount(); ++i)
    if (auto* radio = dynamic_cast<TRadioButton*>(FParent->Controls(i))) group.push_back(radio);
  std::stable_sort(group.begin(), group.end(),
                   [](TRadioButton* a, TRadioButton* b) { return a->TabOrder() < b->TabOrder(); });
  auto self = std::find(group.begin(), group.end(), this);
  const auto n = static_cast<std::ptrdiff_t>(group.size());
  // Wrap around, skipping buttons that cannot take the focus now.
  for (std::ptrdiff_t step = 1; step < n; ++step) {
    std::ptrdiff_t at = ((self - group.begin()) + (ahead ? step : n - step)) % n;
    TRadioButton* next = group[static_cast<size_t>(at)];
    if (!next->CanFocus()) continue;
    next->SetFocus();
    next->SetChecked(true);
    break;
  }
  key = 0;
}

// ---------------------------------------------------------------------------------------------
// TGroupBox

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {
  ControlStyle = csAcceptsControls | csSetCaption | csDoubleClicks;
  FWidth = 185;
  FHeight = 105;
}

// A control parent, so the dialog navigation walks into it instead of stopping at it.
void TGroupBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.WinClassName = L"VellumorGroupBox";
  p.Style |= WS_CLIPCHILDREN;
  p.Style &= ~static_cast<DWORD>(WS_TABSTOP);
  p.ExStyle |= WS_EX_CONTROLPARENT;
}

void TGroupBox::PaintWindow(HDC dc) {
  ScopedSelect font(dc, FFont.Handle());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  RECT client = ClientRect();
  RECT frame{0, tm.tmHeight / 2, client.right, client.bottom};
  ThemeServices().DrawElement(dc,
                              ThemeServices().GetElementDetails(FEnabled ? TThemedButton::tbGroupBoxNormal
                                                                         : TThemedButton::tbGroupBoxDisabled),
                              frame);
  if (FText.empty() && !HandleAllocated()) return;
  std::wstring text = Widen(Text());
  if (text.empty()) return;
  const UINT flags = DT_SINGLELINE | DT_LEFT | DT_TOP;
  RECT r{0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, flags | DT_CALCRECT);
  // The caption interrupts the frame's top line, with a little air on both sides.
  const int left = UseRightToLeftAlignment() ? client.right - 8 - r.right : 8;
  RECT back{left - 2, 0, left + r.right + 2, r.bottom};
  TBrush brush;
  brush.SetColor(FColor);
  ::FillRect(dc, &back, brush.Handle());
  RECT textRect{left, 0, left + r.right, r.bottom};
  int oldMode = SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(FEnabled ? FFont.Color() : clGrayText));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect, flags);
  SetBkMode(dc, oldMode);
}

void TGroupBox::CMTextChanged(TMessage& m) {
  TWinControl::CMTextChanged(m);
  Invalidate();
}

}  // namespace vellumor
