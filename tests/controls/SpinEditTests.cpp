// The spin edit: value through the text, clamping, stepping, the character filter, cut and
// paste, leaving the field, and its size and inner layout.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "FormFixture.h"
#include "Spin.h"

namespace vellumor::test {
namespace {

// Records its steps, so a test sees that keys and halves reach a descendant's stepping.
class CountingSpinEdit : public TSpinEdit {
 public:
  using TSpinEdit::TSpinEdit;
  std::string steps;
  void StepUp(TObject* sender) override { steps += 'u', TSpinEdit::StepUp(sender); }
  void StepDown(TObject* sender) override { steps += 'd', TSpinEdit::StepDown(sender); }
};

class SpinEditTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    other = Make<TEdit>(form, 200, 10, 80, 22);
    spin = Make<CountingSpinEdit>(form, 88, 144, 89, 22);  // as in the main window
  }
  // Nothing may escape a handler: the form's exception handler would only record it.
  void TearDown() override {
    EXPECT_EQ(errors, std::vector<std::string>{});
    FormTest::TearDown();
  }

  HWND Window() { return spin->Handle(); }
  HWND Button() { return spin->SpinButton()->Handle(); }
  // Focuses the field, replaces its text by typing and leaves it; the text it is left with.
  std::string TypeAndLeave(const std::wstring& text) {
    spin->SetFocus();
    spin->SelectAll();
    Type(Window(), L"\b" + text);
    other->SetFocus();
    return spin->Text();
  }
  void PasteOrCut(UINT message, const char* clipboard, const char* text) {
    ASSERT_TRUE(wintest::WriteClipboardText(clipboard));
    spin->SetText(text);
    spin->SelectAll();
    SendMessageW(Window(), message, 0, 0);
  }

  TEdit* other = nullptr;
  CountingSpinEdit* spin = nullptr;
};

TEST_F(SpinEditTest, TextThatIsNoWholeNumberReadsAsMinValue) {
  EXPECT_EQ(spin->Text(), "0");
  spin->MinValue = 3;
  spin->MaxValue = 9;
  std::string read;
  for (const char* text :
       {"", "12a", "1.5", "2147483648", "-2147483649", "--1", "+", "0x10", "+7", "-2147483648"}) {
    spin->SetText(text);
    read += std::to_string(spin->Value()) + " ";
  }
  EXPECT_EQ(read, "3 3 3 3 3 3 3 3 7 -2147483648 ");
}

// Each row: MinValue MaxValue Increment, the text, then "=N" to write N or "u"/"d" to step with
// the arrow keys, and the text expected. Equal bounds mean no range; a step wraps around the
// 32-bit range and is clamped afterwards.
TEST_F(SpinEditTest, WritesAndStepsLandInTheRange) {
  const char* rows[] = {
      // above, below and inside the range; inverted bounds below, between and above MinValue
      "1 10 1 0 =25 10", "1 10 1 0 =-4 1", "1 10 1 0 =7 7", "10 5 1 0 =3 10", "10 5 1 0 =7 10",
      "10 5 1 0 =12 5",
      // no range: any number, a step up, a step below zero
      "0 0 1 0 =-75 -75", "0 0 1 0 u 1", "0 0 1 -1 d -2",
      // at the ends of the range; text that is no number steps from MinValue; bounds lowered
      // under the text
      "1 10 1 10 u 10", "1 10 1 1 d 1", "3 9 1 abc u 4", "0 50 1 80 d 50",
      // wraps: up at the top, down at the bottom, the largest step used as given, with a range
      "0 0 1 2147483647 u -2147483648", "0 0 1 -2147483648 d 2147483647", "0 0 -2147483648 -1 d 2147483647",
      "-10 2147483647 1 2147483647 u -10",
      // negative and zero increments
      "0 0 -5 0 u -5", "0 0 0 -5 d -5"};
  for (const char* row : rows) {
    SCOPED_TRACE(row);
    std::istringstream in(row);
    std::string start, op, expected;
    in >> spin->MinValue >> spin->MaxValue >> spin->Increment >> start >> op >> expected;
    spin->SetText(start);
    int changes = 0;
    spin->OnChange = [&](TObject*) { ++changes; };
    if (op[0] == '=')
      spin->SetValue(std::stoi(op.substr(1)));
    else
      KeyDown(Window(), op == "u" ? VK_UP : VK_DOWN);
    EXPECT_EQ(spin->Text(), expected);
    EXPECT_EQ(changes, 1);  // written even when it shows the same number
  }
}

// OnKeyDown sees the arrow keys after the step, also when a read-only field only beeps.
TEST_F(SpinEditTest, ArrowKeysAndHalvesStepUnlessReadOnly) {
  std::vector<std::string> seen;
  spin->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
    seen.push_back(std::to_string(key) + "=" + spin->Text());
  };
  for (bool readOnly : {false, true}) {
    spin->SetReadOnly(readOnly);
    KeyDown(Window(), VK_UP);
    KeyDown(Window(), VK_DOWN);
    KeyDown(Window(), VK_HOME);
    Click(*spin->SpinButton());
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"38=1", "40=0", "36=0", "38=1", "40=1", "36=1"}));
  EXPECT_EQ(spin->Text(), "1");
  EXPECT_EQ(spin->steps, "uduudu");
  EXPECT_EQ(beeps, (std::vector<UINT>{0, 0, 0}));
}

