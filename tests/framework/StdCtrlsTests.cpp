// The standard controls on a real form: labels and their accelerators, the memo's lines, the
// drop-down list's events, push buttons, check boxes, radio groups, the group box, and the
// keyboard helpers forms use (accelerator dispatch, tab order).
#include <gtest/gtest.h>

#include <string>

#include "FormFixture.h"
#include "StdCtrls.h"

namespace vellumor::test {
namespace {

// ---------------------------------------------------------------------------------------------
// Accelerator letters and tab order

TEST(AccelTest, AmpersandMarksTheNextLetterCaseInsensitively) {
  const std::tuple<wchar_t, const char*, bool> rows[] = {
      {L'm', "&Message text:", true},
      {L'M', "&message text:", true},
      {L'e', "&Message text:", false},
      {L't', "Yes &to All", true},
      {L'b', "A&&B", false},  // a doubled ampersand is the character itself
      {L'x', "A&&B &x", true},
      {L'a', "Caption&", false},  // nothing after the mark
      {L'a', "", false}};
  for (auto [letter, caption, marked] : rows)
    EXPECT_EQ(IsAccel(letter, caption), marked) << caption;
}

class AccelFormTest : public FormTest {
 protected:
  // A control down the form's left side.
  template <class T>
  T* At(TWinControl* parent, const char* caption, int top) {
    return Make<T>(parent, 10, top, 120, 20, caption);
  }
  int clicks = 0;
};

TEST_F(AccelFormTest, LabelMovesTheFocusToItsFocusControlWhileThatCanTakeIt) {
  auto* edit = At<TEdit>(form, nullptr, 40);
  auto* other = At<TEdit>(form, nullptr, 70);
  auto* label = At<TLabel>(form, "&Title:", 10);
  label->SetFocusControl(edit);
  other->SetFocus();
  edit->SetEnabled(false);
  EXPECT_TRUE(DispatchAccelerator(form, L't'));  // the label's letter, but nothing can move
  EXPECT_TRUE(other->Focused());
  edit->SetEnabled(true);
  EXPECT_TRUE(DispatchAccelerator(form, L't'));
  EXPECT_TRUE(edit->Focused());

  delete edit;
  EXPECT_EQ(label->FocusControl(), nullptr);
  other->SetFocus();
  EXPECT_TRUE(DispatchAccelerator(form, L'T'));  // still the label's letter: taken, nothing moves
  EXPECT_TRUE(other->Focused());
  EXPECT_TRUE(errors.empty());
}

TEST_F(AccelFormTest, CheckBoxTogglesAndRadioButtonIsSelectedOnceEachTakingTheFocus) {
  auto* edit = At<TEdit>(form, nullptr, 10);
  auto* box = At<TCheckBox>(form, "So&und", 40);
  box->OnClick = [this](TObject*) { ++clicks; };
  edit->SetFocus();
  EXPECT_TRUE(DispatchAccelerator(form, L'u'));
  EXPECT_TRUE(box->Focused());
  EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(DispatchAccelerator(form, L'U'));
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(clicks, 2);

  auto* first = At<TRadioButton>(form, "&Preset:", 70);
  auto* second = At<TRadioButton>(form, "S&elect:", 100);
  second->SetChecked(true);
  first->OnClick = [this](TObject*) { ++clicks; };
  EXPECT_TRUE(DispatchAccelerator(form, L'p'));
  EXPECT_TRUE(first->Focused());
  EXPECT_TRUE(first->Checked());
  EXPECT_FALSE(second->Checked());
  EXPECT_TRUE(DispatchAccelerator(form, L'p'));  // already selected: no second event
  EXPECT_EQ(clicks, 3);
}

TEST_F(AccelFormTest, HiddenAndDisabledControlsAreSkippedAndTabOrderDecides) {
  auto* hiddenBox = Make<TGroupBox>(form, 200, 10, 150, 100);
  auto* onHidden = At<TCheckBox>(hiddenBox, "&Help", 20);
  hiddenBox->Hide();
  auto* disabled = At<TCheckBox>(form, "&Help", 10);
  disabled->SetEnabled(false);
  auto* later = At<TCheckBox>(form, "&Help", 40);
  auto* earlier = At<TCheckBox>(form, "&Help", 70);
  earlier->SetTabOrder(0);
  EXPECT_TRUE(DispatchAccelerator(form, L'h'));
  EXPECT_TRUE(earlier->Checked());
  EXPECT_FALSE(later->Checked() || disabled->Checked() || onHidden->Checked());
  EXPECT_FALSE(DispatchAccelerator(form, L'q'));  // nobody's letter
}

TEST_F(AccelFormTest, PlainLettersCountOnlyOnButtonsCheckBoxesAndRadioButtons) {
  std::string wants;
  for (TWinControl* c : std::initializer_list<TWinControl*>{
           At<TButton>(form, "OK", 10), At<TCheckBox>(form, "&OK", 40), At<TRadioButton>(form, "&OK", 70),
           At<TEdit>(form, nullptr, 100), At<TMemo>(form, nullptr, 130), At<TComboBox>(form, nullptr, 190),
           nullptr})
    wants += WantsPlainAccelerators(c) ? '1' : '0';
  EXPECT_EQ(wants, "1110000");
}

TEST_F(AccelFormTest, FindNextControlWalksContainersInTabOrderAndSkipsWhatCannotTakeTheFocus) {
  auto* edit = At<TEdit>(form, nullptr, 10);
  auto* group = Make<TGroupBox>(form, 10, 40, 200, 120);
  At<TRadioButton>(group, "&Preset", 20);
  auto* select = At<TRadioButton>(group, "S&elect", 50);
  auto* inGroup = At<TCheckBox>(group, "&OK", 80);
  auto* after = At<TCheckBox>(form, "So&und", 170);
  At<TEdit>(form, nullptr, 200)->Hide();
  select->SetChecked(true);  // only the selected radio button is a tab stop

  EXPECT_EQ(FindNextControl(form, edit, true, true), select);
  EXPECT_EQ(FindNextControl(form, select, true, true), inGroup);
  EXPECT_EQ(FindNextControl(form, inGroup, true, true), after);
  EXPECT_EQ(FindNextControl(form, after, true, true), edit);  // wraps, skipping the hidden edit
  EXPECT_EQ(FindNextControl(form, edit, false, true), after);
  EXPECT_EQ(FindNextControl(form, select, true, false), inGroup);
  EXPECT_EQ(FindNextControl(form, nullptr, true, true), edit);
  after->SetEnabled(false);
  EXPECT_EQ(FindNextControl(form, inGroup, true, true), edit);
  // The group box is listed (for the walk) but never chosen.
  EXPECT_EQ(TabOrderList(form).at(1), group);
  EXPECT_EQ(FindNextControl(group, nullptr, true, true), select);
}

// ---------------------------------------------------------------------------------------------
// TLabel

TEST_F(FormTest, LabelSizesItselfOnceLoadingEndsFillsItsBackgroundAndUnderlinesItsLetter) {
  auto* label = Make<TLabel>(form, 10, 10, 5, 5, "&Message text:");
  const int plainWidth = label->Width();
  EXPECT_TRUE(plainWidth > 40 && plainWidth < 120) << plainWidth;
  EXPECT_TRUE(label->Height() >= 12 && label->Height() <= 16) << label->Height();
  label->Font().SetStyle(fsBold);
  EXPECT_GT(label->Width(), plainWidth);
  label->SetCaption("");
  EXPECT_GE(label->Height(), 12);  // an empty caption keeps one line's height
  label->SetAutoSize(false);
  label->SetBounds(10, 10, 200, 30);
  label->SetCaption("Longer caption than before");
  EXPECT_EQ(std::pair(label->Width(), label->Height()), std::pair(200, 30));

  auto* loaded = new TLabel(form);
  form->BeginLoading();
  loaded->SetBounds(10, 10, 3, 3);
  loaded->SetCaption("Generate message");
  EXPECT_EQ(loaded->Width(), 3);
  form->EndLoading();
  loaded->SetParent(form);
  EXPECT_GT(loaded->Width(), 50);

  // It fills its background unless transparent, and underlines its accelerator letter.
  const int x = loaded->Width() - 1, y = loaded->Height() - 1;
  EXPECT_EQ(Snapshot(*loaded).Pixel(x, y), ColorToRGB(clBtnFace));
  loaded->SetTransparent(true);
  EXPECT_EQ(Snapshot(*loaded).Pixel(x, y), RGB(0, 0, 0));  // the black ground shows through

  // Same text, with and without the mark: only the underline adds ink.
  auto ink = [this](const char* caption) {
    auto* label = Make<TLabel>(form, 10, 40, 0, 0, caption);
    int count = Snapshot(*label).Count(label->ClientRect(), ColorToRGB(clBtnFace), true);
    delete label;
    return count;
  };
  EXPECT_GT(ink("&Message"), ink("Message"));
}

// ---------------------------------------------------------------------------------------------
// TMemo

class MemoTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    memo = new TMemo(form);
    memo->SetScrollBars(TScrollStyle::ssBoth);
    memo->SetWordWrap(false);
    memo->SetBounds(10, 10, 233, 69);
    memo->SetParent(form);
  }
  TMemo* memo = nullptr;
};

