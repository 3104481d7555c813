// Theme services over uxtheme.
//   TThemedButton          the button-part elements (push button, radio, check box, group box)
//   TThemedElementDetails  theme part and state of one element
//   TThemeServices         are visual styles active; draw an element, classic look when not
//   ThemeServices()        the one instance
#pragma once

#include <windows.h>

namespace vellumor {

// Numbered as the toolkit numbers them; stored values and tables rely on these numbers.
enum class TThemedButton : int {
  tbButtonDontCare = 0,
  tbButtonRoot,
  tbPushButtonNormal,
  tbPushButtonHot,
  tbPushButtonPressed,
  tbPushButtonDisabled,
  tbPushButtonDefaulted,
  tbRadioButtonUncheckedNormal,
  tbRadioButtonUncheckedHot,
  tbRadioButtonUncheckedPressed,
  tbRadioButtonUncheckedDisabled,
  tbRadioButtonCheckedNormal,
  tbRadioButtonCheckedHot,
  tbRadioButtonCheckedPressed,
  tbRadioButtonCheckedDisabled,
  tbCheckBoxUncheckedNormal,  // 15
  tbCheckBoxUncheckedHot,
  tbCheckBoxUncheckedPressed,
  tbCheckBoxUncheckedDisabled,
  tbCheckBoxCheckedNormal,  // 19
  tbCheckBoxCheckedHot,
  tbCheckBoxCheckedPressed,
  tbCheckBoxCheckedDisabled,
  tbCheckBoxMixedNormal,  // 23
  tbCheckBoxMixedHot,
  tbCheckBoxMixedPressed,
  tbCheckBoxMixedDisabled,
  tbGroupBoxNormal,
  tbGroupBoxDisabled,
  tbUserButton,
};

// Part and state as uxtheme numbers them for the "BUTTON" class; 0/0 for the don't-care value.
struct TThemedElementDetails {
  int Part = 0;
  int State = 0;
  TThemedButton Detail = TThemedButton::tbButtonDontCare;
};

class TThemeServices {
 public:
  // Visual styles are on for this program's controls: the system has a theme, the program is
  // themed, and it has not switched themed controls off (SetThemeAppProperties).
  bool ThemesEnabled() const;
  bool GetThemesEnabled() const { return ThemesEnabled(); }

  TThemedElementDetails GetElementDetails(TThemedButton detail) const;

  // Draws the element into r (clipped to clip when given). Without an active theme, or when the
  // theme cannot be opened, the classic look is drawn with DrawFrameControl instead.
  void DrawElement(HDC dc, const TThemedElementDetails& details, const RECT& r,
                   const RECT* clip = nullptr) const;

  // The classic DrawFrameControl flags (type DFC_BUTTON) of an element; -1 when the element has
  // no classic frame (group box, user button, don't care).
  static int ClassicFrameFlags(TThemedButton detail);
};

TThemeServices& ThemeServices();

}  // namespace vellumor
