// The generator from choices to copied code: one table of changes to the window's start-up
// choices against the code Create copies and the parameters the preview passes.
#include <gtest/gtest.h>

#include "ChoiceLists.h"
#include "CodeLayout.h"
#include "RandomChoices.h"

using namespace vellumor;

namespace {

struct Case {
  MessageChoices choices;  // the start-up choices with the members this case names changed
  std::string code;        // the copied lines, joined by \n
  // The MessageBox flags word; the MessageDlg button set, which the code's button list shows too.
  std::int64_t params = -1;
};

std::string Run(char ch, size_t n) {
  return std::string(n, ch);
}
const std::string kMsg = "'This is a message.'", kMD = "MessageDlg(" + kMsg + ", mtInformation, ";
const std::string kMB = "Application.MessageBox(", kBox = kMB + kMsg + ", 'Information', ",
                  kInfo = "MB_ICONINFORMATION + MB_OK + MB_DEFBUTTON1 + MB_APPLMODAL);";

// The MessageBox page with a style, preset, default button, modality, Help and the options
// ticked ('1') or not.
MessageChoices Box(int style, int preset, int def, int modal, bool help, const char* options) {
  MessageChoices c{.edStyle = style, .PageControl1 = 1, .edMBPreset = preset, .edMBDefault = def};
  c.edMBModal = modal;
  c.cbMBHelp = help;
  for (size_t i = 0; i < c.clbMBOptions.size(); ++i)
    c.clbMBOptions[i] = options[i] == '1';
  return c;
}

const Case kCases[] = {
    // MessageDlg page
    // start-up
    {{}, kMD + "[mbOK], 0);", 0x004},
    // result test ends with then and one blank
    {{.cbMDCheckResult = true}, "if (" + kMD + "[mbOK], 0) = mrOK) then "},
    // result caption loses its blanks
    {{.cbMDYesToAll = true, .cbMDCheckResult = true, .edMDCheckResult = "Yes To All"},
     "if (" + kMD + "[mbOK, mbYesToAll], 0) = mrYesToAll) then "},
    // one half of the boxes, in listing order
    {{.cbMDYes = true, .cbMDAbort = true, .cbMDIgnore = true, .cbMDNoToAll = true},
     kMD + "[mbOK, mbYes, mbAbort, mbIgnore, mbNoToAll], 0);"},
    // the other half
    {{.cbMDCancel = true, .cbMDNo = true, .cbMDRetry = true, .cbMDAll = true, .cbMDYesToAll = true},
     kMD + "[mbOK, mbCancel, mbNo, mbRetry, mbAll, mbYesToAll], 0);"},
    // a preset ignores the boxes
    {{.rbMDPreset = true, .edMDPreset = 1, .cbMDAbort = true}, kMD + "[mbCancel, mbYes, mbNo], 0);", 0x00B},
    // preset with Help: Help last, with its context
    {{.rbMDPreset = true, .edMDPreset = 2, .cbMDHelp = true, .edMDHelpContext = 12},
     kMD + "[mbCancel, mbYes, mbNo, mbYesToAll, mbNoToAll, mbHelp], 12);"},
    // preset 3
    {{.rbMDPreset = true, .edMDPreset = 3}, kMD + "[mbAbort, mbRetry, mbIgnore], 0);", 0x070},
    // preset 4
    {{.rbMDPreset = true, .edMDPreset = 4}, kMD + "[mbAbort, mbIgnore], 0);", 0x050},
    // a preset outside the list is the first
    {{.rbMDPreset = true, .edMDPreset = 5}, kMD + "[mbOK, mbCancel], 0);", 0x00C},
    // help context with its sign, Help in select mode
    {{.cbMDHelp = true, .edMDHelpContext = INT32_MIN}, kMD + "[mbOK, mbHelp], -2147483648);", 0x404},
    // the styles' types (warning and error with their sounds below); one outside the list is a warning
    {{.edStyle = 3}, "MessageDlg(" + kMsg + ", mtConfirmation, [mbOK], 0);"},
    {{.edStyle = 4}, "MessageDlg(" + kMsg + ", mtWarning, [mbOK], 0);"},
    // no message lines and no buttons still give a whole call
    {{.mmMessage = {}, .cbMDOK = false}, "MessageDlg('', mtInformation, [], 0);", 0},
    // MessageDlg layout
    // two lines
    {{.mmMessage = {"A", "B"}}, "MessageDlg('A'\n    + #13'B', \n    mtInformation, [mbOK], 0);"},
    // merged separator, sound and result test
    {{.mmMessage = {"  First ", "", "Last"}, .edStyle = 0, .cbMDCheckResult = true, .cbMDSound = true},
     "MessageBeep(MB_ICONWARNING);\nif (MessageDlg('First'\n    + #13#13'Last', \n"
     "    mtWarning, [mbOK], 0) = mrOK) then "},
    // trailing empty line: one cut, then the arguments
    {{.mmMessage = {"A", ""}}, "MessageDlg('A'\n    + #13, \n    mtInformation, [mbOK], 0);"},
    // leading empty line
    {{.mmMessage = {"", "B"}}, "MessageDlg(''\n    + #13'B', \n    mtInformation, [mbOK], 0);"},
    // patterns inside literals are not cut points
    {{.mmMessage = {"a' + #13 b, mtX", "c, mtY ' + #13"}},
     "MessageDlg('a'' + #13 b, mtX'\n    + #13'c, mtY '' + #13', \n    mtInformation, [mbOK], "
     "0);"},
    // long lines are cut between their constants
    {{.mmMessage = {Run('a', 600), "b"}},
     "MessageDlg('" + Run('a', 255) + "'\n    + '" + Run('a', 255) + "'\n    + '" + Run('a', 90) +
         "'\n    + #13'b', \n    mtInformation, [mbOK], 0);"},
    // a long one-line message keeps its arguments on the last line
    {{.mmMessage = {Run('a', 300)}},
     "MessageDlg('" + Run('a', 255) + "'\n    + '" + Run('a', 45) + "', mtInformation, [mbOK], 0);"},
    // MessageBox page
    // MessageBox start-up; the sound is MessageDlg's only
    {{.PageControl1 = 1, .cbMDSound = true}, kBox + kInfo, 64},
    // two lines are wrapped in PChar
    {{.mmMessage = {"A", "B"}, .PageControl1 = 1, .edMBPreset = 2},
     kMB + "PChar('A'\n    + #13'B'), 'Information', \n    MB_ICONINFORMATION + MB_YESNO + MB_DEFBUTTON1 + "
           "MB_APPLMODAL);",
     64 + 4},
    // two lines even when the second is empty
    {{.mmMessage = {"A", ""}, .PageControl1 = 1},
     kMB + "PChar('A'\n    + #13), 'Information', \n    " + kInfo},
    // no lines: an empty literal, no PChar
    {{.mmMessage = {}, .PageControl1 = 1}, kMB + "'', 'Information', " + kInfo},
    // the title is quoted untrimmed
    {{.PageControl1 = 1, .edMBPreset = 1, .edMBTitle = " It's me "},
     kMB + kMsg + ", ' It''s me ', MB_ICONINFORMATION + MB_OKCANCEL + MB_DEFBUTTON1 + MB_APPLMODAL);",
     64 + 1},
    // an empty title
    {{.PageControl1 = 1, .edMBTitle = ""}, kMB + kMsg + ", '', " + kInfo},
    // every flag term in order, options before Help
    {Box(3, 5, 3, 1, true, "101011"),
     kBox + "MB_ICONQUESTION + MB_ABORTRETRYIGNORE + MB_DEFBUTTON4 + MB_SYSTEMMODAL + "
            "MB_DEFAULT_DESKTOP_ONLY + MB_RTLREADING + MB_TOPMOST + MB_SERVICE_NOTIFICATION + MB_HELP);",
     32 + 2 + 0x300 + 0x1000 + 0x20000 + 0x100000 + 0x40000 + 0x200000 + 0x4000},
    // the other options; a default outside the list is the first
    {Box(1, 4, 4, 2, false, "010100"),
     kBox + "MB_ICONERROR + MB_YESNOCANCEL + MB_DEFBUTTON1 + MB_TASKMODAL + MB_RIGHT + MB_SETFOREGROUND);",
     16 + 3 + 0x2000 + 0x80000 + 0x10000},
    // third button, task modal, top most and Help
    {Box(3, 5, 2, 2, true, "000010"),
     kBox + "MB_ICONQUESTION + MB_ABORTRETRYIGNORE + MB_DEFBUTTON3 + MB_TASKMODAL + MB_TOPMOST + MB_HELP);",
     287266},
    // second button of a warning
    {{.edStyle = 0, .PageControl1 = 1, .edMBPreset = 1, .edMBDefault = 1},
     kBox + "MB_ICONWARNING + MB_OKCANCEL + MB_DEFBUTTON2 + MB_APPLMODAL);",
     48 + 1 + 0x100},
    // indexes outside their lists are the first
    {{.edStyle = -1, .PageControl1 = 1, .edMBPreset = 6, .edMBDefault = -1, .edMBModal = 3},
     kBox + "MB_ICONWARNING + MB_OK + MB_DEFBUTTON1 + MB_APPLMODAL);",
     48},
    // result test upper-cased without blanks
    {{.PageControl1 = 1, .edMBPreset = 3, .cbMBCheckResult = true, .edMBCheckResult = "Retry"},
     "if (" + kBox + "MB_ICONINFORMATION + MB_RETRYCANCEL + MB_DEFBUTTON1 + MB_APPLMODAL) = ID_RETRY) then ",
     64 + 5},
    // a long message and title become PChar expressions
    {{.mmMessage = {Run('m', 300)}, .PageControl1 = 1, .edMBTitle = Run('t', 256)},
     kMB + "PChar('" + Run('m', 255) + "'\n    + '" + Run('m', 45) + "'), PChar('" + Run('t', 255) +
         "'\n    + 't'), " + kInfo},
    // a title of 255 stays one constant
    {{.PageControl1 = 1, .edMBTitle = Run('t', 255)}, kMB + kMsg + ", '" + Run('t', 255) + "', " + kInfo},
    // Values: the layout cuts at line breaks only, never inside a value, whatever it holds.
    {{.mmMessage = {"Hi {F(', mt' + #13)}", "{N} left"}, .cbValues = true},
     "MessageDlg('Hi ' + F(', mt' + #13)\n    + #13 + N + ' left', \n    mtInformation, [mbOK], 0);"},
    // a value in the message or title is passed as PChar
    {{.mmMessage = {"{Msg}"}, .cbValues = true, .PageControl1 = 1, .edMBTitle = "{Application.Title}"},
     kMB + "PChar(Msg), PChar(Application.Title), " + kInfo},
    {{.mmMessage = {"a", "b"}, .cbValues = true, .PageControl1 = 1, .edMBTitle = "T{G(', MB')}"},
     kMB + "PChar('a'\n    + #13'b'), PChar('T' + G(', MB')), \n    " + kInfo},
    // values on without values: doubled braces are text, no PChar
    {{.cbValues = true, .PageControl1 = 1, .edMBTitle = "{{x}}"}, kMB + kMsg + ", '{x}', " + kInfo},
    // the title's braces count only on the MessageBox page
    {{.mmMessage = {"{A}"}, .cbValues = true, .edMBTitle = "{"}, "MessageDlg(A, mtInformation, [mbOK], 0);"},
    // patterns in the message and title
    {{.mmMessage = {"x, MB", "y, MB"}, .PageControl1 = 1, .edMBTitle = "T, MB' + #13"},
     kMB + "PChar('x, MB'\n    + #13'y, MB'), 'T, MB'' + #13', \n    " + kInfo},
};

}  // namespace

