#include "Forms.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "ActnList.h"
#include "ComCtrls.h"
#include "StdCtrls.h"
#include "SysUtils.h"

namespace vellumor {

int ScreenTextHeight(TFont& font) {
  ScreenDC screen;
  ScopedSelect select(screen.Get(), font.Handle());
  TEXTMETRICW tm{};
  if (!GetTextMetricsW(screen.Get(), &tm)) return 0;
  return tm.tmHeight;
}

RECT WorkAreaOf(HMONITOR monitor) {
  RECT primary{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &primary, 0);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!monitor || !GetMonitorInfoW(monitor, &info)) return primary;
  RECT work = info.rcWork;
  if (info.dwFlags & MONITORINFOF_PRIMARY) IntersectRect(&work, &work, &primary);
  return work;
}

namespace {
bool HasClass(HWND hwnd, const wchar_t* name) {
  wchar_t buffer[32] = {};
  GetClassNameW(hwnd, buffer, static_cast<int>(std::size(buffer)));
  return lstrcmpiW(buffer, name) == 0;
}

// Visible with every container up to (not including) root.
bool ShowingWithin(const TControl* control, const TWinControl* root) {
  for (const TControl* c = control; c && c != root; c = c->Parent())
    if (!c->Visible()) return false;
  return true;
}

// The innermost framework control that is hwnd or holds it.
TWinControl* ControlOf(HWND hwnd) {
  for (HWND h = hwnd; h; h = GetParent(h))
    if (TWinControl* c = TWinControl::FindControl(h)) return c;
  return nullptr;
}

// The program's icon (MAINICON) at the system's size for it; null when the program has none.
// Shared: the system keeps one copy per size and frees it with the program.
HICON ProgramIcon(int widthMetric, int heightMetric) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON,
                                       GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric),
                                       LR_SHARED));
}

void ScaleChildren(TWinControl* parent, int multiplier, int divider) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    // Children first: a container that lays out its children on resize (a page control and
    // its sheets) then has the last word.
    if (auto* w = dynamic_cast<TWinControl*>(c)) ScaleChildren(w, multiplier, divider);
    c->ChangeScale(multiplier, divider);
  }
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// TForm

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  FVisible = false;
  FLeft = CW_USEDEFAULT;
  FTop = CW_USEDEFAULT;
  FWidth = 320;
  FHeight = 240;
  FColor = clBtnFace;
  ControlStyle = csAcceptsControls | csSetCaption | csClickEvents;
  // The font keeps its point size at any screen density; the layout scales with it.
  FFont.SetSize(8);
  FParentFont = false;
}

TForm::~TForm() {
  if (Application && Application->MainForm() == this) Application->SetMainForm(nullptr);
}

DWORD TForm::FrameStyle() const {
  DWORD style = 0;
  bool icons = false;
  switch (FBorderStyle) {
    case TFormBorderStyle::bsNone:
      return WS_POPUP;
    case TFormBorderStyle::bsSingle:
      style = WS_CAPTION | WS_BORDER;
      icons = true;
      break;
    case TFormBorderStyle::bsSizeable:
      style = WS_CAPTION | WS_THICKFRAME;
      icons = true;
      break;
    case TFormBorderStyle::bsDialog:
      style = WS_POPUP | WS_CAPTION;
      break;
    case TFormBorderStyle::bsToolWindow:
      style = WS_CAPTION | WS_BORDER;
      break;
    case TFormBorderStyle::bsSizeToolWin:
      style = WS_CAPTION | WS_THICKFRAME;
      break;
  }
  if (FBorderIcons & biSystemMenu) {
    style |= WS_SYSMENU;
    if (icons && (FBorderIcons & biMinimize)) style |= WS_MINIMIZEBOX;
    if (icons && (FBorderIcons & biMaximize)) style |= WS_MAXIMIZEBOX;
  }
  return style;
}

DWORD TForm::FrameExStyle() const {
  DWORD ex = 0;
  switch (FBorderStyle) {
    case TFormBorderStyle::bsDialog:
      ex = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
    case TFormBorderStyle::bsToolWindow:
    case TFormBorderStyle::bsSizeToolWin:
      ex = WS_EX_TOOLWINDOW;
      break;
    default:
      break;
  }
  // The system shows a help button only on a frame without minimise and maximise boxes.
  DWORD style = FrameStyle();
  if ((FBorderIcons & biHelp) && (style & WS_SYSMENU) && !(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)))
    ex |= WS_EX_CONTEXTHELP;
  return ex;
}

