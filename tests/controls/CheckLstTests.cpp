// The check list box under Wine: real windows, real messages, pixels read back from the window.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <uxtheme.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "CheckLst.h"
#include "ControlTest.h"
#include "Themes.h"

namespace vellumor::test {
namespace {

using S = TCheckBoxState;

// Opens up what the tests watch: whether an item has a record, and every DrawItem call with
// the state the item had when it was drawn.
class ProbeCheckListBox : public TCheckListBox {
 public:
  using TCheckListBox::HasItemRecord;
  using TCheckListBox::TCheckListBox;

  struct Drawn {
    int index;
    S state;
    RECT rect;
    RECT clip;  // what the context let through
  };
  std::vector<Drawn> drawn;

  void DrawItem(int index, const RECT& rect, TOwnerDrawState state) override {
    RECT clip{};
    GetClipBox(Canvas().Handle(), &clip);
    drawn.push_back({index, index >= 0 && index < Count() ? ItemState(index) : S::cbUnchecked, rect, clip});
    TCheckListBox::DrawItem(index, rect, state);
  }
  // Every item's state as a digit (0 unchecked, 1 checked, 2 grayed), 'd' after a disabled one.
  std::string States() {
    std::string states;
    for (int i = 0; i < Count(); ++i)
      states += std::string(1, Digit(ItemState(i))) + (ItemDisabled(i) ? "d" : "");
    return states;
  }
  std::string Records() {  // 'y' for an item with a record
    std::string records;
    for (int i = 0; i < Count(); ++i)
      records += HasItemRecord(i) ? 'y' : 'n';
    return records;
  }
  static char Digit(S state) { return static_cast<char>('0' + static_cast<int>(state)); }
};

// What the window shows, painted now.
struct Shown : Snapshot {
  explicit Shown(TWinControl& c) : Snapshot(c.ClientWidth(), c.ClientHeight(), RGB(0, 0, 0)) {
    RedrawWindow(c.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC dc = GetDC(c.Handle());
    BitBlt(DC(), 0, 0, c.ClientWidth(), c.ClientHeight(), dc, 0, 0, SRCCOPY);
    ReleaseDC(c.Handle(), dc);
  }
};

const std::vector<std::string> kItems = {"Default desktop only", "Right aligned", "Right to left reading",
                                         "Set foreground",       "Top most",      "Service notification"};

class CheckListBoxTest : public ControlTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    list = Make<ProbeCheckListBox>(form, 10, 10, 220, 160);
    list->Items().Assign(kItems);
    list->OnClickCheck = [this](TObject* sender) { clicks += sender == list; };
    wintest::PumpUntilIdle();
  }