TEST(GeneratedCode, ChoiceChangesAgainstTheCopiedCodeAndTheParameters) {
  for (const Case& row : kCases) {
    SCOPED_TRACE(row.code);
    GeneratedCode code = GenerateCode(row.choices);
    EXPECT_EQ(JoinLines(GetClipboardLines(code), "\n"), row.code);
    if (row.params < 0) continue;
    if (code.kind == CallKind::MessageDlg)
      EXPECT_EQ(GetMessageDlgParams(row.choices).buttons, row.params);
    else
      EXPECT_EQ(GetMessageBoxFlags(row.choices), row.params);
  }
}

TEST(GeneratedCode, ValueErrorsNameLineOrTitleAndStopTheCode) {
  const struct {
    MessageChoices choices;
    std::string error;
  } cases[] = {
      {{.mmMessage = {"ok {A}", "  two {"}, .cbValues = true}, "line 2, column 7: { has no closing }"},
      {{.mmMessage = {"{}"}, .cbValues = true}, "line 1, column 1: {} holds no expression"},
      {{.cbValues = true, .PageControl1 = 1, .edMBTitle = "ü}"}, "title, column 2: } has no opening {"},
      {{.mmMessage = {"x}"}, .cbValues = true, .PageControl1 = 1, .edMBTitle = "}"}, "line 1, column 2: "},
      // Code the reader would not take back as the same value is not written.
      {{.mmMessage = {"x {'abc'}"}, .cbValues = true}, "line 1, column 3: the value is text, not code"},
      {{.mmMessage = {"{sLineBreak}"}, .cbValues = true}, "line 1, column 1: the value is text, not code"},
      {{.mmMessage = {"{('x' + A)}"}, .cbValues = true},
       "line 1, column 1: the value would read back as other"},
      {{.cbValues = true, .PageControl1 = 1, .edMBTitle = "{A#x}"},
       "title, column 1: the value is not code that can be read back: expected a character code after #"},
      {{.mmMessage = {"\t {Format('%d', [N])}"}, .cbValues = true},
       "line 1, column 3: the value is not code that can be read back: Format(...) cannot be read"},
      {{.mmMessage = {"x {Format('%d', [N])}"}, .cbValues = true}, ""},
      {{.mmMessage = {"x", "{Format('%d', [N])}"}, .cbValues = true}, ""},
      {{.cbValues = true, .PageControl1 = 1, .edMBTitle = " {Format('%d', [N])}"}, ""},
      {{.mmMessage = {"{"}, .PageControl1 = 1, .edMBTitle = "}"}, ""},  // values off
      {{.cbValues = true, .edMBTitle = "}"}, ""},                       // MessageDlg page
  };
  for (const auto& row : cases) {
    auto error = FindValueError(row.choices);
    EXPECT_EQ(error.value_or("").substr(0, row.error.size()), row.error);
    EXPECT_EQ(error.has_value(), !row.error.empty());
    if (error)
      EXPECT_THROW(GenerateCode(row.choices), ValueError);
    else
      EXPECT_NO_THROW(GenerateCode(row.choices));
  }
}

