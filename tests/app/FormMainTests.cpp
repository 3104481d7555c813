// The main window driven as a user drives it: real windows, real messages, the real boxes
// pressed by their buttons, the real clipboard. Also where it meets the system (its icon, the
// clipboard another program may hold, a title longer than an edit box takes by default, the stored
// layout's names) and which control feeds which part of the copied code.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <tuple>
#include <utility>

#include "CodeGenerator.h"
#include "CodeLayout.h"
#include "CodeReader.h"
#include "FormMainFixture.h"
#include "LayoutLookup.h"

using namespace vellumor;
using vellumor::test::FormMainTest;
using wintest::BoxInfo;

namespace {

// Whether a window lies wholly inside the work area of its monitor.
bool InsideWorkArea(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
  RECT r{}, in{};
  GetWindowRect(window, &r);
  IntersectRect(&in, &r, &info.rcWork);
  return EqualRect(&in, &r) != 0;
}

// The box and each of its buttons lie inside the work area, so all can be pressed.
bool WithinReach(HWND box) {
  bool inside = InsideWorkArea(box);
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t name[16] = {};
    GetClassNameW(child, name, 16);
    if (_wcsicmp(name, L"Button") == 0 && IsWindowVisible(child)) inside = inside && InsideWorkArea(child);
  }
  return inside;
}

std::pair<int, int> IconSize(HICON icon) {
  ICONINFO info{};
  BITMAP bitmap{};
  if (!GetIconInfo(icon, &info)) return {};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  DeleteObject(info.hbmColor);  // none is no harm
  DeleteObject(info.hbmMask);
  // A monochrome icon's mask holds the AND and XOR halves one above the other.
  return {bitmap.bmWidth, info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2};
}

}  // namespace

TEST_F(FormMainTest, StartUpStateAboutAndExit) {
  EXPECT_EQ(form->Caption() + "|" + Application->Title, "Vellumor 2.0|Vellumor 2.0");
  EXPECT_EQ(form->PageControl1->ActivePageIndex(), 0);  // although the stored page is the second
  EXPECT_EQ(form->mmMessage->SelText(), "This is a message.");
  EXPECT_EQ(State("mmMessage cbMDOK cbMDCheckResult edMDCheckResult edMBCheckResult edMBDefault BtnPreview "
                  "BtnCreate edMDHelpContext"),
            "mmMessage* cbMDOK:x cbMDCheckResult:_ edMDCheckResult!:[OK] edMBCheckResult!:[OK] "
            "edMBDefault:[1st button] BtnPreview BtnCreate edMDHelpContext!");
  EXPECT_FALSE(form->edMDPreset->Enabled());
  EXPECT_FALSE(form->mmCopy->Visible());
  EXPECT_EQ(Seen(Run(form->ActAbout, "OK")).substr(0, 18), "About|Vellumor 2.0");
  form->ActExit->Execute();
  wintest::PumpUntilIdle();
  EXPECT_FALSE(form->Showing());
}

TEST_F(FormMainTest, ResultListKeepsTheSelectionWhileItCanAndFollowsThePresetOrTheBoxes) {
  Click(form->cbMDCancel);
  EXPECT_EQ(State("edMDCheckResult"), "edMDCheckResult!:[OK]|Cancel");
  form->edMDCheckResult->SetItemIndex(1);
  Click(form->cbMDOK);  // unchecks OK
  EXPECT_EQ(State("edMDCheckResult"), "edMDCheckResult!:[Cancel]");
  Do("cbMDCheckResult;cbMDCancel");  // no box left; a disabled box keeps its state
  EXPECT_EQ(State("edMDCheckResult cbMDCheckResult BtnPreview BtnCreate"),
            "edMDCheckResult: cbMDCheckResult!:x BtnPreview! BtnCreate!");
  Click(form->cbMDYesToAll);
  EXPECT_EQ(State("edMDCheckResult cbMDCheckResult BtnCreate"),
            "edMDCheckResult:[Yes To All] cbMDCheckResult:x BtnCreate");

  form->rbMDSelect->SetFocus();
  Press(VK_UP);  // preset mode: the boxes keep their states, disabled
  EXPECT_EQ(State("rbMDPreset cbMDOK cbMDYesToAll cbMDCheckResult edMDCheckResult"),
            "rbMDPreset*:x cbMDOK!:_ cbMDYesToAll!:x cbMDCheckResult:x edMDCheckResult:[OK]|Cancel");
  EXPECT_TRUE(form->edMDPreset->Enabled());
  Down(form->edMDPreset);  // regression: a preset changed with the list closed rebuilds too
  EXPECT_EQ(State("edMDCheckResult"), "edMDCheckResult:[Yes]|No|Cancel");
  form->rbMDPreset->SetFocus();
  Press(VK_DOWN);
  EXPECT_EQ(State("rbMDSelect edMDCheckResult"), "rbMDSelect*:x edMDCheckResult:[Yes To All]");
}

