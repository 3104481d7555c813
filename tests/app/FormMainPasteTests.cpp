// Editing an existing statement: pasted into the message or read from the system menu, the
// clipboard's statement sets every control when the user says Yes; a statement the reader refuses
// says where; anything else, and No, pastes as before, with Undo.
#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "ChoiceLists.h"
#include "CodeLayout.h"
#include "CodeReader.h"
#include "FormMainFixture.h"
#include "RandomChoices.h"

using namespace vellumor;
using vellumor::test::FormMainTest;

namespace {

enum class Way { CtrlV, ShiftInsert, ContextMenu, SystemMenu };

class FormMainPasteTest : public FormMainTest {
 public:
  // As the user does it, through the loop: Ctrl+V as the character the keyboard makes of it,
  // Shift+Insert with Shift held, the edit's own menu with Paste picked by its letter once the
  // menu shows, the system menu's item found by its caption.
  void Use(Way way) {
    HWND memo = form->mmMessage->Handle();
    if (way == Way::CtrlV) PostMessageW(memo, WM_CHAR, 0x16, 1);
    if (way == Way::ShiftInsert) test::Press(VK_INSERT, {VK_SHIFT});
    if (way == Way::ContextMenu) {
      SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR timer, DWORD) {
        HWND menu = FindWindowW(L"#32768", nullptr);
        if (!menu || !IsWindowVisible(menu)) return;
        KillTimer(nullptr, timer);
        PostMessageW(GetFocus(), WM_CHAR, 'p', 1);
      });
      PostMessageW(memo, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(memo), MAKELPARAM(-1, -1));
    }
    if (way == Way::SystemMenu) {
      HMENU menu = GetSystemMenu(form->Handle(), FALSE);
      for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t caption[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), caption, 64, MF_BYPOSITION);
        if (std::wstring(caption) == L"Read Statement from Clipboard")
          PostMessageW(form->Handle(), WM_SYSCOMMAND, GetMenuItemID(menu, i), 0);
      }
    }
    Application->ProcessMessages();
  }
  // `clip` on the clipboard, then pasted (or read) with the box answered `answer` ("": no box may
  // show). Returns the box's text.
  std::string Paste(const std::string& clip, const char* answer, Way way = Way::CtrlV) {
    EXPECT_TRUE(wintest::WriteClipboardText(clip));
    form->mmMessage->SetFocus();
    std::string text;
    bool asked = wintest::ShowsBox([&] { Use(way); },
                                   [&](HWND box) {
                                     text = wintest::ReadBox(box).text;
                                     EXPECT_TRUE(wintest::PressButton(box, *answer ? answer : "No"));
                                   });
    EXPECT_EQ(asked, *answer != 0) << clip;
    Idle();
    return text;
  }

  // Picks item `index` of a closed drop-down list as the keyboard does: Home, then Down.
  void Pick(TComboBox* list, int index) {
    test::KeyDown(list->Handle(), VK_HOME);
    Idle();
    Down(list, index);
  }
  void Tick(TCheckBox* box, bool checked) {
    if (box->Checked() != checked) Click(box);
  }
  // The choices entered control by control as a user enters them; the texts are set whole.
  void Enter(const MessageChoices& c) {
    form->mmMessage->Lines().Assign(c.mmMessage);
    Tick(form->cbValues, c.cbValues);
    Pick(form->edStyle, c.edStyle);
    Click(form->rbMDSelect);  // the boxes take clicks in select mode only
    for (const auto& button : MessageDlgButtons())
      if (button.box)
        Tick(dynamic_cast<TCheckBox*>(Named("cbMD" + RemoveSpaces(button.caption))), c.*button.box);
    if (c.rbMDPreset) {
      Click(form->rbMDPreset);
      Pick(form->edMDPreset, c.edMDPreset);
    }
    Tick(form->cbMDHelp, c.cbMDHelp);
    if (c.cbMDHelp) Retype(form->edMDHelpContext, std::to_wstring(c.edMDHelpContext));
    Tick(form->cbMDCheckResult, c.cbMDCheckResult);
    Pick(form->edMDCheckResult, form->edMDCheckResult->Items().IndexOf(c.edMDCheckResult));
    Tick(form->cbMDSound, c.cbMDSound);
    MessageBoxPage();
    Pick(form->edMBPreset, c.edMBPreset);
    Tick(form->cbMBHelp, c.cbMBHelp);
    Pick(form->edMBDefault, c.edMBDefault);
    form->edMBTitle->SetText(c.edMBTitle);
    Pick(form->edMBModal, c.edMBModal);
    for (int i = 0; i < 6; ++i)
      if (form->clbMBOptions->ItemChecked(i) != c.clbMBOptions[static_cast<size_t>(i)])
        form->clbMBOptions->ToggleItem(i);
    Tick(form->cbMBCheckResult, c.cbMBCheckResult);
    Pick(form->edMBCheckResult, form->edMBCheckResult->Items().IndexOf(c.edMBCheckResult));
    form->PageControl1->SetActivePageIndex(c.PageControl1);
    Idle();
  }
};

