// Components (ownership, removal notices, loading) and windowed and graphic controls on a real form: focus
// notices, reflection, mouse routing and capture, the speed button, the timer, and exceptions stopping at the
// window procedure; shapes, bevels and the bitmap button as they paint themselves, top alignment, and the
// bitmap button's clicks; the canvas's handling of the device context's objects, and bitmaps.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <tuple>
#include <vector>

#include "Buttons.h"
#include "Classes.h"
#include "ExtCtrls.h"
#include "FormFixture.h"
#include "Graphics.h"
#include "StdCtrls.h"

namespace vellumor::test {
namespace {

// --- components: ownership, removal notices, loading ---------------------------------------------

std::vector<std::string> journal;

class Probe : public TComponent {
 public:
  Probe(TComponent* owner, std::string name) : TComponent(owner) { Name = std::move(name); }
  ~Probe() override { journal.push_back("delete " + Name); }

  std::vector<std::string> removals, inserts;
  int loadedCalls = 0;
  bool loadingSeenInLoaded = false;

  void Loaded() override {
    ++loadedCalls;
    loadingSeenInLoaded = (ComponentState() & csLoading) != 0;
    TComponent::Loaded();
  }

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    (operation == TOperation::opRemove ? removals : inserts).push_back(component->Name);
  }
};

TEST(ComponentOwnership, OwnerDeletesOwnedComponentsNewestFirstAndADeletedOneLeavesItsOwner) {
  journal.clear();
  auto* owner = new Probe(nullptr, "owner");
  new Probe(owner, "a");
  auto* b = new Probe(owner, "b");
  new Probe(b, "b1");
  new Probe(owner, "c");
  ASSERT_EQ(owner->ComponentCount(), 3);
  delete owner;
  EXPECT_EQ(journal,
            (std::vector<std::string>{"delete owner", "delete c", "delete b", "delete b1", "delete a"}));

  // Deleted first, an owned component leaves its owner.
  Probe kept(nullptr, "kept");
  auto* a = new Probe(&kept, "a");
  new Probe(&kept, "b");
  delete a;
  EXPECT_TRUE(kept.ComponentCount() == 1 && kept.Components(0)->Name == "b") << kept.ComponentCount();
}

TEST(ComponentNotification, RemovalIsAnnouncedToTheOwnerAndEverySiblingBelowIt) {
  Probe owner(nullptr, "owner");
  auto* watcher = new Probe(&owner, "watcher");
  auto* nested = new Probe(watcher, "nested");  // hears it through its own owner
  auto* doomed = new Probe(&owner, "doomed");
  // The owner hears its own two; "nested" was announced below "watcher".
  EXPECT_EQ(std::pair(owner.inserts.size(), watcher->inserts.size()), (std::pair<size_t, size_t>(2, 2)));
  delete doomed;
  const std::vector<std::string> heard{"doomed"};
  EXPECT_EQ((std::vector{owner.removals, watcher->removals, nested->removals}),
            (std::vector{heard, heard, heard}));
}

TEST(ComponentNotification, OwnedComponentsAnnounceTheirRemovalNewestFirstWhenTheOwnerGoes) {
  Probe outsider(nullptr, "outsider");
  auto* owner = new Probe(nullptr, "owner");
  auto* a = new Probe(owner, "a");
  auto* b = new Probe(owner, "b");
  a->FreeNotification(&outsider);
  b->FreeNotification(&outsider);
  owner->FreeNotification(&outsider);
  delete owner;
  EXPECT_EQ(outsider.removals, (std::vector<std::string>{"owner", "b", "a"}));
}

TEST(ComponentLoading, LoadingFlagIsSetOnTheTreeAndLoadedRunsOnceEach) {
  Probe owner(nullptr, "owner");
  auto* child = new Probe(&owner, "child");
  owner.BeginLoading();
  auto loading = [&] {
    return std::pair((owner.ComponentState() & csLoading) != 0, (child->ComponentState() & csLoading) != 0);
  };
  EXPECT_EQ(loading(), std::pair(true, true));
  owner.EndLoading();
  EXPECT_EQ(std::tuple(owner.loadedCalls, child->loadedCalls, child->loadingSeenInLoaded),
            std::tuple(1, 1, true));
  EXPECT_EQ(loading(), std::pair(false, false));
  owner.EndLoading();  // not loading any more: nothing to finish
  EXPECT_EQ(owner.loadedCalls, 1);
}

TEST(ListError, MessageNamesTheBadIndex) {
  EXPECT_THAT([] { ListIndexError(7); }, testing::ThrowsMessage<EListError>(testing::HasSubstr("7")));
}

// --- focus ---------------------------------------------------------------------------------------

class FocusTest : public FormTest {
 protected:
  // A control that logs its enter and exit notices.
  template <class T = TEdit>
  T* MakeEdit(TWinControl* parent, const std::string& name, int top, int height = 22) {
    auto* control = Make<T>(parent, 10, top, 200, height);
    control->OnEnter = [this, name](TObject*) { log.push_back("enter " + name); };
    control->OnExit = [this, name](TObject*) { log.push_back("exit " + name); };
    return control;
  }
  // What the focus change that `act` makes is heard as.
  template <class F>
  std::vector<std::string> Heard(F act) {
    log.clear();
    act();
    return log;
  }
  std::vector<std::string> log;
};

TEST_F(FocusTest, ExitAndEnterFollowTheFocusAcrossContainers) {
  TEdit* first = MakeEdit(form, "first", 10);
  auto* panel = MakeEdit<TWinControl>(form, "panel", 100, 100);  // a plain windowed container
  TEdit* inner1 = MakeEdit(panel, "inner1", 10);
  TEdit* inner2 = MakeEdit(panel, "inner2", 40);
  first->SetFocus();
  EXPECT_EQ(Heard([&] { inner1->SetFocus(); }),
            (std::vector<std::string>{"exit first", "enter panel", "enter inner1"}));
  // Still inside the panel: the panel hears nothing.
  EXPECT_EQ(Heard([&] { inner2->SetFocus(); }), (std::vector<std::string>{"exit inner1", "enter inner2"}));
  EXPECT_EQ(Heard([&] { first->SetFocus(); }),
            (std::vector<std::string>{"exit inner2", "exit panel", "enter first"}));
  EXPECT_EQ(form->FocusedControl(), first);

  // The focus needs the control and its parents visible and enabled.
  std::string can = inner1->CanFocus() ? "1" : "0";
  panel->SetEnabled(false);
  can += inner1->CanFocus() ? "1" : "0";
  panel->SetEnabled(true);
  panel->SetVisible(false);
  EXPECT_EQ(can + (inner1->CanFocus() ? "1" : "0"), "100");
}

TEST_F(FocusTest, TabOrderDecidesWhereTabGoesAndSurvivesRecreation) {
  TEdit* first = MakeEdit(form, "first", 10);
  TEdit* second = MakeEdit(form, "second", 40);
  TEdit* third = MakeEdit(form, "third", 70);
  third->SetTabOrder(0);
  EXPECT_EQ(first->TabOrder(), 1);
  for (int pass = 0; pass < 2; ++pass) {
    third->SetFocus();
    EXPECT_EQ(TabSequence(2), (std::vector<TWinControl*>{first, second})) << pass;
    form->RecreateWnd();
  }
  second->SetFocus();  // Shift+Tab goes back
  EXPECT_EQ(TabSequence(2, true), (std::vector<TWinControl*>{first, third}));
  second->SetTabOrder(99);  // past the end: last
  EXPECT_EQ(second->TabOrder(), 2);
}

TEST_F(FocusTest, FocusComesBackOnActivationForgetsADeletedControlAndAutoSelectsByKeyboardOnly) {
  TEdit* first = MakeEdit(form, "first", 10);
  TEdit* second = MakeEdit(form, "second", 40);
  second->SetFocus();
  SendMessageW(form->Handle(), WM_ACTIVATE, WA_INACTIVE, 0);
  ::SetFocus(nullptr);
  EXPECT_TRUE(Heard([&] { SendMessageW(form->Handle(), WM_ACTIVATE, WA_ACTIVE, 0); }).empty())
      << "returning is not entering";
  EXPECT_TRUE(second->Focused());

  delete second;
  EXPECT_NE(form->FocusedControl(), second);
  // Must not send an exit notice to the deleted control.
  EXPECT_EQ(Heard([&] { first->SetFocus(); }), std::vector<std::string>{"enter first"});

  // Entered by the keyboard an edit selects all; a click places the caret and selects nothing.
  TEdit* third = MakeEdit(form, "third", 40);
  third->SetText("hello");
  third->SetFocus();
  EXPECT_EQ(third->SelLength(), 5);
  first->SetFocus();
  third->SetSelStart(0);
  LeftDown(third->Handle(), 60, 5);
  LeftUp(third->Handle(), 60, 5);
  EXPECT_EQ(std::pair(Focus(), third->SelLength()), std::pair(static_cast<TWinControl*>(third), 0));
}

// --- edits and reflection ----------------------------------------------------------------------

TEST_F(FormTest, EditHeightFollowsItsFontAndItsChangesAndKeysReachItsEvents) {
  auto* edit = Make<TEdit>(form);
  int small = edit->Height();
  edit->Font().SetHeight(-24);
  EXPECT_GT(edit->Height(), small + 8);
  auto* fixed = new TEdit(form);
  fixed->SetAutoSize(false);
  fixed->SetHeight(40);
  fixed->SetParent(form);
  EXPECT_EQ(fixed->Height(), 40);

  int changes = 0;
  fixed->OnChange = [&](TObject* sender) { changes += sender == fixed; };
  fixed->SetText("abc");
  Char(fixed->Handle(), L'x');
  EXPECT_EQ(std::pair(changes, fixed->Text()), std::pair(2, std::string("xabc")));

  // Key events can swallow or change a character or a key.
  edit->OnKeyPress = [](TObject*, wchar_t& key) {
    if (key == L'x') key = 0;
    if (key == L'a') key = L'b';
  };
  edit->SetMaxLength(1);
  Type(edit->Handle(), L"xac");
  EXPECT_EQ(edit->Text(), "b") << "at most one character";
  std::vector<WORD> keys;
  edit->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
    keys.push_back(key);
    if (key == VK_HOME) key = 0;
  };
  edit->SetSelStart(1);
  KeyDown(edit->Handle(), VK_HOME);  // swallowed: the caret stays
  const int afterHome = edit->SelStart();
  KeyDown(edit->Handle(), VK_LEFT);
  EXPECT_EQ(std::tuple(afterHome, edit->SelStart(), keys),
            std::tuple(1, 0, std::vector<WORD>{VK_HOME, VK_LEFT}));
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

TEST_F(FormTest, CommandNotifyAndColourAreAnsweredByTheChildTheirHandleNames) {
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

  auto* edit = Make<TEdit>(form);
  edit->SetColor(clRed);
  HDC dc = GetDC(edit->Handle());
  LRESULT brush = SendMessageW(form->Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                               reinterpret_cast<LPARAM>(edit->Handle()));
  LOGBRUSH lb{};
  GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof(lb), &lb);
  EXPECT_EQ(std::pair(GetBkColor(dc), lb.lbColor), std::pair(RGB(255, 0, 0), RGB(255, 0, 0)));
  ReleaseDC(edit->Handle(), dc);
}

