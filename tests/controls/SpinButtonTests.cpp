// The spin button pair and its auto-repeating halves, on a real form with real messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "ControlTest.h"
#include "Spin.h"
#include "Themes.h"

#include <uxtheme.h>

namespace vellumor::test {
namespace {

class SpinButtonTest : public ControlTest {
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

  HWND Window() { return spin->Handle(); }
  void Tick(TTimerSpeedButton* half) { SendMessageW(half->AutoRepeatTimer->Handle(), WM_TIMER, 1, 0); }
  // The half's repeat timer: "none", "off", or its interval while it runs.
  static std::string Timer(TTimerSpeedButton* half) {
    TTimer* timer = half->AutoRepeatTimer;
    return !timer ? "none" : timer->Enabled() ? std::to_string(timer->Interval()) : "off";
  }
  TEdit* Edit(int y) { return Make<TEdit>(form, 100, y, 80, 22); }

  TSpinButton* spin = nullptr;
  int ups = 0;
  int downs = 0;
};

// The button's window and own size, then its halves' bounds; the lower half overlaps the upper's
// last row.
std::string Layout(TSpinButton* s) {
  RECT w{};
  GetWindowRect(s->Handle(), &w);
  return std::to_string(w.right - w.left) + " " + std::to_string(s->Width()) + "x" +
         std::to_string(s->Height()) + " up " + Str(s->UpSpeedButton()->BoundsRect()) + " down " +
         Str(s->DownSpeedButton()->BoundsRect());
}

// Framed only without visual styles.
TEST_F(SpinButtonTest, HalvesSplitTheHeightAndTheWidthIsAtLeast15) {
  EXPECT_EQ(Layout(spin), "20 20x25 up 0,0,20,12 down 0,11,20,25");
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

  DWORD saved = GetThemeAppProperties();
  for (bool themed : {true, false}) {
    SetThemeAppProperties(themed ? saved : 0);
    if (themed && !ThemeServices().GetThemesEnabled()) continue;  // a system without styles
    auto* button = Make<TSpinButton>(form, 0, 60, 20, 25);
    EXPECT_EQ((StyleOf(*button, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0, !themed);
    EXPECT_EQ(button->ControlStyle & (csOpaque | csAcceptsControls | csSetCaption), csOpaque);
    delete button;
  }
  SetThemeAppProperties(saved);
}

// A new press waits the full first delay again; a tick already queued at the release does
// nothing; the one timer is reused. Ticks click only while the half is held down with the left
// button; a click that throws, or deletion, stops the timer.
TEST_F(SpinButtonTest, HoldingAHalfRepeatsAfter400ThenEvery100MillisecondsWhileHeldOnIt) {
  TTimerSpeedButton *up = spin->UpSpeedButton(), *down = spin->DownSpeedButton();
  std::string seen = Timer(up);
  for (int press = 0; press < 2; ++press) {
    LeftDown(Window(), 5, 5);
    seen += " " + Timer(up);
    Tick(up);
    seen += " " + Timer(up);
    Tick(up);
    LeftUp(Window(), 5, 5);  // with the ordinary click of the release
    seen += " " + Timer(up);
    Tick(up);
  }
  EXPECT_EQ(seen, "none 400 100 off 400 100 off");
  EXPECT_EQ(ups, 6);
  EXPECT_EQ(up->ComponentCount(), 1);
  LeftDown(Window(), 5, 20);
  Tick(down);
  MoveHeld(Window(), 60, 60);  // off the half: the clicks pause, the timer runs on
  Tick(down);
  seen = Timer(down);
  MoveHeld(Window(), 5, 20);
  Tick(down);
  LeftUp(Window(), 60, 60);  // released outside: no click
  seen += " " + Timer(down);
  EXPECT_EQ(downs, 2);
  down->RepeatButtonFlags = 0;  // without the flag a press arms nothing
  LeftDown(Window(), 5, 20);
  seen += " " + Timer(down);
  LeftUp(Window(), 5, 20);
  SendMessageW(Window(), WM_RBUTTONDOWN, MK_RBUTTON, Point(5, 5));  // arms the timer, never clicks
  seen += " " + Timer(up);
  Tick(up);
  SendMessageW(Window(), WM_RBUTTONUP, 0, Point(5, 5));
  EXPECT_EQ(seen + " " + Timer(up), "100 off off 400 off");
  EXPECT_EQ(ups, 6);

  spin->OnUpClick = [](TObject*) { throw std::runtime_error("step failed"); };
  LeftDown(Window(), 5, 5);
  Tick(up);
  seen = Timer(up);
  LeftUp(Window(), 60, 60);
  LeftDown(Window(), 5, 5);
  LeftUp(Window(), 5, 5);  // the release click throws too
  EXPECT_EQ(seen + " " + Timer(up), "off off");
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(errors, (std::vector<std::string>{"step failed", "step failed"}));
  errors.clear();
  LeftDown(Window(), 5, 5);  // deleted while armed: no timer is left behind
  HWND timerWindow = up->AutoRepeatTimer->Handle();
  delete spin;
  EXPECT_FALSE(IsWindow(timerWindow));
  EXPECT_EQ(GetCapture(), nullptr);
}

// Disabling the spin button leaves its halves enabled; keys sent to it still click. As a tab stop
// the focus frame follows the current half while focused.
TEST_F(SpinButtonTest, ArrowsClickTheirHalfSpaceTheCurrentOneAndTheFocusFrameFollowsIt) {
  TTimerSpeedButton *up = spin->UpSpeedButton(), *down = spin->DownSpeedButton();
  // Which half is current, then the halves' flags.
  auto state = [&] {
    return std::string(spin->CurrentButton() == up ? "up " : "down ") +
           std::to_string(up->RepeatButtonFlags) + std::to_string(down->RepeatButtonFlags);
  };
  int keyEvents = 0;
  spin->OnKeyDown = [&](TObject*, WORD&, TShiftState) { ++keyEvents; };
  spin->SetEnabled(false);
  EXPECT_TRUE(up->Enabled() && down->Enabled());
  KeyDown(Window(), VK_DOWN);
  EXPECT_EQ(downs, 1);
  KeyDown(Window(), VK_SPACE);
  KeyDown(Window(), VK_UP);
  KeyDown(Window(), VK_RETURN);
  EXPECT_EQ(std::to_string(ups) + std::to_string(downs) + std::to_string(keyEvents) + " " + state(),
            "210 up 22");
  EXPECT_EQ(SendMessageW(Window(), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
  spin->SetEnabled(true);
  spin->SetTabStop(true);
  TEdit* other = Edit(10);
  spin->SetFocus();
  std::string seen = state();
  KeyDown(Window(), VK_DOWN);
  seen += " " + state();
  KeyDown(Window(), VK_SPACE);
  EXPECT_EQ(downs, 3);
  other->SetFocus();
  seen += " " + state();
  Click(*spin);  // a press selects the half and takes the focus
  EXPECT_TRUE(spin->Focused());
  EXPECT_EQ(seen + " " + state(), "up 32 down 23 down 22 up 32");
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
    RECT r{30, 20, 0, 0};  // the smallest rectangle that holds every pixel the frame changes
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 30; ++x)
        if (framed.Pixel(x, y) != plain.Pixel(x, y))
          r = {std::min<LONG>(r.left, x), std::min<LONG>(r.top, y), std::max<LONG>(r.right, x + 1),
               std::max<LONG>(r.bottom, y + 1)};
    EXPECT_EQ(Str(r), Str({3 + pressed, 3 + pressed, 27 + pressed, 17 + pressed}));
    EXPECT_EQ(framed.Pixel(15, 10), plain.Pixel(15, 10));  // a frame, not a fill
    // Dotted where it is drawn, and drawn only with the flag.
    EXPECT_NE(framed.Pixel(3 + pressed, 8), framed.Pixel(3 + pressed, 9));
    EXPECT_EQ(plain.Pixel(3 + pressed, 8), plain.Pixel(3 + pressed, 9));
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

// A nil glyph restores the built-in arrow, with one image; a bitmap alone changes nothing else.
TEST_F(SpinButtonTest, BuiltInGlyphsAreBlackTrianglesOnOliveAndANilGlyphRestoresThem) {
  const std::string down = "........./.#######./..#####../...###.../....#..../........./";
  EXPECT_EQ(Glyph(spin->UpGlyph()), "........./....#..../...###.../..#####../.#######./........./");
  EXPECT_EQ(Glyph(spin->DownGlyph()), down);
  Snapshot painted(*spin->UpSpeedButton());
  EXPECT_EQ(painted.Count(RGB(128, 128, 0)), 0);
  EXPECT_GE(painted.Count(RGB(0, 0, 0)), 16);  // the 1 + 3 + 5 + 7 pixels of the arrow
  spin->SetUpNumGlyphs(3);
  spin->SetDownNumGlyphs(2);
  TBitmap custom;
  custom.SetHandle(MakeBitmap(20, 4, RGB(255, 0, 0)));
  spin->SetDownGlyph(&custom);
  EXPECT_EQ(std::to_string(spin->DownGlyph()->Width()) + " " + std::to_string(spin->DownNumGlyphs()), "20 2");
  EXPECT_NE(spin->DownGlyph()->Handle(), custom.Handle());  // copied, not shared
  spin->SetDownGlyph(nullptr);
  EXPECT_EQ(
      Glyph(spin->DownGlyph()) + std::to_string(spin->DownNumGlyphs()) + std::to_string(spin->UpNumGlyphs()),
      down + "13");
}

}  // namespace
}  // namespace vellumor::test
