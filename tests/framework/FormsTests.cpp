// Forms, actions and image lists as a user meets them: buttons that follow their actions, the
// idle updates, the dialog keyboard, the fixed frame, screen snap, start-up order, pictures.
#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "ActnList.h"
#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "FormFixture.h"
#include "ImgList.h"
#include "StdCtrls.h"

namespace vellumor::test {
namespace {

// A push button that counts what reaches its window, to see that unchanged action states cause
// no traffic.
class CountingButton : public TButton {
 public:
  using TButton::TButton;
  int enableMessages = 0;
  int textMessages = 0;

  void WndProc(TMessage& m) override {
    if (m.Msg == WM_ENABLE) ++enableMessages;
    if (m.Msg == WM_SETTEXT) ++textMessages;
    TButton::WndProc(m);
  }
};

// ---------------------------------------------------------------------------------------------
// Actions and the controls bound to them

class ActionTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    list = new TActionList(form);
    action = new TAction(form);
    action->SetActionList(list);
    action->SetCaption("Preview");
    action->OnExecute = [this](TObject* sender) {
      executed.push_back(sender);
      executedFrom = action->ActionComponent();
    };
    button = Make<CountingButton>(form, 10, 10, 90, 25);
    button->SetAction(action);
    wintest::PumpUntilIdle();
  }

  TActionList* list = nullptr;
  TAction* action = nullptr;
  CountingButton* button = nullptr;
  std::vector<TObject*> executed;
  TComponent* executedFrom = nullptr;
};

TEST_F(ActionTest, BoundButtonShowsTheCaptionAndFollowsTheEnabledStateBothWays) {
  EXPECT_EQ(button->Caption(), "Preview");
  EXPECT_TRUE(IsWindowEnabled(button->Handle()));

  action->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(button->Handle()));
  EXPECT_FALSE(button->Enabled());
  action->SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(button->Handle()));

  action->SetCaption("&Create");
  EXPECT_EQ(button->Caption(), "&Create");
}

TEST_F(ActionTest, ButtonBoundWhileTheActionIsDisabledStartsDisabled) {
  action->SetEnabled(false);
  auto* second = Make<TButton>(form, 10, 40, 90, 25);
  second->SetAction(action);
  EXPECT_FALSE(IsWindowEnabled(second->Handle()));
  EXPECT_EQ(second->Caption(), "Preview");
}

TEST_F(ActionTest, UnchangedStateOnEveryIdlePassTouchesNoWindow) {
  action->OnUpdate = [this](TObject*) { action->SetEnabled(true); };
  button->enableMessages = button->textMessages = 0;
  for (int i = 0; i < 50; ++i)
    Application->DoIdle();
  EXPECT_EQ(button->enableMessages, 0);
  EXPECT_EQ(button->textMessages, 0);

  action->OnUpdate = [this](TObject*) { action->SetEnabled(false); };
  for (int i = 0; i < 50; ++i)
    Application->DoIdle();
  EXPECT_EQ(button->enableMessages, 1);
  EXPECT_FALSE(IsWindowEnabled(button->Handle()));
}

TEST_F(ActionTest, ClickRunsOnExecuteWithTheActionAsSender) {
  Click(*button);
  ASSERT_EQ(executed.size(), 1u);
  EXPECT_EQ(executed[0], action);
  EXPECT_EQ(executedFrom, button);
  EXPECT_EQ(action->ActionComponent(), nullptr);
}

TEST_F(ActionTest, OwnOnClickOfTheButtonRunsInsteadOfTheAction) {
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  Click(*button);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(executed.empty());
}

TEST_F(ActionTest, ExecuteRefreshesAStaleStateAndRunsNothingWhenDisabled) {
  // The update rule says "disabled", but no idle pass has run since it became so.
  bool allowed = false;
  action->OnUpdate = [&](TObject*) { action->SetEnabled(allowed); };
  EXPECT_TRUE(action->Enabled());
  EXPECT_FALSE(action->Execute());
  EXPECT_TRUE(executed.empty());
  EXPECT_FALSE(IsWindowEnabled(button->Handle()));

  allowed = true;
  EXPECT_TRUE(action->Execute());
  EXPECT_EQ(executed.size(), 1u);
}

