// The helpers every window test relies on, checked against the system's own boxes and clipboard.
#include <gtest/gtest.h>

#include "WinTest.h"

using namespace wintest;

TEST(ModalBox, ReadsTextCaptionButtonsAndPressesTheChosenButton) {
  BoxInfo seen;
  int result = 0;
  WithBox(
      [&] {
        result = MessageBoxW(nullptr, L"First line\nSecond", L"Caption",
                             MB_OKCANCEL | MB_ICONINFORMATION | MB_DEFBUTTON2);
      },
      [&](HWND box) {
        seen = ReadBox(box);
        EXPECT_TRUE(PressButton(box, "Cancel"));
      });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(seen.caption, "Caption");
  EXPECT_EQ(seen.text, "First line\nSecond");
  EXPECT_EQ(seen.buttons, (std::vector<std::string>{"OK", "Cancel"}));
  EXPECT_EQ(seen.defaultButton, "Cancel");
  EXPECT_TRUE(seen.hasIcon);
}

TEST(ModalBox, PressingAButtonThatIsNotThereFailsAndLeavesTheBoxOpen) {
  int result = 0;
  WithBox([&] { result = MessageBoxW(nullptr, L"Only OK", L"Box", MB_OK); },
          [&](HWND box) {
            EXPECT_FALSE(PressButton(box, "Cancel"));
            EXPECT_TRUE(IsWindowVisible(box));
            EXPECT_TRUE(PressButton(box, "OK"));
          });
  EXPECT_EQ(result, IDOK);
}

TEST(ModalBox, NonAsciiTextSurvivesTheRoundTrip) {
  BoxInfo seen;
  WithBox([&] { MessageBoxW(nullptr, Widen("Grüße, ☃ and 😀").c_str(), L"Ü", MB_OK); },
          [&](HWND box) {
            seen = ReadBox(box);
            PressButton(box, "OK");
          });
  EXPECT_EQ(seen.text, "Grüße, ☃ and 😀");
  EXPECT_EQ(seen.caption, "Ü");
}

TEST(Clipboard, UnicodeTextRoundTripsAndReplacesEarlierContent) {
  ASSERT_TRUE(WriteClipboardText("earlier"));
  ASSERT_TRUE(WriteClipboardText("MessageDlg('Grüße ☃'\r\n    + #13'B', "));
  EXPECT_EQ(ReadClipboardText(), "MessageDlg('Grüße ☃'\r\n    + #13'B', ");
}

