// The statement and the beep line for both call kinds.
#include <gtest/gtest.h>

#include "CodeGenerator.h"
#include "DelphiEval.h"

using namespace vellumor;

namespace {
MessageChoices MessageBoxPage() {
  MessageChoices c;
  c.PageControl1 = 1;
  return c;
}
}  // namespace

TEST(MessageDlgStatement, WindowStartUp) {
  GeneratedCode code = GenerateCode(MessageChoices{});
  EXPECT_EQ(code.kind, CallKind::MessageDlg);
  EXPECT_EQ(code.statement, "MessageDlg('This is a message.', mtInformation, [mbOK], 0);");
  EXPECT_FALSE(code.beepLine);
}

TEST(MessageDlgStatement, ResultTestEndsWithThenAndOneBlank) {
  MessageChoices c;
  c.cbMDCheckResult = true;
  EXPECT_EQ(GenerateCode(c).statement,
            "if (MessageDlg('This is a message.', mtInformation, [mbOK], 0) = mrOK) then ");
  c.cbMDYesToAll = true;
  c.edMDCheckResult = "Yes To All";
  EXPECT_EQ(GenerateCode(c).statement,
            "if (MessageDlg('This is a message.', mtInformation, [mbOK, mbYesToAll], 0) = mrYesToAll) then ");
}

TEST(MessageDlgStatement, PresetListsButtonsInListingOrderWithHelpLast) {
  MessageChoices c;
  c.rbMDPreset = true;
  c.edMDPreset = 2;
  c.cbMDHelp = true;
  c.edMDHelpContext = 12;
  EXPECT_EQ(GenerateCode(c).statement,
            "MessageDlg('This is a message.', mtInformation, [mbCancel, mbYes, mbNo, mbYesToAll, "
            "mbNoToAll, mbHelp], 12);");
}

TEST(MessageDlgStatement, HelpContextOnlyWithHelpAndWithItsSign) {
  MessageChoices c;
  c.edMDHelpContext = 77;
  EXPECT_NE(GenerateCode(c).statement.find("[mbOK], 0);"), std::string::npos);
  c.cbMDHelp = true;
  c.edMDHelpContext = -2147483647 - 1;
  EXPECT_NE(GenerateCode(c).statement.find("[mbOK, mbHelp], -2147483648);"), std::string::npos);
}

TEST(MessageDlgStatement, TypeNamesAndBeepLinesFollowTheStyle) {
  const char* types[] = {"mtWarning", "mtError", "mtInformation", "mtConfirmation"};
  const char* beeps[] = {"MB_ICONWARNING", "MB_ICONERROR", "MB_ICONINFORMATION", "MB_ICONQUESTION"};
  MessageChoices c;
  c.cbMDSound = true;
  for (int style = -1; style < 5; ++style) {
    c.edStyle = style;
    int expected = style >= 0 && style <= 3 ? style : 0;
    GeneratedCode code = GenerateCode(c);
    EXPECT_NE(code.statement.find(std::string(", ") + types[expected] + ", "), std::string::npos);
    ASSERT_TRUE(code.beepLine);
    EXPECT_EQ(*code.beepLine, std::string("MessageBeep(") + beeps[expected] + ");");
  }
}

TEST(MessageDlgStatement, EmptySelectionAndEmptyMessageStillGiveAStatement) {
  MessageChoices c;
  c.cbMDOK = false;
  c.mmMessage.clear();
  EXPECT_EQ(GenerateCode(c).statement, "MessageDlg(, mtInformation, [], 0);");
}

TEST(MessageBoxStatement, WindowStartUpOnTheMessageBoxPage) {
  GeneratedCode code = GenerateCode(MessageBoxPage());
  EXPECT_EQ(code.kind, CallKind::MessageBox);
  EXPECT_EQ(code.statement,
            "Application.MessageBox('This is a message.', 'Information', MB_ICONINFORMATION + MB_OK + "
            "MB_DEFBUTTON1 + MB_APPLMODAL);");
  EXPECT_FALSE(code.beepLine);
}

TEST(MessageBoxStatement, NeverABeepLineEvenWithSoundTicked) {
  MessageChoices c = MessageBoxPage();
  c.cbMDSound = true;
  EXPECT_FALSE(GenerateCode(c).beepLine);
}

