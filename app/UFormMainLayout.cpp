// The main window's stored layout: every component with its place, texts and initial state,
// applied while the form is loading, before FormCreate runs.
#include <algorithm>
#include <map>
#include <string_view>
#include <type_traits>
#include <vector>

#include "LayoutLookup.h"
#include "UFormMain.h"

namespace vellumor {

namespace {

enum class Kind {
  Label,
  Memo,
  Edit,
  ComboBox,
  CheckBox,
  RadioButton,
  GroupBox,
  PageControl,
  TabSheet,
  SpinEdit,
  CheckListBox,
  BitBtn,
  Shape,
  Bevel
};

struct StoredControl {
  std::string_view name;
  Kind kind;
  std::string_view parent = {};  // empty: the form
  int left = 0, top = 0, width = 0, height = 0;
  std::string_view text = {};                // caption, text or tab caption
  std::vector<std::string_view> items = {};  // list items or memo lines
  int itemIndex = -1;
  bool checked = false;
  int tabOrder = -1;
  bool visible = true;
  bool tabStop = true;
  std::string_view focusControl = {};  // labels
  bool handPoint = false;
  bool alignTop = false;
  bool bold = false;
  bool transparent = false;
  bool scrollBoth = false;
  bool wordWrap = true;
  TBevelShape bevel = TBevelShape::bsBox;
  std::string_view action = {};   // bitmap buttons
  std::string_view picture = {};  // bitmap buttons: the bitmap resource
  bool isDefault = false;
};

const std::vector<StoredControl>& Layout() {
  // Parents come before their children; within a parent, creation order (later graphic controls
  // paint over earlier ones).
  static const std::vector<StoredControl> layout = {
      {.name = "Label1",
       .kind = Kind::Label,
       .left = 20,
       .top = 64,
       .width = 69,
       .height = 13,
       .text = "&Message text:",
       .focusControl = "mmMessage"},
      // Beside the message it governs: with it, {expression} in the texts is a value.
      {.name = "cbValues",
       .kind = Kind::CheckBox,
       .left = 150,
       .top = 62,
       .width = 103,
       .height = 17,
       .text = "&Values in braces",
       .tabOrder = 1,
       .handPoint = true},
      {.name = "Label2",
       .kind = Kind::Label,
       .left = 20,
       .top = 156,
       .width = 28,
       .height = 13,
       .text = "&Style:",
       .focusControl = "edStyle"},
      {.name = "Shape1",
       .kind = Kind::Shape,
       .left = 0,
       .top = 0,
       .width = 357,
       .height = 45,
       .alignTop = true},
      {.name = "Bevel2",
       .kind = Kind::Bevel,
       .left = 0,
       .top = 45,
       .width = 357,
       .height = 12,
       .alignTop = true,
       .bevel = TBevelShape::bsTopLine},
      {.name = "LblWinTitle",
       .kind = Kind::Label,
       .left = 12,
       .top = 16,
       .width = 275,
       .height = 13,
       .text = "Generate message show program code in Delphi.",
       .bold = true,
       .transparent = true},
      {.name = "Bevel1",
       .kind = Kind::Bevel,
       .left = 8,
       .top = 56,
       .width = 257,
       .height = 129,
       .bevel = TBevelShape::bsFrame},
      {.name = "PageControl1",
       .kind = Kind::PageControl,
       .left = 8,
       .top = 192,
       .width = 257,
       .height = 247,
       .tabOrder = 3},
      {.name = "mmMessage",
       .kind = Kind::Memo,
       .left = 20,
       .top = 80,
       .width = 233,
       .height = 69,
       .items = {"This is a message."},
       .tabOrder = 0,
       .scrollBoth = true,
       .wordWrap = false},
      {.name = "edStyle",
       .kind = Kind::ComboBox,
       .left = 60,
       .top = 152,
       .width = 193,
       .height = 21,
       .items = {"Warning", "Error", "Information", "Confirmation"},
       .itemIndex = 2,
       .tabOrder = 2},
      {.name = "mmCopy",
       .kind = Kind::Memo,
       .left = 112,
       .top = 48,
       .width = 101,
       .height = 53,
       .items = {"mmCopy"},
       .tabOrder = 4,
       .visible = false,
       .tabStop = false,
       .wordWrap = false},
      {.name = "BtnPreview",
       .kind = Kind::BitBtn,
       .left = 274,
       .top = 58,
       .width = 75,
       .height = 25,
       .text = "Preview",
       .tabOrder = 5,
       .handPoint = true,
       .action = "ActPreview",
       .picture = "PREVIEW",
       .isDefault = true},
      {.name = "BtnCreate",
       .kind = Kind::BitBtn,
       .left = 274,
       .top = 86,
       .width = 75,
       .height = 25,
       .text = "Create",
       .tabOrder = 6,
       .handPoint = true,
       .action = "ActCreate",
       .picture = "CREATE"},
      {.name = "BtnAbout",
       .kind = Kind::BitBtn,
       .left = 274,
       .top = 114,
       .width = 75,
       .height = 25,
       .text = "About",
       .tabOrder = 7,
       .handPoint = true,
       .action = "ActAbout",
       .picture = "ABOUT"},
      {.name = "BtnExit",
       .kind = Kind::BitBtn,
       .left = 274,
       .top = 142,
       .width = 75,
       .height = 25,
       .text = "Exit",
       .tabOrder = 8,
       .handPoint = true,
       .action = "ActExit",
       .picture = "EXIT"},

      {.name = "TSMessageDlg", .kind = Kind::TabSheet, .parent = "PageControl1", .text = "MessageDlg"},
      {.name = "TSMessageBox", .kind = Kind::TabSheet, .parent = "PageControl1", .text = "MessageBox"},

      {.name = "GroupBox1",
       .kind = Kind::GroupBox,
       .parent = "TSMessageDlg",
       .left = 4,
       .top = 4,
       .width = 241,
       .height = 177,
       .text = "Buttons",
       .tabOrder = 0},
      {.name = "cbMDCheckResult",
       .kind = Kind::CheckBox,
       .parent = "TSMessageDlg",
       .left = 4,
       .top = 194,
       .width = 85,
       .height = 17,
       .text = "Chec&k result:",
       .tabOrder = 1,
       .handPoint = true},
      {.name = "edMDCheckResult",
       .kind = Kind::ComboBox,
       .parent = "TSMessageDlg",
       .left = 92,
       .top = 192,
       .width = 89,
       .height = 21,
       .tabOrder = 2},
      {.name = "cbMDSound",
       .kind = Kind::CheckBox,
       .parent = "TSMessageDlg",
       .left = 191,
       .top = 194,
       .width = 55,
       .height = 17,
       .text = "So&und",
       .tabOrder = 3,
       .handPoint = true},

      {.name = "Label3",
       .kind = Kind::Label,
       .parent = "GroupBox1",
       .left = 32,
       .top = 148,
       .width = 43,
       .height = 13,
       .text = "Conte&xt:",
       .focusControl = "edMDHelpContext"},
      {.name = "rbMDPreset",
       .kind = Kind::RadioButton,
       .parent = "GroupBox1",
       .left = 12,
       .top = 18,
       .width = 61,
       .height = 17,
       .text = "&Preset:",
       .tabOrder = 0,
       .handPoint = true},
      {.name = "rbMDSelect",
       .kind = Kind::RadioButton,
       .parent = "GroupBox1",
       .left = 12,
       .top = 40,
       .width = 65,
       .height = 17,
       .text = "S&elect:",
       .checked = true,
       .tabOrder = 2,
       .handPoint = true},
      {.name = "edMDPreset",
       .kind = Kind::ComboBox,
       .parent = "GroupBox1",
       .left = 88,
       .top = 16,
       .width = 145,
       .height = 21,
       .items = {"OK and Cancel", "Yes, No, and Cancel", "Yes, No, Cancel, and All",
                 "Abort, Retry, and Ignore", "Abort and Ignore"},
       .itemIndex = 0,
       .tabOrder = 1},
      {.name = "cbMDOK",
       .kind = Kind::CheckBox,
       .parent = "GroupBox1",
       .left = 88,
       .top = 40,
       .width = 69,
       .height = 17,
       .text = "&OK",
       .checked = true,
       .tabOrder = 3,
       .handPoint = true},
      {.name = "cbMDCancel",
       .kind = Kind::CheckBox,
       .parent = "GroupBox1",
       .left = 88,
       .top = 56,
       .width = 69,
       .height = 17,
       .text = "&Cancel",
       .tabOrder = 4,
       .handPoint = true},
      {.name = "cbMDYes",
       .kind = Kind::CheckBox,
       .parent = "GroupBox1",
       .left = 88,
       .top = 72,
       .width = 69,
       .height = 17,
       .text = "&Yes",
       .tabOrder = 5,
       .handPoint = true},
      {.name = "cbMDNo",
       .kind = Kind::CheckBox,
       .parent = "GroupBox1",
       .left = 88,
       .top = 88,
       .width = 69,
       .height = 17,
       .text = "&No",
       .tabOrder = 6,
       .handPoint = true},
      {.name = "cbMDAbort",
       .kind = Kind::CheckBox,
       .parent = "GroupBox1",
       .left = 88,
       .top = 104,
       .width = 69,
       .height = 17,
       .text = "A&bort",
       .tabOrder = 7,
       .handPoint = true},
      {.name = "cbMDRetry",
       .kind = Kind::CheckBox,
       .parent = "GroupBox1",
       .left = 164,
       .top = 40,
       .width = 69,
       .height = 17,
       .text = "&Retry",
       .tabOrder = 8,
       .handPoint = true},
      {.name = "cbMDIgnore",
       .kind = Kind::CheckBox,
       .parent = "GroupBox1",
       .left = 164,
       .top = 56,
       .width = 69,
       .height = 17,
       .text = "&Ignore",
       .tabOrder = 9,
       .handPoint = true},
      {.name = "cbMDAll",
       .kind = Kind::CheckBox,
       .parent = "GroupBox1",
       .left = 164,
       .top = 72,
       .width = 69,
       .height = 17,
       .text = "&All",
       .tabOrder = 10,
       .handPoint = true},
      {.name = "cbMDHelp",
       .kind = Kind::CheckBox,
       .parent = "GroupBox1",
       .left = 12,
       .top = 124,
       .width = 57,
       .height = 17,
       .text = "&Help",
       .tabOrder = 13,
       .handPoint = true},
      {.name = "edMDHelpContext",
       .kind = Kind::SpinEdit,
       .parent = "GroupBox1",
       .left = 88,
       .top = 144,
       .width = 89,
       .height = 22,
       .tabOrder = 14},
      {.name = "cbMDYesToAll",
       .kind = Kind::CheckBox,
       .parent = "GroupBox1",
       .left = 164,
       .top = 88,
       .width = 69,
       .height = 17,
       .text = "Yes &to All",
       .tabOrder = 11,
       .handPoint = true},
      {.name = "cbMDNoToAll",
       .kind = Kind::CheckBox,
       .parent = "GroupBox1",
       .left = 164,
       .top = 104,
       .width = 69,
       .height = 17,
       .text = "No to A&ll",
       .tabOrder = 12,
       .handPoint = true},

      {.name = "Label6",
       .kind = Kind::Label,
       .parent = "TSMessageBox",
       .left = 4,
       .top = 112,
       .width = 24,
       .height = 13,
       .text = "&Title:",
       .focusControl = "edMBTitle"},
      {.name = "Label7",
       .kind = Kind::Label,
       .parent = "TSMessageBox",
       .left = 4,
       .top = 136,
       .width = 32,
       .height = 13,
       .text = "M&odal:",
       .focusControl = "edMBModal"},
      {.name = "Label8",
       .kind = Kind::Label,
       .parent = "TSMessageBox",
       .left = 4,
       .top = 160,
       .width = 41,
       .height = 13,
       .text = "Optio&ns:",
       .focusControl = "clbMBOptions"},
      {.name = "GroupBox2",
       .kind = Kind::GroupBox,
       .parent = "TSMessageBox",
       .left = 4,
       .top = 4,
       .width = 241,
       .height = 93,
       .text = "Buttons",
       .tabOrder = 0},
      {.name = "edMBCheckResult",
       .kind = Kind::ComboBox,
       .parent = "TSMessageBox",
       .left = 92,
       .top = 192,
       .width = 89,
       .height = 21,
       .tabOrder = 5},
      {.name = "cbMBCheckResult",
       .kind = Kind::CheckBox,
       .parent = "TSMessageBox",
       .left = 4,
       .top = 194,
       .width = 85,
       .height = 17,
       .text = "Chec&k result:",
       .tabOrder = 4,
       .handPoint = true},
      {.name = "edMBTitle",
       .kind = Kind::Edit,
       .parent = "TSMessageBox",
       .left = 92,
       .top = 108,
       .width = 153,
       .height = 21,
       .text = "Information",
       .tabOrder = 1},
      {.name = "edMBModal",
       .kind = Kind::ComboBox,
       .parent = "TSMessageBox",
       .left = 92,
       .top = 132,
       .width = 89,
       .height = 21,
       .items = {"Application", "System", "Task"},
       .itemIndex = 0,
       .tabOrder = 2},
      {.name = "clbMBOptions",
       .kind = Kind::CheckListBox,
       .parent = "TSMessageBox",
       .left = 92,
       .top = 156,
       .width = 153,
       .height = 33,
       .items = {"Default desktop only", "Right aligned", "Right to left reading", "Set foreground",
                 "Top most", "Service notification"},
       .tabOrder = 3},

      {.name = "Label4",
       .kind = Kind::Label,
       .parent = "GroupBox2",
       .left = 12,
       .top = 44,
       .width = 39,
       .height = 13,
       .text = "&Default:"},
      {.name = "Label5",
       .kind = Kind::Label,
       .parent = "GroupBox2",
       .left = 12,
       .top = 20,
       .width = 35,
       .height = 13,
       .text = "&Preset:"},
      {.name = "edMBPreset",
       .kind = Kind::ComboBox,
       .parent = "GroupBox2",
       .left = 88,
       .top = 16,
       .width = 145,
       .height = 21,
       .items = {"OK", "OK and Cancel", "Yes and No", "Retry and Cancel", "Yes, No, and Cancel",
                 "Abort, Retry, and Ignore"},
       .itemIndex = 0,
       .tabOrder = 0},
      {.name = "cbMBHelp",
       .kind = Kind::CheckBox,
       .parent = "GroupBox2",
       .left = 12,
       .top = 68,
       .width = 57,
       .height = 17,
       .text = "&Help",
       .tabOrder = 1,
       .handPoint = true},
      {.name = "edMBDefault",
       .kind = Kind::ComboBox,
       .parent = "GroupBox2",
       .left = 88,
       .top = 40,
       .width = 145,
       .height = 21,
       .items = {"1st button"},
       .itemIndex = 0,
       .tabOrder = 2},
  };
  return layout;
}

struct StoredAction {
  std::string_view name;
  std::string_view caption;
  int imageIndex;
};
constexpr StoredAction kActions[] = {{"ActPreview", "Preview", 0},
                                     {"ActCreate", "Create", 1},
                                     {"ActAbout", "About", 2},
                                     {"ActExit", "Exit", 3}};
constexpr std::string_view kPictures[] = {"PREVIEW", "CREATE", "ABOUT", "EXIT"};

void LoadPicture(TBitmap& bitmap, std::string_view resource) {
  bitmap.LoadFromResourceName(GetModuleHandleW(nullptr), resource);
}

template <class T>
T* Make(TComponent* owner, std::string_view name) {
  auto* component = new T(owner);
  component->Name = std::string(name);
  return component;
}

}  // namespace

void TFormMain::LoadLayout() {
  BeginLoading();
  Name = "FormMain";
  SetCaption("Vellumor 2.0");
  SetBorderStyle(TFormBorderStyle::bsSingle);
  SetBorderIcons(biSystemMenu | biMinimize);
  SetPosition(TPosition::poDefaultPosOnly);
  SetColor(clBtnFace);
  Font().SetName("Tahoma");
  Font().SetSize(8);
  ScreenSnap = true;
  SetClientWidth(357);
  SetClientHeight(448);

  XPManifest1 = Make<TXPManifest>(this, "XPManifest1");
  ImageList1 = Make<TImageList>(this, "ImageList1");
  for (std::string_view name : kPictures) {
    TBitmap picture;
    LoadPicture(picture, name);
    ImageList1->AddTransparent(picture);
  }
  ActionList1 = Make<TActionList>(this, "ActionList1");
  ActionList1->SetImages(ImageList1);
  std::map<std::string_view, TAction*> actions;
  for (const StoredAction& stored : kActions) {
    auto* action = Make<TAction>(this, stored.name);
    action->SetActionList(ActionList1);
    action->SetCaption(std::string(stored.caption));
    action->SetImageIndex(stored.imageIndex);
    actions[stored.name] = action;
  }
  ActPreview = LayoutAs<TAction>(actions, "ActPreview");
  ActCreate = LayoutAs<TAction>(actions, "ActCreate");
  ActAbout = LayoutAs<TAction>(actions, "ActAbout");
  ActExit = LayoutAs<TAction>(actions, "ActExit");

  std::map<std::string_view, TControl*> made;
  auto container = [&](std::string_view name) -> TWinControl* {
    return name.empty() ? this : LayoutAs<TWinControl>(made, name);
  };
  std::vector<std::pair<TWinControl*, const StoredControl*>> tabOrders;
  for (const StoredControl& s : Layout()) {
    TControl* control = nullptr;
    switch (s.kind) {
      case Kind::Label: {
        auto* label = Make<TLabel>(this, s.name);
        if (s.bold) label->Font().SetStyle(label->Font().Style() | fsBold);
        label->SetTransparent(s.transparent);
        control = label;
        break;
      }
      case Kind::Memo: {
        auto* memo = Make<TMemo>(this, s.name);
        memo->SetScrollBars(s.scrollBoth ? TScrollStyle::ssBoth : TScrollStyle::ssNone);
        memo->SetWordWrap(s.wordWrap);
        control = memo;
        break;
      }
      case Kind::Edit:
        control = Make<TEdit>(this, s.name);
        break;
      case Kind::ComboBox:
        control = Make<TComboBox>(this, s.name);
        break;
      case Kind::CheckBox:
        control = Make<TCheckBox>(this, s.name);
        break;
      case Kind::RadioButton:
        control = Make<TRadioButton>(this, s.name);
        break;
      case Kind::GroupBox:
        control = Make<TGroupBox>(this, s.name);
        break;
      case Kind::PageControl: {
        auto* pages = Make<TPageControl>(this, s.name);
        pages->SetHotTrack(true);
        control = pages;
        break;
      }
      case Kind::TabSheet: {
        auto* sheet = Make<TTabSheet>(this, s.name);
        sheet->SetPageControl(LayoutAs<TPageControl>(made, s.parent));
        control = sheet;
        break;
      }
      case Kind::SpinEdit: {
        auto* spin = Make<TSpinEdit>(this, s.name);
        spin->MinValue = 0;
        spin->MaxValue = 0;
        spin->SetValue(0);
        control = spin;
        break;
      }
      case Kind::CheckListBox:
        control = Make<TCheckListBox>(this, s.name);
        break;
      case Kind::BitBtn: {
        auto* button = Make<TBitBtn>(this, s.name);
        TBitmap picture;
        LoadPicture(picture, s.picture);
        button->SetGlyph(&picture);
        button->SetDefault(s.isDefault);
        button->SetAction(LayoutAs<TAction>(actions, s.action));
        control = button;
        break;
      }
      case Kind::Shape: {
        auto* shape = Make<TShape>(this, s.name);
        shape->Brush().SetColor(clWhite);
        shape->Pen().SetColor(clWhite);
        control = shape;
        break;
      }
      case Kind::Bevel: {
        auto* bevel = Make<TBevel>(this, s.name);
        bevel->SetShape(s.bevel);
        bevel->SetStyle(TBevelStyle::bsLowered);
        control = bevel;
        break;
      }
    }
    made[s.name] = control;
    if (s.kind != Kind::TabSheet) {
      control->SetParent(container(s.parent));
      control->SetBounds(s.left, s.top, s.width, s.height);
    }
    if (!s.text.empty()) control->SetCaption(std::string(s.text));
    if (s.alignTop) LayoutAs<TAlignedGraphicControl>(control, s.name)->SetAlign(TAlign::alTop);
    if (s.handPoint) control->SetCursor(crHandPoint);
    if (!s.visible) control->SetVisible(false);
    if (auto* combo = dynamic_cast<TComboBox*>(control)) {
      for (std::string_view item : s.items)
        combo->Items().Add(std::string(item));
      combo->SetItemIndex(s.itemIndex);
    } else if (auto* memo = dynamic_cast<TMemo*>(control)) {
      for (std::string_view line : s.items)
        memo->Lines().Add(std::string(line));
    } else if (auto* list = dynamic_cast<TCheckListBox*>(control)) {
      for (std::string_view item : s.items)
        list->Items().Add(std::string(item));
    }
    if (auto* box = dynamic_cast<TCheckBox*>(control)) box->SetChecked(s.checked);
    if (auto* radio = dynamic_cast<TRadioButton*>(control)) radio->SetChecked(s.checked);
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
      if (!s.tabStop) windowed->SetTabStop(false);
      if (s.tabOrder >= 0) tabOrders.emplace_back(windowed, &s);
    }
  }
  // Tab orders are positions among siblings: set them lowest first, once every sibling exists.
  std::stable_sort(tabOrders.begin(), tabOrders.end(),
                   [](const auto& a, const auto& b) { return a.second->tabOrder < b.second->tabOrder; });
  for (auto& [control, stored] : tabOrders)
    control->SetTabOrder(stored->tabOrder);
  for (const StoredControl& s : Layout())
    if (!s.focusControl.empty())
      LayoutAs<TLabel>(made, s.name)->SetFocusControl(LayoutAs<TWinControl>(made, s.focusControl));

