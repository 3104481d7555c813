// The spin edit: value through the text, clamping, stepping, the character filter, cut and
// paste, leaving the field, and its size and inner layout.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "FormFixture.h"
#include "Spin.h"

namespace vellumor::test {
namespace {

class SpinEditTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    other = new TEdit(form);
    other->SetBounds(200, 10, 80, 22);
    other->SetParent(form);
    spin = new TSpinEdit(form);
    spin->SetBounds(88, 144, 89, 22);
    spin->SetParent(form);
  }

  HWND Window() { return spin->Handle(); }
  void Focus() {
    spin->SetFocus();
    ASSERT_TRUE(spin->Focused());
  }
  void Leave() { other->SetFocus(); }
  void Retype(const std::wstring& text) {
    spin->SelectAll();
    Type(Window(), text);
  }

  TEdit* other = nullptr;
  TSpinEdit* spin = nullptr;
};

// --- value, clamping, stepping -------------------------------------------------------------------------

TEST_F(SpinEditTest, NewSpinEditShowsZeroWithNoRange) {
  EXPECT_EQ(spin->Text(), "0");
  EXPECT_EQ(spin->Value(), 0);
  EXPECT_EQ(spin->MinValue, 0);
  EXPECT_EQ(spin->MaxValue, 0);
  EXPECT_EQ(spin->Increment, 1);
  EXPECT_TRUE(spin->EditorEnabled);
  EXPECT_TRUE(spin->TabStop());
  EXPECT_TRUE(spin->AutoSelect);
}

TEST_F(SpinEditTest, TextThatIsNoWholeNumberReadsAsMinValueAndStaysOnLeaving) {
  spin->MinValue = 3;
  spin->MaxValue = 9;
  for (const char* text : {"", "12a", "1.5", "2147483648", "-2147483649", "--1", "+", "0x10"}) {
    spin->SetText(text);
    EXPECT_EQ(spin->Value(), 3) << text;
  }
  spin->SetText("+7");
  EXPECT_EQ(spin->Value(), 7);
  spin->SetText("-2147483648");
  EXPECT_EQ(spin->Value(), INT_MIN);

  Focus();
  spin->SetText("abc");
  Leave();
  EXPECT_EQ(spin->Text(), "abc");
  spin->SetFocus();
  spin->SetText("");
  Leave();
  EXPECT_EQ(spin->Text(), "");
}

// Equal bounds mean no range; a step wraps around the 32-bit range and is clamped afterwards.
TEST_F(SpinEditTest, WritesAndStepsLandInTheRange) {
  enum Op { Set, Up, Down };
  struct Row {
    const char* name;
    std::int32_t min, max, increment;
    const char* start;
    Op op;
    std::int32_t value;  // for Set
    const char* expected;
  } rows[] = {
      {"above the range", 1, 10, 1, "0", Set, 25, "10"},
      {"below the range", 1, 10, 1, "0", Set, -4, "1"},
      {"inside the range", 1, 10, 1, "0", Set, 7, "7"},
      {"no range keeps any number", 0, 0, 1, "0", Set, -75, "-75"},
      {"no range steps up", 0, 0, 1, "0", Up, 0, "1"},
      {"no range steps below zero", 0, 0, 1, "-1", Down, 0, "-2"},
      {"text that is no number steps from MinValue", 3, 9, 1, "abc", Up, 0, "4"},
      {"bounds lowered under the text", 0, 50, 1, "80", Down, 0, "50"},
      {"up at the top wraps", 0, 0, 1, "2147483647", Up, 0, "-2147483648"},
      {"down at the bottom wraps", 0, 0, 1, "-2147483648", Down, 0, "2147483647"},
      {"the largest step, used as given", 0, 0, INT_MIN, "-1", Down, 0, "2147483647"},
      {"a wrap with a range ends at a bound", -10, INT_MAX, 1, "2147483647", Up, 0, "-10"},
      {"negative increment", 0, 0, -5, "0", Up, 0, "-5"},
      {"zero increment", 0, 0, 0, "-5", Down, 0, "-5"},
  };
  for (const Row& row : rows) {
    spin->MinValue = row.min;
    spin->MaxValue = row.max;
    spin->Increment = row.increment;
    spin->SetText(row.start);
    if (row.op == Set)
      spin->SetValue(row.value);
    else
      KeyDown(Window(), row.op == Up ? VK_UP : VK_DOWN);
    EXPECT_EQ(spin->Text(), row.expected) << row.name;
  }
}

