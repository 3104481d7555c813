// Preview text and message literal: trimming, quoting, separators, long and unusual text.
#include <gtest/gtest.h>

#include "MessageText.h"

using namespace vellumor;
using Lines = std::vector<std::string>;

TEST(Trim, RemovesCodesUpTo32AtBothEndsOnly) {
  EXPECT_EQ(TrimLine("  \t a  b \x01\x1f "), "a  b");
  EXPECT_EQ(TrimLine(" \t "), "");
  // Bytes of UTF-8 characters are above 127 and stay, also at the ends.
  EXPECT_EQ(TrimLine(" \xC2\xA0x\xC2\xA0 "), "\xC2\xA0x\xC2\xA0");
}

namespace {

// `n` copies of `s`.
std::string Repeat(const std::string& s, int n) {
  std::string out;
  while (n-- > 0)
    out += s;
  return out;
}

// One string constant. Built from a reference: "'" + a temporary makes gcc 12 at -O3 warn
// (-Wrestrict) about the insert it turns into.
std::string Quoted(const std::string& s) {
  return "'" + s + "'";
}

}  // namespace

TEST(MessageText, LinesAgainstPreviewAndLiteral) {
  const std::string text = "Grüße – ☃ 😀 ﷽ \xE2\x80\x8B", a254 = Repeat("a", 254), y300 = Repeat("y", 300);
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
      // Constants of at most 255 UTF-16 units: a doubled apostrophe counts once and is never split,
      // a character of two units moves whole, one of three UTF-8 bytes is one unit.
      {{Repeat("'", 255)}, Repeat("'", 255), Quoted(Repeat("''", 255))},
      {{a254 + "😀b"}, a254 + "😀b", "'" + a254 + "' + '😀b'"},
      {{a254 + "''"}, a254 + "''", "'" + a254 + "''' + ''''"},
      {{Repeat("☃", 300)}, Repeat("☃", 300), Quoted(Repeat("☃", 255)) + " + " + Quoted(Repeat("☃", 45))},
      // #13'...' and #13#13'...' are one constant each, so the line gets 254 and 253 units.
      {{"A", y300}, "A\r" + y300, "'A' + #13'" + Repeat("y", 254) + "' + '" + Repeat("y", 46) + "'"},
      {{"A", "", y300}, "A\r\r" + y300, "'A' + #13#13'" + Repeat("y", 253) + "' + '" + Repeat("y", 47) + "'"},
      {{"A", Repeat("z", 254)}, "A\r" + Repeat("z", 254), "'A' + #13'" + Repeat("z", 254) + "'"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.literal);
    EXPECT_EQ(GetPreviewText(row.lines), row.preview);
    EXPECT_EQ(GetMessageLiteral(row.lines).source, row.literal);
  }
  EXPECT_EQ(QuoteText("\x01").source, "''#1''");
  EXPECT_EQ(QuoteText(std::string("x\0y", 3)).source, "'x'#0'y'");
}

