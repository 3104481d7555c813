// Forms, actions and image lists as a user meets them: buttons that follow their actions, the
// idle updates, the dialog keyboard, the fixed frame, screen snap, start-up order, pictures.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <tuple>
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

  void WndProc(TMessage& m) override {
    if (m.Msg == WM_ENABLE || m.Msg == WM_SETTEXT) ++enableMessages;
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

TEST_F(ActionTest, BoundButtonsFollowCaptionAndEnabledStateAndClickRunsTheAction) {
  // A button's caption, and whether it and its window are enabled.
  auto shown = [](TButton* b) {
    return b->Caption() + (b->Enabled() ? " on" : " off") + (IsWindowEnabled(b->Handle()) ? " on" : " off");
  };
  EXPECT_EQ(shown(button), "Preview on on");
  action->SetEnabled(false);
  auto* second = Make<TButton>(form, 10, 40, 90, 25);
  second->SetAction(action);  // bound while disabled: starts disabled
  EXPECT_EQ(shown(button) + "|" + shown(second), "Preview off off|Preview off off");
  action->SetEnabled(true);
  action->SetCaption("&Create");
  EXPECT_EQ(shown(button), "&Create on on");

  Click(*button);
  EXPECT_EQ(std::tuple(executed, executedFrom, action->ActionComponent()),
            std::tuple(std::vector<TObject*>{action}, static_cast<TComponent*>(button), nullptr));
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };  // the button's own handler runs instead
  Click(*button);
  EXPECT_EQ(std::pair(clicks, executed.size()), std::pair(1, size_t{1}));
}

TEST_F(ActionTest, UnchangedStateOnEveryIdlePassTouchesNoWindow) {
  button->enableMessages = 0;
  for (bool enabled : {true, false}) {  // first unchanged, then changed once
    action->OnUpdate = [this, enabled](TObject*) { action->SetEnabled(enabled); };
    for (int i = 0; i < 50; ++i)
      Application->DoIdle();
  }
  EXPECT_EQ(std::pair(button->enableMessages, IsWindowEnabled(button->Handle())), std::pair(1, FALSE));
}

TEST_F(ActionTest, ExecuteFirstUpdatesTheWholeListAndRunsNothingWhenDisabled) {
  // The update rule says "disabled", but no idle pass has run since it became so; as in the main
  // window, one action's update decides the state of a second one.
  bool allowed = false;
  auto* second = new TAction(list);
  int secondRuns = 0;
  second->OnExecute = [&](TObject*) { ++secondRuns; };
  action->OnUpdate = [&](TObject*) {
    action->SetEnabled(allowed);
    second->SetEnabled(allowed);
  };
  EXPECT_TRUE(action->Enabled());
  EXPECT_FALSE(second->Execute() || action->Execute());
  EXPECT_EQ(std::tuple(executed.size(), secondRuns, IsWindowEnabled(button->Handle())), std::tuple(0u, 0, 0));
  allowed = true;
  EXPECT_TRUE(action->Execute() && executed.size() == 1);
}

TEST_F(ActionTest, LinksAreCutWhicheverSideGoesFirst) {
  auto* images = new TImageList(nullptr);
  list->SetImages(images);
  delete images;
  EXPECT_EQ(list->Images(), nullptr);

  auto* other = new TAction(form);
  other->SetActionList(list);
  other->OnExecute = [](TObject*) {};
  auto* second = Make<TButton>(form, 10, 40, 90, 25);
  second->SetAction(other);
  delete second;
  other->SetEnabled(false);  // must not reach the deleted button
  other->SetCaption("Gone");
  other->SetEnabled(true);

  delete action;
  action = nullptr;
  Click(*button);  // nothing to run, nothing to crash
  EXPECT_EQ(std::tuple(button->Action(), executed.size(), list->ActionCount()),
            std::tuple(nullptr, size_t{0}, 1));
  delete list;
  EXPECT_EQ(std::tuple(other->ActionList(), other->Execute()), std::tuple(nullptr, true));
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

TEST_F(IdleTest, InputRunsOneIdlePassOnceTheQueueIsEmptyAndMovesPaintsAndTimersNone) {
  for (int i = 0; i < 20; ++i)
    PostMessageW(form->Handle(), WM_MOUSEMOVE, 0, Point(i, i));
  PostMessageW(form->Handle(), WM_NCMOUSEMOVE, HTCAPTION, Point(60, 50));
  PostMessageW(form->Handle(), WM_TIMER, 7, 0);
  InvalidateRect(form->Handle(), nullptr, TRUE);
  Application->ProcessMessages();
  EXPECT_TRUE(!Application->Idle() && updates == 0) << updates;

  PostKey(button->Handle(), VK_SHIFT);
  Application->ProcessMessages();
  EXPECT_EQ(updates, 0);  // not while messages are being handled
  EXPECT_TRUE(Application->Idle() && !Application->Idle() && updates == 1) << updates;  // nothing new since
  PostMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Point(200, 200));
  PostMessageW(button->Handle(), WM_LBUTTONUP, 0, Point(200, 200));
  Application->ProcessMessages();
  EXPECT_TRUE(Application->Idle() && updates == 2) << updates;
}

