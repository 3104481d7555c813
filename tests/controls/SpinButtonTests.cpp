// The spin button pair and its auto-repeating halves, on a real form with real messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "FormFixture.h"
#include "Spin.h"
#include "Themes.h"

#include <uxtheme.h>

namespace vellumor::test {
namespace {

class SpinButtonTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    spin = new TSpinButton(form);  // at its own default size
    spin->SetLeft(10);
    spin->SetTop(10);
    spin->SetParent(form);
    spin->OnUpClick = [this](TObject* sender) { ups += sender == spin; };
    spin->OnDownClick = [this](TObject* sender) { downs += sender == spin; };
  }
  // Nothing may escape a handler: the form's exception handler would only record it.
  void TearDown() override {
    EXPECT_EQ(errors, std::vector<std::string>{});
    FormTest::TearDown();
  }

  HWND Window() { return spin->Handle(); }
  void Tick(TTimerSpeedButton* half) { SendMessageW(half->AutoRepeatTimer->Handle(), WM_TIMER, 1, 0); }
  TEdit* Edit(int y) { return Make<TEdit>(form, 100, y, 80, 22); }

  TSpinButton* spin = nullptr;
  int ups = 0;
  int downs = 0;
};

// The button's window and own size, then its halves' bounds; the lower half overlaps the upper's
// last row.
std::string Layout(TSpinButton* s) {
  RECT w{}, u = s->UpSpeedButton()->BoundsRect(), d = s->DownSpeedButton()->BoundsRect();
  GetWindowRect(s->Handle(), &w);
  char out[96];
  snprintf(out, sizeof out, "%ld %dx%d up %ld,%ld,%ld,%ld down %ld,%ld,%ld,%ld", w.right - w.left, s->Width(),
           s->Height(), u.left, u.top, u.right, u.bottom, d.left, d.top, d.right, d.bottom);
  return out;
}

