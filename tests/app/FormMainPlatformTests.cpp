// The main window where it meets the system: its icon, the clipboard another program may hold,
// a title longer than an edit box takes by default, and the stored layout's names.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "CodeReader.h"
#include "FormMainFixture.h"
#include "LayoutLookup.h"
#include "StdCtrls.h"
#include "UFormMain.h"
#include "WinTest.h"

using namespace vellumor;
using wintest::BoxInfo;

namespace {

using FormMainPlatformTest = vellumor::test::FormMainTest;

SIZE IconSize(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return {};
  BITMAP bitmap{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  // A monochrome icon's mask holds the AND and XOR halves one above the other.
  return {bitmap.bmWidth, info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2};
}

}  // namespace

TEST_F(FormMainPlatformTest, WindowAndItsClassCarryTheProgramIconAtTheSystemsSizes) {
  struct Size {
    WPARAM which;
    int classIndex, widthMetric, heightMetric;
  };
  for (Size size : {Size{ICON_BIG, GCLP_HICON, SM_CXICON, SM_CYICON},
                    Size{ICON_SMALL, GCLP_HICONSM, SM_CXSMICON, SM_CYSMICON}}) {
    SCOPED_TRACE(size.which == ICON_BIG ? "large" : "small");
    int width = GetSystemMetrics(size.widthMetric), height = GetSystemMetrics(size.heightMetric);
    // Loaded shared, the system hands out its one copy of MAINICON at this size.
    auto mainIcon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, width, height, LR_SHARED));
    ASSERT_NE(mainIcon, nullptr);
    auto ofWindow = reinterpret_cast<HICON>(SendMessageW(form->Handle(), WM_GETICON, size.which, 0));
    auto ofClass = reinterpret_cast<HICON>(GetClassLongPtrW(form->Handle(), size.classIndex));
    EXPECT_EQ(ofWindow, mainIcon);
    EXPECT_EQ(ofClass, mainIcon);
    SIZE shown = IconSize(ofWindow);
    EXPECT_EQ(shown.cx, width);
    EXPECT_EQ(shown.cy, height);
  }
}

TEST_F(FormMainPlatformTest, ACopyTheClipboardRefusesIsReportedAndTheClipboardKeepsItsText) {
  ASSERT_TRUE(wintest::WriteClipboardText("earlier"));
  BoxInfo failure;
  {
    wintest::ClipboardHolder anotherProgram;
    ASSERT_TRUE(anotherProgram.Holding());
    // OK in the confirmation, then OK in the box that follows it.
    wintest::WithBox([&] { form->ActCreate->Execute(); },
                     [&](HWND confirm) {
                       wintest::OnNextBox([&](HWND box) {
                         failure = wintest::ReadBox(box);
                         EXPECT_TRUE(wintest::PressButton(box, "OK"));
                       });
                       EXPECT_TRUE(wintest::PressButton(confirm, "OK"));
                     });
    Idle();
  }
  EXPECT_EQ(failure.caption, "Code");
  EXPECT_EQ(failure.text.rfind("The code was not copied to the clipboard.", 0), 0u) << failure.text;
  EXPECT_NE(failure.text.find("Another program is using the clipboard."), std::string::npos) << failure.text;
  EXPECT_TRUE(failure.hasIcon);
  EXPECT_EQ(wintest::ReadClipboardText(), "earlier");
  // The staging memo holds the code all the same, and Create, pressed again, copies it.
  std::string staged = form->mmCopy->Text();
  EXPECT_EQ(ReadCode(staged).mmMessage, std::vector<std::string>{"This is a message."});
  Run(form->ActCreate, "OK");
  EXPECT_EQ(wintest::ReadClipboardText(), staged);
}

TEST_F(FormMainPlatformTest, AHundredThousandCharacterTitleReachesTheCodeWhole) {
  // Letters, and quotes that the generator doubles. (Wine's edit box takes half a minute over
  // this length when digits and blanks alternate with letters; that is Wine's script analysis.)
  std::string title;
  for (int i = 0; title.size() < 100000; ++i)
    title += i % 7 ? char('a' + i % 26) : '\'';
  MessageBoxPage();
  // Pasted, as a user would: the default limit holds back typed and pasted text, not set text.
  ASSERT_TRUE(wintest::WriteClipboardText(title));
  form->edMBTitle->SetFocus();
  form->edMBTitle->SelectAll();
  SendMessageW(form->edMBTitle->Handle(), WM_PASTE, 0, 0);
  ASSERT_EQ(form->edMBTitle->Text().size(), title.size());
  Run(form->ActCreate, "OK");
  std::string copied = ReadCode(wintest::ReadClipboardText()).edMBTitle;
  EXPECT_EQ(copied.size(), title.size());
  EXPECT_TRUE(copied == title) << "the title in the code differs from the title typed";
}

TEST(LayoutLookup, AWrongOrMissingComponentIsAnErrorThatNamesItNotANull) {
  TLabel label(nullptr);
  TMemo memo(nullptr);
  std::map<std::string_view, TControl*> made{{"Label1", &label}, {"mmMessage", &memo}};
  EXPECT_EQ(LayoutAs<TMemo>(made, "mmMessage"), &memo);
  EXPECT_EQ(LayoutAs<TControl>(made, "Label1"), &label);
  using testing::StrEq, testing::ThrowsMessage;
  EXPECT_THAT([&] { LayoutAs<TComboBox>(made, "Label1"); },
              ThrowsMessage<std::logic_error>(
                  StrEq("The window layout has \"Label1\" as a TLabel where a TComboBox is needed.")));
  EXPECT_THAT(
      [&] { LayoutAs<TMemo>(made, "mmCopy"); },
      ThrowsMessage<std::logic_error>(StrEq("The window layout names \"mmCopy\", which it does not have.")));
}
