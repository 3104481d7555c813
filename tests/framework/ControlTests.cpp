// Windowed and graphic controls on a real form: focus notices, reflection, mouse routing and
// capture, the speed button, the timer, and exceptions stopping at the window procedure.
#include <gtest/gtest.h>

#include <stdexcept>

#include "Buttons.h"
#include "ExtCtrls.h"
#include "FormFixture.h"
#include "StdCtrls.h"

namespace vellumor::test {
namespace {

// A plain windowed container that records the focus notices it hears.
class Panel : public TWinControl {
 public:
  explicit Panel(TComponent* owner, std::vector<std::string>* log) : TWinControl(owner), log_(log) {
    SetBounds(10, 100, 200, 100);
  }

 protected:
  void CMEnter(TMessage& m) override {
    log_->push_back("enter " + Name);
    TWinControl::CMEnter(m);
  }
  void CMExit(TMessage& m) override {
    log_->push_back("exit " + Name);
    TWinControl::CMExit(m);
  }

 private:
  std::vector<std::string>* log_;
};

class FocusTest : public FormTest {
 protected:
  TEdit* MakeEdit(TWinControl* parent, const std::string& name, int top) {
    auto* edit = Make<TEdit>(parent, 10, top, 100, 22);
    edit->Name = name;
    edit->OnEnter = [this, name](TObject*) { log.push_back("enter " + name); };
    edit->OnExit = [this, name](TObject*) { log.push_back("exit " + name); };
    return edit;
  }
  std::vector<std::string> log;
};

TEST_F(FocusTest, ExitAndEnterFollowTheFocusAcrossContainers) {
  TEdit* first = MakeEdit(form, "first", 10);
  auto* panel = new Panel(form, &log);
  panel->Name = "panel";
  panel->SetParent(form);
  TEdit* inner1 = MakeEdit(panel, "inner1", 10);
  TEdit* inner2 = MakeEdit(panel, "inner2", 40);

  first->SetFocus();
  ASSERT_TRUE(first->Focused());
  log.clear();
  inner1->SetFocus();
  EXPECT_EQ(log, (std::vector<std::string>{"exit first", "enter panel", "enter inner1"}));
  log.clear();
  inner2->SetFocus();  // still inside the panel: the panel hears nothing
  EXPECT_EQ(log, (std::vector<std::string>{"exit inner1", "enter inner2"}));
  log.clear();
  first->SetFocus();
  EXPECT_EQ(log, (std::vector<std::string>{"exit inner2", "exit panel", "enter first"}));
  EXPECT_EQ(form->FocusedControl(), first);
}

TEST_F(FocusTest, TabOrderDecidesWhereTabGoesAndSurvivesRecreation) {
  TEdit* first = MakeEdit(form, "first", 10);
  TEdit* second = MakeEdit(form, "second", 40);
  TEdit* third = MakeEdit(form, "third", 70);
  EXPECT_EQ(third->TabOrder(), 2);
  third->SetTabOrder(0);
  EXPECT_EQ(third->TabOrder(), 0);
  EXPECT_EQ(first->TabOrder(), 1);
  for (int pass = 0; pass < 2; ++pass) {
    third->SetFocus();
    EXPECT_EQ(TabSequence(2), (std::vector<TWinControl*>{first, second})) << pass;
    form->RecreateWnd();
  }
  second->SetTabOrder(99);  // past the end: last
  EXPECT_EQ(second->TabOrder(), 2);
}

TEST_F(FocusTest, FocusComesBackToTheLastControlWhenTheFormIsActivatedAgain) {
  MakeEdit(form, "first", 10);
  TEdit* second = MakeEdit(form, "second", 40);
  second->SetFocus();
  SendMessageW(form->Handle(), WM_ACTIVATE, WA_INACTIVE, 0);
  ::SetFocus(nullptr);
  log.clear();
  SendMessageW(form->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_TRUE(second->Focused());
  EXPECT_TRUE(log.empty());  // returning is not entering
}

TEST_F(FocusTest, FocusedControlIsForgottenWhenItIsDeleted) {
  TEdit* edit = MakeEdit(form, "edit", 10);
  TEdit* other = MakeEdit(form, "other", 40);
  edit->SetFocus();
  delete edit;
  EXPECT_NE(form->FocusedControl(), edit);
  log.clear();
  other->SetFocus();  // must not send an exit notice to the deleted control
  EXPECT_EQ(log, std::vector<std::string>{"enter other"});
}

TEST_F(FocusTest, CanFocusNeedsTheControlAndItsParentsVisibleAndEnabled) {
  auto* panel = new Panel(form, &log);
  panel->SetParent(form);
  TEdit* edit = MakeEdit(panel, "edit", 10);
  EXPECT_TRUE(edit->CanFocus());
  panel->SetEnabled(false);
  EXPECT_FALSE(edit->CanFocus());
  panel->SetEnabled(true);
  panel->SetVisible(false);
  EXPECT_FALSE(edit->CanFocus());
}

TEST_F(FocusTest, AutoSelectSelectsAllWhenEnteredByKeyboardButNotByMouse) {
  TEdit* first = MakeEdit(form, "first", 10);
  TEdit* second = MakeEdit(form, "second", 40);
  second->SetText("hello");
  first->SetFocus();
  second->SetFocus();
  EXPECT_EQ(second->SelLength(), 5);

  first->SetFocus();
  second->SetSelStart(0);
  LeftDown(second->Handle(), 60, 5);  // the click places the caret; nothing is selected for it
  LeftUp(second->Handle(), 60, 5);
  EXPECT_TRUE(second->Focused());
  EXPECT_EQ(second->SelLength(), 0);
}

// --- reflection --------------------------------------------------------------------------------

TEST_F(FormTest, EditHeightFollowsItsFontWhenAutoSized) {
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  int small = edit->Height();
  edit->Font().SetHeight(-24);
  EXPECT_GT(edit->Height(), small + 8);
  auto* fixed = new TEdit(form);
  fixed->SetAutoSize(false);
  fixed->SetHeight(40);
  fixed->SetParent(form);
  EXPECT_EQ(fixed->Height(), 40);
}

TEST_F(FormTest, EditChangeNotificationIsReflectedToTheEdit) {
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  int changes = 0;
  edit->OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, edit);
    ++changes;
  };
  edit->SetText("abc");
  EXPECT_EQ(changes, 1);
  Char(edit->Handle(), L'x');
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(edit->Text(), "xabc");
}

TEST_F(FormTest, ColourMessageIsAnsweredByTheChildItNames) {
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  edit->SetColor(clRed);
  HDC dc = GetDC(edit->Handle());
  LRESULT brush = SendMessageW(form->Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                               reinterpret_cast<LPARAM>(edit->Handle()));
  EXPECT_NE(brush, 0);
  EXPECT_EQ(GetBkColor(dc), RGB(255, 0, 0));
  LOGBRUSH lb{};
  GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof(lb), &lb);
  EXPECT_EQ(lb.lbColor, RGB(255, 0, 0));
  ReleaseDC(edit->Handle(), dc);
}

