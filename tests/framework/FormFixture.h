// A shown top-level form to put controls on, with exceptions and beeps recorded, and helpers
// that send the mouse and key messages a user would cause.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "Classes.h"
#include "Forms.h"
#include "SysUtils.h"
#include "WinTest.h"

namespace vellumor::test {

inline LPARAM Point(int x, int y) {
  return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y)));
}

inline void LeftDown(HWND hwnd, int x, int y) {
  SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y));
}
inline void LeftUp(HWND hwnd, int x, int y) {
  SendMessageW(hwnd, WM_LBUTTONUP, 0, Point(x, y));
}
inline void MoveHeld(HWND hwnd, int x, int y) {
  SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, Point(x, y));
}
inline void KeyDown(HWND hwnd, WPARAM key) {
  SendMessageW(hwnd, WM_KEYDOWN, key, 1);
}
inline void Char(HWND hwnd, wchar_t ch) {
  SendMessageW(hwnd, WM_CHAR, ch, 1);
}
inline void Type(HWND hwnd, const std::wstring& text) {
  for (wchar_t ch : text)
    Char(hwnd, ch);
}

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application->Initialize();
    Application->OnException = [this](std::exception_ptr e) { errors.push_back(ExceptionMessage(e)); };
    SetBeepObserver([this](UINT type) { beeps.push_back(type); });
    form = new TForm(nullptr);
    form->SetBounds(40, 40, 420, 320);
    form->SetCaption("Test form");
    form->Show();
    SetForegroundWindow(form->Handle());
    wintest::PumpUntilIdle();
  }

  void TearDown() override {
    delete form;
    wintest::PumpUntilIdle();
    SetBeepObserver(nullptr);
    Application->OnException = nullptr;
  }

  // The colour at (x, y) of a control as it paints itself.
  static COLORREF PixelOf(TControl& control, int x, int y) {
    MemoryDC dc;
    ScreenDC screen;
    GdiObject bitmap(CreateCompatibleBitmap(screen.Get(), control.Width(), control.Height()));
    ScopedSelect select(dc.Get(), bitmap.Get());
    control.PaintTo(dc.Get(), 0, 0);
    return GetPixel(dc.Get(), x, y);
  }

  TForm* form = nullptr;
  std::vector<std::string> errors;
  std::vector<UINT> beeps;
};

}  // namespace vellumor::test