TEST_F(SpinEditTest, WritingTheShownNumberStillReplacesTheText) {
  spin->MinValue = 1;
  spin->MaxValue = 10;
  spin->SetValue(10);
  int changes = 0;
  spin->OnChange = [&](TObject*) { ++changes; };
  spin->SelectAll();
  KeyDown(Window(), VK_UP);  // 11 is clamped to 10, written again
  EXPECT_EQ(spin->Text(), "10");
  EXPECT_EQ(changes, 1);
  spin->SetValue(1);
  changes = 0;
  KeyDown(Window(), VK_DOWN);
  EXPECT_EQ(spin->Text(), "1");
  EXPECT_EQ(changes, 1);
}

TEST_F(SpinEditTest, ArrowKeysReachOnKeyDownAfterTheStep) {
  std::vector<std::string> seen;
  spin->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
    seen.push_back(std::to_string(key) + "=" + spin->Text());
  };
  KeyDown(Window(), VK_UP);
  KeyDown(Window(), VK_DOWN);
  KeyDown(Window(), VK_HOME);
  EXPECT_EQ(seen, (std::vector<std::string>{"38=1", "40=0", "36=0"}));
}

TEST_F(SpinEditTest, ReadOnlyBeepsOnStepsButKeyEventsStillSeeTheArrows) {
  spin->SetValue(5);
  spin->SetReadOnly(true);
  int keyEvents = 0;
  spin->OnKeyDown = [&](TObject*, WORD&, TShiftState) { ++keyEvents; };
  KeyDown(Window(), VK_UP);
  KeyDown(Window(), VK_DOWN);
  LeftDown(spin->SpinButton()->Handle(), 3, 3);
  LeftUp(spin->SpinButton()->Handle(), 3, 3);
  EXPECT_EQ(spin->Text(), "5");
  EXPECT_EQ(beeps, (std::vector<UINT>{0, 0, 0}));
  EXPECT_EQ(keyEvents, 2);
}

class CountingSpinEdit : public TSpinEdit {
 public:
  using TSpinEdit::TSpinEdit;
  int ups = 0;
  void StepUp(TObject* sender) override {
    ++ups;
    TSpinEdit::StepUp(sender);
  }
};

TEST_F(SpinEditTest, SpinHalvesCallTheDescendantsStepping) {
  auto* counting = new CountingSpinEdit(form);
  counting->SetBounds(10, 60, 89, 22);
  counting->SetParent(form);
  HWND button = counting->SpinButton()->Handle();
  LeftDown(button, 3, 3);
  LeftUp(button, 3, 3);
  EXPECT_EQ(counting->ups, 1);
  EXPECT_EQ(counting->Text(), "1");
}

TEST_F(SpinEditTest, PressingAHalfFromAnotherControlFocusesSelectsThenSteps) {
  spin->SetValue(5);
  Leave();
  HWND button = spin->SpinButton()->Handle();
  LeftDown(button, 3, 3);
  EXPECT_TRUE(spin->Focused());
  EXPECT_EQ(spin->SelLength(), 1);  // the whole text
  LeftUp(button, 3, 3);
  EXPECT_EQ(spin->Text(), "6");
  LeftDown(button, 3, 15);
  LeftUp(button, 3, 15);
  EXPECT_EQ(spin->Text(), "5");
}

// --- typing, cutting, pasting ----------------------------------------------------------------------------

TEST_F(SpinEditTest, OnlySignsDigitsSeparatorAndControlCharactersPass) {
  wchar_t separator = DecimalSeparator();
  for (wchar_t ch : {L'+', L'-', L'0', L'5', L'9', separator, wchar_t{8}, wchar_t{3}, wchar_t{27}})
    EXPECT_TRUE(spin->AcceptsChar(ch)) << int(ch);
  wchar_t otherSeparator = separator == L'.' ? L',' : L'.';
  for (wchar_t ch : {L'a', L' ', L'e', otherSeparator, wchar_t{13}, wchar_t{127}, wchar_t{128}, wchar_t{0xE9},
                     wchar_t{0x0660}, wchar_t{0x066B}, wchar_t{0xFF11}, wchar_t{0xD83D}})
    EXPECT_FALSE(spin->AcceptsChar(ch)) << int(ch);
}

