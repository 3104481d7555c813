// The check list box under Wine: real windows, real messages, pixels read back from the window.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <uxtheme.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "CheckLst.h"
#include "Forms.h"
#include "Themes.h"
#include "WinTest.h"

namespace vellumor {
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
    S now = index >= 0 && index < Count() ? ItemState(index) : S::cbUnchecked;
    RECT clip{};
    GetClipBox(Canvas().Handle(), &clip);
    drawn.push_back({index, now, rect, clip});
    TCheckListBox::DrawItem(index, rect, state);
  }
};

// The client area as the window shows it.
class Capture {
 public:
  explicit Capture(HWND hwnd) {
    RECT rc{};
    GetClientRect(hwnd, &rc);
    width_ = rc.right;
    height_ = rc.bottom;
    HDC windowDC = GetDC(hwnd);
    HDC mem = CreateCompatibleDC(windowDC);
    HBITMAP bmp = CreateCompatibleBitmap(windowDC, width_, height_);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, width_, height_, windowDC, 0, 0, SRCCOPY);
    pixels_.resize(static_cast<size_t>(width_) * static_cast<size_t>(height_));
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        pixels_[static_cast<size_t>(y * width_ + x)] = GetPixel(mem, x, y);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(hwnd, windowDC);
  }
  COLORREF At(int x, int y) const { return pixels_[static_cast<size_t>(y * width_ + x)]; }
  // The pixels of r, row by row.
  std::vector<COLORREF> Area(const RECT& r) const {
    std::vector<COLORREF> out;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        out.push_back(At(x, y));
    return out;
  }
  bool Contains(const RECT& r, COLORREF color) const {
    for (COLORREF c : Area(r))
      if (c == color) return true;
    return false;
  }

 private:
  int width_ = 0, height_ = 0;
  std::vector<COLORREF> pixels_;
};

// Switches themed drawing of controls off for one test.
class ThemesOff {
 public:
  ThemesOff() : saved_(GetThemeAppProperties()) { SetThemeAppProperties(saved_ & ~STAP_ALLOW_CONTROLS); }
  ~ThemesOff() { SetThemeAppProperties(saved_); }
  ThemesOff(const ThemesOff&) = delete;
  ThemesOff& operator=(const ThemesOff&) = delete;

 private:
  DWORD saved_;
};

const std::vector<std::string> kItems = {"Default desktop only", "Right aligned", "Right to left reading",
                                         "Set foreground",       "Top most",      "Service notification"};

class CheckListBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(40, 40, 320, 260);
    list = new ProbeCheckListBox(form.get());
    list->SetParent(form.get());
    list->SetBounds(10, 10, 220, 160);
    list->Items().Assign(kItems);
    list->OnClickCheck = [this](TObject* sender) {
      EXPECT_EQ(sender, list);
      ++clicks;
    };
    form->Show();
    wintest::PumpUntilIdle();
  }
  void TearDown() override { form.reset(); }

  HWND Hwnd() { return list->Handle(); }
  void Send(UINT msg, WPARAM wParam, int x, int y) {
    SendMessageW(Hwnd(), msg, wParam, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
  }
  // A left press and release at client point (x, y), as the user clicks.
  void LeftClick(int x, int y) {
    Send(WM_LBUTTONDOWN, MK_LBUTTON, x, y);
    Send(WM_LBUTTONUP, 0, x, y);
  }
  int MidY(int index) {
    RECT r = list->ItemRect(index);
    return (r.top + r.bottom) / 2;
  }
  // Nothing left to paint, whatever the display server still reports, so a test sees only the
  // painting it causes.
  void Validate() { ValidateRect(Hwnd(), nullptr); }
  void Char(wchar_t c) { SendMessageW(Hwnd(), WM_CHAR, c, 1); }
  // The item's slot as any other code sees it: straight through the list box window.
  static LONG_PTR Slot(TCheckListBox* box, int index) {
    return SendMessageW(box->Handle(), LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  }
  static void WriteSlot(TCheckListBox* box, int index, LONG_PTR value) {
    SendMessageW(box->Handle(), LB_SETITEMDATA, static_cast<WPARAM>(index), value);
  }
  // Paints the whole list now and returns what the window shows.
  Capture Repainted() {
    RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return Capture(Hwnd());
  }
  // The check column of an item and the box centred in it.
  RECT Column(int index) {
    RECT r = list->ItemRect(index);
    r.right = r.left + CheckColumnWidth();
    return r;
  }
  RECT Box(int index) {
    RECT k = Column(index);
    RECT b;
    b.left = k.left + (k.right - k.left - CheckImageWidth()) / 2;
    b.top = k.top + (k.bottom - k.top - CheckImageHeight()) / 2;
    b.right = b.left + CheckImageWidth();
    b.bottom = b.top + CheckImageHeight();
    return b;
  }

  std::unique_ptr<TForm> form;
  ProbeCheckListBox* list = nullptr;
  int clicks = 0;
};

// ---------------------------------------------------------------------------------------------
// The check image

TEST(CheckImage, MeasuredOnceFromTheSystemSheetBeforeAnyWindow) {
  HBITMAP sheet = LoadBitmapA(nullptr, MAKEINTRESOURCEA(32759));
  ASSERT_NE(sheet, nullptr);
  BITMAP bm{};
  GetObjectW(sheet, sizeof(bm), &bm);
  DeleteObject(sheet);
  EXPECT_EQ(CheckImageWidth(), bm.bmWidth / 4);
  EXPECT_EQ(CheckImageHeight(), bm.bmHeight / 3);
  EXPECT_EQ(CheckColumnWidth(), CheckImageWidth() + 2);
  EXPECT_GT(CheckImageWidth(), 0);
}

// ---------------------------------------------------------------------------------------------
// Records

TEST_F(CheckListBoxTest, NewItemsReadAsDefaultsAndHaveNoRecord) {
  for (int i = 0; i < list->Count(); ++i) {
    EXPECT_EQ(list->ItemState(i), S::cbUnchecked);
    EXPECT_FALSE(list->ItemChecked(i));
    EXPECT_FALSE(list->ItemDisabled(i));
    EXPECT_FALSE(list->ItemIsHeader(i));
    EXPECT_EQ(list->GetItemData(i), 0);
    EXPECT_FALSE(list->HasItemRecord(i));
  }
}

TEST_F(CheckListBoxTest, WritingTheCurrentStateMakesNoRecordAndPaintsNothing) {
  list->drawn.clear();
  list->SetItemState(2, S::cbUnchecked);
  EXPECT_FALSE(list->HasItemRecord(2));
  EXPECT_TRUE(list->drawn.empty());
  EXPECT_EQ(clicks, 0);
}

TEST_F(CheckListBoxTest, WritingAnotherStateRepaintsThatItemAtOnceWithoutClickCheck) {
  Validate();
  list->drawn.clear();
  list->SetItemState(2, S::cbChecked);
  // Painted before the write returned, without pumping messages.
  // Only the check column of that item was open for painting.
  RECT column = Column(2);
  bool painted = false;
  for (const auto& d : list->drawn) {
    EXPECT_TRUE(EqualRect(&d.clip, &column))
        << d.clip.left << "," << d.clip.top << "," << d.clip.right << "," << d.clip.bottom;
    if (d.index == 2 && d.state == S::cbChecked) painted = true;
  }
  EXPECT_TRUE(painted);
  EXPECT_TRUE(list->HasItemRecord(2));
  EXPECT_TRUE(list->ItemChecked(2));
  EXPECT_EQ(clicks, 0);
}

TEST_F(CheckListBoxTest, UserDataLivesInTheRecordNotInTheSlot) {
  list->SetItemData(1, 0);
  EXPECT_FALSE(list->HasItemRecord(1));
  list->SetItemData(1, 4711);
  EXPECT_TRUE(list->HasItemRecord(1));
  EXPECT_EQ(list->GetItemData(1), 4711);
  list->SetItemData(1, 0);
  EXPECT_EQ(list->GetItemData(1), 0);
  EXPECT_TRUE(list->HasItemRecord(1));
}

TEST_F(CheckListBoxTest, ForeignSlotValueCountsAsNoRecordAndIsReplacedOnWrite) {
  int stranger = 7;
  WriteSlot(list, 0, reinterpret_cast<LONG_PTR>(&stranger));
  WriteSlot(list, 1, 0x12345678);
  EXPECT_FALSE(list->HasItemRecord(0));
  EXPECT_FALSE(list->HasItemRecord(1));
  EXPECT_EQ(list->ItemState(0), S::cbUnchecked);
  EXPECT_EQ(list->GetItemData(1), 0);
  list->SetItemState(0, S::cbChecked);
  list->SetItemData(1, 5);
  EXPECT_EQ(stranger, 7);
  EXPECT_NE(Slot(list, 0), reinterpret_cast<LONG_PTR>(&stranger));
  EXPECT_NE(Slot(list, 1), 0x12345678);
  EXPECT_TRUE(list->ItemChecked(0));
  EXPECT_EQ(list->GetItemData(1), 5);
}

TEST_F(CheckListBoxTest, RecordOfAnotherCheckListIsNotTakenForOwn) {
  auto* other = new ProbeCheckListBox(form.get());
  other->SetParent(form.get());
  other->HandleNeeded();
  other->Items().Add("x");
  other->SetItemState(0, S::cbChecked);
  WriteSlot(list, 3, Slot(other, 0));
  EXPECT_FALSE(list->HasItemRecord(3));
  EXPECT_FALSE(list->ItemChecked(3));
  list->DeleteString(3);
  EXPECT_TRUE(other->ItemChecked(0));  // not released by the wrong list
}

TEST_F(CheckListBoxTest, RegressionSlotHoldingMinusOneIsNoIndexError) {
  WriteSlot(list, 4, -1);
  EXPECT_NO_THROW(list->ItemState(4));
  EXPECT_EQ(list->ItemState(4), S::cbUnchecked);
  list->SetItemState(4, S::cbGrayed);
  EXPECT_EQ(list->ItemState(4), S::cbGrayed);
}

TEST_F(CheckListBoxTest, DeletingAnItemReleasesOnlyItsRecordAndLaterItemsKeepTheirStates) {
  list->SetItemState(0, S::cbChecked);
  list->SetItemState(1, S::cbGrayed);
  list->SetItemState(2, S::cbChecked);
  list->DeleteString(1);
  EXPECT_EQ(list->Count(), 5);
  EXPECT_EQ(list->ItemState(0), S::cbChecked);
  EXPECT_EQ(list->ItemState(1), S::cbChecked);
  EXPECT_EQ(list->Items().Strings(1), "Right to left reading");
  EXPECT_EQ(list->ItemState(2), S::cbUnchecked);
}

TEST_F(CheckListBoxTest, EmptyingTheListReleasesEveryRecordAndNewItemsStartUnchecked) {
  list->SetItemState(0, S::cbChecked);
  list->SetItemData(3, 9);
  list->Items().Clear();
  EXPECT_EQ(list->Count(), 0);
  list->Items().Assign(kItems);
  EXPECT_FALSE(list->ItemChecked(0));
  EXPECT_EQ(list->GetItemData(3), 0);
}

TEST_F(CheckListBoxTest, BadIndexRaisesListErrorAndChangesNothing) {
  list->SetItemState(5, S::cbChecked);
  EXPECT_THROW(list->ItemChecked(6), EListError);
  EXPECT_THROW(list->ItemState(-1), EListError);
  EXPECT_THROW(list->SetItemState(6, S::cbChecked), EListError);
  EXPECT_THROW(list->ItemDisabled(6), EListError);
  EXPECT_THROW(list->ItemIsHeader(100), EListError);
  EXPECT_THROW(list->GetItemData(6), EListError);
  EXPECT_THROW(list->SetItemData(6, 3), EListError);
  EXPECT_THROW(list->DeleteString(6), EListError);
  EXPECT_EQ(list->Count(), 6);
  EXPECT_TRUE(list->ItemChecked(5));
  try {
    list->ItemChecked(6);
  } catch (const EListError& e) {
    EXPECT_NE(std::string(e.what()).find('6'), std::string::npos) << e.what();
  }
}

// ---------------------------------------------------------------------------------------------
// Toggling

TEST_F(CheckListBoxTest, TogglesCycleThroughGrayedOnlyWhenAllowedAndRaiseClickCheckEachTime) {
  struct Row {
    bool allowGrayed;
    S start;
    std::vector<S> seen;
  } rows[] = {{false, S::cbUnchecked, {S::cbChecked, S::cbUnchecked, S::cbChecked}},
              {true, S::cbUnchecked, {S::cbGrayed, S::cbChecked, S::cbUnchecked}},
              {false, S::cbGrayed, {S::cbChecked, S::cbUnchecked, S::cbChecked}}};
  for (const Row& row : rows) {
    list->AllowGrayed = row.allowGrayed;
    list->SetItemState(1, row.start);
    if (row.start == S::cbGrayed) {
      EXPECT_FALSE(list->ItemChecked(1));
    }
    clicks = 0;
    std::vector<S> seen;
    for (size_t i = 0; i < row.seen.size(); ++i) {
      list->ToggleItem(1);
      seen.push_back(list->ItemState(1));
    }
    EXPECT_EQ(seen, row.seen) << "grayed allowed " << row.allowGrayed;
    EXPECT_EQ(clicks, 3);
  }
}

TEST_F(CheckListBoxTest, ClickCheckRunsAfterTheNewLookIsPainted) {
  S drawnBeforeEvent = S::cbUnchecked;
  list->OnClickCheck = [&](TObject*) {
    for (const auto& d : list->drawn)
      if (d.index == 3) drawnBeforeEvent = d.state;
  };
  Validate();
  list->drawn.clear();
  list->ToggleItem(3);
  EXPECT_EQ(drawnBeforeEvent, S::cbChecked);
}

TEST_F(CheckListBoxTest, ToggleIgnoresIndexesOutsideTheItems) {
  EXPECT_NO_THROW(list->ToggleItem(-1));
  EXPECT_NO_THROW(list->ToggleItem(6));
  EXPECT_EQ(clicks, 0);
}

// ---------------------------------------------------------------------------------------------
// Mouse

// The check column is the row's first CheckColumnWidth() pixels, at the right edge from right to
// left, where its leftmost pixel is left out.
TEST_F(CheckListBoxTest, PressesInsideTheCheckColumnToggleAndOthersOnlySelect) {
  struct Row {
    bool rightToLeft;
    bool fromRight;  // measured from the row's right edge, else from its left
    int columns;     // whole check column widths
    int pixels;
    bool toggles;
  } rows[] = {
      {false, false, 1, 0, false}, {false, false, 1, -1, true}, {false, false, 0, 0, true},
      {true, true, -1, 0, false},  {true, true, -1, 1, true},   {true, true, 0, -1, true},
      {true, false, 0, 1, false},
  };
  for (const Row& row : rows) {
    list->SetBiDiMode(row.rightToLeft ? TBiDiMode::bdRightToLeft : TBiDiMode::bdLeftToRight);
    list->SetItemIndex(-1);
    RECT r = list->ItemRect(2);
    const int x = (row.fromRight ? r.right : r.left) + row.columns * CheckColumnWidth() + row.pixels;
    const S before = list->ItemState(2);
    clicks = 0;
    LeftClick(x, MidY(2));
    const auto where = ::testing::Message() << "right to left " << row.rightToLeft << ", x " << x;
    EXPECT_EQ(list->ItemState(2) != before, row.toggles) << where;
    EXPECT_EQ(clicks, row.toggles ? 1 : 0) << where;
    EXPECT_EQ(list->ItemIndex(), 2) << where;  // the press selects either way
  }
}

TEST_F(CheckListBoxTest, OtherButtonsAndPressesBelowTheItemsNeverToggle) {
  Send(WM_RBUTTONDOWN, MK_RBUTTON, 2, MidY(0));
  Send(WM_RBUTTONUP, 0, 2, MidY(0));
  Send(WM_MBUTTONDOWN, MK_MBUTTON, 2, MidY(0));
  Send(WM_MBUTTONUP, 0, 2, MidY(0));
  RECT last = list->ItemRect(list->Count() - 1);
  RECT client{};
  GetClientRect(Hwnd(), &client);
  ASSERT_LT(last.bottom + 2, client.bottom);
  LeftClick(2, last.bottom + 2);
  EXPECT_EQ(list->ItemState(0), S::cbUnchecked);
  EXPECT_EQ(list->ItemState(list->Count() - 1), S::cbUnchecked);
  EXPECT_EQ(clicks, 0);
}

TEST_F(CheckListBoxTest, DoubleClickPressTogglesLikeAnyOther) {
  LeftClick(2, MidY(0));
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, 2, MidY(0));
  Send(WM_LBUTTONUP, 0, 2, MidY(0));
  EXPECT_EQ(list->ItemState(0), S::cbUnchecked);
  EXPECT_EQ(clicks, 2);
}

