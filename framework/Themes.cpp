#include "Themes.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <iterator>

namespace vellumor {

namespace {

struct ButtonRange {
  TThemedButton first;
  int part;
};

// Each part's states follow its first detail in the same order as uxtheme's state numbers.
constexpr ButtonRange kRanges[] = {
    {TThemedButton::tbPushButtonNormal, BP_PUSHBUTTON},
    {TThemedButton::tbRadioButtonUncheckedNormal, BP_RADIOBUTTON},
    {TThemedButton::tbCheckBoxUncheckedNormal, BP_CHECKBOX},
    {TThemedButton::tbGroupBoxNormal, BP_GROUPBOX},
    {TThemedButton::tbUserButton, BP_USERBUTTON},
};

// Closes the theme handle on every path out of DrawElement.
class ThemeHandle {
 public:
  explicit ThemeHandle(HTHEME theme) : theme_(theme) {}
  ThemeHandle(const ThemeHandle&) = delete;
  ThemeHandle& operator=(const ThemeHandle&) = delete;
  ~ThemeHandle() {
    if (theme_) CloseThemeData(theme_);
  }
  HTHEME get() const { return theme_; }

 private:
  HTHEME theme_;
};

}  // namespace

bool TThemeServices::ThemesEnabled() const {
  return IsThemeActive() && IsAppThemed() && (GetThemeAppProperties() & STAP_ALLOW_CONTROLS) != 0;
}

TThemedElementDetails TThemeServices::GetElementDetails(TThemedButton detail) const {
  TThemedElementDetails result;
  result.Detail = detail;
  const int value = static_cast<int>(detail);
  if (value == static_cast<int>(TThemedButton::tbButtonRoot)) {
    result.Part = 0;  // the class as a whole
    return result;
  }
  for (auto it = std::rbegin(kRanges); it != std::rend(kRanges); ++it) {
    const int first = static_cast<int>(it->first);
    if (value >= first) {
      result.Part = it->part;
      result.State = value - first + 1;
      return result;
    }
  }
  return result;  // don't care: part 0, state 0
}

int TThemeServices::ClassicFrameFlags(TThemedButton detail) {
  using B = TThemedButton;
  const int value = static_cast<int>(detail);
  auto in = [value](B first, B last) {
    return value >= static_cast<int>(first) && value <= static_cast<int>(last);
  };
  // Within a part the states cycle normal, hot, pressed, disabled (push buttons add defaulted).
  auto stateFlags = [value](B first) {
    switch ((value - static_cast<int>(first)) % 4) {
      case 1:
        return DFCS_HOT;
      case 2:
        return DFCS_PUSHED;
      case 3:
        return DFCS_INACTIVE;
      default:
        return 0;
    }
  };
  if (in(B::tbPushButtonNormal, B::tbPushButtonDefaulted)) {
    if (detail == B::tbPushButtonDefaulted) return DFCS_BUTTONPUSH;
    return DFCS_BUTTONPUSH | stateFlags(B::tbPushButtonNormal);
  }
  if (in(B::tbRadioButtonUncheckedNormal, B::tbRadioButtonCheckedDisabled)) {
    const int checked = in(B::tbRadioButtonCheckedNormal, B::tbRadioButtonCheckedDisabled) ? DFCS_CHECKED : 0;
    return DFCS_BUTTONRADIO | checked | stateFlags(B::tbRadioButtonUncheckedNormal);
  }
  if (in(B::tbCheckBoxUncheckedNormal, B::tbCheckBoxMixedDisabled)) {
    int look = DFCS_BUTTONCHECK;
    if (in(B::tbCheckBoxCheckedNormal, B::tbCheckBoxCheckedDisabled)) look |= DFCS_CHECKED;
    if (in(B::tbCheckBoxMixedNormal, B::tbCheckBoxMixedDisabled)) look |= DFCS_BUTTON3STATE | DFCS_CHECKED;
    return look | stateFlags(B::tbCheckBoxUncheckedNormal);
  }
  return -1;
}

void TThemeServices::DrawElement(HDC dc, const TThemedElementDetails& details, const RECT& r,
                                 const RECT* clip) const {
  if (ThemesEnabled()) {
    ThemeHandle theme(OpenThemeData(nullptr, L"BUTTON"));
    if (theme.get()) {
      DrawThemeBackground(theme.get(), dc, details.Part, details.State, &r, clip);
      return;
    }
  }
  const int flags = ClassicFrameFlags(details.Detail);
  if (flags < 0) {
    if (details.Detail == TThemedButton::tbGroupBoxNormal ||
        details.Detail == TThemedButton::tbGroupBoxDisabled) {
      RECT frame = r;
      DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    }
    return;
  }
  int saved = 0;
  if (clip) {
    saved = SaveDC(dc);
    IntersectClipRect(dc, clip->left, clip->top, clip->right, clip->bottom);
  }
  RECT box = r;
  DrawFrameControl(dc, &box, DFC_BUTTON, static_cast<UINT>(flags));
  if (saved) RestoreDC(dc, saved);
}

TThemeServices& ThemeServices() {
  static TThemeServices services;
  return services;
}

}  // namespace vellumor
