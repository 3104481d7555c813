// Reading statements back into choices: the generator's own output round-trips, hand-written
// forms are understood, and everything else is refused with its position.
#include <gtest/gtest.h>

#include <tuple>

#include "CodeLayout.h"
#include "CodeReader.h"
#include "RandomChoices.h"

using namespace vellumor;

namespace {

std::string Code(const MessageChoices& c) {
  return GetClipboardText(GenerateCode(c));
}

std::string Regenerated(std::string_view source) {
  return Code(ReadCode(source));
}

// The refusal as "L:C what", checked against the error's own "line L, column C: what"; "" when
// `source` is read.
std::string Refusal(std::string_view source) {
  try {
    ReadCode(source);
  } catch (const CodeReadError& e) {
    const std::string at = "line " + std::to_string(e.line) + ", column " + std::to_string(e.column) + ": ";
    const std::string what = e.what();
    if (!what.starts_with(at)) return what;
    return std::to_string(e.line) + ":" + std::to_string(e.column) + " " + what.substr(at.size());
  }
  return "";
}

}  // namespace

TEST(ReadCode, RoundTripOfEveryKindOfChoice) {
  std::mt19937 rng(5);
  for (int round = 0; round < 3000; ++round) {
    MessageChoices c = gentest::RandomChoices(rng, true);
    std::string code = Code(c);
    SCOPED_TRACE(code);
    ASSERT_EQ(Refusal(code), "");
    MessageChoices back = ReadCode(code);
    EXPECT_EQ(Code(back), code);
    // The statement alone, without layout and beep line, reads the same.
    back.cbMDSound = false;
    EXPECT_EQ(Code(ReadCode(GenerateCode(c).statement)), Code(back));
  }
}

TEST(ReadCode, PresetConstantReadsAsThePreset) {
  MessageChoices c = ReadCode("MessageDlg('x', mtWarning, mbYesNoCancel + [mbHelp], 7);");
  EXPECT_EQ(std::tuple(c.rbMDPreset, c.edMDPreset, c.cbMDHelp, c.edMDHelpContext),
            std::tuple(true, 1, true, 7));
  EXPECT_EQ(c.edMDCheckResult, "Yes");  // the window's rebuild would select the first item
  const char* constants[] = {"mbOKCancel", "MBYESNOCANCEL", "Dialogs.mbYesAllNoAllCancel",
                             "mbAbortRetryIgnore", "System.UITypes.mbAbortIgnore"};
  for (int preset = 0; preset < 5; ++preset) {
    c = ReadCode(std::string("MessageDlg('x', mtWarning, ") + constants[preset] + ", 0);");
    EXPECT_EQ(std::tuple(c.rbMDPreset, c.edMDPreset, c.cbMDHelp), std::tuple(true, preset, false));
  }
}

// Hand-written forms against the code the choices they read into write again.
TEST(ReadCode, HandWrittenForms) {
  const std::string dlg =
      "MessageBeep(MB_ICONQUESTION);\r\nif (MessageDlg('Save changes?'\r\n    + #13#13'It''s late', \r\n"
      "    mtConfirmation, [mbCancel, mbYes, mbNo], 0) = mrYes) then ";
  const std::string box =
      "if (Application.MessageBox('This is a message.', 'Title', MB_ICONERROR + MB_YESNOCANCEL + "
      "MB_DEFBUTTON4 + "
      "MB_SYSTEMMODAL + MB_RIGHT + MB_HELP) = ID_NO) then ";
  const std::pair<std::string, std::string> cases[] = {
      {"windows.messagebeep(mb_iconquestion);\n"
       "IF Vcl.Dialogs.MESSAGEDLG( 'Save changes?' + sLineBreak + #13#10 { blank } + 'It''s late',\n"
       "   System.UITypes.TMsgDlgType.mtConfirmation, [mbNo, mbCancel, mbYes], 0) = mrYes THEN\n"
       "  // nothing follows\n",
       dlg},
      {"MessageBeep(32); if (Dialogs.MessageDlg('Save changes?' + #10#10 + ('It''s' + ' late'), "
       "mtConfirmation, [mbYes, mbNo, mbCancel], (* none *) 0) = mrYes) then",
       dlg},
      // MessageBox flags in any order, numeric or named
      {"if Application.MessageBox('This is a message.', 'Title', MB_HELP or Winapi.Windows.MB_RIGHT"
       " or MB_DEFBUTTON4 or MB_SYSTEMMODAL or MB_YESNOCANCEL or MB_ICONSTOP) = IDNO then",
       box},
      {"if Forms.Application.MessageBox(PChar('This is a message.'), PChar('Ti' + 'tle'), "
       "$4000 + (524288 + $1313)) = ID_NO then",
       box},
      // a preset constant with more buttons is no preset
      {"MessageDlg('x', mtWarning, mbOKCancel + [mbYes], 0);",
       "MessageDlg('x', mtWarning, [mbOK, mbCancel, mbYes], 0);"},
  };
  for (const auto& [source, code] : cases)
    EXPECT_EQ(Regenerated(source), code) << source;
}

