// Reading choices from JSON, and the checks on what reaches the code.
#include <gtest/gtest.h>

#include "ChoicesJson.h"

using namespace vellumor;

namespace {
MessageChoices Read(const std::string& text, GivenCaptions* givenOut = nullptr) {
  MessageChoices c;
  GivenCaptions given;
  ReadChoicesJson(text, c, given);
  if (givenOut) *givenOut = given;
  return c;
}

std::string ErrorOf(const std::string& text) {
  try {
    Read(text);
  } catch (const InputError& e) {
    return e.what();
  }
  return "";
}
}  // namespace

TEST(ChoicesJson, MissingKeysKeepTheWindowsStartUpState) {
  MessageChoices c = Read("{}");
  MessageChoices d;
  EXPECT_EQ(c.mmMessage, d.mmMessage);
  EXPECT_EQ(c.edStyle, 2);
  EXPECT_TRUE(c.cbMDOK);
  EXPECT_EQ(c.edMBTitle, "Information");
  EXPECT_EQ(c.edMDCheckResult, "OK");
}

TEST(ChoicesJson, ReadsEveryKey) {
  GivenCaptions given;
  MessageChoices c = Read(R"({"mmMessage": ["a", "b"], "edStyle": 3, "PageControl1": 1, "edMDPreset": 4,
    "edMDHelpContext": -5, "edMBPreset": 5, "edMBDefault": 2, "edMBModal": 1, "rbMDPreset": true,
    "cbMDOK": false, "cbMDCancel": true, "cbMDYes": true, "cbMDNo": true, "cbMDAbort": true,
    "cbMDRetry": true, "cbMDIgnore": true, "cbMDAll": true, "cbMDYesToAll": true, "cbMDNoToAll": true,
    "cbMDHelp": true, "cbMDCheckResult": true, "cbMDSound": true, "cbMBHelp": true,
    "cbMBCheckResult": true, "edMDCheckResult": "Abort", "edMBTitle": " T ", "edMBCheckResult": "Retry",
    "clbMBOptions": [true, false, true, false, true, false]})",
                          &given);
  EXPECT_EQ(c.mmMessage, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(c.edStyle, 3);
  EXPECT_EQ(c.PageControl1, 1);
  EXPECT_EQ(c.edMDPreset, 4);
  EXPECT_EQ(c.edMDHelpContext, -5);
  EXPECT_EQ(c.edMBPreset, 5);
  EXPECT_EQ(c.edMBDefault, 2);
  EXPECT_EQ(c.edMBModal, 1);
  EXPECT_TRUE(c.rbMDPreset);
  EXPECT_FALSE(c.cbMDOK);
  EXPECT_TRUE(c.cbMDCancel && c.cbMDYes && c.cbMDNo && c.cbMDAbort && c.cbMDRetry && c.cbMDIgnore &&
              c.cbMDAll && c.cbMDYesToAll && c.cbMDNoToAll && c.cbMDHelp && c.cbMDCheckResult &&
              c.cbMDSound && c.cbMBHelp && c.cbMBCheckResult);
  EXPECT_EQ(c.edMDCheckResult, "Abort");
  EXPECT_EQ(c.edMBTitle, " T ");
  EXPECT_EQ(c.edMBCheckResult, "Retry");
  EXPECT_EQ(c.clbMBOptions, (std::array<bool, 6>{true, false, true, false, true, false}));
  EXPECT_TRUE(given.md && given.mb);
}

TEST(ChoicesJson, IndexesOutsideTheIntRangeBehaveAsOutOfRange) {
  MessageChoices c = Read(R"({"edStyle": 4294967298, "PageControl1": -9223372036854775808,
                              "edMBPreset": 18446744073709551615})");
  EXPECT_EQ(c.edStyle, -1);  // not 2, which a 32-bit wrap would give
  EXPECT_NE(c.PageControl1, 0);
  EXPECT_EQ(c.edMBPreset, -1);
}

