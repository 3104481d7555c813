#include "Controls.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <stdexcept>

#include "ActnList.h"
#include "SysUtils.h"

namespace vellumor {

namespace {
constexpr wchar_t kControlProp[] = L"Vellumor.Control";
constexpr UINT_PTR kSubclassId = 1;

bool IsMouseMessage(UINT msg) {
  return (msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK);
}

bool IsCtlColor(UINT msg) {
  return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC;
}

LPARAM PackPoint(int x, int y) {
  return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y)));
}

void RegisterOwnClass(const TCreateParams& params, WNDPROC proc) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (GetClassInfoExW(instance, params.WinClassName.c_str(), &wc)) return;
  wc = WNDCLASSEXW{};
  wc.cbSize = sizeof(wc);
  wc.style = params.ClassStyle;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = params.Icon;
  wc.hIconSm = params.SmallIcon;
  wc.lpszClassName = params.WinClassName.c_str();
  if (!RegisterClassExW(&wc)) throw std::runtime_error("The window class could not be registered");
}
}  // namespace

TShiftState KeyboardShiftState() {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

TShiftState MouseShiftState(WPARAM keys) {
  TShiftState s = 0;
  if (keys & MK_SHIFT) s |= ssShift;
  if (keys & MK_CONTROL) s |= ssCtrl;
  if (keys & MK_LBUTTON) s |= ssLeft;
  if (keys & MK_RBUTTON) s |= ssRight;
  if (keys & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

// ---------------------------------------------------------------------------------------------
// TControl

TControl::TControl(TComponent* owner) : TComponent(owner) {
  FFont.OnChange = [this](TGraphicsObject*) { FontChanged(); };
}

TControl::~TControl() {
  if (FAction) FAction->RemoveClient(this);
  FAction = nullptr;
  Destroying();
  if (FParent) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  if (FParent) FParent->RemoveControl(this);
  if (parent) {
    parent->InsertControl(this);
    if (FParentFont) AdoptParentFont();
    Invalidate();
  }
}

void TControl::StoreBounds(int left, int top, int width, int height) {
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  Invalidate();
  StoreBounds(left, top, width, height);
  Invalidate();
}

void TControl::ChangeScale(int multiplier, int divider) {
  SetBounds(MulDiv(FLeft, multiplier, divider), MulDiv(FTop, multiplier, divider),
            MulDiv(FWidth, multiplier, divider), MulDiv(FHeight, multiplier, divider));
}

void TControl::SetVisible(bool value) {
  if (value == FVisible) return;
  if (!value) Invalidate();  // a graphic control's area must be repainted by the parent
  FVisible = value;
  Perform(CM_VISIBLECHANGED, value);
}

void TControl::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetText(const std::string& text) {
  FText = text;
  Perform(CM_TEXTCHANGED);
}

void TControl::SetParentFont(bool value) {
  FParentFont = value;
  if (value && FParent) AdoptParentFont();
}

void TControl::AdoptParentFont() {
  if (!FParent) return;
  FAdoptingParentFont = true;
  FFont.Assign(FParent->Font());
  FAdoptingParentFont = false;
}

void TControl::FontChanged() {
  if (!FAdoptingParentFont) FParentFont = false;
  Perform(CM_FONTCHANGED);
}

void TControl::SetColor(TColor value) {
  if (value == FColor) return;
  FColor = value;
  Perform(CM_COLORCHANGED);
}

void TControl::SetBiDiMode(TBiDiMode value) {
  if (value == FBiDiMode) return;
  FBiDiMode = value;
  Perform(CM_BIDIMODECHANGED);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  WndProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // Without double-click events a double click is just another press.
      if (m.Msg == WM_LBUTTONDBLCLK && !(ControlStyle & csDoubleClicks)) m.Msg = WM_LBUTTONDOWN;
      ControlState |= csLButtonDown;
      WMLButtonDown(m);
      return;
    case WM_LBUTTONUP:
      ControlState &= ~csLButtonDown;
      WMLButtonUp(m);
      return;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      WMOtherButton(m);
      return;
    case WM_MOUSEMOVE:
      WMMouseMove(m);
      return;
    case WM_CANCELMODE:
      WMCancelMode(m);
      return;
    case CM_ENABLEDCHANGED:
      CMEnabledChanged(m);
      return;
    case CM_FONTCHANGED:
      CMFontChanged(m);
      return;
    case CM_PARENTFONTCHANGED:
      CMParentFontChanged(m);
      return;
    case CM_TEXTCHANGED:
      CMTextChanged(m);
      return;
    case CM_VISIBLECHANGED:
      CMVisibleChanged(m);
      return;
    case CM_COLORCHANGED:
      CMColorChanged(m);
      return;
    default:
      DefaultHandler(m);
      return;
  }
}

void TControl::DefaultHandler(TMessage& m) {
  m.Result = 0;
}

void TControl::DispatchMouse(TMessage& m, TMouseButton button, bool down) {
  int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
  TShiftState shift = MouseShiftState(m.WParam);
  if (m.Msg == WM_LBUTTONDBLCLK || m.Msg == WM_RBUTTONDBLCLK || m.Msg == WM_MBUTTONDBLCLK) shift |= ssDouble;
  if (down)
    MouseDown(button, shift, x, y);
  else
    MouseUp(button, shift, x, y);
}

void TControl::WMLButtonDown(TMessage& m) {
  DefaultHandler(m);
  if (ControlStyle & csCaptureMouse) SetMouseCapture(true);
  if (ControlStyle & csClickEvents) ControlState |= csClicked;
  if (m.Msg == WM_LBUTTONDBLCLK) DblClick();
  DispatchMouse(m, TMouseButton::mbLeft, true);
}

void TControl::WMLButtonUp(TMessage& m) {
  DefaultHandler(m);
  if (ControlStyle & csCaptureMouse) SetMouseCapture(false);
  if (ControlState & csClicked) {
    ControlState &= ~csClicked;
    POINT pt{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    RECT client = ClientRect();
    if (PtInRect(&client, pt)) Click();
  }
  DispatchMouse(m, TMouseButton::mbLeft, false);
}

void TControl::WMOtherButton(TMessage& m) {
  DefaultHandler(m);
  bool right = m.Msg == WM_RBUTTONDOWN || m.Msg == WM_RBUTTONUP || m.Msg == WM_RBUTTONDBLCLK;
  bool down = m.Msg != WM_RBUTTONUP && m.Msg != WM_MBUTTONUP;
  DispatchMouse(m, right ? TMouseButton::mbRight : TMouseButton::mbMiddle, down);
}

void TControl::WMMouseMove(TMessage& m) {
  DefaultHandler(m);
  MouseMove(MouseShiftState(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
}

void TControl::WMCancelMode(TMessage& m) {
  DefaultHandler(m);
  if (MouseCapture()) SetMouseCapture(false);
  ControlState &= ~(csClicked | csLButtonDown);
}

void TControl::CMEnabledChanged(TMessage&) {
  Invalidate();
}
void TControl::CMFontChanged(TMessage&) {
  Invalidate();
}
void TControl::CMParentFontChanged(TMessage&) {
  if (FParentFont) AdoptParentFont();
}
void TControl::CMTextChanged(TMessage&) {
  Invalidate();
}
void TControl::CMVisibleChanged(TMessage&) {
  Invalidate();
}
void TControl::CMColorChanged(TMessage&) {
  Invalidate();
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::Click() {
  if (OnClick) {
    OnClick(this);
  } else if (FAction) {
    TAction* action = FAction;
    action->FActionComponent = this;
    action->Execute();
    action->FActionComponent = nullptr;
  }
}

void TControl::SetAction(TAction* action) {
  if (action == FAction) return;
  if (FAction) FAction->RemoveClient(this);
  FAction = action;
  if (action) {
    action->AddClient(this);
    ActionChange(action);
  }
}

// Each property is set only when it differs, so a bound control repaints only on real changes.
void TControl::ActionChange(TAction* action) {
  if (Caption() != action->Caption()) SetCaption(action->Caption());
  SetEnabled(action->Enabled());
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::Invalidate() {
  if (!FParent || !FParent->HandleAllocated() || !FVisible) return;
  RECT r = BoundsRect();
  InvalidateRect(FParent->FHandle, &r, !(ControlStyle & csOpaque));
}

void TControl::Update() {
  if (auto* self = dynamic_cast<TWinControl*>(this)) {
    if (self->HandleAllocated()) UpdateWindow(self->FHandle);
  } else if (FParent && FParent->HandleAllocated()) {
    UpdateWindow(FParent->FHandle);
  }
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

bool TControl::MouseCapture() const {
  if (auto* self = dynamic_cast<const TWinControl*>(this))
    return self->FHandle && GetCapture() == self->FHandle;
  return FParent && FParent->FCaptureControl == this && FParent->FHandle && GetCapture() == FParent->FHandle;
}

// A graphic control borrows its parent's window for the capture; the parent then routes every
// mouse message to it until it lets go.
void TControl::SetMouseCapture(bool value) {
  if (auto* self = dynamic_cast<TWinControl*>(this)) {
    if (value && self->HandleAllocated())
      SetCapture(self->FHandle);
    else if (!value && self->FHandle && GetCapture() == self->FHandle)
      ReleaseCapture();
    return;
  }
  if (!FParent) return;
  if (value) {
    FParent->FCaptureControl = this;
    SetCapture(FParent->Handle());
  } else if (FParent->FCaptureControl == this) {
    FParent->FCaptureControl = nullptr;
    if (FParent->FHandle && GetCapture() == FParent->FHandle) ReleaseCapture();
  }
}

// ---------------------------------------------------------------------------------------------
// TWinControl

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  Destroying();
  TWinControl* root = Root();
  if (root->FFocusedControl == this) root->FFocusedControl = nullptr;
  // Stop dispatch first: from here on the window only sees its class's own procedure.
  HWND window = FHandle;
  if (window) Unbind();
  DestroyComponents();
  while (!FControls.empty())
    delete FControls.back();
  if (FParent) FParent->RemoveControl(this);
  if (window) DestroyWindow(window);
}

TWinControl* TWinControl::Root() {
  TWinControl* c = this;
  while (c->FParent)
    c = c->FParent;
  return c;
}

TWinControl* TWinControl::FocusedControl() const {
  return const_cast<TWinControl*>(this)->Root()->FFocusedControl;
}

TWinControl* TWinControl::FindControl(HWND hwnd) {
  if (!hwnd) return nullptr;
  return static_cast<TWinControl*>(GetPropW(hwnd, kControlProp));
}

HWND TWinControl::Handle() {
  if (!FHandle) {
    if (FParent) FParent->Handle();  // a parent makes its children's windows with its own
    if (!FHandle) CreateHandle();
  }
  return FHandle;
}

void TWinControl::CreateHandle() {
  if (FHandle) return;
  CreateWnd();
  std::vector<TControl*> children = FControls;
  for (TControl* c : children)
    if (auto* w = dynamic_cast<TWinControl*>(c); w && !w->WindowDeferred()) w->CreateHandle();
  ApplyTabOrder();
}

// A hidden control that holds no others gets its window only when it is shown or its window is
// asked for: a hidden staging memo then keeps its text without an edit window laying it out.
bool TWinControl::WindowDeferred() const {
  return !FVisible && !(ControlStyle & csAcceptsControls);
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.Caption = Widen(FText);
  p.Style = WS_CLIPSIBLINGS | (FParent ? WS_CHILD : 0u) | (FVisible ? WS_VISIBLE : 0u) |
            (FTabStop ? WS_TABSTOP : 0u) | (FEnabled ? 0u : WS_DISABLED);
  if (ControlStyle & csFramed) {
    if (FCtl3D)
      p.ExStyle |= WS_EX_CLIENTEDGE;
    else
      p.Style |= WS_BORDER;
  }
  if (UseRightToLeftReading()) p.ExStyle |= WS_EX_RTLREADING;
  if (UseRightToLeftAlignment()) p.ExStyle |= WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR;
  p.X = FLeft;
  p.Y = FTop;
  p.Width = FWidth;
  p.Height = FHeight;
  p.WndParent = FParent ? FParent->Handle() : nullptr;
}

void TWinControl::CreateWnd() {
  TCreateParams p;
  CreateParams(p);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  static UINT nextId = 100;
  HMENU id = (p.Style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nextId++)) : nullptr;
  ControlState |= csCreating;
  HWND hwnd;
  if (p.SubclassOf.empty()) {
    RegisterOwnClass(p, &TWinControl::OwnClassProc);
    hwnd = CreateWindowExW(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width,
                           p.Height, p.WndParent, id, instance, this);
  } else {
    hwnd = CreateWindowExW(p.ExStyle, p.SubclassOf.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width,
                           p.Height, p.WndParent, id, instance, nullptr);
    if (hwnd) {
      // The procedure this very window was made with (the class may be versioned by the manifest).
      FClassProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
      Bind(hwnd);
      SetWindowSubclass(hwnd, &TWinControl::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
      FSubclassed = true;
    }
  }
  ControlState &= ~csCreating;
  if (!hwnd) throw std::runtime_error("The window could not be created");
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), FALSE);
  // The class keeps the icons of its first window; each window carries its own.
  if (p.Icon) SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(p.Icon));
  if (p.SmallIcon) SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(p.SmallIcon));
  UpdateBoundsFromWindow();
  // A subclassed standard window was sized before we saw it: its size handlers run now.
  if (FSubclassed) {
    RECT client{};
    GetClientRect(hwnd, &client);
    Perform(WM_SIZE, SIZE_RESTORED, PackPoint(client.right, client.bottom));
  }
}

void TWinControl::DestroyWnd() {
  if (!FHandle) return;
  FText = Text();
  HWND window = FHandle;
  DestroyWindow(window);
  if (FHandle) Unbind();  // WM_NCDESTROY normally did this
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  std::vector<TControl*> children = FControls;
  for (TControl* c : children)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
  DestroyWnd();
}

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  DestroyHandle();
  CreateHandle();
}

void TWinControl::Bind(HWND hwnd) {
  FHandle = hwnd;
  SetPropW(hwnd, kControlProp, this);
}

void TWinControl::Unbind() {
  if (!FHandle) return;
  if (FSubclassed)
    RemoveWindowSubclass(FHandle, &TWinControl::SubclassProc, kSubclassId);
  else
    SetWindowLongPtrW(FHandle, GWLP_USERDATA, 0);
  RemovePropW(FHandle, kControlProp);
  FSubclassed = false;
  FHandle = nullptr;
}

LRESULT CALLBACK TWinControl::OwnClassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* self = static_cast<TWinControl*>(cs->lpCreateParams);
    if (self) {
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      self->Bind(hwnd);
    }
  }
  auto* self = reinterpret_cast<TWinControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
  return self->Dispatch(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK TWinControl::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR refData) {
  auto* self = reinterpret_cast<TWinControl*>(refData);
  ++self->FSubclassDepth;
  LRESULT result = self->Dispatch(hwnd, msg, wParam, lParam);
  --self->FSubclassDepth;
  return result;
}

// The one place where exceptions stop: nothing may unwind through the system's window code.
LRESULT TWinControl::Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  try {
    WndProc(m);
  } catch (...) {
    HandleException(std::current_exception());
  }
  if (msg == WM_NCDESTROY && FHandle == hwnd) Unbind();
  return m.Result;
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (!FHandle) {
    m.Result = 0;
    return;
  }
  if (FSubclassed) {
    // Inside our subclass procedure the chain goes on; a Perform from outside calls the class.
    if (FSubclassDepth > 0 || !FClassProc)
      m.Result = DefSubclassProc(FHandle, m.Msg, m.WParam, m.LParam);
    else
      m.Result = CallWindowProcW(FClassProc, FHandle, m.Msg, m.WParam, m.LParam);
    return;
  }
  m.Result = DefWindowProcW(FHandle, m.Msg, m.WParam, m.LParam);
}

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      WMPaint(m);
      return;
    case WM_ERASEBKGND:
      WMEraseBkgnd(m);
      return;
    case WM_SIZE:
      WMSize(m);
      return;
    case WM_WINDOWPOSCHANGED:
      UpdateBoundsFromWindow();
      DefaultHandler(m);
      return;
    case WM_SETFOCUS:
      // Focus bookkeeping first, whatever the control's own handler does.
      FocusChanged();
      WMSetFocus(m);
      return;
    case WM_KILLFOCUS:
      WMKillFocus(m);
      return;
    case WM_GETDLGCODE:
      WMGetDlgCode(m);
      return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      WMKeyDown(m);
      return;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      WMKeyUp(m);
      return;
    case WM_CHAR:
      WMChar(m);
      return;
    case WM_DESTROY:
      WMDestroy(m);
      return;
    case WM_CAPTURECHANGED:
      WMCaptureChanged(m);
      return;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(m.WParam) == FHandle && LOWORD(m.LParam) == HTCLIENT && SetControlCursor()) {
        m.Result = TRUE;
        return;
      }
      break;
    case WM_COMMAND:
      if (m.LParam) {
        Reflect(m, reinterpret_cast<HWND>(m.LParam));
        return;
      }
      break;
    case WM_NOTIFY:
      Reflect(m, reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom);
      return;
    case WM_DRAWITEM:
      if (m.WParam) {  // 0 is a menu
        Reflect(m, reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam)->hwndItem);
        return;
      }
      break;
    case WM_MEASUREITEM:
      if (m.WParam && FHandle) {
        Reflect(m,
                GetDlgItem(FHandle, static_cast<int>(reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->CtlID)));
        return;
      }
      break;
    case CM_ENTER:
      CMEnter(m);
      return;
    case CM_EXIT:
      CMExit(m);
      return;
    case CN_COMMAND:
      CNCommand(m);
      return;
    case CN_NOTIFY:
      CNNotify(m);
      return;
    case CN_DRAWITEM:
      CNDrawItem(m);
      return;
    case CN_MEASUREITEM:
      CNMeasureItem(m);
      return;
    default:
      if (IsCtlColor(m.Msg)) {
        Reflect(m, reinterpret_cast<HWND>(m.LParam));
        return;
      }
      if (m.Msg >= CN_BASE + WM_CTLCOLORMSGBOX && m.Msg <= CN_BASE + WM_CTLCOLORSTATIC) {
        CNCtlColor(m);
        return;
      }
      if (IsMouseMessage(m.Msg) && RouteMouseToGraphic(m)) return;
      break;
  }
  TControl::WndProc(m);
}