TEST_F(CheckListBoxTest, DisabledItemIgnoresPressesAndSpace) {
  list->SetItemDisabled(1, true);
  LeftClick(2, MidY(1));
  list->SetItemIndex(1);
  Char(L' ');
  EXPECT_EQ(list->ItemState(1), S::cbUnchecked);
  EXPECT_EQ(clicks, 0);
}

TEST_F(CheckListBoxTest, HeaderItemStillCyclesButNothingIsRepainted) {
  list->SetItemIsHeader(0, true);
  wintest::PumpUntilIdle();
  list->drawn.clear();
  LeftClick(2, MidY(0));
  EXPECT_EQ(list->ItemState(0), S::cbChecked);
  list->SetItemIndex(0);
  wintest::PumpUntilIdle();
  list->drawn.clear();
  Char(L' ');
  EXPECT_EQ(list->ItemState(0), S::cbUnchecked);
  EXPECT_TRUE(list->drawn.empty());
  EXPECT_EQ(clicks, 2);
}

// ---------------------------------------------------------------------------------------------
// Keyboard

TEST_F(CheckListBoxTest, SpaceTogglesTheCurrentItemBeforeKeyPressSeesIt) {
  list->SetItemIndex(2);
  wchar_t seenKey = 0;
  S seenState = S::cbUnchecked;
  list->OnKeyPress = [&](TObject*, wchar_t& key) {
    seenKey = key;
    seenState = list->ItemState(2);
    key = 0;  // cannot undo the toggle
  };
  Char(L' ');
  EXPECT_EQ(seenKey, L' ');
  EXPECT_EQ(seenState, S::cbChecked);
  EXPECT_EQ(list->ItemState(2), S::cbChecked);
  EXPECT_EQ(clicks, 1);
}

