// The helpers every window test relies on, checked against the system's own boxes and clipboard.
#include <gtest/gtest.h>

#include "WinTest.h"

using namespace wintest;

TEST(ModalBox, ReadsTextCaptionButtonsAndPressesOnlyAButtonThatIsThere) {
  BoxInfo seen;
  int result = 0;
  WithBox(
      [&] {
        result = MessageBoxW(nullptr, Widen("Grüße, ☃ and 😀\nSecond").c_str(), L"Ü",
                             MB_OKCANCEL | MB_ICONINFORMATION | MB_DEFBUTTON2);
      },
      [&](HWND box) {
        seen = ReadBox(box);
        EXPECT_FALSE(PressButton(box, "Retry"));
        EXPECT_TRUE(IsWindowVisible(box));
        EXPECT_TRUE(PressButton(box, "Cancel"));
      });
  EXPECT_EQ(std::tuple(result, seen.caption, seen.text, seen.buttons, seen.defaultButton, seen.hasIcon),
            std::tuple(IDCANCEL, "Ü", "Grüße, ☃ and 😀\nSecond", std::vector<std::string>{"OK", "Cancel"},
                       "Cancel", true));
}