TEST_F(IdleTest, HiddenFormsListIsNotUpdatedAndAnUpdatesExceptionIsReported) {
  form->Hide();
  Application->DoIdle();
  EXPECT_EQ(updates, 0);
  form->Show();
  Application->DoIdle();
  EXPECT_EQ(updates, 1);
  action->OnUpdate = [](TObject*) { throw std::runtime_error("update failed"); };
  Application->DoIdle();
  EXPECT_EQ(errors, std::vector<std::string>{"update failed"});
}

// ---------------------------------------------------------------------------------------------
// The dialog keyboard

class KeyboardTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    auto* list = new TActionList(form);
    preview = new TAction(list);
    preview->OnExecute = [this](TObject*) { log.push_back("preview"); };
    preview->OnUpdate = [this](TObject*) { preview->SetEnabled(previewAllowed); };
    auto* about = new TAction(list);
    about->OnExecute = [this](TObject*) { log.push_back("about"); };

    memo = Make<TMemo>(form, 10, 10, 200, 60);
    edit = Make<TEdit>(form, 10, 80, 200, 22);
    auto* group = Make<TGroupBox>(form, 10, 110, 200, 80, "Group");
    check = Make<TCheckBox>(group, 10, 20, 150, 20, "So&und");
    check2 = Make<TCheckBox>(group, 10, 45, 150, 20, "&Help");
    previewButton = Make<TButton>(form, 10, 200, 90, 25);
    previewButton->SetDefault(true);
    previewButton->SetAction(preview);
    aboutButton = Make<TButton>(form, 110, 200, 90, 25);
    aboutButton->SetAction(about);
    wintest::PumpUntilIdle();
  }

  TAction* preview = nullptr;
  TMemo* memo = nullptr;
  TEdit* edit = nullptr;
  TCheckBox *check = nullptr, *check2 = nullptr;
  TButton *previewButton = nullptr, *aboutButton = nullptr;
  bool previewAllowed = true;
  std::vector<std::string> log;
};

TEST_F(KeyboardTest, EnterPressesTheDefaultOrTheFocusedButtonOrTheMemoTakesItAndEscDoesNothing) {
  struct Row {
    TWinControl* focus;
    WPARAM key;
    std::vector<std::string> log;
  };
  // In this order: the memo is asked for its dialog codes (as by Tab) before its Esc, after which
  // an edit that took Esc itself would close the form.
  const Row rows[] = {{edit, VK_RETURN, {"preview"}},
                      {check, VK_RETURN, {"preview"}},
                      {aboutButton, VK_RETURN, {"about"}},
                      {memo, VK_RETURN, {}},
                      {memo, VK_TAB, {}},
                      {memo, VK_ESCAPE, {}},
                      {edit, VK_ESCAPE, {}},
                      {aboutButton, VK_ESCAPE, {}}};
  for (const Row& row : rows) {
    SCOPED_TRACE(&row - rows);
    row.focus->SetFocus();
    log.clear();
    Press(row.key);
    wintest::PumpUntilIdle();
    EXPECT_EQ(std::pair(log, form->Showing()), std::pair(row.log, true));
  }
  EXPECT_FALSE(check->Checked());
  EXPECT_EQ(memo->Text(), "\r\n");  // one line break; no tab or escape character went in

  // In a dropped-down list Enter only closes the list.
  auto* combo = Make<TComboBox>(form, 220, 10, 150, 22);
  combo->Items().Assign({"OK", "Cancel"});
  combo->SetFocus();
  combo->SetDroppedDown(true);
  wintest::PumpUntilIdle();
  ASSERT_TRUE(combo->DroppedDown());
  log.clear();
  Press(VK_RETURN);
  EXPECT_EQ(std::pair(log.size(), combo->DroppedDown()), std::pair(size_t{0}, false));
  Press(VK_RETURN);
  EXPECT_EQ(log, std::vector<std::string>{"preview"});
}