  auto bind = [&](auto*& member, std::string_view name) {
    member = LayoutAs<std::remove_pointer_t<std::remove_reference_t<decltype(member)>>>(made, name);
  };
  bind(PageControl1, "PageControl1");
  bind(TSMessageDlg, "TSMessageDlg");
  bind(TSMessageBox, "TSMessageBox");
  bind(Label1, "Label1");
  bind(mmMessage, "mmMessage");
  bind(cbValues, "cbValues");
  bind(edStyle, "edStyle");
  bind(Label2, "Label2");
  bind(GroupBox1, "GroupBox1");
  bind(rbMDPreset, "rbMDPreset");
  bind(rbMDSelect, "rbMDSelect");
  bind(edMDPreset, "edMDPreset");
  bind(cbMDOK, "cbMDOK");
  bind(cbMDCancel, "cbMDCancel");
  bind(cbMDYes, "cbMDYes");
  bind(cbMDNo, "cbMDNo");
  bind(cbMDAbort, "cbMDAbort");
  bind(cbMDRetry, "cbMDRetry");
  bind(cbMDIgnore, "cbMDIgnore");
  bind(cbMDAll, "cbMDAll");
  bind(cbMDHelp, "cbMDHelp");
  bind(Label3, "Label3");
  bind(edMDHelpContext, "edMDHelpContext");
  bind(cbMDCheckResult, "cbMDCheckResult");
  bind(edMDCheckResult, "edMDCheckResult");
  bind(cbMDSound, "cbMDSound");
  bind(GroupBox2, "GroupBox2");
  bind(edMBPreset, "edMBPreset");
  bind(cbMBHelp, "cbMBHelp");
  bind(Label4, "Label4");
  bind(edMBDefault, "edMBDefault");
  bind(Label5, "Label5");
  bind(edMBCheckResult, "edMBCheckResult");
  bind(cbMBCheckResult, "cbMBCheckResult");
  bind(Label6, "Label6");
  bind(edMBTitle, "edMBTitle");
  bind(Label7, "Label7");
  bind(edMBModal, "edMBModal");
  bind(cbMDYesToAll, "cbMDYesToAll");
  bind(cbMDNoToAll, "cbMDNoToAll");
  bind(mmCopy, "mmCopy");
  bind(Label8, "Label8");
  bind(clbMBOptions, "clbMBOptions");
  bind(BtnPreview, "BtnPreview");
  bind(BtnCreate, "BtnCreate");
  bind(BtnAbout, "BtnAbout");
  bind(BtnExit, "BtnExit");
  bind(Shape1, "Shape1");
  bind(Bevel2, "Bevel2");
  bind(LblWinTitle, "LblWinTitle");
  bind(Bevel1, "Bevel1");

  // The stored layout names the MessageBox page; FormCreate turns to the first.
  PageControl1->SetActivePage(TSMessageBox);
  EndLoading();
}

}  // namespace vellumor