TEST_F(SpinEditTest, OnlySignsDigitsTheLocalesSeparatorAndControlCharactersPass) {
  wchar_t separator = DecimalSeparator();
  for (wchar_t ch : {L'+', L'-', L'0', L'5', L'9', separator, wchar_t{8}, wchar_t{3}, wchar_t{27}})
    EXPECT_TRUE(spin->AcceptsChar(ch)) << int(ch);
  wchar_t otherSeparator = separator == L'.' ? L',' : L'.';
  for (wchar_t ch : {L'a', L' ', L'e', otherSeparator, wchar_t{13}, wchar_t{127}, wchar_t{128}, wchar_t{0xE9},
                     wchar_t{0x0660}, wchar_t{0x066B}, wchar_t{0xFF11}, wchar_t{0xD83D}})
    EXPECT_FALSE(spin->AcceptsChar(ch)) << int(ch);
  // With the editor off only control characters other than backspace pass.
  spin->EditorEnabled = false;
  EXPECT_TRUE(spin->AcceptsChar(3));  // Ctrl+C still copies
  for (wchar_t ch : {L'5', L'-', wchar_t{8}, wchar_t{13}})
    EXPECT_FALSE(spin->AcceptsChar(ch)) << int(ch);
  // The separator comes from the user's locale, but one above ASCII is refused as every such
  // character.
  wchar_t saved[8] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, saved, static_cast<int>(std::size(saved)));
  spin->EditorEnabled = true;
  for (const wchar_t* locale : {L",", L"\u066B"}) {  // which of ',', '.' and U+066B pass
    EXPECT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, locale));
    EXPECT_EQ(DecimalSeparator(), locale[0]);
    std::string passed;
    for (wchar_t ch : {L',', L'.', L'\u066B'})
      passed += spin->AcceptsChar(ch) ? 'y' : 'n';
    EXPECT_EQ(passed, locale[0] == L',' ? "ynn" : "nnn");
  }
  SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, saved);
}

// Enter, though the window is multi-line, never breaks the line.
TEST_F(SpinEditTest, RefusedCharacterBeepsAndNeverReachesOnKeyPress) {
  std::wstring pressed;
  spin->OnKeyPress = [&](TObject*, wchar_t& key) { pressed += key; };
  spin->SetFocus();
  spin->SelectAll();
  Type(Window(), L"12x3\r");
  EXPECT_EQ(spin->Text(), "123");
  EXPECT_EQ(pressed, L"123");
  EXPECT_EQ(beeps, (std::vector<UINT>{0, 0}));
  Char(Window(), 10);  // Ctrl+Enter's line feed is a control character and passes to the edit
  EXPECT_EQ(spin->Text().find('\r'), std::string::npos);
  spin->EditorEnabled = false;
  spin->SetText("123");
  spin->SetSelStart(3);
  Type(Window(), L"5\b");
  EXPECT_EQ(spin->Text(), "123");
  EXPECT_EQ(beeps.size(), 4u);
}

TEST_F(SpinEditTest, PasteIsNotFilteredAndCutAndPasteAreDroppedSilentlyWhenEditingIsOff) {
  PasteOrCut(WM_PASTE, "12a", "0");
  EXPECT_EQ(spin->Text(), "12a");
  EXPECT_EQ(spin->Value(), 0);
  PasteOrCut(WM_PASTE, "7\r\n8", "0");  // the first line only
  EXPECT_EQ(spin->Text(), "7");
  for (int mode = 0; mode < 2; ++mode) {
    spin->SetReadOnly(mode == 0);
    spin->EditorEnabled = mode == 0;
    PasteOrCut(WM_CUT, "9", "123");
    EXPECT_EQ(spin->Text(), "123") << mode;
    EXPECT_EQ(wintest::ReadClipboardText(), "9") << mode;
    PasteOrCut(WM_PASTE, "9", "123");
    EXPECT_EQ(spin->Text(), "123") << mode;
  }
  EXPECT_TRUE(beeps.empty());
  spin->SetReadOnly(false);
  spin->EditorEnabled = true;
  PasteOrCut(WM_CUT, "9", "123");
  EXPECT_EQ(spin->Text(), "");
  EXPECT_EQ(wintest::ReadClipboardText(), "123");
}