TEST_F(ActionTest, ExecuteUpdatesTheWholeListSoAnActionSetByAnotherIsCurrent) {
  // As the main window does: one action's update decides the state of a second one.
  auto* second = new TAction(list);
  int secondRuns = 0;
  second->OnExecute = [&](TObject*) { ++secondRuns; };
  action->OnUpdate = [&](TObject*) { second->SetEnabled(false); };
  EXPECT_FALSE(second->Execute());
  EXPECT_EQ(secondRuns, 0);
  EXPECT_EQ(second->ActionList(), list);
}

TEST_F(ActionTest, DeletingTheActionUnbindsTheButtonAndDeletingTheButtonUnbindsTheAction) {
  delete action;
  action = nullptr;
  EXPECT_EQ(button->Action(), nullptr);
  Click(*button);  // nothing to run, nothing to crash
  EXPECT_TRUE(executed.empty());

  auto* other = new TAction(list);
  auto* second = Make<TButton>(form, 10, 40, 90, 25);
  second->SetAction(other);
  delete second;
  other->SetEnabled(false);  // must not reach the deleted button
  other->SetCaption("Gone");
  EXPECT_EQ(list->ActionCount(), 1);
}

TEST_F(ActionTest, DeletingTheListLeavesItsActionsWithoutOne) {
  delete list;
  list = nullptr;
  EXPECT_EQ(action->ActionList(), nullptr);
  EXPECT_TRUE(action->Execute());
}

TEST_F(ActionTest, ImagesOfTheListAreForgottenWhenTheImageListGoes) {
  auto* images = new TImageList(nullptr);
  list->SetImages(images);
  EXPECT_EQ(list->Images(), images);
  delete images;
  EXPECT_EQ(list->Images(), nullptr);
}

// ---------------------------------------------------------------------------------------------
// Idle updates

class IdleTest : public ActionTest {
 protected:
  void SetUp() override {
    ActionTest::SetUp();
    action->OnUpdate = [this](TObject*) { ++updates; };
    Application->ProcessMessages();
    Application->Idle();  // whatever set-up left pending
    updates = 0;
  }
  int updates = 0;
};

TEST_F(IdleTest, InputRunsOneIdlePassOnceTheQueueIsEmpty) {
  PostKey(button->Handle(), VK_SHIFT);
  Application->ProcessMessages();
  EXPECT_EQ(updates, 0);  // not while messages are being handled
  EXPECT_TRUE(Application->Idle());
  EXPECT_EQ(updates, 1);
  EXPECT_FALSE(Application->Idle());  // nothing new since
  EXPECT_EQ(updates, 1);

  PostMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Point(200, 200));
  PostMessageW(button->Handle(), WM_LBUTTONUP, 0, Point(200, 200));
  Application->ProcessMessages();
  EXPECT_TRUE(Application->Idle());
  EXPECT_EQ(updates, 2);
}

TEST_F(IdleTest, MouseMovesPaintsAndTimersCauseNoIdlePass) {
  for (int i = 0; i < 20; ++i)
    PostMessageW(form->Handle(), WM_MOUSEMOVE, 0, Point(i, i));
  PostMessageW(form->Handle(), WM_NCMOUSEMOVE, HTCAPTION, Point(60, 50));
  PostMessageW(form->Handle(), WM_TIMER, 7, 0);
  InvalidateRect(form->Handle(), nullptr, TRUE);
  Application->ProcessMessages();
  EXPECT_FALSE(Application->Idle());
  EXPECT_EQ(updates, 0);
}

TEST_F(IdleTest, ListOfAHiddenFormIsNotUpdated) {
  form->Hide();
  Application->DoIdle();
  EXPECT_EQ(updates, 0);
  form->Show();
  Application->DoIdle();
  EXPECT_EQ(updates, 1);
}

TEST_F(IdleTest, ExceptionInAnUpdateIsReportedAndTheLoopGoesOn) {
  action->OnUpdate = [](TObject*) { throw std::runtime_error("update failed"); };
  Application->DoIdle();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], "update failed");
}

// ---------------------------------------------------------------------------------------------
// The dialog keyboard

class KeyboardTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    list = new TActionList(form);
    preview = new TAction(list);
    preview->SetCaption("Preview");
    preview->OnExecute = [this](TObject*) { log.push_back("preview"); };
    preview->OnUpdate = [this](TObject*) { preview->SetEnabled(previewAllowed); };
    about = new TAction(list);
    about->SetCaption("About");
    about->OnExecute = [this](TObject*) { log.push_back("about"); };

    memo = Make<TMemo>(form, 10, 10, 200, 60);
    edit = Make<TEdit>(form, 10, 80, 200, 22);
    group = Make<TGroupBox>(form, 10, 110, 200, 80, "Group");
    check = Make<TCheckBox>(group, 10, 20, 150, 20, "So&und");
    check2 = Make<TCheckBox>(group, 10, 45, 150, 20, "&Help");
    previewButton = Make<TButton>(form, 10, 200, 90, 25);
    previewButton->SetDefault(true);
    previewButton->SetAction(preview);
    aboutButton = Make<TButton>(form, 110, 200, 90, 25);
    aboutButton->SetAction(about);
    named = {{"memo", memo}, {"edit", edit}, {"check", check}, {"check2", check2}, {"about", aboutButton}};
    wintest::PumpUntilIdle();
  }

  // Posts the key to the focused window and lets the application's loop handle it.
  void Press(WPARAM key) {
    PostKey(GetFocus(), key);
    Application->ProcessMessages();
  }

  TWinControl* Focus() { return TWinControl::FindControl(GetFocus()); }
  TWinControl* Named(const char* name) { return name ? named.at(name) : nullptr; }

  TActionList* list = nullptr;
  TAction* preview = nullptr;
  TAction* about = nullptr;
  TMemo* memo = nullptr;
  TEdit* edit = nullptr;
  TGroupBox* group = nullptr;
  TCheckBox* check = nullptr;
  TCheckBox* check2 = nullptr;
  TButton* previewButton = nullptr;
  TButton* aboutButton = nullptr;
  bool previewAllowed = true;
  std::vector<std::string> log;
  std::map<std::string, TWinControl*> named;
};

TEST_F(KeyboardTest, EnterPressesTheDefaultOrTheFocusedButtonOrTheMemoTakesItAndEscDoesNothing) {
  struct Row {
    const char* focus;
    WPARAM key;
    std::vector<std::string> log;
  };
  // In this order: the memo is asked for its dialog codes (as by Tab) before its Esc, after which
  // an edit that took Esc itself would close the form.
  const Row rows[] = {
      {"edit", VK_RETURN, {"preview"}},
      {"check", VK_RETURN, {"preview"}},
      {"about", VK_RETURN, {"about"}},
      {"memo", VK_RETURN, {}},
      {"memo", VK_TAB, {}},
      {"memo", VK_ESCAPE, {}},
      {"edit", VK_ESCAPE, {}},
      {"about", VK_ESCAPE, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.focus) + " key " + std::to_string(row.key));
    Named(row.focus)->SetFocus();
    log.clear();
    Press(row.key);
    wintest::PumpUntilIdle();
    EXPECT_EQ(log, row.log);
    EXPECT_TRUE(form->Showing());
  }
  EXPECT_FALSE(check->Checked());
  EXPECT_EQ(memo->Text(), "\r\n");  // one line break; no tab or escape character went in
}

TEST_F(KeyboardTest, EnterDoesNothingWhileTheDefaultActionIsDisabledEvenBeforeAnIdlePass) {
  edit->SetFocus();
  previewAllowed = false;  // no idle pass has run: the button still looks enabled
  ASSERT_TRUE(IsWindowEnabled(previewButton->Handle()));
  Press(VK_RETURN);
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(IsWindowEnabled(previewButton->Handle()));
  EXPECT_EQ(edit->Text(), "");

  previewAllowed = true;
  Press(VK_RETURN);
  EXPECT_EQ(log, std::vector<std::string>{"preview"});
}

TEST_F(KeyboardTest, EnterInADropDownListPressesTheDefaultOnlyWhileTheListIsClosed) {
  auto* combo = Make<TComboBox>(form, 220, 10, 150, 22);
  combo->Items().Assign({"OK", "Cancel"});
  combo->SetItemIndex(0);
  combo->SetFocus();
  combo->SetDroppedDown(true);
  wintest::PumpUntilIdle();
  ASSERT_TRUE(combo->DroppedDown());
  Press(VK_RETURN);
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(combo->DroppedDown());

  Press(VK_RETURN);
  EXPECT_EQ(log, std::vector<std::string>{"preview"});
}