TEST_F(FormMainTest, PreviewShowsTheMessageDlgWithTheSoundOrTheSystemsReasonForARefusal) {
  form->mmMessage->SetText("Disk full.\r\nRetry?");
  Do("cbMDRetry;cbMDHelp;cbMDSound;edStyle+1");
  EXPECT_EQ(Seen(Run(form->ActPreview, "Retry")), "Confirmation|Disk full.\r\nRetry?|OK,Retry,Help");
  EXPECT_EQ(beeps, std::vector<UINT>{MB_ICONQUESTION});
  // Wine shows every box it is asked for, so a refusal is simulated by its error code.
  BoxInfo seen = Run([&] { form->ReportRefusedPreview(ERROR_INVALID_WINDOW_HANDLE); }, "OK");
  EXPECT_EQ(Seen(seen).substr(0, 47), "Preview|The system refused to show the preview.");
  EXPECT_GT(seen.text.size(), 45u) << "no reason given";
}

TEST_F(FormMainTest, CreateCopiesTheLaidOutCodeAndCancelLeavesTheClipboard) {
  form->mmMessage->SetText("It's done.\r\n\r\nReally");
  Do("cbMDSound;cbMDCheckResult");
  Clipboard().SetAsText("earlier");
  EXPECT_EQ(Run(form->ActCreate, "Cancel").caption, "Code");
  EXPECT_EQ(Clipboard().AsText() + "|" + form->mmCopy->Text(), "earlier|mmCopy");

  BoxInfo confirm = Run(form->ActCreate, "OK");
  EXPECT_NE(confirm.text.find("Press OK to copy the following code to clipboard."), std::string::npos);
  EXPECT_NE(confirm.text.find("MessageBeep(MB_ICONINFORMATION);"), std::string::npos);
  EXPECT_EQ(Clipboard().AsText(),
            "MessageBeep(MB_ICONINFORMATION);\r\nif (MessageDlg('It''s done.'\r\n    + #13#13'Really', \r\n"
            "    mtInformation, [mbOK], 0) = mrOK) then ");
  // Copied as the window, so the system keeps the code; the staging memo holds it too.
  EXPECT_EQ(GetClipboardOwner(), form->Handle());
  EXPECT_EQ(form->mmCopy->Text(), Clipboard().AsText());
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
      tabs(22),
      "cbValues edStyle PageControl1 rbMDSelect cbMDOK cbMDCancel cbMDYes cbMDNo cbMDAbort cbMDRetry "
      "cbMDIgnore "
      "cbMDAll cbMDYesToAll cbMDNoToAll cbMDHelp cbMDCheckResult cbMDSound BtnPreview BtnCreate BtnAbout "
      "BtnExit mmMessage ");
  MessageBoxPage();
  form->PageControl1->SetFocus();
  EXPECT_EQ(tabs(8),
            "edMBPreset cbMBHelp edMBDefault edMBTitle edMBModal clbMBOptions cbMBCheckResult BtnPreview ");
}