// --- graphic controls ------------------------------------------------------------------------------

class Tile : public TGraphicControl {
 public:
  explicit Tile(TComponent* owner) : TGraphicControl(owner) { ControlStyle = csCaptureMouse | csClickEvents; }
  std::vector<std::string> events;

 protected:
  void Paint() override {
    Canvas().Brush.SetColor(clGreen);
    Canvas().FillRect(ClientRect());
  }
  void Log(const char* what, int x, int y) {
    events.push_back(what + (" " + std::to_string(x) + "," + std::to_string(y)) +
                     (MouseCapture() ? " captured" : ""));
  }
  void MouseDown(TMouseButton, TShiftState, int x, int y) override { Log("down", x, y); }
  void MouseMove(TShiftState, int x, int y) override { Log("move", x, y); }
  void MouseUp(TMouseButton, TShiftState, int x, int y) override { Log("up", x, y); }
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
  // Released outside: no click; then released inside (its far corner): a click.
  LeftDown(hwnd, 89, 89);
  LeftUp(hwnd, 89, 89);
  SendMessageW(hwnd, WM_MOUSEMOVE, 0, Point(10, 10));  // not over the tile: not its message
  EXPECT_EQ(tile->events, (std::vector<std::string>{"down 5,5 captured", "move 150,-50 captured",
                                                    "up 150,-50", "down 39,29 captured", "up 39,29"}));
  EXPECT_EQ(clicks, 1);