TEST(MessageBoxStatement, TwoLinesAreWrappedInPChar) {
  MessageChoices c = MessageBoxPage();
  c.mmMessage = {"A", "B"};
  EXPECT_EQ(GenerateCode(c).statement.substr(0, 43), "Application.MessageBox(PChar('A' + #13'B'),");
  c.mmMessage = {"A", ""};  // two lines even when the second is empty
  EXPECT_NE(GenerateCode(c).statement.find("PChar('A' + #13)"), std::string::npos);
}

TEST(MessageBoxStatement, TitleIsQuotedUntrimmed) {
  MessageChoices c = MessageBoxPage();
  c.edMBTitle = " It's me ";
  EXPECT_NE(GenerateCode(c).statement.find(", ' It''s me ', MB_"), std::string::npos);
  c.edMBTitle = "";
  EXPECT_NE(GenerateCode(c).statement.find(", '', MB_"), std::string::npos);
}

TEST(MessageBoxStatement, FlagTermsInOrderWithOptionsBeforeHelp) {
  MessageChoices c = MessageBoxPage();
  c.edStyle = 3;
  c.edMBPreset = 5;
  c.edMBDefault = 3;
  c.edMBModal = 1;
  c.cbMBHelp = true;
  c.clbMBOptions = {true, false, true, false, true, true};
  EXPECT_EQ(MessageBoxFlagsExpression(c),
            "MB_ICONQUESTION + MB_ABORTRETRYIGNORE + MB_DEFBUTTON4 + MB_SYSTEMMODAL + "
            "MB_DEFAULT_DESKTOP_ONLY + MB_RTLREADING + MB_TOPMOST + MB_SERVICE_NOTIFICATION + MB_HELP");
  c.clbMBOptions = {false, true, false, true, false, false};
  c.edMBModal = 2;
  c.edMBDefault = 9;
  c.cbMBHelp = false;
  EXPECT_EQ(MessageBoxFlagsExpression(c),
            "MB_ICONQUESTION + MB_ABORTRETRYIGNORE + MB_DEFBUTTON1 + MB_TASKMODAL + MB_RIGHT + "
            "MB_SETFOREGROUND");
}

TEST(MessageBoxStatement, ResultTestIsUpperCasedWithoutBlanks) {
  MessageChoices c = MessageBoxPage();
  c.edMBPreset = 3;
  c.cbMBCheckResult = true;
  c.edMBCheckResult = "Retry";
  std::string s = GenerateCode(c).statement;
  EXPECT_EQ(s.substr(0, 26), "if (Application.MessageBox");
  EXPECT_TRUE(s.ends_with("MB_APPLMODAL) = ID_RETRY) then ")) << s;
  EXPECT_EQ(UpperCaseAscii(RemoveSpaces("Yes To All ü")), "YESTOALLü");
}

TEST(MessageBoxStatement, RegressionLongOneLineMessageAndTitleBecomePCharExpressions) {
  MessageChoices c = MessageBoxPage();
  c.mmMessage = {std::string(300, 'm')};
  c.edMBTitle = std::string(256, 't');
  std::string s = GenerateCode(c).statement;
  auto args = delphi::CallArguments(s, "Application.MessageBox");
  ASSERT_TRUE(args);
  ASSERT_EQ(args->size(), 3u);
  EXPECT_EQ((*args)[0].substr(0, 7), "PChar('");
  EXPECT_EQ((*args)[1].substr(0, 7), "PChar('");
  EXPECT_EQ(delphi::Evaluate((*args)[0])->text, std::string(300, 'm'));
  EXPECT_EQ(delphi::Evaluate((*args)[1])->text, std::string(256, 't'));
  c.edMBTitle = std::string(255, 't');
  EXPECT_EQ(delphi::CallArguments(GenerateCode(c).statement, "Application.MessageBox")->at(1),
            "'" + std::string(255, 't') + "'");
}

TEST(ConfirmationText, BeepLineSitsBetweenInstructionAndStatement) {
  MessageChoices c;
  EXPECT_EQ(GetConfirmationText(GenerateCode(c)),
            "Press OK to copy the following code to clipboard.\r\r"
            "MessageDlg('This is a message.', mtInformation, [mbOK], 0);");
  c.cbMDSound = true;
  c.edStyle = 1;
  EXPECT_EQ(GetConfirmationText(GenerateCode(c)),
            "Press OK to copy the following code to clipboard.\r\rMessageBeep(MB_ICONERROR);\r"
            "MessageDlg('This is a message.', mtError, [mbOK], 0);");
}
