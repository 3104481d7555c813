// Editing an existing statement: pasted into the message or read from the system menu, the
// clipboard's statement sets every control when the user says Yes; a statement the reader refuses
// says where; anything else, and No, pastes as before, with Undo.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "ChoiceLists.h"
#include "CodeGenerator.h"
#include "CodeLayout.h"
#include "FormMainFixture.h"
#include "RandomChoices.h"

using namespace vellumor;
using vellumor::test::FormMainTest;

namespace {

enum class Keys { CtrlV, ShiftInsert, ContextMenu };

class FormMainPasteTest : public FormMainTest {
 public:
  // The keys as the message edit gets them from the loop: Ctrl+V as the character the keyboard
  // makes of it, Shift+Insert as the key with Shift held; the edit's own menu, Paste picked by its
  // letter once the menu shows.
  void Type(Keys keys) {
    HWND memo = form->mmMessage->Handle();
    if (keys == Keys::CtrlV) {
      PostMessageW(memo, WM_CHAR, 0x16, 1);
    } else if (keys == Keys::ContextMenu) {
      SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR timer, DWORD) {
        HWND menu = FindWindowW(L"#32768", nullptr);
        if (!menu || !IsWindowVisible(menu)) return;
        KillTimer(nullptr, timer);
        PostMessageW(GetFocus(), WM_CHAR, 'p', 1);
      });
      PostMessageW(memo, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(memo), MAKELPARAM(-1, -1));
    } else {
      BYTE state[256];
      GetKeyboardState(state);
      state[VK_SHIFT] = 0x80;
      SetKeyboardState(state);
      PostMessageW(memo, WM_KEYDOWN, VK_INSERT, 1);
    }
    Application->ProcessMessages();
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_SHIFT] = 0;
    SetKeyboardState(state);
  }
  // A paste of `clip` into the message, the box answered with `answer` ("": no box may show).
  // Returns the box's text.
  std::string Paste(const std::string& clip, const char* answer, Keys keys = Keys::CtrlV) {
    EXPECT_TRUE(wintest::WriteClipboardText(clip));
    form->mmMessage->SetFocus();
    std::string text;
    bool asked = wintest::ShowsBox([&] { Type(keys); },
                                   [&](HWND box) {
                                     text = wintest::ReadBox(box).text;
                                     EXPECT_TRUE(wintest::PressButton(box, *answer ? answer : "No"))
                                         << answer;
                                   });
    EXPECT_EQ(asked, *answer != 0) << clip;
    Idle();
    return text;
  }
  void Undo() {
    PostMessageW(form->mmMessage->Handle(), WM_CHAR, 0x1A, 1);  // Ctrl+Z
    Application->ProcessMessages();
    Idle();
  }
  // The system menu's item, chosen; its box answered with `answer`. Returns the box's text.
  std::string ReadFromMenu(const std::string& clip, const char* answer) {
    EXPECT_TRUE(wintest::WriteClipboardText(clip));
    HMENU menu = GetSystemMenu(form->Handle(), FALSE);
    UINT command = 0;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      wchar_t caption[64] = {};
      GetMenuStringW(menu, static_cast<UINT>(i), caption, static_cast<int>(std::size(caption)),
                     MF_BYPOSITION);
      if (std::wstring(caption) == L"Read Statement from Clipboard") command = GetMenuItemID(menu, i);
    }
    EXPECT_NE(command, 0u) << "no menu item";
    std::string text;
    wintest::WithBox(
        [&] {
          PostMessageW(form->Handle(), WM_SYSCOMMAND, command, 0);
          Application->ProcessMessages();
        },
        [&](HWND box) {
          text = wintest::ReadBox(box).text;
          EXPECT_TRUE(wintest::PressButton(box, answer)) << answer;
        });
    Idle();
    return text;
  }

  // Picks item `index` of a closed drop-down list as the keyboard does: Home, then Down.
  void Pick(TComboBox* list, int index) {
    SendMessageW(list->Handle(), WM_KEYDOWN, VK_HOME, 0);
    Idle();
    Down(list, index);
  }
  void Tick(TCheckBox* box, bool checked) {
    if (box->Checked() != checked) Click(box);
  }
  TCheckBox* BoxOf(const MessageDlgButton& button) {
    const std::string name = "cbMD" + RemoveSpaces(button.caption);
    for (int i = 0; i < form->ComponentCount(); ++i)
      if (form->Components(i)->Name == name) return dynamic_cast<TCheckBox*>(form->Components(i));
    return nullptr;
  }
  // The choices entered control by control as a user enters them; the texts are set whole.
  void Enter(const MessageChoices& c) {
    form->mmMessage->Lines().Assign(c.mmMessage);
    Pick(form->edStyle, c.edStyle);
    Click(form->rbMDSelect);  // the boxes take clicks in select mode only
    for (const auto& button : MessageDlgButtons())
      if (button.box) Tick(BoxOf(button), c.*button.box);
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
  // Some other window than the one a statement sets, so that every control has to change.
  void EnterOthers(unsigned seed) {
    std::mt19937 rng(seed);
    Enter(gentest::RandomChoices(rng, true));
  }
};