TEST_F(KeyboardTest, CtrlTabSwitchesThePageAroundTheFocus) {
  auto* pages = Make<TPageControl>(form, 220, 10, 180, 150);
  auto* first = new TTabSheet(form);
  first->SetCaption("One");
  first->SetPageControl(pages);
  auto* second = new TTabSheet(form);
  second->SetCaption("Two");
  second->SetPageControl(pages);
  auto* onFirst = Make<TCheckBox>(first, 4, 4, 80, 17, "&Yes");
  pages->SetActivePageIndex(0);
  onFirst->SetFocus();
  ASSERT_EQ(Focus(), onFirst);
  {
    HeldKeys control{VK_CONTROL};
    Press(VK_TAB);
  }
  EXPECT_EQ(pages->ActivePageIndex(), 1);
  EXPECT_FALSE(onFirst->Checked());
}

TEST_F(KeyboardTest, ExceptionFromACommandRunByEnterIsReportedAndTheFormStays) {
  preview->OnExecute = [](TObject*) { throw std::runtime_error("preview failed"); };
  edit->SetFocus();
  Press(VK_RETURN);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], "preview failed");
  EXPECT_TRUE(form->Showing());
}

TEST_F(KeyboardTest, TabGoesThroughTheGroupBoxInTabOrderAndShiftTabGoesBack) {
  memo->SetFocus();
  EXPECT_EQ(TabSequence(6),
            (std::vector<TWinControl*>{edit, check, check2, previewButton, aboutButton, memo}));
  EXPECT_EQ(memo->Text(), "");  // no tab character went in
  EXPECT_EQ(TabSequence(3, true), (std::vector<TWinControl*>{aboutButton, previewButton, check2}));
}

TEST_F(KeyboardTest, AcceleratorLetterActsWithAltAnywhereAndAloneOnlyWhereNoTextIsTyped) {
  struct Row {
    const char* focus;
    char letter;
    bool alt;
    const char* toggled;  // the check box the letter toggles and focuses, if any
    const char* typed;    // what the edit holds afterwards
  };
  const Row rows[] = {
      {"edit", 'U', true, "check", ""},
      {"check", 'H', false, "check2", ""},
      {"edit", 'U', false, nullptr, "u"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.alt ? "Alt+" : "") + row.letter + " in " + row.focus);
    check->SetChecked(false);
    check2->SetChecked(false);
    edit->SetText("");
    Named(row.focus)->SetFocus();
    if (row.alt) {
      // As the keyboard delivers it: the loop's translation makes the WM_SYSCHAR.
      PostMessageW(GetFocus(), WM_SYSKEYDOWN, row.letter, 1 << 29);
      PostMessageW(GetFocus(), WM_SYSKEYUP, row.letter, static_cast<LPARAM>(0xE0000001));
    } else {
      PostKey(GetFocus(), row.letter);
    }
    Application->ProcessMessages();
    auto* toggled = static_cast<TCheckBox*>(Named(row.toggled));
    EXPECT_EQ(check->Checked(), toggled == check);
    EXPECT_EQ(check2->Checked(), toggled == check2);
    EXPECT_EQ(Focus(), toggled ? toggled : Named(row.focus));
    EXPECT_EQ(edit->Text(), row.typed);
  }
}

// ---------------------------------------------------------------------------------------------
// The form's frame, place and start-up

class FrameTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    fixed = new TForm(nullptr);
    fixed->SetCaption("Fixed");
    fixed->SetBorderStyle(TFormBorderStyle::bsSingle);
    fixed->SetBorderIcons(biSystemMenu | biMinimize);
    fixed->SetBounds(50, 60, 300, 200);
    fixed->SetClientWidth(357);
    fixed->SetClientHeight(448);
  }
  void TearDown() override {
    delete fixed;
    FormTest::TearDown();
  }
  RECT WindowRect() {
    RECT r{};
    GetWindowRect(fixed->Handle(), &r);
    return r;
  }
  TForm* fixed = nullptr;
};