TEST_F(CheckListBoxTest, SpaceWithoutCurrentItemTogglesNothingButStillReachesKeyPress) {
  list->SetItemIndex(-1);
  wchar_t seenKey = 0;
  list->OnKeyPress = [&](TObject*, wchar_t& key) { seenKey = key; };
  Char(L' ');
  EXPECT_EQ(seenKey, L' ');
  EXPECT_EQ(clicks, 0);
}

TEST_F(CheckListBoxTest, NoOtherKeyToggles) {
  list->SetItemIndex(0);
  Char(L'x');
  Char(L'\r');
  SendMessageW(Hwnd(), WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(list->ItemState(0), S::cbUnchecked);
  EXPECT_EQ(clicks, 0);
}

// ---------------------------------------------------------------------------------------------
// The window

TEST_F(CheckListBoxTest, StatesAndDisabledFlagsSurviveRecreationHeadersDoNot) {
  list->SetItemState(0, S::cbChecked);
  list->SetItemState(1, S::cbGrayed);
  list->SetItemDisabled(3, true);
  list->SetItemIsHeader(4, true);
  list->SetItemData(5, 77);
  HWND before = Hwnd();
  list->RecreateWnd();
  EXPECT_NE(Hwnd(), before);
  EXPECT_EQ(list->Count(), 6);
  EXPECT_EQ(list->Items().Strings(5), "Service notification");
  EXPECT_EQ(list->ItemState(0), S::cbChecked);
  EXPECT_EQ(list->ItemState(1), S::cbGrayed);
  EXPECT_EQ(list->ItemState(2), S::cbUnchecked);
  EXPECT_TRUE(list->ItemDisabled(3));
  EXPECT_FALSE(list->ItemIsHeader(4));
  for (int i = 0; i < 6; ++i)  // user data or not, every item has a record again
    EXPECT_TRUE(list->HasItemRecord(i)) << i;
}

TEST_F(CheckListBoxTest, RegressionRecreatedItemsDoNotShareRecords) {
  list->SetItemState(0, S::cbChecked);
  list->SetItemState(5, S::cbGrayed);
  list->RecreateWnd();
  list->RecreateWnd();
  std::vector<LONG_PTR> slots;
  for (int i = 0; i < 6; ++i)
    slots.push_back(Slot(list, i));
  std::sort(slots.begin(), slots.end());
  EXPECT_EQ(std::adjacent_find(slots.begin(), slots.end()), slots.end());
  list->ToggleItem(1);
  EXPECT_EQ(list->ItemState(0), S::cbChecked);
  EXPECT_EQ(list->ItemState(1), S::cbChecked);
  EXPECT_EQ(list->ItemState(5), S::cbGrayed);
}

TEST_F(CheckListBoxTest, StatesWrittenBeforeTheWindowExistsReachIt) {
  auto* early = new ProbeCheckListBox(form.get());
  early->Items().Assign(kItems);
  early->SetItemState(1, S::cbChecked);
  early->SetItemDisabled(2, true);
  early->SetItemData(3, 5);
  early->DeleteString(0);
  ASSERT_FALSE(early->HandleAllocated());
  early->SetParent(form.get());
  ASSERT_TRUE(early->HandleAllocated());
  EXPECT_TRUE(early->ItemChecked(0));
  EXPECT_TRUE(early->ItemDisabled(1));
  EXPECT_EQ(early->GetItemData(2), 5);
  EXPECT_FALSE(early->HasItemRecord(3));
}

// Also after a re-creation, whose states came back through the same backup.
TEST_F(CheckListBoxTest, StatesKeptWhenTheWindowGoesWithItsParent) {
  list->SetItemState(2, S::cbChecked);
  list->RecreateWnd();
  list->SetItemDisabled(4, true);
  list->SetItemState(0, S::cbGrayed);
  DestroyWindow(form->Handle());
  ASSERT_FALSE(list->HandleAllocated());
  EXPECT_EQ(list->ItemState(0), S::cbGrayed);
  // Read while there is no window, and written too.
  EXPECT_TRUE(list->ItemChecked(2));
  EXPECT_TRUE(list->ItemDisabled(4));
  list->SetItemState(3, S::cbGrayed);
  form->HandleNeeded();
  ASSERT_TRUE(list->HandleAllocated());
  EXPECT_TRUE(list->ItemChecked(2));
  EXPECT_EQ(list->ItemState(3), S::cbGrayed);
  EXPECT_TRUE(list->ItemDisabled(4));
}

int FontTextHeight(TFont& font) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font.Handle());
  SIZE size{};
  GetTextExtentPoint32W(dc, L"Wg", 2, &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size.cy;
}

