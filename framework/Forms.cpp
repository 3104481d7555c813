#include "Forms.h"

#include <commctrl.h>

#include "SysUtils.h"

namespace vellumor {

// ---------------------------------------------------------------------------------------------
// TForm

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  FVisible = false;
  FLeft = CW_USEDEFAULT;
  FTop = CW_USEDEFAULT;
  FWidth = 320;
  FHeight = 240;
  ControlStyle = csAcceptsControls | csSetCaption | csClickEvents;
}

TForm::~TForm() {
  if (Application && Application->MainForm() == this) Application->SetMainForm(nullptr);
}

void TForm::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.WinClassName = L"VellumorForm";
  p.Style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | (FVisible ? WS_VISIBLE : 0u);
  p.ExStyle |= WS_EX_CONTROLPARENT;
}

void TForm::SetClientWidth(int value) {
  RECT r{0, 0, value, 10};
  AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, FALSE, 0);
  SetWidth(r.right - r.left);
}

void TForm::SetClientHeight(int value) {
  RECT r{0, 0, 10, value};
  AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, FALSE, 0);
  SetHeight(r.bottom - r.top);
}

void TForm::SetActiveControl(TWinControl* control) {
  if (control && ContainsControl(control) && control->CanFocus()) control->SetFocus();
}

void TForm::CMVisibleChanged(TMessage& m) {
  if (FVisible) {
    Handle();
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

void TForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case WM_ACTIVATE:
      // Coming back to the form puts the focus where the user left it.
      if (LOWORD(m.WParam) != WA_INACTIVE) {
        TWinControl* last = FocusedControl();
        if (last && last != this && last->CanFocus()) {
          last->SetFocus();
          return;
        }
      }
      break;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// TApplication

namespace {
TApplication theApplication;
}

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
    if (OnIdle) OnIdle(this);
    if (FTerminated) return;
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
      FTerminated = true;
      return;
    }
  }
  ProcessMessage(msg);
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (msg.message == WM_QUIT) {
    FTerminated = true;
    return false;
  }
  if (IsDialogKey(msg)) return true;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

// Tab and Shift+Tab move the focus among the tab stops of the form, unless the focused window
// wants the tab key itself.
bool TApplication::IsDialogKey(MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB) return false;
  if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
  TWinControl* control = TWinControl::FindControl(msg.hwnd);
  if (!control) return false;
  if (SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)) & DLGC_WANTTAB)
    return false;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  HWND next = GetNextDlgTabItem(root, msg.hwnd, GetKeyState(VK_SHIFT) < 0);
  if (next && next != msg.hwnd) {
    ::SetFocus(next);
    return true;
  }
  return false;
}

}  // namespace vellumor
