// The spin edit: value through the text, clamping, stepping, the character filter, cut and
// paste, leaving the field, and its size and inner layout.
#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "ControlTest.h"
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

class SpinEditTest : public ControlTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    other = Make<TEdit>(form, 200, 10, 80, 22);
    spin = Make<CountingSpinEdit>(form, 88, 144, 89, 22);  // as in the main window
  }
  HWND Window() { return spin->Handle(); }
  HWND Button() { return spin->SpinButton()->Handle(); }

  TEdit* other = nullptr;
  CountingSpinEdit* spin = nullptr;
};

// Text that is no whole number reads as MinValue. In the table, each row: MinValue MaxValue
// Increment, the text, then "=N" to write N or "u"/"d" to step with the arrow keys, and the text
// expected. Equal bounds mean no range; a step wraps around the 32-bit range and is clamped
// afterwards.
TEST_F(SpinEditTest, ValueReadsTheTextAndWritesAndStepsLandInTheRange) {
  spin->MinValue = 3;
  spin->MaxValue = 9;
  std::string read;
  for (const char* text :
       {"", "12a", "1.5", "2147483648", "-2147483649", "--1", "+", "0x10", "+7", "-2147483648"}) {
    spin->SetText(text);
    read += std::to_string(spin->Value()) + " ";
  }
  EXPECT_EQ(read, "3 3 3 3 3 3 3 3 7 -2147483648 ");
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
  int changes = 0;
  spin->OnChange = [&](TObject*) { ++changes; };
  for (const char* row : rows) {
    SCOPED_TRACE(row);
    std::istringstream in(row);
    std::string start, op, expected;
    in >> spin->MinValue >> spin->MaxValue >> spin->Increment >> start >> op >> expected;
    spin->SetText(start);
    changes = 0;
    if (op[0] == '=')
      spin->SetValue(std::stoi(op.substr(1)));
    else
      KeyDown(Window(), op == "u" ? VK_UP : VK_DOWN);
    EXPECT_EQ(spin->Text() + " " + std::to_string(changes), expected + " 1");  // written even when the same
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
  EXPECT_EQ(spin->Text() + " " + spin->steps, "1 uduudu");
  EXPECT_EQ(beeps, (std::vector<UINT>{0, 0, 0}));
}

// Characters from 128 up are refused, the locale's separator included.
TEST_F(SpinEditTest, OnlySignsDigitsTheLocalesSeparatorAndControlCharactersPass) {
  const wchar_t separator = DecimalSeparator(), otherSeparator = separator == L'.' ? L',' : L'.';
  auto passing = [this](const std::wstring& chars) {
    std::string passed;
    for (wchar_t ch : chars)
      passed += spin->AcceptsChar(ch) ? 'y' : 'n';
    return passed;
  };
  // Signs, digits, the separator, backspace, Ctrl+C, Esc; then what never passes.
  const std::wstring chars = {L'+', L'-', L'0', L'5',   L'9',   separator,      8,
                              3,    27,   L'a', L' ',   L'e',   otherSeparator, 13,
                              127,  128,  0xE9, 0x0660, 0x066B, 0xFF11,         0xD83D};
  EXPECT_EQ(passing(chars), "yyyyyyyyynnnnnnnnnnnn");
  spin->EditorEnabled = false;  // only control characters other than backspace: Ctrl+C still copies
  EXPECT_EQ(passing(chars), "nnnnnnnyynnnnnnnnnnnn");
  spin->EditorEnabled = true;
  wchar_t saved[8] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, saved, static_cast<int>(std::size(saved)));
  for (const wchar_t* locale : {L",", L"\u066B"}) {  // which of ',', '.' and U+066B pass
    EXPECT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, locale));
    EXPECT_EQ(DecimalSeparator(), locale[0]);
    EXPECT_EQ(passing(L",.\u066B"), locale[0] == L',' ? "ynn" : "nnn");
  }
  SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, saved);
}