TEST_F(KeyboardTest, EnterDoesNothingWhileTheDefaultActionIsDisabledEvenBeforeAnIdlePass) {
  edit->SetFocus();
  previewAllowed = false;  // no idle pass has run: the button still looks enabled
  ASSERT_TRUE(IsWindowEnabled(previewButton->Handle()));
  Press(VK_RETURN);
  EXPECT_EQ(std::tuple(log.size(), IsWindowEnabled(previewButton->Handle()), edit->Text()),
            std::tuple(size_t{0}, FALSE, ""));

  previewAllowed = true;
  preview->OnExecute = [](TObject*) { throw std::runtime_error("preview failed"); };
  Press(VK_RETURN);
  EXPECT_EQ(std::pair(errors, form->Showing()), std::pair(std::vector<std::string>{"preview failed"}, true));
}

// Disabling what holds the focus hands it on in tab order, as Tab would, to the next control that
// can take it; with none left the form keeps it. The system alone would leave it on nothing.
TEST_F(FormTest, DisablingTheFocusedControlMovesTheFocusOnAndNeverToNothing) {
  auto* group = Make<TGroupBox>(form, 10, 10, 200, 100);
  auto* a = Make<TEdit>(group, 10, 20);
  auto* b = Make<TEdit>(group, 10, 50);
  auto* c = Make<TEdit>(form, 10, 150);
  auto name = [&](HWND focus) {
    return focus == a->Handle()      ? "a"
           : focus == b->Handle()    ? "b"
           : focus == c->Handle()    ? "c"
           : focus == form->Handle() ? "form"
                                     : "nothing";
  };
  // Round the end of the tab order; out of a disabled group; the last one left.
  const struct {
    TWinControl *enable, *focus, *disable;
  } steps[] = {{nullptr, a, a}, {nullptr, c, c}, {c, b, group}, {nullptr, c, c}};
  std::string seen;
  for (const auto& [enable, focus, disable] : steps) {
    if (enable) enable->SetEnabled(true);
    focus->SetFocus();
    disable->SetEnabled(false);
    wintest::PumpUntilIdle();
    seen += std::string(name(GetFocus())) + " ";
  }
  EXPECT_EQ(seen, "b b c form ");
}

TEST_F(KeyboardTest, AcceleratorLetterActsWithAltAnywhereAndAloneOnlyWhereNoTextIsTyped) {
  struct Row {
    TWinControl* focus;
    char letter;
    bool alt;
    TCheckBox* toggled;  // the check box the letter toggles and focuses, if any
    const char* typed;   // what the edit holds afterwards
  };
  const Row rows[] = {
      {edit, 'U', true, check, ""}, {check, 'H', false, check2, ""}, {edit, 'U', false, nullptr, "u"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(&row - rows);
    check->SetChecked(false);
    check2->SetChecked(false);
    edit->SetText("");
    row.focus->SetFocus();
    Press(row.letter, row.alt ? std::initializer_list<int>{VK_MENU} : std::initializer_list<int>{});
    EXPECT_EQ(std::tuple(check->Checked(), check2->Checked(), Focus(), edit->Text()),
              std::tuple(row.toggled == check, row.toggled == check2, row.toggled ? row.toggled : row.focus,
                         row.typed));
  }
}

// ---------------------------------------------------------------------------------------------
// The form's frame, place and start-up

class FrameTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    fixed = new TForm(form);  // goes with the test's form
    fixed->SetBorderStyle(TFormBorderStyle::bsSingle);
    fixed->SetBorderIcons(biSystemMenu | biMinimize);
    fixed->SetBounds(50, 60, 300, 200);
    fixed->SetClientWidth(357);
    fixed->SetClientHeight(448);
  }
  void Command(WPARAM command) {
    SendMessageW(fixed->Handle(), WM_SYSCOMMAND, command, 0);
    wintest::PumpUntilIdle();
  }
  TForm* fixed = nullptr;
};

