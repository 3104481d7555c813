// Which control of the window feeds which part of the copied code, each changed as a user changes
// it; the lists' captions against the code they write; the MessageBox preview's flags.
#include <gtest/gtest.h>

#include <functional>

#include "Clipbrd.h"
#include "FormMainFixture.h"
#include "WinTest.h"

using namespace vellumor;
using vellumor::test::FormMainTest;

namespace {

class FormMainCodeTest : public FormMainTest {};

struct Feed {
  const char* control;
  std::function<void(FormMainCodeTest&, TFormMain*)> change;
  const char* fragment;  // in the copied code after the change, not before
};

}  // namespace

TEST_F(FormMainCodeTest, EachControlFeedsItsOwnPartOfTheCode) {
  using T = FormMainCodeTest;
  const Feed feeds[] = {
      {"mmMessage", [](T& t, TFormMain* f) { t.Retype(f->mmMessage, L"Hi there"); }, "('Hi there'"},
      {"edStyle", [](T& t, TFormMain* f) { t.Down(f->edStyle, 1); }, "mtConfirmation"},
      {"rbMDPreset", [](T& t, TFormMain* f) { t.Click(f->rbMDPreset); }, "[mbOK, mbCancel]"},
      {"edMDPreset",
       [](T& t, TFormMain* f) {
         t.Click(f->rbMDPreset);
         t.Down(f->edMDPreset, 3);
       },
       "[mbAbort, mbRetry, mbIgnore]"},
      {"cbMDNo", [](T& t, TFormMain* f) { t.Click(f->cbMDNo); }, "[mbOK, mbNo]"},
      {"cbMDNoToAll", [](T& t, TFormMain* f) { t.Click(f->cbMDNoToAll); }, "mbNoToAll]"},
      {"cbMDHelp", [](T& t, TFormMain* f) { t.Click(f->cbMDHelp); }, "mbHelp], 0)"},
      {"edMDHelpContext",
       [](T& t, TFormMain* f) {
         t.Click(f->cbMDHelp);
         t.Retype(f->edMDHelpContext, L"-5");
       },
       "mbHelp], -5)"},
      {"cbMDCheckResult", [](T& t, TFormMain* f) { t.Click(f->cbMDCheckResult); }, ") = mrOK) then"},
      {"edMDCheckResult",
       [](T& t, TFormMain* f) {
         t.Click(f->cbMDCancel);
         t.Click(f->cbMDCheckResult);
         t.Down(f->edMDCheckResult, 1);
       },
       "= mrCancel) then"},
      {"cbMDSound", [](T& t, TFormMain* f) { t.Click(f->cbMDSound); }, "MessageBeep(MB_ICONINFORMATION);"},
      {"PageControl1", [](T& t, TFormMain*) { t.MessageBoxPage(); }, "Application.MessageBox("},
      {"edMBPreset",
       [](T& t, TFormMain* f) {
         t.MessageBoxPage();
         t.Down(f->edMBPreset, 2);
       },
       "+ MB_YESNO +"},
      {"cbMBHelp",
       [](T& t, TFormMain* f) {
         t.MessageBoxPage();
         t.Click(f->cbMBHelp);
       },
       "+ MB_HELP"},
      {"edMBDefault",
       [](T& t, TFormMain* f) {
         t.MessageBoxPage();
         t.Click(f->cbMBHelp);
         t.Down(f->edMBDefault, 1);
       },
       "MB_DEFBUTTON2"},
      {"edMBTitle",
       [](T& t, TFormMain* f) {
         t.MessageBoxPage();
         t.Retype(f->edMBTitle, L"Be careful");
       },
       "'Be careful'"},
      {"edMBModal",
       [](T& t, TFormMain* f) {
         t.MessageBoxPage();
         t.Down(f->edMBModal, 2);
       },
       "MB_TASKMODAL"},
      {"clbMBOptions",
       [](T& t, TFormMain* f) {
         t.MessageBoxPage();
         f->clbMBOptions->SetFocus();
         SendMessageW(f->clbMBOptions->Handle(), LB_SETCURSEL, 3, 0);
         t.Press(VK_SPACE);
       },
       "MB_SETFOREGROUND"},
      {"cbMBCheckResult",
       [](T& t, TFormMain* f) {
         t.MessageBoxPage();
         t.Click(f->cbMBCheckResult);
       },
       ") = ID_OK) then"},
  };
  const std::string startMessageDlg = CopiedCode();
  MessageBoxPage();
  const std::string startMessageBox = CopiedCode();
  for (const Feed& feed : feeds) {
    TearDown();
    SetUp();
    feed.change(*this, form);
    std::string code = CopiedCode();
    EXPECT_NE(code.find(feed.fragment), std::string::npos) << feed.control << ":\n" << code;
    // Not there before the change, on the page the change ends on.
    const bool switchesPage = std::string_view(feed.control) == "PageControl1";
    const std::string& start =
        form->PageControl1->ActivePageIndex() == 0 || switchesPage ? startMessageDlg : startMessageBox;
    EXPECT_EQ(start.find(feed.fragment), std::string::npos) << feed.control;
  }
}

