// The spin button pair and its auto-repeating halves, on a real form with real messages.
#include <gtest/gtest.h>

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
    spin = new TSpinButton(form);
    spin->SetLeft(10);
    spin->SetTop(10);
    spin->SetParent(form);
    spin->OnUpClick = [this](TObject* sender) {
      EXPECT_EQ(sender, spin);
      ++ups;
    };
    spin->OnDownClick = [this](TObject* sender) {
      EXPECT_EQ(sender, spin);
      ++downs;
    };
  }

  HWND Window() { return spin->Handle(); }
  void Tick(TTimerSpeedButton* half) { SendMessageW(half->AutoRepeatTimer->Handle(), WM_TIMER, 1, 0); }
  static RECT Bounds(TControl* c) { return c->BoundsRect(); }

  TSpinButton* spin = nullptr;
  int ups = 0;
  int downs = 0;
};

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// --- layout of the halves ------------------------------------------------------------------------

TEST_F(SpinButtonTest, NewSpinButtonHasHalvesOf12And14RowsOverlappingByOne) {
  EXPECT_EQ(spin->Width(), 20);
  EXPECT_EQ(spin->Height(), 25);
  EXPECT_TRUE(SameRect(Bounds(spin->UpSpeedButton()), RECT{0, 0, 20, 12}));
  EXPECT_TRUE(SameRect(Bounds(spin->DownSpeedButton()), RECT{0, 11, 20, 25}));
  EXPECT_EQ(spin->CurrentButton(), spin->UpSpeedButton());
  EXPECT_FALSE(spin->TabStop());
  EXPECT_EQ(spin->FocusControl, nullptr);
}

TEST_F(SpinButtonTest, Height17GivesHalvesOf8And10RowsFromRow7) {
  spin->SetBounds(10, 10, 15, 17);
  EXPECT_TRUE(SameRect(Bounds(spin->UpSpeedButton()), RECT{0, 0, 15, 8}));
  EXPECT_TRUE(SameRect(Bounds(spin->DownSpeedButton()), RECT{0, 7, 15, 17}));
}

TEST_F(SpinButtonTest, RequestedWidthBelow15IsRaisedAndHeightsAreKept) {
  spin->SetWidth(10);
  EXPECT_EQ(spin->Width(), 15);
  RECT window{};
  GetWindowRect(Window(), &window);
  EXPECT_EQ(window.right - window.left, 15);
  spin->SetHeight(3);
  EXPECT_EQ(spin->Height(), 3);
  EXPECT_EQ(spin->UpSpeedButton()->Height(), 1);
  EXPECT_EQ(spin->DownSpeedButton()->Height(), 3);
}