TEST_F(FrameTest, FixedFormHasTheClientSizeAskedForAndCanBeMinimisedButNotMaximisedOrResized) {
  fixed->SetPosition(TPosition::poDefaultPosOnly);  // the system's place, the stored size
  fixed->Show();
  wintest::PumpUntilIdle();
  RECT client{};
  GetClientRect(fixed->Handle(), &client);
  EXPECT_EQ(std::tuple(client.right, client.bottom, fixed->Color(), Make<TEdit>(fixed)->Font().Name()),
            std::tuple(357L, 448L, clBtnFace, "Tahoma"));  // the form hands its font on

  RECT before = WindowRect(fixed->Handle());
  Command(SC_MAXIMIZE);
  RECT after = WindowRect(fixed->Handle());
  EXPECT_TRUE(EqualRect(&after, &before)) << "neither maximised nor moved";
  // The frame's corner offers no sizing grip to the mouse.
  LRESULT corner =
      SendMessageW(fixed->Handle(), WM_NCHITTEST, 0, MAKELPARAM(after.right - 1, after.bottom - 1));
  EXPECT_TRUE(corner != HTBOTTOMRIGHT && corner != HTRIGHT && corner != HTBOTTOM) << corner;
  Command(SC_MINIMIZE);
  EXPECT_TRUE(IsIconic(fixed->Handle()));
  ShowWindow(fixed->Handle(), SW_RESTORE);

  // Without the minimise box only that command is refused: the system menu still closes the form.
  fixed->SetBorderIcons(biSystemMenu);
  Command(SC_MINIMIZE);
  EXPECT_FALSE(IsIconic(fixed->Handle()));
  Command(SC_CLOSE);
  EXPECT_FALSE(fixed->Visible());
}

TEST_F(FrameTest, ScreenSnapPullsTheUsersDragToANearEdgeAndLeavesCodeMovesAlone) {
  fixed->ScreenSnap = true;
  fixed->Show();
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  auto moveTo = [&](int x, int y) {
    SetWindowPos(fixed->Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  };
  moveTo(work.left + 7, work.top + 10);
  EXPECT_EQ(WindowRect(fixed->Handle()).left, work.left + 7) << "a move made by code is not snapped";

  // The move loop as it reports a drag: each WM_MOVING carries the last place plus the pointer's
  // latest step, so the form must measure from where the drag began.
  const POINT grip{work.left + 200, work.top + 200};
  RECT r{};
  auto begin = [&] {
    moveTo(work.left + 40, work.top + 40);
    r = WindowRect(fixed->Handle());
    SetCursorPos(grip.x, grip.y);
    SendMessageW(fixed->Handle(), WM_ENTERSIZEMOVE, 0, 0);
  };
  // Drags the window by (dx, dy) from the grip: where its top-left lands in the work area, and its size.
  auto dragTo = [&](int dx, int dy) {
    POINT now{};
    GetCursorPos(&now);
    SetCursorPos(grip.x + dx, grip.y + dy);
    OffsetRect(&r, grip.x + dx - now.x, grip.y + dy - now.y);
    SendMessageW(fixed->Handle(), WM_MOVING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&r));
    return std::tuple(r.left - work.left, r.top - work.top, r.right - r.left, r.bottom - r.top);
  };
  begin();
  const LONG width = r.right - r.left, height = r.bottom - r.top;
  EXPECT_EQ(dragTo(-33, -31), std::tuple(0L, 0L, width, height));
  EXPECT_EQ(std::get<0>(dragTo(-30, -31)), 0L) << "still within the buffer";
  EXPECT_EQ(dragTo(-27, -31), std::tuple(13L, 0L, width, height))
      << "a slow drag leaves the edge past the buffer";
  dragTo(work.right - 6 - (work.left + 40 + width), work.bottom - 9 - (work.top + 40 + height));
  EXPECT_EQ(std::tuple(r.right, r.bottom, r.right - r.left, r.bottom - r.top),
            std::tuple(work.right, work.bottom, width, height));
  SendMessageW(fixed->Handle(), WM_EXITSIZEMOVE, 0, 0);

  fixed->ScreenSnap = false;
  begin();
  EXPECT_EQ(std::get<0>(dragTo(-33, 0)), 7L) << "no snap when it is off";
  SendMessageW(fixed->Handle(), WM_EXITSIZEMOVE, 0, 0);
}