TEST_F(CheckListBoxTest, RowHeightIsTheFontsTextHeightAndFollowsFontChanges) {
  EXPECT_EQ(SendMessageW(Hwnd(), LB_GETITEMHEIGHT, 0, 0), FontTextHeight(list->Font()));
  list->Font().SetSize(20);
  int big = FontTextHeight(list->Font());
  EXPECT_GT(big, 20);
  EXPECT_EQ(SendMessageW(Hwnd(), LB_GETITEMHEIGHT, 0, 0), big);
  RECT r = list->ItemRect(1);
  EXPECT_EQ(r.bottom - r.top, big);
}

TEST_F(CheckListBoxTest, OwnerDrawnStyleKeepsItsOwnRowHeight) {
  list->SetItemHeight(30);
  list->SetStyle(TListBoxStyle::lbOwnerDrawFixed);
  EXPECT_EQ(SendMessageW(Hwnd(), LB_GETITEMHEIGHT, 0, 0), 30);
  list->Font().SetSize(20);
  EXPECT_EQ(SendMessageW(Hwnd(), LB_GETITEMHEIGHT, 0, 0), 30);
}

// ---------------------------------------------------------------------------------------------
// Painting

TEST_F(CheckListBoxTest, StandardStyleNeverCallsOnDrawItemAndKeepsItAssigned) {
  int calls = 0;
  list->OnDrawItem = [&](TWinControl*, int, const RECT&, TOwnerDrawState) { ++calls; };
  list->drawn.clear();
  Repainted();
  EXPECT_FALSE(list->drawn.empty());
  EXPECT_EQ(calls, 0);
  ASSERT_TRUE(static_cast<bool>(list->OnDrawItem));
  list->OnDrawItem(list, 0, RECT{}, 0);
  EXPECT_EQ(calls, 1);
}

