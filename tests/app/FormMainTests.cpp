// The main window driven as a user drives it: real windows, real messages, the real boxes
// pressed by their buttons, the real clipboard.
#include <gtest/gtest.h>

#include "Clipbrd.h"
#include "CodeGenerator.h"
#include "CodeLayout.h"
#include "FormMainFixture.h"
#include "SysUtils.h"
#include "UFormMain.h"
#include "WinTest.h"

using namespace vellumor;
using wintest::BoxInfo;

using vellumor::test::FormMainTest;
using vellumor::test::InsideWorkArea;

namespace {

using Items = std::vector<std::string>;

}  // namespace

TEST_F(FormMainTest, StartUpState) {
  EXPECT_EQ(form->Caption(), "Vellumor 2.0");
  EXPECT_EQ(Application->Title, "Vellumor 2.0");
  EXPECT_EQ(form->PageControl1->ActivePageIndex(), 0);  // although the stored page is the second
  EXPECT_EQ(GetFocus(), form->mmMessage->Handle());
  EXPECT_EQ(form->mmMessage->SelText(), "This is a message.");
  EXPECT_EQ(ItemsOf(form->edMDCheckResult), Items{"OK"});
  EXPECT_EQ(form->edMDCheckResult->Text(), "OK");
  EXPECT_EQ(ItemsOf(form->edMBCheckResult), Items{"OK"});
  EXPECT_EQ(ItemsOf(form->edMBDefault), Items{"1st button"});
  EXPECT_EQ(form->edMBDefault->ItemIndex(), 0);
  EXPECT_TRUE(form->ActPreview->Enabled());
  EXPECT_TRUE(form->BtnCreate->Enabled());
  EXPECT_FALSE(form->edMDPreset->Enabled());
  EXPECT_FALSE(form->edMDHelpContext->Enabled());
  EXPECT_FALSE(form->mmCopy->Visible());
  EXPECT_EQ(form->ReadChoices().mmMessage, Items{"This is a message."});
}

TEST_F(FormMainTest, ResultListKeepsTheSelectionWhileItCan) {
  Click(form->cbMDCancel);
  EXPECT_EQ(ItemsOf(form->edMDCheckResult), (Items{"OK", "Cancel"}));
  form->edMDCheckResult->SetItemIndex(1);
  Click(form->cbMDOK);  // unchecks OK
  EXPECT_EQ(ItemsOf(form->edMDCheckResult), Items{"Cancel"});
  EXPECT_EQ(form->edMDCheckResult->Text(), "Cancel");
  Click(form->cbMDCheckResult);
  Click(form->cbMDCancel);  // no box left
  EXPECT_EQ(form->edMDCheckResult->Items().Count(), 0);
  EXPECT_EQ(form->edMDCheckResult->ItemIndex(), -1);
  EXPECT_FALSE(form->cbMDCheckResult->Enabled());
  EXPECT_TRUE(form->cbMDCheckResult->Checked());  // a disabled box keeps its state
  EXPECT_FALSE(form->ActPreview->Enabled());
  EXPECT_FALSE(form->BtnCreate->Enabled());
  Click(form->cbMDYesToAll);
  EXPECT_TRUE(form->ActCreate->Enabled());
  EXPECT_EQ(form->edMDCheckResult->Text(), "Yes To All");
}

TEST_F(FormMainTest, PresetModeRebuildsFromThePresetAndDisablesTheBoxes) {
  Click(form->rbMDPreset);
  EXPECT_EQ(ItemsOf(form->edMDCheckResult), (Items{"OK", "Cancel"}));
  EXPECT_TRUE(form->edMDPreset->Enabled());
  EXPECT_FALSE(form->cbMDOK->Enabled());
  EXPECT_TRUE(form->cbMDOK->Checked());
  ArrowDown(form->edMDPreset);  // regression: a preset changed with the list closed rebuilds too
  EXPECT_EQ(form->edMDPreset->ItemIndex(), 1);
  EXPECT_EQ(ItemsOf(form->edMDCheckResult), (Items{"Yes", "No", "Cancel"}));
}