const char* const kRefused = "MessageDlg('Hi',\r\n  mtCustom, [mbOK], 0);";

}  // namespace

// Every control takes the value the reader gives, from a window where each one held another.
TEST_F(FormMainPasteTest, EachKindOfStatementAnsweredYesSetsEveryControl) {
  const std::pair<const char*, const char*> kinds[] = {
      {"MessageBeep(MB_ICONERROR);\r\nif MessageDlg('First' + #13 + 'Second', mtError,\r\n"
       "  [mbYes, mbNo, mbHelp], 12) = mrNo then",
       "a MessageDlg statement"},
      {"MessageDlg('Sure?', mtConfirmation, mbYesAllNoAllCancel, 0);", "a MessageDlg statement"},
      // Values turn the values box on.
      {"if Application.MessageBox(PChar('Delete ' + FileName + '?'), PChar(Application.Title),\r\n"
       "  MB_ICONQUESTION + MB_YESNO) = mrYes then",
       "an Application.MessageBox statement"},
      {"if Application.MessageBox('', 'Careful', MB_ICONWARNING + MB_YESNOCANCEL + MB_DEFBUTTON4 +\r\n"
       "  MB_TASKMODAL + MB_HELP + MB_TOPMOST) = IDCANCEL then",
       "an Application.MessageBox statement"},
  };
  unsigned seed = 1;
  for (const auto& [code, question] : kinds) {
    SCOPED_TRACE(code);
    std::mt19937 rng(seed++);
    Enter(gentest::RandomChoices(rng, true));
    EXPECT_NE(Paste(code, "Yes").find(question), std::string::npos);
    const MessageChoices expected = ReadCode(code);
    EXPECT_TRUE(form->ReadChoices() == expected) << GetClipboardText(GenerateCode(form->ReadChoices()));
    // The dependent lists are rebuilt for the new choices.
    for (auto [list, items] : {std::pair{form->edMDCheckResult, MDCheckResultItems(expected)},
                               {form->edMBCheckResult, MBCheckResultItems(expected.edMBPreset)},
                               {form->edMBDefault, MBDefaultItems(expected.edMBPreset, expected.cbMBHelp)}})
      EXPECT_EQ(ItemsOf(list), std::vector<std::string>(items.begin(), items.end())) << list->Name;
    EXPECT_EQ(Focused(), form->mmMessage);
  }
}