class ReflectionProbe : public TWinControl {
 public:
  using TWinControl::TWinControl;
  std::vector<UINT> seen;

 protected:
  void CNCommand(TMessage& m) override {
    seen.push_back(m.Msg);
    m.Result = 42;
  }
  void CNNotify(TMessage& m) override { seen.push_back(m.Msg); }
};

TEST_F(FormTest, CommandAndNotifyAreFoundByTheHandleTheyCarry) {
  auto* probe = new ReflectionProbe(form);
  probe->SetParent(form);
  HWND child = probe->Handle();
  EXPECT_EQ(SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(0, 1), reinterpret_cast<LPARAM>(child)), 42);
  NMHDR hdr{child, 0, 0};
  SendMessageW(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hdr));
  // A window that is not one of ours is left to the default handling.
  NMHDR stranger{GetDesktopWindow(), 0, 0};
  SendMessageW(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&stranger));
  EXPECT_EQ(probe->seen, (std::vector<UINT>{CN_COMMAND, CN_NOTIFY}));
}

// --- graphic controls ------------------------------------------------------------------------------

class Tile : public TGraphicControl {
 public:
  explicit Tile(TComponent* owner) : TGraphicControl(owner) { ControlStyle = csCaptureMouse | csClickEvents; }
  std::vector<std::string> events;
  TColor fill = clRed;

