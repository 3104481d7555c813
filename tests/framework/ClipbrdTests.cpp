// The clipboard as another program meets it: who owns what is written, and a clipboard that
// another program holds open.
#include <gtest/gtest.h>

#include "Clipbrd.h"
#include "FormFixture.h"

namespace vellumor::test {
namespace {

using ClipboardTest = FormTest;

TEST_F(ClipboardTest, WhatIsWrittenBelongsToAWindowGivenOrItsOwn) {
  ASSERT_TRUE(Clipboard().SetAsText("from the form", form->Handle()));
  EXPECT_EQ(GetClipboardOwner(), form->Handle());
  EXPECT_EQ(wintest::ReadClipboardText(), "from the form");

  // Regression: opened by no window, the clipboard has no owner, and Windows then refuses the data.
  const std::string text = "MessageDlg('Grüße ☃ 😀'\r\n    + #13'B', ";
  ASSERT_TRUE(Clipboard().SetAsText(text));
  EXPECT_NE(GetClipboardOwner(), nullptr);
  EXPECT_NE(GetClipboardOwner(), form->Handle());
  EXPECT_EQ(Clipboard().AsText(), text);
  ASSERT_TRUE(Clipboard().SetAsText(""));
  EXPECT_EQ(Clipboard().AsText(), "");
}

TEST_F(ClipboardTest, AClipboardHeldByAnotherProgramIsRefusedWithItsReasonAndKeepsItsText) {
  ASSERT_TRUE(wintest::WriteClipboardText("earlier"));
  {
    wintest::ClipboardHolder holder;
    ASSERT_TRUE(holder.Holding());
    SetLastError(0);
    EXPECT_FALSE(Clipboard().SetAsText("later", form->Handle()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  }
  EXPECT_EQ(wintest::ReadClipboardText(), "earlier");
  EXPECT_TRUE(Clipboard().SetAsText("later", form->Handle()));  // free again
  EXPECT_EQ(wintest::ReadClipboardText(), "later");
}

}  // namespace
}  // namespace vellumor::test
