// The main window at the screen density of the test prefix (run at 96, 120, 144 and 192 pixels
// per inch): the stored layout scaled by the ratio of text heights, every font at its point size,
// every caption whole.
#include <gtest/gtest.h>

#include <memory>

#include "FormMainFixture.h"
#include "Graphics.h"

using namespace vellumor;
using vellumor::test::FormMainTest;

namespace {

// Drop-down lists and one-line edits take their height from the font, as the system makes
// them; the layout allows them a few pixels at 96 per inch, and as many scaled.
constexpr int kNaturalHeightSlack = 4;

bool HasNaturalHeight(TControl* c) {
  auto* edit = dynamic_cast<TCustomEdit*>(c);
  return (edit && edit->AutoSize()) || dynamic_cast<TComboBox*>(c);
}

// The text (the caption by default) as drawn in the control's own font, '&' marking the
// underlined letter.
SIZE CaptionExtent(TControl* c, const std::string& caption = "") {
  ScreenDC dc;
  ScopedSelect font(dc.Get(), c->Font().Handle());
  std::wstring text = Widen(caption.empty() ? c->Caption() : caption);
  RECT r{0, 0, 0, 0};
  DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_CALCRECT);
  return {r.right, r.bottom};
}

// Room a caption needs beside what the control draws with it.
SIZE CaptionRoom(TControl* c) {
  SIZE room = CaptionExtent(c);
  if (dynamic_cast<TCheckBox*>(c) || dynamic_cast<TRadioButton*>(c)) {
    // The system's box, 12 pixels at 96 per inch plus its edge, then half a digit of air.
    room.cx += MulDiv(12, ScreenPixelsPerInch(), 96) + 1 + CaptionExtent(c, "0").cx / 2;
  } else if (auto* button = dynamic_cast<TBitBtn*>(c)) {
    // The picture and its gap, inside the frame and the focus rectangle.
    room.cx += button->Glyph()->Width() + button->Spacing() + 8;
    room.cy = std::max<LONG>(room.cy, button->Glyph()->Height()) + 8;
  } else if (dynamic_cast<TGroupBox*>(c)) {
    room.cx += 16;  // the frame's corner and air on both sides
  }
  return room;
}

}  // namespace

class FormMainDensityTest : public FormMainTest {
 protected:
  // A stored position or size on this screen: times the text height over the design's.
  int Scaled(int stored) const { return MulDiv(stored, textHeight, DesignTextHeight); }
  void SetUp() override {
    FormMainTest::SetUp();
    textHeight = ScreenTextHeight(form->Font());
  }
  int textHeight = 0;
};

TEST_F(FormMainDensityTest, EveryControlIsTheStoredLayoutScaledByTheTextHeight) {
  // The stored layout: the same window made with scaling off, which never gets a window.
  TForm::ScaledByDefault = false;
  std::unique_ptr<TFormMain> stored(new TFormMain(nullptr));
  TForm::ScaledByDefault = true;
  EXPECT_EQ(form->TextHeight, textHeight);
  EXPECT_EQ(form->ClientWidth(), Scaled(stored->ClientWidth()));
  EXPECT_EQ(form->ClientHeight(), Scaled(stored->ClientHeight()));
  ASSERT_EQ(form->ComponentCount(), stored->ComponentCount());
  for (int i = 0; i < stored->ComponentCount(); ++i) {
    auto* s = dynamic_cast<TControl*>(stored->Components(i));
    if (!s || dynamic_cast<TTabSheet*>(s)) continue;  // the page control places its pages
    SCOPED_TRACE(s->Name);
    TControl* c = Named(s->Name);
    EXPECT_EQ(std::pair(c->Left(), c->Top()), std::pair(Scaled(s->Left()), Scaled(s->Top())));
    if (auto* label = dynamic_cast<TLabel*>(c); label && label->AutoSize()) {
      SIZE caption = CaptionExtent(c);  // sized to its caption on this screen, whatever the stored size
      EXPECT_EQ((std::pair<LONG, LONG>(c->Width(), c->Height())), std::pair(caption.cx, caption.cy));
      continue;
    }
    EXPECT_EQ(c->Width(), Scaled(s->Width()));
    EXPECT_NEAR(c->Height(), Scaled(s->Height()), HasNaturalHeight(c) ? Scaled(kNaturalHeightSlack) : 0);
  }
  // The spin edit's own button scales with it; the header strip and the bevel span the width.
  EXPECT_EQ(form->edMDHelpContext->SpinButton()->Width(),
            Scaled(stored->edMDHelpContext->SpinButton()->Width()));
  EXPECT_EQ(std::vector<int>(
                {form->Shape1->Left(), form->Shape1->Width(), form->Bevel2->Width(), form->Bevel2->Top()}),
            std::vector<int>({0, form->ClientWidth(), form->ClientWidth(), form->Shape1->Height()}));
}

// Every font at its point size, drawn so by the system too, and every caption inside its control.
TEST_F(FormMainDensityTest, EveryFontKeepsItsPointSizeAndEveryCaptionFits) {
  for (int i = 0; i < form->ComponentCount(); ++i) {
    auto* c = dynamic_cast<TControl*>(form->Components(i));
    if (!c) continue;
    SCOPED_TRACE(c->Name + " \"" + c->Caption() + "\"");
    EXPECT_EQ(c->Font().Size(), 8);
    EXPECT_EQ(c->Font().Height(), form->Font().Height());
    // The font a standard window really draws with (our own classes draw with Font()).
    auto* w = dynamic_cast<TWinControl*>(c);
    auto font = w ? reinterpret_cast<HFONT>(SendMessageW(w->Handle(), WM_GETFONT, 0, 0)) : nullptr;
    LOGFONTW used{};
    if (font && GetObjectW(font, sizeof(used), &used)) {
      EXPECT_EQ(used.lfHeight, form->Font().Height());
    }
    if (c->Caption().empty() || dynamic_cast<TTabSheet*>(c) || dynamic_cast<TCustomEdit*>(c)) continue;
    SIZE room = CaptionRoom(c);
    EXPECT_LE(room.cx, c->Width());
    EXPECT_LE(room.cy, c->Height());
  }
  // The header's own font is bold on the screen too.
  ScreenDC dc;
  ScopedSelect font(dc.Get(), form->LblWinTitle->Font().Handle());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc.Get(), &tm);
  EXPECT_GE(tm.tmWeight, FW_BOLD);
}

TEST_F(FormMainDensityTest, OptionsListShowsTwoWholeRowsOfTextHeight) {
  MessageBoxPage();
  HWND list = form->clbMBOptions->Handle();
  const int row = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
  EXPECT_EQ(row, ScreenTextHeight(form->clbMBOptions->Font()));
  RECT client{};
  GetClientRect(list, &client);
  EXPECT_EQ(client.bottom / row, 2) << client.bottom << " pixels for rows of " << row;
}