 protected:
  void Paint() override {
    Canvas().Brush.SetColor(fill);
    Canvas().FillRect(ClientRect());
  }
  void MouseDown(TMouseButton, TShiftState, int x, int y) override {
    events.push_back("down " + std::to_string(x) + "," + std::to_string(y) +
                     (MouseCapture() ? " captured" : ""));
  }
  void MouseMove(TShiftState, int x, int y) override {
    events.push_back("move " + std::to_string(x) + "," + std::to_string(y));
  }
  void MouseUp(TMouseButton, TShiftState, int x, int y) override {
    events.push_back("up " + std::to_string(x) + "," + std::to_string(y) +
                     (MouseCapture() ? " captured" : ""));
  }
};

TEST_F(FormTest, GraphicControlGetsItsMouseInputInItsOwnCoordinatesWithCapture) {
  auto* tile = Make<Tile>(form, 50, 60, 40, 30);
  int clicks = 0;
  tile->OnClick = [&](TObject*) { ++clicks; };
  HWND hwnd = form->Handle();

  LeftDown(hwnd, 55, 65);
  EXPECT_EQ(GetCapture(), hwnd);
  MoveHeld(hwnd, 200, 10);  // far outside: still the tile's, through the capture
  LeftUp(hwnd, 200, 10);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(tile->events, (std::vector<std::string>{"down 5,5 captured", "move 150,-50", "up 150,-50"}));
  EXPECT_EQ(clicks, 0);  // released outside

  tile->events.clear();
  LeftDown(hwnd, 89, 89);
  LeftUp(hwnd, 89, 89);
  EXPECT_EQ(clicks, 1);
  SendMessageW(hwnd, WM_MOUSEMOVE, 0, Point(10, 10));  // not over the tile: not its message
  EXPECT_EQ(tile->events, (std::vector<std::string>{"down 39,29 captured", "up 39,29"}));
}