namespace {
LPCWSTR SystemCursor(TCursor cursor) {
  switch (cursor) {
    case crArrow:
      return IDC_ARROW;
    case crIBeam:
      return IDC_IBEAM;
    case crHandPoint:
      return IDC_HAND;
    case crCross:
      return IDC_CROSS;
    case crHourGlass:
      return IDC_WAIT;
    case crSizeWE:
      return IDC_SIZEWE;
    case crSizeNS:
      return IDC_SIZENS;
    case crNo:
      return IDC_NO;
    default:
      return nullptr;
  }
}
}  // namespace

// The pointer over the client area is the Cursor of the graphic child under it, or this
// control's own; crDefault leaves it to the window class.
bool TWinControl::SetControlCursor() {
  POINT pt{};
  GetCursorPos(&pt);
  ScreenToClient(FHandle, &pt);
  TControl* under = FCaptureControl ? FCaptureControl : ControlAtPos(pt.x, pt.y);
  TCursor cursor = under && under->FCursor != crDefault ? under->FCursor : FCursor;
  LPCWSTR name = SystemCursor(cursor);
  if (!name) return false;
  ::SetCursor(LoadCursorW(nullptr, name));
  return true;
}

// The child is found from the handle the message carries; a 0 result of a colour message means
// the child did not handle it, so the parent's default colours apply.
void TWinControl::Reflect(TMessage& m, HWND child) {
  TWinControl* control = FindControl(child);
  if (control && control != this) {
    m.Result = control->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
    if (IsCtlColor(m.Msg) && m.Result == 0) DefaultHandler(m);
    return;
  }
  DefaultHandler(m);
}

