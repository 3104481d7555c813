// The standard controls on a real form: labels and their accelerators, the memo's lines and keys,
// the drop-down list's events, push buttons, check boxes, radio groups, the group box, and the
// keyboard helpers forms use (accelerator dispatch, tab order).
#include <gtest/gtest.h>

#include <string>

#include "FormFixture.h"
#include "StdCtrls.h"

namespace vellumor::test {
namespace {

LONG StyleOf(TWinControl& control) {
  return GetWindowLongW(control.Handle(), GWL_STYLE);
}

// ---------------------------------------------------------------------------------------------
// Accelerator letters

TEST(AccelTest, AmpersandMarksTheNextLetterCaseInsensitively) {
  EXPECT_TRUE(IsAccel(L'm', "&Message text:"));
  EXPECT_TRUE(IsAccel(L'M', "&message text:"));
  EXPECT_FALSE(IsAccel(L'e', "&Message text:"));
  EXPECT_TRUE(IsAccel(L't', "Yes &to All"));
  EXPECT_FALSE(IsAccel(L'b', "A&&B"));  // a doubled ampersand is the character itself
  EXPECT_TRUE(IsAccel(L'x', "A&&B &x"));
  EXPECT_FALSE(IsAccel(L'a', "Caption&"));  // nothing after the mark
  EXPECT_FALSE(IsAccel(L'a', ""));
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

TEST_F(AccelFormTest, LabelMovesTheFocusToItsFocusControlAndForgetsItWhenItGoes) {
  auto* edit = At<TEdit>(form, nullptr, 40);
  auto* other = At<TEdit>(form, nullptr, 70);
  auto* label = At<TLabel>(form, "&Title:", 10);
  label->SetFocusControl(edit);
  other->SetFocus();

  EXPECT_TRUE(DispatchAccelerator(form, L't'));
  EXPECT_TRUE(edit->Focused());

  delete edit;
  EXPECT_EQ(label->FocusControl(), nullptr);
  other->SetFocus();
  // The letter is still the label's: taken, and nothing moves.
  EXPECT_TRUE(DispatchAccelerator(form, L'T'));
  EXPECT_TRUE(other->Focused());
  EXPECT_TRUE(errors.empty());
}

TEST_F(AccelFormTest, LabelLetterDoesNothingWhileItsFocusControlIsDisabled) {
  auto* edit = At<TEdit>(form, nullptr, 40);
  auto* other = At<TEdit>(form, nullptr, 70);
  auto* label = At<TLabel>(form, "Conte&xt:", 10);
  label->SetFocusControl(edit);
  edit->SetEnabled(false);
  other->SetFocus();
  EXPECT_TRUE(DispatchAccelerator(form, L'x'));
  EXPECT_TRUE(other->Focused());
}

TEST_F(AccelFormTest, CheckBoxTakesTheFocusAndTogglesWithOneClickEvent) {
  auto* edit = At<TEdit>(form, nullptr, 10);
  auto* box = At<TCheckBox>(form, "So&und", 40);
  box->OnClick = [this](TObject*) { ++clicks; };
  edit->SetFocus();

  EXPECT_TRUE(DispatchAccelerator(form, L'u'));
  EXPECT_TRUE(box->Focused());
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(clicks, 1);

  EXPECT_TRUE(DispatchAccelerator(form, L'U'));
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(clicks, 2);
}

TEST_F(AccelFormTest, RadioButtonIsSelectedOnceAndRaisesNothingWhenAlreadySelected) {
  auto* first = At<TRadioButton>(form, "&Preset:", 10);
  auto* second = At<TRadioButton>(form, "S&elect:", 40);
  second->SetChecked(true);
  first->OnClick = [this](TObject*) { ++clicks; };

  EXPECT_TRUE(DispatchAccelerator(form, L'p'));
  EXPECT_TRUE(first->Focused());
  EXPECT_TRUE(first->Checked());
  EXPECT_FALSE(second->Checked());
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(DispatchAccelerator(form, L'p'));
  EXPECT_EQ(clicks, 1);
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
  EXPECT_FALSE(later->Checked());
  EXPECT_FALSE(disabled->Checked());
  EXPECT_FALSE(onHidden->Checked());

  EXPECT_FALSE(DispatchAccelerator(form, L'q'));  // nobody's letter
}

TEST_F(AccelFormTest, PlainLettersCountOnlyOnButtonsCheckBoxesAndRadioButtons) {
  EXPECT_TRUE(WantsPlainAccelerators(At<TButton>(form, "OK", 10)));
  EXPECT_TRUE(WantsPlainAccelerators(At<TCheckBox>(form, "&OK", 40)));
  EXPECT_TRUE(WantsPlainAccelerators(At<TRadioButton>(form, "&OK", 70)));
  EXPECT_FALSE(WantsPlainAccelerators(At<TEdit>(form, nullptr, 100)));
  EXPECT_FALSE(WantsPlainAccelerators(At<TMemo>(form, nullptr, 130)));
  EXPECT_FALSE(WantsPlainAccelerators(At<TComboBox>(form, nullptr, 190)));
  EXPECT_FALSE(WantsPlainAccelerators(nullptr));
}

// ---------------------------------------------------------------------------------------------
// Tab order helpers

TEST_F(AccelFormTest, FindNextControlWalksContainersInTabOrderAndSkipsWhatCannotTakeTheFocus) {
  auto* edit = At<TEdit>(form, nullptr, 10);
  auto* group = Make<TGroupBox>(form, 10, 40, 200, 120);
  auto* preset = At<TRadioButton>(group, "&Preset", 20);
  auto* select = At<TRadioButton>(group, "S&elect", 50);
  auto* inGroup = At<TCheckBox>(group, "&OK", 80);
  auto* after = At<TCheckBox>(form, "So&und", 170);
  auto* hidden = At<TEdit>(form, nullptr, 200);
  hidden->Hide();
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
  (void)preset;
  // The group box is listed (for the walk) but never chosen.
  auto list = TabOrderList(form);
  EXPECT_EQ(list.at(1), group);
  EXPECT_EQ(FindNextControl(group, nullptr, true, true), select);
}

// ---------------------------------------------------------------------------------------------
// TLabel

TEST_F(FormTest, LabelSizesItselfToItsCaptionAndFont) {
  auto* label = new TLabel(form);
  label->SetParent(form);
  label->SetBounds(10, 10, 5, 5);
  label->SetCaption("&Message text:");
  const int plainWidth = label->Width();
  EXPECT_GT(plainWidth, 40);
  EXPECT_LT(plainWidth, 120);
  EXPECT_GE(label->Height(), 12);
  EXPECT_LE(label->Height(), 16);

  label->Font().SetStyle(fsBold);
  EXPECT_GT(label->Width(), plainWidth);

  label->SetCaption("");
  EXPECT_GE(label->Height(), 12);  // an empty caption keeps one line's height

  label->SetAutoSize(false);
  label->SetBounds(10, 10, 200, 30);
  label->SetCaption("Longer caption than before");
  EXPECT_EQ(label->Width(), 200);
  EXPECT_EQ(label->Height(), 30);
}

TEST_F(FormTest, LabelIsSizedOnceLoadingEnds) {
  auto* label = new TLabel(form);
  form->BeginLoading();
  label->SetBounds(10, 10, 3, 3);
  label->SetCaption("Generate message");
  EXPECT_EQ(label->Width(), 3);
  form->EndLoading();
  label->SetParent(form);
  EXPECT_GT(label->Width(), 50);
}

TEST_F(FormTest, OpaqueLabelFillsItsBackgroundAndTransparentOneDoesNot) {
  auto* label = new TLabel(form);
  label->SetParent(form);
  label->SetCaption("Text");
  const int x = label->Width() - 1, y = label->Height() - 1;
  EXPECT_EQ(Snapshot(*label).Pixel(x, y), ColorToRGB(clBtnFace));
  label->SetTransparent(true);
  EXPECT_EQ(Snapshot(*label).Pixel(x, y), RGB(0, 0, 0));  // the black ground shows through
}

TEST_F(FormTest, AcceleratorLetterIsUnderlined) {
  // Same text, with and without the mark: only the underline adds ink, in the bottom rows.
  auto ink = [this](const std::string& caption, bool showAccel) {
    auto* label = new TLabel(form);
    label->SetShowAccelChar(showAccel);
    label->SetCaption(caption);
    label->SetParent(form);
    int count = Snapshot(*label).Count(label->ClientRect(), ColorToRGB(clBtnFace), true);
    delete label;
    return count;
  };
  EXPECT_GT(ink("&Message", true), ink("Message", true));
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
  EXPECT_EQ(lines.Count(), 0);
  lines.Add("first");
  lines.Add("second");
  lines.Add("");
  lines.Add("fourth");
  EXPECT_EQ(memo->Text(), "first\r\nsecond\r\n\r\nfourth");
  EXPECT_EQ(lines.Count(), 4);
  EXPECT_EQ(lines[1], "second");
  EXPECT_EQ(lines[2], "");

  lines.Insert(0, "zero");
  lines.Insert(2, "middle");
  EXPECT_EQ(memo->Text(), "zero\r\nfirst\r\nmiddle\r\nsecond\r\n\r\nfourth");
  lines.Delete(5);  // the empty line before keeps its break, so it stays a line
  lines.Delete(0);
  EXPECT_EQ(memo->Text(), "first\r\nmiddle\r\nsecond\r\n\r\n");
  EXPECT_EQ(lines.Count(), 4);
  EXPECT_EQ(lines[3], "");
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

  // An empty last line is kept, with and without a window, and reads back as a line.
  lines.Add("");
  EXPECT_EQ(lines.Count(), 4);
  auto* loose = new TMemo(form);
  loose->Lines().Assign({"A", ""});
  EXPECT_EQ(loose->Lines().Count(), 2);
  loose->SetParent(form);
  EXPECT_EQ(loose->Lines().Count(), 2);
  EXPECT_EQ(loose->Lines()[1], "");

  lines.Clear();
  EXPECT_EQ(memo->Text(), "");
  EXPECT_EQ(lines.Count(), 0);
  EXPECT_THROW(lines.Strings(0), EListError);
  EXPECT_THROW(lines.Delete(0), EListError);
  EXPECT_THROW(lines.Insert(1, "x"), EListError);
}

TEST_F(MemoTest, LinesWorkWithoutAWindowAndSurviveItsCreation) {
  auto* loose = new TMemo(form);
  loose->Lines().SetText("one\ntwo\r\nthree\r\n");
  EXPECT_EQ(loose->Lines().Count(), 3);
  EXPECT_EQ(loose->Lines()[2], "three");
  loose->Lines().Delete(1);
  EXPECT_EQ(loose->Text(), "one\r\nthree");
  loose->SetParent(form);
  ASSERT_TRUE(loose->HandleAllocated());
  EXPECT_EQ(loose->Lines().Count(), 2);
  EXPECT_EQ(loose->Lines()[1], "three");

  // Wherever the window breaks a text with a lone LF, the lines agree with it.
  loose->SetText("a\nb");
  const int windowLines = static_cast<int>(SendMessageW(loose->Handle(), EM_GETLINECOUNT, 0, 0));
  EXPECT_EQ(loose->Lines().Count(), windowLines);
  loose->Lines().Add("c");
  EXPECT_EQ(loose->Lines().Count(), windowLines + 1);
  EXPECT_EQ(loose->Lines()[windowLines], "c");
}

TEST_F(MemoTest, ManyAndLongLinesAreKeptWhole) {
  memo->Lines().BeginUpdate();
  for (int i = 0; i < 10000; ++i)
    memo->Lines().Add("Line " + std::to_string(i));
  memo->Lines().EndUpdate();
  EXPECT_EQ(memo->Lines().Count(), 10000);
  EXPECT_EQ(memo->Lines()[9999], "Line 9999");

  // Line by line, as a program fills a staging memo, without collecting the changes.
  memo->Lines().Clear();
  for (int i = 0; i < 10000; ++i)
    memo->Lines().Add("Line " + std::to_string(i));
  EXPECT_EQ(memo->Lines().Count(), 10000);
  EXPECT_EQ(memo->Lines()[5000], "Line 5000");

  // Longer than the window's default text limit and than EM_GETLINE's size field.
  const std::string longLine(100000, 'x');
  memo->Lines().Clear();
  memo->Lines().Add("short");
  memo->Lines().Add(longLine);
  EXPECT_EQ(memo->Lines().Count(), 2);
  EXPECT_EQ(memo->Lines()[1].size(), longLine.size());
  EXPECT_EQ(memo->Text().size(), 5 + 2 + longLine.size());
}

TEST_F(MemoTest, LinesAddedAndLeftAloneReachTheWindow) {
  wintest::PumpUntilIdle();  // nothing else left for the memo to handle
  memo->Lines().Add("shown");
  wintest::PumpUntilIdle();
  // Asked past the memo's own message handling, straight from the window class.
  WNDCLASSW edit{};
  ASSERT_TRUE(GetClassInfoW(nullptr, L"EDIT", &edit));
  EXPECT_EQ(CallWindowProcW(edit.lpfnWndProc, memo->Handle(), WM_GETTEXTLENGTH, 0, 0), 5);
}

TEST_F(MemoTest, StylesGiveBothScrollBarsAndNoWrapping) {
  const LONG style = StyleOf(*memo);
  EXPECT_TRUE(style & ES_MULTILINE);
  EXPECT_TRUE(style & ES_WANTRETURN);
  EXPECT_TRUE(style & ES_AUTOHSCROLL);  // long lines scroll sideways
  EXPECT_TRUE(style & WS_HSCROLL);
  EXPECT_TRUE(style & WS_VSCROLL);
  memo->Lines().Add(std::string(300, 'w'));
  EXPECT_EQ(SendMessageW(memo->Handle(), EM_GETLINECOUNT, 0, 0), 1);
}

TEST_F(MemoTest, EnterStartsALineTabAndEscapeChangeNothing) {
  memo->SetText("ab");
  memo->SetFocus();
  memo->SetSelStart(2);
  KeyDown(memo->Handle(), VK_RETURN);
  Char(memo->Handle(), L'\r');
  Type(memo->Handle(), L"c");
  EXPECT_EQ(memo->Text(), "ab\r\nc");

  KeyDown(memo->Handle(), VK_TAB);
  Char(memo->Handle(), L'\t');
  EXPECT_EQ(memo->Text(), "ab\r\nc");

  // The window is asked as a dialog would (which makes the edit act as in a dialog), then Esc.
  MSG msg{memo->Handle(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
  SendMessageW(memo->Handle(), WM_GETDLGCODE, VK_ESCAPE, reinterpret_cast<LPARAM>(&msg));
  KeyDown(memo->Handle(), VK_ESCAPE);
  Char(memo->Handle(), 0x1B);
  wintest::PumpUntilIdle();
  EXPECT_TRUE(form->Showing());
  EXPECT_EQ(memo->Text(), "ab\r\nc");
}

TEST_F(MemoTest, DialogCodeGivesTabAwayAndKeepsEnter) {
  MSG tab{memo->Handle(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
  LRESULT code = SendMessageW(memo->Handle(), WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&tab));
  EXPECT_FALSE(code & (DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTMESSAGE));
  MSG enter{memo->Handle(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  code = SendMessageW(memo->Handle(), WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter));
  EXPECT_TRUE(code & DLGC_WANTMESSAGE);
  memo->WantReturns = false;
  code = SendMessageW(memo->Handle(), WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter));
  EXPECT_FALSE(code & DLGC_WANTMESSAGE);
}

TEST_F(MemoTest, SelectAllAndCopyPutTheWholeTextOnTheClipboard) {
  memo->Lines().Add("procedure");
  memo->Lines().Add("  it's here");
  memo->SelectAll();
  memo->CopyToClipboard();
  EXPECT_EQ(wintest::ReadClipboardText(), "procedure\r\n  it's here");
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
  EXPECT_EQ(combo->Items().Count(), 4);
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(combo->Text(), "Information");
  EXPECT_TRUE(StyleOf(*combo) & CBS_DROPDOWNLIST);
  EXPECT_LT(combo->Height(), 40);  // the closed part, not the dropped list

  combo->SetItemIndex(7);
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), "");
  combo->SetText("Error");
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(log, "");  // the program's own changes raise nothing

  combo->RecreateWnd();
  EXPECT_EQ(combo->Items().Count(), 4);
  EXPECT_EQ(combo->ItemIndex(), 1);

  combo->Items().Delete(0);
  EXPECT_EQ(combo->Items()[0], "Error");
  combo->Items().Clear();
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_THROW(combo->Items().Strings(0), EListError);
}

TEST_F(ComboTest, ArrowKeysAndWheelWhileClosedSelectButDoNotCloseUp) {
  combo->SetFocus();
  KeyDown(combo->Handle(), VK_DOWN);
  wintest::PumpUntilIdle();
  EXPECT_EQ(combo->ItemIndex(), 3);
  EXPECT_EQ(log, "select Confirmation;");

  // The wheel over the closed list moves the selection too.
  RECT r{};
  GetWindowRect(combo->Handle(), &r);
  SendMessageW(combo->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(r.left + 5, r.top + 5));
  wintest::PumpUntilIdle();
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(log, "select Confirmation;select Information;");
  log.clear();

  combo->OnSelect = nullptr;
  int changes = 0;
  combo->OnChange = [&](TObject*) { ++changes; };
  KeyDown(combo->Handle(), VK_UP);
  wintest::PumpUntilIdle();
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(changes, 1);  // OnChange stands in when there is no OnSelect
  EXPECT_EQ(log, "");     // and no close-up without a dropped list
}

TEST_F(ComboTest, ClosingTheDroppedListRaisesCloseUpWithOrWithoutAPick) {
  combo->SetFocus();
  combo->SetDroppedDown(true);
  wintest::PumpUntilIdle();
  EXPECT_TRUE(combo->DroppedDown());
  combo->SetDroppedDown(false);
  wintest::PumpUntilIdle();
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(log, "dropdown;closeup;");
  EXPECT_EQ(combo->ItemIndex(), 2);
}

// ---------------------------------------------------------------------------------------------
// Buttons, check boxes, radio buttons

TEST_F(FormTest, ButtonClickRaisesOnClickAndDefaultShowsInItsStyle) {
  auto* button = Make<TButton>(form, 10, 10, 75, 25, "Preview");
  int clicks = 0;
  button->OnClick = [&](TObject* sender) {
    EXPECT_EQ(sender, button);
    ++clicks;
  };
  Click(*button);
  EXPECT_EQ(clicks, 1);
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
  EXPECT_TRUE(frame(button));
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
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  box->SetFocus();
  SendKey(box->Handle(), VK_SPACE);
  EXPECT_FALSE(box->Checked());
  box->SetChecked(true);
  box->SetChecked(true);  // no change, no event
  EXPECT_EQ(seen, (std::vector<bool>{true, false, true}));
  EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);

  box->RecreateWnd();
  EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);

  // Stored values raise nothing.
  form->BeginLoading();
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
      auto* radio =
          Make<TRadioButton>(form, 10, 10 + 25 * i, 100, 17, ("Radio " + std::to_string(i)).c_str());
      radio->OnClick = [this, i](TObject*) { clicks.push_back(i); };
      radios.push_back(radio);
    }
    auto* group = Make<TGroupBox>(form, 150, 10, 200, 80);
    other = Make<TRadioButton>(group, 10, 20, 100, 17);
    other->SetChecked(true);
    clicks.clear();
  }
  std::vector<TRadioButton*> radios;
  TRadioButton* other = nullptr;
  std::vector<int> clicks;
};