const char* const kRefused = "MessageDlg('Hi',\r\n  mtCustom, [mbOK], 0);";

}  // namespace

TEST_F(FormMainPasteTest, EachKindOfStatementAnsweredYesSetsEveryControl) {
  struct Kind {
    const char* code;
    const char* question;                           // the kind the box names
    std::function<void(MessageChoices&)> expected;  // from the start-up choices
  };
  const Kind kinds[] = {
      {"MessageBeep(MB_ICONERROR);\r\nif MessageDlg('First' + #13 + 'Second', mtError,\r\n"
       "  [mbYes, mbNo, mbHelp], 12) = mrNo then",
       "a MessageDlg statement",
       [](MessageChoices& c) {
         c.mmMessage = {"First", "Second"};
         c.edStyle = 1;
         c.cbMDOK = false;
         c.cbMDYes = c.cbMDNo = c.cbMDHelp = c.cbMDCheckResult = c.cbMDSound = true;
         c.edMDHelpContext = 12;
         c.edMDCheckResult = "No";
       }},
      {"MessageDlg('Sure?', mtConfirmation, mbYesAllNoAllCancel, 0);", "a MessageDlg statement",
       [](MessageChoices& c) {
         c.mmMessage = {"Sure?"};
         c.edStyle = 3;
         c.rbMDPreset = true;
         c.edMDPreset = 2;
         c.edMDCheckResult = "Yes";
       }},
      {"if Application.MessageBox('', 'Careful', MB_ICONWARNING + MB_YESNOCANCEL + MB_DEFBUTTON4 +\r\n"
       "  MB_TASKMODAL + MB_HELP + MB_TOPMOST) = IDCANCEL then",
       "an Application.MessageBox statement",
       [](MessageChoices& c) {
         c.mmMessage = {};
         c.PageControl1 = 1;
         c.edStyle = 0;
         c.edMBPreset = 4;
         c.cbMBHelp = true;
         c.edMBDefault = 3;
         c.edMBModal = 2;
         c.edMBTitle = "Careful";
         c.clbMBOptions[4] = true;
         c.cbMBCheckResult = true;
         c.edMBCheckResult = "Cancel";
       }},
  };
  unsigned seed = 1;
  for (const Kind& kind : kinds) {
    SCOPED_TRACE(kind.code);
    EnterOthers(seed++);
    MessageChoices expected;
    kind.expected(expected);
    EXPECT_NE(Paste(kind.code, "Yes").find(kind.question), std::string::npos);
    EXPECT_TRUE(form->ReadChoices() == expected) << GetClipboardText(GenerateCode(form->ReadChoices()));
    // The dependent lists are rebuilt for the new choices.
    auto same = [&](TComboBox* list, const ListItems& items) {
      EXPECT_EQ(ItemsOf(list), std::vector<std::string>(items.begin(), items.end())) << list->Name;
    };
    same(form->edMDCheckResult, MDCheckResultItems(expected));
    same(form->edMBCheckResult, MBCheckResultItems(expected.edMBPreset));
    same(form->edMBDefault, MBDefaultItems(expected.edMBPreset, expected.cbMBHelp));
    EXPECT_EQ(form->edMDPreset->Enabled(), expected.rbMDPreset);
    EXPECT_EQ(Focused(), form->mmMessage);
  }
}