  // Capture taken by another window cancels the tile's.
  tile->events.clear();
  LeftDown(hwnd, 55, 65);
  ASSERT_TRUE(tile->MouseCapture());
  SetCapture(Make<TEdit>(form)->Handle());
  EXPECT_FALSE(tile->MouseCapture());
  ReleaseCapture();
  MoveHeld(hwnd, 10, 10);  // no longer routed to the tile
  EXPECT_EQ(tile->events.size(), 1u);

  // Disabled or hidden, it gets nothing.
  tile->events.clear();
  for (bool hide : {false, true}) {
    tile->SetEnabled(hide);
    tile->SetVisible(!hide);
    LeftDown(hwnd, 55, 65);
    LeftUp(hwnd, 55, 65);
  }
  EXPECT_TRUE(tile->events.empty() && !GetCapture());
}

TEST_F(FormTest, ParentPaintsItsGraphicChildrenAndShowsTheCursorOfTheOneUnderThePointer) {
  form->SetCursor(crHandPoint);
  auto* tile = Make<Tile>(form, 20, 20, 10, 10);
  tile->SetCursor(crCross);
  const Snapshot shot(*form);
  EXPECT_EQ(std::pair(shot.Pixel(25, 25), shot.Pixel(35, 25)),
            std::pair(RGB(0, 128, 0), GetSysColor(COLOR_BTNFACE)));

  HWND hwnd = form->Handle();
  POINT pt{25, 25};
  ClientToScreen(hwnd, &pt);
  SetCursorPos(pt.x, pt.y);
  auto setCursor = [&] {
    return SendMessageW(hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd),
                        MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  };
  EXPECT_EQ(setCursor(), TRUE);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_CROSS));
  tile->SetVisible(false);
  setCursor();
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}