TEST(ReadCode, MessageOfNoLinesAndCharacterCodes) {
  // '' is the memo with no lines; an empty argument, as earlier versions wrote it, reads the same.
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"''", {}},
      {"", {}},
      {"'caf'#233' '#$D83D#$DE00", {"café 😀"}},
      {"#$20AC#$FFFF#$D800#$DC00", {"€\xEF\xBF\xBF\xF0\x90\x80\x80"}},  // three bytes, then four
      {"#$DBFF#$DFFF", {"\xF4\x8F\xBF\xBF"}},                           // the last code point
      {"'A' + #13", {"A", ""}},
      {"'A'#13#10", {"A", ""}},
      {"#13#10'B' + #10#13", {"", "B", "", ""}},
  };
  for (const auto& [message, lines] : cases)
    EXPECT_EQ(ReadCode("MessageDlg(" + message + ", mtInformation, [mbOK], 0)").mmMessage, lines) << message;
}

TEST(ReadCode, RefusalsSayWhereAndWhat) {
  const std::string kMD = "MessageDlg('x', mtInformation, ", kMB = "Application.MessageBox('x', 'y', ";
  const std::pair<std::string, std::string> cases[] = {
      // A line break of two characters at the very start counts once.
      {"\r\nMessageDlg('x', mtCustom, [mbOK], 0);", "2:17 a custom dialog type cannot be made by the window"},
      {"MessageDlg('x', mtInformation,\n  [mbOK, mbClose], 0);", "2:10 unknown button mbClose"},
      {"MessageDlg('x', Dialogs.mtNote, [mbOK], 0);", "1:17 unknown dialog type Dialogs.mtNote"},
      {"MessageDlg('x', mtError, mbYesNoMaybe, 0);", "1:26 unknown button set mbYesNoMaybe"},
      {kMD + "[mbHelp], 0);", "1:32 the dialog needs at least one button besides Help"},
      {kMD + "[mbOK, mbHelp], HelpId);", "1:48 the help context must be an integer literal"},
      {kMD + "[mbOK], 4);", "1:40 a help context other than 0 needs mbHelp among the buttons"},
      {"MessageBeep(MB_ICONERROR);\nMessageDlg('x', mtWarning, [mbOK], 0);",
       "1:1 the sound does not match the dialog type mtWarning"},
      {"MessageBeep(MB_ICONERROR); Application.MessageBox('x', 'y', MB_ICONERROR);",
       "1:1 a MessageBeep line goes only with MessageDlg"},
      {"MessageDlg('x', mtWarning, [mbOK], 0); MessageDlg('y', mtWarning, [mbOK], 0);",
       "1:40 only one statement is read; this is a second one"},
      {"if (MessageDlg('x', mtWarning, [mbOK], 0) = mrYes) then",
       "1:45 the dialog has no Yes button to test for"},
      {"if MessageDlg('x', mtWarning, [mbOK], 0) = mrOK then Close;",
       "1:54 only one statement is read; this comes after then"},
      {kMB + "MB_OK);", "1:34 a MessageBox without an icon cannot be made by the window"},
      {kMB + "MB_ICONERROR + MB_OK + MB_YESNO);", "1:57 the button group is given twice"},
      {kMB + "MB_ICONERROR + MB_DEFBUTTON2);", "1:34 the default button 2 is not a button of this box"},
      {kMB + "MB_ICONERROR + MB_NOFOCUS);", "1:49 unknown flag MB_NOFOCUS"},
      {kMB + "$8010);", "1:34 flag bits the window cannot set: $8000"},
      {kMB + "MB_ICONERROR + MB_CANCELTRYCONTINUE);", "1:34 the window cannot build this button group"},
      {"MessageDlg(' x', mtWarning, [mbOK], 0);", "1:12 message line 1 begins or ends with a blank"},
      {"MessageDlg('x, mtWarning, [mbOK], 0);", "1:12 string is not closed"},
      {"MessageDlg.('x', mtWarning, [mbOK], 0);", "1:11 expected ("},
      {"ShowMessage('x');", "1:1 expected MessageDlg or Application.MessageBox, not ShowMessage"},
      {"MessageDlg('x', mtWarning, [mbOK], 0",
       "1:37 expected ) after the help context, but the text ends here"},
      {"MessageDlg(#$D800'x', mtWarning, [mbOK], 0);", "1:12 half of a surrogate pair"},
      {"MessageDlg(#$D800, mtInformation, [mbOK], 0);", "1:12 half of a surrogate pair"},
      {"MessageDlg(#$DC00, mtInformation, [mbOK], 0);", "1:12 half of a surrogate pair"},
      {"MessageDlg('\xC3\xA9'#$D800#$D800, mtInformation, [mbOK], 0);", "1:15 half of a surrogate pair"},
      {"MessageDlg('x'#$10000, mtWarning, [mbOK], 0);", "1:15 character code is too large"},
      {"MessageDlg('x'#x, mtWarning, [mbOK], 0);", "1:15 expected a character code after #"},
      {"if MessageDlg('x', mtWarning, [mbOK], 0) = mrMaybe then", "1:44 unknown result mrMaybe"},
      {"if Application.MessageBox('x', 'y', MB_ICONERROR) = IDMAYBE then", "1:53 unknown result IDMAYBE"},
      {"{ open comment MessageDlg", "1:1 comment is not closed"},
      {"", "1:1 expected MessageDlg or Application.MessageBox, but the text ends here"},
      {"MessageDlg('ü', mtWarning, [mbOK], 0) ?", "1:39 unexpected character"},
  };
  for (const auto& [source, refusal] : cases)
    EXPECT_EQ(Refusal(source).substr(0, refusal.size()), refusal) << source;
}

