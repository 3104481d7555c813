// Helpers for Windows test programs: text conversion, message pumping, modal boxes
// (find, read, press a button), the clipboard, and the per-test watchdog.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "SysUtils.h"

namespace wintest {

// The framework's conversions, so tests and program convert alike.
using vellumor::Narrow;
using vellumor::Widen;

// Dispatches every message already queued for this thread, then returns.
void PumpUntilIdle();

// What a user sees of a modal box.
struct BoxInfo {
  HWND hwnd = nullptr;
  std::string caption;
  std::string text;                  // the message text (static controls with text, joined by '\n')
  std::vector<std::string> buttons;  // visible buttons, in window order
  std::string defaultButton;         // caption of the default button, empty if none
  bool hasIcon = false;
};

// Visible dialog windows (class #32770 and the framework's) owned by a thread, newest first.
std::vector<HWND> ThreadDialogs(DWORD thread = GetCurrentThreadId());
BoxInfo ReadBox(HWND box);
// Clicks the visible button whose caption (without '&') is `caption`; false if there is none. The
// captions kEscKey and kCloseBox press Esc in the box and click its close box instead.
inline constexpr std::string_view kEscKey = "{Esc}", kCloseBox = "{close box}";
bool PressButton(HWND box, std::string_view caption);

// Runs `handler` once, from inside the nested message loop of the next dialog that appears on
// this thread. Call it right before the code that shows the box.
void OnNextBox(std::function<void(HWND box)> handler);
// Runs `act`, answering a box it opens with `handler`; returns whether one appeared.
bool ShowsBox(const std::function<void()>& act, const std::function<void(HWND box)>& handler);
// Runs `show`, answering the box it opens with `handler`; fails the test if no box appeared.
void WithBox(const std::function<void()>& show, const std::function<void(HWND box)>& handler);

std::string ReadClipboardText();  // CF_UNICODETEXT as UTF-8; empty if none
bool WriteClipboardText(std::string_view utf8);

// Each test may run this long before the program prints what is open and exits non-zero.
void SetTestTimeLimit(std::chrono::seconds limit);
void InstallWatchdog();  // main() of every test program starts it

// Holds the clipboard open from another thread, as another program does, until destroyed.
class ClipboardHolder {
 public:
  ClipboardHolder();
  ~ClipboardHolder();
  bool Holding() const { return holding_; }

 private:
  HANDLE release_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  bool holding_ = false;
  std::thread thread_;
};

}  // namespace wintest