// --- speed button ------------------------------------------------------------------------------------

TEST_F(FormTest, SpeedButtonIsDownWhileHeldOverItAndClicksOnReleaseOverIt) {
  auto* button = Make<TSpeedButton>(form, 10, 10, 30, 20);
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  // Down or up, whether it holds the mouse, and the clicks so far.
  auto state = [&] {
    return std::string(button->State() == TButtonState::bsDown ? "down" : "up") +
           (button->MouseCapture() ? " held " : " ") + std::to_string(clicks);
  };
  HWND hwnd = form->Handle();
  // What the mouse does on the form (a release outside clicks nothing; a double click is a second
  // press), and the button's state after it.
  const std::tuple<UINT, int, const char*> steps[] = {
      {WM_LBUTTONDOWN, 15, "down held 0"}, {WM_MOUSEMOVE, 100, "up held 0"},
      {WM_MOUSEMOVE, 20, "down held 0"},   {WM_LBUTTONUP, 20, "up 1"},
      {WM_LBUTTONDOWN, 15, "down held 1"}, {WM_LBUTTONUP, 100, "up 1"},
      {WM_RBUTTONDOWN, 15, "up 1"},        {WM_LBUTTONDOWN, 15, "down held 1"},
      {WM_LBUTTONUP, 15, "up 2"},          {WM_LBUTTONDBLCLK, 15, "down held 2"},
      {WM_LBUTTONUP, 15, "up 3"}};
  for (auto [msg, at, seen] : steps) {
    const WPARAM keys = msg == WM_LBUTTONUP ? 0 : msg == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON;
    SendMessageW(hwnd, msg, keys, Point(at, at));
    EXPECT_EQ(state(), seen) << msg << " at " << at;
  }

  // An exception from its handler stops at the window procedure, after the release was handled.
  button->OnClick = [](TObject*) { throw EListError("from a click"); };
  LeftDown(hwnd, 15, 15);
  LeftUp(hwnd, 15, 15);
  EXPECT_EQ(std::pair(errors, GetCapture()), std::pair(std::vector<std::string>{"from a click"}, HWND{}));
}

