// Reading statements back into choices: the generator's own output round-trips, hand-written
// forms are understood, and everything else is refused with its position.
#include <gtest/gtest.h>

#include <random>

#include "ChoiceLists.h"
#include "CodeLayout.h"
#include "CodeReader.h"
#include "MessageText.h"

using namespace vellumor;

namespace {

std::string Code(const MessageChoices& c) {
  return GetClipboardText(GenerateCode(c));
}

std::string Regenerated(std::string_view source) {
  return Code(ReadCode(source));
}

// The error's "line L, column C: what" for `source`, or "" when it is read.
std::string Refusal(std::string_view source) {
  try {
    ReadCode(source);
  } catch (const CodeReadError& e) {
    return e.what();
  }
  return "";
}

// The choices as the code expresses them: what the other page, unticked tests and disabled
// settings hold is not in the code.
MessageChoices Expressed(MessageChoices c) {
  for (auto& line : c.mmMessage)
    line = std::string(TrimLine(line));
  MessageChoices d;
  if (CallKindOf(c) == CallKind::MessageDlg) {
    ButtonSet set = GetMessageDlgParams(c).buttons;
    d.PageControl1 = 0;
    d.edStyle = NormalizedStyle(c.edStyle);
    d.rbMDPreset = false;
    for (const auto& button : MessageDlgButtons())
      if (button.box) d.*button.box = (set & button.bit) != 0;
    d.cbMDHelp = c.cbMDHelp;
    d.edMDHelpContext = c.cbMDHelp ? c.edMDHelpContext : 0;
    d.cbMDCheckResult = c.cbMDCheckResult;
    if (c.cbMDCheckResult) d.edMDCheckResult = c.edMDCheckResult;
    d.cbMDSound = c.cbMDSound;
  } else {
    d.PageControl1 = 1;
    d.edStyle = NormalizedStyle(c.edStyle);
    d.edMBPreset = &MessageBoxPresetOf(c.edMBPreset) - &MessageBoxPresets()[0];
    d.edMBDefault = c.edMBDefault >= 1 && c.edMBDefault <= 3 ? c.edMBDefault : 0;
    d.edMBModal = c.edMBModal == 1 || c.edMBModal == 2 ? c.edMBModal : 0;
    d.cbMBHelp = c.cbMBHelp;
    d.edMBTitle = c.edMBTitle;
    d.clbMBOptions = c.clbMBOptions;
    d.cbMBCheckResult = c.cbMBCheckResult;
    if (c.cbMBCheckResult) d.edMBCheckResult = c.edMBCheckResult;
  }
  d.mmMessage = c.mmMessage;
  return d;
}

void ExpectSameChoices(const MessageChoices& a, const MessageChoices& b) {
  MessageChoices x = Expressed(a), y = Expressed(b);
  EXPECT_EQ(x.mmMessage, y.mmMessage);
  EXPECT_EQ(x.PageControl1, y.PageControl1);
  EXPECT_EQ(x.edStyle, y.edStyle);
  EXPECT_EQ(GetMessageDlgParams(x).buttons, GetMessageDlgParams(y).buttons);
  EXPECT_EQ(x.edMDHelpContext, y.edMDHelpContext);
  EXPECT_EQ(x.cbMDCheckResult, y.cbMDCheckResult);
  EXPECT_EQ(x.edMDCheckResult, y.edMDCheckResult);
  EXPECT_EQ(x.cbMDSound, y.cbMDSound);
  EXPECT_EQ(GetMessageBoxFlags(x), GetMessageBoxFlags(y));
  EXPECT_EQ(x.edMBTitle, y.edMBTitle);
  EXPECT_EQ(x.cbMBCheckResult, y.cbMBCheckResult);
  EXPECT_EQ(x.edMBCheckResult, y.edMBCheckResult);
}

const std::vector<std::string> kTexts = {"a",         "It's", "",        "  padded  ",
                                         "#13 + #13", ", mt", ", MB",    "' + #13",
                                         "ü☃😀",       "x\ty", "ctl\x01", std::string(300, 'L')};

MessageChoices RandomChoices(std::mt19937& rng) {
  MessageChoices c;
  c.mmMessage.clear();
  for (int n = static_cast<int>(rng() % 5); n > 0; --n)
    c.mmMessage.push_back(kTexts[rng() % kTexts.size()]);
  c.edStyle = static_cast<int>(rng() % 5);
  c.PageControl1 = static_cast<int>(rng() % 2);
  c.rbMDPreset = rng() % 2;
  c.edMDPreset = static_cast<int>(rng() % 6);
  for (const auto& button : MessageDlgButtons())
    if (button.box) c.*button.box = rng() % 3 == 0;
  c.cbMDOK = c.cbMDOK || NoMessageDlgButtonSelected(c);
  c.cbMDHelp = rng() % 2;
  c.edMDHelpContext = static_cast<std::int32_t>(rng());
  c.cbMDSound = rng() % 2;
  c.edMBPreset = static_cast<int>(rng() % 7);
  c.cbMBHelp = rng() % 2;
  c.edMBDefault = static_cast<int>(rng() % MBDefaultItems(c.edMBPreset, c.cbMBHelp).size());
  c.edMBTitle = kTexts[rng() % kTexts.size()];
  c.edMBModal = static_cast<int>(rng() % 3);
  for (bool& option : c.clbMBOptions)
    option = rng() % 3 == 0;
  auto md = MDCheckResultItems(c);
  auto mb = MBCheckResultItems(c.edMBPreset);
  c.cbMDCheckResult = rng() % 2;
  c.edMDCheckResult = std::string(md[rng() % md.size()]);
  c.cbMBCheckResult = rng() % 2;
  c.edMBCheckResult = std::string(mb[rng() % mb.size()]);
  return c;
}

}  // namespace

