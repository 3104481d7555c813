#include "ComCtrls.h"

#include <commctrl.h>

#include <algorithm>

#include "StdCtrls.h"
#include "SysUtils.h"

namespace vellumor {

// ---------------------------------------------------------------------------------------------
// TTabSheet

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
  ControlStyle = csAcceptsControls | csSetCaption | csDoubleClicks;
  FVisible = false;  // until its page control shows it
  FWidth = 200;
  FHeight = 150;
}

TTabSheet::~TTabSheet() {
  if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* value) {
  SetParent(value);
}

void TTabSheet::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  if (FPageControl) FPageControl->RemovePage(this);
  TWinControl::SetParent(parent);
  if (auto* pageControl = dynamic_cast<TPageControl*>(parent)) pageControl->InsertPage(this);
}

int TTabSheet::PageIndex() const {
  if (!FPageControl) return -1;
  const auto& pages = FPageControl->FPages;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

// A control parent, so the dialog navigation walks into the page.
void TTabSheet::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.WinClassName = L"VellumorTabSheet";
  p.Style |= WS_CLIPCHILDREN;
  p.Style &= ~static_cast<DWORD>(WS_TABSTOP);
  p.ExStyle |= WS_EX_CONTROLPARENT;
}

void TTabSheet::CMTextChanged(TMessage& m) {
  TWinControl::CMTextChanged(m);
  if (FPageControl) FPageControl->UpdateTab(this);
}

// ---------------------------------------------------------------------------------------------
// TPageControl

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
  ControlStyle = csAcceptsControls | csDoubleClicks;
  FWidth = 289;
  FHeight = 193;
  FTabStop = true;
}

// The sheets outlive this part of the object (the base deletes them), so they forget it first.
TPageControl::~TPageControl() {
  for (TTabSheet* page : FPages)
    page->FPageControl = nullptr;
  FPages.clear();
  FActivePage = nullptr;
}

void TPageControl::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TAB_CLASSES};
  InitCommonControlsEx(&icc);
  p.SubclassOf = WC_TABCONTROLW;
  p.Style |= WS_CLIPCHILDREN | TCS_TABS | TCS_SINGLELINE;
  if (FHotTrack) p.Style |= TCS_HOTTRACK;
}

