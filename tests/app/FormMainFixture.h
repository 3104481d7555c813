// The main window as a test drives it: made, shown and idle, with keys and clicks as a user
// makes them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Clipbrd.h"
#include "SysUtils.h"
#include "UFormMain.h"
#include "WinTest.h"

namespace vellumor::test {

// Whether a window lies wholly inside the work area of its monitor.
inline bool InsideWorkArea(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
  RECT r{}, in{};
  GetWindowRect(window, &r);
  IntersectRect(&in, &r, &info.rcWork);
  return EqualRect(&in, &r) != 0;
}

class FormMainTest : public ::testing::Test {
 public:
  void SetUp() override {
    Application->Initialize();
    SetBeepObserver([this](UINT type) { beeps.push_back(type); });
    form = new TFormMain(nullptr);
    form->DoCreate();
    form->Show();
    SetForegroundWindow(form->Handle());
    Idle();
  }
  void TearDown() override {
    delete form;
    wintest::PumpUntilIdle();
    SetBeepObserver(nullptr);
  }

  // What the message loop does when the queue runs empty.
  void Idle() {
    wintest::PumpUntilIdle();
    Application->DoIdle();
  }
  // A click as the user makes it: the control's own window gets the button message.
  void Click(TWinControl* control) {
    SendMessageW(control->Handle(), BM_CLICK, 0, 0);
    Idle();
  }
  // Moves a closed drop-down list one item down with the arrow key.
  void ArrowDown(TComboBox* list) {
    SendMessageW(list->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    Idle();
  }
  // A key as typed: posted to the focused window and taken through the application's loop, where
  // the form's keyboard handling sees it and TranslateMessage makes the characters.
  void Press(WPARAM key, bool alt = false) {
    HWND focus = GetFocus();
    if (alt) {
      PostMessageW(focus, WM_SYSKEYDOWN, VK_MENU, 0x20000000);
      PostMessageW(focus, WM_SYSKEYDOWN, key, 0x20000000);
      PostMessageW(focus, WM_SYSKEYUP, key, 0xE0000000);
      PostMessageW(focus, WM_KEYUP, VK_MENU, 0xC0000000);
    } else {
      PostMessageW(focus, WM_KEYDOWN, key, 0);
      PostMessageW(focus, WM_KEYUP, key, 0xC0000000);
    }
    Application->ProcessMessages();
    Idle();
  }
  // Typed into a control as keys: the whole text selected first, then replaced.
  void Retype(TWinControl* control, const std::wstring& text) {
    SendMessageW(control->Handle(), EM_SETSEL, 0, -1);
    for (wchar_t ch : text)
      SendMessageW(control->Handle(), WM_CHAR, ch, 1);
    Idle();
  }
  // Moves a closed drop-down list down `steps` items with the arrow key.
  void Down(TComboBox* list, int steps) {
    for (int i = 0; i < steps; ++i)
      ArrowDown(list);
  }
  // Create, confirmed: the code it copies.
  std::string CopiedCode() {
    Run(form->ActCreate, "OK");
    return Clipboard().AsText();
  }
  void MessageBoxPage() {
    form->PageControl1->SetActivePageIndex(1);
    Idle();
  }
  TWinControl* Focused() { return TWinControl::FindControl(GetFocus()); }
  std::vector<std::string> ItemsOf(TComboBox* list) {
    std::vector<std::string> items;
    for (int i = 0; i < list->Items().Count(); ++i)
      items.push_back(list->Items()[i]);
    return items;
  }
  wintest::BoxInfo Run(TAction* action, const char* press) {
    wintest::BoxInfo seen;
    wintest::WithBox([&] { action->Execute(); },
                     [&](HWND box) {
                       seen = wintest::ReadBox(box);
                       EXPECT_TRUE(wintest::PressButton(box, press)) << press;
                     });
    Idle();
    return seen;
  }

  TFormMain* form = nullptr;
  std::vector<UINT> beeps;
};

}  // namespace vellumor::test