TEST(ReadCode, RoundTripOfEveryKindOfChoice) {
  std::mt19937 rng(5);
  for (int round = 0; round < 3000; ++round) {
    MessageChoices c = RandomChoices(rng);
    std::string code = Code(c);
    SCOPED_TRACE(code);
    MessageChoices back;
    try {
      back = ReadCode(code);
    } catch (const CodeReadError& e) {
      FAIL() << e.what();
    }
    EXPECT_EQ(Code(back), code);
    ExpectSameChoices(back, c);
    // The statement alone (without layout) reads the same.
    EXPECT_EQ(Code(ReadCode(GenerateCode(c).statement)), Code(back.cbMDSound ? [&] {
                MessageChoices q = back;
                q.cbMDSound = false;
                return q;
              }()
                                                                          : back));
  }
}

TEST(ReadCode, PresetConstantReadsAsThePreset) {
  MessageChoices c = ReadCode("MessageDlg('x', mtWarning, mbYesNoCancel + [mbHelp], 7);");
  EXPECT_TRUE(c.rbMDPreset);
  EXPECT_EQ(c.edMDPreset, 1);
  EXPECT_TRUE(c.cbMDHelp);
  EXPECT_EQ(c.edMDHelpContext, 7);
  EXPECT_EQ(c.edMDCheckResult, "Yes");  // the window's rebuild would select the first item
  const char* constants[] = {"mbOKCancel", "MBYESNOCANCEL", "Dialogs.mbYesAllNoAllCancel", "mbAbortRetryIgnore",
                             "System.UITypes.mbAbortIgnore"};
  for (int preset = 0; preset < 5; ++preset) {
    c = ReadCode(std::string("MessageDlg('x', mtWarning, ") + constants[preset] + ", 0);");
    EXPECT_TRUE(c.rbMDPreset);
    EXPECT_EQ(c.edMDPreset, preset);
    EXPECT_FALSE(c.cbMDHelp);
  }
  c = ReadCode("MessageDlg('x', mtWarning, mbOKCancel + [mbYes], 0);");
  EXPECT_FALSE(c.rbMDPreset);
  EXPECT_TRUE(c.cbMDOK && c.cbMDCancel && c.cbMDYes && !c.cbMDNo);
}