TEST_F(CheckListBoxTest, OwnerDrawnStyleCallsOnDrawItemWithTheNarrowedRectangle) {
  list->SetStyle(TListBoxStyle::lbOwnerDrawFixed);
  std::vector<RECT> rects;
  list->OnDrawItem = [&](TWinControl* control, int, const RECT& r, TOwnerDrawState) {
    EXPECT_EQ(control, list);
    rects.push_back(r);
  };
  Repainted();
  ASSERT_FALSE(rects.empty());
  EXPECT_EQ(rects[0].left, CheckColumnWidth());
}

TEST_F(CheckListBoxTest, HeaderItemIsNotNarrowedAndOthersAre) {
  list->SetItemIsHeader(1, true);
  list->drawn.clear();
  Repainted();
  bool sawHeader = false, sawItem = false;
  for (const auto& d : list->drawn) {
    if (d.index == 1) {
      sawHeader = true;
      EXPECT_EQ(d.rect.left, 0);
    } else {
      sawItem = true;
      EXPECT_EQ(d.rect.left, CheckColumnWidth());
    }
  }
  EXPECT_TRUE(sawHeader && sawItem);
}

TEST_F(CheckListBoxTest, EmptyListPaintsNothingThroughTheControl) {
  list->Items().Clear();
  list->SetFocus();  // an empty list with the focus asks for its focus rectangle
  list->drawn.clear();
  Repainted();
  EXPECT_TRUE(list->drawn.empty());
}