TEST_F(MemoTest, LinesAddInsertDeleteAndClearEditTheText) {
  TStrings& lines = memo->Lines();
  for (const char* line : {"first", "second", "", "fourth"})
    lines.Add(line);
  EXPECT_EQ(memo->Text(), "first\r\nsecond\r\n\r\nfourth");
  EXPECT_EQ(std::pair(lines.Count(), lines[2]), std::pair(4, std::string()));
  lines.Insert(0, "zero");
  lines.Insert(2, "middle");
  EXPECT_EQ(memo->Text(), "zero\r\nfirst\r\nmiddle\r\nsecond\r\n\r\nfourth");
  lines.Delete(5);  // the empty line before keeps its break, so it stays a line
  lines.Delete(0);
  EXPECT_EQ(memo->Text(), "first\r\nmiddle\r\nsecond\r\n\r\n");
  EXPECT_EQ(std::pair(lines.Count(), lines[3]), std::pair(4, std::string()));
  lines.Delete(3);
  EXPECT_EQ(memo->Text(), "first\r\nmiddle\r\nsecond");
  memo->SetText("first\r\nmiddle\r\nsecond\r\n");
  EXPECT_EQ(lines.Count(), 3);  // a final break starts no line
  lines.Add("after break");
  EXPECT_EQ(memo->Text(), "first\r\nmiddle\r\nsecond\r\nafter break");
  EXPECT_EQ(lines.IndexOf("second"), 2);
  EXPECT_EQ(lines.Text(), "first\r\nmiddle\r\nsecond\r\nafter break\r\n");
  lines.Delete(3);  // the last line takes its break along
  EXPECT_EQ(memo->Text(), "first\r\nmiddle\r\nsecond");
  lines.Add("");  // an empty last line is kept and reads back as a line
  EXPECT_EQ(lines.Count(), 4);

  lines.Clear();
  EXPECT_EQ(memo->Text(), "");
  EXPECT_THROW(lines.Strings(0), EListError);
  EXPECT_THROW(lines.Delete(0), EListError);
  EXPECT_THROW(lines.Insert(1, "x"), EListError);
}

