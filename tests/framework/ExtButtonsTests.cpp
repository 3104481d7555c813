// Shapes, bevels and the bitmap button as they paint themselves, top alignment, and the bitmap
// button's clicks.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "Buttons.h"
#include "ExtCtrls.h"
#include "FormFixture.h"

namespace vellumor::test {
namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

TEST_F(FormTest, ShapeDrawsItsPenOutlineAndBrushInside) {
  auto* shape = Make<TShape>(form, 10, 10, 40, 30);
  shape->Brush().SetColor(clWhite);
  Snapshot plain(*shape);
  EXPECT_EQ((std::vector{plain.Pixel(0, 0), plain.Pixel(39, 29), plain.Pixel(20, 15)}),
            (std::vector{RGB(0, 0, 0), RGB(0, 0, 0), RGB(255, 255, 255)}));  // the default pen is black

  shape->Pen().SetColor(clWhite);
  Snapshot white(*shape);
  EXPECT_EQ(white.Count(RGB(255, 255, 255)), 40 * 30);  // no border shows
}

TEST_F(FormTest, TopAlignedControlsStackAcrossTheParentsWidth) {
  form->SetClientWidth(357);
  auto* shape = Make<TShape>(form, 5, 5, 10, 45);
  shape->SetAlign(TAlign::alTop);
  auto* bevel = Make<TBevel>(form, 0, 200, 10, 12);
  bevel->SetAlign(TAlign::alTop);
  auto bounds = [](TControl* c) { return std::tuple(c->Left(), c->Top(), c->Width(), c->Height()); };
  EXPECT_EQ(bounds(shape), std::tuple(0, 0, 357, 45));
  EXPECT_EQ(bounds(bevel), std::tuple(0, 45, 357, 12));

  shape->SetHeight(50);  // the later one moves down with it
  EXPECT_EQ(bevel->Top(), 50);
  shape->SetLeft(30);  // an aligned control stays where its alignment puts it
  EXPECT_EQ(shape->Left(), 0);
  delete shape;
  EXPECT_EQ(bevel->Top(), 0);
}

TEST_F(FormTest, BevelFrameAndTopLineAreEtched) {
  const COLORREF shadow = ColorToRGB(clBtnShadow), light = ColorToRGB(clBtnHighlight);
  auto* bevel = Make<TBevel>(form, 8, 56, 257, 129);
  bevel->SetShape(TBevelShape::bsFrame);
  // Left, top and bottom edges, then the inside, which is left alone.
  Snapshot frame(*bevel);
  EXPECT_EQ((std::vector{frame.Pixel(0, 60), frame.Pixel(1, 60), frame.Pixel(100, 0), frame.Pixel(100, 1),
                         frame.Pixel(100, 128), frame.Pixel(100, 60)}),
            (std::vector{shadow, light, shadow, light, light, RGB(0, 0, 0)}));

  bevel->SetShape(TBevelShape::bsTopLine);
  bevel->SetBounds(0, 45, 357, 12);
  // The etched line, nothing below it and no side lines.
  Snapshot line(*bevel);
  EXPECT_EQ((std::vector{line.Pixel(50, 0), line.Pixel(50, 1), line.Pixel(50, 2), line.Pixel(0, 6),
                         line.Pixel(356, 6)}),
            (std::vector{shadow, light, RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0)}));
}

class BitBtnTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    button = Make<TBitBtn>(form, 274, 58, 75, 25, "Preview");
    // A magenta ground with a red 8 x 8 square in the middle.
    button->Glyph()->SetHandle(MakeBitmap(16, 16, kMagenta, {{RECT{4, 4, 12, 12}, kRed}}));
    button->OnClick = [this](TObject*) { ++clicks; };
  }
  TBitBtn* button = nullptr;
  int clicks = 0;
};

TEST_F(BitBtnTest, GlyphShowsLeftOfTheCaptionWithItsMagentaSeeThroughAndOnlyItsOutlineWhenDisabled) {
  EXPECT_EQ(StyleOf(*button) & BS_TYPEMASK, BS_OWNERDRAW);
  Snapshot face(*button);
  EXPECT_EQ(face.Count(kRed), 64);
  EXPECT_EQ(face.Count(kMagenta), 0);
  // All of it left of the middle, where the caption follows, and clear of the frame.
  EXPECT_EQ(face.Count(RECT{3, 0, 75 / 2, 25}, kRed), 64);

  // Disabled, only the glyph's outline shows.
  button->SetEnabled(false);
  Snapshot disabled(*button);
  EXPECT_EQ(disabled.Count(kRed), 0);
  EXPECT_GT(disabled.Count(ColorToRGB(clBtnShadow)), 64);

  // Without a glyph only the caption remains.
  button->SetEnabled(true);
  button->Glyph()->SetHandle(nullptr);
  EXPECT_EQ(Snapshot(*button).Count(kRed), 0);
}

TEST_F(BitBtnTest, ClicksByMouseKeyboardAndDoubleClickEachRaiseOnClick) {
  LeftDown(button->Handle(), 5, 5);
  LeftUp(button->Handle(), 5, 5);
  SendMessageW(button->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, Point(5, 5));
  LeftUp(button->Handle(), 5, 5);
  button->SetFocus();
  SendKey(button->Handle(), VK_SPACE);
  EXPECT_EQ(clicks, 3);

  button->SetDefault(true);  // an owner-drawn button keeps its type
  EXPECT_EQ(StyleOf(*button) & BS_TYPEMASK, BS_OWNERDRAW);
  EXPECT_TRUE(button->Default());
}

}  // namespace
}  // namespace vellumor::test