void TForm::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.WinClassName = L"VellumorForm";
  p.Style = FrameStyle() | WS_CLIPCHILDREN | (FVisible ? WS_VISIBLE : 0u);
  p.ExStyle |= FrameExStyle() | WS_EX_CONTROLPARENT;
  p.Icon = ProgramIcon(SM_CXICON, SM_CYICON);
  p.SmallIcon = ProgramIcon(SM_CXSMICON, SM_CYSMICON);
  switch (FPosition) {
    case TPosition::poDesigned:
      break;
    case TPosition::poDefault:
      p.X = p.Y = CW_USEDEFAULT;
      p.Width = p.Height = CW_USEDEFAULT;
      break;
    case TPosition::poDefaultPosOnly:
      p.X = p.Y = CW_USEDEFAULT;
      break;
    case TPosition::poDefaultSizeOnly:
      p.Width = p.Height = CW_USEDEFAULT;
      break;
    case TPosition::poScreenCenter: {
      const RECT work = WorkAreaOf(nullptr);
      p.X = work.left + (work.right - work.left - p.Width) / 2;
      p.Y = work.top + (work.bottom - work.top - p.Height) / 2;
      break;
    }
  }
}

void TForm::SetBorderStyle(TFormBorderStyle value) {
  if (value == FBorderStyle) return;
  FBorderStyle = value;
  ApplyClientSize();
  RecreateWnd();
}

void TForm::SetBorderIcons(TBorderIcons value) {
  if (value == FBorderIcons) return;
  FBorderIcons = value;
  ApplyClientSize();
  RecreateWnd();
}

void TForm::SetPosition(TPosition value) {
  FPosition = value;
}

void TForm::SetClientWidth(int value) {
  FClientWidth = value;
  ApplyClientSize();
}

void TForm::SetClientHeight(int value) {
  FClientHeight = value;
  ApplyClientSize();
}

void TForm::ApplyClientSize() {
  if (FClientWidth < 0 && FClientHeight < 0) return;
  int width = FWidth, height = FHeight;
  if (FHandle) {
    // The frame the window really has (a theme may differ from the metrics' sum).
    RECT window{}, client{};
    GetWindowRect(FHandle, &window);
    GetClientRect(FHandle, &client);
    if (FClientWidth >= 0) width = FClientWidth + (window.right - window.left) - client.right;
    if (FClientHeight >= 0) height = FClientHeight + (window.bottom - window.top) - client.bottom;
  } else {
    RECT r{0, 0, std::max(FClientWidth, 0), std::max(FClientHeight, 0)};
    AdjustWindowRectEx(&r, FrameStyle(), FALSE, FrameExStyle());
    if (FClientWidth >= 0) width = r.right - r.left;
    if (FClientHeight >= 0) height = r.bottom - r.top;
  }
  SetBounds(FLeft, FTop, width, height);
}

int TForm::ClientWidth() const {
  if (!FHandle && FClientWidth >= 0) return FClientWidth;
  return TWinControl::ClientWidth();
}

int TForm::ClientHeight() const {
  if (!FHandle && FClientHeight >= 0) return FClientHeight;
  return TWinControl::ClientHeight();
}

void TForm::ScaleBy(int multiplier, int divider) {
  if (multiplier <= 0 || divider <= 0 || multiplier == divider) return;
  if (FClientWidth >= 0) FClientWidth = MulDiv(FClientWidth, multiplier, divider);
  if (FClientHeight >= 0) FClientHeight = MulDiv(FClientHeight, multiplier, divider);
  if (FClientWidth >= 0 || FClientHeight >= 0)
    ApplyClientSize();
  else
    SetBounds(FLeft, FTop, MulDiv(FWidth, multiplier, divider), MulDiv(FHeight, multiplier, divider));
  // The form's size first: top-aligned controls take its new client width as they are scaled.
  ScaleChildren(this, multiplier, divider);
}