TEST(ReadCode, HandWrittenForms) {
  const std::string expected = Code([] {
    MessageChoices c;
    c.mmMessage = {"Save changes?", "", "It's late"};
    c.edStyle = 3;
    c.cbMDYes = c.cbMDNo = c.cbMDCancel = true;
    c.cbMDOK = false;
    c.cbMDCheckResult = true;
    c.edMDCheckResult = "Yes";
    c.cbMDSound = true;
    return c;
  }());
  EXPECT_EQ(Regenerated(
                "windows.messagebeep(mb_iconquestion);\n"
                "IF Vcl.Dialogs.MESSAGEDLG( 'Save changes?' + sLineBreak + #13#10 { blank } + 'It''s late',\n"
                "   System.UITypes.TMsgDlgType.mtConfirmation, [mbNo, mbCancel, mbYes], 0) = mrYes THEN\n"
                "  // nothing follows\n"),
            expected);
  EXPECT_EQ(
      Regenerated("MessageBeep(32); if (Dialogs.MessageDlg('Save changes?' + #10#10 + 'It''s' + ' late', "
                  "mtConfirmation, [mbYes, mbNo, mbCancel], (* none *) 0) = mrYes) then"),
      expected);
}

TEST(ReadCode, MessageBoxFlagsInAnyOrderNumericOrNamed) {
  MessageChoices expected;
  expected.PageControl1 = 1;
  expected.edStyle = 1;
  expected.edMBPreset = 4;
  expected.edMBDefault = 3;
  expected.cbMBHelp = true;
  expected.edMBModal = 1;
  expected.clbMBOptions[1] = true;
  expected.cbMBCheckResult = true;
  expected.edMBCheckResult = "No";
  expected.edMBTitle = "Title";
  std::string code = Code(expected);
  EXPECT_EQ(Regenerated(
                "if Application.MessageBox('This is a message.', 'Title', MB_HELP or Winapi.Windows.MB_RIGHT"
                " or MB_DEFBUTTON4 or MB_SYSTEMMODAL or MB_YESNOCANCEL or MB_ICONSTOP) = IDNO then"),
            code);
  EXPECT_EQ(Regenerated("if Forms.Application.MessageBox(PChar('This is a message.'), PChar('Ti' + 'tle'), "
                        "$4000 + 524288 + $1313) = ID_NO then"),
            code);
}

TEST(ReadCode, MessageOfNoLinesAndCharacterCodes) {
  MessageChoices c = ReadCode("MessageDlg(, mtInformation, [mbOK], 0);");
  EXPECT_TRUE(c.mmMessage.empty());
  c = ReadCode("MessageDlg('caf'#233' '#$D83D#$DE00, mtInformation, [mbOK], 0);");
  EXPECT_EQ(c.mmMessage, std::vector<std::string>{"café 😀"});
  c = ReadCode("MessageDlg('A' + #13, mtInformation, [mbOK], 0)");
  EXPECT_EQ(c.mmMessage, (std::vector<std::string>{"A", ""}));
}