TEST_F(FormMainTest, MessageBoxDefaultListCountsTheHelpButton) {
  form->PageControl1->SetActivePageIndex(1);
  for (int i = 0; i < 4; ++i)
    ArrowDown(form->edMBPreset);  // "Yes, No, and Cancel"
  EXPECT_EQ(ItemsOf(form->edMBCheckResult), (Items{"Yes", "No", "Cancel"}));
  Click(form->cbMBHelp);
  EXPECT_EQ(ItemsOf(form->edMBDefault), (Items{"1st button", "2nd button", "3rd button", "4th button"}));
  form->edMBDefault->SetItemIndex(3);
  Click(form->cbMBHelp);
  EXPECT_EQ(form->edMBDefault->Items().Count(), 3);
  EXPECT_EQ(form->edMBDefault->ItemIndex(), 0);
  EXPECT_TRUE(form->ActPreview->Enabled());
}

TEST_F(FormMainTest, PreviewShowsTheMessageDlgWithHelpContextZeroAndTheSound) {
  form->mmMessage->SetText("Disk full.\r\nRetry?");
  Click(form->cbMDRetry);
  Click(form->cbMDHelp);
  Click(form->cbMDSound);
  form->edStyle->SetItemIndex(1);
  BoxInfo box = Run(form->ActPreview, "Retry");
  EXPECT_EQ(box.caption, "Error");
  EXPECT_EQ(box.text, "Disk full.\r\nRetry?");
  EXPECT_EQ(box.buttons, (Items{"OK", "Retry", "Help"}));
  EXPECT_EQ(beeps, std::vector<UINT>{16});
}

TEST_F(FormMainTest, PreviewOnTheMessageBoxPageUsesTitleAndFlags) {
  form->PageControl1->SetActivePageIndex(1);
  form->edMBTitle->SetText("Attention");
  ArrowDown(form->edMBPreset);  // "OK and Cancel"
  BoxInfo box = Run(form->ActPreview, "Cancel");
  EXPECT_EQ(box.caption, "Attention");
  EXPECT_EQ(box.text, "This is a message.");
  EXPECT_EQ(box.buttons, (Items{"OK", "Cancel"}));
  EXPECT_TRUE(beeps.empty());
}

TEST_F(FormMainTest, CreateCopiesTheLaidOutCodeAndCancelLeavesTheClipboard) {
  form->mmMessage->SetText("It's done.\r\n\r\nReally");
  Click(form->cbMDSound);
  Click(form->cbMDCheckResult);
  Clipboard().SetAsText("earlier");
  BoxInfo confirm = Run(form->ActCreate, "Cancel");
  EXPECT_EQ(confirm.caption, "Code");
  EXPECT_EQ(Clipboard().AsText(), "earlier");
  EXPECT_EQ(form->mmCopy->Text(), "mmCopy");

  confirm = Run(form->ActCreate, "OK");
  EXPECT_NE(confirm.text.find("Press OK to copy the following code to clipboard."), std::string::npos);
  EXPECT_NE(confirm.text.find("MessageBeep(MB_ICONINFORMATION);"), std::string::npos);
  EXPECT_EQ(Clipboard().AsText(),
            "MessageBeep(MB_ICONINFORMATION);\r\nif (MessageDlg('It''s done.'\r\n    + #13#13'Really', \r\n"
            "    mtInformation, [mbOK], 0) = mrOK) then ");
}

TEST_F(FormMainTest, CreateOnTheMessageBoxPageCarriesTheOptions) {
  form->PageControl1->SetActivePageIndex(1);
  form->clbMBOptions->ToggleItem(4);
  Run(form->ActCreate, "OK");
  EXPECT_EQ(Clipboard().AsText(),
            "Application.MessageBox('This is a message.', 'Information', MB_ICONINFORMATION + MB_OK + "
            "MB_DEFBUTTON1 + "
            "MB_APPLMODAL + MB_TOPMOST);");
}

