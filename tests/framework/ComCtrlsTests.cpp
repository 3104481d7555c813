// The page control on a real form: which sheet shows, where the sheets sit, switching pages by
// tab strip keys and Ctrl+Tab, and what the inactive page's controls no longer do.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <tuple>

#include "ComCtrls.h"
#include "FormFixture.h"
#include "StdCtrls.h"

namespace vellumor::test {
namespace {

class PageControlTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    pages = Make<TPageControl>(form, 8, 60, 257, 247);
    pages->SetHotTrack(true);
    first = AddSheet(pages, "MessageDlg");
    second = AddSheet(pages, "MessageBox");
    before = Make<TEdit>(form, 8, 10, 100, 21);
    before->SetTabOrder(0);
    firstBox = Make<TCheckBox>(first, 4, 10, 85, 17, "So&und");
    firstEdit = Make<TEdit>(first, 4, 40, 100, 21);
    secondBox = Make<TCheckBox>(second, 4, 10, 85, 17, "&Help");
    pages->OnChange = [this](TObject*) { ++changes; };
    wintest::PumpUntilIdle();
  }

  TTabSheet* AddSheet(TPageControl* control, const char* caption) {
    auto* sheet = new TTabSheet(form);
    sheet->SetCaption(caption);
    sheet->SetPageControl(control);
    return sheet;
  }
  std::string TabText(int index) {
    wchar_t buffer[64] = {};
    TCITEMW item{TCIF_TEXT, 0, 0, buffer, static_cast<int>(std::size(buffer)), 0, 0};
    SendMessageW(pages->Handle(), TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return wintest::Narrow(buffer);
  }

  int CurSel() { return static_cast<int>(SendMessageW(pages->Handle(), TCM_GETCURSEL, 0, 0)); }
  // The active page, the sheets that show, and how many changes the user made.
  std::string State() {
    return "page " + std::to_string(pages->ActivePageIndex()) + " shows " +
           (IsWindowVisible(first->Handle()) ? "1" : "") + (IsWindowVisible(second->Handle()) ? "2" : "") +
           " changes " + std::to_string(changes);
  }

  TPageControl* pages = nullptr;
  TTabSheet *first = nullptr, *second = nullptr;
  TEdit *before = nullptr, *firstEdit = nullptr;
  TCheckBox *firstBox = nullptr, *secondBox = nullptr;
  int changes = 0;
};

TEST_F(PageControlTest, OnlyTheActiveSheetShowsAndSheetsFillTheAreaBelowTheTabs) {
  ASSERT_EQ(pages->PageCount(), 2);
  EXPECT_EQ(State(), "page 0 shows 1 changes 0");  // the first page shows as soon as it is added
  EXPECT_EQ(std::tuple(first->PageIndex(), second->PageIndex(), TabText(0) + "|" + TabText(1),
                       StyleOf(*pages) & (TCS_HOTTRACK | WS_TABSTOP)),
            std::tuple(0, 1, "MessageDlg|MessageBox", static_cast<LONG>(TCS_HOTTRACK | WS_TABSTOP)));

  RECT area{};
  GetClientRect(pages->Handle(), &area);
  SendMessageW(pages->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  EXPECT_GT(area.top, 10);  // below the tab row
  for (TTabSheet* sheet : {first, second}) {
    const RECT bounds = sheet->BoundsRect();
    EXPECT_TRUE(EqualRect(&bounds, &area)) << sheet->Caption();
  }

  pages->SetActivePageIndex(1);  // the program's own switch raises nothing
  EXPECT_EQ(std::pair(pages->ActivePage(), CurSel()), std::pair(second, 1));
  EXPECT_EQ(State(), "page 1 shows 2 changes 0");
  second->SetCaption("Box");
  EXPECT_EQ(TabText(1), "Box");
  pages->SetActivePageIndex(5);
  EXPECT_EQ(State(), "page -1 shows  changes 0");
}

TEST_F(PageControlTest, ArrowKeysAndCtrlTabSwitchPagesFromTheStripAndFromInsideAPage) {
  pages->SetFocus();
  for (auto [key, state] :
       {std::pair(VK_RIGHT, "page 1 shows 2 changes 1"), {VK_LEFT, "page 0 shows 1 changes 2"}}) {
    KeyDown(pages->Handle(), key);
    wintest::PumpUntilIdle();
    EXPECT_EQ(State(), state);
  }
  {
    HeldKeys ctrl{VK_CONTROL};
    KeyDown(pages->Handle(), VK_TAB);
  }
  EXPECT_EQ(State(), "page 1 shows 2 changes 3");
  EXPECT_TRUE(pages->Focused());  // the strip keeps the focus
  EXPECT_TRUE(DispatchPageKey(pages, VK_TAB, ssCtrl));
  EXPECT_EQ(State(), "page 0 shows 1 changes 4");  // wraps around

  // Typed on a control of the page, the focus follows to the first tab stop of the new page.
  firstBox->SetFocus();
  Press(VK_TAB, {VK_CONTROL, VK_SHIFT});
  EXPECT_EQ(State(), "page 1 shows 2 changes 5");
  EXPECT_EQ(std::pair(Focus(), firstBox->Checked()), std::pair(static_cast<TWinControl*>(secondBox), false));

  // Outside the page control, and without Ctrl, the key is not the page control's.
  before->SetFocus();
  EXPECT_FALSE(DispatchPageKey(before, VK_TAB, ssCtrl) || DispatchPageKey(secondBox, VK_TAB, 0) ||
               DispatchPageKey(secondBox, VK_RIGHT, ssCtrl));
  EXPECT_EQ(State(), "page 1 shows 2 changes 5");
}

TEST_F(PageControlTest, ControlsOnTheInactivePageAreSkippedByTabAndAccelerators) {
  // A sheet holds graphic controls too, and their accelerators.
  auto* label = Make<TLabel>(first, 4, 70, 10, 10, "&Title:");
  label->SetFocusControl(firstEdit);
  EXPECT_GT(label->Width(), 10);
  EXPECT_TRUE(DispatchAccelerator(form, L't'));
  EXPECT_EQ(Focus(), firstEdit);

  EXPECT_EQ((std::vector{FindNextControl(form, before, true, true), FindNextControl(form, pages, true, true),
                         FindNextControl(form, firstEdit, true, true)}),
            (std::vector<TWinControl*>{pages, firstBox, before}));
  EXPECT_FALSE(secondBox->CanFocus() || DispatchAccelerator(form, L'h') || secondBox->Checked());

  pages->SetActivePage(second);
  EXPECT_EQ(FindNextControl(form, pages, true, true), secondBox);
  EXPECT_TRUE(!DispatchAccelerator(form, L'u') && DispatchAccelerator(form, L'h'));
  EXPECT_EQ(std::pair(Focus(), secondBox->Checked()), std::pair(static_cast<TWinControl*>(secondBox), true));
}

TEST_F(PageControlTest, DeletingPagesKeepsAPageShowingAndTheControlSafe) {
  pages->SetActivePageIndex(0);
  delete first;
  EXPECT_EQ(std::pair(pages->PageCount(), pages->ActivePage()), std::pair(1, second));
  EXPECT_EQ(std::tuple(second->PageIndex(), CurSel(), TabText(0), IsWindowVisible(second->Handle()) != 0),
            std::tuple(0, 0, "MessageBox", true));

  // A sheet moved elsewhere leaves the page control.
  auto* other = Make<TPageControl>(form, 270, 60, 140, 200);
  second->SetPageControl(other);
  EXPECT_EQ(std::pair(pages->PageCount(), pages->ActivePage()),
            std::pair(0, static_cast<TTabSheet*>(nullptr)));
  EXPECT_EQ(other->ActivePage(), second);

  delete other;  // takes its sheet along
  EXPECT_EQ(std::pair(pages->PageCount(), errors.size()), std::pair(0, size_t{0}));
}

}  // namespace
}  // namespace vellumor::test