// Each list's captions stand in the order of the code they write.
TEST_F(FormMainCodeTest, EveryListItemWritesTheCodeItsCaptionNames) {
  struct Item {
    const char* caption;
    const char* fragment;
  };
  struct List {
    std::function<TComboBox*(TFormMain*)> list;
    bool messageBoxPage;
    std::vector<Item> items;
  };
  const List lists[] = {
      {[](TFormMain* f) { return f->edStyle; },
       false,
       {{"Warning", "mtWarning"},
        {"Error", "mtError"},
        {"Information", "mtInformation"},
        {"Confirmation", "mtConfirmation"}}},
      {[](TFormMain* f) { return f->edMDPreset; },
       false,
       {{"OK and Cancel", "[mbOK, mbCancel]"},
        {"Yes, No, and Cancel", "[mbCancel, mbYes, mbNo]"},
        {"Yes, No, Cancel, and All", "[mbCancel, mbYes, mbNo, mbYesToAll, mbNoToAll]"},
        {"Abort, Retry, and Ignore", "[mbAbort, mbRetry, mbIgnore]"},
        {"Abort and Ignore", "[mbAbort, mbIgnore]"}}},
      {[](TFormMain* f) { return f->edMBPreset; },
       true,
       {{"OK", "+ MB_OK +"},
        {"OK and Cancel", "+ MB_OKCANCEL +"},
        {"Yes and No", "+ MB_YESNO +"},
        {"Retry and Cancel", "+ MB_RETRYCANCEL +"},
        {"Yes, No, and Cancel", "+ MB_YESNOCANCEL +"},
        {"Abort, Retry, and Ignore", "+ MB_ABORTRETRYIGNORE +"}}},
      {[](TFormMain* f) { return f->edMBModal; },
       true,
       {{"Application", "MB_APPLMODAL"}, {"System", "MB_SYSTEMMODAL"}, {"Task", "MB_TASKMODAL"}}},
  };
  for (const List& l : lists) {
    if (l.messageBoxPage) MessageBoxPage();
    if (l.list(form) == form->edMDPreset) Click(form->rbMDPreset);
    TComboBox* list = l.list(form);
    ASSERT_EQ(ItemsOf(list).size(), l.items.size());
    SendMessageW(list->Handle(), CB_SETCURSEL, 0, 0);
    for (size_t i = 0; i < l.items.size(); ++i) {
      if (i > 0) ArrowDown(list);
      EXPECT_EQ(list->Text(), l.items[i].caption);
      EXPECT_NE(CopiedCode().find(l.items[i].fragment), std::string::npos) << l.items[i].caption;
    }
  }
  const char* options[] = {"MB_DEFAULT_DESKTOP_ONLY", "MB_RIGHT",   "MB_RTLREADING",
                           "MB_SETFOREGROUND",        "MB_TOPMOST", "MB_SERVICE_NOTIFICATION"};
  MessageBoxPage();
  for (int i = 0; i < 6; ++i) {
    form->clbMBOptions->ToggleItem(i);
    std::string code = CopiedCode();
    form->clbMBOptions->ToggleItem(i);
    EXPECT_NE(code.find(options[i]), std::string::npos) << form->clbMBOptions->Items()[i];
  }
}

TEST_F(FormMainCodeTest, HelpContextThatIsNoNumberWritesTheLowestValue) {
  Click(form->cbMDHelp);
  Retype(form->edMDHelpContext, L"12-");
  EXPECT_NE(CopiedCode().find("mbHelp], 0)"), std::string::npos);
}

TEST_F(FormMainCodeTest, MessageBoxPreviewHasTheDefaultButtonHelpAndModality) {
  MessageBoxPage();
  Down(form->edMBPreset, 4);  // Yes, No, and Cancel
  Click(form->cbMBHelp);
  Down(form->edMBDefault, 3);  // the Help button
  Down(form->edMBModal, 1);    // System
  wintest::WithBox([&] { form->ActPreview->Execute(); },
                   [&](HWND box) {
                     wintest::BoxInfo info = wintest::ReadBox(box);
                     EXPECT_EQ(info.buttons, (std::vector<std::string>{"Yes", "No", "Cancel", "Help"}));
                     EXPECT_EQ(info.defaultButton, "Help");
                     EXPECT_TRUE(GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) << "system modal";
                     EXPECT_TRUE(wintest::PressButton(box, "Cancel"));
                   });
}