TEST(ReadCode, WhatBeginsLikeAStatement) {
  for (const char* text :
       {"MessageDlg(", " {note} (* x *) // y\r\n  IF MessageDlg", "Vcl.Dialogs.messagedlg",
        "Winapi.Windows.MessageBeep(0);", "\xEF\xBB\xBFmessagebeep", "if(Application.MessageBox",
        "if ( { c } Forms.Application.MessageBox", "Result := MessageDlg(", "case MessageDlg("})
    EXPECT_TRUE(BeginsLikeStatement(text)) << text;
  for (const char* text : {"ShowMessage('x');", "MessageDlgPos(", "MyMessageDlg(", "iffy", "{ MessageDlg",
                           "If you close now, your changes are lost.", "2.MessageDlg(",
                           "If (you) close MessageDlg", "if", "Result := 5", "if not MessageDlg("})
    EXPECT_FALSE(BeginsLikeStatement(text)) << text;
}

// Statements as real programs write them: the statement each reads as (its choices' code on one
// line), or "L:C why not".
TEST(ReadCode, RealStatementForms) {
  const std::string ok = ", mtWarning, [mbOK], 0)", yesNo = ", mtConfirmation, [mbYes, mbNo], 0)";
  const std::string box = "Application.MessageBox(";
  const std::pair<std::string, std::string> cases[] = {
      // values
      {"MessageDlg('Delete ' + FileName + '?'" + yesNo + ";",
       "MessageDlg('Delete ' + FileName + '?'" + yesNo + ";"},
      {"MessageDlg(E.Message" + ok, "MessageDlg(E.Message" + ok + ";"},
      {"MessageDlg(SFileSaved" + ok, "MessageDlg(SFileSaved" + ok + ";"},
      {"MessageDlg('Total: ' + IntToStr(Count * 2) + sLineBreak + 'Size: ' + FormatFloat('0.0', Size / "
       "1.5e3)" +
           ok,
       "MessageDlg('Total: ' + IntToStr(Count * 2) + #13'Size: ' + FormatFloat('0.0', Size / 1.5e3)" + ok +
           ";"},
      {"MessageDlg('x' + GetText( { note } A,\n   B) + Items[I]^.Name + @Buf" + ok,
       "MessageDlg('x' + GetText( A, B) + Items[I]^.Name + @Buf" + ok + ";"},
      {"MessageDlg('x' + (A + B) + (C) + ('y' + D) + (E - F)" + ok,
       "MessageDlg('x' + (A + B) + (C) + 'y' + D + (E - F)" + ok + ";"},
      {"MessageDlg('x' + A - B + 'y'" + ok, "MessageDlg('x' + (A - B) + 'y'" + ok + ";"},
      {"MessageDlg('a' + Format('%d', [N])" + ok, "MessageDlg('a' + Format('%d', [N])" + ok + ";"},
      {"MessageDlg('a' + Format(S, []) <> B" + ok, "MessageDlg('a' + (Format(S, []) <> B)" + ok + ";"},
      {box + "PChar('File ' + FileName + ' not found.'), PChar(Application.Title), MB_OK + MB_ICONERROR);",
       box + "PChar('File ' + FileName + ' not found.'), PChar(Application.Title), "
             "MB_ICONERROR + MB_OK + MB_DEFBUTTON1 + MB_APPLMODAL);"},
      {box + "PChar(SQuit), SCaption, MB_ICONQUESTION);",
       box + "PChar(SQuit), PChar(SCaption), MB_ICONQUESTION + MB_OK + MB_DEFBUTTON1 + MB_APPLMODAL);"},
      // results by number, across the two kinds, and mbYesNo
      {"if MessageDlg('Quit?', mtConfirmation, mbYesNo, 0) = 6 then",
       "if (MessageDlg('Quit?'" + yesNo + " = mrYes) then "},
      {"if MessageDlg('Quit?', mtConfirmation, mbYesNo + [mbCancel], 0) = mrNo then",
       "if (MessageDlg('Quit?', mtConfirmation, [mbCancel, mbYes, mbNo], 0) = mrNo) then "},
      {"if " + box + "'Quit?', 'Q', MB_YESNO + MB_ICONQUESTION) = mrYes then",
       "if (" + box +
           "'Quit?', 'Q', MB_ICONQUESTION + MB_YESNO + MB_DEFBUTTON1 + MB_APPLMODAL) = ID_YES) then "},
      {"if " + box + "'R', 'Q', MB_RETRYCANCEL or MB_ICONWARNING) = 4 then",
       "if (" + box +
           "'R', 'Q', MB_ICONWARNING + MB_RETRYCANCEL + MB_DEFBUTTON1 + MB_APPLMODAL) = ID_RETRY) then "},
      {"if MessageDlg('x', mtWarning, [mbOK, mbCancel], 0) = 2 then",
       "if (MessageDlg('x', mtWarning, [mbOK, mbCancel], 0) = mrCancel) then "},
      // refused, with the form named
      {"Result := MessageDlg('x'" + ok + " = mrOK;",
       "1:1 the result is assigned to Result, which the window cannot write"},
      {"Self.Answer := MessageDlg('x'" + ok + ";", "1:1 the result is assigned to Self.Answer, which"},
      {"if MessageDlg('x'" + ok + " <> mrOK then",
       "1:42 <> cannot be written by the window: it tests a result with ="},
      {"case MessageDlg('x'" + yesNo + " of",
       "1:1 case cannot be written by the window: it tests one result with if"},
      {"if Modified and (MessageDlg('x'" + ok + " = mrOK) then",
       "1:13 and in the condition cannot be written by the window: it tests one result alone"},
      {"if not (MessageDlg('x'" + ok + " = mrOK) then",
       "1:4 not in the condition cannot be written by the window: it tests one result alone"},
      {"if (MessageDlg('x'" + ok + " = mrOK) Or Force then",
       "1:51 Or in the condition cannot be written by the window: it tests one result alone"},
      {"MessageDlg(Format('%d files', [N])" + ok,
       "1:12 Format(...) cannot be read: the window writes values in braces"},
      {box + "PChar(SysUtils.Format(S, [N])), 'T', MB_ICONERROR);", "1:30 Format(...) cannot be read"},
      {"if MessageDlg('x'" + ok + " = 8 then", "1:44 unknown result 8; the numbers are 1 (OK) to 7 (No)"},
      {"if " + box + "'x', 'y', MB_ICONERROR) = mrAll then", "1:53 unknown result mrAll"},
      {"MessageDlg('x' + Caption('}')" + ok, "1:18 a value holding } cannot be written in braces"},
      {"MessageDlg('x' + " + ok, "1:18 expected text in quotes or a value"},
      {"MessageDlg('x' + 1.5" + ok.substr(0, 12) + "[mbOK], 2.5)",
       "1:41 only whole numbers are understood here"},
      {"MessageDlg('x' + 12ab" + ok, "1:18 unexpected letters after the number"},
  };
  for (const auto& [source, outcome] : cases) {
    std::string refusal = Refusal(source);
    EXPECT_EQ(refusal.empty() ? GenerateCode(ReadCode(source)).statement : refusal.substr(0, outcome.size()),
              outcome)
        << source;
    // What is read writes code that reads back to itself.
    if (refusal.empty()) {
      EXPECT_EQ(Refusal(outcome) + GenerateCode(ReadCode(outcome)).statement, outcome);
    }
  }
}

