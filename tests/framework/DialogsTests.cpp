// MessageDlg as a user meets it: the box that appears, its buttons, keys and result; and the
// clipboard it copies to.
#include <gtest/gtest.h>

#include <tuple>

#include "Clipbrd.h"
#include "Dialogs.h"
#include "FormFixture.h"

using namespace vellumor;
using wintest::BoxInfo;

namespace {

// Shows the dialog, reads it, and answers it with `press` (a button caption, or a key).
struct Shown {
  BoxInfo box;
  TModalResult result = mrNone;
};

Shown Show(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons,
           const std::function<void(HWND)>& answer) {
  Shown shown;
  wintest::WithBox([&] { shown.result = MessageDlg(text, type, buttons, 0); },
                   [&](HWND box) {
                     shown.box = wintest::ReadBox(box);
                     answer(box);
                   });
  return shown;
}

auto Press(const char* caption) {
  return [caption](HWND box) { EXPECT_TRUE(wintest::PressButton(box, caption)) << caption; };
}
// Presses the first button the box shows, or its default one.
auto PressShown(bool isDefault = false) {
  return [isDefault](HWND box) {
    BoxInfo info = wintest::ReadBox(box);
    EXPECT_TRUE(wintest::PressButton(box, isDefault ? info.defaultButton : info.buttons.at(0)));
  };
}

// A key typed into the box, through the box's own loop.
auto Key(WPARAM key) {
  return [key](HWND) { test::PostKey(GetFocus(), key); };
}

constexpr TMsgDlgButtons Set(std::initializer_list<TMsgDlgBtn> buttons) {
  TMsgDlgButtons set = 0;
  for (auto b : buttons)
    set |= ButtonBit(b);
  return set;
}

}  // namespace

TEST(MessageDlg, CaptionIconTextButtonsInThePlatformsOrderAndTheDefault) {
  Shown s = Show(
      "First\rSecond", mtConfirmation,
      Set({mbHelp, mbYesToAll, mbNoToAll, mbAll, mbIgnore, mbRetry, mbAbort, mbCancel, mbOK, mbNo, mbYes}),
      Press("OK"));
  EXPECT_EQ(s.box.text, "First\r\nSecond");
  EXPECT_EQ(s.box.buttons, (std::vector<std::string>{"Yes", "No", "OK", "Cancel", "Abort", "Retry", "Ignore",
                                                     "All", "No to All", "Yes to All", "Help"}));
  EXPECT_EQ(s.result, mrOk);
  // Each type has its caption and icon; the default is OK, then Yes, then the first button.
  const std::tuple<TMsgDlgType, TMsgDlgButtons, const char*> rows[] = {
      {mtWarning, Set({mbYes, mbNo}), "Warning: Yes"},
      {mtError, Set({mbAbort, mbIgnore}), "Error: Abort"},
      {mtInformation, Set({mbYes, mbOK}), "Information: OK"},
      {mtConfirmation, Set({mbHelp, mbYes, mbOK, mbNo}), "Confirmation: OK"}};
  for (auto [type, buttons, seen] : rows) {
    Shown r = Show("x", type, buttons, PressShown(true));
    EXPECT_EQ(r.box.caption + ": " + r.box.defaultButton + (r.box.hasIcon ? "" : " (no icon)"), seen);
  }
}

TEST(MessageDlg, EveryButtonReturnsItsModalResult) {
  std::vector<TModalResult> results;
  for (TMsgDlgBtn button :
       {mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll})
    results.push_back(Show("x", mtInformation, Set({button, mbHelp}), PressShown()).result);
  EXPECT_EQ(results, (std::vector<TModalResult>{mrYes, mrNo, mrOk, mrCancel, mrAbort, mrRetry, mrIgnore,
                                                mrAll, mrNoToAll, mrYesToAll}));
}

TEST(MessageDlg, EnterPressesTheDefaultAndEscTheCancelButton) {
  const std::tuple<TMsgDlgButtons, WPARAM, TModalResult> rows[] = {
      {Set({mbYes, mbNo, mbCancel}), VK_RETURN, mrYes},
      {Set({mbYes, mbNo, mbCancel}), VK_ESCAPE, mrCancel},
      {Set({mbYes, mbNo}), VK_ESCAPE, mrNo},
      {Set({mbOK}), VK_ESCAPE, mrOk}};
  for (auto [buttons, key, result] : rows)
    EXPECT_EQ(Show("x", mtInformation, buttons, Key(key)).result, result) << key;
}