TEST_F(FormMainTest, AboutBeginsWithTheTitle) {
  BoxInfo box = Run(form->ActAbout, "OK");
  EXPECT_EQ(box.caption, "About");
  EXPECT_EQ(box.text.substr(0, 12), "Vellumor 2.0");
}

TEST_F(FormMainTest, ExitClosesTheWindow) {
  form->ActExit->Execute();
  wintest::PumpUntilIdle();
  EXPECT_FALSE(form->Showing());
}

TEST_F(FormMainTest, APreviewTheSystemRefusesIsReportedWithTheSystemsReason) {
  // Wine shows every box it is asked for, so the refusal itself is simulated by its error code.
  BoxInfo seen;
  wintest::WithBox([&] { form->ReportRefusedPreview(ERROR_INVALID_WINDOW_HANDLE); },
                   [&](HWND box) {
                     seen = wintest::ReadBox(box);
                     wintest::PressButton(box, "OK");
                   });
  EXPECT_EQ(seen.caption, "Preview");
  EXPECT_EQ(seen.text.rfind("The system refused to show the preview.", 0), 0u) << seen.text;
  EXPECT_GT(seen.text.size(), 45u) << "no reason given";
}

TEST_F(FormMainTest, TabVisitsTheWindowInItsTabOrderAndSkipsWhatCannotTakeTheFocus) {
  std::vector<TWinControl*> expected = {
      form->edStyle,   form->PageControl1, form->rbMDSelect,  form->cbMDOK,    form->cbMDCancel,
      form->cbMDYes,   form->cbMDNo,       form->cbMDAbort,   form->cbMDRetry, form->cbMDIgnore,
      form->cbMDAll,   form->cbMDYesToAll, form->cbMDNoToAll, form->cbMDHelp,  form->cbMDCheckResult,
      form->cbMDSound, form->BtnPreview,   form->BtnCreate,   form->BtnAbout,  form->BtnExit,
      form->mmMessage};
  for (TWinControl* next : expected) {
    Press(VK_TAB);
    ASSERT_EQ(Focused(), next) << "after Tab the focus is on " << (Focused() ? Focused()->Name : "nothing")
                               << ", expected " << next->Name;
  }
}

TEST_F(FormMainTest, TabOnTheMessageBoxPage) {
  form->PageControl1->SetActivePageIndex(1);
  Idle();
  form->PageControl1->SetFocus();
  std::vector<TWinControl*> expected = {form->edMBPreset,      form->cbMBHelp,  form->edMBDefault,
                                        form->edMBTitle,       form->edMBModal, form->clbMBOptions,
                                        form->cbMBCheckResult, form->BtnPreview};
  for (TWinControl* next : expected) {
    Press(VK_TAB);
    ASSERT_EQ(Focused(), next) << "after Tab the focus is on " << (Focused() ? Focused()->Name : "nothing")
                               << ", expected " << next->Name;
  }
}

TEST_F(FormMainTest, AcceleratorsToggleSelectOrMoveTheFocus) {
  Press('O', true);  // "&OK": toggles
  EXPECT_FALSE(form->cbMDOK->Checked());
  EXPECT_EQ(Focused(), form->cbMDOK);
  EXPECT_EQ(form->edMDCheckResult->Items().Count(), 0);  // its OnClick ran
  Press('P', true);                                      // "&Preset:": selects
  EXPECT_TRUE(form->rbMDPreset->Checked());
  EXPECT_EQ(ItemsOf(form->edMDCheckResult), (Items{"OK", "Cancel"}));
  Press('M', true);  // "&Message text:": focus to the memo
  EXPECT_EQ(Focused(), form->mmMessage);
  Press('S', true);
  EXPECT_EQ(Focused(), form->edStyle);

  form->PageControl1->SetActivePageIndex(1);
  Idle();
  form->edMBTitle->SetFocus();
  Press('P', true);  // "&Preset:" on this page names no control: nothing happens
  EXPECT_EQ(Focused(), form->edMBTitle);
  EXPECT_TRUE(form->rbMDPreset->Checked());
  Press('D', true);
  EXPECT_EQ(Focused(), form->edMBTitle);
  Press('N', true);
  EXPECT_EQ(Focused(), form->clbMBOptions);
  Press('H', true);  // cbMBHelp, not the hidden page's cbMDHelp
  EXPECT_TRUE(form->cbMBHelp->Checked());
  EXPECT_FALSE(form->cbMDHelp->Checked());
}

