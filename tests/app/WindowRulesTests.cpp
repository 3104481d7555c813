// The enabling rules and the About text, without a window.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "WindowRules.h"

using namespace vellumor;

// The names of the enabled parts, in one string to compare whole.
#define ON(part) (e.part ? #part " " : "")
static std::string Enabled(const MessageChoices& c, int mdCheckResultItems) {
  const EnabledStates e = GetEnabledStates(c, mdCheckResultItems);
  return std::string(ON(edMDPreset)) + ON(mdButtonBoxes) + ON(cbMDCheckResult) + ON(edMDHelpContext) +
         ON(edMDCheckResult) + ON(edMBCheckResult) + ON(actPreview) + ON(actCreate);
}

// The rules the window's own tests do not reach: start-up, the preset and Yes To All are there.
TEST(EnablingRules, HelpAloneTheMessageBoxPageAndTheResultLists) {
  MessageChoices c;
  c.cbMDOK = false;
  c.cbMDHelp = true;  // Help alone is no button to press: nothing to preview on this page
  EXPECT_EQ(Enabled(c, 0), "mdButtonBoxes edMDHelpContext ");
  c.PageControl1 = 1;
  EXPECT_EQ(Enabled(c, 0), "mdButtonBoxes edMDHelpContext actPreview actCreate ");
  // A result list follows its check box, even when the box itself is disabled.
  c = MessageChoices{};
  c.cbMDCheckResult = c.cbMBCheckResult = true;
  EXPECT_EQ(Enabled(c, 0), "mdButtonBoxes edMDCheckResult edMBCheckResult actPreview actCreate ");
}

TEST(AboutText, TitleFirstThenPurposeThenContactAndNotice) {
  std::string text = GetAboutText("Vellumor 2.0");
  EXPECT_TRUE(text.starts_with("Vellumor 2.0\r\rGenerate message show program code in Delphi.\r\r")) << text;
  EXPECT_NE(text.find("Read Statement from Clipboard"), std::string::npos);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 7);
}

TEST(ConfirmationText, WrapsBreaksAndShortensToFitTheBox) {
  auto tenBytes = [](std::string_view) -> size_t { return 10; };
  const std::string fits = "one two three four five";  // words of at most ten characters
  EXPECT_EQ(FitConfirmationText(fits, tenBytes, 3), fits);
  // A long word is broken; too many lines keep both ends around a note.
  EXPECT_EQ(FitConfirmationText("abcdefghijklmno pq", tenBytes, 5), "abcdefghij\rklmno pq");
  // Thirty lines of ten, two of them kept at each end of a six-line box.
  std::string text;
  for (int i = 0; i < 30; ++i)
    text += std::string(9, static_cast<char>('a' + i % 26)) + " ";
  EXPECT_EQ(FitConfirmationText(text, tenBytes, 6),
            "aaaaaaaaa \rbbbbbbbbb \r\r[... 270 characters not shown; OK copies all ...]\r\rddddddddd ");
  // An even number of kept lines is shared equally between both ends.
  EXPECT_EQ(FitConfirmationText(text, tenBytes, 7),
            "aaaaaaaaa \rbbbbbbbbb \r\r[... 260 characters not shown; OK copies all ...]\r\rccccccccc "
            "\rddddddddd ");
  // A character is never split.
  EXPECT_EQ(FitConfirmationText(
                "\xC3\xA9\xC3\xA9\xC3\xA9", [](std::string_view) -> size_t { return 3; }, 9),
            "\xC3\xA9\r\xC3\xA9\r\xC3\xA9");
}