TEST(ReadCode, RefusalsSayWhereAndWhat) {
  EXPECT_EQ(Refusal("MessageDlg('x', mtCustom, [mbOK], 0);"),
            "line 1, column 17: a custom dialog type cannot be made by the window");
  EXPECT_EQ(Refusal("MessageDlg('x', mtInformation,\n  [mbOK, mbClose], 0);"),
            "line 2, column 10: unknown button mbclose");
  EXPECT_EQ(Refusal("MessageDlg('x', mtInformation, [mbHelp], 0);"),
            "line 1, column 32: the dialog needs at least one button besides Help");
  EXPECT_EQ(Refusal("MessageDlg('x', mtInformation, [mbOK, mbHelp], HelpId);"),
            "line 1, column 48: the help context must be an integer literal");
  EXPECT_EQ(Refusal("MessageDlg('x', mtInformation, [mbOK], 4);"),
            "line 1, column 40: a help context other than 0 needs mbHelp among the buttons");
  EXPECT_EQ(Refusal("MessageBeep(MB_ICONERROR);\nMessageDlg('x', mtWarning, [mbOK], 0);"),
            "line 1, column 1: the sound does not match the dialog type mtWarning");
  EXPECT_EQ(Refusal("MessageBeep(MB_ICONERROR); Application.MessageBox('x', 'y', MB_ICONERROR);"),
            "line 1, column 1: a MessageBeep line goes only with MessageDlg");
  EXPECT_EQ(Refusal("MessageDlg('x', mtWarning, [mbOK], 0); MessageDlg('y', mtWarning, [mbOK], 0);"),
            "line 1, column 40: only one statement is read; this is a second one");
  EXPECT_EQ(Refusal("if (MessageDlg('x', mtWarning, [mbOK], 0) = mrYes) then"),
            "line 1, column 45: the dialog has no Yes button to test for");
  EXPECT_EQ(Refusal("if MessageDlg('x', mtWarning, [mbOK], 0) = mrOK then Close;"),
            "line 1, column 54: only one statement is read; this comes after then");
  EXPECT_EQ(Refusal("Application.MessageBox('x', 'y', MB_OK);"),
            "line 1, column 34: the box needs an icon (MB_ICONINFORMATION, ...)");
  EXPECT_EQ(Refusal("Application.MessageBox('x', 'y', MB_ICONERROR + MB_OK + MB_YESNO);"),
            "line 1, column 57: the button group is given twice");
  EXPECT_EQ(Refusal("Application.MessageBox('x', 'y', MB_ICONERROR + MB_DEFBUTTON2);"),
            "line 1, column 34: the default button 2 is not a button of this box");
  EXPECT_EQ(Refusal("Application.MessageBox('x', 'y', MB_ICONERROR + MB_NOFOCUS);"),
            "line 1, column 49: unknown flag mb_nofocus");
  EXPECT_EQ(Refusal("Application.MessageBox('x', 'y', $8010);"),
            "line 1, column 34: flag bits the window cannot set: $8000");
  EXPECT_EQ(Refusal("Application.MessageBox('x', 'y', MB_ICONERROR + MB_CANCELTRYCONTINUE);"),
            "line 1, column 34: the window cannot build this button group");
  EXPECT_EQ(Refusal("MessageDlg(' x', mtWarning, [mbOK], 0);"),
            "line 1, column 12: message line 1 begins or ends with a blank or control character, which the "
            "window trims");
  EXPECT_EQ(Refusal("MessageDlg('x, mtWarning, [mbOK], 0);"), "line 1, column 12: string is not closed");
  EXPECT_EQ(Refusal("ShowMessage('x');"),
            "line 1, column 1: expected MessageDlg or Application.MessageBox, not showmessage");
  EXPECT_EQ(Refusal("MessageDlg('x', mtWarning, [mbOK], 0"),
            "line 1, column 37: expected ) after the help context, but the text ends here");
  EXPECT_EQ(Refusal("MessageDlg('x' + Name, mtWarning, [mbOK], 0);"),
            "line 1, column 18: unknown identifier name in the text");
  EXPECT_EQ(Refusal("MessageDlg(#$D800'x', mtWarning, [mbOK], 0);"),
            "line 1, column 12: half of a surrogate pair");
  EXPECT_EQ(Refusal("{ open comment MessageDlg"), "line 1, column 1: comment is not closed");
  EXPECT_EQ(Refusal(""),
            "line 1, column 1: expected MessageDlg or Application.MessageBox, but the text ends here");
  EXPECT_EQ(Refusal("MessageDlg('ü', mtWarning, [mbOK], 0) ?"), "line 1, column 39: unexpected character");
}

TEST(ReadCode, HostileInputNeverCrashes) {
  std::mt19937 rng(11);
  const std::string alphabet = "'#$()[],;+-=.{}*/ \n\r\tMessageDlgApplicationBoxmtmbmrIDif0123456789";
  std::string valid = Code(MessageChoices{});
  for (int round = 0; round < 20000; ++round) {
    std::string text = valid;
    for (int edits = 1 + static_cast<int>(rng() % 4); edits > 0; --edits) {
      size_t at = rng() % (text.size() + 1);
      switch (rng() % 3) {
        case 0:
          text.insert(at, 1, alphabet[rng() % alphabet.size()]);
          break;
        case 1:
          if (at < text.size()) text.erase(at, 1);
          break;
        default:
          if (at < text.size()) text[at] = alphabet[rng() % alphabet.size()];
          break;
      }
    }
    try {
      Code(ReadCode(text));
    } catch (const CodeReadError& e) {
      EXPECT_GE(e.line, 1);
      EXPECT_GE(e.column, 1);
    }
  }
  EXPECT_NE(Refusal(std::string(100000, '(')), "");
}
