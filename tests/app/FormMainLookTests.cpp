// The main window's pixels, focus and keys as they reach the screen, at whatever density the
// test prefix has (run at 96 and at 144 pixels per inch).
#include <gtest/gtest.h>

#include <map>

#include "Clipbrd.h"
#include "FormMainFixture.h"
#include "WinTest.h"

using namespace vellumor;
using vellumor::test::FormMainTest;
using vellumor::test::InsideWorkArea;

namespace {

// What the screen shows of a window's rectangle, once Wine has put every pending paint on it.
class ScreenPixels {
 public:
  explicit ScreenPixels(HWND hwnd) {
    GetWindowRect(hwnd, &rect_);
    for (int settle = 0; settle < 20; ++settle) {
      wintest::PumpUntilIdle();
      Sleep(50);
      std::vector<COLORREF> now = Grab();
      if (now == pixels_) break;
      pixels_ = std::move(now);
    }
  }
  int Width() const { return rect_.right - rect_.left; }
  int Height() const { return rect_.bottom - rect_.top; }
  COLORREF At(int x, int y) const { return pixels_[static_cast<size_t>(y * Width() + x)]; }
  // How many pixels of the part (x0, y0)-(x1, y1) have `colour`.
  int Count(COLORREF colour, int x0, int y0, int x1, int y1) const {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        n += At(x, y) == colour;
    return n;
  }
  // The frame: the outer three rows and columns.
  std::vector<COLORREF> Frame() const {
    std::vector<COLORREF> f;
    for (int x = 0; x < Width(); ++x)
      for (int d = 0; d < 3; ++d)
        f.push_back(At(x, d)), f.push_back(At(x, Height() - 1 - d));
    for (int y = 3; y < Height() - 3; ++y)
      for (int d = 0; d < 3; ++d)
        f.push_back(At(d, y)), f.push_back(At(Width() - 1 - d, y));
    return f;
  }

 private:
  std::vector<COLORREF> Grab() const {
    std::vector<COLORREF> p;
    HDC screen = GetDC(nullptr);
    for (int y = rect_.top; y < rect_.bottom; ++y)
      for (int x = rect_.left; x < rect_.right; ++x)
        p.push_back(GetPixel(screen, x, y));
    ReleaseDC(nullptr, screen);
    return p;
  }
  RECT rect_{};
  std::vector<COLORREF> pixels_;
};

// The spin button's halves each show their arrow: dark pixels in the middle third of each half.
void ExpectSpinArrows(TSpinEdit* spin, const char* when) {
  ScreenPixels p(spin->SpinButton()->Handle());
  const COLORREF arrow = ColorToRGB(clBtnText);
  int half = p.Height() / 2;
  EXPECT_GT(p.Count(arrow, p.Width() / 3, 2, p.Width() * 2 / 3, half - 1), 0) << "up arrow " << when;
  EXPECT_GT(p.Count(arrow, p.Width() / 3, half + 1, p.Width() * 2 / 3, p.Height() - 2), 0)
      << "down arrow " << when;
}

}  // namespace

TEST_F(FormMainTest, SpinArrowsShowWheneverTheWindowShowsTheSpinEdit) {
  ExpectSpinArrows(form->edMDHelpContext, "at start, disabled");
  Press('H', true);
  ASSERT_TRUE(form->edMDHelpContext->Enabled());
  ExpectSpinArrows(form->edMDHelpContext, "after Help is ticked");
  Press('X', true);
  ASSERT_EQ(GetFocus(), form->edMDHelpContext->Handle());
  ExpectSpinArrows(form->edMDHelpContext, "focused");
  Press(VK_TAB);
  ExpectSpinArrows(form->edMDHelpContext, "after the focus left");
}

TEST_F(FormMainTest, DefaultFrameIsOnTheFocusedPushButtonOnly) {
  // The look of a frame without the default mark: About, never default and never focused here.
  auto frame = [](TBitBtn* b) { return ScreenPixels(b->Handle()).Frame(); };
  const std::vector<COLORREF> plain = frame(form->BtnAbout);
  const std::vector<COLORREF> marked = frame(form->BtnPreview);
  ASSERT_NE(plain, marked) << "the default button shows its frame while the memo has the focus";
  EXPECT_EQ(frame(form->BtnCreate), plain);

  form->BtnPreview->SetFocus();
  Press(VK_TAB);
  ASSERT_EQ(GetFocus(), form->BtnCreate->Handle());
  EXPECT_EQ(frame(form->BtnPreview), plain) << "Preview gives up the frame";
  EXPECT_EQ(frame(form->BtnCreate), marked) << "the focused button takes it";

  form->cbMDSound->SetFocus();
  Idle();
  EXPECT_EQ(frame(form->BtnPreview), marked) << "back on the default button";
  EXPECT_EQ(frame(form->BtnCreate), plain);
}

