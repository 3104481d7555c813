// The main window as a test drives it: made, shown and idle, with keys and clicks as a user
// makes them.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "Clipbrd.h"
#include "FormFixture.h"
#include "SysUtils.h"
#include "UFormMain.h"
#include "WinTest.h"

namespace vellumor::test {

class FormMainTest : public ::testing::Test {
 public:
  void SetUp() override {
    Application->Initialize();
    SetBeepObserver([this](UINT type) { beeps.push_back(type); });
    form = new TFormMain(nullptr);
    form->DoCreate();
    form->Show();
    SetForegroundWindow(form->Handle());
    Idle();
  }
  void TearDown() override {
    delete form;
    wintest::PumpUntilIdle();
    SetBeepObserver(nullptr);
  }

  // What the message loop does when the queue runs empty.
  void Idle() {
    wintest::PumpUntilIdle();
    Application->DoIdle();
  }
  // A click as the user makes it: the control's own window gets the button message.
  void Click(TWinControl* control) {
    SendMessageW(control->Handle(), BM_CLICK, 0, 0);
    Idle();
  }
  // A key as typed into the focused window, through the application's loop (Alt held with alt).
  void Press(WPARAM key, bool alt = false) {
    test::Press(key, alt ? std::initializer_list<int>{VK_MENU} : std::initializer_list<int>{});
    Idle();
  }
  // Typed into a control as keys: the whole text selected first, then replaced.
  void Retype(TWinControl* control, const std::wstring& text) {
    SendMessageW(control->Handle(), EM_SETSEL, 0, -1);
    Type(control->Handle(), text);
    Idle();
  }
  // Moves a closed drop-down list (or a list box) down `steps` items with the arrow key.
  void Down(TWinControl* list, int steps = 1) {
    for (int i = 0; i < steps; ++i) {
      KeyDown(list->Handle(), VK_DOWN);
      Idle();
    }
  }
  TControl* Named(const std::string& name) {
    for (int i = 0; i < form->ComponentCount(); ++i)
      if (form->Components(i)->Name == name) return dynamic_cast<TControl*>(form->Components(i));
    return nullptr;
  }
  // Steps as a user takes them, split by ';': "MB" shows the MessageBox page, "Name" clicks the
  // control, "Name+n" moves it n items down, "Name=text" types the text into it, "Name!" focuses it
  // and presses Space.
  void Do(const std::string& steps) {
    for (size_t from = 0, to; from < steps.size(); from = to + 1) {
      to = std::min(steps.find(';', from), steps.size());
      const std::string step = steps.substr(from, to - from);
      const size_t mark = std::min(step.find_first_of("+=!"), step.size());
      auto* control = dynamic_cast<TWinControl*>(Named(step.substr(0, mark)));
      if (step == "MB")
        MessageBoxPage();
      else if (mark == step.size())
        Click(control);
      else if (step[mark] == '+')
        Down(control, std::stoi(step.substr(mark + 1)));
      else if (step[mark] == '=')
        Retype(control, Widen(step.substr(mark + 1)));
      else
        control->SetFocus(), Press(VK_SPACE);
    }
  }
  // Create, confirmed: the code it copies, read back apart from the window's own clipboard code.
  std::string CopiedCode() {
    Run(form->ActCreate, "OK");
    return wintest::ReadClipboardText();
  }
  void MessageBoxPage() {
    form->PageControl1->SetActivePageIndex(1);
    Idle();
  }
  TWinControl* Focused() { return TWinControl::FindControl(GetFocus()); }
  std::vector<std::string> ItemsOf(TComboBox* list) {
    std::vector<std::string> items;
    for (int i = 0; i < list->Items().Count(); ++i)
      items.push_back(list->Items()[i]);
    return items;
  }
  // The named controls in one string to compare whole: each name, "!" when it is disabled, "*"
  // when it has the focus, then ":x" or ":_" for a box or radio button, or ":" and a list's items
  // split by "|", the selected one in brackets.
  std::string State(const std::string& names) {
    std::string all;
    std::istringstream in(names);
    for (std::string name; in >> name;) {
      TControl* c = Named(name);
      if (!c) return "no " + name;
      all += (all.empty() ? "" : " ") + name + (c->Enabled() ? "" : "!") + (c == Focused() ? "*" : "");
      auto* box = dynamic_cast<TCheckBox*>(c);
      auto* radio = dynamic_cast<TRadioButton*>(c);
      if (box || radio) all += (box ? box->Checked() : radio->Checked()) ? ":x" : ":_";
      if (auto* list = dynamic_cast<TComboBox*>(c)) {
        all += ":";
        std::vector<std::string> items = ItemsOf(list);
        for (int i = 0; i < static_cast<int>(items.size()); ++i)
          all += (i ? "|" : "") + (i == list->ItemIndex() ? "[" + items[i] + "]" : items[i]);
      }
    }
    return all;
  }
  // A box as one string: "caption|text|buttons", the buttons split by ",".
  static std::string Seen(const wintest::BoxInfo& box) {
    std::string all = box.caption + "|" + box.text + "|";
    for (const std::string& button : box.buttons)
      all += (&button == &box.buttons[0] ? "" : ",") + button;
    return all;
  }
  // Runs the action (or `show`), reads the box it opens and presses `press` in it.
  wintest::BoxInfo Run(TAction* action, const char* press) {
    return Run([action] { action->Execute(); }, press);
  }
  wintest::BoxInfo Run(const std::function<void()>& show, const char* press) {
    wintest::BoxInfo seen;
    wintest::WithBox(show, [&](HWND box) {
      seen = wintest::ReadBox(box);
      EXPECT_TRUE(wintest::PressButton(box, press)) << press;
    });
    Idle();
    return seen;
  }

  TFormMain* form = nullptr;
  std::vector<UINT> beeps;
};

}  // namespace vellumor::test