TEST_F(MemoTest, LinesWorkWithoutAWindowAndSurviveItsCreation) {
  auto* loose = new TMemo(form);
  loose->Lines().SetText("one\ntwo\r\nthree\r\n");
  EXPECT_EQ(std::pair(loose->Lines().Count(), loose->Lines()[2]), std::pair(3, std::string("three")));
  loose->Lines().Delete(1);
  EXPECT_EQ(loose->Text(), "one\r\nthree");
  loose->SetParent(form);
  ASSERT_TRUE(loose->HandleAllocated());
  EXPECT_EQ(std::pair(loose->Lines().Count(), loose->Lines()[1]), std::pair(2, std::string("three")));
  auto* empty = new TMemo(form);  // an empty last line is kept across the window's creation
  empty->Lines().Assign({"A", ""});
  EXPECT_EQ(empty->Lines().Count(), 2);
  empty->SetParent(form);
  EXPECT_EQ(std::pair(empty->Lines().Count(), empty->Lines()[1]), std::pair(2, std::string()));

  // Wherever the window breaks a text with a lone LF, the lines agree with it.
  loose->SetText("a\nb");
  const int windowLines = static_cast<int>(SendMessageW(loose->Handle(), EM_GETLINECOUNT, 0, 0));
  EXPECT_EQ(loose->Lines().Count(), windowLines);
  loose->Lines().Add("c");
  EXPECT_EQ(loose->Lines()[windowLines], "c");
}

