// The main window's pixels, focus and keys as they reach the screen, at whatever density the
// test prefix has (run at 96 and at 144 pixels per inch).
#include <gtest/gtest.h>

#include "FormMainFixture.h"

using namespace vellumor;
using vellumor::test::FormMainTest;
using vellumor::test::ScreenShot;

namespace {

// The spin button's halves each show their arrow: dark pixels in the middle third of each half.
void ExpectSpinArrows(TSpinEdit* spin, const char* when) {
  ScreenShot p(spin->SpinButton()->Handle());
  const COLORREF arrow = ColorToRGB(clBtnText);
  const int half = p.height / 2, left = p.width / 3, right = p.width * 2 / 3;
  EXPECT_GT(p.Count(RECT{left, 2, right, half - 1}, arrow), 0) << "up arrow " << when;
  EXPECT_GT(p.Count(RECT{left, half + 1, right, p.height - 2}, arrow), 0) << "down arrow " << when;
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
  auto frame = [](TBitBtn* b) { return ScreenShot(b->Handle()).Pixels(3); };
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
    ScreenShot p(button->Handle());
    EXPECT_EQ(p.Count(RGB(255, 0, 255)), 0) << "magenta stays see-through";
    // The picture is the leftmost thing on the face, 16 x 16, centred in height.
    const int top = p.height / 2 - 8;
    int left = 3;
    while (left < p.width / 2 && p.Count(RECT{left, top, left + 1, top + 16}, shadow) == 0)
      ++left;
    const int greyed = p.Count(RECT{left, top, left + 16, top + 16}, shadow);
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
}
