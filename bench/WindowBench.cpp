// Times the window's steps with large messages under Wine, beside a bare Win32 window of our own
// (one plain multi-line EDIT and the same four buttons) timed the same way in the same run:
// paste into the message until idle, About until its box shows, Create until the confirmation
// box shows, OK until the clipboard holds the code. Prints one table, in seconds.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>

#include "Forms.h"
#include "SysUtils.h"
#include "UFormMain.h"

using namespace vellumor;

namespace {

double Now() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// When a box appears: it is painted, the time noted, and OK pressed.
struct BoxWatch {
  HWND helper = nullptr;
  HHOOK hook = nullptr;
  double shown = 0, okPressed = 0;
} watch;

LRESULT CALLBACK HelperProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_APP) {
    HWND box = reinterpret_cast<HWND>(w);
    UpdateWindow(box);
    watch.shown = Now();
    watch.okPressed = Now();
    SendMessageW(box, WM_COMMAND, IDOK, 0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, w, l);
}

LRESULT CALLBACK CbtProc(int code, WPARAM w, LPARAM l) {
  if (code == HCBT_ACTIVATE) {
    wchar_t cls[32] = {};
    GetClassNameW(reinterpret_cast<HWND>(w), cls, 32);
    if (lstrcmpW(cls, L"#32770") == 0) PostMessageW(watch.helper, WM_APP, w, 0);
  }
  return CallNextHookEx(watch.hook, code, w, l);
}

struct Steps {
  double paste = 0, about = 0, create = 0, ok = 0;
};

// One command: the button is clicked, its box answered with OK.
void Command(HWND button, double& toBox, double* afterOk) {
  double start = Now();
  SendMessageW(button, BM_CLICK, 0, 0);
  double end = Now();
  toBox = watch.shown - start;
  if (afterOk) *afterOk = end - watch.okPressed;
}

std::wstring Message(int lines) {
  std::wstring text;
  text.reserve(static_cast<size_t>(lines) * 42);
  for (int i = 0; i < lines; ++i) {
    if (i) text += L"\r\n";
    text += std::wstring(36, static_cast<wchar_t>(L'a' + i % 26)) + std::to_wstring(100000 + i).substr(0, 4);
  }
  return text;
}

void SetClipboard(const std::wstring& text) {
  OpenClipboard(watch.helper);
  EmptyClipboard();
  HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  memcpy(GlobalLock(data), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(data);
  SetClipboardData(CF_UNICODETEXT, data);
  CloseClipboard();
}

Steps TimeVellumor(const std::wstring& text) {
  auto* form = new TFormMain(nullptr);
  form->DoCreate();
  form->Show();
  Pump();
  Application->DoIdle();
  Steps s;
  SetClipboard(text);
  double start = Now();
  form->mmMessage->SetFocus();
  SendMessageW(form->mmMessage->Handle(), EM_SETSEL, 0, -1);
  SendMessageW(form->mmMessage->Handle(), WM_PASTE, 0, 0);
  Pump();
  Application->DoIdle();
  s.paste = Now() - start;
  Command(form->BtnAbout->Handle(), s.about, nullptr);
  Command(form->BtnCreate->Handle(), s.create, &s.ok);
  delete form;
  Pump();
  return s;
}

// The bare window: what any program pays for the same steps.
LRESULT CALLBACK BareProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_COMMAND && HIWORD(w) == BN_CLICKED) {
    HWND edit = GetDlgItem(hwnd, 100);
    if (LOWORD(w) == 3) MessageBoxW(hwnd, L"About this window.", L"About", MB_OK | MB_ICONINFORMATION);
    if (LOWORD(w) == 2) {
      std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
      text.resize(static_cast<size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
      if (MessageBoxW(hwnd, text.substr(0, 2000).c_str(), L"Code", MB_OKCANCEL | MB_ICONINFORMATION) == IDOK)
        SetClipboard(text);
    }
    return 0;
  }
  return DefWindowProcW(hwnd, msg, w, l);
}

Steps TimeBare(const std::wstring& text) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = BareProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"BareWindow";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"Bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 365, 480,
                              nullptr, nullptr, wc.hInstance, nullptr);
  HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | WS_VSCROLL |
                              WS_HSCROLL | ES_AUTOVSCROLL | ES_AUTOHSCROLL, 10, 10, 240, 70, hwnd,
                              reinterpret_cast<HMENU>(100), wc.hInstance, nullptr);
  SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
  // The window's own font, so both edits lay out the same glyphs.
  HDC screen = GetDC(nullptr);
  HFONT font = CreateFontW(-MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                           FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
  ReleaseDC(nullptr, screen);
  SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  HWND buttons[4];
  const wchar_t* captions[] = {L"Preview", L"Create", L"About", L"Exit"};
  for (int i = 0; i < 4; ++i)
    buttons[i] = CreateWindowExW(0, L"BUTTON", captions[i], WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 270, 10 + 28 * i,
                                 75, 25, hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(i + 1)), wc.hInstance,
                                 nullptr);
  Pump();
  Steps s;
  SetClipboard(text);
  double start = Now();
  SetFocus(edit);
  SendMessageW(edit, WM_PASTE, 0, 0);
  Pump();
  s.paste = Now() - start;
  Command(buttons[2], s.about, nullptr);
  Command(buttons[1], s.create, &s.ok);
  DestroyWindow(hwnd);
  DeleteObject(font);
  Pump();
  return s;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  Application->Initialize();
  WNDCLASSW helper{};
  helper.lpfnWndProc = HelperProc;
  helper.hInstance = instance;
  helper.lpszClassName = L"BenchHelper";
  RegisterClassW(&helper);
  watch.helper = CreateWindowExW(0, helper.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                                 nullptr);
  watch.hook = SetWindowsHookExW(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
  std::printf("%-8s %-10s %9s %9s %9s %9s\n", "lines", "window", "paste", "about", "create", "ok");
  for (int lines : {1000, 10000, 100000}) {
    std::wstring text = Message(lines);
    Steps bare = TimeBare(text), ours = TimeVellumor(text);
    for (auto [name, s] : {std::pair{"bare", bare}, std::pair{"vellumor", ours}})
      std::printf("%-8d %-10s %9.3f %9.3f %9.3f %9.3f\n", lines, name, s.paste, s.about, s.create, s.ok);
    std::fflush(stdout);
  }
  UnhookWindowsHookEx(watch.hook);
  return 0;
}
