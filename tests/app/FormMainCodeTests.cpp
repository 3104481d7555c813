// Which control of the window feeds which part of the copied code, each changed as a user changes
// it; the lists' captions against the code they write; the MessageBox preview's flags.
#include <gtest/gtest.h>

#include <chrono>

#include "Clipbrd.h"
#include "FormMainFixture.h"
#include "WinTest.h"

using namespace vellumor;
using FormMainCodeTest = vellumor::test::FormMainTest;

TEST_F(FormMainCodeTest, EachControlFeedsItsOwnPartOfTheCode) {
  wintest::SetTestTimeLimit(std::chrono::seconds(240));  // a fresh window a row, seconds each under Wine
  const std::pair<const char*, const char*> feeds[] = {
      // steps (see Do), a fragment in the copied code after them, not before; the drop-down
      // lists edStyle, edMDPreset, edMBPreset and edMBModal are fed item by item in the next test
      {"mmMessage=Hi there", "('Hi there'"},
      {"cbMDCancel", "[mbOK, mbCancel]"},
      {"cbMDYes", "[mbOK, mbYes]"},
      {"cbMDNo", "[mbOK, mbNo]"},
      {"cbMDAbort", "[mbOK, mbAbort]"},
      {"cbMDRetry", "[mbOK, mbRetry]"},
      {"cbMDIgnore", "[mbOK, mbIgnore]"},
      {"cbMDAll", "[mbOK, mbAll]"},
      {"cbMDYesToAll", "[mbOK, mbYesToAll]"},
      {"cbMDNoToAll", "mbNoToAll]"},
      {"cbMDHelp", "mbHelp], 0)"},
      {"cbMDHelp;edMDHelpContext=-5", "mbHelp], -5)"},
      {"cbMDHelp;edMDHelpContext=12-", "mbHelp], 0)"},  // no number: the lowest value
      {"cbMDCheckResult", ") = mrOK) then"},
      {"cbMDCancel;cbMDCheckResult;edMDCheckResult+1", "= mrCancel) then"},
      {"cbMDSound", "MessageBeep(MB_ICONINFORMATION);"},
      {"MB", "Application.MessageBox("},
      {"MB;cbMBHelp", "+ MB_HELP"},
      {"MB;cbMBHelp;edMBDefault+1", "MB_DEFBUTTON2"},
      {"MB;edMBTitle=Be careful", "'Be careful'"},
      {"MB;clbMBOptions+4;clbMBOptions!", "MB_SETFOREGROUND"},
      {"MB;cbMBCheckResult", ") = ID_OK) then"},
  };
  const std::string startMessageDlg = CopiedCode();
  MessageBoxPage();
  const std::string startMessageBox = CopiedCode();
  for (const auto& [steps, fragment] : feeds) {
    TearDown();
    SetUp();
    Do(steps);
    std::string code = CopiedCode();
    EXPECT_NE(code.find(fragment), std::string::npos) << steps << ":\n" << code;
    // Not there before the change, on the page the change ends on.
    const bool switchesPage = std::string_view(steps) == "MB";
    const std::string& start =
        form->PageControl1->ActivePageIndex() == 0 || switchesPage ? startMessageDlg : startMessageBox;
    EXPECT_EQ(start.find(fragment), std::string::npos) << steps;
  }
}

// Each list's captions stand in the order of the code they write.
TEST_F(FormMainCodeTest, EveryListItemWritesTheCodeItsCaptionNames) {
  struct Item {
    const char* caption;
    const char* fragment;
  };
  struct List {
    const char* show;  // steps that show the list (see Do)
    const char* list;
    std::vector<Item> items;
  };
  const List lists[] = {
      {"",
       "edStyle",
       {{"Warning", "mtWarning"},
        {"Error", "mtError"},
        {"Information", "mtInformation"},
        {"Confirmation", "mtConfirmation"}}},
      {"rbMDPreset",
       "edMDPreset",
       {{"OK and Cancel", "[mbOK, mbCancel]"},
        {"Yes, No, and Cancel", "[mbCancel, mbYes, mbNo]"},
        {"Yes, No, Cancel, and All", "[mbCancel, mbYes, mbNo, mbYesToAll, mbNoToAll]"},
        {"Abort, Retry, and Ignore", "[mbAbort, mbRetry, mbIgnore]"},
        {"Abort and Ignore", "[mbAbort, mbIgnore]"}}},
      {"MB",
       "edMBPreset",
       {{"OK", "+ MB_OK +"},
        {"OK and Cancel", "+ MB_OKCANCEL +"},
        {"Yes and No", "+ MB_YESNO +"},
        {"Retry and Cancel", "+ MB_RETRYCANCEL +"},
        {"Yes, No, and Cancel", "+ MB_YESNOCANCEL +"},
        {"Abort, Retry, and Ignore", "+ MB_ABORTRETRYIGNORE +"}}},
      {"MB",
       "edMBModal",
       {{"Application", "MB_APPLMODAL"}, {"System", "MB_SYSTEMMODAL"}, {"Task", "MB_TASKMODAL"}}},
  };
  for (const List& l : lists) {
    Do(l.show);
    auto* list = dynamic_cast<TComboBox*>(Named(l.list));
    ASSERT_EQ(ItemsOf(list).size(), l.items.size());
    SendMessageW(list->Handle(), CB_SETCURSEL, 0, 0);
    for (size_t i = 0; i < l.items.size(); ++i) {
      if (i > 0) Down(list);
      EXPECT_EQ(list->Text(), l.items[i].caption);
      EXPECT_NE(CopiedCode().find(l.items[i].fragment), std::string::npos) << l.items[i].caption;
    }
  }
  // Each option by its index: the paste round trip, which ticks them at random.
}

// The title, the buttons, the default button (Help counted) and the modality reach the box.
TEST_F(FormMainCodeTest, MessageBoxPreviewHasTheTitleDefaultButtonHelpAndModality) {
  Do("MB;edMBPreset+4;cbMBHelp");  // Yes, No, and Cancel; the default list counts Help
  EXPECT_EQ(ItemsOf(form->edMBDefault),
            (std::vector<std::string>{"1st button", "2nd button", "3rd button", "4th button"}));
  Do("edMBDefault+3;edMBModal+1;edMBTitle=Attention");  // the Help button, System
  wintest::WithBox([&] { form->ActPreview->Execute(); },
                   [&](HWND box) {
                     wintest::BoxInfo info = wintest::ReadBox(box);
                     EXPECT_EQ(info.caption + "|" + info.text, "Attention|This is a message.");
                     EXPECT_EQ(info.buttons, (std::vector<std::string>{"Yes", "No", "Cancel", "Help"}));
                     EXPECT_EQ(info.defaultButton, "Help");
                     EXPECT_TRUE(GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) << "system modal";
                     EXPECT_TRUE(wintest::PressButton(box, "Cancel"));
                   });
  EXPECT_TRUE(beeps.empty());
  Click(form->cbMBHelp);  // the default button gone with Help: back to the first
  EXPECT_EQ(form->edMBDefault->Items().Count(), 3);
  EXPECT_EQ(form->edMBDefault->ItemIndex(), 0);
}