bool TWinControl::RouteMouseToGraphic(TMessage& m) {
  int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
  TControl* target = FCaptureControl;
  if (!target) target = ControlAtPos(x, y);
  if (!target) return false;
  TMessage forwarded{m.Msg, m.WParam, PackPoint(x - target->FLeft, y - target->FTop), 0};
  target->WndProc(forwarded);
  m.Result = forwarded.Result;
  return true;
}

TControl* TWinControl::ControlAtPos(int x, int y) const {
  POINT pt{x, y};
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* c = *it;
    if (dynamic_cast<TWinControl*>(c)) continue;
    if (!c->FVisible || !c->FEnabled) continue;
    RECT r = c->BoundsRect();
    if (PtInRect(&r, pt)) return c;
  }
  return nullptr;
}

bool TWinControl::ContainsControl(const TControl* control) const {
  for (const TControl* c = control; c; c = c->FParent)
    if (c == this) return true;
  return false;
}

void TWinControl::InsertControl(TControl* control) {
  FControls.push_back(control);
  control->FParent = this;
  if (auto* w = dynamic_cast<TWinControl*>(control)) FTabList.push_back(w);
}

int TWinControl::TabOrder() const {
  if (!FParent) return -1;
  const auto& list = FParent->FTabList;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int value) {
  if (!FParent) return;
  auto& list = FParent->FTabList;
  int count = static_cast<int>(list.size());
  if (value < 0 || value >= count) value = count - 1;
  list.erase(std::find(list.begin(), list.end(), this));
  list.insert(list.begin() + value, this);
  FParent->ApplyTabOrder();
}