TEST_F(FormTest, SpeedButtonShowsTheGlyphImageOfItsStateWithTheBottomLeftColourSeeThrough) {
  auto* button = Make<TSpeedButton>(form, 0, 0, 14, 12);
  button->SetFlat(true);  // no frame: only the face and the glyph
  // Two images of 2x2 on a blue ground (the bottom-left pixel): the first has a red top-right
  // pixel, the second (the disabled one) a green one. Centred, the glyph sits from (6, 5).
  button->Glyph()->SetHandle(MakeBitmap(
      4, 2, RGB(0, 0, 255), {{RECT{1, 0, 2, 1}, RGB(255, 0, 0)}, {RECT{3, 0, 4, 1}, RGB(0, 255, 0)}}));
  button->SetNumGlyphs(2);
  const Snapshot shot(*button);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ((std::vector{shot.Pixel(7, 5), shot.Pixel(6, 5), shot.Pixel(7, 6)}),
            (std::vector{RGB(255, 0, 0), face, face}));
  button->SetEnabled(false);
  EXPECT_EQ(Snapshot(*button).Pixel(7, 5), RGB(0, 255, 0));
}

// --- timer -----------------------------------------------------------------------------------------

TEST_F(FormTest, TimerTicksThroughTheMessageLoopOnlyWhileEnabled) {
  TTimer timer(form);
  timer.SetInterval(10);
  int ticks = 0;
  timer.OnTimer = [&](TObject* sender) {
    EXPECT_EQ(sender, &timer);
    if (++ticks == 2) timer.SetEnabled(false);
  };
  DWORD start = GetTickCount();
  while (ticks < 2 && GetTickCount() - start < 5000)
    Application->HandleMessage();
  SendMessageW(timer.Handle(), WM_TIMER, 1, 0);  // disabled: no tick
  EXPECT_EQ(ticks, 2);

  timer.SetEnabled(true);
  timer.OnTimer = [](TObject*) { throw std::runtime_error("tick failed"); };
  SendMessageW(timer.Handle(), WM_TIMER, 1, 0);
  EXPECT_EQ(errors, std::vector<std::string>{"tick failed"});
}

// --- windows -----------------------------------------------------------------------------------------