// Enter, though the window is multi-line, never breaks the line. Regression: once a dialog has
// asked for its codes, the multi-line edit inside takes Esc as a request to close its parent,
// here the form; Esc still reaches the key events.
TEST_F(SpinEditTest, RefusedCharacterBeepsAndNeverReachesOnKeyPressAndEscLeavesTheParentOpen) {
  std::wstring seen;
  spin->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { seen += std::wstring{L'v', wchar_t(key)}; };
  spin->OnKeyPress = [&](TObject*, wchar_t& key) { seen += key; };
  spin->SetFocus();
  MSG asked{Window(), WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
  SendMessageW(Window(), WM_GETDLGCODE, VK_ESCAPE, reinterpret_cast<LPARAM>(&asked));
  KeyDown(Window(), VK_ESCAPE);
  Char(Window(), 0x1B);
  wintest::PumpUntilIdle();
  EXPECT_TRUE(form->Showing());
  EXPECT_EQ(spin->Text(), "0");
  EXPECT_TRUE(beeps.empty());
  spin->SelectAll();
  Type(Window(), L"12x3\r");
  EXPECT_EQ(spin->Text(), "123");
  EXPECT_EQ(seen, L"v\u001B\u001B123");
  EXPECT_EQ(beeps, (std::vector<UINT>{0, 0}));
  Char(Window(), 10);  // Ctrl+Enter's line feed is a control character and passes to the edit
  EXPECT_EQ(spin->Text().find('\r'), std::string::npos);
}

// A paste takes the first line, unfiltered; with the field read-only or the editor off, cut and
// paste are dropped without a beep.
TEST_F(SpinEditTest, PasteIsNotFilteredAndCutAndPasteAreDroppedSilentlyWhenEditingIsOff) {
  struct {
    bool readOnly, editor;
    UINT message;
    const char *clipboard, *text, *expected;  // the text and the clipboard afterwards
  } rows[] = {
      {false, true, WM_PASTE, "12a", "0", "12a 12a"}, {false, true, WM_PASTE, "7\r\n8", "0", "7 7\r\n8"},
      {true, true, WM_CUT, "9", "123", "123 9"},      {true, true, WM_PASTE, "9", "123", "123 9"},
      {false, false, WM_CUT, "9", "123", "123 9"},    {false, false, WM_PASTE, "9", "123", "123 9"},
      {false, true, WM_CUT, "9", "123", " 123"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.expected);
    spin->SetReadOnly(row.readOnly);
    spin->EditorEnabled = row.editor;
    ASSERT_TRUE(wintest::WriteClipboardText(row.clipboard));
    spin->SetText(row.text);
    spin->SelectAll();
    SendMessageW(Window(), row.message, 0, 0);
    EXPECT_EQ(spin->Text() + " " + wintest::ReadClipboardText(), row.expected);
  }
  // Shift+Delete asks for the same cut, refused alike with the editor off.
  for (bool editor : {false, true}) {
    spin->EditorEnabled = editor;
    ASSERT_TRUE(wintest::WriteClipboardText("9"));
    spin->SetText("123");
    spin->SetFocus();
    spin->SelectAll();
    Press(VK_DELETE, {VK_SHIFT});
    EXPECT_EQ(spin->Text() + " " + wintest::ReadClipboardText(), editor ? " 123" : "123 9");
  }
  EXPECT_TRUE(beeps.empty());
}

// OnExit sees the text as typed; text that is no number stays, also when inverted bounds would
// move even MinValue.
TEST_F(SpinEditTest, LeavingPullsAnOutOfRangeNumberInAfterOnExitSawIt) {
  std::string seenOnExit;
  spin->OnExit = [&](TObject*) { seenOnExit += spin->Text() + "|"; };
  const struct {
    int min, max;
    const wchar_t* typed;
    const char* left;
  } rows[] = {{0, 0, L"-75", "-75"}, {0, 0, L"", ""},      {1, 10, L"25", "10"},
              {1, 10, L"0", "1"},    {1, 10, L"+-", "+-"}, {10, 5, L"-", "-"}};
  for (const auto& [min, max, typed, left] : rows) {
    spin->MinValue = min;
    spin->MaxValue = max;
    spin->SetFocus();
    spin->SelectAll();
    Type(Window(), std::wstring(L"\b") + typed);
    other->SetFocus();
    EXPECT_EQ(spin->Text(), left);
  }
  EXPECT_EQ(seenOnExit, "-75||25|0|+-|-|");
}

// A press on a half, from another control, focuses the field and selects its text before the
// click steps it.
TEST_F(SpinEditTest, EnteringSelectsTheWholeTextButAClickIntoItDoesNot) {
  spin->SetValue(1234);
  other->SetFocus();
  spin->SetFocus();
  EXPECT_EQ(std::to_string(spin->SelStart()) + "+" + std::to_string(spin->SelLength()), "0+4");
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
    SCOPED_TRACE(pass);
    EXPECT_EQ(std::to_string(spin->Height()) + " " + Str(button->BoundsRect()), "22 69,0,84,17");
    RECT area{};
    SendMessageW(Window(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    EXPECT_LE(area.right, spin->ClientWidth() - 15 - 2);
    EXPECT_GT(area.right, spin->ClientWidth() - 15 - 8);
    EXPECT_EQ(StyleOf(*spin) & (ES_MULTILINE | WS_CLIPCHILDREN), ES_MULTILINE | WS_CLIPCHILDREN);
    spin->SetValue(42);
    spin->RecreateWnd();
  }
  EXPECT_EQ(spin->Text(), "42");
  EXPECT_EQ(GetParent(Button()), Window());
  EXPECT_TRUE(IsWindowVisible(Button()));
  spin->SetCtl3D(false);  // without the three-dimensional look one row down
  EXPECT_EQ(Str(button->BoundsRect()), "74,1,89," + std::to_string(spin->Height() - 2));
  // A height below the minimum is raised, and then laid out.
  spin->SetCtl3D(true);
  spin->SetHeight(10);
  const int minimum = spin->Height();
  EXPECT_GT(minimum, ScreenTextHeight(spin->Font()));
  EXPECT_EQ(button->Height(), minimum - 5);
  spin->SetHeight(minimum - 1);
  EXPECT_EQ(spin->Height(), minimum);
  spin->Font().SetHeight(-24);
  spin->SetHeight(10);
  EXPECT_GT(spin->Height(), ScreenTextHeight(spin->Font()));
  EXPECT_GT(spin->Height(), minimum);
}

}  // namespace
}  // namespace vellumor::test