  HWND Hwnd() { return list->Handle(); }
  int MidY(int index) {
    RECT r = list->ItemRect(index);
    return (r.top + r.bottom) / 2;
  }
  // Nothing left to paint, whatever the display server still reports, so a test sees only the
  // painting it causes.
  void Validate() {
    ValidateRect(Hwnd(), nullptr);
    list->drawn.clear();
  }
  // The item's slot as any other code sees it: straight through the list box window.
  static LONG_PTR Slot(TCheckListBox* box, int index) {
    return SendMessageW(box->Handle(), LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  }
  // The check box of an item: one pixel in from the column's left, centred in the row.
  RECT Box(int index) {
    RECT r = list->ItemRect(index);
    const int top = r.top + (r.bottom - r.top - CheckImageHeight()) / 2;
    return RECT{r.left + 1, top, r.left + 1 + CheckImageWidth(), top + CheckImageHeight()};
  }

  ProbeCheckListBox* list = nullptr;
  int clicks = 0;
};

TEST(CheckImage, MeasuredFromTheSystemSheetBeforeAnyWindow) {
  TBitmap sheet;
  sheet.SetHandle(LoadBitmapA(nullptr, MAKEINTRESOURCEA(32759)));
  ASSERT_GT(sheet.Width(), 0);
  EXPECT_EQ(CheckImageWidth(), sheet.Width() / 4);
  EXPECT_EQ(CheckImageHeight(), sheet.Height() / 3);
  EXPECT_EQ(CheckColumnWidth(), CheckImageWidth() + 2);
}

// ---------------------------------------------------------------------------------------------
// Records

// Another state paints only that item's check column, before the write returns. A bad index
// raises EListError, naming the index, and changes nothing.
TEST_F(CheckListBoxTest, ItemsHaveNoRecordUntilAStateOtherThanTheirsIsWrittenAndBadIndexesRaise) {
  Validate();
  list->SetItemState(2, S::cbUnchecked);
  list->SetItemDisabled(2, false);
  EXPECT_EQ(list->States() + " " + list->Records(), "000000 nnnnnn");
  EXPECT_TRUE(list->drawn.empty());
  list->SetItemState(2, S::cbChecked);
  RECT column = list->ItemRect(2);
  column.right = column.left + CheckColumnWidth();
  std::string painted;  // any item may be asked for, but only the column gets through
  for (const auto& d : list->drawn)
    painted += (Str(d.clip) == Str(column) ? "" : "outside ") +
               std::string(d.index == 2, ProbeCheckListBox::Digit(d.state));
  EXPECT_EQ(painted, "1");
  EXPECT_EQ(list->States() + " " + list->Records(), "001000 nnynnn");
  EXPECT_EQ(clicks, 0);

  EXPECT_THROW(list->ItemState(-1), EListError);
  EXPECT_THROW(list->SetItemState(6, S::cbChecked), EListError);
  EXPECT_THROW(list->DeleteString(6), EListError);
  std::string message;
  try {
    list->ItemChecked(6);
  } catch (const EListError& e) {
    message = e.what();
  }
  EXPECT_NE(message.find('6'), std::string::npos) << message;
  EXPECT_EQ(list->States(), "001000");
}

// A stranger's pointer, a number, another list's record, and -1 (no index error). User data lives
// in the record, not in the slot.
TEST_F(CheckListBoxTest, ForeignSlotValuesCountAsNoRecordAndDeletionReleasesOnlyItsOwn) {
  auto* other = Make<ProbeCheckListBox>(form, 240, 10, 100, 60);
  other->Items().Add("x");
  other->SetItemState(0, S::cbChecked);
  int stranger = 7;
  const LONG_PTR foreign[] = {reinterpret_cast<LONG_PTR>(&stranger), 0x12345678, Slot(other, 0), -1};
  for (int i = 0; i < 4; ++i) {
    SendMessageW(Hwnd(), LB_SETITEMDATA, static_cast<WPARAM>(i), foreign[i]);
    EXPECT_EQ(list->GetItemData(i), 0) << i;
  }
  EXPECT_EQ(list->States() + " " + list->Records(), "000000 nnnnnn");
  list->SetItemData(1, 0);
  EXPECT_FALSE(list->HasItemRecord(1));
  list->SetItemData(1, 4711);
  EXPECT_NE(Slot(list, 1), 4711);
  list->SetItemData(1, 0);
  EXPECT_TRUE(list->HasItemRecord(1));
  list->SetItemState(0, S::cbChecked);
  list->SetItemState(1, S::cbGrayed);
  list->SetItemState(3, S::cbChecked);
  list->DeleteString(2);  // a stranger's slot: nothing released
  list->DeleteString(1);  // its own record only; the later ones move up
  EXPECT_EQ(stranger, 7);
  EXPECT_EQ(list->States(), "1100");
  EXPECT_TRUE(other->ItemChecked(0));  // not released by the wrong list
  list->SetItemData(0, 9);
  list->Items().Clear();  // emptying releases every record
  list->Items().Assign(kItems);
  EXPECT_EQ(list->States() + " " + std::to_string(list->GetItemData(0)), "000000 0");
}

// ---------------------------------------------------------------------------------------------
// Toggling by code, mouse and key

// OnClickCheck runs after the new look is painted.
TEST_F(CheckListBoxTest, TogglesCycleThroughGrayedOnlyWhenAllowedAndRaiseClickCheckEachTime) {
  std::string drawnAtEvent;
  list->OnClickCheck = [&](TObject*) {
    char look = '?';
    for (const auto& d : list->drawn)
      if (d.index == 1) look = ProbeCheckListBox::Digit(d.state);
    drawnAtEvent += look;
    list->drawn.clear();
  };
  // Each row: grayed allowed ('y') or not, the start state, the states three toggles give.
  for (const char* row : {"n0101", "y0210", "n2101"}) {
    SCOPED_TRACE(row);
    list->AllowGrayed = row[0] == 'y';
    list->SetItemState(1, static_cast<S>(row[1] - '0'));
    Validate();
    drawnAtEvent.clear();
    std::string seen;
    for (int i = 0; i < 3; ++i) {
      list->ToggleItem(1);
      seen += ProbeCheckListBox::Digit(list->ItemState(1));
    }
    EXPECT_EQ(seen + " " + drawnAtEvent, std::string(row + 2) + " " + (row + 2));
  }
  list->ToggleItem(-1);  // not items: ignored
  list->ToggleItem(6);
  EXPECT_EQ(drawnAtEvent.size(), 3u);
}

// The check column is the row's first CheckColumnWidth() pixels, at the right edge from right to
// left, where its leftmost pixel is left out.
TEST_F(CheckListBoxTest, PressesInsideTheCheckColumnToggleAndOthersOnlySelect) {
  // Each row: right to left, x measured from the row's right edge (else its left), whole check
  // column widths and pixels added to it, whether the press toggles.
  const int rows[][5] = {{0, 0, 1, 0, 0},  {0, 0, 1, -1, 1}, {0, 0, 0, 0, 1}, {1, 1, -1, 0, 0},
                         {1, 1, -1, 1, 1}, {1, 1, 0, -1, 1}, {1, 0, 0, 1, 0}};
  for (const auto& [rightToLeft, fromRight, columns, pixels, toggles] : rows) {
    list->SetBiDiMode(rightToLeft ? TBiDiMode::bdRightToLeft : TBiDiMode::bdLeftToRight);
    list->SetItemIndex(-1);
    RECT r = list->ItemRect(2);
    const int x = (fromRight ? r.right : r.left) + columns * CheckColumnWidth() + pixels;
    const S before = list->ItemState(2);
    clicks = 0;
    LeftDown(Hwnd(), x, MidY(2));
    LeftUp(Hwnd(), x, MidY(2));
    SCOPED_TRACE(::testing::Message() << "right to left " << rightToLeft << ", x " << x);
    EXPECT_EQ(list->ItemState(2) != before, toggles == 1);
    EXPECT_EQ(clicks, toggles);
    EXPECT_EQ(list->ItemIndex(), 2);  // the press selects either way
  }
}

// A left press carrying the double-click flag toggles like any other. A header still cycles, but
// nothing of it is repainted. Space toggles the current item before OnKeyPress sees it, which
// cannot undo it; no other key toggles.
TEST_F(CheckListBoxTest, OnlyLeftPressesAndSpaceOnEnabledItemsToggleAndAHeaderCyclesUnpainted) {
  list->SetItemDisabled(1, true);
  list->SetItemIsHeader(3, true);
  RECT last = list->ItemRect(list->Count() - 1);
  ASSERT_LT(last.bottom + 2, list->ClientHeight());
  const struct {
    UINT down;
    WPARAM held;
    int y;
  } presses[] = {{WM_RBUTTONDOWN, MK_RBUTTON, MidY(0)},         {WM_MBUTTONDOWN, MK_MBUTTON, MidY(0)},
                 {WM_LBUTTONDOWN, MK_LBUTTON, last.bottom + 2}, {WM_LBUTTONDOWN, MK_LBUTTON, MidY(1)},
                 {WM_LBUTTONDOWN, MK_LBUTTON, MidY(2)},         {WM_LBUTTONDBLCLK, MK_LBUTTON, MidY(2)},
                 {WM_LBUTTONDOWN, MK_LBUTTON, MidY(3)}};
  for (const auto& [down, held, y] : presses) {
    SendMessageW(Hwnd(), down, held, Point(2, y));
    SendMessageW(Hwnd(), down == WM_LBUTTONDBLCLK ? WM_LBUTTONUP : down + 1, 0, Point(2, y));
  }
  list->SetItemIndex(1);
  Char(Hwnd(), L' ');
  EXPECT_EQ(list->States(), "00d0100");
  EXPECT_EQ(clicks, 3);
  list->SetItemIndex(3);
  Validate();
  Char(Hwnd(), L' ');
  EXPECT_EQ(list->States(), "00d0000");
  EXPECT_TRUE(list->drawn.empty());
  EXPECT_EQ(clicks, 4);

  std::vector<std::string> seen;
  list->OnKeyPress = [&](TObject*, wchar_t& key) {
    seen.push_back(std::string(1, static_cast<char>(key)) + std::to_string(int(list->ItemState(2))));
    key = 0;
  };
  list->SetItemIndex(-1);
  Char(Hwnd(), L' ');
  list->SetItemIndex(2);
  Char(Hwnd(), L' ');
  Char(Hwnd(), L'x');
  Char(Hwnd(), L'\r');
  KeyDown(Hwnd(), VK_SPACE);
  EXPECT_EQ(seen, (std::vector<std::string>{" 0", " 1", "x1", "\r1"}));
  EXPECT_EQ(list->States(), "00d1000");
  EXPECT_EQ(clicks, 5);
}

// ---------------------------------------------------------------------------------------------
// The window

// Regression: records restored twice were shared between items. Before the first window, and
// while the window is gone with its parent (also after a re-creation, whose states came back
// through the same backup), states are read and written and reach the window.
TEST_F(CheckListBoxTest, StatesAndDisabledFlagsSurviveRecreationAndLiveWithoutAWindow) {
  list->SetItemState(0, S::cbChecked);
  list->SetItemState(1, S::cbGrayed);
  list->SetItemDisabled(3, true);
  list->SetItemIsHeader(4, true);
  list->SetItemData(5, 77);
  list->RecreateWnd();
  // The header flag goes; user data or not, every item has a record again.
  EXPECT_EQ(list->States() + " " + list->Records(), "1200d00 yyyyyy");
  EXPECT_FALSE(list->ItemIsHeader(4));
  list->RecreateWnd();
  std::set<LONG_PTR> slots;
  for (int i = 0; i < 6; ++i)
    slots.insert(Slot(list, i));
  EXPECT_EQ(slots.size(), 6u);
  list->ToggleItem(2);
  EXPECT_EQ(list->States(), "1210d00");

  auto* early = new ProbeCheckListBox(form);
  early->Items().Assign(kItems);
  early->SetItemState(1, S::cbChecked);
  early->SetItemDisabled(2, true);
  early->SetItemData(3, 5);
  early->DeleteString(0);
  early->SetParent(form);
  ASSERT_TRUE(early->HandleAllocated());
  EXPECT_EQ(early->States() + " " + std::to_string(early->GetItemData(2)), "10d000 5");
  EXPECT_FALSE(early->HasItemRecord(3));

  list->RecreateWnd();
  list->SetItemDisabled(4, true);
  list->SetItemState(0, S::cbGrayed);
  DestroyWindow(form->Handle());
  ASSERT_FALSE(list->HandleAllocated());
  for (const char* expected : {"2210d0d0", "2212d0d0"}) {
    EXPECT_EQ(list->States(), expected);
    list->SetItemState(3, S::cbGrayed);
    form->HandleNeeded();
    ASSERT_TRUE(list->HandleAllocated());
  }
}

// Whatever ItemHeight says, with the standard style; an owner-drawn style keeps its own.
TEST_F(CheckListBoxTest, RowHeightIsTheFontsTextHeightAndFollowsFontChanges) {
  auto rowHeight = [this] { return SendMessageW(Hwnd(), LB_GETITEMHEIGHT, 0, 0); };
  list->SetItemHeight(30);
  EXPECT_EQ(rowHeight(), ScreenTextHeight(list->Font()));
  list->Font().SetSize(20);
  EXPECT_GT(ScreenTextHeight(list->Font()), 20);
  EXPECT_EQ(rowHeight(), ScreenTextHeight(list->Font()));
  EXPECT_EQ(list->ItemRect(1).bottom - list->ItemRect(1).top, ScreenTextHeight(list->Font()));
  list->SetStyle(TListBoxStyle::lbOwnerDrawFixed);
  list->Font().SetSize(8);
  EXPECT_EQ(rowHeight(), 30);
}

// ---------------------------------------------------------------------------------------------
// Painting

// An owner-drawn style calls it with the narrowed rectangle; an empty list paints nothing through
// the control.
TEST_F(CheckListBoxTest, StandardStyleNeverCallsOnDrawItemAndKeepsItAssigned) {
  std::vector<RECT> rects;
  list->OnDrawItem = [&](TWinControl* c, int, const RECT& r, TOwnerDrawState) {
    if (c == list) rects.push_back(r);
  };
  list->SetItemIsHeader(1, true);
  Validate();
  Shown{*list};
  ASSERT_FALSE(list->drawn.empty());
  for (const auto& d : list->drawn)  // narrowed by the check column, but not for the header
    EXPECT_EQ(d.rect.left, d.index == 1 ? 0 : CheckColumnWidth()) << d.index;
  EXPECT_TRUE(rects.empty());
  list->SetStyle(TListBoxStyle::lbOwnerDrawFixed);  // the handler is still there
  Shown{*list};
  ASSERT_FALSE(rects.empty());
  EXPECT_EQ(rects[0].left, CheckColumnWidth());
  list->Items().Clear();
  list->SetFocus();  // an empty list with the focus asks for its focus rectangle
  Validate();
  Shown{*list};
  EXPECT_TRUE(list->drawn.empty());
}

// Flat, with themes or without, the box's own border is cut off and a frame in the shadow colour
// replaces it; right to left the box sits at the row's right edge.
TEST_F(CheckListBoxTest, StatesAndDisabledItemsLookDifferentFlatOrNot) {
  list->SetItemState(1, S::cbChecked);
  list->SetItemState(2, S::cbGrayed);
  list->SetItemDisabled(3, true);
  list->Font().SetSize(20);  // rows taller than the box, which is centred in them
  const DWORD saved = GetThemeAppProperties();
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), window = GetSysColor(COLOR_WINDOW);
  for (int look = 0; look < 4; ++look) {
    SCOPED_TRACE(look);
    const bool themed = look % 2 == 0;
    SetThemeAppProperties(themed ? saved : saved & ~STAP_ALLOW_CONTROLS);
    list->SetFlat(look >= 2);
    Shown shot(*list);
    const RECT b = Box(0);
    const LONG midY = (b.top + b.bottom) / 2, midX = (b.left + b.right) / 2;
    // 's' shadow, 'w' window: the frame's four sides one pixel in, the box's own edge blank.
    std::string frame;
    const POINT at[] = {{b.left + 1, midY},   {b.right - 2, midY}, {midX, b.top + 1},
                        {midX, b.bottom - 2}, {b.left, midY},      {midX, b.top}};
    for (POINT p : at)
      frame += shot.Pixel(p.x, p.y) == shadow ? 's' : shot.Pixel(p.x, p.y) == window ? 'w' : '?';
    EXPECT_EQ(frame, list->Flat() ? "ssssww" : frame);
    // Each item's inside as the first item that looks the same. Wine's theme draws a disabled
    // empty box as an enabled one.
    std::vector<std::vector<COLORREF>> inside;
    std::string same;
    for (int i = 0; i < 5; ++i) {
      RECT r = Box(i);
      inside.emplace_back();
      for (int y = r.top + 2; y < r.bottom - 2; ++y)
        for (int x = r.left + 2; x < r.right - 2; ++x)
          inside.back().push_back(shot.Pixel(x, y));
      same +=
          static_cast<char>('0' + (std::find(inside.begin(), inside.end(), inside.back()) - inside.begin()));
    }
    EXPECT_EQ(same, themed ? "01200" : "01230");
  }
  SetThemeAppProperties(saved);
  list->SetBiDiMode(TBiDiMode::bdRightToLeft);
  Shown shot(*list);
  const int boxLeft = list->ItemRect(0).right - CheckColumnWidth() + 1;
  EXPECT_EQ(shot.Pixel(boxLeft + 1, MidY(0)), shadow);  // the flat frame's sides
  EXPECT_EQ(shot.Pixel(boxLeft + CheckImageWidth() - 2, MidY(0)), shadow);
}

// The header row, its check column included, has the header background and text colour. The
// look's setters repaint only when the value changes.
TEST_F(CheckListBoxTest, DisabledTextIsGreyHeadersUseTheHeaderColoursAndChangesRepaint) {
  list->SetItemDisabled(3, true);
  list->SetItemIsHeader(1, true);
  list->SetItemIndex(-1);
  const COLORREF grey = GetSysColor(COLOR_GRAYTEXT), text = GetSysColor(COLOR_WINDOWTEXT);
  const COLORREF headerBack = GetSysColor(COLOR_INFOBK);
  auto textArea = [&](int index) {
    RECT r = list->ItemRect(index);
    r.left += CheckColumnWidth();
    return r;
  };
  {
    Shown shot(*list);
    EXPECT_GT(shot.Count(textArea(3), grey), 0);
    EXPECT_EQ(shot.Count(textArea(3), text), 0);
    EXPECT_GT(shot.Count(textArea(2), text), 0);
    RECT header = list->ItemRect(1);
    EXPECT_EQ(shot.Pixel(1, MidY(1)), headerBack);
    EXPECT_EQ(shot.Pixel(header.right - 3, MidY(1)), headerBack);
    EXPECT_GT(shot.Count(header, GetSysColor(COLOR_INFOTEXT)), 0);
  }
  list->SetEnabled(false);
  Shown shot(*list);
  for (int i = 0; i < list->Count(); ++i)
    EXPECT_GT(shot.Count(textArea(i), grey), 0) << i;
  list->SetFlat(true);
  list->SetHeaderColor(clInfoText);
  list->SetHeaderBackgroundColor(clInfoBk);
  RECT update{};
  EXPECT_FALSE(GetUpdateRect(Hwnd(), &update, FALSE));
  list->SetHeaderBackgroundColor(clRed);
  EXPECT_TRUE(GetUpdateRect(Hwnd(), &update, FALSE));
  wintest::PumpUntilIdle();
  list->SetFlat(false);
  EXPECT_FALSE(list->Flat());
  EXPECT_TRUE(GetUpdateRect(Hwnd(), &update, FALSE));
}

}  // namespace
}  // namespace vellumor::test
