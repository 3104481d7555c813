// Helpers for Windows test programs: text conversion, message pumping, modal boxes
// (find, read, press a button), the clipboard, and the per-test watchdog.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace wintest {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

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

// Visible dialog windows (class #32770) owned by this thread, newest first.
std::vector<HWND> ThreadDialogs();
BoxInfo ReadBox(HWND box);
// Clicks the visible button whose caption (without '&') is `caption`; false if there is none.
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

// Holds the clipboard open from another thread, as another program does, until destroyed.
class ClipboardHolder {
 public:
  ClipboardHolder();
  ~ClipboardHolder();
  ClipboardHolder(const ClipboardHolder&) = delete;
  ClipboardHolder& operator=(const ClipboardHolder&) = delete;
  bool Holding() const { return holding_; }

 private:
  HANDLE release_;
  HANDLE thread_ = nullptr;
  bool holding_ = false;
};

}  // namespace wintest