// Sets the user's decimal separator for one test and puts the old one back.
class SeparatorOverride {
 public:
  explicit SeparatorOverride(const wchar_t* separator) {
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, saved_, static_cast<int>(std::size(saved_)));
    ok_ = SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator) != 0;
  }
  ~SeparatorOverride() { SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, saved_); }
  bool ok() const { return ok_; }

 private:
  wchar_t saved_[8] = {};
  bool ok_ = false;
};

TEST_F(SpinEditTest, SeparatorComesFromTheUsersLocaleButNeverAboveAscii) {
  {
    SeparatorOverride comma(L",");
    ASSERT_TRUE(comma.ok());
    EXPECT_TRUE(spin->AcceptsChar(L','));
    EXPECT_FALSE(spin->AcceptsChar(L'.'));
  }
  {
    SeparatorOverride arabic(L"\u066B");
    ASSERT_TRUE(arabic.ok());
    ASSERT_EQ(DecimalSeparator(), L'\u066B');
    EXPECT_FALSE(spin->AcceptsChar(L'\u066B'));
    EXPECT_FALSE(spin->AcceptsChar(L','));
  }
}

TEST_F(SpinEditTest, RefusedCharacterBeepsAndNeverReachesOnKeyPress) {
  std::wstring pressed;
  spin->OnKeyPress = [&](TObject*, wchar_t& key) { pressed += key; };
  Focus();
  Retype(L"12x3");
  EXPECT_EQ(spin->Text(), "123");
  EXPECT_EQ(pressed, L"123");
  EXPECT_EQ(beeps, std::vector<UINT>{0});
}

TEST_F(SpinEditTest, EnterIsRefusedAndNeverBreaksTheLine) {
  Focus();
  Retype(L"4");
  Char(Window(), 13);
  Char(Window(), 10);  // Ctrl+Enter's line feed is a control character and passes to the edit
  EXPECT_EQ(spin->Text().find('\r'), std::string::npos);
  EXPECT_EQ(spin->Text().substr(0, 1), "4");
  EXPECT_EQ(beeps, std::vector<UINT>{0});
}

TEST_F(SpinEditTest, DecimalSeparatorCanBeTypedButTheNumberReadsAsMinValue) {
  spin->MinValue = -1;
  spin->MaxValue = 100;
  Focus();
  Retype(std::wstring{L'1', DecimalSeparator(), L'5'});
  EXPECT_EQ(spin->Text().size(), 3u);
  EXPECT_EQ(spin->Value(), -1);
  EXPECT_TRUE(beeps.empty());
}

TEST_F(SpinEditTest, NonAsciiCharactersAreRefusedEvenALocalesSeparator) {
  Focus();
  Retype(L"7");
  Char(Window(), 0x066B);  // the Arabic decimal separator
  Char(Window(), 0x0661);  // an Arabic-Indic digit
  EXPECT_EQ(spin->Text(), "7");
  EXPECT_EQ(beeps.size(), 2u);
}

TEST_F(SpinEditTest, WithEditorDisabledDigitsAndBackspaceAreRefusedButArrowsStep) {
  spin->EditorEnabled = false;
  Focus();
  spin->SetSelStart(1);
  Type(Window(), L"5\b");
  EXPECT_EQ(spin->Text(), "0");
  EXPECT_EQ(beeps, (std::vector<UINT>{0, 0}));
  EXPECT_TRUE(spin->AcceptsChar(3));  // Ctrl+C still copies
  KeyDown(Window(), VK_UP);
  EXPECT_EQ(spin->Text(), "1");
}

TEST_F(SpinEditTest, PastedTextIsNotFiltered) {
  ASSERT_TRUE(wintest::WriteClipboardText("12a"));
  Focus();
  spin->SelectAll();
  SendMessageW(Window(), WM_PASTE, 0, 0);
  EXPECT_EQ(spin->Text(), "12a");
  EXPECT_EQ(spin->Value(), 0);
  EXPECT_TRUE(beeps.empty());
}