TEST_F(FrameTest, FixedFormHasTheClientSizeAskedForAndCanBeMinimisedButNotMaximisedOrResized) {
  fixed->Show();
  wintest::PumpUntilIdle();
  RECT client{};
  GetClientRect(fixed->Handle(), &client);
  EXPECT_EQ(client.right, 357);
  EXPECT_EQ(client.bottom, 448);
  EXPECT_EQ(fixed->ClientWidth(), 357);

  LONG style = GetWindowLongW(fixed->Handle(), GWL_STYLE);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_TRUE(style & WS_SYSMENU);

  RECT before = WindowRect();
  SendMessageW(fixed->Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  wintest::PumpUntilIdle();
  EXPECT_FALSE(IsZoomed(fixed->Handle()));
  RECT after = WindowRect();
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
  // The frame's corner offers no sizing grip to the mouse.
  LRESULT corner =
      SendMessageW(fixed->Handle(), WM_NCHITTEST, 0, MAKELPARAM(after.right - 1, after.bottom - 1));
  EXPECT_NE(corner, HTBOTTOMRIGHT);
  EXPECT_NE(corner, HTRIGHT);
  EXPECT_NE(corner, HTBOTTOM);

  SendMessageW(fixed->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  wintest::PumpUntilIdle();
  EXPECT_TRUE(IsIconic(fixed->Handle()));
  ShowWindow(fixed->Handle(), SW_RESTORE);

  // Without the minimise box only that command is refused: the system menu still closes the form.
  fixed->SetBorderIcons(biSystemMenu);
  SendMessageW(fixed->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  wintest::PumpUntilIdle();
  EXPECT_FALSE(IsIconic(fixed->Handle()));
  SendMessageW(fixed->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  wintest::PumpUntilIdle();
  EXPECT_FALSE(fixed->Visible());
}

TEST_F(FrameTest, FormHasTheFaceColourAndHandsItsFontToItsControls) {
  auto* edit = new TEdit(fixed);
  edit->SetParent(fixed);
  EXPECT_EQ(fixed->Color(), clBtnFace);
  EXPECT_EQ(edit->Font().Name(), "Tahoma");
  EXPECT_EQ(edit->Font().Size(), 8);
}

TEST_F(FrameTest, DefaultPositionOnlyKeepsTheStoredSize) {
  fixed->SetPosition(TPosition::poDefaultPosOnly);
  fixed->Show();
  wintest::PumpUntilIdle();
  RECT client{};
  GetClientRect(fixed->Handle(), &client);
  EXPECT_EQ(client.right, 357);
  EXPECT_EQ(client.bottom, 448);
}

TEST_F(FrameTest, ScreenSnapPullsTheUsersDragToANearEdgeAndLeavesCodeMovesAlone) {
  fixed->ScreenSnap = true;
  fixed->Show();
  wintest::PumpUntilIdle();
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);

  SetWindowPos(fixed->Handle(), nullptr, work.left + 7, work.top + 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(WindowRect().left, work.left + 7) << "a move made by code is not snapped";

  // The move loop as it reports a drag: each WM_MOVING carries the last place plus the pointer's
  // latest step, so the form must measure from where the drag began.
  SetWindowPos(fixed->Handle(), nullptr, work.left + 40, work.top + 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  const POINT grip{work.left + 200, work.top + 200};
  SetCursorPos(grip.x, grip.y);
  SendMessageW(fixed->Handle(), WM_ENTERSIZEMOVE, 0, 0);
  RECT r = WindowRect();
  const int width = r.right - r.left, height = r.bottom - r.top;
  auto dragTo = [&](int dx, int dy) {
    POINT now{};
    GetCursorPos(&now);
    SetCursorPos(grip.x + dx, grip.y + dy);
    OffsetRect(&r, grip.x + dx - now.x, grip.y + dy - now.y);
    SendMessageW(fixed->Handle(), WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&r));
  };
  dragTo(-33, -31);
  EXPECT_EQ(r.left, work.left);
  EXPECT_EQ(r.top, work.top);
  dragTo(-30, -31);
  EXPECT_EQ(r.left, work.left) << "still within the buffer";
  dragTo(-27, -31);
  EXPECT_EQ(r.left, work.left + 13) << "a slow drag leaves the edge past the buffer";
  EXPECT_EQ(r.top, work.top);
  EXPECT_EQ(r.right - r.left, width);

  // The right and bottom edges snap too.
  int toRight = work.right - 6 - (work.left + 40 + width),
      toBottom = work.bottom - 9 - (work.top + 40 + height);
  dragTo(toRight, toBottom);
  EXPECT_EQ(r.right, work.right);
  EXPECT_EQ(r.bottom, work.bottom);
  EXPECT_EQ(r.bottom - r.top, height);
  SendMessageW(fixed->Handle(), WM_EXITSIZEMOVE, 0, 0);

  fixed->ScreenSnap = false;
  SetWindowPos(fixed->Handle(), nullptr, work.left + 40, work.top + 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  r = WindowRect();
  SetCursorPos(grip.x, grip.y);
  SendMessageW(fixed->Handle(), WM_ENTERSIZEMOVE, 0, 0);
  dragTo(-33, 0);
  EXPECT_EQ(r.left, work.left + 7) << "no snap when it is off";
  SendMessageW(fixed->Handle(), WM_EXITSIZEMOVE, 0, 0);
}

// A form that builds its controls from stored values, as the main window does.
class LoadedForm : public TForm {
 public:
  explicit LoadedForm(TComponent* owner) : TForm(owner) {
    OnCreate = [this](TObject*) {
      log->push_back("create:" + edit->Text() + (reference && *reference == this ? ":ref" : ":noref"));
    };
    OnShow = [this](TObject*) { log->push_back(std::string("show:") + (Showing() ? "visible" : "hidden")); };
    edit = new TEdit(this);
    BeginLoading();
    SetCaption("Loaded");
    SetBounds(70, 70, 300, 200);
    edit->SetParent(this);
    edit->SetBounds(10, 10, 100, 22);
    edit->SetTabStop(true);
    edit->SetText("stored");
    EndLoading();
    log->push_back("constructed");
  }
  void Loaded() override {
    TForm::Loaded();
    log->push_back("loaded");
  }
  static std::vector<std::string>* log;
  static LoadedForm** reference;
  TEdit* edit = nullptr;
};
std::vector<std::string>* LoadedForm::log = nullptr;
LoadedForm** LoadedForm::reference = nullptr;

TEST_F(FrameTest, CreateRunsOnceAfterTheLayoutAndShowOnceBeforeTheFormIsActive) {
  std::vector<std::string> log;
  LoadedForm* loaded = nullptr;
  LoadedForm::log = &log;
  LoadedForm::reference = &loaded;
  TForm* previous = Application->MainForm();
  Application->SetMainForm(nullptr);
  Application->CreateForm(loaded);
  EXPECT_EQ(Application->MainForm(), loaded);
  loaded->DoCreate();
  EXPECT_EQ(log, (std::vector<std::string>{"loaded", "constructed", "create:stored:ref"}));

  loaded->Show();
  wintest::PumpUntilIdle();
  loaded->Hide();
  loaded->Show();
  wintest::PumpUntilIdle();
  EXPECT_EQ(log, (std::vector<std::string>{"loaded", "constructed", "create:stored:ref", "show:hidden"}));
  // Activated with no stored active control, the form focuses its first tab stop.
  EXPECT_EQ(GetFocus(), loaded->edit->Handle());
  delete loaded;
  Application->SetMainForm(previous);
}

TEST_F(FrameTest, FormMadeWithoutCreateFormRunsOnCreateWhenFirstShown) {
  int creates = 0;
  auto* plain = new TForm(nullptr);
  plain->OnCreate = [&](TObject*) { ++creates; };
  plain->OnShow = [&](TObject*) { EXPECT_EQ(creates, 1); };
  EXPECT_EQ(creates, 0);
  plain->Show();
  plain->Hide();
  plain->Show();
  EXPECT_EQ(creates, 1);
  delete plain;
}

TEST_F(FrameTest, ScaleByScalesTheClientAreaAndEveryControlInside) {
  auto* group = new TGroupBox(fixed);
  group->SetParent(fixed);
  group->SetBounds(13, 26, 130, 65);
  auto* inner = new TEdit(fixed);
  inner->SetParent(group);
  inner->SetBounds(13, 13, 52, 26);
  auto* strip = new TShape(fixed);
  strip->SetParent(fixed);
  strip->SetAlign(TAlign::alTop);
  auto* label = new TLabel(fixed);
  label->SetParent(fixed);
  label->SetBounds(13, 104, 0, 0);
  label->SetCaption("Sized to its caption");
  const int captionWidth = label->Width();
  fixed->ScaleBy(16, 13);
  EXPECT_EQ(fixed->ClientWidth(), MulDiv(357, 16, 13));
  EXPECT_EQ(fixed->ClientHeight(), MulDiv(448, 16, 13));
  EXPECT_EQ(group->Left(), 16);
  EXPECT_EQ(group->Top(), 32);
  EXPECT_EQ(group->Width(), 160);
  EXPECT_EQ(group->Height(), 80);
  EXPECT_EQ(inner->Left(), 16);
  EXPECT_EQ(inner->Width(), 64);
  EXPECT_EQ(strip->Width(), fixed->ClientWidth()) << "a top-aligned control spans the scaled client area";
  EXPECT_EQ(label->Top(), 128);
  EXPECT_EQ(label->Width(), captionWidth) << "an auto-sized label keeps the size of its caption";
}

TEST_F(FrameTest, LoadingAtTheDesignDensityScalesNothing) {
  if (ScreenPixelsPerInch() != 96) GTEST_SKIP() << "the screen is not at 96 pixels per inch";
  std::vector<std::string> log;
  LoadedForm::log = &log;
  LoadedForm::reference = nullptr;
  auto* loaded = new LoadedForm(form);
  EXPECT_EQ(loaded->edit->Left(), 10);
  EXPECT_EQ(loaded->edit->Width(), 100);
  EXPECT_EQ(loaded->TextHeight, DesignTextHeight);
  delete loaded;
}

// The application's own loop, once per program: it stops for good when terminated.
TEST_F(FrameTest, RunShowsTheMainFormAndUpdatesActionsFromTheFirstIdleMoment) {
  std::vector<std::string> log;
  auto* main = new TForm(nullptr);
  main->SetBounds(100, 100, 200, 150);
  main->OnShow = [&](TObject*) { log.push_back("show"); };
  auto* actions = new TActionList(main);
  auto* action = new TAction(actions);
  int updates = 0;
  action->OnUpdate = [&](TObject*) {
    log.push_back("update");
    if (++updates == 1) {
      PostKey(main->Handle(), VK_SHIFT);  // input: one more idle pass
      for (int i = 0; i < 5; ++i)
        PostMessageW(main->Handle(), WM_MOUSEMOVE, 0, Point(i, i));  // no more after these
      PostMessageW(main->Handle(), WM_APP, 0, 0);
    } else {
      Application->Terminate();
    }
  };
  TForm* previous = Application->MainForm();
  Application->SetMainForm(main);
  Application->Run();
  EXPECT_EQ(log, (std::vector<std::string>{"show", "update", "update"}));
  Application->SetMainForm(previous);
  delete main;
  wintest::PumpUntilIdle();
}

// ---------------------------------------------------------------------------------------------
// Image lists

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGround = RGB(0, 128, 0);

// Pictures side by side: a magenta ground with a 6x6 square from (4, 4) in the picture's colour.
void MakePictures(TBitmap& bitmap, const std::vector<COLORREF>& colours) {
  std::vector<Patch> squares;
  for (int i = 0; i < static_cast<int>(colours.size()); ++i)
    squares.push_back({RECT{16 * i + 4, 4, 16 * i + 10, 10}, colours[static_cast<size_t>(i)]});
  bitmap.SetHandle(MakeBitmap(16 * static_cast<int>(colours.size()), 16, kMagenta, squares));
}

TEST(ImageListTest, MaskedPicturesDrawTheirPixelsAndLetTheGroundShowThroughMagenta) {
  TImageList images(nullptr);
  TBitmap strip;
  MakePictures(strip, {kRed, kBlue});
  EXPECT_EQ(images.AddMasked(strip, static_cast<TColor>(kMagenta)), 0);
  EXPECT_EQ(images.Count(), 2);
  // The caller's bitmap keeps its magenta.
  EXPECT_EQ(strip.PixelAt(0, 0), kMagenta);

  Snapshot surface(40, 40, kGround);
  images.Draw(surface.DC(), 10, 10, 1);
  EXPECT_EQ(surface.Pixel(10 + 5, 10 + 5), kBlue);
  EXPECT_EQ(surface.Pixel(10 + 1, 10 + 1), kGround);
  EXPECT_EQ(surface.Pixel(10 + 12, 10 + 12), kGround);
  EXPECT_EQ(surface.Pixel(10 + 4, 10 + 9), kBlue);
  EXPECT_EQ(surface.Pixel(10 + 10, 10 + 10), kGround);

  TCanvas canvas;
  canvas.SetHandle(surface.DC());
  images.Draw(canvas, 0, 0, 0);
  canvas.SetHandle(nullptr);
  EXPECT_EQ(surface.Pixel(5, 5), kRed);
  EXPECT_EQ(surface.Pixel(0, 0), kGround);
}

TEST(ImageListTest, TransparentColourMayComeFromTheBottomLeftPixel) {
  TImageList images(nullptr);
  TBitmap one;
  MakePictures(one, {kRed});
  EXPECT_EQ(images.AddTransparent(one), 0);
  Snapshot surface(40, 40, kGround);
  images.Draw(surface.DC(), 0, 0, 0);
  EXPECT_EQ(surface.Pixel(0, 15), kGround);
  EXPECT_EQ(surface.Pixel(6, 6), kRed);
}

TEST(ImageListTest, DisabledPictureIsItsShapeInTheShadowColours) {
  TImageList images(nullptr);
  TBitmap one;
  MakePictures(one, {kRed});
  images.AddMasked(one, static_cast<TColor>(kMagenta));
  Snapshot surface(40, 40, kGround);
  images.Draw(surface.DC(), 0, 0, 0, false);
  EXPECT_EQ(surface.Pixel(5, 5), ColorToRGB(clBtnShadow));
  EXPECT_EQ(surface.Pixel(10, 10),
            ColorToRGB(clBtnHighlight));  // the highlight shows below right
  EXPECT_EQ(surface.Pixel(1, 1), kGround);
  EXPECT_EQ(surface.Pixel(12, 5), kGround);
}

TEST(ImageListTest, IndexThatIsNoPictureDrawsNothingAndCannotBeDeleted) {
  TImageList images(nullptr);
  Snapshot surface(40, 40, kGround);
  images.Draw(surface.DC(), 0, 0, 0);
  images.Draw(surface.DC(), 0, 0, -1);
  EXPECT_EQ(surface.Pixel(5, 5), kGround);
  EXPECT_THROW(images.Delete(0), EListError);

  TBitmap strip;
  MakePictures(strip, {kRed, kBlue});
  images.AddMasked(strip, static_cast<TColor>(kMagenta));
  images.Draw(surface.DC(), 0, 0, 2);
  EXPECT_EQ(surface.Pixel(5, 5), kGround);
  images.Delete(0);
  EXPECT_EQ(images.Count(), 1);
  images.Draw(surface.DC(), 0, 0, 0);
  EXPECT_EQ(surface.Pixel(5, 5), kBlue);
}

TEST(ImageListTest, CopyOfAPictureHasTheGivenBackgroundWhereItIsSeeThrough) {
  TImageList images(nullptr);
  TBitmap one;
  MakePictures(one, {kBlue});
  images.AddMasked(one, static_cast<TColor>(kMagenta));
  TBitmap copy;
  ASSERT_TRUE(images.GetBitmap(0, copy, static_cast<TColor>(kMagenta)));
  EXPECT_EQ(copy.Width(), 16);
  EXPECT_EQ(copy.PixelAt(0, 0), kMagenta);
  EXPECT_EQ(copy.PixelAt(5, 5), kBlue);
  EXPECT_FALSE(images.GetBitmap(1, copy, clWhite));
}

TEST(ImageListTest, BitmapSmallerThanAPictureAddsNothing) {
  TImageList images(nullptr);
  TBitmap empty;
  EXPECT_EQ(images.AddMasked(empty, static_cast<TColor>(kMagenta)), -1);
  images.SetSize(32, 32);
  TBitmap small;
  MakePictures(small, {kRed});
  EXPECT_EQ(images.AddMasked(small, static_cast<TColor>(kMagenta)), -1);
  EXPECT_EQ(images.Count(), 0);
}

}  // namespace
}  // namespace vellumor::test