// The dialog navigation follows the windows' z-order, so the windows are stacked in tab order.
void TWinControl::ApplyTabOrder() {
  HWND after = HWND_TOP;
  for (TWinControl* w : FTabList) {
    if (!w->FHandle) continue;
    SetWindowPos(w->FHandle, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    after = w->FHandle;
  }
}

void TWinControl::RemoveControl(TControl* control) {
  if (control->FVisible) control->Invalidate();
  FControls.erase(std::remove(FControls.begin(), FControls.end(), control), FControls.end());
  FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), control), FTabList.end());
  if (FCaptureControl == control) {
    FCaptureControl = nullptr;
    if (FHandle && GetCapture() == FHandle) ReleaseCapture();
  }
  TWinControl* root = Root();
  if (auto* w = dynamic_cast<TWinControl*>(control);
      w && root->FFocusedControl && w->ContainsControl(root->FFocusedControl))
    root->FFocusedControl = nullptr;
  control->FParent = nullptr;
}

void TWinControl::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  if (FHandle) DestroyHandle();
  TControl::SetParent(parent);
  if (parent && parent->HandleAllocated()) {
    CreateHandle();
    parent->ApplyTabOrder();
  }
}

void TWinControl::UpdateBoundsFromWindow() {
  if (!FHandle) return;
  RECT r{};
  GetWindowRect(FHandle, &r);
  if (GetWindowLongW(FHandle, GWL_STYLE) & WS_CHILD)
    MapWindowPoints(nullptr, GetParent(FHandle), reinterpret_cast<POINT*>(&r), 2);
  StoreBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  StoreBounds(left, top, width, height);
  if (FHandle) SetWindowPos(FHandle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int TWinControl::ClientWidth() const {
  if (!FHandle) return FWidth;
  RECT r{};
  GetClientRect(FHandle, &r);
  return r.right;
}

int TWinControl::ClientHeight() const {
  if (!FHandle) return FHeight;
  RECT r{};
  GetClientRect(FHandle, &r);
  return r.bottom;
}

std::string TWinControl::Text() const {
  if (!FHandle) return FText;
  int length = GetWindowTextLengthW(FHandle);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  int got = GetWindowTextW(FHandle, text.data(), length + 1);
  text.resize(static_cast<size_t>(std::max(got, 0)));
  return Narrow(text);
}

void TWinControl::SetText(const std::string& text) {
  if (FHandle)
    SetWindowTextW(FHandle, Widen(text).c_str());
  else
    FText = text;
  Perform(CM_TEXTCHANGED);
}

void TWinControl::Invalidate() {
  if (FHandle) InvalidateRect(FHandle, nullptr, !(ControlStyle & csOpaque));
}

void TWinControl::PaintTo(HDC dc, int x, int y) {
  if (!FHandle) return;
  int saved = SaveDC(dc);
  OffsetViewportOrgEx(dc, x, y, nullptr);
  RECT client = ClientRect();
  IntersectClipRect(dc, 0, 0, client.right, client.bottom);
  if (FSubclassed) {
    SendMessageW(FHandle, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  } else {
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc));
    Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc));
  }
  for (TControl* c : FControls)
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->FVisible) w->PaintTo(dc, w->FLeft, w->FTop);
  RestoreDC(dc, saved);
}