TEST(MessageText, ValuesAgainstPreviewAndExpression) {
  const std::string a250 = Repeat("a", 250);
  const struct {
    Lines lines;
    std::string preview, literal;
  } cases[] = {
      {{"Delete {FileName}?"}, "Delete {FileName}?", "'Delete ' + FileName + '?'"},
      {{" {  E.Message\t} "}, "{  E.Message\t}", "E.Message"},
      {{"{{x}} and {{{N}}}"}, "{x} and {{N}}", "'{x} and {' + N + '}'"},
      {{"{A}{B}"}, "{A}{B}", "A + B"},
      // A value after a line break cannot be glued to it; text after a value is a constant of its own.
      {{"A", "{B} c"}, "A\r{B} c", "'A' + #13 + B + ' c'"},
      {{"{A}", "", "{B}", "", "", "x"}, "{A}\r\r{B}\r\r\rx", "A + #13#13 + B + #13#13 + #13'x'"},
      {{"", "{B}"}, "\r{B}", "'' + #13 + B"},
      // Operators that bind no tighter than + are kept inside the value by parentheses.
      {{"{A - B}{C + D}{E or F}{G = H}{-I}{J in K}"},
       "{A - B}{C + D}{E or F}{G = H}{-I}{J in K}",
       "(A - B) + (C + D) + (E or F) + (G = H) + (-I) + (J in K)"},
      {{"{A * B}{F(X - Y)}{S[I - 1]}{Borders}{Q('-')}"},
       "{A * B}{F(X - Y)}{S[I - 1]}{Borders}{Q('-')}",
       "A * B + F(X - Y) + S[I - 1] + Borders + Q('-')"},
      // Only whole words are operators.
      {{"{Ais}{Zin}{ais}{zor}{_in}{0is}{9or}"},
       "{Ais}{Zin}{ais}{zor}{_in}{0is}{9or}",
       "Ais + Zin + ais + zor + _in + 0is + 9or"},
      // Whatever a value begins with, it opens no comment behind a bracket.
      {{"{* A}{* B - C}"}, "{* A}{* B - C}", " * A + ( * B - C)"},
      // A split text keeps the values whole and between its constants.
      {{a250 + "{V}" + a250 + "bcdefgh"},
       a250 + "{V}" + a250 + "bcdefgh",
       "'" + a250 + "' + V + '" + a250 + "bcdef' + 'gh'"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.literal);
    EXPECT_EQ(GetPreviewText(row.lines, true), row.preview);
    EXPECT_EQ(GetMessageLiteral(row.lines, true).source, row.literal);
  }
  // Off, braces are text.
  EXPECT_EQ(GetMessageLiteral({"{A}}"}).source, "'{A}}'");
  EXPECT_EQ(GetPreviewText({"{{A}}"}), "{{A}}");
  EXPECT_EQ(GetPreviewTitle("{{T}} {X}", true), "{T} {X}");
  EXPECT_EQ(GetPreviewTitle("{{T}}", false), "{{T}}");
}

TEST(MessageText, BadBracesAndValuesAreFoundWithTheirColumn) {
  const std::pair<std::string, std::string> cases[] = {
      {"a {b", "3 { has no closing }; write {{ for a brace"},
      {"ü {}", "3 {} holds no expression"},
      {"{ \t }", "1 {} holds no expression"},
      {"a }", "3 } has no opening {; write }} for a brace"},
      {"{a}}}}", "6 } has no opening {; write }} for a brace"},
      {"{{a} ", "4 } has no opening {; write }} for a brace"},
      {"x {F('a)}", "6 the string in the value is not closed"},
      {"{F(a}", "3 the value's ( is not closed"},
      {"{F[a)]}", "5 the value's ) has no opening ("},
      {"{a]}", "3 the value's ] has no opening ["},
      {"{a, b}", "3 a value cannot hold , outside parentheses"},
      {"{a; b}", "3 a value cannot hold ; outside parentheses"},
      {"{a // b}", "4 a value cannot hold a comment"},
      {"{a (* b *)}", "4 a value cannot hold a comment"},
      {"{a {b}", "4 a value cannot hold a comment"},
      {"{a\x01"
       "b}",
       "3 a value cannot hold a control character"},
      // Sound ones: brackets and quotes of the value's own, an opening brace in its string.
      {"{{}} {F(a, [b; c], '{, //')}", ""},
      {"{a}}} ", ""},
      {"", ""},
  };
  for (const auto& [text, found] : cases) {
    auto problem = FindTextValueProblem(text);
    EXPECT_EQ(problem ? std::to_string(problem->column) + " " + problem->what : "", found) << text;
    EXPECT_EQ(problem.has_value(), [&] {
      try {
        SplitValues(text);
        return false;
      } catch (const std::invalid_argument&) {
        return true;
      }
    }()) << text;
  }
}
