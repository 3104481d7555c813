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
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(seen.caption, "Ü");
  EXPECT_EQ(seen.text, "Grüße, ☃ and 😀\nSecond");
  EXPECT_EQ(seen.buttons, (std::vector<std::string>{"OK", "Cancel"}));
  EXPECT_EQ(seen.defaultButton, "Cancel");
  EXPECT_TRUE(seen.hasIcon);
}

TEST(Clipboard, UnicodeTextRoundTripsAndReplacesEarlierContent) {
  ASSERT_TRUE(WriteClipboardText("earlier"));
  ASSERT_TRUE(WriteClipboardText("MessageDlg('Grüße ☃'\r\n    + #13'B', "));
  EXPECT_EQ(ReadClipboardText(), "MessageDlg('Grüße ☃'\r\n    + #13'B', ");
}