TEST_F(MemoTest, ManyAndLongLinesAreKeptWholeAndReachTheWindow) {
  for (bool collected : {true, false}) {  // as a program fills a staging memo, with and without
    memo->Lines().Clear();
    if (collected) memo->Lines().BeginUpdate();
    for (int i = 0; i < 10000; ++i)
      memo->Lines().Add("Line " + std::to_string(i));
    if (collected) memo->Lines().EndUpdate();
    EXPECT_EQ(std::pair(memo->Lines().Count(), memo->Lines()[9999]),
              std::pair(10000, std::string("Line 9999")));
  }
  // Longer than the window's default text limit and than EM_GETLINE's size field.
  const std::string longLine(100000, 'x');
  memo->Lines().Clear();
  memo->Lines().Add("short");
  memo->Lines().Add(longLine);
  EXPECT_EQ(memo->Lines()[1], longLine);
  EXPECT_EQ(memo->Text(), "short\r\n" + longLine);
  EXPECT_EQ(SendMessageW(memo->Handle(), EM_GETLINECOUNT, 0, 0), 2);  // no wrapping
  EXPECT_TRUE((StyleOf(*memo) & (WS_HSCROLL | WS_VSCROLL)) == (WS_HSCROLL | WS_VSCROLL));

  // Added and left alone, a line is in the window itself, asked past the memo's own handling.
  memo->Lines().Clear();
  wintest::PumpUntilIdle();
  memo->Lines().Add("shown");
  wintest::PumpUntilIdle();
  WNDCLASSW edit{};
  ASSERT_TRUE(GetClassInfoW(nullptr, L"EDIT", &edit));
  EXPECT_EQ(CallWindowProcW(edit.lpfnWndProc, memo->Handle(), WM_GETTEXTLENGTH, 0, 0), 5);
  memo->Lines().Add("  it's here");
  memo->SelectAll();
  memo->CopyToClipboard();
  EXPECT_EQ(wintest::ReadClipboardText(), "shown\r\n  it's here");
}

// ---------------------------------------------------------------------------------------------
// TComboBox

class ComboTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    combo = new TComboBox(form);
    combo->SetBounds(10, 10, 145, 21);
    combo->Items().Assign({"Warning", "Error", "Information", "Confirmation"});
    combo->SetItemIndex(2);
    combo->OnSelect = [this](TObject*) { log += "select " + combo->Text() + ";"; };
    combo->OnCloseUp = [this](TObject*) { log += "closeup;"; };
    combo->OnDropDown = [this](TObject*) { log += "dropdown;"; };
    combo->SetParent(form);
  }
  TComboBox* combo = nullptr;
  std::string log;
};

TEST_F(ComboTest, ItemsAndSelectionAreKeptBeforeAndAfterTheWindow) {
  ASSERT_TRUE(combo->HandleAllocated());
  EXPECT_EQ(std::pair(combo->Items().Count(), combo->Text()), std::pair(4, std::string("Information")));
  EXPECT_TRUE(StyleOf(*combo) & CBS_DROPDOWNLIST);
  EXPECT_LT(combo->Height(), 40);  // the closed part, not the dropped list
  combo->SetItemIndex(7);
  EXPECT_EQ(std::pair(combo->ItemIndex(), combo->Text()), std::pair(-1, std::string()));
  combo->SetText("Error");
  EXPECT_EQ(log, "");  // the program's own changes raise nothing
  combo->RecreateWnd();
  EXPECT_EQ(std::pair(combo->Items().Count(), combo->ItemIndex()), std::pair(4, 1));
  combo->Items().Delete(0);
  EXPECT_EQ(combo->Items()[0], "Error");
  combo->Items().Clear();
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_THROW(combo->Items().Strings(0), EListError);
  combo->Items().Add("x");  // one character is a whole item
  EXPECT_EQ(combo->Items()[0], "x");
}

