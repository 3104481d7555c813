// Preview text and message literal: trimming, quoting, separators, long and unusual text.
#include <gtest/gtest.h>

#include "DelphiEval.h"
#include "MessageText.h"

using namespace vellumor;

namespace {
std::string Literal(const std::vector<std::string>& lines) {
  return GetMessageLiteral(lines).source;
}
}  // namespace

TEST(Trim, RemovesCodesUpTo32AtBothEndsOnly) {
  EXPECT_EQ(TrimLine("  \t a  b \x01\x1f "), "a  b");
  EXPECT_EQ(TrimLine(" \t "), "");
  // Bytes of UTF-8 characters are above 127 and stay, also at the ends.
  EXPECT_EQ(TrimLine(" \xC2\xA0x\xC2\xA0 "), "\xC2\xA0x\xC2\xA0");
}

TEST(PreviewText, TrimsAndJoinsWithSingleCR) {
  EXPECT_EQ(GetPreviewText({"This is a message."}), "This is a message.");
  EXPECT_EQ(GetPreviewText({"  First ", "", "Last"}), "First\r\rLast");
  EXPECT_EQ(GetPreviewText({"A", " \t"}), "A\r");
  EXPECT_EQ(GetPreviewText({}), "");
}

TEST(MessageLiteral, OneLineAndApostrophes) {
  EXPECT_EQ(Literal({"This is a message."}), "'This is a message.'");
  EXPECT_EQ(Literal({"It's"}), "'It''s'");
  EXPECT_EQ(Literal({"''"}), "''''''");
  EXPECT_EQ(Literal({}), "");
  EXPECT_EQ(Literal({"   "}), "''");
}

TEST(MessageLiteral, SeparatorsMergePairwise) {
  EXPECT_EQ(Literal({"A", "B"}), "'A' + #13'B'");
  EXPECT_EQ(Literal({"  First ", "", "Last"}), "'First' + #13#13'Last'");
  EXPECT_EQ(Literal({"A", "", "", "B"}), "'A' + #13#13 + #13'B'");
  EXPECT_EQ(Literal({"A", "", "", "", "B"}), "'A' + #13#13 + #13#13'B'");
  EXPECT_EQ(Literal({"A", ""}), "'A' + #13");
  EXPECT_EQ(Literal({"A", "", ""}), "'A' + #13#13");
  EXPECT_EQ(Literal({"", "B"}), "'' + #13'B'");
  EXPECT_EQ(Literal({"A", " \t ", "B"}), "'A' + #13#13'B'");
}

TEST(MessageLiteral, RegressionALinesOwnSeparatorTextIsNeverMerged) {
  // The text "#13 + #13" inside a line must reach the user's program unchanged.
  EXPECT_EQ(Literal({"x #13 + #13 y"}), "'x #13 + #13 y'");
  EXPECT_EQ(Literal({"A", "", "#13 + #13", "", "B"}), "'A' + #13#13'#13 + #13' + #13#13'B'");
  auto value = delphi::Evaluate(Literal({"#13 + #13", "#13 + #13"}));
  ASSERT_TRUE(value);
  EXPECT_EQ(value->text, "#13 + #13\r#13 + #13");
}

TEST(MessageLiteral, KeepsEveryNonAsciiCharacter) {
  std::string text = "Grüße – ☃ 😀 ﷽ \xE2\x80\x8B";
  EXPECT_EQ(Literal({text}), "'" + text + "'");
}

TEST(MessageLiteral, ControlCharactersInsideALineBecomeCharacterCodes) {
  // A raw line break inside a quoted literal would not compile; tab is kept as typed.
  EXPECT_EQ(Literal({"a\nb"}), "'a'#10'b'");
  EXPECT_EQ(Literal({"a\tb"}), "'a\tb'");
  EXPECT_EQ(QuoteText("\x01").source, "''#1''");
  EXPECT_EQ(QuoteText(std::string("x\0y", 3)).source, "'x'#0'y'");
  auto value = delphi::Evaluate(Literal({"a\r\nb",
                                         "c\x1b"
                                         "d\x1b"}));
  ASSERT_TRUE(value);
  EXPECT_EQ(value->text,
            "a\r\nb\rc\x1b"
            "d");  // the trailing one is trimmed
}

TEST(LongLiteral, UpTo255UnitsStayOneConstant) {
  std::string exact(255, 'x');
  EXPECT_EQ(QuoteText(exact).source, "'" + exact + "'");
  EXPECT_EQ(QuoteText(exact).pieces, 1u);
  // A doubled apostrophe counts once.
  std::string quotes(255, '\'');
  EXPECT_EQ(QuoteText(quotes).pieces, 1u);
  EXPECT_EQ(QuoteText(quotes).source.size(), 2u + 510u);
}

TEST(LongLiteral, LongerTextSplitsIntoConstantsOf255) {
  std::string text(600, 'x');
  QuotedText q = QuoteText(text);
  EXPECT_EQ(q.pieces, 3u);
  EXPECT_EQ(q.source, "'" + std::string(255, 'x') + "' + '" + std::string(255, 'x') + "' + '" +
                          std::string(90, 'x') + "'");
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
  auto one = delphi::Evaluate(Literal({"A", line}));
  auto two = delphi::Evaluate(Literal({"A", "", line}));
  ASSERT_TRUE(one && two);
  EXPECT_EQ(one->longestConstant, 255u);
  EXPECT_EQ(two->longestConstant, 255u);
  EXPECT_EQ(one->text, "A\r" + line);
  EXPECT_EQ(two->text, "A\r\r" + line);
  EXPECT_EQ(Literal({"A", std::string(254, 'z')}), "'A' + #13'" + std::string(254, 'z') + "'");
}