TEST(ChoicesJson, RefusalsNameTheKey) {
  EXPECT_EQ(ErrorOf(R"({"edStyle": "2"})"), "choices key \"edStyle\": expected an integer");
  EXPECT_EQ(ErrorOf(R"({"edStyle": 2.5})"), "choices key \"edStyle\": expected an integer");
  EXPECT_EQ(ErrorOf(R"({"cbMDOK": 1})"), "choices key \"cbMDOK\": expected true or false");
  EXPECT_EQ(ErrorOf(R"({"edMBTitle": null})"), "choices key \"edMBTitle\": expected a string");
  EXPECT_EQ(ErrorOf(R"({"colour": 1})"), "choices key \"colour\": unknown key");
  EXPECT_EQ(ErrorOf(R"({"edStyle": 1, "edStyle": 2})"), "choices key \"edStyle\": given more than once");
  EXPECT_EQ(ErrorOf(R"({"mmMessage": "one line"})"),
            "choices key \"mmMessage\": expected an array of strings, one per message line");
  EXPECT_EQ(ErrorOf(R"({"mmMessage": ["a", 1]})"),
            "choices key \"mmMessage\": expected an array of strings, one per message line");
  EXPECT_EQ(ErrorOf(R"({"clbMBOptions": [true, true]})"),
            "choices key \"clbMBOptions\": expected an array of 6 booleans");
  EXPECT_EQ(ErrorOf(R"({"clbMBOptions": [1, 0, 0, 0, 0, 0]})"),
            "choices key \"clbMBOptions\": expected an array of 6 booleans");
  EXPECT_EQ(ErrorOf(R"({"mmMessage": [["deep"]]})"), "choices key \"mmMessage\": nested too deeply");
  EXPECT_EQ(ErrorOf("[1, 2]"), "choices must be a JSON object");
  EXPECT_EQ(ErrorOf("{\"edStyle\": 1").substr(0, 30), "choices are not valid JSON: pa");
}

TEST(ChoicesJson, HelpContextMustFitIn32Bits) {
  EXPECT_EQ(Read(R"({"edMDHelpContext": 2147483647})").edMDHelpContext, 2147483647);
  EXPECT_EQ(Read(R"({"edMDHelpContext": -2147483648})").edMDHelpContext, -2147483647 - 1);
  const char* message =
      "choices key \"edMDHelpContext\": must be a whole number from -2147483648 to 2147483647";
  EXPECT_EQ(ErrorOf(R"({"edMDHelpContext": 2147483648})"), message);
  EXPECT_EQ(ErrorOf(R"({"edMDHelpContext": -2147483649})"), message);
  EXPECT_EQ(ErrorOf(R"({"edMDHelpContext": 18446744073709551615})"), message);
}

TEST(SettleChoices, CaptionsLeftToTheWindowFollowItsRebuild) {
  MessageChoices c;
  c.rbMDPreset = true;
  c.edMDPreset = 3;
  c.edMBPreset = 2;
  SettleChoices(c, GivenCaptions{});
  EXPECT_EQ(c.edMDCheckResult, "Abort");  // "OK" is gone: the first item
  EXPECT_EQ(c.edMBCheckResult, "Yes");
}

TEST(SettleChoices, RegressionAGivenCaptionMustBeAButtonOfTheBox) {
  MessageChoices c;
  c.cbMDCheckResult = true;
  c.edMDCheckResult = "OK) then DeleteFile('x'); if (1";
  try {
    SettleChoices(c, GivenCaptions{true, false});
    FAIL() << "injection accepted";
  } catch (const InputError& e) {
    EXPECT_STREQ(e.what(),
                 "edMDCheckResult: \"OK) then DeleteFile('x'); if (1\" is not a button of this box (choose "
                 "from \"OK\")");
  }
  c.edMDCheckResult = "Cancel";
  EXPECT_THROW(SettleChoices(c, GivenCaptions{true, false}), InputError);
  c.cbMDCancel = true;
  EXPECT_NO_THROW(SettleChoices(c, GivenCaptions{true, false}));
  c.edMBCheckResult = "yes";  // case matters: the caption is the window's item
  EXPECT_THROW(SettleChoices(c, GivenCaptions{false, true}), InputError);
}

TEST(SettleChoices, NoButtonOnTheMessageDlgPageIsRefused) {
  MessageChoices c;
  c.cbMDOK = false;
  EXPECT_THROW(SettleChoices(c, GivenCaptions{}), InputError);
  c.PageControl1 = 1;  // the MessageBox page does not need them
  EXPECT_NO_THROW(SettleChoices(c, GivenCaptions{}));
  EXPECT_EQ(c.edMDCheckResult, "");
}

TEST(SettleChoices, TextsMustBeUtf8) {
  MessageChoices c;
  c.mmMessage = {"ok", "bad \xC3"};
  try {
    SettleChoices(c, GivenCaptions{});
    FAIL();
  } catch (const InputError& e) {
    EXPECT_STREQ(e.what(), "message line 2 is not valid UTF-8");
  }
  EXPECT_TRUE(IsValidUtf8("Grüße ☃ 😀"));
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // a surrogate
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));      // overlong
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));
}

TEST(MessageFile, LinesEndWithCrLfLfOrCrAndAFinalEndAddsNoLine) {
  using V = std::vector<std::string>;
  EXPECT_EQ(SplitMessageLines("a\r\nb\nc\rd"), (V{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitMessageLines("a\n"), V{"a"});
  EXPECT_EQ(SplitMessageLines("a\n\n"), (V{"a", ""}));
  EXPECT_EQ(SplitMessageLines(""), V{});
  EXPECT_EQ(SplitMessageLines("\xEF\xBB\xBFHi"), V{"Hi"});
}
