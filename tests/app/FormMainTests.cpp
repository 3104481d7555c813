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

using Items = std::vector<std::string>;

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

TEST_F(FormMainTest, PresetModeByArrowKeyRebuildsFromThePresetAndDisablesTheBoxes) {
  form->rbMDSelect->SetFocus();
  Press(VK_UP);
  EXPECT_TRUE(form->rbMDPreset->Checked());
  EXPECT_EQ(Focused(), form->rbMDPreset);
  EXPECT_EQ(ItemsOf(form->edMDCheckResult), (Items{"OK", "Cancel"}));
  EXPECT_TRUE(form->edMDPreset->Enabled());
  EXPECT_FALSE(form->cbMDOK->Enabled());
  EXPECT_TRUE(form->cbMDOK->Checked());
  Down(form->edMDPreset);  // regression: a preset changed with the list closed rebuilds too
  EXPECT_EQ(form->edMDPreset->ItemIndex(), 1);
  EXPECT_EQ(ItemsOf(form->edMDCheckResult), (Items{"Yes", "No", "Cancel"}));
  form->rbMDPreset->SetFocus();
  Press(VK_DOWN);
  EXPECT_TRUE(form->rbMDSelect->Checked());
  EXPECT_EQ(ItemsOf(form->edMDCheckResult), Items{"OK"});
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
  // Copied as the window, so the system keeps the code; the staging memo holds it too.
  EXPECT_EQ(GetClipboardOwner(), form->Handle());
  EXPECT_EQ(form->mmCopy->Text(), Clipboard().AsText());
}

TEST_F(FormMainTest, AboutBeginsWithTheTitleAndExitClosesTheWindow) {
  BoxInfo box = Run(form->ActAbout, "OK");
  EXPECT_EQ(box.caption, "About");
  EXPECT_EQ(box.text.substr(0, 12), "Vellumor 2.0");
  form->ActExit->Execute();
  wintest::PumpUntilIdle();
  EXPECT_FALSE(form->Showing());
}

TEST_F(FormMainTest, APreviewTheSystemRefusesIsReportedWithTheSystemsReason) {
  // Wine shows every box it is asked for, so the refusal itself is simulated by its error code.
  BoxInfo seen = Run([&] { form->ReportRefusedPreview(ERROR_INVALID_WINDOW_HANDLE); }, "OK");
  EXPECT_EQ(seen.caption, "Preview");
  EXPECT_EQ(seen.text.rfind("The system refused to show the preview.", 0), 0u) << seen.text;
  EXPECT_GT(seen.text.size(), 45u) << "no reason given";
}

TEST_F(FormMainTest, TabVisitsEachPageInItsTabOrderAndSkipsWhatCannotTakeTheFocus) {
  auto tabs = [&](int count) {  // the names the focus visits
    std::string seen;
    for (int i = 0; i < count; ++i, seen += ' ') {
      Press(VK_TAB);
      seen += Focused() ? Focused()->Name : "nothing";
    }
    return seen;
  };
  EXPECT_EQ(
      tabs(21),
      "edStyle PageControl1 rbMDSelect cbMDOK cbMDCancel cbMDYes cbMDNo cbMDAbort cbMDRetry cbMDIgnore "
      "cbMDAll cbMDYesToAll cbMDNoToAll cbMDHelp cbMDCheckResult cbMDSound BtnPreview BtnCreate BtnAbout "
      "BtnExit mmMessage ");
  MessageBoxPage();
  form->PageControl1->SetFocus();
  EXPECT_EQ(tabs(8),
            "edMBPreset cbMBHelp edMBDefault edMBTitle edMBModal clbMBOptions cbMBCheckResult BtnPreview ");
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

  MessageBoxPage();
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
  auto enterShowsABox = [&] {
    form->edStyle->SetFocus();
    return wintest::ShowsBox([&] { Press(VK_RETURN); }, [](HWND box) { wintest::PressButton(box, "OK"); });
  };
  EXPECT_TRUE(enterShowsABox());
  Press(VK_ESCAPE);
  EXPECT_TRUE(form->Showing());
  Click(form->cbMDOK);  // no button left: Preview is disabled, Enter does nothing
  EXPECT_FALSE(enterShowsABox());

  form->mmMessage->SetFocus();
  form->mmMessage->SetText("a");
  form->mmMessage->SetSelStart(1);
  Press(VK_RETURN);  // Enter in the memo starts a new line
  Press('B');
  EXPECT_EQ(form->ReadChoices().mmMessage, (Items{"a", "b"}));
}

TEST_F(FormMainTest, LargeMessagesGoThroughCreateWholeWithABoxThatFitsTheScreen) {
  for (bool oneLine : {false, true}) {
    // Ten thousand lines of forty characters, or one line of a hundred thousand.
    std::string text = oneLine ? std::string(100000, 'x') : "";
    for (int i = 0; !oneLine && i < 10000; ++i)
      text += (i ? "\r\n" : "") + std::string(36, 'a' + i % 26) + std::to_string(1000 + i % 9000);
    form->mmMessage->SetText(text);
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