// The window stays as it was; the text goes in as text, and Ctrl+Z takes it out again.
TEST_F(FormMainPasteTest, TextAndStatementsAnsweredNoPasteAsTextAndUndo) {
  struct Case {
    Keys keys;
    const char* clip;
    const char* answer;
  };
  const Case cases[] = {
      {Keys::CtrlV, "Plain words,\r\nMessageDlg(", ""},
      {Keys::ShiftInsert, "if you like", "Yes"},  // begins like a statement: refused, pasted
      {Keys::ShiftInsert, "MessageDlg('x', mtError, [mbOK], 0);", "No"},
      {Keys::ContextMenu, "Plain words", ""},
      {Keys::ContextMenu, "MessageDlg('x', mtError, [mbOK], 0);", "No"},
  };
  EnterOthers(9);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.clip);
    form->mmMessage->SetText("Before");
    form->mmMessage->SelectAll();
    const MessageChoices before = form->ReadChoices();
    Paste(c.clip, c.answer, c.keys);
    EXPECT_EQ(form->mmMessage->Text(), c.clip);
    MessageChoices after = form->ReadChoices();
    after.mmMessage = before.mmMessage;
    EXPECT_TRUE(after == before);
    Undo();
    EXPECT_EQ(form->mmMessage->Text(), "Before");
  }
}

TEST_F(FormMainPasteTest, RefusedStatementSaysWhereAndNoLeavesEverythingAsItWas) {
  EnterOthers(4);
  form->mmMessage->SetText("Keep me");
  SendMessageW(form->mmMessage->Handle(), EM_SETSEL, 2, 4);
  const MessageChoices before = form->ReadChoices();
  std::string text = Paste(kRefused, "No");
  EXPECT_NE(text.find("Line 2, column 3: a custom dialog type cannot be made by the window"),
            std::string::npos)
      << text;
  EXPECT_TRUE(form->ReadChoices() == before);
  DWORD from = 0, to = 0;
  SendMessageW(form->mmMessage->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&from),
               reinterpret_cast<LPARAM>(&to));
  EXPECT_EQ(from, 2u);
  EXPECT_EQ(to, 4u);
  EXPECT_EQ(Focused(), form->mmMessage);
}

TEST_F(FormMainPasteTest, SystemMenuReadsTheStatementWithoutPasting) {
  EnterOthers(5);
  const MessageChoices before = form->ReadChoices();
  EXPECT_NE(ReadFromMenu("just text", "OK").find("no MessageDlg or Application.MessageBox statement"),
            std::string::npos);
  EXPECT_NE(ReadFromMenu(kRefused, "OK").find("Line 2, column 3"), std::string::npos);
  ReadFromMenu("MessageDlg('Menu', mtWarning, [mbOK], 0);", "No");
  EXPECT_TRUE(form->ReadChoices() == before);
  ReadFromMenu("MessageDlg('Menu', mtWarning, [mbOK], 0);", "Yes");
  MessageChoices expected;
  expected.mmMessage = {"Menu"};
  expected.edStyle = 0;
  EXPECT_TRUE(form->ReadChoices() == expected);
}

// What Create copies, pasted into a fresh window, makes Create copy the same code again.
TEST_F(FormMainPasteTest, CreatedCodeRoundTripsThroughAPasteIntoAFreshWindow) {
  wintest::SetTestTimeLimit(std::chrono::seconds(500));  // up to a second a round under Wine
  std::mt19937 rng(17);
  for (int round = 0; round < 200; ++round) {
    MessageChoices c = gentest::RandomChoices(rng, true);
    Enter(c);  // on the window of the round before: every control is set whatever it held
    const std::string code = CopiedCode();
    ASSERT_EQ(code, GetClipboardText(GenerateCode(c))) << "entered as chosen";
    TearDown();
    SetUp();
    Paste(code, "Yes");
    ASSERT_EQ(CopiedCode(), code);
  }
}