TEST(GeneratedCode, ConfirmationShowsTheBeepLineBetweenInstructionAndStatement) {
  EXPECT_EQ(GetConfirmationText(GenerateCode({.edStyle = 1, .cbMDSound = true})),
            "Press OK to copy the following code to clipboard.\r\rMessageBeep(MB_ICONERROR);\r"
            "MessageDlg('This is a message.', mtError, [mbOK], 0);");
}

TEST(ChoiceLists, MessageDlgResultsFollowPresetOrTickedBoxes) {
  MessageChoices c;
  EXPECT_EQ(MDCheckResultItems(c), ListItems{"OK"});
  c.cbMDNoToAll = c.cbMDYesToAll = c.cbMDAll = c.cbMDYes = c.cbMDHelp = true;  // Help never gives an item
  EXPECT_EQ(MDCheckResultItems(c), (ListItems{"OK", "Yes", "All", "Yes To All", "No To All"}));
  c.rbMDPreset = true;
  c.edMDPreset = 2;
  EXPECT_EQ(MDCheckResultItems(c), (ListItems{"Yes", "No", "Cancel", "Yes To All", "No To All"}));
  c.edMDPreset = 42;
  EXPECT_EQ(MDCheckResultItems(c), (ListItems{"OK", "Cancel"}));
  c = MessageChoices{.cbMDOK = false, .cbMDHelp = true};  // in select mode Help alone is no button to press
  EXPECT_TRUE(NoMessageDlgButtonSelected(c) && MDCheckResultItems(c).empty());
  c.rbMDPreset = true;
  EXPECT_FALSE(NoMessageDlgButtonSelected(c));
}