TEST_F(FormMainTest, AcceleratorsToggleSelectOrMoveTheFocus) {
  Press('O', true);  // "&OK": toggles, and its OnClick runs
  EXPECT_EQ(State("cbMDOK edMDCheckResult"), "cbMDOK*:_ edMDCheckResult!:");
  Press('P', true);  // "&Preset:": selects
  EXPECT_EQ(State("rbMDPreset edMDCheckResult"), "rbMDPreset*:x edMDCheckResult!:[OK]|Cancel");
  Press('V', true);  // "&Values in braces": the box beside the message, on either page
  EXPECT_EQ(State("cbValues"), "cbValues*:x");
  Press('M', true);  // "&Message text:": focus to the memo
  EXPECT_EQ(Focused(), form->mmMessage);
  Press('S', true);
  EXPECT_EQ(Focused(), form->edStyle);

  MessageBoxPage();
  form->edMBTitle->SetFocus();
  Press('P', true);  // "&Preset:" on this page names no control, and the other page's is hidden
  Press('D', true);
  EXPECT_EQ(Focused(), form->edMBTitle);
  Press('N', true);
  EXPECT_EQ(Focused(), form->clbMBOptions);
  Press('H', true);  // cbMBHelp, not the hidden page's cbMDHelp
  EXPECT_EQ(State("cbMBHelp cbMDHelp"), "cbMBHelp*:x cbMDHelp:_");
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
  Retype(form->mmMessage, L"a");
  Press(VK_RETURN);  // Enter in the memo starts a new line
  Press('B');
  EXPECT_EQ(form->mmMessage->Text(), "a\r\nb");
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

// Previewed on either page, any message shows in a box whose buttons are on the screen; one the
// box cannot take whole keeps its first and last lines around a note that says so.
TEST_F(FormMainTest, PreviewsOfLongMessagesFitTheScreenAndSayWhatTheyLeaveOut) {
  for (bool messageBox : {false, true}) {
    form->PageControl1->SetActivePageIndex(messageBox ? 1 : 0);
    for (int count : {3, 100, 10000}) {
      SCOPED_TRACE((messageBox ? "MessageBox, " : "MessageDlg, ") + std::to_string(count) + " lines");
      std::string text;
      for (int i = 1; i <= count; ++i)
        text += (i > 1 ? "\r\n" : "") + ("Line " + std::to_string(i));
      form->mmMessage->SetText(text);
      Idle();
      BoxInfo seen;
      wintest::WithBox([&] { form->ActPreview->Execute(); },
                       [&](HWND box) {
                         EXPECT_TRUE(WithinReach(box));
                         seen = wintest::ReadBox(box);
                         EXPECT_TRUE(wintest::PressButton(box, "OK"));
                       });
      Idle();
      const bool noted = seen.text.find(
                             " lines not shown: the box with the whole text would be taller than the "
                             "screen ...]") != std::string::npos;
      EXPECT_EQ(noted, count > 3) << seen.text;
      EXPECT_TRUE(seen.text.starts_with("Line 1\r")) << seen.text;
      EXPECT_TRUE(seen.text.ends_with("Line " + std::to_string(count))) << seen.text;
    }
  }
}

// A statement the screen can take is shown whole, even with a word far wider than the box wraps at.
TEST_F(FormMainTest, CreatesConfirmationKeepsAStatementWithALongAddressUnbroken) {
  const std::string address = "https://example.com/" + std::string(130, 'a');
  form->mmMessage->SetText("See " + address + " first.");
  Idle();
  wintest::WithBox([&] { form->ActCreate->Execute(); },
                   [&](HWND box) {
                     EXPECT_TRUE(WithinReach(box));
                     const std::string text = wintest::ReadBox(box).text;
                     EXPECT_NE(
                         text.find("\r\rMessageDlg('See " + address + " first.', mtInformation, [mbOK], 0);"),
                         std::string::npos)
                         << text;
                     EXPECT_TRUE(wintest::PressButton(box, "Cancel"));
                   });
}

// Lines are where the edit breaks them: at LF, alone or after CR or CR CR; a lone CR breaks nothing.
TEST_F(FormMainTest, APastedMessageHasTheLinesTheEditShows) {
  const std::pair<const char*, int> rows[] = {
      {"one\ntwo", 2}, {"one\rtwo", 1}, {"one\r\r\ntwo", 2}, {"one\n\rtwo\r\n", 2}, {"\n\n", 2}};
  for (auto [clip, count] : rows) {
    SCOPED_TRACE(clip);
    ASSERT_TRUE(wintest::WriteClipboardText(clip));
    form->mmMessage->SetFocus();
    form->mmMessage->SelectAll();
    SendMessageW(form->mmMessage->Handle(), WM_PASTE, 0, 0);
    Idle();
    // Read line by line from the edit window's own line index.
    std::vector<std::string> shown;
    for (int i = 0; i < form->mmMessage->Lines().Count(); ++i)
      shown.push_back(form->mmMessage->Lines()[i]);
    EXPECT_EQ(shown.size(), static_cast<size_t>(count));
    EXPECT_EQ(form->ReadChoices().mmMessage, shown);
  }
}

// Where the window meets the system.

TEST_F(FormMainTest, ReadStatementWithTheClipboardHeldSaysSoAndChangesNothing) {
  ASSERT_TRUE(wintest::WriteClipboardText("MessageDlg('x', mtError, [mbOK], 0);"));
  const MessageChoices before = form->ReadChoices();
  wintest::ClipboardHolder anotherProgram;
  ASSERT_TRUE(anotherProgram.Holding());
  EXPECT_EQ(
      Seen(Run([&] { form->ReadStatementFromClipboard(nullptr); }, "OK")),
      "Read Statement|The clipboard could not be read.\r\rAnother program is using the clipboard. Choose "
      "Read Statement from Clipboard again when it is free.|OK");
  EXPECT_TRUE(form->ReadChoices() == before);
}

TEST_F(FormMainTest, WindowAndItsClassCarryTheProgramIconAtTheSystemsSizes) {
  const std::array<int, 4> sizes[] = {{ICON_BIG, GCLP_HICON, SM_CXICON, SM_CYICON},
                                      {ICON_SMALL, GCLP_HICONSM, SM_CXSMICON, SM_CYSMICON}};
  for (auto [which, classIndex, widthMetric, heightMetric] : sizes) {
    SCOPED_TRACE(which == ICON_BIG ? "large" : "small");
    int width = GetSystemMetrics(widthMetric), height = GetSystemMetrics(heightMetric);
    // Loaded shared, the system hands out its one copy of MAINICON at this size.
    auto mainIcon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, width, height, LR_SHARED));
    ASSERT_NE(mainIcon, nullptr);
    auto ofWindow = reinterpret_cast<HICON>(SendMessageW(form->Handle(), WM_GETICON, which, 0));
    auto ofClass = reinterpret_cast<HICON>(GetClassLongPtrW(form->Handle(), classIndex));
    EXPECT_EQ(std::pair(ofWindow, ofClass), std::pair(mainIcon, mainIcon));
    EXPECT_EQ(IconSize(ofWindow), std::pair(width, height));
  }
}