TEST_F(SpinEditTest, LeavingPullsAnOutOfRangeNumberInAfterOnExitSawIt) {
  std::vector<std::string> seenOnExit;
  spin->OnExit = [&](TObject*) { seenOnExit.push_back(spin->Text()); };
  EXPECT_EQ(TypeAndLeave(L"-75"), "-75");  // no range
  EXPECT_EQ(TypeAndLeave(L""), "");
  spin->MinValue = 1;
  spin->MaxValue = 10;
  EXPECT_EQ(TypeAndLeave(L"25"), "10");
  EXPECT_EQ(TypeAndLeave(L"0"), "1");
  EXPECT_EQ(TypeAndLeave(L"+-"), "+-");
  EXPECT_EQ(seenOnExit, (std::vector<std::string>{"-75", "", "25", "0", "+-"}));
  spin->MinValue = 10;  // inverted bounds would move even MinValue
  spin->MaxValue = 5;
  EXPECT_EQ(TypeAndLeave(L"-"), "-");
}

// A press on a half, from another control, focuses the field and selects its text before the
// click steps it.
TEST_F(SpinEditTest, EnteringSelectsTheWholeTextButAClickIntoItDoesNot) {
  spin->SetValue(1234);
  other->SetFocus();
  spin->SetFocus();
  EXPECT_EQ(spin->SelStart(), 0);
  EXPECT_EQ(spin->SelLength(), 4);
  other->SetFocus();
  LeftDown(Window(), 30, 5);
  LeftUp(Window(), 30, 5);
  EXPECT_TRUE(spin->Focused());
  EXPECT_EQ(spin->SelLength(), 0);
  other->SetFocus();
  LeftDown(Button(), 3, 3);
  EXPECT_EQ(spin->SelLength(), 4);
  LeftUp(Button(), 3, 3);
  EXPECT_EQ(spin->Text(), "1235");
  LeftDown(Button(), 3, 15);
  LeftUp(Button(), 3, 15);
  EXPECT_EQ(spin->Text(), "1234");
  other->SetFocus();
  spin->AutoSelect = false;
  spin->SetSelStart(2);
  spin->SetFocus();
  EXPECT_EQ(spin->SelLength(), 0);
}

TEST_F(SpinEditTest, SpinButtonSitsInsideTheRightEdgeTheTextStopsShortOfItAndTheHeightHasAMinimum) {
  TSpinButton* button = spin->SpinButton();
  for (int pass = 0; pass < 2; ++pass) {  // also after the window is made again
    EXPECT_EQ(spin->Height(), 22);
    RECT bounds = button->BoundsRect(), want{69, 0, 84, 17};
    EXPECT_TRUE(EqualRect(&bounds, &want)) << pass;
    RECT area{};
    SendMessageW(Window(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    EXPECT_LE(area.right, spin->ClientWidth() - 15 - 2) << pass;
    EXPECT_GT(area.right, spin->ClientWidth() - 15 - 8) << pass;
    EXPECT_EQ(StyleOf(*spin) & (ES_MULTILINE | WS_CLIPCHILDREN), ES_MULTILINE | WS_CLIPCHILDREN);
    spin->SetValue(42);
    spin->RecreateWnd();
  }
  EXPECT_EQ(spin->Text(), "42");
  EXPECT_EQ(GetParent(Button()), Window());
  EXPECT_TRUE(IsWindowVisible(Button()));
  spin->SetCtl3D(false);  // without the three-dimensional look one row down
  RECT flat = button->BoundsRect(), want{74, 1, 89, 1 + spin->Height() - 3};
  EXPECT_TRUE(EqualRect(&flat, &want));
  // A height below the minimum is raised, and then laid out.
  spin->SetCtl3D(true);
  auto textHeight = [this] {
    ScreenDC dc;
    TEXTMETRICW metrics{};
    ScopedSelect select(dc.Get(), spin->Font().Handle());
    GetTextMetricsW(dc.Get(), &metrics);
    return metrics.tmHeight;
  };
  spin->SetHeight(10);
  const int minimum = spin->Height();
  EXPECT_GT(minimum, textHeight());
  EXPECT_EQ(spin->SpinButton()->Height(), minimum - 5);
  spin->SetHeight(minimum - 1);
  EXPECT_EQ(spin->Height(), minimum);
  spin->Font().SetHeight(-24);
  spin->SetHeight(10);
  EXPECT_GT(spin->Height(), textHeight());
  EXPECT_GT(spin->Height(), minimum);
}

// Regression: once a dialog has asked for its codes, the multi-line edit inside takes Esc as a
// request to close its parent, here the form.
TEST_F(SpinEditTest, EscInsideADialogLeavesTheParentOpenAndStillReachesTheKeyEvents) {
  std::vector<int> keys;
  spin->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { keys.push_back(key); };
  spin->OnKeyPress = [&](TObject*, wchar_t& key) { keys.push_back(key); };
  spin->SetFocus();
  MSG asked{Window(), WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
  SendMessageW(Window(), WM_GETDLGCODE, VK_ESCAPE, reinterpret_cast<LPARAM>(&asked));
  KeyDown(Window(), VK_ESCAPE);
  Char(Window(), 0x1B);
  wintest::PumpUntilIdle();
  EXPECT_TRUE(form->Showing());
  EXPECT_EQ(spin->Text(), "0");
  EXPECT_EQ(keys, (std::vector<int>{VK_ESCAPE, 0x1B}));
  EXPECT_TRUE(beeps.empty());
}

}  // namespace
}  // namespace vellumor::test