void TWinControl::SetTabStop(bool value) {
  if (value == FTabStop) return;
  FTabStop = value;
  if (FHandle) {
    LONG style = GetWindowLongW(FHandle, GWL_STYLE);
    SetWindowLongW(FHandle, GWL_STYLE, value ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
  }
}

void TWinControl::SetCtl3D(bool value) {
  if (value == FCtl3D) return;
  FCtl3D = value;
  Perform(CM_CTL3DCHANGED);
  RecreateWnd();
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->FParent)
    if (!c->FVisible || !c->FEnabled) return false;
  return true;
}

void TWinControl::SetFocus() {
  ::SetFocus(Handle());
}

bool TWinControl::Focused() const {
  return FHandle && GetFocus() == FHandle;
}

// Focus moving inside one window tree: the controls it leaves hear CM_EXIT, innermost first,
// and the controls it enters hear CM_ENTER, outermost first; a control that contains both the
// old and the new focus hears neither.
void TWinControl::FocusChanged() {
  TWinControl* root = Root();
  TWinControl* old = root->FFocusedControl;
  if (old == this) return;
  root->FFocusedControl = this;
  if (old) {
    for (TWinControl* c = old; c && c != root && !c->ContainsControl(this); c = c->FParent) {
      c->Perform(CM_EXIT);
      if (root->FFocusedControl != this) return;  // an exit handler moved the focus on
    }
  }
  std::vector<TWinControl*> entered;
  for (TWinControl* c = this; c && c != root && !(old && c->ContainsControl(old)); c = c->FParent)
    entered.push_back(c);
  for (auto it = entered.rbegin(); it != entered.rend(); ++it)
    (*it)->Perform(CM_ENTER);
  if (root->FFocusedControl == this) NotifyFocusChanged(root, this);
}