TEST_F(FormMainTest, ACopyTheClipboardRefusesIsReportedAndTheClipboardKeepsItsText) {
  ASSERT_TRUE(wintest::WriteClipboardText("earlier"));
  BoxInfo failure;
  {
    wintest::ClipboardHolder anotherProgram;
    ASSERT_TRUE(anotherProgram.Holding());
    // OK in the confirmation, then OK in the box that follows it.
    wintest::WithBox([&] { form->ActCreate->Execute(); },
                     [&](HWND confirm) {
                       wintest::OnNextBox([&](HWND box) {
                         failure = wintest::ReadBox(box);
                         EXPECT_TRUE(wintest::PressButton(box, "OK"));
                       });
                       EXPECT_TRUE(wintest::PressButton(confirm, "OK"));
                     });
    Idle();
  }
  EXPECT_EQ(Seen(failure) + (failure.hasIcon ? "|icon" : ""),
            "Code|The code was not copied to the clipboard.\r\rAnother program is using the clipboard. Press "
            "Create "
            "again when it is free.|OK|icon");
  EXPECT_EQ(wintest::ReadClipboardText(), "earlier");
  // The staging memo holds the code all the same, and Create, pressed again, copies it.
  std::string staged = form->mmCopy->Text();
  EXPECT_EQ(ReadCode(staged).mmMessage, std::vector<std::string>{"This is a message."});
  EXPECT_EQ(CopiedCode(), staged);
}