TEST(ChoiceLists, MessageBoxDefaultButtonsCountTheHelpButtonAndRebuildsKeepTheSelection) {
  EXPECT_EQ(MBDefaultItems(0, false), ListItems{"1st button"});
  EXPECT_EQ(MBDefaultItems(0, true), (ListItems{"1st button", "2nd button"}));
  EXPECT_EQ(MBDefaultItems(1, true), (ListItems{"1st button", "2nd button", "3rd button"}));
  EXPECT_EQ(MBDefaultItems(4, true).back(), "4th button");
  EXPECT_EQ(MBDefaultItems(-1, false), ListItems{"1st button"});
  EXPECT_EQ(MBCheckResultItems(3), (ListItems{"Retry", "Cancel"}));
  EXPECT_EQ(MBCheckResultItems(5), (ListItems{"Abort", "Retry", "Ignore"}));
  // Kept across a rebuild: the same text, exactly; else the first item, or none in an empty list.
  const ListItems items{"Yes", "No", "Cancel"};
  EXPECT_EQ((std::vector{KeptSelection("Cancel", items), KeptSelection("OK", items), KeptSelection("", items),
                         KeptSelection("Cancel", {}), KeptSelection("cancel", items)}),
            (std::vector{2, 0, 0, -1, 0}));
}

// Showing choices selects, in each rebuilt list, the caption or button chosen; never a selection
// outside the list, whatever the choices.
TEST(ChoiceLists, SelectionsShowTheChosenCaptionsAndStayInsideTheLists) {
  std::mt19937 rng(3);
  for (int round = 0; round < 2000; ++round) {
    const bool holdable = round % 2 == 0;
    MessageChoices c = gentest::RandomChoices(rng, holdable);
    ListSelections s = SelectionsFor(c);
    auto shown = [](const ListItems& items, int i) -> std::string {
      if (items.empty() && i == -1) return "";
      EXPECT_TRUE(i >= 0 && i < static_cast<int>(items.size())) << i;
      return i >= 0 && i < static_cast<int>(items.size()) ? std::string(items[static_cast<size_t>(i)]) : "";
    };
    const std::string md = shown(MDCheckResultItems(c), s.mdCheckResult);
    const std::string mb = shown(MBCheckResultItems(c.edMBPreset), s.mbCheckResult);
    shown(MBDefaultItems(c.edMBPreset, c.cbMBHelp), s.mbDefault);
    if (!holdable) continue;
    EXPECT_EQ(md, c.edMDCheckResult);
    EXPECT_EQ(mb, c.edMBCheckResult);
    EXPECT_EQ(s.mbDefault, c.edMBDefault);
  }
}
