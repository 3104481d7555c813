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

// A byte is a pixel wide here: the box wraps at ten, and widens to twenty for a long word.
std::string Fit(const std::string& text, size_t lines, const LeftOutNote& note = ConfirmationNote) {
  auto bytes = [](std::string_view, int width) -> size_t { return static_cast<size_t>(width); };
  return FitBoxText(text, bytes, TextRoom{10, 20, lines}, note);
}

// Thirty words of nine letters, a to z and a to d, between blanks or line breaks.
std::string Words(const char* separator) {
  std::string text;
  for (int i = 0; i < 30; ++i)
    text += (i ? separator : "") + std::string(9, static_cast<char>('a' + i % 26));
  return text;
}

TEST(BoxText, StaysWholeWhileTheBoxTakesItAndKeepsBothEndsAroundTheNoteOtherwise) {
  const std::string url = "See https://" + std::string(188, 'u') + " now";
  const struct {
    std::string text;
    size_t lines;
    std::string shown;
  } rows[] = {
      {"one two three four five", 3, "one two three four five"},
      // A word up to the widest line takes a line of its own, as the box widens for it.
      {"ab abcdefghijklmnopqrs cd", 3, "ab abcdefghijklmnopqrs cd"},
      // A longer one is cut where the widest line ends, and only there.
      {"ab abcdefghijklmnopqrstuvw cd ef gh", 5, "ab abcdefghijklmnopqrst\ruvw cd ef gh"},
      {"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", 5,
       "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\r\xC3\xA9"},
      // Too many lines: the first and last kept around the note, an odd one more at the start.
      {Words(" "), 6,
       "aaaaaaaaa bbbbbbbbb \r\r[... 270 characters not shown; OK copies all ...]\r\rddddddddd"},
      {Words(" "), 7,
       "aaaaaaaaa bbbbbbbbb \r\r[... 260 characters not shown; OK copies all ...]\r\rccccccccc ddddddddd"},
      {Words("\r"), 6,
       "aaaaaaaaa\rbbbbbbbbb\r\r[... 271 characters not shown; OK copies all ...]\r\rddddddddd"},
  };
  for (const auto& row : rows)
    EXPECT_EQ(Fit(row.text, row.lines), row.shown) << row.text;
  // A short statement with a long address in its message is shown as it is, when the box is as wide.
  auto wide = [](std::string_view, int width) -> size_t { return static_cast<size_t>(width) / 5; };
  EXPECT_EQ(FitBoxText(url, wide, TextRoom{256, 1200, 40}, ConfirmationNote), url);
}

TEST(BoxText, ALineKeepsAtLeastOneWholeCharacter) {
  auto oneByte = [](std::string_view, int) -> size_t { return 1; };
  const std::string smile = "\xF0\x9F\x98\x80";
  EXPECT_EQ(FitBoxText(smile + smile, oneByte, TextRoom{10, 20, 5}, ConfirmationNote), smile + "\r" + smile);
}

TEST(BoxText, ThePreviewsNoteCountsTheMessagesLinesLeftOutOrElseItsCharacters) {
  std::string lines;
  for (int i = 0; i < 10000; ++i)
    lines += (i ? "\r" : "") + std::string(9, static_cast<char>('a' + i % 26));
  const std::string shown = Fit(lines, 30, PreviewNote);
  EXPECT_TRUE(shown.starts_with("aaaaaaaaa\rbbbbbbbbb\r")) << shown;
  EXPECT_TRUE(shown.ends_with("\rooooooooo\rppppppppp")) << shown;
  EXPECT_NE(shown.find("\r\r[... 9,973 lines not shown: the box with the whole text would be taller than the "
                       "screen ...]\r\r"),
            std::string::npos)
      << shown;
  const std::pair<std::string_view, std::string_view> notes[] = {{"\rb\r", "[... 1 line not shown"},
                                                                 {"b\rc", "[... 2 lines not shown"},
                                                                 {"bcd", "[... 3 characters not shown"},
                                                                 {"\r", "[... 1 character not shown"},
                                                                 {"\xC3\xA9", "[... 1 character not shown"}};
  for (auto [leftOut, starts] : notes)
    EXPECT_TRUE(PreviewNote(leftOut).starts_with(starts)) << PreviewNote(leftOut);
}
