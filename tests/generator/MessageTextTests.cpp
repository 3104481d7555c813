// Preview text and message literal: trimming, quoting, separators, long and unusual text.
#include <gtest/gtest.h>

#include "DelphiEval.h"
#include "MessageText.h"

using namespace vellumor;
using Lines = std::vector<std::string>;

TEST(Trim, RemovesCodesUpTo32AtBothEndsOnly) {
  EXPECT_EQ(TrimLine("  \t a  b \x01\x1f "), "a  b");
  EXPECT_EQ(TrimLine(" \t "), "");
  // Bytes of UTF-8 characters are above 127 and stay, also at the ends.
  EXPECT_EQ(TrimLine(" \xC2\xA0x\xC2\xA0 "), "\xC2\xA0x\xC2\xA0");
}

TEST(MessageText, LinesAgainstPreviewAndLiteral) {
  const std::string text = "Grüße – ☃ 😀 ﷽ \xE2\x80\x8B";
  const struct {
    Lines lines;
    std::string preview, literal;
  } cases[] = {
      {{"This is a message."}, "This is a message.", "'This is a message.'"},
      {{}, "", "''"},  // no lines still give an argument that compiles
      {{"   "}, "", "''"},
      {{"It's"}, "It's", "'It''s'"},
      {{"''"}, "''", "''''''"},
      {{"A", "B"}, "A\rB", "'A' + #13'B'"},
      {{"  First ", "", "Last"}, "First\r\rLast", "'First' + #13#13'Last'"},
      {{"A", "", "", "B"}, "A\r\r\rB", "'A' + #13#13 + #13'B'"},
      {{"A", "", "", "", "B"}, "A\r\r\r\rB", "'A' + #13#13 + #13#13'B'"},
      {{"A", ""}, "A\r", "'A' + #13"},
      {{"A", "", ""}, "A\r\r", "'A' + #13#13"},
      {{"", "B"}, "\rB", "'' + #13'B'"},
      {{"A", " \t ", "B"}, "A\r\rB", "'A' + #13#13'B'"},
      // A line's own separator text reaches the user's program unchanged.
      {{"x #13 + #13 y"}, "x #13 + #13 y", "'x #13 + #13 y'"},
      {{"A", "", "#13 + #13", "", "B"}, "A\r\r#13 + #13\r\rB", "'A' + #13#13'#13 + #13' + #13#13'B'"},
      {{text}, text, "'" + text + "'"},
      // A raw line break inside a quoted literal would not compile; tab is kept as typed.
      {{"a\nb"}, "a\nb", "'a'#10'b'"},
      {{"a\tb"}, "a\tb", "'a\tb'"},
      {{"a\r\nb",
        "c\x1b"
        "d\x1b"},
       "a\r\nb\rc\x1b"
       "d",
       "'a'#13#10'b' + #13'c'#27'd'"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.literal);
    EXPECT_EQ(GetPreviewText(row.lines), row.preview);
    EXPECT_EQ(GetMessageLiteral(row.lines).source, row.literal);
  }
  EXPECT_EQ(QuoteText("\x01").source, "''#1''");
  EXPECT_EQ(QuoteText(std::string("x\0y", 3)).source, "'x'#0'y'");
}

TEST(LongLiteral, ADoubledApostropheCountsOnce) {
  std::string quotes(255, '\'');
  EXPECT_EQ(QuoteText(quotes).pieces, 1u);
  EXPECT_EQ(QuoteText(quotes).source.size(), 2u + 510u);
}

TEST(LongLiteral, NeverSplitsACharacterOrADoubledApostrophe) {
  // 254 ASCII, then a character of two UTF-16 units: it does not fit and moves whole.
  std::string text = std::string(254, 'a') + "😀" + "b";
  QuotedText q = QuoteText(text);
  EXPECT_EQ(q.source, "'" + std::string(254, 'a') + "' + '😀b'");
  std::string apostrophes = std::string(254, 'a') + "''";
  EXPECT_EQ(QuoteText(apostrophes).source, "'" + std::string(254, 'a') + "''' + ''''");
  std::string threeByte;
  for (int i = 0; i < 300; ++i)
    threeByte += "☃";
  auto value = delphi::Evaluate(QuoteText(threeByte).source);
  ASSERT_TRUE(value);
  EXPECT_EQ(value->text, threeByte);
  EXPECT_EQ(value->longestConstant, 255u);
}

TEST(LongLiteral, TheGluedLineSeparatorCountsInTheFirstConstant) {
  // #13'...' and #13#13'...' are one constant each, so the line gets 254 and 253 units.
  std::string line(300, 'y');
  auto one = delphi::Evaluate(GetMessageLiteral({"A", line}).source);
  auto two = delphi::Evaluate(GetMessageLiteral({"A", "", line}).source);
  ASSERT_TRUE(one && two);
  EXPECT_EQ(one->longestConstant, 255u);
  EXPECT_EQ(two->longestConstant, 255u);
  EXPECT_EQ(one->text, "A\r" + line);
  EXPECT_EQ(two->text, "A\r\r" + line);
  EXPECT_EQ(GetMessageLiteral({"A", std::string(254, 'z')}).source,
            "'A' + #13'" + std::string(254, 'z') + "'");
}