TEST_F(ComboTest, ArrowKeysAndWheelSelectWhileClosedAndClosingTheListRaisesCloseUp) {
  combo->SetFocus();
  KeyDown(combo->Handle(), VK_DOWN);
  wintest::PumpUntilIdle();
  EXPECT_EQ(combo->ItemIndex(), 3);
  RECT r{};
  GetWindowRect(combo->Handle(), &r);
  SendMessageW(combo->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(r.left + 5, r.top + 5));
  wintest::PumpUntilIdle();
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(log, "select Confirmation;select Information;");  // and no close-up
  log.clear();

  combo->SetDroppedDown(true);
  wintest::PumpUntilIdle();
  EXPECT_TRUE(combo->DroppedDown());
  combo->SetDroppedDown(false);
  wintest::PumpUntilIdle();
  EXPECT_EQ(log, "dropdown;closeup;");
  EXPECT_EQ(combo->ItemIndex(), 2);

  combo->OnSelect = nullptr;
  int changes = 0;
  combo->OnChange = [&](TObject*) { ++changes; };
  KeyDown(combo->Handle(), VK_UP);
  wintest::PumpUntilIdle();
  EXPECT_EQ(std::pair(combo->ItemIndex(), changes), std::pair(1, 1));  // OnChange stands in for OnSelect
}

// ---------------------------------------------------------------------------------------------
// Buttons, check boxes, radio buttons, group boxes

TEST_F(FormTest, ButtonClickRaisesOnClickAndDefaultShowsInItsStyle) {
  auto* button = Make<TButton>(form, 10, 10, 75, 25, "Preview");
  int clicks = 0;
  button->OnClick = [&](TObject* sender) {
    EXPECT_EQ(sender, button);
    ++clicks;
  };
  Click(*button);
  SendKey(button->Handle(), VK_SPACE);
  EXPECT_EQ(clicks, 2);

  // The default frame: on the focused push button, else on the default button, as in a dialog.
  auto frame = [](TButton* b) { return (StyleOf(*b) & BS_TYPEMASK) == BS_DEFPUSHBUTTON; };
  EXPECT_TRUE(frame(button)) << "focused";
  auto* edit = Make<TEdit>(form, 10, 50, 75, 21);
  auto* other = Make<TButton>(form, 100, 10, 75, 25);
  edit->SetFocus();
  EXPECT_FALSE(frame(button));
  button->SetDefault(true);
  button->RecreateWnd();
  EXPECT_TRUE(frame(button));
  other->SetFocus();
  EXPECT_FALSE(frame(button)) << "another push button has the focus";
  EXPECT_TRUE(frame(other));
  edit->SetFocus();
  EXPECT_TRUE(frame(button));
  EXPECT_FALSE(frame(other));
  button->SetDefault(false);
  EXPECT_FALSE(frame(button));
}

TEST_F(FormTest, CheckBoxTogglesByMouseAndSpaceAndRaisesOnClickOnEveryChange) {
  auto* box = Make<TCheckBox>(form, 10, 10, 69, 17, "&OK");
  std::vector<bool> seen;
  box->OnClick = [&](TObject*) { seen.push_back(box->Checked()); };
  Click(*box);
  EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  box->SetFocus();
  SendKey(box->Handle(), VK_SPACE);
  EXPECT_FALSE(box->Checked());
  box->SetChecked(true);
  box->SetChecked(true);  // no change, no event
  EXPECT_EQ(seen, (std::vector<bool>{true, false, true}));
  box->RecreateWnd();
  EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  form->BeginLoading();  // stored values raise nothing
  box->SetChecked(false);
  form->EndLoading();
  EXPECT_EQ(seen.size(), 3u);
  EXPECT_FALSE(box->Checked());
}

class RadioTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    for (int i = 0; i < 3; ++i) {
      radios.push_back(
          Make<TRadioButton>(form, 10, 10 + 25 * i, 100, 17, ("Radio " + std::to_string(i)).c_str()));
      radios.back()->OnClick = [this, i](TObject*) { clicks.push_back(i); };
    }
    other = Make<TRadioButton>(Make<TGroupBox>(form, 150, 10, 200, 80), 10, 20, 100, 17);
    other->SetChecked(true);
  }
  // Per radio button of the group: 0 unselected, 1 selected, 2 and its window shows it too.
  std::string Marks() {
    std::string marks;
    for (TRadioButton* radio : radios)
      marks += static_cast<char>('0' + radio->Checked() +
                                 (SendMessageW(radio->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED));
    return marks;
  }
  std::vector<TRadioButton*> radios;
  TRadioButton* other = nullptr;
  std::vector<int> clicks;
};