TEST_F(FormMainTest, EnterPressesPreviewOnlyWhileItIsEnabledAndEscDoesNothing) {
  form->edStyle->SetFocus();
  bool shown = false;
  wintest::WithBox([&] { Press(VK_RETURN); },
                   [&](HWND box) {
                     shown = true;
                     wintest::PressButton(box, "OK");
                   });
  EXPECT_TRUE(shown);
  Press(VK_ESCAPE);
  EXPECT_TRUE(form->Showing());

  Click(form->cbMDOK);  // no button left: Preview is disabled, Enter does nothing
  form->edStyle->SetFocus();
  wintest::OnNextBox([](HWND box) { wintest::PressButton(box, "OK"); });
  Press(VK_RETURN);
  EXPECT_TRUE(wintest::ThreadDialogs().empty());

  form->mmMessage->SetFocus();
  form->mmMessage->SetText("a");
  form->mmMessage->SetSelStart(1);
  Press(VK_RETURN);  // Enter in the memo starts a new line
  Press('B');
  EXPECT_EQ(form->ReadChoices().mmMessage, (Items{"a", "b"}));
}

TEST_F(FormMainTest, ArrowKeysSwitchTheButtonModeAndRebuildTheResultList) {
  form->rbMDSelect->SetFocus();
  Press(VK_UP);
  EXPECT_TRUE(form->rbMDPreset->Checked());
  EXPECT_EQ(Focused(), form->rbMDPreset);
  EXPECT_EQ(ItemsOf(form->edMDCheckResult), (Items{"OK", "Cancel"}));
  EXPECT_TRUE(form->edMDPreset->Enabled());
  Press(VK_DOWN);
  EXPECT_TRUE(form->rbMDSelect->Checked());
  EXPECT_EQ(ItemsOf(form->edMDCheckResult), Items{"OK"});
}

namespace {
// Ten thousand lines of forty characters, or one line of a hundred thousand.
std::string LargeMessage(bool oneLine) {
  if (oneLine) return std::string(100000, 'x');
  std::string text;
  for (int i = 0; i < 10000; ++i)
    text += (i ? "\r\n" : "") + std::string(36, 'a' + i % 26) + std::to_string(1000 + i % 9000);
  return text;
}
}  // namespace

TEST_F(FormMainTest, LargeMessagesGoThroughCreateWholeWithABoxThatFitsTheScreen) {
  for (bool oneLine : {false, true}) {
    form->mmMessage->SetText(LargeMessage(oneLine));
    Idle();
    const std::string expected = GetClipboardText(GenerateCode(form->ReadChoices()));
    wintest::WithBox([&] { form->ActCreate->Execute(); },
                     [&](HWND box) {
                       EXPECT_TRUE(InsideWorkArea(box));
                       EXPECT_NE(wintest::ReadBox(box).text.find("characters not shown; OK copies all"),
                                 std::string::npos);
                       EXPECT_TRUE(wintest::PressButton(box, "OK"));
                     });
    Idle();
    EXPECT_EQ(Clipboard().AsText(), expected) << (oneLine ? "one long line" : "ten thousand lines");
  }
}