TEST_F(FormMainTest, AHundredThousandCharacterTitleReachesTheCodeWhole) {
  // Letters, and quotes that the generator doubles. (Wine's edit box takes half a minute over
  // this length when digits and blanks alternate with letters; that is Wine's script analysis.)
  std::string title;
  for (int i = 0; title.size() < 100000; ++i)
    title += i % 7 ? char('a' + i % 26) : '\'';
  MessageBoxPage();
  // Pasted, as a user would: the default limit holds back typed and pasted text, not set text.
  ASSERT_TRUE(wintest::WriteClipboardText(title));
  form->edMBTitle->SetFocus();
  form->edMBTitle->SelectAll();
  SendMessageW(form->edMBTitle->Handle(), WM_PASTE, 0, 0);
  const std::string copied = ReadCode(CopiedCode()).edMBTitle;
  EXPECT_TRUE(copied == title) << "the title in the code differs from the title pasted: " << copied.size()
                               << " characters of " << title.size();
}

TEST(LayoutLookup, AWrongOrMissingComponentIsAnErrorThatNamesItNotANull) {
  TLabel label(nullptr);
  TMemo memo(nullptr);
  std::map<std::string_view, TControl*> made{{"Label1", &label}, {"mmMessage", &memo}};
  EXPECT_EQ(LayoutAs<TMemo>(made, "mmMessage"), &memo);
  EXPECT_EQ(LayoutAs<TControl>(made, "Label1"), &label);
  using testing::StrEq, testing::ThrowsMessage;
  EXPECT_THAT([&] { LayoutAs<TComboBox>(made, "Label1"); },
              ThrowsMessage<std::logic_error>(
                  StrEq("The window layout has \"Label1\" as a TLabel where a TComboBox is needed.")));
  EXPECT_THAT(
      [&] { LayoutAs<TMemo>(made, "mmCopy"); },
      ThrowsMessage<std::logic_error>(StrEq("The window layout names \"mmCopy\", which it does not have.")));
}

// Which control feeds which part of the code.

TEST_F(FormMainTest, EachControlFeedsItsOwnPartOfTheCode) {
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
    const bool onMessageBox = std::string_view(steps).starts_with("MB;");
    EXPECT_EQ((onMessageBox ? startMessageBox : startMessageDlg).find(fragment), std::string::npos) << steps;
  }
}

// Each list's captions stand in the order of the code they write.
TEST_F(FormMainTest, EveryListItemWritesTheCodeItsCaptionNames) {
  const std::array<const char*, 4> items[] = {
      // steps that show the list (see Do), the list, then its items one by one from the first
      {"", "edStyle", "Warning", "mtWarning"},
      {"", "edStyle", "Error", "mtError"},
      {"", "edStyle", "Information", "mtInformation"},
      {"", "edStyle", "Confirmation", "mtConfirmation"},
      {"rbMDPreset", "edMDPreset", "OK and Cancel", "[mbOK, mbCancel]"},
      {"", "edMDPreset", "Yes, No, and Cancel", "[mbCancel, mbYes, mbNo]"},
      {"", "edMDPreset", "Yes, No, Cancel, and All", "[mbCancel, mbYes, mbNo, mbYesToAll, mbNoToAll]"},
      {"", "edMDPreset", "Abort, Retry, and Ignore", "[mbAbort, mbRetry, mbIgnore]"},
      {"", "edMDPreset", "Abort and Ignore", "[mbAbort, mbIgnore]"},
      {"MB", "edMBPreset", "OK", "+ MB_OK +"},
      {"", "edMBPreset", "OK and Cancel", "+ MB_OKCANCEL +"},
      {"", "edMBPreset", "Yes and No", "+ MB_YESNO +"},
      {"", "edMBPreset", "Retry and Cancel", "+ MB_RETRYCANCEL +"},
      {"", "edMBPreset", "Yes, No, and Cancel", "+ MB_YESNOCANCEL +"},
      {"", "edMBPreset", "Abort, Retry, and Ignore", "+ MB_ABORTRETRYIGNORE +"},
      {"", "edMBModal", "Application", "MB_APPLMODAL"},
      {"", "edMBModal", "System", "MB_SYSTEMMODAL"},
      {"", "edMBModal", "Task", "MB_TASKMODAL"},
  };
  TComboBox* list = nullptr;
  for (const auto& [show, name, caption, fragment] : items) {
    if (list && list->Name == name) {
      Down(list);
    } else {
      Do(show);
      list = dynamic_cast<TComboBox*>(Named(name));
      ASSERT_EQ(list->Items().Count(), std::count_if(std::begin(items), std::end(items),
                                                     [&](const auto& row) { return row[1] == list->Name; }));
      SendMessageW(list->Handle(), CB_SETCURSEL, 0, 0);
    }
    EXPECT_EQ(list->Text(), caption);
    EXPECT_NE(CopiedCode().find(fragment), std::string::npos) << caption;
  }
  // Each option by its index: the paste round trip, which ticks them at random.
}