TEST_F(RadioTest, SelectingOneClearsItsSiblingsOnlyAndRaisesOnClickOnlyWhenItBecomesSelected) {
  Click(*radios[1]);
  EXPECT_EQ(SendMessageW(radios[1]->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  Click(*radios[1]);  // already selected
  Click(*radios[2]);
  EXPECT_EQ(Marks(), "002");
  EXPECT_TRUE(other->Checked());  // another parent, another group
  radios[0]->SetChecked(true);
  radios[0]->SetChecked(false);  // unchecking raises nothing
  EXPECT_EQ(clicks, (std::vector<int>{1, 2, 0}));
  EXPECT_EQ(Marks(), "000");
}

TEST_F(RadioTest, OnlyTheSelectedOneIsATabStopAndTheStopMovesWithTheSelection) {
  for (TRadioButton* radio : radios)
    EXPECT_TRUE(radio->TabStop());  // none selected: each can be reached
  radios[1]->SetChecked(true);
  EXPECT_FALSE(radios[0]->TabStop());
  EXPECT_TRUE(StyleOf(*radios[1]) & WS_TABSTOP);
  EXPECT_FALSE(StyleOf(*radios[2]) & WS_TABSTOP);
  SendKey(radios[2]->Handle(), VK_SPACE);
  radios[2]->SetFocus();
  SendKey(radios[2]->Handle(), VK_SPACE);
  EXPECT_TRUE(radios[2]->Checked());
  EXPECT_FALSE(radios[1]->TabStop());
  EXPECT_TRUE(StyleOf(*radios[2]) & WS_TABSTOP);
  EXPECT_TRUE(other->TabStop());
  // Leaving the group, or going, hands the stop back.
  radios[2]->SetParent(nullptr);
  EXPECT_TRUE(radios[0]->TabStop());
  delete radios[2];
  radios[0]->SetChecked(true);
  EXPECT_FALSE(radios[1]->TabStop());
  delete radios[0];
  EXPECT_TRUE(radios[1]->TabStop());
}

TEST_F(RadioTest, ArrowKeysMoveSelectionAndFocusThroughTheGroupSkippingDisabledButtons) {
  radios[0]->SetChecked(true);
  radios[0]->SetFocus();
  clicks.clear();
  radios[1]->SetEnabled(false);
  KeyDown(radios[0]->Handle(), VK_DOWN);
  EXPECT_EQ(GetFocus(), radios[2]->Handle());
  KeyDown(radios[2]->Handle(), VK_RIGHT);  // wraps around
  EXPECT_EQ(Marks(), "200");
  KeyDown(radios[0]->Handle(), VK_UP);
  EXPECT_EQ(Marks(), "002");
  EXPECT_EQ(clicks, (std::vector<int>{2, 0, 2}));
  EXPECT_TRUE(other->Checked());  // the other group is left alone
}

TEST_F(FormTest, GroupBoxHoldsControlsDrawsItsFrameAndNeverTakesTheFocus) {
  auto* group = Make<TGroupBox>(form, 10, 10, 241, 120, "Buttons");
  auto* label = Make<TLabel>(group, 32, 90, 10, 10, "Conte&xt:");
  auto* edit = Make<TEdit>(group, 88, 60, 89, 21);
  EXPECT_EQ(GetParent(edit->Handle()), group->Handle());
  EXPECT_TRUE(StyleOf(*group, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
  EXPECT_FALSE(StyleOf(*group) & WS_TABSTOP);
  edit->SetFocus();
  group->SetFocus();
  Click(*group);
  EXPECT_TRUE(edit->Focused());

  // The frame's left edge is drawn, the inside is the face colour, the label's text is inked.
  const COLORREF face = ColorToRGB(clBtnFace);
  Snapshot shot(*group);
  EXPECT_NE(shot.Pixel(0, 60), face);
  EXPECT_EQ(shot.Pixel(40, 60), face);
  EXPECT_GT(shot.Count(label->BoundsRect(), face, true), 10);
  EXPECT_GT(shot.Count(RECT{8, 0, 50, 12}, face, true), 10);  // the caption
}

}  // namespace
}  // namespace vellumor::test
