// Extra controls.
//   TTimer   calls OnTimer every Interval milliseconds while enabled, through the message loop
#pragma once

#include <windows.h>

#include "Classes.h"

namespace vellumor {

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  UINT Interval() const { return FInterval; }
  void SetInterval(UINT value);
  // The hidden window that receives this timer's WM_TIMER messages.
  HWND Handle() const { return FWindow; }

  TNotifyEvent OnTimer;

 protected:
  virtual void Timer();

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void UpdateTimer();

  HWND FWindow = nullptr;
  bool FEnabled = true;
  UINT FInterval = 1000;
};

}  // namespace vellumor
