// The framework list box (the check list box stands on it): items and their values with and without
// a window, positions, and owner drawing.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <tuple>
#include <vector>

#include "FormFixture.h"
#include "StdCtrls.h"

namespace vellumor::test {
namespace {

class ListBoxTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    list = new TCustomListBox(form);
    list->SetBounds(10, 10, 200, 150);
  }
  void Show() { list->SetParent(form); }
  std::vector<std::string> WindowTexts() {
    std::vector<std::string> out;
    int n = static_cast<int>(SendMessageW(list->Handle(), LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      wchar_t buffer[256] = {};
      SendMessageW(list->Handle(), LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer));
      out.push_back(wintest::Narrow(buffer));
    }
    return out;
  }

  TCustomListBox* list = nullptr;
};

TEST_F(ListBoxTest, ItemsMadeBeforeTheWindowGoIntoIt) {
  list->Items().Assign({"a", "b", "c"});
  list->Items().Insert(1, "between");
  list->SetItemData(2, 42);
  list->SetItemIndex(3);
  EXPECT_FALSE(list->HandleAllocated());
  Show();
  ASSERT_TRUE(list->HandleAllocated());
  EXPECT_EQ(WindowTexts(), (std::vector<std::string>{"a", "between", "b", "c"}));
  EXPECT_EQ(SendMessageW(list->Handle(), LB_GETITEMDATA, 2, 0), 42);
  EXPECT_EQ(SendMessageW(list->Handle(), LB_GETCURSEL, 0, 0), 3);
}

TEST_F(ListBoxTest, TextsValuesAndSelectionSurviveRecreationAndDeleteAndClearReachTheWindow) {
  Show();
  list->Items().Assign({"Größe", "two", "three"});
  list->SetItemData(0, -1);
  list->SetItemData(2, 7);
  list->SetItemIndex(1);
  list->SetStyle(TListBoxStyle::lbOwnerDrawFixed);  // a new window
  EXPECT_TRUE(GetWindowLongW(list->Handle(), GWL_STYLE) & LBS_OWNERDRAWFIXED);
  EXPECT_EQ(WindowTexts(), (std::vector<std::string>{"Größe", "two", "three"}));
  EXPECT_EQ(
      std::tuple(list->Items().Strings(0), list->GetItemData(0), list->GetItemData(2), list->ItemIndex()),
      std::tuple("Größe", -1, 7, 1));

  // Delete and Clear go through the window.
  list->Items().Delete(1);
  EXPECT_EQ(WindowTexts(), (std::vector<std::string>{"Größe", "three"}));
  EXPECT_EQ(list->Items().IndexOf("three"), 1);
  list->Items().Clear();
  EXPECT_EQ(std::pair(list->Count(), list->ItemIndex()), std::pair(0, -1));
}

TEST_F(ListBoxTest, BadIndexRaisesListErrorWithAndWithoutWindow) {
  list->Items().Add("only");
  EXPECT_THROW(list->Items().Strings(1), EListError);
  EXPECT_THROW(list->GetItemData(-1), EListError);
  EXPECT_THROW(list->DeleteString(1), EListError);
  EXPECT_THROW(list->Items().Insert(3, "x"), EListError);
  Show();
  EXPECT_THROW(list->Items().Strings(1), EListError);
  EXPECT_THROW(list->SetItemData(1, 3), EListError);
  EXPECT_THROW(list->DeleteString(5), EListError);
  EXPECT_EQ(list->Count(), 1);
}

TEST_F(ListBoxTest, ItemAtPosFindsTheRowAndTellsWhatIsBelowTheItems) {
  Show();
  list->Items().Assign({"a", "b", "c"});
  RECT r1 = list->ItemRect(1);
  EXPECT_EQ(list->ItemAtPos(POINT{r1.left, r1.top}, true), 1);
  EXPECT_EQ(list->ItemAtPos(POINT{r1.right - 1, r1.bottom - 1}, true), 1);
  EXPECT_EQ(list->ItemAtPos(POINT{r1.left, r1.bottom}, true), 2);
  RECT last = list->ItemRect(2);
  EXPECT_EQ(list->ItemAtPos(POINT{5, last.bottom + 3}, true), -1);
  EXPECT_EQ(list->ItemAtPos(POINT{5, last.bottom + 3}, false), 3);
  RECT none = list->ItemRect(3);
  EXPECT_TRUE(IsRectEmpty(&none));
}

TEST_F(ListBoxTest, OwnerDrawnItemsGoToOnDrawItemWithTheirStates) {
  list->SetStyle(TListBoxStyle::lbOwnerDrawFixed);
  list->SetItemHeight(20);
  Show();
  list->Items().Assign({"a", "b"});
  list->SetItemIndex(1);
  std::vector<std::pair<int, TOwnerDrawState>> seen;
  list->OnDrawItem = [&](TWinControl* control, int index, const RECT& r, TOwnerDrawState state) {
    EXPECT_EQ(control, list);
    EXPECT_EQ(r.bottom - r.top, 20);
    seen.push_back({index, state});
  };
  RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  bool sawSelected = false, sawPlain = false;
  for (auto [index, state] : seen) {
    if (index == 1) sawSelected |= (state & ODS_SELECTED) != 0;
    if (index == 0) sawPlain |= (state & ODS_SELECTED) == 0;
  }
  EXPECT_TRUE(sawSelected);
  EXPECT_TRUE(sawPlain);

  // Without a handler the list fills each row and writes its text: the selected row is highlighted
  // to its right end, the other row is not.
  list->OnDrawItem = nullptr;
  Snapshot shown(*list);
  EXPECT_EQ(shown.Pixel(list->ClientWidth() - 4, 30), ColorToRGB(clHighlight));
  EXPECT_NE(shown.Pixel(list->ClientWidth() - 4, 10), ColorToRGB(clHighlight));
}

}  // namespace
}  // namespace vellumor::test