// Values come back in braces with the check box on; the statement's own braces come back doubled.
TEST(ReadCode, ValuesTurnTheBoxOnAndDoubleLiteralBraces) {
  MessageChoices c =
      ReadCode("Application.MessageBox(PChar('{x} of ' + N + #13#10'}'), '{T}', MB_ICONERROR)");
  EXPECT_EQ(std::tuple(c.cbValues, c.mmMessage, c.edMBTitle),
            std::tuple(true, std::vector<std::string>{"{{x}} of {N}", "}}"}, std::string("{{T}}")));
  c = ReadCode("Application.MessageBox('{x}', PChar(Caption + '{'), MB_ICONERROR)");
  EXPECT_EQ(std::tuple(c.cbValues, c.mmMessage[0], c.edMBTitle),
            std::tuple(true, "{{x}}", std::string("{Caption}{{")));
  // A value's own comments and line breaks become one blank, and nothing comes in front of it.
  EXPECT_EQ(ReadCode("MessageDlg('x' +\n F( (* c *) A,\r\nB), mtError, [mbOK], 0)").mmMessage[0],
            "x{F( A, B)}");
  c = ReadCode("Application.MessageBox('{x}', '{', MB_ICONERROR)");
  EXPECT_EQ(std::tuple(c.cbValues, c.mmMessage[0], c.edMBTitle), std::tuple(false, "{x}", std::string("{")));
}

