// The standard controls on a real form: labels and their accelerators, the memo's lines, the
// drop-down list's events, push buttons, check boxes, radio groups, the group box, and the
// keyboard helpers forms use (accelerator dispatch, tab order), and the list box the check list box
// stands on: items and their values with and without a window, positions, and owner drawing.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

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
  EXPECT_TRUE(DispatchAccelerator(form, L't') &&
              Focus() == other);  // the label's letter, but nothing can move
  edit->SetEnabled(true);
  EXPECT_TRUE(DispatchAccelerator(form, L't') && Focus() == edit);

  delete edit;
  EXPECT_EQ(label->FocusControl(), nullptr);
  other->SetFocus();
  EXPECT_TRUE(DispatchAccelerator(form, L'T'));  // still the label's letter: taken, nothing moves
  EXPECT_EQ(std::pair(Focus(), errors.size()), std::pair(static_cast<TWinControl*>(other), size_t{0}));
}

TEST_F(AccelFormTest, CheckBoxTogglesAndRadioButtonIsSelectedOnceEachTakingTheFocus) {
  // That the letter focuses the check box and checks it: KeyboardTest in the forms' tests.
  auto* box = At<TCheckBox>(form, "So&und", 40);
  box->OnClick = [this](TObject*) { ++clicks; };
  EXPECT_TRUE(DispatchAccelerator(form, L'u') && DispatchAccelerator(form, L'U'));  // on, and off again
  EXPECT_EQ(std::pair(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), clicks),
            std::pair(LRESULT{BST_UNCHECKED}, 2));

  auto* first = At<TRadioButton>(form, "&Preset:", 70);
  auto* second = At<TRadioButton>(form, "S&elect:", 100);
  second->SetChecked(true);
  first->OnClick = [this](TObject*) { ++clicks; };
  EXPECT_TRUE(DispatchAccelerator(form, L'p'));
  EXPECT_TRUE(DispatchAccelerator(form, L'p'));  // already selected: no second event
  EXPECT_EQ(std::tuple(Focus(), first->Checked(), second->Checked(), clicks),
            std::tuple(static_cast<TWinControl*>(first), true, false, 3));
}

// A control on a hidden container (an inactive page) is skipped: the page control's tests.
TEST_F(AccelFormTest, DisabledControlsAreSkippedAndTabOrderDecides) {
  auto* disabled = At<TCheckBox>(form, "&Help", 10);
  disabled->SetEnabled(false);
  auto* later = At<TCheckBox>(form, "&Help", 40);
  auto* earlier = At<TCheckBox>(form, "&Help", 70);
  earlier->SetTabOrder(0);
  EXPECT_TRUE(DispatchAccelerator(form, L'h'));
  EXPECT_TRUE(earlier->Checked() && !later->Checked() && !disabled->Checked());
  EXPECT_FALSE(DispatchAccelerator(form, L'q'));  // nobody's letter
}

// Which focused controls take plain letters as accelerators: KeyboardTest in the forms' tests.

TEST_F(AccelFormTest, FindNextControlWalksContainersInTabOrderAndSkipsWhatCannotTakeTheFocus) {
  auto* edit = At<TEdit>(form, nullptr, 10);
  auto* group = Make<TGroupBox>(form, 10, 40, 200, 120);
  At<TRadioButton>(group, "&Preset", 20);
  auto* select = At<TRadioButton>(group, "S&elect", 50);
  auto* inGroup = At<TCheckBox>(group, "&OK", 80);
  auto* after = At<TCheckBox>(form, "So&und", 170);
  At<TEdit>(form, nullptr, 200)->Hide();
  select->SetChecked(true);  // only the selected radio button is a tab stop

  // Forward round the form (wrapping, skipping the hidden edit), back, not only tab stops, from nowhere.
  auto next = [&](TWinControl* from, bool forward = true, bool stops = true) {
    return FindNextControl(form, from, forward, stops);
  };
  EXPECT_EQ((std::vector{next(edit), next(select), next(inGroup), next(after), next(edit, false),
                         next(select, true, false), next(nullptr)}),
            (std::vector<TWinControl*>{select, inGroup, after, edit, after, inGroup, edit}));
  after->SetEnabled(false);
  EXPECT_EQ(next(inGroup), edit);
  // The group box is listed (for the walk) but never chosen.
  EXPECT_EQ(std::pair(TabOrderList(form).at(1), FindNextControl(group, nullptr, true, true)),
            std::pair(static_cast<TWinControl*>(group), static_cast<TWinControl*>(select)));
}

// ---------------------------------------------------------------------------------------------
// TLabel

