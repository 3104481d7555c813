// Colours, the canvas's handling of the device context's objects, and bitmaps.
#include <gtest/gtest.h>
#include <windows.h>

#include <tuple>
#include <vector>

#include "FormFixture.h"
#include "Graphics.h"

namespace vellumor {
namespace {

TEST(Canvas, PutsTheContextsOwnObjectsBackWhenReleased) {
  EXPECT_EQ(ColorToRGB(static_cast<TColor>(0xFF000017u)), GetSysColor(COLOR_INFOTEXT));  // a system colour
  test::Snapshot target(40, 40, RGB(0, 0, 0));
  auto selected = [&] {
    return std::tuple(GetCurrentObject(target.DC(), OBJ_FONT), GetCurrentObject(target.DC(), OBJ_BRUSH),
                      GetCurrentObject(target.DC(), OBJ_PEN));
  };
  const auto before = selected();
  const HGDIOBJ font = std::get<0>(before);
  {
    TCanvas canvas;
    canvas.SetHandle(target.DC());
    canvas.Font.SetHeight(-20);
    EXPECT_GT(canvas.TextHeight("Wg"), 15);
    canvas.Brush.SetColor(clRed);
    canvas.Pen.SetColor(clGreen);
    canvas.Rectangle(0, 0, 10, 10);
    EXPECT_NE(GetCurrentObject(target.DC(), OBJ_FONT), font);
    // Changing a tool while it is selected swaps it without leaking the old one.
    canvas.Font.SetHeight(-30);
    EXPECT_EQ(GetCurrentObject(target.DC(), OBJ_FONT), font);
    EXPECT_GT(canvas.TextHeight("Wg"), 25);
  }
  EXPECT_EQ(selected(), before);
  // Without a context, text is measured on the screen.
  TCanvas loose;
  loose.Font.SetSize(8);
  EXPECT_GT(loose.TextHeight("Wg"), 10);
}

TEST(Canvas, RectangleDrawsOutlineWithPenAndInteriorWithBrushRightBottomExclusive) {
  test::Snapshot target(40, 40, RGB(0, 0, 0));
  TCanvas canvas;
  canvas.SetHandle(target.DC());
  canvas.Brush.SetColor(clWhite);
  canvas.FillRect(RECT{0, 0, 40, 40});
  canvas.Brush.SetStyle(TBrushStyle::bsClear);
  canvas.Pen.SetColor(clRed);
  canvas.Rectangle(5, 5, 15, 15);
  // Corners in red, the clear brush leaves the inside white, and the right-bottom edge is outside.
  const COLORREF red = RGB(255, 0, 0), white = RGB(255, 255, 255);
  EXPECT_EQ(
      (std::vector{canvas.Pixel(5, 5), canvas.Pixel(14, 14), canvas.Pixel(10, 10), canvas.Pixel(15, 15)}),
      (std::vector{red, red, white, white}));
  canvas.SetHandle(nullptr);
}

TEST(ScopedClipGuard, RestoresTheRegionOrItsAbsence) {
  test::Snapshot target(40, 40, RGB(0, 0, 0));
  {
    ScopedClip keep(target.DC());
    IntersectClipRect(target.DC(), 0, 0, 5, 5);
  }
  GdiObject region(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetClipRgn(target.DC(), static_cast<HRGN>(region.Get())), 0);
}

TEST(Bitmap, TransparentColourIsTheBottomLeftPixelAndAMissingResourceLeavesItEmpty) {
  ScreenDC screen;
  TBitmap bitmap;
  bitmap.SetHandle(CreateCompatibleBitmap(screen.Get(), 3, 2));
  {
    MemoryDC dc;
    ScopedSelect select(dc.Get(), bitmap.Handle());
    SetPixel(dc.Get(), 0, 1, RGB(128, 128, 0));
    SetPixel(dc.Get(), 0, 0, RGB(0, 0, 0));
  }
  EXPECT_EQ(std::tuple(bitmap.Width(), bitmap.Height(), bitmap.TransparentColor()),
            std::tuple(3, 2, RGB(128, 128, 0)));

  TBitmap copy;
  copy.Assign(&bitmap);
  EXPECT_EQ(std::pair(copy.Handle() != bitmap.Handle(), copy.TransparentColor()),
            std::pair(true, RGB(128, 128, 0)));
  copy.Assign(nullptr);
  EXPECT_TRUE(copy.Empty());

  // A missing resource leaves it empty, and says so.
  int changes = 0;
  bitmap.OnChange = [&](TBitmap*) { ++changes; };
  EXPECT_FALSE(bitmap.LoadFromResourceName(GetModuleHandleW(nullptr), "NoSuchBitmap"));
  EXPECT_EQ(std::tuple(bitmap.Empty(), bitmap.Width(), changes), std::tuple(true, 0, 1));
}

// A disabled picture is etched from its dark pixels only, across its whole width: the shape here
// lies in the right half, which the mask's second byte of each row covers.
TEST(Bitmap, DisabledPictureEtchesOnlyItsDarkShape) {
  TBitmap picture;
  picture.SetHandle(test::MakeBitmap(16, 6, RGB(255, 255, 255), {{RECT{10, 0, 13, 6}, RGB(0, 0, 0)}}));
  const COLORREF face = ColorToRGB(clBtnFace);
  test::Snapshot button(20, 8, face);
  picture.DrawDisabled(button.DC(), 0, 0, RECT{0, 0, 16, 6});
  EXPECT_EQ(button.Count(RECT{0, 0, 10, 8}, face, true), 0) << "left of the shape";
  EXPECT_GT(button.Count(RECT{10, 0, 13, 6}, ColorToRGB(clBtnShadow)), 0) << "the shape";
  EXPECT_EQ(button.Count(RECT{14, 0, 20, 8}, face, true), 0) << "right of the shape and its highlight";
}

}  // namespace
}  // namespace vellumor
