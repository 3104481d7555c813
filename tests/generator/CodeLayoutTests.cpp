// Laying the statement out over lines: the cuts, their indents, and that no cut falls inside a
// literal.
#include <gtest/gtest.h>

#include "CodeLayout.h"
#include "DelphiEval.h"

using namespace vellumor;
using Lines = std::vector<std::string>;

namespace {
Lines Layout(const MessageChoices& c) {
  GeneratedCode code = GenerateCode(c);
  return LayoutCodeLines(code.statement, c.mmMessage.size(), code.kind);
}
}  // namespace

TEST(Layout, OneLineMessageStaysOneLine) {
  EXPECT_EQ(Layout(MessageChoices{}), Lines{"MessageDlg('This is a message.', mtInformation, [mbOK], 0);"});
}

TEST(Layout, TwoLinesOnTheMessageDlgPage) {
  MessageChoices c;
  c.mmMessage = {"A", "B"};
  EXPECT_EQ(Layout(c), (Lines{"MessageDlg('A'", "    + #13'B', ", "    mtInformation, [mbOK], 0);"}));
}

TEST(Layout, MergedSeparatorAndResultTest) {
  MessageChoices c;
  c.mmMessage = {"First", "", "Last"};
  c.edStyle = 0;
  c.cbMDCancel = true;
  c.cbMDCheckResult = true;
  EXPECT_EQ(Layout(c), (Lines{"if (MessageDlg('First'", "    + #13#13'Last', ",
                              "    mtWarning, [mbOK, mbCancel], 0) = mrOK) then "}));
}

TEST(Layout, TwoLinesOnTheMessageBoxPage) {
  MessageChoices c;
  c.PageControl1 = 1;
  c.mmMessage = {"A", "B"};
  EXPECT_EQ(Layout(c), (Lines{"Application.MessageBox(PChar('A'", "    + #13'B'), 'Information', ",
                              "    MB_ICONINFORMATION + MB_OK + MB_DEFBUTTON1 + MB_APPLMODAL);"}));
}

TEST(Layout, TrailingEmptyLinesCutOnceThenAtTheArguments) {
  MessageChoices c;
  c.mmMessage = {"A", ""};
  EXPECT_EQ(Layout(c), (Lines{"MessageDlg('A'", "    + #13, ", "    mtInformation, [mbOK], 0);"}));
}

TEST(Layout, ArgumentCutDependsOnLineCountNotOnCuts) {
  // Two lines but the first empty: one separator cut after ''.
  MessageChoices c;
  c.mmMessage = {"", "B"};
  EXPECT_EQ(Layout(c), (Lines{"MessageDlg(''", "    + #13'B', ", "    mtInformation, [mbOK], 0);"}));
}

TEST(Layout, RegressionPatternsInsideLiteralsAreNotCutPoints) {
  MessageChoices c;
  c.mmMessage = {"a' + #13 b, mtX", "c, mtY ' + #13"};
  EXPECT_EQ(Layout(c), (Lines{"MessageDlg('a'' + #13 b, mtX'", "    + #13'c, mtY '' + #13', ",
                              "    mtInformation, [mbOK], 0);"}));
  c.PageControl1 = 1;
  c.edMBTitle = "T, MB' + #13";
  c.mmMessage = {"x, MB", "y, MB"};
  EXPECT_EQ(Layout(c), (Lines{"Application.MessageBox(PChar('x, MB'", "    + #13'y, MB'), 'T, MB'' + #13', ",
                              "    MB_ICONINFORMATION + MB_OK + MB_DEFBUTTON1 + MB_APPLMODAL);"}));
  c.mmMessage = {"solo ' + #13 text"};
  EXPECT_EQ(Layout(c).size(), 1u);
}

TEST(Layout, RegressionLongLinesAreCutBetweenTheirConstants) {
  MessageChoices c;
  c.mmMessage = {std::string(600, 'a'), "b"};
  Lines lines = Layout(c);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "MessageDlg('" + std::string(255, 'a') + "'");
  EXPECT_EQ(lines[1], "    + '" + std::string(255, 'a') + "'");
  EXPECT_EQ(lines[2], "    + '" + std::string(90, 'a') + "'");
  EXPECT_EQ(lines[3], "    + #13'b', ");
  EXPECT_EQ(lines[4], "    mtInformation, [mbOK], 0);");
  for (const auto& line : lines)
    EXPECT_LE(line.size(), 1023u);
}

TEST(Layout, LongOneLineMessageIsCutButKeepsItsArgumentsOnTheLastLine) {
  MessageChoices c;
  c.mmMessage = {std::string(300, 'a')};
  EXPECT_EQ(Layout(c), (Lines{"MessageDlg('" + std::string(255, 'a') + "'",
                              "    + '" + std::string(45, 'a') + "', mtInformation, [mbOK], 0);"}));
}

TEST(Layout, WithoutTheArgumentPatternTheRestIsOneLine) {
  EXPECT_EQ(LayoutCodeLines("x('a' + #13'b')", 2, CallKind::MessageBox), (Lines{"x('a'", "    + #13'b')"}));
  EXPECT_EQ(LayoutCodeLines("", 0, CallKind::MessageDlg), Lines{""});
}

TEST(ClipboardText, BeepLineFirstCrLfBetweenNoLineEndAfterTheLast) {
  MessageChoices c;
  c.mmMessage = {"A", "B"};
  c.cbMDSound = true;
  c.cbMDCheckResult = true;
  EXPECT_EQ(GetClipboardText(GenerateCode(c)),
            "MessageBeep(MB_ICONINFORMATION);\r\nif (MessageDlg('A'\r\n    + #13'B', \r\n"
            "    mtInformation, [mbOK], 0) = mrOK) then ");
}