TEST_F(SpinButtonTest, WindowResizedBehindItsBackIsWidenedAgain) {
  SetWindowPos(Window(), nullptr, 0, 0, 8, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(spin->Width(), 15);
  EXPECT_EQ(spin->Height(), 30);
  EXPECT_TRUE(SameRect(Bounds(spin->DownSpeedButton()), RECT{0, 14, 15, 30}));
}

TEST_F(SpinButtonTest, NothingIsLaidOutWhileLoadingAndLoadedCatchesUp) {
  auto* loading = new TSpinButton(form);
  loading->BeginLoading();
  loading->SetBounds(0, 0, 5, 40);
  EXPECT_EQ(loading->Width(), 5);
  EXPECT_EQ(loading->UpSpeedButton()->Height(), 12);  // still the construction layout
  loading->EndLoading();
  EXPECT_EQ(loading->Width(), 15);
  EXPECT_TRUE(SameRect(Bounds(loading->UpSpeedButton()), RECT{0, 0, 15, 20}));
  EXPECT_TRUE(SameRect(Bounds(loading->DownSpeedButton()), RECT{0, 19, 15, 40}));
}

TEST_F(SpinButtonTest, FramedOnlyWithoutVisualStyles) {
  DWORD saved = GetThemeAppProperties();
  for (bool themed : {true, false}) {
    SetThemeAppProperties(themed ? saved : 0);
    if (themed && !ThemeServices().GetThemesEnabled()) continue;  // a system without styles
    ASSERT_EQ(ThemeServices().GetThemesEnabled(), themed);
    auto* button = new TSpinButton(form);
    button->SetParent(form);
    EXPECT_EQ((button->ControlStyle & csFramed) != 0, !themed);
    EXPECT_EQ((GetWindowLongW(button->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0, !themed);
    EXPECT_TRUE(button->ControlStyle & csOpaque);
    EXPECT_FALSE(button->ControlStyle & (csAcceptsControls | csSetCaption));
    delete button;
  }
  SetThemeAppProperties(saved);
}

// --- auto-repeat ------------------------------------------------------------------------------------

TEST_F(SpinButtonTest, HoldingTheUpHalfRepeatsAfter400ThenEvery100Milliseconds) {
  TTimerSpeedButton* up = spin->UpSpeedButton();
  EXPECT_EQ(up->AutoRepeatTimer, nullptr);
  LeftDown(Window(), 5, 5);
  ASSERT_NE(up->AutoRepeatTimer, nullptr);
  EXPECT_TRUE(up->AutoRepeatTimer->Enabled());
  EXPECT_EQ(up->AutoRepeatTimer->Interval(), 400u);
  EXPECT_EQ(ups, 0);  // a press alone does not click
  Tick(up);
  EXPECT_EQ(up->AutoRepeatTimer->Interval(), 100u);
  EXPECT_EQ(ups, 1);
  Tick(up);
  Tick(up);
  EXPECT_EQ(ups, 3);
  LeftUp(Window(), 5, 5);  // the ordinary click of the release
  EXPECT_EQ(ups, 4);
  EXPECT_FALSE(up->AutoRepeatTimer->Enabled());
  EXPECT_EQ(downs, 0);
  Tick(up);  // a tick already queued at the release does nothing
  EXPECT_EQ(ups, 4);
}

TEST_F(SpinButtonTest, LeavingTheHalfWhileHeldPausesTheClicksButNotTheTimer) {
  TTimerSpeedButton* down = spin->DownSpeedButton();
  LeftDown(Window(), 5, 20);
  Tick(down);
  EXPECT_EQ(downs, 1);
  MoveHeld(Window(), 60, 60);
  EXPECT_EQ(down->State(), TButtonState::bsUp);
  Tick(down);
  Tick(down);
  EXPECT_EQ(downs, 1);
  EXPECT_TRUE(down->AutoRepeatTimer->Enabled());
  MoveHeld(Window(), 5, 20);
  Tick(down);
  EXPECT_EQ(downs, 2);
  LeftUp(Window(), 60, 60);  // released outside: no click
  EXPECT_EQ(downs, 2);
  EXPECT_FALSE(down->AutoRepeatTimer->Enabled());
}

TEST_F(SpinButtonTest, RightButtonArmsTheTimerButItsTicksDoNotClick) {
  TTimerSpeedButton* up = spin->UpSpeedButton();
  SendMessageW(Window(), WM_RBUTTONDOWN, MK_RBUTTON, Point(5, 5));
  ASSERT_NE(up->AutoRepeatTimer, nullptr);
  EXPECT_TRUE(up->AutoRepeatTimer->Enabled());
  Tick(up);
  Tick(up);
  EXPECT_EQ(ups, 0);
  SendMessageW(Window(), WM_RBUTTONUP, 0, Point(5, 5));
  EXPECT_FALSE(up->AutoRepeatTimer->Enabled());
  EXPECT_EQ(ups, 0);
}

TEST_F(SpinButtonTest, NewPressRearmsTheFirstDelay) {
  TTimerSpeedButton* up = spin->UpSpeedButton();
  LeftDown(Window(), 5, 5);
  Tick(up);
  EXPECT_EQ(up->AutoRepeatTimer->Interval(), 100u);
  LeftUp(Window(), 5, 5);
  LeftDown(Window(), 5, 5);
  EXPECT_EQ(up->AutoRepeatTimer->Interval(), 400u);
  EXPECT_TRUE(up->AutoRepeatTimer->Enabled());
  EXPECT_EQ(up->ComponentCount(), 1);  // the one timer is reused
  LeftUp(Window(), 5, 5);
}

TEST_F(SpinButtonTest, RepeatedClickThatThrowsStopsTheTimerAndReportsTheError) {
  TTimerSpeedButton* up = spin->UpSpeedButton();
  spin->OnUpClick = [](TObject*) { throw std::runtime_error("step failed"); };
  LeftDown(Window(), 5, 5);
  Tick(up);
  EXPECT_EQ(errors, std::vector<std::string>{"step failed"});
  EXPECT_FALSE(up->AutoRepeatTimer->Enabled());
  LeftUp(Window(), 60, 60);
}

TEST_F(SpinButtonTest, ReleaseClickThatThrowsStillStopsTheTimer) {
  TTimerSpeedButton* up = spin->UpSpeedButton();
  spin->OnUpClick = [](TObject*) { throw std::runtime_error("release failed"); };
  LeftDown(Window(), 5, 5);
  LeftUp(Window(), 5, 5);
  EXPECT_EQ(errors, std::vector<std::string>{"release failed"});
  EXPECT_FALSE(up->AutoRepeatTimer->Enabled());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(SpinButtonTest, DeletingTheSpinButtonWhileArmedLeavesNoTimerBehind) {
  LeftDown(Window(), 5, 5);
  HWND timerWindow = spin->UpSpeedButton()->AutoRepeatTimer->Handle();
  delete spin;
  spin = nullptr;
  EXPECT_FALSE(IsWindow(timerWindow));
  EXPECT_EQ(GetCapture(), nullptr);
}

// --- keyboard and focus frame -------------------------------------------------------------------------

TEST_F(SpinButtonTest, WithoutTabStopArrowsClickTheirHalfAndSpaceClicksTheUpHalf) {
  KeyDown(Window(), VK_DOWN);
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(spin->CurrentButton(), spin->UpSpeedButton());
  KeyDown(Window(), VK_SPACE);
  EXPECT_EQ(ups, 1);
  KeyDown(Window(), VK_UP);
  EXPECT_EQ(ups, 2);
  KeyDown(Window(), VK_RETURN);
  EXPECT_EQ(ups + downs, 3);
  EXPECT_EQ(spin->UpSpeedButton()->RepeatButtonFlags, rfAutoRepeat);
  EXPECT_EQ(spin->DownSpeedButton()->RepeatButtonFlags, rfAutoRepeat);
}

TEST_F(SpinButtonTest, KeysRaiseNoKeyEventsAndTheDialogLeavesItTheArrows) {
  int events = 0;
  spin->OnKeyDown = [&](TObject*, WORD&, TShiftState) { ++events; };
  KeyDown(Window(), VK_UP);
  EXPECT_EQ(events, 0);
  EXPECT_EQ(SendMessageW(Window(), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
}

TEST_F(SpinButtonTest, FocusFrameFollowsTheCurrentHalfWhileFocused) {
  spin->SetTabStop(true);
  auto* other = new TEdit(form);
  other->SetBounds(100, 10, 80, 22);
  other->SetParent(form);
  TTimerSpeedButton* up = spin->UpSpeedButton();
  TTimerSpeedButton* down = spin->DownSpeedButton();

  spin->SetFocus();
  EXPECT_EQ(up->RepeatButtonFlags, rfAutoRepeat | rfFocusFrame);
  KeyDown(Window(), VK_DOWN);
  EXPECT_EQ(spin->CurrentButton(), down);
  EXPECT_EQ(up->RepeatButtonFlags, rfAutoRepeat);
  EXPECT_EQ(down->RepeatButtonFlags, rfAutoRepeat | rfFocusFrame);
  KeyDown(Window(), VK_SPACE);
  EXPECT_EQ(downs, 2);

  other->SetFocus();
  EXPECT_EQ(down->RepeatButtonFlags, rfAutoRepeat);
  LeftDown(Window(), 5, 5);  // a press selects the half and takes the focus
  LeftUp(Window(), 5, 5);
  EXPECT_EQ(spin->CurrentButton(), up);
  EXPECT_TRUE(spin->Focused());
  EXPECT_EQ(up->RepeatButtonFlags, rfAutoRepeat | rfFocusFrame);
}

// Pixels of one half painted on its own, row-major.
std::vector<COLORREF> Paint(TControl* half) {
  ScreenDC screen;
  MemoryDC dc;
  GdiObject bitmap(CreateCompatibleBitmap(screen.Get(), half->Width(), half->Height()));
  ScopedSelect select(dc.Get(), bitmap.Get());
  half->PaintTo(dc.Get(), 0, 0);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < half->Height(); ++y)
    for (int x = 0; x < half->Width(); ++x)
      pixels.push_back(GetPixel(dc.Get(), x, y));
  return pixels;
}

// Every pixel that the frame changes lies on the outline of r, and every side has some.
void ExpectFrameOn(const std::vector<COLORREF>& without, const std::vector<COLORREF>& with, int width,
                   const RECT& r) {
  int sides[4] = {};
  for (size_t i = 0; i < with.size(); ++i) {
    if (with[i] == without[i]) continue;
    int x = static_cast<int>(i) % width, y = static_cast<int>(i) / width;
    bool onOutline = x >= r.left && x < r.right && y >= r.top && y < r.bottom &&
                     (x == r.left || x == r.right - 1 || y == r.top || y == r.bottom - 1);
    EXPECT_TRUE(onOutline) << "changed pixel off the frame at " << x << "," << y;
    if (x == r.left) ++sides[0];
    if (x == r.right - 1) ++sides[1];
    if (y == r.top) ++sides[2];
    if (y == r.bottom - 1) ++sides[3];
  }
  for (int side : sides)
    EXPECT_GT(side, 0);
}

TEST_F(SpinButtonTest, FocusFrameIsDottedThreePixelsInsideAndShiftsWhenPressed) {
  spin->SetBounds(10, 10, 30, 40);
  TTimerSpeedButton* up = spin->UpSpeedButton();
  std::vector<COLORREF> plain = Paint(up);
  up->RepeatButtonFlags |= rfFocusFrame;
  ExpectFrameOn(plain, Paint(up), 30, RECT{3, 3, 27, 17});

  LeftDown(Window(), 5, 5);
  up->RepeatButtonFlags &= static_cast<TRepeatButtonFlags>(~rfFocusFrame);
  std::vector<COLORREF> pressed = Paint(up);
  up->RepeatButtonFlags |= rfFocusFrame;
  ExpectFrameOn(pressed, Paint(up), 30, RECT{4, 4, 28, 18});
  LeftUp(Window(), 5, 5);
}

// --- focus hand-over ---------------------------------------------------------------------------------

TEST_F(SpinButtonTest, PressGivesTheFocusToFocusControl) {
  auto* target = new TEdit(form);
  target->SetBounds(100, 10, 80, 22);
  target->SetParent(form);
  auto* other = new TEdit(form);
  other->SetBounds(100, 40, 80, 22);
  other->SetParent(form);
  spin->FocusControl = target;
  other->SetFocus();
  LeftDown(Window(), 5, 5);
  EXPECT_TRUE(target->Focused());
  LeftUp(Window(), 5, 5);
  EXPECT_EQ(ups, 1);

  // A spin button that is a tab stop takes the focus from its FocusControl.
  spin->SetTabStop(true);
  LeftDown(Window(), 5, 5);
  EXPECT_TRUE(spin->Focused());
  LeftUp(Window(), 5, 5);
}

TEST_F(SpinButtonTest, RemovalOfFocusControlClearsItAndThePressFocusesTheSpinButton) {
  auto* target = new TEdit(form);
  target->SetParent(form);
  spin->FocusControl = target;
  spin->SetTabStop(true);
  delete new TEdit(form);  // another component's removal is no concern of it
  EXPECT_EQ(spin->FocusControl, target);
  delete target;
  EXPECT_EQ(spin->FocusControl, nullptr);
  LeftDown(Window(), 5, 5);
  EXPECT_TRUE(spin->Focused());
  LeftUp(Window(), 5, 5);
}

TEST_F(SpinButtonTest, FocusControlThatIsNoTabStopIsPassedOver) {
  auto* target = new TEdit(form);
  target->SetParent(form);
  target->SetTabStop(false);
  spin->FocusControl = target;
  LeftDown(Window(), 5, 5);
  EXPECT_FALSE(target->Focused());
  LeftUp(Window(), 5, 5);
}

// --- glyphs ---------------------------------------------------------------------------------------------

TEST_F(SpinButtonTest, BuiltInGlyphsAreBlackTrianglesOnOlive) {
  TBitmap* up = spin->UpGlyph();
  TBitmap* down = spin->DownGlyph();
  ASSERT_FALSE(up->Empty());
  ASSERT_FALSE(down->Empty());
  EXPECT_EQ(up->Width(), 9);
  EXPECT_EQ(up->Height(), 6);
  const COLORREF olive = RGB(128, 128, 0), black = RGB(0, 0, 0);
  EXPECT_EQ(up->TransparentColor(), olive);
  EXPECT_EQ(up->PixelAt(4, 0), olive);
  EXPECT_EQ(up->PixelAt(4, 1), black);
  EXPECT_EQ(up->PixelAt(3, 1), olive);
  EXPECT_EQ(up->PixelAt(1, 4), black);
  EXPECT_EQ(up->PixelAt(7, 4), black);
  EXPECT_EQ(up->PixelAt(0, 4), olive);
  EXPECT_EQ(up->PixelAt(4, 5), olive);
  EXPECT_EQ(down->PixelAt(1, 1), black);
  EXPECT_EQ(down->PixelAt(4, 4), black);
  EXPECT_EQ(down->PixelAt(3, 4), olive);
}

TEST_F(SpinButtonTest, PaintedArrowShowsNoOliveBackground) {
  std::vector<COLORREF> pixels = Paint(spin->UpSpeedButton());
  int black = 0;
  for (COLORREF c : pixels) {
    EXPECT_NE(c, RGB(128, 128, 0));
    if (c == RGB(0, 0, 0)) ++black;
  }
  EXPECT_GE(black, 16);  // the 1 + 3 + 5 + 7 pixels of the arrow
}

TEST_F(SpinButtonTest, NilGlyphRestoresTheBuiltInArrowWithOneImage) {
  spin->SetUpNumGlyphs(3);
  spin->SetDownNumGlyphs(2);
  ScreenDC screen;
  TBitmap custom;
  custom.SetHandle(CreateCompatibleBitmap(screen.Get(), 20, 4));
  spin->SetDownGlyph(&custom);
  EXPECT_EQ(spin->DownGlyph()->Width(), 20);
  EXPECT_NE(spin->DownGlyph()->Handle(), custom.Handle());  // copied, not shared
  EXPECT_EQ(spin->DownNumGlyphs(), 2);                      // a bitmap alone changes nothing else

  spin->SetDownGlyph(nullptr);
  EXPECT_EQ(spin->DownGlyph()->Width(), 9);
  EXPECT_EQ(spin->DownNumGlyphs(), 1);
  EXPECT_EQ(spin->UpNumGlyphs(), 3);
}

TEST_F(SpinButtonTest, HalvesStayEnabledWhenTheSpinButtonIsDisabled) {
  spin->SetEnabled(false);
  EXPECT_TRUE(spin->UpSpeedButton()->Enabled());
  EXPECT_TRUE(spin->DownSpeedButton()->Enabled());
  KeyDown(Window(), VK_UP);  // keys still reach it when sent
  EXPECT_EQ(ups, 1);
}

}  // namespace
}  // namespace vellumor::test