TEST(ReadCode, HostileInputNeverCrashes) {
  std::mt19937 rng(11);
  const std::string alphabet = "'#$()[],;+-=.{}*/<>:@^ \n\r\tMessageDlgApplicationBoxmtmbmrIDif0123456789";
  std::string valid = Code(MessageChoices{});
  for (int round = 0; round < 20000; ++round) {
    std::string text = valid;
    // Each edit inserts, deletes or replaces one character.
    for (int edits = 1 + static_cast<int>(rng() % 4); edits > 0; --edits) {
      size_t at = rng() % (text.size() + 1);
      text.replace(at, std::min<size_t>(rng() % 2, text.size() - at), rng() % 3 ? 1 : 0,
                   alphabet[rng() % alphabet.size()]);
    }
    try {
      Code(ReadCode(text));
      // What reads always begins like a statement: the window asks the reader nothing else.
      EXPECT_TRUE(BeginsLikeStatement(text)) << text;
    } catch (const CodeReadError& e) {
      EXPECT_GE(e.line, 1);
      EXPECT_GE(e.column, 1);
    }
  }
  EXPECT_NE(Refusal(std::string(100000, '(')), "");
  // The nesting bound counts open brackets, not brackets ever opened.
  const std::string deep = std::string(99, '(') + "0" + std::string(99, ')');
  EXPECT_EQ(Refusal("MessageBeep((MB_ICONERROR)); MessageDlg('x' + F" + deep + " + G" + deep +
                    ", mtError, [mbOK], 0)"),
            "");
}

TEST(ReadCode, NestingIsBoundedWhereverItIs) {
  // Each place the reader recurses into brackets: the message, the flags, the help context.
  auto nested = [](size_t depth, const std::string& inner) {
    return std::string(depth, '(') + inner + std::string(depth, ')');
  };
  const size_t deep = 100000;
  EXPECT_EQ(Refusal("MessageDlg(" + nested(deep, "'x'") + ", mtInformation, [mbOK], 0);"),
            "1:111 parentheses nested too deeply");
  EXPECT_EQ(Refusal("Application.MessageBox('x', 'y', " + nested(deep, "MB_OK") + ");"),
            "1:133 parentheses nested too deeply");
  EXPECT_EQ(Refusal("MessageDlg('x', mtInformation, [mbOK, mbHelp],\n" + nested(deep, "1") + ");"),
            "2:100 parentheses nested too deeply");
  // As deep as the limit allows still reads: the call's own parenthesis counts.
  EXPECT_EQ(Regenerated("MessageDlg(" + nested(99, "'x'") + ", mtInformation, [mbOK], 0);"),
            Code(ReadCode("MessageDlg('x', mtInformation, [mbOK], 0);")));
  EXPECT_EQ(Regenerated("Application.MessageBox('x', 'y', " + nested(99, "MB_ICONERROR") + ");"),
            Regenerated("Application.MessageBox('x', 'y', MB_ICONERROR);"));
}
