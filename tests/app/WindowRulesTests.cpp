// The enabling rules and the About text, without a window.
#include <gtest/gtest.h>

#include <algorithm>

#include "WindowRules.h"

using namespace vellumor;

TEST(EnablingRules, StartUpEnablesPreviewCreateAndTheBoxes) {
  EnabledStates e = GetEnabledStates(MessageChoices{}, 1);
  EXPECT_FALSE(e.edMDPreset);
  EXPECT_TRUE(e.mdButtonBoxes);
  EXPECT_TRUE(e.cbMDCheckResult);
  EXPECT_FALSE(e.edMDHelpContext);
  EXPECT_FALSE(e.edMDCheckResult);
  EXPECT_FALSE(e.edMBCheckResult);
  EXPECT_TRUE(e.actPreview);
  EXPECT_TRUE(e.actCreate);
}

TEST(EnablingRules, NoButtonInSelectModeDisablesPreviewAndCreateOnTheMessageDlgPageOnly) {
  MessageChoices c;
  c.cbMDOK = false;
  c.cbMDHelp = true;  // Help alone is no button to press
  EnabledStates e = GetEnabledStates(c, 0);
  EXPECT_FALSE(e.actPreview);
  EXPECT_FALSE(e.actCreate);
  EXPECT_FALSE(e.cbMDCheckResult);
  EXPECT_TRUE(e.edMDHelpContext);
  c.PageControl1 = 1;
  EXPECT_TRUE(GetEnabledStates(c, 0).actPreview);
  c.PageControl1 = 0;
  c.cbMDYesToAll = true;
  EXPECT_TRUE(GetEnabledStates(c, 1).actCreate);
  c.cbMDYesToAll = false;
  c.rbMDPreset = true;  // a preset always has buttons; the boxes keep their states but are disabled
  EnabledStates p = GetEnabledStates(c, 2);
  EXPECT_TRUE(p.actPreview);
  EXPECT_TRUE(p.edMDPreset);
  EXPECT_FALSE(p.mdButtonBoxes);
}

TEST(EnablingRules, ResultListsFollowTheirCheckBoxes) {
  MessageChoices c;
  c.cbMDCheckResult = true;
  c.cbMBCheckResult = true;
  EnabledStates e = GetEnabledStates(c, 0);
  EXPECT_TRUE(e.edMDCheckResult);  // follows the box even when the box itself is disabled
  EXPECT_FALSE(e.cbMDCheckResult);
  EXPECT_TRUE(e.edMBCheckResult);
}

TEST(AboutText, TitleFirstThenPurposeThenContactAndNotice) {
  std::string text = GetAboutText("Vellumor 2.0");
  EXPECT_TRUE(text.starts_with("Vellumor 2.0\r\rGenerate message show program code in Delphi.\r\r")) << text;
  EXPECT_NE(text.find("Read Statement from Clipboard"), std::string::npos);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 7);
}

TEST(ConfirmationText, ATextTheBoxCanWrapIsShownAsItIs) {
  auto tenBytes = [](std::string_view) -> size_t { return 10; };
  const std::string fits = "one two three four five";  // words of at most ten characters
  EXPECT_EQ(FitConfirmationText(fits, tenBytes, 3), fits);
}

TEST(ConfirmationText, ALongWordIsBrokenAndTooManyLinesKeepBothEndsAroundANote) {
  auto tenBytes = [](std::string_view) -> size_t { return 10; };
  EXPECT_EQ(FitConfirmationText("abcdefghijklmno pq", tenBytes, 5), "abcdefghij\rklmno pq");
  // Thirty lines of ten, two of them kept at each end of a six-line box.
  std::string text;
  for (int i = 0; i < 30; ++i)
    text += std::string(9, static_cast<char>('a' + i % 26)) + " ";
  EXPECT_EQ(FitConfirmationText(text, tenBytes, 6),
            "aaaaaaaaa \rbbbbbbbbb \r\r[... 270 characters not shown; OK copies all ...]\r\rddddddddd ");
  // A character is never split.
  EXPECT_EQ(FitConfirmationText(
                "\xC3\xA9\xC3\xA9\xC3\xA9", [](std::string_view) -> size_t { return 3; }, 9),
            "\xC3\xA9\r\xC3\xA9\r\xC3\xA9");
}