void TPageControl::CreateWnd() {
  TWinControl::CreateWnd();
  for (size_t i = 0; i < FPages.size(); ++i) {
    std::wstring text = Widen(FPages[i]->Text());
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(FHandle, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  SendMessageW(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(ActivePageIndex()), 0);
  LayoutSheets();
}

void TPageControl::SetHotTrack(bool value) {
  if (value == FHotTrack) return;
  FHotTrack = value;
  if (FHandle) {
    LONG style = GetWindowLongW(FHandle, GWL_STYLE);
    SetWindowLongW(FHandle, GWL_STYLE, value ? (style | TCS_HOTTRACK) : (style & ~TCS_HOTTRACK));
    Invalidate();
  }
}

RECT TPageControl::DisplayRect() {
  if (!FHandle) return RECT{4, 24, std::max(FWidth - 4, 4), std::max(FHeight - 4, 24)};
  RECT r{};
  GetClientRect(FHandle, &r);
  SendMessageW(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

void TPageControl::LayoutSheets() {
  RECT r = DisplayRect();
  for (TTabSheet* page : FPages)
    page->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TPageControl::SetBounds(int left, int top, int width, int height) {
  TWinControl::SetBounds(left, top, width, height);
  LayoutSheets();
}

void TPageControl::WMSize(TMessage& m) {
  DefaultHandler(m);
  LayoutSheets();
}

void TPageControl::InsertPage(TTabSheet* page) {
  FPages.push_back(page);
  page->FPageControl = this;
  if (FHandle) {
    std::wstring text = Widen(page->Text());
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(FHandle, TCM_INSERTITEMW, FPages.size() - 1, reinterpret_cast<LPARAM>(&item));
  }
  RECT r = DisplayRect();
  page->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  // The first page shows at once, so the selected tab always has its page.
  if (!FActivePage)
    ChangeActivePage(page);
  else
    page->SetVisible(false);
}

void TPageControl::RemovePage(TTabSheet* page) {
  auto it = std::find(FPages.begin(), FPages.end(), page);
  if (it == FPages.end()) return;
  const int index = static_cast<int>(it - FPages.begin());
  FPages.erase(it);
  page->FPageControl = nullptr;
  if (FHandle) SendMessageW(FHandle, TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
  if (FActivePage == page) {
    FActivePage = nullptr;
    if (!FPages.empty() && !(ComponentState() & csDestroying))
      ChangeActivePage(FPages[static_cast<size_t>(std::min(index, PageCount() - 1))]);
  } else if (FHandle) {
    SendMessageW(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(ActivePageIndex()), 0);
  }
}

void TPageControl::UpdateTab(TTabSheet* page) {
  if (!FHandle) return;
  std::wstring text = Widen(page->Text());
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text.data();
  SendMessageW(FHandle, TCM_SETITEMW, static_cast<WPARAM>(page->PageIndex()),
               reinterpret_cast<LPARAM>(&item));
  LayoutSheets();  // the tab row may have grown
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->FPageControl != this) return;
  ChangeActivePage(page);
}

void TPageControl::SetActivePageIndex(int value) {
  if (value >= 0 && value < PageCount())
    ChangeActivePage(FPages[static_cast<size_t>(value)]);
  else
    ChangeActivePage(nullptr);
}

// A focus inside the page going away moves to the first tab stop of the new page, or to the tab
// strip when that page has none; otherwise the focus stays where it is.
void TPageControl::ChangeActivePage(TTabSheet* page) {
  if (page == FActivePage) return;
  TTabSheet* old = FActivePage;
  HWND focus = GetFocus();
  const bool focusOnOld =
      old && old->HandleAllocated() && focus && (focus == old->Handle() || IsChild(old->Handle(), focus));
  FActivePage = page;
  if (page) page->SetVisible(true);
  if (old) old->SetVisible(false);
  if (FHandle) SendMessageW(FHandle, TCM_SETCURSEL, static_cast<WPARAM>(ActivePageIndex()), 0);
  if (focusOnOld) {
    TWinControl* first = page ? FindNextControl(page, nullptr, true, true) : nullptr;
    if (first)
      first->SetFocus();
    else if (CanFocus())
      SetFocus();
  }
}

void TPageControl::SelectNextPage(bool goForward) {
  const int count = PageCount();
  if (count == 0) return;
  int index = ActivePageIndex();
  if (index < 0)
    index = goForward ? 0 : count - 1;
  else
    index = (index + (goForward ? 1 : count - 1)) % count;
  if (FPages[static_cast<size_t>(index)] == FActivePage) return;
  ChangeActivePage(FPages[static_cast<size_t>(index)]);
  Change();
}

void TPageControl::Change() {
  if (OnChange) OnChange(this);
}

void TPageControl::CNNotify(TMessage& m) {
  const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
  switch (header->code) {
    case TCN_SELCHANGING:
      m.Result = FALSE;
      break;
    case TCN_SELCHANGE: {
      LRESULT index = SendMessageW(FHandle, TCM_GETCURSEL, 0, 0);
      if (index >= 0 && index < PageCount()) {
        ChangeActivePage(FPages[static_cast<size_t>(index)]);
        Change();
      }
      break;
    }
    default:
      break;
  }
}

void TPageControl::WMKeyDown(TMessage& m) {
  WORD key = static_cast<WORD>(m.WParam);
  TShiftState shift = KeyboardShiftState();
  KeyDown(key, shift);
  if (key == 0) return;
  if (DispatchPageKey(this, key, shift)) return;
  m.WParam = key;
  DefaultHandler(m);
}

void TPageControl::WMGetDlgCode(TMessage& m) {
  DefaultHandler(m);
  const auto* msg = reinterpret_cast<const MSG*>(m.LParam);
  if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_TAB && GetKeyState(VK_CONTROL) < 0)
    m.Result |= DLGC_WANTMESSAGE;
}

bool DispatchPageKey(TWinControl* focused, WORD key, TShiftState shift) {
  if (key != VK_TAB || !(shift & ssCtrl) || (shift & ssAlt)) return false;
  for (TWinControl* c = focused; c; c = c->Parent())
    if (auto* pageControl = dynamic_cast<TPageControl*>(c)) {
      pageControl->SelectNextPage(!(shift & ssShift));
      return true;
    }
  return false;
}

}  // namespace vellumor
