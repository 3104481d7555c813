// Drawing helpers shared by the check list box tests: pixels of a drawing made off screen, and
// themed drawing switched off for one test.
#pragma once

#include <windows.h>
// after windows.h
#include <uxtheme.h>

#include <vector>

namespace vellumor::test {

// The pixels, row by row, that `draw(dc, rect)` leaves in a w x h bitmap filled with the window
// colour first.
template <class Draw>
std::vector<COLORREF> DrawnPixels(int w, int h, Draw draw) {
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(mem, bmp);
  RECT all{0, 0, w, h};
  FillRect(mem, &all, GetSysColorBrush(COLOR_WINDOW));
  draw(mem, all);
  std::vector<COLORREF> out;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      out.push_back(GetPixel(mem, x, y));
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return out;
}

// Switches themed drawing of controls off for one test.
class ThemesOff {
 public:
  ThemesOff() : saved_(GetThemeAppProperties()) { SetThemeAppProperties(saved_ & ~STAP_ALLOW_CONTROLS); }
  ~ThemesOff() { SetThemeAppProperties(saved_); }
  ThemesOff(const ThemesOff&) = delete;
  ThemesOff& operator=(const ThemesOff&) = delete;

 private:
  DWORD saved_;
};

}  // namespace vellumor::test