// Every windowed control of the tree hears where the focus is now (push buttons move the default
// look with it).
void TWinControl::NotifyFocusChanged(TWinControl* parent, TWinControl* focused) {
  std::vector<TControl*> children = parent->FControls;
  for (TControl* c : children) {
    auto* w = dynamic_cast<TWinControl*>(c);
    if (!w) continue;
    w->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(focused));
    NotifyFocusChanged(w, focused);
  }
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(wchar_t& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::PaintWindow(HDC) {}

void TWinControl::PaintControls(HDC dc, const RECT& update) {
  std::vector<TControl*> children = FControls;
  for (TControl* c : children) {
    if (dynamic_cast<TWinControl*>(c) || !c->FVisible) continue;
    RECT r = c->BoundsRect(), hit{};
    if (IntersectRect(&hit, &r, &update)) c->PaintTo(dc, c->FLeft, c->FTop);
  }
}

void TWinControl::WMPaint(TMessage& m) {
  if (FSubclassed) {
    DefaultHandler(m);
    return;
  }
  if (m.WParam) {  // painting into a given context (PaintTo)
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    PaintWindow(dc);
    PaintControls(dc, ClientRect());
    return;
  }
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(FHandle, &ps);
  PaintWindow(dc);
  PaintControls(dc, ps.rcPaint);
  EndPaint(FHandle, &ps);
}

void TWinControl::WMEraseBkgnd(TMessage& m) {
  if (FSubclassed) {
    DefaultHandler(m);
    return;
  }
  RECT r = ClientRect();
  FBrush.SetColor(FColor);
  ::FillRect(reinterpret_cast<HDC>(m.WParam), &r, FBrush.Handle());
  m.Result = 1;
}

void TWinControl::WMSize(TMessage& m) {
  DefaultHandler(m);
}
void TWinControl::WMSetFocus(TMessage& m) {
  DefaultHandler(m);
}
void TWinControl::WMKillFocus(TMessage& m) {
  DefaultHandler(m);
}
void TWinControl::WMGetDlgCode(TMessage& m) {
  DefaultHandler(m);
}
void TWinControl::WMDestroy(TMessage& m) {
  DefaultHandler(m);
}

void TWinControl::WMKeyDown(TMessage& m) {
  WORD key = static_cast<WORD>(m.WParam);
  KeyDown(key, KeyboardShiftState());
  if (key == 0 || KeepsKeyFromWindow(key)) return;
  m.WParam = key;
  DefaultHandler(m);
}

void TWinControl::WMKeyUp(TMessage& m) {
  WORD key = static_cast<WORD>(m.WParam);
  KeyUp(key, KeyboardShiftState());
  if (key == 0) return;
  m.WParam = key;
  DefaultHandler(m);
}

void TWinControl::WMChar(TMessage& m) {
  const wchar_t typed = static_cast<wchar_t>(m.WParam);
  wchar_t key = typed;
  KeyPress(key);
  if (key == 0 || KeepsCharFromWindow(typed)) return;
  m.WParam = key;
  DefaultHandler(m);
}

void TWinControl::WMCaptureChanged(TMessage& m) {
  // A graphic child that held our capture has lost it to another window.
  if (FCaptureControl && reinterpret_cast<HWND>(m.LParam) != FHandle) {
    TControl* lost = FCaptureControl;
    FCaptureControl = nullptr;
    lost->Perform(WM_CANCELMODE);
  }
  DefaultHandler(m);
}

void TWinControl::CMEnter(TMessage&) {
  DoEnter();
}
void TWinControl::CMExit(TMessage&) {
  DoExit();
}

void TWinControl::CMFontChanged(TMessage& m) {
  TControl::CMFontChanged(m);
  if (FHandle) SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Handle()), TRUE);
  std::vector<TControl*> children = FControls;
  for (TControl* c : children)
    c->Perform(CM_PARENTFONTCHANGED);
}