TEST_F(CheckListBoxTest, FlatLookClipsTheBorderAndFramesInTheShadowColour) {
  for (bool themed : {true, false}) {
    std::unique_ptr<ThemesOff> off;
    if (!themed) off = std::make_unique<ThemesOff>();
    Capture shot = Repainted();
    RECT b = Box(0);
    COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), window = GetSysColor(COLOR_WINDOW);
    int midY = (b.top + b.bottom) / 2, midX = (b.left + b.right) / 2;
    EXPECT_EQ(shot.At(b.left + 1, midY), shadow) << "themed " << themed;
    EXPECT_EQ(shot.At(b.right - 2, midY), shadow) << "themed " << themed;
    EXPECT_EQ(shot.At(midX, b.top + 1), shadow) << "themed " << themed;
    EXPECT_EQ(shot.At(midX, b.bottom - 2), shadow) << "themed " << themed;
    // The box's own outer border is cut off.
    EXPECT_EQ(shot.At(b.left, midY), window) << "themed " << themed;
    EXPECT_EQ(shot.At(midX, b.top), window) << "themed " << themed;
  }
}

TEST_F(CheckListBoxTest, StatesAndDisabledItemsLookDifferentFlatOrNot) {
  for (int look = 0; look < 4; ++look) {
    const bool themed = look % 2 == 0;
    std::unique_ptr<ThemesOff> off;
    if (!themed) off = std::make_unique<ThemesOff>();
    list->SetFlat(look < 2);
    list->SetItemState(1, S::cbChecked);
    list->SetItemState(2, S::cbGrayed);
    list->SetItemDisabled(3, true);
    Capture shot = Repainted();
    auto inner = [&](int index) {
      RECT b = Box(index);
      return shot.Area(RECT{b.left + 2, b.top + 2, b.right - 2, b.bottom - 2});
    };
    EXPECT_NE(inner(0), inner(1)) << "look " << look;
    EXPECT_NE(inner(1), inner(2)) << "look " << look;
    EXPECT_NE(inner(0), inner(2)) << "look " << look;
    EXPECT_EQ(inner(0), inner(4)) << "look " << look;
    // Wine's theme draws a disabled empty box as an enabled one.
    if (!themed) {
      EXPECT_NE(inner(0), inner(3));
    }
  }
}