TEST_F(SpinEditTest, CutAndPasteAreDroppedSilentlyWhenEditingIsOff) {
  for (int mode = 0; mode < 2; ++mode) {
    spin->SetReadOnly(mode == 0);
    spin->EditorEnabled = mode != 0 ? false : true;
    spin->SetText("123");
    ASSERT_TRUE(wintest::WriteClipboardText("9"));
    spin->SelectAll();
    SendMessageW(Window(), WM_CUT, 0, 0);
    spin->CutToClipboard();
    EXPECT_EQ(spin->Text(), "123") << mode;
    EXPECT_EQ(wintest::ReadClipboardText(), "9") << mode;
    SendMessageW(Window(), WM_PASTE, 0, 0);
    spin->PasteFromClipboard();
    EXPECT_EQ(spin->Text(), "123") << mode;
  }
  EXPECT_TRUE(beeps.empty());
  spin->SetReadOnly(false);
  spin->EditorEnabled = true;
  spin->SelectAll();
  SendMessageW(Window(), WM_CUT, 0, 0);
  EXPECT_EQ(spin->Text(), "");
  EXPECT_EQ(wintest::ReadClipboardText(), "123");
}

// --- entering and leaving ------------------------------------------------------------------------------

TEST_F(SpinEditTest, LeavingPullsAnOutOfRangeNumberInAfterOnExitSawIt) {
  spin->MinValue = 1;
  spin->MaxValue = 10;
  std::vector<std::string> seenOnExit;
  spin->OnExit = [&](TObject*) { seenOnExit.push_back(spin->Text()); };
  Focus();
  Retype(L"25");
  Leave();
  EXPECT_EQ(spin->Text(), "10");
  spin->SetFocus();
  Retype(L"0");
  Leave();
  EXPECT_EQ(spin->Text(), "1");
  spin->SetFocus();
  Retype(L"+-");
  Leave();
  EXPECT_EQ(spin->Text(), "+-");
  EXPECT_EQ(seenOnExit, (std::vector<std::string>{"25", "0", "+-"}));
}

TEST_F(SpinEditTest, LeavingWithInvertedBoundsKeepsTextThatIsNoNumber) {
  spin->MinValue = 10;
  spin->MaxValue = 5;
  Focus();
  Retype(L"-");
  Leave();
  EXPECT_EQ(spin->Text(), "-");
}

TEST_F(SpinEditTest, EnteringByKeyboardSelectsTheWholeTextUnlessAutoSelectIsOff) {
  spin->SetValue(1234);
  Leave();
  spin->SetFocus();
  EXPECT_EQ(spin->SelStart(), 0);
  EXPECT_EQ(spin->SelLength(), 4);
  Leave();
  spin->AutoSelect = false;
  spin->SetSelStart(2);
  spin->SetFocus();
  EXPECT_EQ(spin->SelLength(), 0);
}

TEST_F(SpinEditTest, ClickingIntoTheTextDoesNotSelectIt) {
  spin->SetValue(1234);
  Leave();
  LeftDown(Window(), 30, 5);
  LeftUp(Window(), 30, 5);
  EXPECT_TRUE(spin->Focused());
  EXPECT_EQ(spin->SelLength(), 0);
}

// --- size and layout
// -----------------------------------------------------------------------------------------

// The font's own line height, which the field's minimum height must leave room for.
int TextHeight(TFont& font) {
  ScreenDC dc;
  TEXTMETRICW metrics{};
  ScopedSelect select(dc.Get(), font.Handle());
  GetTextMetricsW(dc.Get(), &metrics);
  return metrics.tmHeight;
}