// Layouts are made at 96 pixels per inch; at another density the font keeps its point size and
// so grows in pixels, and positions and sizes grow with its text height.
void TForm::ScaleForDpi() {
  if (!Scaled || FScaledForDpi) return;
  FScaledForDpi = true;
  if (ScreenPixelsPerInch() == 96) return;
  int height = ScreenTextHeight(FFont);
  if (height <= 0 || TextHeight <= 0 || height == TextHeight) return;
  ScaleBy(height, TextHeight);
  TextHeight = height;
}

void TForm::Loaded() {
  TWinControl::Loaded();
  ScaleForDpi();
}

void TForm::DoCreate() {
  if (FCreated) return;
  FCreated = true;
  if (OnCreate) OnCreate(this);
}

void TForm::SetActiveControl(TWinControl* control) {
  if (control && ContainsControl(control) && control->CanFocus()) control->SetFocus();
}

void TForm::CMVisibleChanged(TMessage& m) {
  if (FVisible) {
    DoCreate();
    if (!FHandle) {
      // Made hidden, so OnShow can fill controls before anything is painted.
      FVisible = false;
      Handle();
      FVisible = true;
      // The frame is known only now: make the client area the size asked for.
      ApplyClientSize();
    }
    if (!FShownOnce) {
      FShownOnce = true;
      if (OnShow) OnShow(this);
    }
    ShowWindow(FHandle, SW_SHOW);
    UpdateWindow(FHandle);
    return;
  }
  TWinControl::CMVisibleChanged(m);
}

void TForm::Close() {
  if (OnClose) OnClose(this);
  SetVisible(false);
  if (Application && Application->MainForm() == this) Application->Terminate();
}

void TForm::FocusFirstControl() {
  if (TWinControl* first = FindNextControl(this, nullptr, true, true))
    first->SetFocus();
  else
    ::SetFocus(FHandle);
}

// Snaps each edge that is within SnapBuffer of the same edge of the monitor's work area.
// The focus goes on in tab order, as Tab would take it, to what can still take it.
void TForm::DefocusControl(TWinControl* control) {
  if (TWinControl* next = FindNextControl(this, control, true, true))
    next->SetFocus();
  else
    TWinControl::DefocusControl(control);
}

void TForm::SnapToWorkArea(RECT& r) const {
  const RECT work = WorkAreaOf(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST));
  int width = r.right - r.left, height = r.bottom - r.top;
  if (std::abs(r.left - work.left) <= SnapBuffer)
    r.left = work.left;
  else if (std::abs(r.right - work.right) <= SnapBuffer)
    r.left = work.right - width;
  if (std::abs(r.top - work.top) <= SnapBuffer)
    r.top = work.top;
  else if (std::abs(r.bottom - work.bottom) <= SnapBuffer)
    r.top = work.bottom - height;
  r.right = r.left + width;
  r.bottom = r.top + height;
}

namespace {
// The system keeps the low four bits of a command for itself and its own commands from 0xF000 up.
constexpr UINT kFirstSystemMenuCommand = 0x100;
constexpr UINT kSystemMenuCommandStep = 0x10;
}  // namespace

void TForm::AddSystemMenuItem(const std::string& caption, TNotifyEvent onClick) {
  FSystemMenuItems.push_back({caption, std::move(onClick)});
  if (FHandle) AppendSystemMenuItems();
}

// The system menu is made anew with each window.
void TForm::CreateWnd() {
  FSystemMenuShown = 0;
  TWinControl::CreateWnd();
  AppendSystemMenuItems();
}

void TForm::AppendSystemMenuItems() {
  HMENU menu = FSystemMenuItems.empty() ? nullptr : GetSystemMenu(FHandle, FALSE);
  if (!menu) return;
  for (; FSystemMenuShown < FSystemMenuItems.size(); ++FSystemMenuShown) {
    if (FSystemMenuShown == 0) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    UINT command = kFirstSystemMenuCommand + kSystemMenuCommandStep * static_cast<UINT>(FSystemMenuShown);
    AppendMenuW(menu, MF_STRING, command, Widen(FSystemMenuItems[FSystemMenuShown].caption).c_str());
  }
}

void TForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case WM_ACTIVATE:
      // Coming back to the form puts the focus where the user left it; the first time, on the
      // first control in tab order.
      if (LOWORD(m.WParam) != WA_INACTIVE && !HIWORD(m.WParam)) {
        TWinControl* last = FocusedControl();
        if (last && last != this && last->CanFocus()) {
          last->SetFocus();
          return;
        }
        FocusFirstControl();
        return;
      }
      break;
    case WM_SETFOCUS: {
      // Minimise and restore focus the frame itself, and the user's place must survive that: the
      // focus goes back to the control that had it. While iconic the frame holds the keys and the
      // control stays recorded for the restore.
      if (IsIconic(FHandle)) {
        DefaultHandler(m);
        return;
      }
      TWinControl* last = ActiveControl();
      if (last && last->HandleAllocated() && last->CanFocus()) {
        last->SetFocus();
        return;
      }
      break;
    }
    case WM_ENTERSIZEMOVE:
      // The user's move loop: the place the drag asks for is measured from where it began, so a
      // snapped window leaves the edge as soon as the pointer has moved past the buffer.
      FDragging = true;
      GetWindowRect(FHandle, &FDragStartRect);
      GetCursorPos(&FDragStartCursor);
      break;
    case WM_EXITSIZEMOVE:
      FDragging = false;
      break;
    case WM_MOVING:
      if (ScreenSnap && FDragging) {
        auto* r = reinterpret_cast<RECT*>(m.LParam);
        POINT cursor{};
        GetCursorPos(&cursor);
        *r = FDragStartRect;
        OffsetRect(r, cursor.x - FDragStartCursor.x, cursor.y - FDragStartCursor.y);
        SnapToWorkArea(*r);
        m.Result = TRUE;
        return;
      }
      break;
    case WM_SYSCOMMAND: {
      // Without the box or a sizing frame the commands stay unavailable from the system menu,
      // a caption double click or a keyboard shortcut alike.
      UINT command = static_cast<UINT>(m.WParam & 0xFFF0);
      if (command >= kFirstSystemMenuCommand && command < 0xF000) {
        size_t index = (command - kFirstSystemMenuCommand) / kSystemMenuCommandStep;
        if (index < FSystemMenuItems.size()) {
          if (FSystemMenuItems[index].onClick) FSystemMenuItems[index].onClick(this);
          return;
        }
      }
      DWORD style = FrameStyle();
      if ((command == SC_MAXIMIZE && !(style & WS_MAXIMIZEBOX)) ||
          (command == SC_SIZE && !(style & WS_THICKFRAME)) ||
          (command == SC_MINIMIZE && !(style & WS_MINIMIZEBOX)))
        return;
      break;
    }
    default:
      break;
  }
  TWinControl::WndProc(m);
}

// Enter presses the focused push button, or else the form's default button, and only while
// that button (and so its action) is enabled.
bool TForm::HandleReturn() {
  TWinControl* focused = ControlOf(GetFocus());
  TButton* button = dynamic_cast<TButton*>(focused);
  if (!button || !ContainsControl(button)) {
    button = nullptr;
    for (TWinControl* w : TabOrderList(this)) {
      auto* candidate = dynamic_cast<TButton*>(w);
      if (candidate && candidate->Default() && ShowingWithin(candidate, this)) {
        button = candidate;
        break;
      }
    }
  }
  if (!button) return false;
  // The idle pass may not have run since the last input: bring the action's state up to date.
  if (TAction* action = button->Action()) {
    if (action->ActionList())
      action->ActionList()->UpdateActions();
    else
      action->Update();
  }
  if (button->CanFocus()) button->Click();
  return true;
}