TEST_F(CheckListBoxTest, DisabledTextIsGreyAndHeadersUseTheHeaderColours) {
  list->SetItemDisabled(3, true);
  list->SetItemIsHeader(1, true);
  list->SetItemIndex(-1);
  Capture shot = Repainted();
  COLORREF grey = GetSysColor(COLOR_GRAYTEXT), text = GetSysColor(COLOR_WINDOWTEXT);
  RECT disabled = list->ItemRect(3), plain = list->ItemRect(2), header = list->ItemRect(1);
  disabled.left += CheckColumnWidth();
  plain.left += CheckColumnWidth();
  EXPECT_TRUE(shot.Contains(disabled, grey));
  EXPECT_FALSE(shot.Contains(disabled, text));
  EXPECT_TRUE(shot.Contains(plain, text));
  // The header row, its check column included, has the header background and text colour.
  EXPECT_EQ(shot.At(1, (header.top + header.bottom) / 2), GetSysColor(COLOR_INFOBK));
  EXPECT_EQ(shot.At(header.right - 3, (header.top + header.bottom) / 2), GetSysColor(COLOR_INFOBK));
  EXPECT_TRUE(shot.Contains(header, GetSysColor(COLOR_INFOTEXT)));
}

TEST_F(CheckListBoxTest, WholeControlDisabledGreysEveryText) {
  list->SetEnabled(false);
  Capture shot = Repainted();
  for (int i = 0; i < list->Count(); ++i) {
    RECT r = list->ItemRect(i);
    r.left += CheckColumnWidth();
    EXPECT_TRUE(shot.Contains(r, GetSysColor(COLOR_GRAYTEXT))) << i;
  }
}

TEST_F(CheckListBoxTest, FlatAndHeaderColourChangesStoreAndRepaintOnlyWhenDifferent) {
  list->SetFlat(true);
  list->SetHeaderColor(clInfoText);
  list->SetHeaderBackgroundColor(clInfoBk);
  RECT update{};
  EXPECT_FALSE(GetUpdateRect(Hwnd(), &update, FALSE));
  list->SetHeaderBackgroundColor(clRed);
  EXPECT_EQ(list->HeaderBackgroundColor(), clRed);
  EXPECT_TRUE(GetUpdateRect(Hwnd(), &update, FALSE));
  wintest::PumpUntilIdle();
  list->SetFlat(false);
  EXPECT_FALSE(list->Flat());
  EXPECT_TRUE(GetUpdateRect(Hwnd(), &update, FALSE));
}

}  // namespace
}  // namespace vellumor