TEST_F(FormTest, DisabledOrHiddenGraphicControlGetsNoMouseInput) {
  auto* tile = Make<Tile>(form, 50, 60, 40, 30);
  tile->SetEnabled(false);
  LeftDown(form->Handle(), 55, 65);
  LeftUp(form->Handle(), 55, 65);
  tile->SetEnabled(true);
  tile->SetVisible(false);
  LeftDown(form->Handle(), 55, 65);
  LeftUp(form->Handle(), 55, 65);
  EXPECT_TRUE(tile->events.empty());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(FormTest, CaptureTakenByAnotherWindowCancelsTheGraphicControlsCapture) {
  auto* tile = Make<Tile>(form, 50, 60, 40, 30);
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  LeftDown(form->Handle(), 55, 65);
  ASSERT_TRUE(tile->MouseCapture());
  SetCapture(edit->Handle());
  EXPECT_FALSE(tile->MouseCapture());
  ReleaseCapture();
  MoveHeld(form->Handle(), 10, 10);  // no longer routed to the tile
  EXPECT_EQ(tile->events.size(), 1u);
}

TEST_F(FormTest, ParentPaintsItsGraphicChildren) {
  auto* tile = new Tile(form);
  tile->SetBounds(20, 20, 10, 10);
  tile->fill = clGreen;
  tile->SetParent(form);
  EXPECT_EQ(Snapshot(*form).Pixel(25, 25), RGB(0, 128, 0));
  EXPECT_EQ(Snapshot(*form).Pixel(35, 25), GetSysColor(COLOR_BTNFACE));
}

// --- speed button ------------------------------------------------------------------------------------

TEST_F(FormTest, SpeedButtonIsDownWhileHeldOverItAndClicksOnReleaseOverIt) {
  auto* button = Make<TSpeedButton>(form, 10, 10, 30, 20);
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  HWND hwnd = form->Handle();

  LeftDown(hwnd, 15, 15);
  EXPECT_EQ(button->State(), TButtonState::bsDown);
  EXPECT_EQ(clicks, 0);
  MoveHeld(hwnd, 100, 100);
  EXPECT_EQ(button->State(), TButtonState::bsUp);
  EXPECT_TRUE(button->MouseCapture());
  MoveHeld(hwnd, 20, 20);
  EXPECT_EQ(button->State(), TButtonState::bsDown);
  LeftUp(hwnd, 20, 20);
  EXPECT_EQ(button->State(), TButtonState::bsUp);
  EXPECT_EQ(clicks, 1);

  LeftDown(hwnd, 15, 15);
  LeftUp(hwnd, 100, 100);
  EXPECT_EQ(clicks, 1);
  SendMessageW(hwnd, WM_RBUTTONDOWN, MK_RBUTTON, Point(15, 15));
  EXPECT_EQ(button->State(), TButtonState::bsUp);
}

TEST_F(FormTest, SpeedButtonDoubleClickCountsAsASecondPress) {
  auto* button = Make<TSpeedButton>(form, 10, 10, 30, 20);
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  LeftDown(form->Handle(), 15, 15);
  LeftUp(form->Handle(), 15, 15);
  SendMessageW(form->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, Point(15, 15));
  LeftUp(form->Handle(), 15, 15);
  EXPECT_EQ(clicks, 2);
}

TEST_F(FormTest, SpeedButtonGlyphLeavesTheBottomLeftColourSeeThrough) {
  auto* button = new TSpeedButton(form);
  button->SetBounds(0, 0, 14, 12);
  button->SetFlat(true);  // no frame: only the face and the glyph
  // A 4x2 glyph: bottom-left pixel (the see-through colour) blue, one red pixel at the top right.
  button->Glyph()->SetHandle(MakeBitmap(4, 2, RGB(0, 0, 255), {{RECT{3, 0, 4, 1}, RGB(255, 0, 0)}}));
  button->SetParent(form);
  // The glyph sits centred: from (5, 5).
  EXPECT_EQ(Snapshot(*button).Pixel(8, 5), RGB(255, 0, 0));
  EXPECT_EQ(Snapshot(*button).Pixel(5, 5), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(Snapshot(*button).Pixel(6, 6), GetSysColor(COLOR_BTNFACE));
}

TEST_F(FormTest, SpeedButtonShowsTheGlyphImageOfItsState) {
  auto* button = new TSpeedButton(form);
  button->SetBounds(0, 0, 12, 12);
  button->SetFlat(true);
  // Two images of 2x2: the first has a red top-right pixel, the second a green one.
  HBITMAP bmp = MakeBitmap(4, 2, RGB(0, 0, 255),
                           {{RECT{1, 0, 2, 1}, RGB(255, 0, 0)}, {RECT{3, 0, 4, 1}, RGB(0, 255, 0)}});
  button->Glyph()->SetHandle(bmp);
  button->SetNumGlyphs(2);
  button->SetParent(form);
  EXPECT_EQ(Snapshot(*button).Pixel(6, 5), RGB(255, 0, 0));
  button->SetEnabled(false);  // the second image is the disabled one
  EXPECT_EQ(Snapshot(*button).Pixel(6, 5), RGB(0, 255, 0));
}

// --- timer -----------------------------------------------------------------------------------------

TEST_F(FormTest, TimerTicksOnlyWhileEnabled) {
  TTimer timer(form);
  int ticks = 0;
  timer.OnTimer = [&](TObject* sender) {
    EXPECT_EQ(sender, &timer);
    ++ticks;
  };
  SendMessageW(timer.Handle(), WM_TIMER, 1, 0);
  timer.SetEnabled(false);
  SendMessageW(timer.Handle(), WM_TIMER, 1, 0);
  EXPECT_EQ(ticks, 1);
}

TEST_F(FormTest, TimerRunsThroughTheMessageLoop) {
  TTimer timer(form);
  timer.SetInterval(10);
  int ticks = 0;
  timer.OnTimer = [&](TObject*) {
    if (++ticks == 2) timer.SetEnabled(false);
  };
  DWORD start = GetTickCount();
  while (ticks < 2 && GetTickCount() - start < 5000)
    Application->HandleMessage();
  EXPECT_EQ(ticks, 2);
}

// --- exceptions ------------------------------------------------------------------------------------

TEST_F(FormTest, ExceptionFromAnEventHandlerStopsAtTheWindowProcedure) {
  auto* button = Make<TSpeedButton>(form, 10, 10, 30, 20);
  button->OnClick = [](TObject*) { throw EListError("from a click"); };
  LeftDown(form->Handle(), 15, 15);
  LeftUp(form->Handle(), 15, 15);
  EXPECT_EQ(errors, std::vector<std::string>{"from a click"});
  EXPECT_EQ(GetCapture(), nullptr);  // the release was handled before the click threw
}

TEST_F(FormTest, ExceptionFromATimerStopsAtItsWindowProcedure) {
  TTimer timer(form);
  timer.OnTimer = [](TObject*) { throw std::runtime_error("tick failed"); };
  SendMessageW(timer.Handle(), WM_TIMER, 1, 0);
  EXPECT_EQ(errors, std::vector<std::string>{"tick failed"});
}

// --- windows -----------------------------------------------------------------------------------------

TEST_F(FormTest, RecreatedWindowKeepsItsTextAndStyle) {
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  edit->SetText("kept");
  edit->SetReadOnly(true);
  HWND before = edit->Handle();
  edit->SetCtl3D(false);  // needs a new window
  EXPECT_NE(edit->Handle(), before);
  EXPECT_FALSE(IsWindow(before));
  EXPECT_EQ(edit->Text(), "kept");
  EXPECT_TRUE(GetWindowLongW(edit->Handle(), GWL_STYLE) & ES_READONLY);
  EXPECT_FALSE(GetWindowLongW(edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_EQ(TWinControl::FindControl(edit->Handle()), edit);
}

TEST_F(FormTest, ChildWindowsAreMadeWhenTheParentHasOne) {
  auto* edit = new TEdit(form);
  EXPECT_FALSE(edit->HandleAllocated());
  edit->SetText("early");
  edit->SetParent(form);
  EXPECT_TRUE(edit->HandleAllocated());
  EXPECT_EQ(GetParent(edit->Handle()), form->Handle());
  EXPECT_EQ(edit->Text(), "early");
}

TEST_F(FormTest, RightToLeftModeGivesRightAlignedReading) {
  auto* edit = new TEdit(form);
  edit->SetBiDiMode(TBiDiMode::bdRightToLeft);
  edit->SetParent(form);
  EXPECT_TRUE(edit->UseRightToLeftAlignment());
  LONG ex = GetWindowLongW(edit->Handle(), GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_RTLREADING);
  EXPECT_TRUE(ex & WS_EX_RIGHT);
  auto* plain = new TEdit(form);
  EXPECT_FALSE(plain->UseRightToLeftAlignment());
}

TEST_F(FormTest, FontChangeReachesChildrenThatFollowTheirParent) {
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  auto* own = new TEdit(form);
  own->SetParent(form);
  own->Font().SetName("Courier New");
  form->Font().SetHeight(-20);
  EXPECT_EQ(edit->Font().Height(), -20);
  EXPECT_EQ(own->Font().Height(), -11);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(edit->Handle(), WM_GETFONT, 0, 0)), edit->Font().Handle());
}

TEST_F(FormTest, CursorOfTheControlOrOfTheGraphicChildUnderThePointerIsShown) {
  form->SetCursor(crHandPoint);
  auto* tile = new Tile(form);
  tile->SetBounds(0, 0, 50, 50);
  tile->SetCursor(crCross);
  tile->SetParent(form);
  HWND hwnd = form->Handle();
  POINT pt{20, 20};
  ClientToScreen(hwnd, &pt);
  SetCursorPos(pt.x, pt.y);
  EXPECT_EQ(
      SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
      TRUE);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_CROSS));
  tile->SetVisible(false);
  SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}

TEST_F(FormTest, KeyEventsCanSwallowAKeyOrACharacter) {
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  edit->OnKeyPress = [](TObject*, wchar_t& key) {
    if (key == L'x') key = 0;
    if (key == L'a') key = L'b';
  };
  Type(edit->Handle(), L"axc");
  EXPECT_EQ(edit->Text(), "bc");
  std::vector<WORD> keys;
  edit->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
    keys.push_back(key);
    if (key == VK_HOME) key = 0;
  };
  edit->SetSelStart(2);
  KeyDown(edit->Handle(), VK_HOME);  // swallowed: the caret stays
  EXPECT_EQ(edit->SelStart(), 2);
  KeyDown(edit->Handle(), VK_LEFT);
  EXPECT_EQ(edit->SelStart(), 1);
  EXPECT_EQ(keys, (std::vector<WORD>{VK_HOME, VK_LEFT}));
}

}  // namespace
}  // namespace vellumor::test