// A form that builds its controls from stored values, as the main window does.
class LoadedForm : public TForm {
 public:
  explicit LoadedForm(TComponent* owner) : TForm(owner) {
    OnCreate = [this](TObject*) {
      log.push_back("create:" + edit->Text() + (made == this ? ":ref" : ":noref"));
    };
    OnShow = [this](TObject*) { log.push_back(std::string("show:") + (Showing() ? "visible" : "hidden")); };
    edit = new TEdit(this);
    BeginLoading();
    SetBounds(70, 70, 300, 200);
    edit->SetParent(this);
    edit->SetBounds(10, 10, 100, 22);
    edit->SetTabStop(true);
    edit->SetText("stored");
    EndLoading();
    log.push_back("constructed");
  }
  void Loaded() override {
    TForm::Loaded();
    log.push_back("loaded");
  }
  static inline std::vector<std::string> log;
  static inline LoadedForm* made = nullptr;  // the variable CreateForm fills
  TEdit* edit = nullptr;
};

TEST_F(FrameTest, CreateRunsOnceAfterTheLayoutAndShowOnceBeforeTheFormIsActive) {
  LoadedForm*& loaded = LoadedForm::made;
  auto& log = LoadedForm::log;
  TForm* previous = Application->MainForm();
  Application->SetMainForm(nullptr);
  Application->CreateForm(loaded);
  EXPECT_EQ(Application->MainForm(), loaded);
  if (ScreenPixelsPerInch() == 96) {  // loading at the design density scales nothing
    EXPECT_EQ(std::pair(loaded->edit->Left(), loaded->edit->Width()), std::pair(10, 100));
  }
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

  // Made without CreateForm, a form runs OnCreate when first shown.
  int creates = 0;
  fixed->OnCreate = [&](TObject*) { ++creates; };
  fixed->OnShow = [&](TObject*) { EXPECT_EQ(creates, 1); };
  fixed->Show();
  fixed->Hide();
  fixed->Show();
  EXPECT_EQ(creates, 1);
}

TEST_F(FrameTest, ScaleByScalesTheClientAreaAndEveryControlInside) {
  auto* group = Make<TGroupBox>(fixed, 13, 26, 130, 65);
  auto* inner = Make<TEdit>(group, 13, 13, 52, 26);
  auto* strip = Make<TShape>(fixed);
  strip->SetAlign(TAlign::alTop);
  auto* label = Make<TLabel>(fixed, 13, 104, 0, 0, "Sized to its caption");
  const int captionWidth = label->Width();
  fixed->ScaleBy(16, 13);
  EXPECT_EQ(std::pair(fixed->ClientWidth(), fixed->ClientHeight()), std::pair(439, 551));
  EXPECT_EQ(
      std::tuple(group->Left(), group->Top(), group->Width(), group->Height(), inner->Left(), inner->Width()),
      std::tuple(16, 32, 160, 80, 16, 64));
  // A top-aligned control spans the scaled client area; an auto-sized label keeps the size of its caption.
  EXPECT_EQ(std::tuple(strip->Width(), label->Top(), label->Width()),
            std::tuple(fixed->ClientWidth(), 128, captionWidth));
}