TEST_F(RadioTest, SelectingOneClearsItsSiblingsOnlyAndRaisesOnClickOnlyWhenItBecomesSelected) {
  Click(*radios[1]);
  EXPECT_TRUE(radios[1]->Checked());
  EXPECT_EQ(SendMessageW(radios[1]->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  Click(*radios[1]);  // already selected
  Click(*radios[2]);
  EXPECT_FALSE(radios[1]->Checked());
  EXPECT_EQ(SendMessageW(radios[1]->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_TRUE(radios[2]->Checked());
  EXPECT_TRUE(other->Checked());  // another parent, another group
  EXPECT_EQ(clicks, (std::vector<int>{1, 2}));

  radios[0]->SetChecked(true);
  radios[0]->SetChecked(false);  // unchecking raises nothing
  EXPECT_EQ(clicks, (std::vector<int>{1, 2, 0}));
  EXPECT_FALSE(radios[2]->Checked());
}

TEST_F(RadioTest, OnlyTheSelectedOneIsATabStopAndTheStopMovesWithTheSelection) {
  for (TRadioButton* radio : radios)
    EXPECT_TRUE(radio->TabStop());  // none selected: each can be reached
  radios[1]->SetChecked(true);
  EXPECT_FALSE(radios[0]->TabStop());
  EXPECT_TRUE(radios[1]->TabStop());
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
  EXPECT_TRUE(radios[2]->Checked());
  EXPECT_EQ(GetFocus(), radios[2]->Handle());
  KeyDown(radios[2]->Handle(), VK_RIGHT);  // wraps around
  EXPECT_TRUE(radios[0]->Checked());
  KeyDown(radios[0]->Handle(), VK_UP);
  EXPECT_TRUE(radios[2]->Checked());
  EXPECT_EQ(clicks, (std::vector<int>{2, 0, 2}));
  EXPECT_TRUE(other->Checked());  // the other group is left alone
}

// ---------------------------------------------------------------------------------------------
// TGroupBox

TEST_F(FormTest, GroupBoxHoldsControlsDrawsItsFrameAndNeverTakesTheFocus) {
  auto* group = Make<TGroupBox>(form, 10, 10, 241, 120, "Buttons");
  auto* label = Make<TLabel>(group, 32, 90, 10, 10, "Conte&xt:");
  auto* edit = Make<TEdit>(group, 88, 60, 89, 21);

  EXPECT_EQ(GetParent(edit->Handle()), group->Handle());
  EXPECT_TRUE(GetWindowLongW(group->Handle(), GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
  EXPECT_FALSE(StyleOf(*group) & WS_TABSTOP);
  EXPECT_FALSE(group->CanFocus());
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