TEST_F(SpinEditTest, MainWindowGeometryPlacesTheSpinButtonInsideTheRightEdge) {
  EXPECT_EQ(spin->Height(), 22);
  TSpinButton* button = spin->SpinButton();
  EXPECT_EQ(button->Left(), 69);
  EXPECT_EQ(button->Top(), 0);
  EXPECT_EQ(button->Width(), 15);
  EXPECT_EQ(button->Height(), 17);
  EXPECT_EQ(GetParent(button->Handle()), Window());
  EXPECT_EQ(button->UpSpeedButton()->Height(), 8);
  EXPECT_EQ(button->DownSpeedButton()->Top(), 7);
  EXPECT_EQ(button->DownSpeedButton()->Height(), 10);
  EXPECT_EQ(button->FocusControl, spin);
  EXPECT_TRUE(GetWindowLongW(Window(), GWL_STYLE) & ES_MULTILINE);
  EXPECT_TRUE(GetWindowLongW(Window(), GWL_STYLE) & WS_CLIPCHILDREN);
}

TEST_F(SpinEditTest, HeightBelowTheMinimumIsRaisedAndThenLaidOut) {
  spin->SetHeight(10);
  const int minimum = spin->Height();
  EXPECT_GT(minimum, TextHeight(spin->Font()));
  EXPECT_EQ(spin->SpinButton()->Height(), minimum - 5);
  spin->SetHeight(minimum - 1);
  EXPECT_EQ(spin->Height(), minimum);
  spin->Font().SetHeight(-24);
  spin->SetHeight(10);
  EXPECT_GT(spin->Height(), TextHeight(spin->Font()));
  EXPECT_GT(spin->Height(), minimum);
}

TEST_F(SpinEditTest, WithoutThreeDimensionalLookTheButtonSitsOneRowDown) {
  spin->SetCtl3D(false);
  EXPECT_EQ(spin->SpinButton()->Left(), 89 - 15);
  EXPECT_EQ(spin->SpinButton()->Top(), 1);
  EXPECT_EQ(spin->SpinButton()->Height(), spin->Height() - 3);
}

TEST_F(SpinEditTest, TextAreaStopsShortOfTheSpinButtonAlsoAfterRecreation) {
  for (int pass = 0; pass < 2; ++pass) {
    RECT area{};
    SendMessageW(Window(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    EXPECT_LE(area.right, spin->ClientWidth() - 15 - 2) << pass;
    EXPECT_GT(area.right, spin->ClientWidth() - 15 - 8) << pass;
    spin->SetValue(42);
    spin->RecreateWnd();
  }
  EXPECT_EQ(spin->Text(), "42");
  EXPECT_TRUE(GetWindowLongW(Window(), GWL_STYLE) & ES_MULTILINE);
  EXPECT_EQ(GetParent(spin->SpinButton()->Handle()), Window());
  EXPECT_TRUE(IsWindowVisible(spin->SpinButton()->Handle()));
}

TEST_F(SpinEditTest, DeletingTheSpinEditWhileItsHalfIsHeldIsClean) {
  HWND button = spin->SpinButton()->Handle();
  LeftDown(button, 3, 3);
  delete spin;
  spin = nullptr;
  EXPECT_FALSE(IsWindow(button));
  EXPECT_EQ(GetCapture(), nullptr);
  other->SetFocus();
  EXPECT_TRUE(errors.empty());
}

// Regression: once a dialog has asked for its codes, the multi-line edit inside takes Esc as a
// request to close its parent, here the form.
TEST_F(SpinEditTest, EscInsideADialogLeavesTheParentOpenAndStillReachesTheKeyEvents) {
  std::vector<WORD> keys;
  std::vector<wchar_t> chars;
  spin->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { keys.push_back(key); };
  spin->OnKeyPress = [&](TObject*, wchar_t& key) { chars.push_back(key); };
  Focus();
  MSG asked{Window(), WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
  SendMessageW(Window(), WM_GETDLGCODE, VK_ESCAPE, reinterpret_cast<LPARAM>(&asked));
  KeyDown(Window(), VK_ESCAPE);
  Char(Window(), 0x1B);
  wintest::PumpUntilIdle();
  EXPECT_TRUE(form->Showing());
  EXPECT_TRUE(IsWindow(Window()));
  EXPECT_EQ(spin->Text(), "0");
  EXPECT_EQ(keys, std::vector<WORD>{VK_ESCAPE});
  EXPECT_EQ(chars, std::vector<wchar_t>{0x1B});
  EXPECT_TRUE(beeps.empty());
}

}  // namespace
}  // namespace vellumor::test
