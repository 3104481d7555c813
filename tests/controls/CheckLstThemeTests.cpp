// Theme services as the check list box uses them: the element numbering, the switch, and what
// DrawElement puts on the screen with and without a theme.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <uxtheme.h>
#include <vssym32.h>

#include <vector>

#include "DrawingSupport.h"
#include "Themes.h"

namespace vellumor {
namespace {

using B = TThemedButton;

std::vector<COLORREF> Draw(int w, int h, void (*draw)(HDC, const RECT&)) {
  return test::DrawnPixels(w, h, draw);
}

using test::ThemesOff;

TEST(ThemeServices, ElementDetailsFollowTheThemesPartAndStateNumbers) {
  struct Case {
    B detail;
    int part, state;
  } cases[] = {
      {B::tbPushButtonNormal, BP_PUSHBUTTON, PBS_NORMAL},
      {B::tbPushButtonDefaulted, BP_PUSHBUTTON, PBS_DEFAULTED},
      {B::tbRadioButtonUncheckedNormal, BP_RADIOBUTTON, RBS_UNCHECKEDNORMAL},
      {B::tbRadioButtonCheckedDisabled, BP_RADIOBUTTON, RBS_CHECKEDDISABLED},
      {B::tbCheckBoxUncheckedNormal, BP_CHECKBOX, CBS_UNCHECKEDNORMAL},
      {B::tbCheckBoxUncheckedDisabled, BP_CHECKBOX, CBS_UNCHECKEDDISABLED},
      {B::tbCheckBoxCheckedNormal, BP_CHECKBOX, CBS_CHECKEDNORMAL},
      {B::tbCheckBoxCheckedDisabled, BP_CHECKBOX, CBS_CHECKEDDISABLED},
      {B::tbCheckBoxMixedNormal, BP_CHECKBOX, CBS_MIXEDNORMAL},
      {B::tbCheckBoxMixedDisabled, BP_CHECKBOX, CBS_MIXEDDISABLED},
      {B::tbGroupBoxDisabled, BP_GROUPBOX, GBS_DISABLED},
      {B::tbUserButton, BP_USERBUTTON, 1},
  };
  for (const Case& c : cases) {
    TThemedElementDetails d = ThemeServices().GetElementDetails(c.detail);
    EXPECT_EQ(d.Part, c.part) << static_cast<int>(c.detail);
    EXPECT_EQ(d.State, c.state) << static_cast<int>(c.detail);
  }
  // The check list box's six looks are stored by these numbers.
  EXPECT_EQ(static_cast<int>(B::tbCheckBoxUncheckedNormal), 15);
  EXPECT_EQ(static_cast<int>(B::tbCheckBoxUncheckedDisabled), 18);
  EXPECT_EQ(static_cast<int>(B::tbCheckBoxCheckedNormal), 19);
  EXPECT_EQ(static_cast<int>(B::tbCheckBoxCheckedDisabled), 22);
  EXPECT_EQ(static_cast<int>(B::tbCheckBoxMixedNormal), 23);
  EXPECT_EQ(static_cast<int>(B::tbCheckBoxMixedDisabled), 26);
}

TEST(ThemeServices, ClassicFlagsByState) {
  EXPECT_EQ(TThemeServices::ClassicFrameFlags(B::tbCheckBoxUncheckedNormal), DFCS_BUTTONCHECK);
  EXPECT_EQ(TThemeServices::ClassicFrameFlags(B::tbCheckBoxCheckedDisabled), DFCS_CHECKED | DFCS_INACTIVE);
  EXPECT_EQ(TThemeServices::ClassicFrameFlags(B::tbCheckBoxMixedNormal), DFCS_BUTTON3STATE | DFCS_CHECKED);
  EXPECT_EQ(TThemeServices::ClassicFrameFlags(B::tbCheckBoxMixedHot),
            DFCS_BUTTON3STATE | DFCS_CHECKED | DFCS_HOT);
  EXPECT_EQ(TThemeServices::ClassicFrameFlags(B::tbRadioButtonCheckedPressed),
            DFCS_BUTTONRADIO | DFCS_CHECKED | DFCS_PUSHED);
  EXPECT_EQ(TThemeServices::ClassicFrameFlags(B::tbPushButtonDisabled), DFCS_BUTTONPUSH | DFCS_INACTIVE);
  EXPECT_EQ(TThemeServices::ClassicFrameFlags(B::tbGroupBoxNormal), -1);
  EXPECT_EQ(TThemeServices::ClassicFrameFlags(B::tbButtonDontCare), -1);
}

TEST(ThemeServices, SwitchingThemedControlsOffIsSeenAtOnce) {
  ASSERT_TRUE(ThemeServices().ThemesEnabled());  // Wine's own theme is active
  {
    ThemesOff off;
    EXPECT_FALSE(ThemeServices().ThemesEnabled());
    EXPECT_FALSE(ThemeServices().GetThemesEnabled());
  }
  EXPECT_TRUE(ThemeServices().ThemesEnabled());
}

TEST(ThemeServices, DrawElementDrawsTheThemeOrTheClassicCheckBox) {
  auto themed = Draw(16, 16, [](HDC dc, const RECT& r) {
    ThemeServices().DrawElement(dc, ThemeServices().GetElementDetails(B::tbCheckBoxCheckedNormal), r);
  });
  auto direct = Draw(16, 16, [](HDC dc, const RECT& r) {
    HTHEME theme = OpenThemeData(nullptr, L"BUTTON");
    DrawThemeBackground(theme, dc, BP_CHECKBOX, CBS_CHECKEDNORMAL, &r, nullptr);
    CloseThemeData(theme);
  });
  EXPECT_EQ(themed, direct);

  ThemesOff off;
  auto classic = Draw(16, 16, [](HDC dc, const RECT& r) {
    ThemeServices().DrawElement(dc, ThemeServices().GetElementDetails(B::tbCheckBoxMixedDisabled), r);
  });
  auto frame = Draw(16, 16, [](HDC dc, const RECT& r) {
    RECT box = r;
    DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTON3STATE | DFCS_CHECKED | DFCS_INACTIVE);
  });
  EXPECT_EQ(classic, frame);
  auto blank = Draw(16, 16, [](HDC, const RECT&) {});
  EXPECT_NE(classic, blank);
}

}  // namespace
}  // namespace vellumor