// The window stays as it was: the text goes in as text, and Ctrl+Z takes it out again; or, refused
// or only read from the system menu, nothing changes, not even the selection.
TEST_F(FormMainPasteTest, TextStatementsAnsweredNoRefusalsAndTheMenusFindingsLeaveTheWindowAsItWas) {
  const char* statement = "MessageDlg('x', mtError, [mbOK], 0);";
  const std::tuple<Way, const char*, const char*, bool, const char*> cases[] = {
      // way, clipboard, answer, pasted, what the box says
      {Way::CtrlV, "Plain words,\r\nMessageDlg(", "", true, ""},
      {Way::ContextMenu, "Plain words", "", true, ""},
      {Way::ShiftInsert, statement, "No", true, "a MessageDlg statement"},
      {Way::ContextMenu, statement, "No", true, "a MessageDlg statement"},
      // Text that only begins with "If" is text: no question, and nothing lost.
      {Way::CtrlV, "If you close now, your changes are lost.", "", true, ""},
      {Way::ShiftInsert, kRefused, "Yes", true, "Paste it as text?"},
      {Way::CtrlV, kRefused, "No", false,
       "Line 2, column 3: a custom dialog type cannot be made by the window"},
      // The menu item pastes nothing: it says what it found, or takes the statement over.
      {Way::SystemMenu, "just text", "OK", false, "no MessageDlg or Application.MessageBox statement"},
      {Way::SystemMenu, kRefused, "OK", false, "Line 2, column 3"},
      {Way::SystemMenu, statement, "No", false, "a MessageDlg statement"},
      // Esc and the close box answer nothing: nothing is pasted, nothing set.
      {Way::CtrlV, statement, "{Esc}", false, "a MessageDlg statement"},
      {Way::ShiftInsert, statement, "{close box}", false, "a MessageDlg statement"},
      {Way::SystemMenu, statement, "{Esc}", false, "a MessageDlg statement"},
      {Way::CtrlV, kRefused, "{Esc}", false, "Paste it as text?"},
  };
  std::mt19937 rng(9);
  Enter(gentest::RandomChoices(rng, true));
  for (const auto& [way, clip, answer, pasted, said] : cases) {
    SCOPED_TRACE(clip);
    form->mmMessage->SetText("Before");
    SendMessageW(form->mmMessage->Handle(), EM_SETSEL, 2, 4);
    MessageChoices before = form->ReadChoices();
    EXPECT_NE(Paste(clip, answer, way).find(said), std::string::npos);
    EXPECT_EQ(form->mmMessage->Text(), pasted ? "Be" + std::string(clip) + "re" : "Before");
    EXPECT_EQ(Focused(), form->mmMessage);
    before.mmMessage = form->ReadChoices().mmMessage;
    EXPECT_TRUE(form->ReadChoices() == before);
    EXPECT_EQ(form->mmMessage->SelText(), pasted ? "" : "fo");  // not even the selection moved
    PostMessageW(form->mmMessage->Handle(), WM_CHAR, 0x1A, 1);  // Ctrl+Z takes a paste out again
    Application->ProcessMessages();
    EXPECT_EQ(form->mmMessage->Text(), "Before");
  }
  Paste(statement, "Yes", Way::SystemMenu);
  EXPECT_TRUE(form->ReadChoices() == ReadCode(statement));
}

// Reading a preset disables the button boxes: the one with the focus hands it on in tab order to
// the next that can take it, as a user's own click would leave it somewhere.
TEST_F(FormMainPasteTest, AStatementReadFromTheMenuMovesTheFocusOffTheBoxItDisables) {
  Click(form->rbMDSelect);
  form->cbMDYes->SetFocus();
  ASSERT_TRUE(wintest::WriteClipboardText("MessageDlg('Sure?', mtConfirmation, mbYesAllNoAllCancel, 0);"));
  EXPECT_TRUE(wintest::ShowsBox([&] { Use(Way::SystemMenu); },
                                [&](HWND box) { EXPECT_TRUE(wintest::PressButton(box, "Yes")); }));
  Idle();
  EXPECT_EQ(State("rbMDPreset cbMDYes cbMDHelp"), "rbMDPreset:x cbMDYes!:_ cbMDHelp*:_");
}

// What Create copies, pasted into a fresh window, makes Create copy the same code again.
TEST_F(FormMainPasteTest, CreatedCodeRoundTripsThroughAPasteIntoAFreshWindow) {
  wintest::SetTestTimeLimit(std::chrono::seconds(560));  // up to two seconds a round under Wine
  std::mt19937 rng(17);
  for (int round = 0; round < 250; ++round) {
    MessageChoices c = round % 3 == 2 ? gentest::RandomValueChoices(rng) : gentest::RandomChoices(rng, true);
    Enter(c);  // on the window of the round before: every control is set whatever it held
    const std::string code = CopiedCode();
    ASSERT_EQ(code, GetClipboardText(GenerateCode(c))) << "entered as chosen";
    TearDown();
    SetUp();
    Paste(code, "Yes");
    ASSERT_EQ(CopiedCode(), code);
  }
}