TEST(MessageDlg, EscAndTheCloseBoxCancelOnlyWhereABoxMayBeCancelledAndHelpNeverCloses) {
  Shown s = Show("x", mtError, Set({mbAbort, mbRetry, mbHelp}), [](HWND box) {
    Key(VK_ESCAPE)(box);
    SendMessageW(box, WM_CLOSE, 0, 0);
    EXPECT_TRUE(wintest::PressButton(box, "Help"));
    wintest::PumpUntilIdle();
    EXPECT_TRUE(IsWindowVisible(box));
    // The close box looks unavailable too, to the system menu and to a window manager alike.
    EXPECT_TRUE(GetMenuState(GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetClassLongPtrW(box, GCL_STYLE) & CS_NOCLOSE);
    EXPECT_TRUE(wintest::PressButton(box, "Retry"));
  });
  EXPECT_EQ(s.result, mrRetry);
  s = Show("x", mtError, Set({mbOK, mbAbort}), [](HWND box) {
    EXPECT_FALSE(GetClassLongPtrW(box, GCL_STYLE) & CS_NOCLOSE);
    EXPECT_FALSE(GetMenuState(GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
    SendMessageW(box, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(s.result, mrOk);

  // With no button that closes it, the box closes on Esc and its close box.
  s = Show("x", mtWarning, Set({mbHelp}), [](HWND box) {
    EXPECT_FALSE(GetClassLongPtrW(box, GCL_STYLE) & CS_NOCLOSE);
    Key(VK_ESCAPE)(box);
  });
  EXPECT_EQ(s.result, mrCancel);
  s = Show("x", mtWarning, 0, [](HWND box) { SendMessageW(box, WM_CLOSE, 0, 0); });
  EXPECT_EQ(s.result, mrCancel);
}

TEST(MessageDlg, EveryButtonFitsInsideTheWorkAreaWrappingOntoMoreRows) {
  // A narrow work area, as on a small screen: eleven buttons need more than its width.
  RECT screen{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &screen, 0);
  RECT work{screen.left, screen.top, screen.left + 640, screen.bottom};
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETWORKAREA, 0, &work, 0));
  struct Restore {
    RECT r;
    ~Restore() { SystemParametersInfoW(SPI_SETWORKAREA, 0, &r, 0); }
  } restore{screen};
  const TMsgDlgButtons all = static_cast<TMsgDlgButtons>(ButtonBit(mbHelp) * 2 - 1);
  // Long enough to wrap, so the text takes the widest line the box allows.
  Shown s = Show(std::string(400, 'W') + " " + std::string(400, 'W'), mtConfirmation, all, [&](HWND box) {
    const RECT r = test::WindowRect(box);
    EXPECT_TRUE(r.left >= work.left && r.top >= work.top && r.right <= work.right && r.bottom <= work.bottom);
    int rows = 0, lastTop = -1;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      wchar_t cls[16] = {};
      GetClassNameW(child, cls, 16);
      if (lstrcmpiW(cls, L"Button") != 0) continue;
      const RECT b = test::WindowRect(child);
      EXPECT_TRUE(b.left >= r.left && b.right <= r.right && b.bottom <= r.bottom);
      if (b.top != lastTop) ++rows, lastTop = b.top;
    }
    EXPECT_GE(rows, 2);
    EXPECT_EQ(wintest::ReadBox(box).buttons.size(), 11u);
    EXPECT_TRUE(wintest::PressButton(box, "Yes"));
  });
  EXPECT_EQ(s.result, mrYes);
}

// A text too tall for the work area goes to the shortener with the room the dialog has for it, and
// the dialog shows what comes back, inside the work area; a text that fits never goes.
TEST(MessageDlg, ATextTooTallForTheScreenIsShortenedToTheRoomItHas) {
  for (int count : {3, 300}) {
    std::string text;
    for (int i = 1; i <= count; ++i)
      text += (i > 1 ? "\r" : "") + ("Line " + std::to_string(i));
    int asked = 0;
    std::string shortened;
    // As many lines as the room takes, each as wide as the wrap width allows.
    TTextShortener shorten = [&](const std::string& whole, HDC dc, int wrapWidth, int widest, int height) {
      ++asked;
      EXPECT_EQ(whole, text);
      EXPECT_GE(widest, wrapWidth);
      TEXTMETRICW tm{};
      GetTextMetricsW(dc, &tm);
      SIZE w{};
      std::wstring line;
      while (GetTextExtentPoint32W(dc, (line + L'W').c_str(), static_cast<int>(line.size() + 1), &w) &&
             w.cx <= wrapWidth)
        line += L'W';
      shortened.clear();
      for (int i = 0; i < height / (tm.tmHeight + tm.tmExternalLeading); ++i)
        shortened += (i ? "\r" : "") + wintest::Narrow(line);
      return shortened;
    };
    std::string shown;
    wintest::WithBox(
        [&] {
          MessageDlg(text, mtWarning, Set({mbOK, mbCancel}), 0, shorten);
        },
        [&](HWND box) {
          const RECT r = test::WindowRect(box);
          RECT work{};
          SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
          EXPECT_TRUE(r.top >= work.top && r.bottom <= work.bottom) << r.top << " " << r.bottom;
          shown = wintest::ReadBox(box).text;
          EXPECT_TRUE(wintest::PressButton(box, "Cancel"));
        });
    EXPECT_EQ(asked, count > 3 ? 1 : 0);
    std::string expected = count > 3 ? shortened : text;
    for (size_t at = expected.find('\r'); at != std::string::npos; at = expected.find('\r', at + 2))
      expected.insert(at + 1, "\n");
    EXPECT_EQ(shown, expected);
  }
}

TEST(MessageDlg, CtrlCCopiesCaptionTextAndButtons) {
  Clipboard().SetAsText("before");
  {
    test::HeldKeys ctrl{VK_CONTROL};  // the key goes through the box's own loop; then Cancel closes it
    Show("Line one\rIt's two", mtWarning, Set({mbOK, mbCancel}), [&](HWND box) {
      Key('C')(box);
      PostMessageW(GetDlgItem(box, 1000 + mbCancel), BM_CLICK, 0, 0);
    });
  }
  EXPECT_EQ(
      Clipboard().AsText(),
      "---------------------------\r\nWarning\r\n---------------------------\r\nLine one\r\nIt's two\r\n"
      "---------------------------\r\nOK   Cancel   \r\n---------------------------\r\n");
}

TEST(MessageDlg, TheActiveWindowIsDisabledWhileTheDialogIsOpen) {
  HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                               nullptr, nullptr, nullptr, nullptr);
  SetActiveWindow(owner);
  bool enabledDuring = true;
  Show("x", mtInformation, Set({mbOK}), [&](HWND box) {
    enabledDuring = IsWindowEnabled(owner);
    EXPECT_EQ(GetWindow(box, GW_OWNER), owner);
    wintest::PressButton(box, "OK");
  });
  EXPECT_TRUE(!enabledDuring && IsWindowEnabled(owner));
  DestroyWindow(owner);
}

// The clipboard as another program meets it: who owns what is written, and a clipboard that
// another program holds open.
using ClipboardTest = test::FormTest;

TEST_F(ClipboardTest, WhatIsWrittenBelongsToAWindowGivenOrItsOwn) {
  ASSERT_TRUE(Clipboard().SetAsText("from the form", form->Handle()));
  EXPECT_EQ(GetClipboardOwner(), form->Handle());
  EXPECT_EQ(wintest::ReadClipboardText(), "from the form");

  // Regression: opened by no window, the clipboard has no owner, and Windows then refuses the data.
  const std::string text = "MessageDlg('Grüße ☃ 😀'\r\n    + #13'B', ";
  ASSERT_TRUE(Clipboard().SetAsText(text));
  EXPECT_TRUE(GetClipboardOwner() && GetClipboardOwner() != form->Handle()) << GetClipboardOwner();
  EXPECT_EQ(Clipboard().AsText(), text);
  EXPECT_TRUE(Clipboard().SetAsText("") && Clipboard().AsText().empty());
}

// Also checks the test helpers' own writing and reading of text, beyond ASCII.
TEST_F(ClipboardTest, AClipboardHeldByAnotherProgramIsRefusedWithItsReasonAndKeepsItsText) {
  ASSERT_TRUE(wintest::WriteClipboardText("earlier"));
  ASSERT_TRUE(wintest::WriteClipboardText("Grüße ☃ 😀\r\n"));  // replaces what was there
  {
    wintest::ClipboardHolder holder;
    ASSERT_TRUE(holder.Holding());
    SetLastError(0);
    EXPECT_FALSE(Clipboard().SetAsText("later", form->Handle()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    std::string read = "stale";
    SetLastError(0);
    EXPECT_FALSE(Clipboard().GetAsText(read));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(read + Clipboard().AsText(), "");
  }
  std::string read;
  EXPECT_TRUE(Clipboard().GetAsText(read));
  EXPECT_EQ(read, "Grüße ☃ 😀\r\n");
  EXPECT_EQ(wintest::ReadClipboardText(), "Grüße ☃ 😀\r\n");
  EXPECT_TRUE(Clipboard().SetAsText("later", form->Handle()));  // free again
  EXPECT_EQ(wintest::ReadClipboardText(), "later");
}