TEST_F(FormTest, LabelSizesItselfOnceLoadingEndsFillsItsBackgroundAndUnderlinesItsLetter) {
  auto* label = Make<TLabel>(form, 10, 10, 5, 5, "&Message text:");
  const int plainWidth = label->Width(), height = label->Height();
  EXPECT_TRUE(plainWidth > 40 && plainWidth < 120 && height >= 12 && height <= 16)
      << plainWidth << "x" << height;
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
  const int whileLoading = loaded->Width();
  form->EndLoading();
  loaded->SetParent(form);
  EXPECT_TRUE(whileLoading == 3 && loaded->Width() > 50) << whileLoading << " " << loaded->Width();

  // It fills its background unless transparent (the black ground shows through).
  const int x = loaded->Width() - 1, y = loaded->Height() - 1;
  const COLORREF filled = Snapshot(*loaded).Pixel(x, y);
  loaded->SetTransparent(true);
  EXPECT_EQ(std::pair(filled, Snapshot(*loaded).Pixel(x, y)), std::pair(ColorToRGB(clBtnFace), RGB(0, 0, 0)));

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

using MemoTest = FormTest;

TEST_F(MemoTest, LinesAddInsertDeleteAndClearEditTheText) {
  auto* memo = Make<TMemo>(form, 10, 10, 233, 69);
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
  EXPECT_EQ(std::pair(memo->Text(), lines.Count()), std::pair(std::string(), 0));
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
  empty->SetParent(form);
  EXPECT_EQ(empty->Lines().Text(), "A\r\n\r\n");

  // Wherever the window breaks a text with a lone LF, the lines agree with it.
  loose->SetText("a\nb");
  const int windowLines = static_cast<int>(SendMessageW(loose->Handle(), EM_GETLINECOUNT, 0, 0));
  EXPECT_EQ(loose->Lines().Count(), windowLines);
  loose->Lines().Add("c");
  EXPECT_EQ(loose->Lines()[windowLines], "c");
}

TEST_F(MemoTest, ManyAndLongLinesAreKeptWholeAndReachTheWindow) {
  auto* memo = new TMemo(form);
  memo->SetScrollBars(TScrollStyle::ssBoth);
  memo->SetWordWrap(false);
  memo->SetBounds(10, 10, 233, 69);
  memo->SetParent(form);
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
  EXPECT_TRUE(memo->Lines()[1] == longLine && memo->Text() == "short\r\n" + longLine);
  // No wrapping, both scroll bars.
  EXPECT_EQ(std::pair(SendMessageW(memo->Handle(), EM_GETLINECOUNT, 0, 0),
                      StyleOf(*memo) & (WS_HSCROLL | WS_VSCROLL)),
            std::pair(LRESULT{2}, static_cast<LONG>(WS_HSCROLL | WS_VSCROLL)));

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

// The old clipboard keys reach the control as the clipboard messages, which it may refuse; the edit
// window itself would cut and copy for them without the message.
TEST_F(FormTest, ShiftDeleteCtrlInsertAndShiftInsertCutCopyAndPasteThroughTheMessages) {
  struct Edit : TEdit {
    using TEdit::TEdit;
    void WndProc(TMessage& m) override {
      seen += m.Msg == WM_CUT ? "cut" : m.Msg == WM_COPY ? "copy" : m.Msg == WM_PASTE ? "paste" : "";
      TEdit::WndProc(m);
    }
    std::string seen;
  };
  auto* edit = Make<Edit>(form);
  const struct {
    WPARAM key;
    int held;
    const char* seen;  // then the text and the clipboard afterwards
  } rows[] = {{VK_DELETE, VK_SHIFT, "cut  abc"},
              {VK_INSERT, VK_CONTROL, "copy abc abc"},
              {VK_INSERT, VK_SHIFT, "paste x x"},
              {VK_DELETE, 0, "  x"},
              {VK_DELETE, VK_CONTROL, "  x"}};
  for (const auto& row : rows) {
    ASSERT_TRUE(wintest::WriteClipboardText("x"));
    edit->SetText("abc");
    edit->SetFocus();
    edit->SelectAll();
    edit->seen.clear();
    if (row.held)
      Press(row.key, {row.held});
    else
      Press(row.key);
    EXPECT_EQ(edit->seen + " " + edit->Text() + " " + wintest::ReadClipboardText(), row.seen);
  }
}

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
  // A drop-down list whose height is the closed part, not the dropped list.
  EXPECT_TRUE((StyleOf(*combo) & CBS_DROPDOWNLIST) && combo->Height() < 40) << combo->Height();
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
  const RECT r = WindowRect(combo->Handle());
  SendMessageW(combo->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(r.left + 5, r.top + 5));
  wintest::PumpUntilIdle();
  EXPECT_EQ(log, "select Confirmation;select Information;");  // and no close-up
  log.clear();

  combo->SetDroppedDown(true);
  wintest::PumpUntilIdle();
  combo->SetDroppedDown(false);
  wintest::PumpUntilIdle();
  EXPECT_EQ(log + std::to_string(combo->ItemIndex()), "dropdown;closeup;2");

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
  Press(VK_SPACE);  // the click focused it
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
  Press(VK_SPACE);
  box->SetChecked(true);
  box->SetChecked(true);  // no change, no event
  box->RecreateWnd();
  EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  form->BeginLoading();  // stored values raise nothing
  box->SetChecked(false);
  form->EndLoading();
  EXPECT_EQ(std::pair(seen, box->Checked()), std::pair(std::vector<bool>{true, false, true}, false));
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
  // Per radio button of the group: 0 no, 1 yes, 2 and its window shows it too; whether it is
  // selected, or (with stops) whether it is a tab stop.
  std::string Marks(bool stops = false) {
    std::string marks;
    for (TRadioButton* r : radios) {
      const bool window = stops ? (StyleOf(*r) & WS_TABSTOP) != 0
                                : SendMessageW(r->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
      marks += static_cast<char>('0' + (stops ? r->TabStop() : r->Checked()) + window);
    }
    return marks;
  }
  std::vector<TRadioButton*> radios;
  TRadioButton* other = nullptr;
  std::vector<int> clicks;
};

TEST_F(RadioTest, SelectingOneClearsItsSiblingsOnlyAndRaisesOnClickOnlyWhenItBecomesSelected) {
  Click(*radios[1]);
  EXPECT_EQ(Marks(), "020");
  Click(*radios[1]);  // already selected
  Click(*radios[2]);
  EXPECT_EQ(Marks() + (other->Checked() ? " other" : ""), "002 other");  // another parent, another group
  radios[0]->SetChecked(true);
  radios[0]->SetChecked(false);  // unchecking raises nothing
  EXPECT_EQ(std::pair(clicks, Marks()), std::pair(std::vector<int>{1, 2, 0}, std::string("000")));
}

TEST_F(RadioTest, OnlyTheSelectedOneIsATabStopAndTheStopMovesWithTheSelection) {
  for (TRadioButton* radio : radios)
    EXPECT_TRUE(radio->TabStop());  // none selected: each can be reached
  radios[1]->SetChecked(true);
  EXPECT_EQ(Marks(true), "020");
  radios[2]->SetFocus();
  Press(VK_SPACE);
  EXPECT_EQ(Marks(true) + Marks(), "002002");
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
  EXPECT_EQ(std::tuple(Marks(), clicks, other->Checked()),  // the other group is left alone
            std::tuple("002", std::vector<int>{2, 0, 2}, true));
}

TEST_F(FormTest, GroupBoxHoldsControlsDrawsItsFrameAndNeverTakesTheFocus) {
  auto* group = Make<TGroupBox>(form, 10, 10, 241, 120, "Buttons");
  auto* label = Make<TLabel>(group, 32, 90, 10, 10, "Conte&xt:");
  auto* edit = Make<TEdit>(group, 88, 60, 89, 21);
  EXPECT_TRUE(GetParent(edit->Handle()) == group->Handle() &&
              (StyleOf(*group, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) && !(StyleOf(*group) & WS_TABSTOP));
  edit->SetFocus();
  group->SetFocus();
  Click(*group);
  EXPECT_EQ(Focus(), edit);

  // The frame's left edge is drawn, the inside is the face colour, the label's text is inked.
  const COLORREF face = ColorToRGB(clBtnFace);
  Snapshot shot(*group);
  EXPECT_TRUE(shot.Pixel(0, 60) != face && shot.Pixel(40, 60) == face);
  EXPECT_TRUE(shot.Count(label->BoundsRect(), face, true) > 10 &&
              shot.Count(RECT{8, 0, 50, 12}, face, true) > 10);
}

// ---------------------------------------------------------------------------------------------
// TCustomListBox

class ListBoxTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    list = new TCustomListBox(form);
    list->SetBounds(10, 10, 200, 150);
  }
  void Show() { list->SetParent(form); }
  std::vector<std::string> WindowTexts() {
    std::vector<std::string> out;
    int n = static_cast<int>(SendMessageW(list->Handle(), LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      wchar_t buffer[256] = {};
      SendMessageW(list->Handle(), LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer));
      out.push_back(wintest::Narrow(buffer));
    }
    return out;
  }

  TCustomListBox* list = nullptr;
};

TEST_F(ListBoxTest, ItemsValuesAndSelectionGoIntoTheWindowAndSurviveItsRecreation) {
  list->Items().Assign({"Größe", "b", "c"});
  list->Items().Insert(1, "between");
  list->SetItemData(0, -1);
  list->SetItemData(2, 42);
  list->SetItemIndex(3);
  EXPECT_FALSE(list->HandleAllocated());
  Show();
  for (int pass = 0; pass < 2; ++pass) {  // in the first window, then in a new one
    SCOPED_TRACE(pass);
    EXPECT_EQ(WindowTexts(), (std::vector<std::string>{"Größe", "between", "b", "c"}));
    EXPECT_EQ(
        std::tuple(SendMessageW(list->Handle(), LB_GETITEMDATA, 2, 0),
                   SendMessageW(list->Handle(), LB_GETCURSEL, 0, 0), list->GetItemData(0), list->ItemIndex()),
        std::tuple(LRESULT{42}, LRESULT{3}, -1, 3));
    list->SetStyle(TListBoxStyle::lbOwnerDrawFixed);
  }
  EXPECT_TRUE(GetWindowLongW(list->Handle(), GWL_STYLE) & LBS_OWNERDRAWFIXED);

  // Delete and Clear go through the window.
  list->Items().Delete(1);
  EXPECT_EQ(WindowTexts(), (std::vector<std::string>{"Größe", "b", "c"}));
  EXPECT_EQ(list->Items().IndexOf("c"), 2);
  list->Items().Clear();
  EXPECT_EQ(std::pair(list->Count(), list->ItemIndex()), std::pair(0, -1));
}

TEST_F(ListBoxTest, BadIndexRaisesListErrorWithAndWithoutWindow) {
  list->Items().Add("only");
  EXPECT_THROW(list->Items().Strings(1), EListError);
  EXPECT_THROW(list->GetItemData(-1), EListError);
  EXPECT_THROW(list->DeleteString(1), EListError);
  EXPECT_THROW(list->Items().Insert(3, "x"), EListError);
  Show();
  EXPECT_THROW(list->Items().Strings(1), EListError);
  EXPECT_THROW(list->SetItemData(1, 3), EListError);
  EXPECT_THROW(list->DeleteString(5), EListError);
  EXPECT_EQ(list->Count(), 1);
}

TEST_F(ListBoxTest, ItemAtPosFindsTheRowAndTellsWhatIsBelowTheItems) {
  Show();
  list->Items().Assign({"a", "b", "c"});
  const RECT r1 = list->ItemRect(1), last = list->ItemRect(2), none = list->ItemRect(3);
  // Row 1's corners and the point below it, then below the last row (with and without "nothing there").
  EXPECT_EQ((std::vector{list->ItemAtPos(POINT{r1.left, r1.top}, true),
                         list->ItemAtPos(POINT{r1.right - 1, r1.bottom - 1}, true),
                         list->ItemAtPos(POINT{r1.left, r1.bottom}, true),
                         list->ItemAtPos(POINT{5, last.bottom + 3}, true),
                         list->ItemAtPos(POINT{5, last.bottom + 3}, false)}),
            (std::vector{1, 1, 2, -1, 3}));
  EXPECT_TRUE(IsRectEmpty(&none));
}

TEST_F(ListBoxTest, OwnerDrawnItemsGoToOnDrawItemWithTheirStates) {
  list->SetStyle(TListBoxStyle::lbOwnerDrawFixed);
  list->SetItemHeight(20);
  Show();
  list->Items().Assign({"a", "b"});
  list->SetItemIndex(1);
  std::vector<std::pair<int, TOwnerDrawState>> seen;
  list->OnDrawItem = [&](TWinControl* control, int index, const RECT& r, TOwnerDrawState state) {
    EXPECT_EQ(control, list);
    EXPECT_EQ(r.bottom - r.top, 20);
    seen.push_back({index, state});
  };
  RedrawWindow(list->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  // Each row was drawn, the selected one as selected, the other one not.
  std::set<std::pair<int, bool>> drawn;
  for (auto [index, state] : seen)
    drawn.insert({index, (state & ODS_SELECTED) != 0});
  EXPECT_TRUE(drawn.count({1, true}) && drawn.count({0, false}));

  // Without a handler the list fills each row and writes its text: the selected row is highlighted
  // to its right end, the other row is not.
  list->OnDrawItem = nullptr;
  Snapshot shown(*list);
  EXPECT_EQ(shown.Pixel(list->ClientWidth() - 4, 30), ColorToRGB(clHighlight));
  EXPECT_NE(shown.Pixel(list->ClientWidth() - 4, 10), ColorToRGB(clHighlight));
}

}  // namespace
}  // namespace vellumor::test