TEST_F(FormMainTest, DisabledPicturesAreGreyedShapesOnTheButtonFace) {
  Press('O', true);  // no MessageDlg button left: Preview and Create are disabled
  ASSERT_FALSE(form->BtnPreview->Enabled());
  const COLORREF shadow = ColorToRGB(clBtnShadow);
  for (TBitBtn* button : {form->BtnPreview, form->BtnCreate}) {
    ScreenPixels p(button->Handle());
    EXPECT_EQ(p.Count(RGB(255, 0, 255), 0, 0, p.Width(), p.Height()), 0) << "magenta stays see-through";
    // The picture is the leftmost thing on the face, 16 x 16, centred in height.
    const int top = p.Height() / 2 - 8;
    int left = 3;
    while (left < p.Width() / 2 && p.Count(shadow, left, top, left + 1, top + 16) == 0)
      ++left;
    const int greyed = p.Count(shadow, left, top, left + 16, top + 16);
    EXPECT_GT(greyed, 16) << "the shape shows";
    EXPECT_LT(greyed, 200) << "not a whole grey square";
  }
}

TEST_F(FormMainTest, MinimiseAndRestoreKeepTheFocusWhereTheUserLeftIt) {
  Press('S', true);
  ASSERT_EQ(GetFocus(), form->edStyle->Handle());
  SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  Idle();
  ASSERT_TRUE(IsIconic(form->Handle()));
  SendMessageW(form->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  Idle();
  EXPECT_EQ(GetFocus(), form->edStyle->Handle());
  Press('Q');
  EXPECT_EQ(form->mmMessage->Text(), "This is a message.") << "the key did not reach the message";

  // Switching away and back, too.
  SendMessageW(form->Handle(), WM_ACTIVATE, WA_INACTIVE, 0);
  SendMessageW(form->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(GetFocus(), form->edStyle->Handle());
}

TEST_F(FormMainTest, SpaceInTheOptionsWithNoCurrentItemTogglesNothing) {
  form->PageControl1->SetActivePageIndex(1);
  Idle();
  Press('N', true);
  ASSERT_EQ(GetFocus(), form->clbMBOptions->Handle());
  ASSERT_EQ(form->clbMBOptions->ItemIndex(), -1);
  Press(VK_SPACE);
  for (int i = 0; i < 6; ++i)
    EXPECT_FALSE(form->clbMBOptions->ItemChecked(i)) << i;
}

TEST_F(FormMainTest, PreviewWithEveryButtonLiesInsideTheWorkArea) {
  for (TCheckBox* box :
       {form->cbMDOK, form->cbMDCancel, form->cbMDYes, form->cbMDNo, form->cbMDAbort, form->cbMDRetry,
        form->cbMDIgnore, form->cbMDAll, form->cbMDYesToAll, form->cbMDNoToAll, form->cbMDHelp})
    box->SetChecked(true);
  Idle();
  wintest::WithBox([&] { form->ActPreview->Execute(); },
                   [&](HWND box) {
                     EXPECT_TRUE(InsideWorkArea(box));
                     EXPECT_EQ(wintest::ReadBox(box).buttons.size(), 11u);
                     EXPECT_TRUE(wintest::PressButton(box, "OK"));
                   });
}

TEST_F(FormMainTest, ContextTakesTheFirstLineOfAMultiLinePaste) {
  Press('H', true);
  form->edMDHelpContext->SelectAll();
  ASSERT_TRUE(wintest::WriteClipboardText("12\r\n34"));
  SendMessageW(form->edMDHelpContext->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(form->edMDHelpContext->Text(), "12");
  ASSERT_TRUE(wintest::WriteClipboardText("7x"));
  form->edMDHelpContext->SelectAll();
  SendMessageW(form->edMDHelpContext->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(form->edMDHelpContext->Text(), "7x") << "a paste is not filtered";
}