bool TForm::HandleDialogKey(const MSG& msg) {
  HWND focus = GetFocus();
  TWinControl* focused = ControlOf(focus);
  if (focused && !ContainsControl(focused)) focused = nullptr;
  auto wantsKey = [&](UINT code) {
    if (!focus) return false;
    MSG copy = msg;
    return (SendMessageW(focus, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&copy)) & code) != 0;
  };
  switch (msg.message) {
    case WM_KEYDOWN: {
      TShiftState shift = KeyboardShiftState();
      if (shift & ssAlt) return false;
      switch (msg.wParam) {
        case VK_TAB: {
          if (shift & ssCtrl) return focused && DispatchPageKey(focused, VK_TAB, shift);
          if (wantsKey(DLGC_WANTTAB)) return false;
          TWinControl* next = FindNextControl(this, focused, !(shift & ssShift), true);
          if (next && next != focused) next->SetFocus();
          return true;
        }
        case VK_RETURN:
          if (shift & ssCtrl) return false;
          // A multi-line memo, the spin edit and an open drop-down list take Enter themselves.
          if (wantsKey(DLGC_WANTALLKEYS)) return false;
          return HandleReturn();
        case VK_ESCAPE:
          // Esc only closes an open drop-down list; the form has no cancel button. It must not
          // reach a multi-line edit either, which would close its parent window.
          if (focus && HasClass(focus, WC_COMBOBOXW) && SendMessageW(focus, CB_GETDROPPEDSTATE, 0, 0))
            return false;
          return true;
        default:
          return false;
      }
    }
    case WM_SYSCHAR:
      return DispatchAccelerator(this, static_cast<wchar_t>(msg.wParam));
    case WM_CHAR:
      if (focused && msg.wParam > L' ' && WantsPlainAccelerators(focused) && !wantsKey(DLGC_WANTCHARS))
        return DispatchAccelerator(this, static_cast<wchar_t>(msg.wParam));
      return false;
    default:
      return false;
  }
}

// ---------------------------------------------------------------------------------------------
// TApplication

namespace {
TApplication theApplication;

// Messages after which the idle pass is not due: they change nothing an action depends on,
// and they come often (mouse moves, paints, timers and the caret's blink).
bool IsIdleNeutral(UINT msg) {
  constexpr UINT kSysTimer = 0x0118;
  switch (msg) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_MOUSEHOVER:
    case WM_MOUSELEAVE:
    case WM_NCMOUSELEAVE:
    case WM_PAINT:
    case WM_TIMER:
    case kSysTimer:
      return true;
    default:
      return false;
  }
}
}  // namespace

TApplication* Application = &theApplication;

TApplication::TApplication() : TComponent(nullptr) {}

void TApplication::Initialize() {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  SetExceptionHandler([this](std::exception_ptr error) {
    if (OnException) {
      OnException(error);
      return;
    }
    std::wstring text = Widen(ExceptionMessage(error));
    std::wstring caption = Widen(Title.empty() ? std::string("Error") : Title);
    HWND owner = FMainForm && FMainForm->HandleAllocated() ? FMainForm->Handle() : nullptr;
    ::MessageBoxW(owner, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
  });
}

void TApplication::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FMainForm) FMainForm = nullptr;
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
  HWND owner = GetActiveWindow();
  return ::MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(), flags);
}

void TApplication::Run() {
  FIdlePending = true;  // the first idle moment updates the actions
  if (FMainForm) FMainForm->Show();
  while (!FTerminated)
    HandleMessage();
}

void TApplication::Terminate() {
  if (!FTerminated) PostQuitMessage(0);
  FTerminated = true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    ProcessMessage(msg);
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    Idle();
    if (FTerminated) return;
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
      FTerminated = true;
      return;
    }
  }
  ProcessMessage(msg);
}

// Runs outside any window procedure, so exceptions stop here as they would there.
void TApplication::DoIdle() {
  try {
    if (OnIdle) OnIdle(this);
    TActionList::IdleUpdateAll();
  } catch (...) {
    HandleException(std::current_exception());
  }
}

bool TApplication::Idle() {
  if (!FIdlePending) return false;
  FIdlePending = false;
  DoIdle();
  return true;
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (msg.message == WM_QUIT) {
    FTerminated = true;
    return false;
  }
  if (!IsIdleNeutral(msg.message)) FIdlePending = true;
  // A key the form uses runs handlers outside any window procedure: their exceptions stop here.
  try {
    if (IsDialogKey(msg)) return true;
  } catch (...) {
    HandleException(std::current_exception());
    return true;
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

// Keys bound for a window of one of our forms go through the form's dialog keyboard first.
bool TApplication::IsDialogKey(MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_CHAR && msg.message != WM_SYSCHAR) return false;
  if (!msg.hwnd) return false;
  auto* form = dynamic_cast<TForm*>(TWinControl::FindControl(GetAncestor(msg.hwnd, GA_ROOT)));
  if (!form || !form->Enabled()) return false;
  return form->HandleDialogKey(msg);
}

}  // namespace vellumor
