// Colours, the canvas's handling of the device context's objects, and bitmaps.
#include <gtest/gtest.h>
#include <windows.h>

#include "FormFixture.h"
#include "Graphics.h"

namespace vellumor {
namespace {

TEST(Colour, SystemColourIndexesGiveTheSystemsColours) {
  EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(ColorToRGB(static_cast<TColor>(0xFF000017u)), GetSysColor(COLOR_INFOTEXT));
}

TEST(Canvas, PutsTheContextsOwnObjectsBackWhenReleased) {
  test::Snapshot target(40, 40, RGB(0, 0, 0));
  HGDIOBJ font = GetCurrentObject(target.DC(), OBJ_FONT);
  HGDIOBJ brush = GetCurrentObject(target.DC(), OBJ_BRUSH);
  HGDIOBJ pen = GetCurrentObject(target.DC(), OBJ_PEN);
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
  EXPECT_EQ(GetCurrentObject(target.DC(), OBJ_FONT), font);
  EXPECT_EQ(GetCurrentObject(target.DC(), OBJ_BRUSH), brush);
  EXPECT_EQ(GetCurrentObject(target.DC(), OBJ_PEN), pen);
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
  EXPECT_EQ(canvas.Pixel(5, 5), RGB(255, 0, 0));
  EXPECT_EQ(canvas.Pixel(14, 14), RGB(255, 0, 0));
  EXPECT_EQ(canvas.Pixel(15, 15), RGB(255, 255, 255));
  EXPECT_EQ(canvas.Pixel(10, 10), RGB(255, 255, 255));  // clear brush: inside untouched
  canvas.SetHandle(nullptr);
}

TEST(Canvas, TextHeightWithoutAContextMeasuresOnTheScreen) {
  TCanvas canvas;
  canvas.Font.SetSize(8);
  EXPECT_GT(canvas.TextHeight("Wg"), 10);
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

TEST(Bitmap, TransparentColourIsTheBottomLeftPixel) {
  ScreenDC screen;
  TBitmap bitmap;
  bitmap.SetHandle(CreateCompatibleBitmap(screen.Get(), 3, 2));
  {
    MemoryDC dc;
    ScopedSelect select(dc.Get(), bitmap.Handle());
    SetPixel(dc.Get(), 0, 1, RGB(128, 128, 0));
    SetPixel(dc.Get(), 0, 0, RGB(0, 0, 0));
  }
  EXPECT_EQ(bitmap.Width(), 3);
  EXPECT_EQ(bitmap.Height(), 2);
  EXPECT_EQ(bitmap.TransparentColor(), RGB(128, 128, 0));

  TBitmap copy;
  copy.Assign(&bitmap);
  EXPECT_NE(copy.Handle(), bitmap.Handle());
  EXPECT_EQ(copy.TransparentColor(), RGB(128, 128, 0));
  copy.Assign(nullptr);
  EXPECT_TRUE(copy.Empty());
}

TEST(Bitmap, MissingResourceLeavesItEmpty) {
  TBitmap bitmap;
  int changes = 0;
  bitmap.OnChange = [&](TBitmap*) { ++changes; };
  EXPECT_FALSE(bitmap.LoadFromResourceName(GetModuleHandleW(nullptr), "NoSuchBitmap"));
  EXPECT_TRUE(bitmap.Empty());
  EXPECT_EQ(bitmap.Width(), 0);
  EXPECT_EQ(changes, 1);
}

}  // namespace
}  // namespace vellumor