// The title, the buttons, the default button (Help counted) and the modality reach the box.
TEST_F(FormMainTest, MessageBoxPreviewHasTheTitleDefaultButtonHelpAndModality) {
  Do("MB;edMBPreset+4;cbMBHelp");  // Yes, No, and Cancel; the default list counts Help
  EXPECT_EQ(State("edMBDefault"), "edMBDefault:[1st button]|2nd button|3rd button|4th button");
  Do("edMBDefault+3;edMBModal+1;edMBTitle=Attention");  // the Help button, System
  wintest::WithBox([&] { form->ActPreview->Execute(); },
                   [&](HWND box) {
                     wintest::BoxInfo info = wintest::ReadBox(box);
                     EXPECT_EQ(Seen(info) + "|" + info.defaultButton,
                               "Attention|This is a message.|Yes,No,Cancel,Help|Help");
                     EXPECT_TRUE(GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) << "system modal";
                     EXPECT_TRUE(wintest::PressButton(box, "Cancel"));
                   });
  EXPECT_TRUE(beeps.empty());
  Click(form->cbMBHelp);  // the default button gone with Help: back to the first
  EXPECT_EQ(State("edMBDefault"), "edMBDefault:[1st button]|2nd button|3rd button");
}

// With the box on, {expression} is a value in the code and shows as typed in the preview; off, a
// brace is text. A brace without its partner is refused with its place before any box or copy.
TEST_F(FormMainTest, ValuesInBracesReachTheCodeAndThePreviewShowsThemAsTyped) {
  const std::string code = "MessageDlg('Delete {FileName}? {{ok}}', mtInformation, [mbOK], 0);";
  const std::tuple<const char*, std::string, std::string> cases[] = {
      // steps, the preview's caption and text, the code Create copies
      {"mmMessage=Delete {FileName}? {{ok}}", "Information|Delete {FileName}? {{ok}}", code},
      {"cbValues", "Information|Delete {FileName}? {ok}",
       "MessageDlg('Delete ' + FileName + '? {ok}', mtInformation, [mbOK], 0);"},
      {"MB;edMBTitle={Application.Title}", "{Application.Title}|Delete {FileName}? {ok}",
       "Application.MessageBox(PChar('Delete ' + FileName + '? {ok}'), PChar(Application.Title), "
       "MB_ICONINFORMATION + MB_OK + MB_DEFBUTTON1 + MB_APPLMODAL);"},
  };
  for (const auto& [steps, preview, copied] : cases) {
    SCOPED_TRACE(steps);
    Do(steps);
    EXPECT_EQ(Seen(Run(form->ActPreview, "OK")), preview + "|OK");
    EXPECT_EQ(CopiedCode(), copied);
  }

  Clipboard().SetAsText("earlier");
  for (const auto& [steps, where] : {std::pair{"mmMessage=Delete {FileName?", "Line 1, column 8: "},
                                     {"mmMessage=ok;edMBTitle=}", "Title, column 1: "}}) {
    Do(steps);
    const MessageChoices before = form->ReadChoices();
    for (TAction* action : {form->ActPreview, form->ActCreate}) {
      const std::string said = Run(action, "OK").text;
      EXPECT_TRUE(said.starts_with("The values in braces cannot be written into the code:")) << said;
      EXPECT_NE(said.find(where), std::string::npos) << said;
    }
    EXPECT_EQ(wintest::ReadClipboardText(), "earlier");
    EXPECT_TRUE(form->ReadChoices() == before);
  }
}