// The application's own loop, once per program: it stops for good when terminated.
TEST_F(FrameTest, RunShowsTheMainFormAndUpdatesActionsFromTheFirstIdleMoment) {
  std::vector<std::string> log;
  auto* main = new TForm(form);
  main->OnShow = [&](TObject*) { log.push_back("show"); };
  auto* action = new TAction(new TActionList(main));
  action->OnUpdate = [&](TObject*) {
    log.push_back("update");
    if (log.size() == 2) {                // the first update
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
}

// ---------------------------------------------------------------------------------------------
// Image lists

constexpr COLORREF kMagenta = RGB(255, 0, 255), kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255),
                   kGround = RGB(0, 128, 0);

// Pictures side by side: a magenta ground with a 6x6 square from (4, 4) in the picture's colour.
void MakePictures(TBitmap& bitmap, const std::vector<COLORREF>& colours) {
  std::vector<Patch> squares;
  for (int i = 0; i < static_cast<int>(colours.size()); ++i)
    squares.push_back({RECT{16 * i + 4, 4, 16 * i + 10, 10}, colours[static_cast<size_t>(i)]});
  bitmap.SetHandle(MakeBitmap(16 * static_cast<int>(colours.size()), 16, kMagenta, squares));
}

TEST(ImageListTest, PicturesDrawWithTheGroundShowingThroughMagentaAndIndexesThatAreNoPictureDrawNothing) {
  TImageList images(nullptr);
  Snapshot surface(40, 40, kGround);
  images.Draw(surface.DC(), 0, 0, 0);
  images.Draw(surface.DC(), 0, 0, -1);
  EXPECT_THROW(images.Delete(0), EListError);
  TBitmap empty, strip, one, copy;
  EXPECT_EQ(images.AddMasked(empty, static_cast<TColor>(kMagenta)), -1);

  MakePictures(strip, {kRed, kBlue});
  int changes = 0;
  images.OnChange = [&](TObject*) { ++changes; };  // the buttons that show the pictures repaint
  EXPECT_EQ(images.AddMasked(strip, static_cast<TColor>(kMagenta)), 0);
  // Two pictures, one change, and the caller's bitmap keeps its magenta.
  EXPECT_EQ(std::tuple(images.Count(), changes, strip.PixelAt(0, 0)), std::tuple(2, 1, kMagenta));
  images.Draw(surface.DC(), 0, 0, 2);
  EXPECT_EQ(surface.Pixel(5, 5), kGround) << "no picture drawn so far";

  images.Draw(surface.DC(), 10, 10, 1);
  const std::tuple<int, int, COLORREF> expected[] = {
      {15, 15, kBlue}, {11, 11, kGround}, {22, 22, kGround}, {14, 19, kBlue}, {20, 20, kGround}};
  for (auto [x, y, colour] : expected)
    EXPECT_EQ(surface.Pixel(x, y), colour) << x << "," << y;
  TCanvas canvas;
  canvas.SetHandle(surface.DC());
  images.Draw(canvas, 0, 0, 0);
  canvas.SetHandle(nullptr);
  EXPECT_EQ(std::pair(surface.Pixel(5, 5), surface.Pixel(0, 0)), std::pair(kRed, kGround));

  // Disabled: the picture's shape in the shadow colours, the highlight below right.
  Snapshot disabled(40, 40, kGround);
  images.Draw(disabled.DC(), 0, 0, 0, false);
  EXPECT_EQ((std::vector{disabled.Pixel(5, 5), disabled.Pixel(10, 10), disabled.Pixel(1, 1),
                         disabled.Pixel(12, 5)}),
            (std::vector{ColorToRGB(clBtnShadow), ColorToRGB(clBtnHighlight), kGround, kGround}));

  // A copy has the given background where the picture is see-through.
  ASSERT_TRUE(images.GetBitmap(1, copy, static_cast<TColor>(kMagenta)));
  EXPECT_EQ(std::tuple(copy.Width(), copy.PixelAt(0, 0), copy.PixelAt(5, 5)),
            std::tuple(16, kMagenta, kBlue));
  EXPECT_FALSE(images.GetBitmap(2, copy, clWhite));

  images.Delete(0);
  images.Draw(surface.DC(), 0, 0, 0);
  EXPECT_EQ(std::pair(images.Count(), surface.Pixel(5, 5)), std::pair(1, kBlue));
  // The see-through colour may come from the bottom-left pixel.
  MakePictures(one, {kRed});
  EXPECT_EQ(images.AddTransparent(one), 1);
  images.Draw(surface.DC(), 20, 0, 1);
  EXPECT_EQ(std::pair(surface.Pixel(20, 15), surface.Pixel(26, 6)), std::pair(kGround, kRed));

  TImageList large(nullptr);  // too small a bitmap for its pictures adds nothing
  large.SetSize(32, 32);
  EXPECT_TRUE(large.AddMasked(strip, static_cast<TColor>(kMagenta)) == -1 && large.Count() == 0);
}

}  // namespace
}  // namespace vellumor::test
