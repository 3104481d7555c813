// The main window at the screen density of the test prefix (run at 96, 120, 144 and 192 pixels
// per inch): the stored layout scaled by the ratio of text heights, every font at its point size,
// every caption whole.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

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

struct Place {
  int left, top, width, height;
};

Place PlaceOf(const TControl* c) {
  return {c->Left(), c->Top(), c->Width(), c->Height()};
}

// The stored layout: the same window made with scaling off, before it has any window.
struct StoredLayout {
  std::map<std::string, Place> places;
  Place spinButton{};
  int clientWidth = 0, clientHeight = 0;

  StoredLayout() {
    struct Unscaled {
      Unscaled() { TForm::ScaledByDefault = false; }
      ~Unscaled() { TForm::ScaledByDefault = true; }
    } unscaled;
    std::unique_ptr<TFormMain> stored(new TFormMain(nullptr));
    clientWidth = stored->ClientWidth();
    clientHeight = stored->ClientHeight();
    for (int i = 0; i < stored->ComponentCount(); ++i)
      if (auto* c = dynamic_cast<TControl*>(stored->Components(i)))
        if (!dynamic_cast<TTabSheet*>(c)) places[c->Name] = PlaceOf(c);  // the page control places its pages
    spinButton = PlaceOf(stored->edMDHelpContext->SpinButton());
  }
};

// The caption as drawn in the control's own font, '&' marking the underlined letter.
SIZE CaptionExtent(TControl* c) {
  ScreenDC dc;
  ScopedSelect font(dc.Get(), c->Font().Handle());
  std::wstring text = Widen(c->Caption());
  RECT r{0, 0, 0, 0};
  DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_CALCRECT);
  return {r.right, r.bottom};
}

// Room a caption needs beside what the control draws with it.
SIZE CaptionRoom(TControl* c) {
  SIZE room = CaptionExtent(c);
  if (dynamic_cast<TCheckBox*>(c) || dynamic_cast<TRadioButton*>(c)) {
    // The system's box, 12 pixels at 96 per inch plus its edge, then half a digit of air.
    ScreenDC dc;
    ScopedSelect font(dc.Get(), c->Font().Handle());
    INT digit = 0;
    GetCharWidth32W(dc.Get(), L'0', L'0', &digit);
    room.cx += MulDiv(12, ScreenPixelsPerInch(), 96) + 1 + digit / 2;
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
  const StoredLayout stored;
  EXPECT_EQ(form->TextHeight, textHeight);
  EXPECT_EQ(form->ClientWidth(), Scaled(stored.clientWidth));
  EXPECT_EQ(form->ClientHeight(), Scaled(stored.clientHeight));
  ASSERT_FALSE(stored.places.empty());
  for (const auto& [name, place] : stored.places) {
    SCOPED_TRACE(name);
    TControl* c = Named(name);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->Left(), Scaled(place.left));
    EXPECT_EQ(c->Top(), Scaled(place.top));
    if (auto* label = dynamic_cast<TLabel*>(c); label && label->AutoSize()) {
      // Sized to its caption on this screen, whatever the stored size.
      SIZE caption = CaptionExtent(c);
      EXPECT_EQ(c->Width(), caption.cx);
      EXPECT_EQ(c->Height(), caption.cy);
      continue;
    }
    EXPECT_EQ(c->Width(), Scaled(place.width));
    EXPECT_NEAR(c->Height(), Scaled(place.height), HasNaturalHeight(c) ? Scaled(kNaturalHeightSlack) : 0);
  }
  // The spin edit's own button scales with it.
  EXPECT_EQ(form->edMDHelpContext->SpinButton()->Width(), Scaled(stored.spinButton.width));
}

TEST_F(FormMainDensityTest, HeaderStripAndBevelSpanTheClientWidth) {
  EXPECT_EQ(form->Shape1->Left(), 0);
  EXPECT_EQ(form->Shape1->Width(), form->ClientWidth());
  EXPECT_EQ(form->Bevel2->Width(), form->ClientWidth());
  EXPECT_EQ(form->Bevel2->Top(), form->Shape1->Height());
}

TEST_F(FormMainDensityTest, EveryFontKeepsItsPointSize) {
  for (int i = 0; i < form->ComponentCount(); ++i) {
    auto* c = dynamic_cast<TControl*>(form->Components(i));
    if (!c) continue;
    SCOPED_TRACE(c->Name);
    EXPECT_EQ(c->Font().Size(), 8);
    EXPECT_EQ(c->Font().Height(), form->Font().Height());
    // The font a standard window really draws with (our own classes draw with Font()).
    auto* w = dynamic_cast<TWinControl*>(c);
    auto font = w ? reinterpret_cast<HFONT>(SendMessageW(w->Handle(), WM_GETFONT, 0, 0)) : nullptr;
    LOGFONTW used{};
    if (font && GetObjectW(font, sizeof(used), &used)) {
      EXPECT_EQ(used.lfHeight, form->Font().Height());
    }
  }
  // The header's own font is bold on the screen too.
  ScreenDC dc;
  ScopedSelect font(dc.Get(), form->LblWinTitle->Font().Handle());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc.Get(), &tm);
  EXPECT_GE(tm.tmWeight, FW_BOLD);
}

TEST_F(FormMainDensityTest, EveryCaptionFitsInsideItsControl) {
  for (int i = 0; i < form->ComponentCount(); ++i) {
    auto* c = dynamic_cast<TControl*>(form->Components(i));
    if (!c || c->Caption().empty() || dynamic_cast<TTabSheet*>(c) || dynamic_cast<TCustomEdit*>(c)) continue;
    SCOPED_TRACE(c->Name + " \"" + c->Caption() + "\"");
    SIZE room = CaptionRoom(c);
    EXPECT_LE(room.cx, c->Width());
    EXPECT_LE(room.cy, c->Height());
  }
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