void TWinControl::CMEnabledChanged(TMessage& m) {
  if (FHandle && !FEnabled) {
    HWND focus = GetFocus();
    if (focus && Root() != this && (focus == FHandle || IsChild(FHandle, focus)))
      Root()->DefocusControl(this);
  }
  if (FHandle) EnableWindow(FHandle, FEnabled);
  TControl::CMEnabledChanged(m);
}

void TWinControl::DefocusControl(TWinControl*) {
  if (FHandle) ::SetFocus(FHandle);
}

void TWinControl::CMVisibleChanged(TMessage&) {
  if (FHandle) {
    ShowWindow(FHandle, FVisible ? SW_SHOWNA : SW_HIDE);
  } else if (FVisible && FParent && FParent->HandleAllocated()) {
    CreateHandle();
    FParent->ApplyTabOrder();
  }
}

void TWinControl::CMColorChanged(TMessage& m) {
  FBrush.SetColor(FColor);
  TControl::CMColorChanged(m);
}

void TWinControl::CNCommand(TMessage&) {}
void TWinControl::CNNotify(TMessage&) {}
void TWinControl::CNDrawItem(TMessage&) {}
void TWinControl::CNMeasureItem(TMessage&) {}

void TWinControl::CNCtlColor(TMessage& m) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  SetTextColor(dc, ColorToRGB(FFont.Color()));
  SetBkColor(dc, ColorToRGB(FColor));
  FBrush.SetColor(FColor);
  m.Result = reinterpret_cast<LRESULT>(FBrush.Handle());
}

// ---------------------------------------------------------------------------------------------
// TGraphicControl

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

TGraphicControl::~TGraphicControl() {
  FCanvas.SetHandle(nullptr);
}

void TGraphicControl::PaintTo(HDC dc, int x, int y) {
  int saved = SaveDC(dc);
  OffsetViewportOrgEx(dc, x, y, nullptr);
  IntersectClipRect(dc, 0, 0, FWidth, FHeight);
  FCanvas.Font.Assign(FFont);
  FCanvas.SetHandle(dc);
  try {
    Paint();
  } catch (...) {
    FCanvas.SetHandle(nullptr);
    RestoreDC(dc, saved);
    throw;
  }
  FCanvas.SetHandle(nullptr);
  RestoreDC(dc, saved);
}

}  // namespace vellumor
