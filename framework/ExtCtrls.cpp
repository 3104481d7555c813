#include "ExtCtrls.h"

#include <stdexcept>

namespace vellumor {

namespace {
constexpr wchar_t kTimerClass[] = L"VellumorTimer";
constexpr UINT_PTR kTimerId = 1;
}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (!GetClassInfoExW(instance, kTimerClass, &wc)) {
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &TTimer::WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kTimerClass;
    RegisterClassExW(&wc);
  }
  FWindow = CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  if (!FWindow) throw std::runtime_error("The timer window could not be created");
  SetWindowLongPtrW(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  UpdateTimer();
}

TTimer::~TTimer() {
  KillTimer(FWindow, kTimerId);
  SetWindowLongPtrW(FWindow, GWLP_USERDATA, 0);
  DestroyWindow(FWindow);
}

void TTimer::SetEnabled(bool value) {
  if (value == FEnabled) return;
  FEnabled = value;
  UpdateTimer();
}

void TTimer::SetInterval(UINT value) {
  if (value == FInterval) return;
  FInterval = value;
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  KillTimer(FWindow, kTimerId);
  if (FEnabled && FInterval > 0) SetTimer(FWindow, kTimerId, FInterval, nullptr);
}

void TTimer::Timer() {
  if (OnTimer) OnTimer(this);
}

// Exceptions from OnTimer end here, as in every window procedure.
LRESULT CALLBACK TTimer::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TTimer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self && msg == WM_TIMER) {
    // A tick already queued when the timer was stopped is not delivered.
    if (!self->FEnabled) return 0;
    try {
      self->Timer();
    } catch (...) {
      HandleException(std::current_exception());
    }
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace vellumor