TEST_F(SpinButtonTest, HalvesSplitTheHeightAndTheWidthIsAtLeast15) {
  EXPECT_EQ(Layout(spin), "20 20x25 up 0,0,20,12 down 0,11,20,25");
  EXPECT_EQ(spin->CurrentButton(), spin->UpSpeedButton());
  spin->SetBounds(10, 10, 15, 17);
  EXPECT_EQ(Layout(spin), "15 15x17 up 0,0,15,8 down 0,7,15,17");
  spin->SetWidth(10);
  spin->SetHeight(3);
  EXPECT_EQ(Layout(spin), "15 15x3 up 0,0,15,1 down 0,0,15,3");
  // A window resized behind its back is widened again.
  SetWindowPos(Window(), nullptr, 0, 0, 8, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(Layout(spin), "15 15x30 up 0,0,15,15 down 0,14,15,30");

  // Nothing is laid out while loading; Loaded catches up.
  auto* loading = Make<TSpinButton>(form, 0, 60, 20, 25);
  loading->BeginLoading();
  loading->SetBounds(0, 60, 5, 40);
  EXPECT_EQ(loading->Width(), 5);
  EXPECT_EQ(loading->UpSpeedButton()->Height(), 12);  // still the construction layout
  loading->EndLoading();
  EXPECT_EQ(Layout(loading), "15 15x40 up 0,0,15,20 down 0,19,15,40");
}

TEST_F(SpinButtonTest, FramedOnlyWithoutVisualStyles) {
  DWORD saved = GetThemeAppProperties();
  for (bool themed : {true, false}) {
    SetThemeAppProperties(themed ? saved : 0);
    if (themed && !ThemeServices().GetThemesEnabled()) continue;  // a system without styles
    auto* button = Make<TSpinButton>(form, 0, 60, 20, 25);
    EXPECT_EQ((GetWindowLongW(button->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0, !themed);
    EXPECT_TRUE(button->ControlStyle & csOpaque);
    EXPECT_FALSE(button->ControlStyle & (csAcceptsControls | csSetCaption));
    delete button;
  }
  SetThemeAppProperties(saved);
}

TEST_F(SpinButtonTest, HoldingAHalfRepeatsAfter400ThenEvery100MillisecondsWhileHeldOnIt) {
  TTimerSpeedButton* up = spin->UpSpeedButton();
  EXPECT_EQ(up->AutoRepeatTimer, nullptr);
  for (int press = 0; press < 2; ++press) {  // a new press waits the full first delay again
    LeftDown(Window(), 5, 5);
    ASSERT_NE(up->AutoRepeatTimer, nullptr);
    EXPECT_TRUE(up->AutoRepeatTimer->Enabled());
    EXPECT_EQ(up->AutoRepeatTimer->Interval(), 400u);
    Tick(up);
    EXPECT_EQ(up->AutoRepeatTimer->Interval(), 100u);
    Tick(up);
    LeftUp(Window(), 5, 5);  // with the ordinary click of the release
    EXPECT_FALSE(up->AutoRepeatTimer->Enabled());
    Tick(up);  // a tick already queued at the release does nothing
  }
  EXPECT_EQ(ups, 6);
  EXPECT_EQ(up->ComponentCount(), 1);  // the one timer is reused
  // Ticks click only while the half is held down.
  TTimerSpeedButton* down = spin->DownSpeedButton();
  LeftDown(Window(), 5, 20);
  Tick(down);
  MoveHeld(Window(), 60, 60);  // off the half: the clicks pause, the timer runs on
  Tick(down);
  EXPECT_TRUE(down->AutoRepeatTimer->Enabled());
  MoveHeld(Window(), 5, 20);
  Tick(down);
  LeftUp(Window(), 60, 60);  // released outside: no click
  EXPECT_EQ(downs, 2);
  EXPECT_FALSE(down->AutoRepeatTimer->Enabled());
  down->RepeatButtonFlags = 0;  // without the flag a press arms nothing
  LeftDown(Window(), 5, 20);
  EXPECT_FALSE(down->AutoRepeatTimer->Enabled());
  LeftUp(Window(), 5, 20);
  // The right button arms the timer as well, but its ticks never click.
  SendMessageW(Window(), WM_RBUTTONDOWN, MK_RBUTTON, Point(5, 5));
  EXPECT_TRUE(up->AutoRepeatTimer->Enabled());
  Tick(up);
  SendMessageW(Window(), WM_RBUTTONUP, 0, Point(5, 5));
  EXPECT_FALSE(up->AutoRepeatTimer->Enabled());
  EXPECT_EQ(ups, 6);
}

TEST_F(SpinButtonTest, ClickThatThrowsOrDeletionStopsTheTimer) {
  TTimerSpeedButton* up = spin->UpSpeedButton();
  spin->OnUpClick = [](TObject*) { throw std::runtime_error("step failed"); };
  LeftDown(Window(), 5, 5);
  Tick(up);
  EXPECT_FALSE(up->AutoRepeatTimer->Enabled());
  LeftUp(Window(), 60, 60);
  LeftDown(Window(), 5, 5);
  LeftUp(Window(), 5, 5);  // the release click throws too
  EXPECT_FALSE(up->AutoRepeatTimer->Enabled());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(errors, (std::vector<std::string>{"step failed", "step failed"}));
  errors.clear();

  LeftDown(Window(), 5, 5);  // deleted while armed: no timer is left behind
  HWND timerWindow = spin->UpSpeedButton()->AutoRepeatTimer->Handle();
  delete spin;
  EXPECT_FALSE(IsWindow(timerWindow));
  EXPECT_EQ(GetCapture(), nullptr);
}

// Disabling the spin button leaves its halves enabled; keys sent to it still click.
TEST_F(SpinButtonTest, ArrowsClickTheirHalfSpaceTheCurrentOneAndTheFocusFrameFollowsIt) {
  int keyEvents = 0;
  spin->OnKeyDown = [&](TObject*, WORD&, TShiftState) { ++keyEvents; };
  spin->SetEnabled(false);
  EXPECT_TRUE(spin->UpSpeedButton()->Enabled() && spin->DownSpeedButton()->Enabled());
  KeyDown(Window(), VK_DOWN);
  EXPECT_EQ(downs, 1);
  KeyDown(Window(), VK_SPACE);
  KeyDown(Window(), VK_UP);
  KeyDown(Window(), VK_RETURN);
  EXPECT_EQ(ups, 2);
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(spin->CurrentButton(), spin->UpSpeedButton());
  EXPECT_EQ(spin->DownSpeedButton()->RepeatButtonFlags, rfAutoRepeat);  // no frame
  EXPECT_EQ(keyEvents, 0);
  EXPECT_EQ(SendMessageW(Window(), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
  // A tab stop: the focus frame follows the current half while focused.
  spin->SetEnabled(true);
  spin->SetTabStop(true);
  TEdit* other = Edit(10);
  TTimerSpeedButton* up = spin->UpSpeedButton();
  TTimerSpeedButton* down = spin->DownSpeedButton();
  spin->SetFocus();
  EXPECT_EQ(up->RepeatButtonFlags, rfAutoRepeat | rfFocusFrame);
  KeyDown(Window(), VK_DOWN);
  EXPECT_EQ(spin->CurrentButton(), down);
  EXPECT_EQ(up->RepeatButtonFlags, rfAutoRepeat);
  EXPECT_EQ(down->RepeatButtonFlags, rfAutoRepeat | rfFocusFrame);
  KeyDown(Window(), VK_SPACE);
  EXPECT_EQ(downs, 3);
  other->SetFocus();
  EXPECT_EQ(down->RepeatButtonFlags, rfAutoRepeat);
  Click(*spin);  // a press selects the half and takes the focus
  EXPECT_EQ(spin->CurrentButton(), up);
  EXPECT_TRUE(spin->Focused());
  EXPECT_EQ(up->RepeatButtonFlags, rfAutoRepeat | rfFocusFrame);
}

// The smallest rectangle that holds every pixel the frame changes.
RECT FrameBounds(const Snapshot& without, const Snapshot& with, int width, int height) {
  RECT r{width, height, 0, 0};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (with.Pixel(x, y) != without.Pixel(x, y))
        r = {std::min<LONG>(r.left, x), std::min<LONG>(r.top, y), std::max<LONG>(r.right, x + 1),
             std::max<LONG>(r.bottom, y + 1)};
  return r;
}

TEST_F(SpinButtonTest, FocusFrameIsDottedThreePixelsInsideAndShiftsWhenPressed) {
  spin->SetBounds(10, 10, 30, 40);
  TTimerSpeedButton* up = spin->UpSpeedButton();
  for (int pressed = 0; pressed < 2; ++pressed) {
    if (pressed) LeftDown(Window(), 5, 5);
    up->RepeatButtonFlags = rfAutoRepeat;
    Snapshot plain(*up);
    up->RepeatButtonFlags |= rfFocusFrame;
    Snapshot framed(*up);
    RECT r = FrameBounds(plain, framed, 30, 20), want{3 + pressed, 3 + pressed, 27 + pressed, 17 + pressed};
    EXPECT_TRUE(EqualRect(&r, &want)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    EXPECT_EQ(framed.Pixel(15, 10), plain.Pixel(15, 10));  // a frame, not a fill
  }
  LeftUp(Window(), 5, 5);
}

TEST_F(SpinButtonTest, PressGivesTheFocusToFocusControlWhileItIsATabStopAndThere) {
  TEdit* target = Edit(10);
  TEdit* other = Edit(40);
  auto focusAfterPress = [&] {
    Click(*spin);
    return TWinControl::FindControl(GetFocus());
  };
  spin->FocusControl = other;
  other->SetTabStop(false);
  target->SetFocus();
  EXPECT_EQ(focusAfterPress(), target);
  spin->FocusControl = target;
  other->SetFocus();
  EXPECT_EQ(focusAfterPress(), target);
  spin->SetTabStop(true);  // a tab stop itself, it takes the focus from its FocusControl
  EXPECT_EQ(focusAfterPress(), spin);
  delete other;  // another component's removal is no concern of it
  EXPECT_EQ(spin->FocusControl, target);
  delete target;
  EXPECT_EQ(spin->FocusControl, nullptr);
  Edit(70)->SetFocus();
  EXPECT_EQ(focusAfterPress(), spin);
  EXPECT_EQ(ups, 4);
}

// The glyph as rows of '#' (black) and '.' (olive, the colour that shows the ground).
std::string Glyph(TBitmap* glyph) {
  std::string rows;
  for (int y = 0; y < glyph->Height(); ++y, rows += '/')
    for (int x = 0; x < glyph->Width(); ++x)
      rows += glyph->PixelAt(x, y) == RGB(0, 0, 0)       ? '#'
              : glyph->PixelAt(x, y) == RGB(128, 128, 0) ? '.'
                                                         : '?';
  return rows;
}

TEST_F(SpinButtonTest, BuiltInGlyphsAreBlackTrianglesOnOliveAndANilGlyphRestoresThem) {
  EXPECT_EQ(Glyph(spin->UpGlyph()), "........./....#..../...###.../..#####../.#######./........./");
  EXPECT_EQ(Glyph(spin->DownGlyph()), "........./.#######./..#####../...###.../....#..../........./");
  Snapshot painted(*spin->UpSpeedButton());
  EXPECT_EQ(painted.Count(RGB(128, 128, 0)), 0);
  EXPECT_GE(painted.Count(RGB(0, 0, 0)), 16);  // the 1 + 3 + 5 + 7 pixels of the arrow
  const std::string down = Glyph(spin->DownGlyph());
  // A nil glyph restores the built-in arrow, with one image.
  spin->SetUpNumGlyphs(3);
  spin->SetDownNumGlyphs(2);
  TBitmap custom;
  custom.SetHandle(MakeBitmap(20, 4, RGB(255, 0, 0)));
  spin->SetDownGlyph(&custom);
  EXPECT_EQ(spin->DownGlyph()->Width(), 20);
  EXPECT_NE(spin->DownGlyph()->Handle(), custom.Handle());  // copied, not shared
  EXPECT_EQ(spin->DownNumGlyphs(), 2);                      // a bitmap alone changes nothing else

  spin->SetDownGlyph(nullptr);
  EXPECT_EQ(Glyph(spin->DownGlyph()), down);
  EXPECT_EQ(spin->DownNumGlyphs(), 1);
  EXPECT_EQ(spin->UpNumGlyphs(), 3);
}

}  // namespace
}  // namespace vellumor::test