TEST_F(FormTest, ChildWindowsAreMadeWithTheParentsAndRecreatedKeepingTheirTextAndStyle) {
  auto* edit = new TEdit(form);
  EXPECT_FALSE(edit->HandleAllocated());
  edit->SetText("kept");
  edit->SetParent(form);
  // In the parent's window, sunken; without the 3-D look not (and read-only as asked).
  EXPECT_TRUE(GetParent(edit->Handle()) == form->Handle() &&
              (StyleOf(*edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE));
  edit->SetReadOnly(true);
  HWND before = edit->Handle();
  edit->SetCtl3D(false);  // needs a new window
  EXPECT_FALSE(IsWindow(before));
  EXPECT_EQ(
      std::tuple(edit->Text(), StyleOf(*edit) & ES_READONLY, StyleOf(*edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE,
                 TWinControl::FindControl(edit->Handle())),
      std::tuple("kept", static_cast<LONG>(ES_READONLY), 0L, static_cast<TWinControl*>(edit)));

  auto* rtl = new TEdit(form);
  rtl->SetBiDiMode(TBiDiMode::bdRightToLeft);
  rtl->SetParent(form);
  EXPECT_TRUE(rtl->UseRightToLeftAlignment() && !edit->UseRightToLeftAlignment());
  EXPECT_EQ(StyleOf(*rtl, GWL_EXSTYLE) & (WS_EX_RTLREADING | WS_EX_RIGHT), WS_EX_RTLREADING | WS_EX_RIGHT);

  // A leaf control hidden when its parent's window is made gets its own once it is shown.
  auto* panel = new TGroupBox(form);
  auto* later = new TEdit(form);
  later->SetVisible(false);
  later->SetParent(panel);
  panel->SetParent(form);
  EXPECT_EQ(std::pair(panel->HandleAllocated(), later->HandleAllocated()), std::pair(true, false));
  later->SetVisible(true);
  ASSERT_TRUE(later->HandleAllocated());
  EXPECT_TRUE(IsWindowVisible(later->Handle()));
}

TEST_F(FormTest, FontChangeReachesChildrenThatFollowTheirParent) {
  auto* edit = Make<TEdit>(form);
  auto* own = Make<TEdit>(form);
  own->Font().SetName("Courier New");
  form->Font().SetHeight(-20);
  EXPECT_EQ(std::tuple(edit->Font().Height(), own->Font().Height(),
                       reinterpret_cast<HFONT>(SendMessageW(edit->Handle(), WM_GETFONT, 0, 0))),
            std::tuple(-20, -11, edit->Font().Handle()));
}

// --- shapes, bevels, the bitmap button ---------------------------------------------------------

constexpr COLORREF kMagenta = RGB(255, 0, 255), kRed = RGB(255, 0, 0);

TEST_F(FormTest, ShapeDrawsItsPenOutlineAndBrushInside) {
  auto* shape = Make<TShape>(form, 10, 10, 40, 30);
  shape->Brush().SetColor(clWhite);
  Snapshot plain(*shape);
  EXPECT_EQ((std::vector{plain.Pixel(0, 0), plain.Pixel(39, 29), plain.Pixel(20, 15)}),
            (std::vector{RGB(0, 0, 0), RGB(0, 0, 0), RGB(255, 255, 255)}));  // the default pen is black

  shape->Pen().SetColor(clWhite);
  EXPECT_EQ(Snapshot(*shape).Count(RGB(255, 255, 255)), 40 * 30);  // no border shows
}

TEST_F(FormTest, TopAlignedControlsStackAcrossTheParentsWidth) {
  form->SetClientWidth(357);
  auto* shape = Make<TShape>(form, 5, 5, 10, 45);
  shape->SetAlign(TAlign::alTop);
  auto* bevel = Make<TBevel>(form, 0, 200, 10, 12);
  bevel->SetAlign(TAlign::alTop);
  auto bounds = [](TControl* c) { return std::tuple(c->Left(), c->Top(), c->Width(), c->Height()); };
  EXPECT_EQ(bounds(shape), std::tuple(0, 0, 357, 45));
  EXPECT_EQ(bounds(bevel), std::tuple(0, 45, 357, 12));

  shape->SetHeight(50);  // the later one moves down with it
  shape->SetLeft(30);    // an aligned control stays where its alignment puts it
  EXPECT_EQ(std::pair(bevel->Top(), shape->Left()), std::pair(50, 0));
  delete shape;
  EXPECT_EQ(bevel->Top(), 0);
}

TEST_F(FormTest, BevelFrameAndTopLineAreEtched) {
  const COLORREF shadow = ColorToRGB(clBtnShadow), light = ColorToRGB(clBtnHighlight);
  auto* bevel = Make<TBevel>(form, 8, 56, 257, 129);
  bevel->SetShape(TBevelShape::bsFrame);
  // Left, top and bottom edges, then the inside, which is left alone.
  Snapshot frame(*bevel);
  EXPECT_EQ((std::vector{frame.Pixel(0, 60), frame.Pixel(1, 60), frame.Pixel(100, 0), frame.Pixel(100, 1),
                         frame.Pixel(100, 128), frame.Pixel(100, 60)}),
            (std::vector{shadow, light, shadow, light, light, RGB(0, 0, 0)}));

  bevel->SetShape(TBevelShape::bsTopLine);
  bevel->SetBounds(0, 45, 357, 12);
  // The etched line, nothing below it and no side lines.
  Snapshot line(*bevel);
  EXPECT_EQ((std::vector{line.Pixel(50, 0), line.Pixel(50, 1), line.Pixel(50, 2), line.Pixel(0, 6),
                         line.Pixel(356, 6)}),
            (std::vector{shadow, light, RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0)}));
}

TEST_F(FormTest, BitBtnShowsItsGlyphLeftOfItsCaptionAndClicksByMouseKeyboardAndDoubleClick) {
  auto* button = Make<TBitBtn>(form, 274, 58, 75, 25, "Preview");
  // A magenta ground with a red 8 x 8 square in the middle.
  button->Glyph()->SetHandle(MakeBitmap(16, 16, kMagenta, {{RECT{4, 4, 12, 12}, kRed}}));
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  EXPECT_EQ(StyleOf(*button) & BS_TYPEMASK, BS_OWNERDRAW);
  // All of the red left of the middle, where the caption follows, and clear of the frame; no magenta.
  Snapshot face(*button);
  EXPECT_EQ(std::tuple(face.Count(kRed), face.Count(RECT{3, 0, 75 / 2, 25}, kRed), face.Count(kMagenta)),
            std::tuple(64, 64, 0));

  // Disabled, only the glyph's outline shows: shadow beyond what the frame and the caption have.
  const COLORREF shadow = ColorToRGB(clBtnShadow);
  button->SetEnabled(false);
  Snapshot disabled(*button);
  button->Glyph()->SetHandle(nullptr);
  EXPECT_TRUE(disabled.Count(kRed) == 0 && disabled.Count(shadow) > Snapshot(*button).Count(shadow) + 20);
  button->SetEnabled(true);
  EXPECT_EQ(Snapshot(*button).Count(kRed), 0) << "without a glyph only the caption remains";

  LeftDown(button->Handle(), 5, 5);
  LeftUp(button->Handle(), 5, 5);
  SendMessageW(button->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, Point(5, 5));
  LeftUp(button->Handle(), 5, 5);
  button->SetFocus();
  Press(VK_SPACE);
  EXPECT_EQ(clicks, 3);
  button->SetDefault(true);  // an owner-drawn button keeps its type
  EXPECT_EQ(StyleOf(*button) & BS_TYPEMASK, BS_OWNERDRAW);
}

// --- colours, canvases, bitmaps -------------------------------------------------------------------

TEST(Canvas, PutsTheContextsOwnObjectsBackWhenReleased) {
  EXPECT_EQ(ColorToRGB(static_cast<TColor>(0xFF000017u)), GetSysColor(COLOR_INFOTEXT));  // a system colour
  Snapshot target(40, 40, RGB(0, 0, 0));
  auto selected = [&] {
    return std::tuple(GetCurrentObject(target.DC(), OBJ_FONT), GetCurrentObject(target.DC(), OBJ_BRUSH),
                      GetCurrentObject(target.DC(), OBJ_PEN));
  };
  const auto before = selected();
  const HGDIOBJ font = std::get<0>(before);
  {
    TCanvas canvas;
    canvas.SetHandle(target.DC());
    canvas.Font.SetHeight(-20);
    EXPECT_GT(canvas.TextHeight("Wg"), 15);
    canvas.Brush.SetColor(clRed);
    canvas.Pen.SetColor(clGreen);
    canvas.Rectangle(0, 0, 10, 10);
    EXPECT_NE(GetCurrentObject(target.DC(), OBJ_FONT), font);
    // Changing a tool while it is selected swaps it without leaking the old one.
    canvas.Font.SetHeight(-30);
    EXPECT_EQ(GetCurrentObject(target.DC(), OBJ_FONT), font);
    EXPECT_GT(canvas.TextHeight("Wg"), 25);
  }
  EXPECT_EQ(selected(), before);
  // Without a context, text is measured on the screen.
  TCanvas loose;
  loose.Font.SetSize(8);
  EXPECT_GT(loose.TextHeight("Wg"), 10);
}

TEST(Canvas, RectangleDrawsOutlineWithPenAndInteriorWithBrushRightBottomExclusive) {
  Snapshot target(40, 40, RGB(255, 255, 255));
  TCanvas canvas;
  canvas.SetHandle(target.DC());
  canvas.Brush.SetStyle(TBrushStyle::bsClear);
  canvas.Pen.SetColor(clRed);
  canvas.Rectangle(5, 5, 15, 15);
  // Corners in red, the clear brush leaves the inside white, and the right-bottom edge is outside.
  const COLORREF red = RGB(255, 0, 0), white = RGB(255, 255, 255);
  EXPECT_EQ(
      (std::vector{canvas.Pixel(5, 5), canvas.Pixel(14, 14), canvas.Pixel(10, 10), canvas.Pixel(15, 15)}),
      (std::vector{red, red, white, white}));
  canvas.SetHandle(nullptr);
}

TEST(ScopedClipGuard, RestoresTheRegionOrItsAbsence) {
  Snapshot target(40, 40, RGB(0, 0, 0));
  {
    ScopedClip keep(target.DC());
    IntersectClipRect(target.DC(), 0, 0, 5, 5);
  }
  GdiObject region(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetClipRgn(target.DC(), static_cast<HRGN>(region.Get())), 0);
}

TEST(Bitmap, TransparentColourIsTheBottomLeftPixelAndAMissingResourceLeavesItEmpty) {
  TBitmap bitmap;
  bitmap.SetHandle(MakeBitmap(3, 2, RGB(0, 0, 0), {{RECT{0, 1, 1, 2}, RGB(128, 128, 0)}}));
  EXPECT_EQ(std::tuple(bitmap.Width(), bitmap.Height(), bitmap.TransparentColor()),
            std::tuple(3, 2, RGB(128, 128, 0)));

  TBitmap copy;
  copy.Assign(&bitmap);
  EXPECT_EQ(std::pair(copy.Handle() != bitmap.Handle(), copy.TransparentColor()),
            std::pair(true, RGB(128, 128, 0)));
  copy.Assign(nullptr);
  EXPECT_TRUE(copy.Empty());

  // A missing resource leaves it empty, and says so.
  int changes = 0;
  bitmap.OnChange = [&](TBitmap*) { ++changes; };
  EXPECT_FALSE(bitmap.LoadFromResourceName(GetModuleHandleW(nullptr), "NoSuchBitmap"));
  EXPECT_EQ(std::tuple(bitmap.Empty(), bitmap.Width(), changes), std::tuple(true, 0, 1));
}

// A disabled picture is etched from its dark pixels only, across its whole width: the shape here
// lies in the right half, which the mask's second byte of each row covers.
TEST(Bitmap, DisabledPictureEtchesOnlyItsDarkShape) {
  TBitmap picture;
  picture.SetHandle(MakeBitmap(16, 6, RGB(255, 255, 255), {{RECT{10, 0, 13, 6}, RGB(0, 0, 0)}}));
  const COLORREF face = ColorToRGB(clBtnFace);
  Snapshot button(20, 8, face);
  picture.DrawDisabled(button.DC(), 0, 0, RECT{0, 0, 16, 6});
  EXPECT_EQ(button.Count(RECT{0, 0, 10, 8}, face, true), 0) << "left of the shape";
  EXPECT_GT(button.Count(RECT{10, 0, 13, 6}, ColorToRGB(clBtnShadow)), 0) << "the shape";
  EXPECT_EQ(button.Count(RECT{14, 0, 20, 8}, face, true), 0) << "right of the shape and its highlight";
}

}  // namespace
}  // namespace vellumor::test
