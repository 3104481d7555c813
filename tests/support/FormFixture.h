// A shown top-level form to put controls on, with exceptions and beeps recorded, and helpers
// that send the mouse and key messages a user would cause and read back what a control paints.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include "Classes.h"
#include "Forms.h"
#include "SysUtils.h"
#include "WinTest.h"

namespace vellumor::test {

inline const auto Point = [](int x, int y) -> LPARAM { return MAKELPARAM(LOWORD(x), LOWORD(y)); };

// What the mouse and the keyboard send, straight to the window.
inline const auto LeftDown = [](HWND h, int x, int y) {
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, Point(x, y));
};
inline const auto LeftUp = [](HWND h, int x, int y) { SendMessageW(h, WM_LBUTTONUP, 0, Point(x, y)); };
inline const auto MoveHeld = [](HWND h, int x, int y) {
  SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, Point(x, y));
};
inline const auto KeyDown = [](HWND h, WPARAM key) { SendMessageW(h, WM_KEYDOWN, key, 1); };
inline const auto Char = [](HWND h, wchar_t ch) { SendMessageW(h, WM_CHAR, ch, 1); };
inline void Type(HWND hwnd, const std::wstring& text) {
  for (wchar_t ch : text)
    Char(hwnd, ch);
}
// A key pressed and released, queued for the loop that runs next (the application's or a modal
// box's) to translate and dispatch.
inline void PostKey(HWND hwnd, WPARAM key) {
  PostMessageW(hwnd, WM_KEYDOWN, key, 1);
  PostMessageW(hwnd, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
}
inline RECT WindowRect(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}
inline LONG StyleOf(TWinControl& control, int which = GWL_STYLE) {
  return GetWindowLongW(control.Handle(), which);
}
inline void Click(TWinControl& control) {
  LeftDown(control.Handle(), 3, 3);
  LeftUp(control.Handle(), 3, 3);
  wintest::PumpUntilIdle();
}

inline void Fill(HDC dc, const RECT& r, COLORREF color) {
  GdiObject brush(CreateSolidBrush(color));
  FillRect(dc, &r, static_cast<HBRUSH>(brush.Get()));
}

// A bitmap of one colour with rectangles of others on it, for glyphs and pictures.
struct Patch {
  RECT rect;
  COLORREF color;
};
inline HBITMAP MakeBitmap(int width, int height, COLORREF ground, const std::vector<Patch>& patches = {}) {
  ScreenDC screen;
  MemoryDC dc;
  HBITMAP bitmap = CreateCompatibleBitmap(screen.Get(), width, height);
  ScopedSelect select(dc.Get(), bitmap);
  Fill(dc.Get(), RECT{0, 0, width, height}, ground);
  for (const Patch& patch : patches)
    Fill(dc.Get(), patch.rect, patch.color);
  return bitmap;
}

// Holds keys (Ctrl, Shift) down in this thread's keyboard state while in scope.
class HeldKeys {
 public:
  explicit HeldKeys(std::initializer_list<int> keys) {
    GetKeyboardState(saved_.data());
    auto state = saved_;
    for (int key : keys)
      state[static_cast<size_t>(key)] |= 0x80;
    SetKeyboardState(state.data());
  }
  HeldKeys(const HeldKeys&) = delete;
  HeldKeys& operator=(const HeldKeys&) = delete;
  ~HeldKeys() { SetKeyboardState(saved_.data()); }

 private:
  std::array<BYTE, 256> saved_{};
};

// A key as the user types it into the focused window, with keys held (Shift, Ctrl, Alt), through
// the application's loop and the form's dialog keyboard.
inline void Press(WPARAM key, std::initializer_list<int> held = {}) {
  HeldKeys keys(held);
  const bool alt = std::find(held.begin(), held.end(), VK_MENU) != held.end();
  // With Alt, the loop's translation makes the WM_SYSCHAR.
  PostMessageW(GetFocus(), alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, alt ? 1 << 29 : 1);
  PostMessageW(GetFocus(), alt ? WM_SYSKEYUP : WM_KEYUP, key,
               static_cast<LPARAM>(alt ? 0xE0000001 : 0xC0000001));
  Application->ProcessMessages();
}

// Pixels to read back: a control painted once onto black, or a ground of one colour to draw on.
class Snapshot {
 public:
  explicit Snapshot(TControl& control) : Snapshot(control.Width(), control.Height(), RGB(0, 0, 0)) {
    control.PaintTo(dc_.Get(), 0, 0);
  }
  Snapshot(int width, int height, COLORREF ground)
      : width_(width),
        height_(height),
        bitmap_(CreateCompatibleBitmap(screen_.Get(), width_, height_)),
        select_(dc_.Get(), bitmap_.Get()) {
    Fill(dc_.Get(), RECT{0, 0, width_, height_}, ground);
  }
  HDC DC() const { return dc_.Get(); }
  COLORREF Pixel(int x, int y) const { return GetPixel(dc_.Get(), x, y); }
  // How many pixels of r are (or, with other, are not) the colour.
  int Count(COLORREF color, bool other = false) const {
    return Count(RECT{0, 0, width_, height_}, color, other);
  }
  int Count(const RECT& r, COLORREF color, bool other = false) const {
    int count = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if ((Pixel(x, y) == color) != other) ++count;
    return count;
  }

 private:
  int width_, height_;
  MemoryDC dc_;
  ScreenDC screen_;
  GdiObject bitmap_;
  ScopedSelect select_;
};

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

  // A control owned by the form, placed on parent, with a caption if one is given.
  template <class T>
  T* Make(TWinControl* parent, int x = 10, int y = 10, int w = 100, int h = 22,
          const char* caption = nullptr) {
    auto* control = new T(form);
    control->SetBounds(x, y, w, h);
    if (caption) control->SetCaption(caption);
    control->SetParent(parent);
    return control;
  }

  // Where the focus lands after each of count presses of Tab (Shift+Tab with back).
  static std::vector<TWinControl*> TabSequence(int count, bool back = false) {
    std::vector<TWinControl*> seen;
    for (int i = 0; i < count; ++i) {
      Press(VK_TAB, back ? std::initializer_list<int>{VK_SHIFT} : std::initializer_list<int>{});
      seen.push_back(TWinControl::FindControl(GetFocus()));
    }
    return seen;
  }
  static TWinControl* Focus() { return TWinControl::FindControl(GetFocus()); }

  TForm* form = nullptr;
  std::vector<std::string> errors;
  std::vector<UINT> beeps;
};

// What the screen shows of a window, once Wine has put every pending paint on it.
class ScreenShot : public Snapshot {
 public:
  explicit ScreenShot(HWND hwnd) : ScreenShot(WindowRect(hwnd)) {}
  // The pixels at most `border` from the edge, row by row (all of them with 0).
  std::vector<COLORREF> Pixels(int border = 0) const {
    std::vector<COLORREF> p;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if (!border || std::min({x, y, width - 1 - x, height - 1 - y}) < border) p.push_back(Pixel(x, y));
    return p;
  }
  const int width, height;

 private:
  explicit ScreenShot(RECT r)
      : Snapshot(r.right - r.left, r.bottom - r.top, RGB(0, 0, 0)),
        width(r.right - r.left),
        height(r.bottom - r.top) {
    ScreenDC screen;
    std::vector<COLORREF> last;
    for (int settle = 0; settle < 20; ++settle) {
      wintest::PumpUntilIdle();
      Sleep(50);
      BitBlt(DC(), 0, 0, width, height, screen.Get(), r.left, r.top, SRCCOPY);
      if (Pixels() == last) break;
      last = Pixels();
    }
  }
};

}  // namespace vellumor::test
