// Reading choices from JSON and writing them back, and the checks on text that reaches the code.
#include <gtest/gtest.h>

#include "ChoicesJson.h"

using namespace vellumor;
using nlohmann::json;

namespace {
MessageChoices Read(const std::string& text, GivenCaptions* givenOut = nullptr) {
  MessageChoices c;
  GivenCaptions given;
  ReadChoicesJson(text, c, given);
  if (givenOut) *givenOut = given;
  return c;
}
}  // namespace

TEST(ChoicesJson, EveryKeyIsReadAndWrittenBackUnderItsName) {
  // Every value differs from the start-up state, so a key read into the wrong place shows.
  json every = json::parse(
      R"({"mmMessage": ["a", "b"], "cbValues": true, "edStyle": 3, "PageControl1": 1, "edMDPreset": 4,
    "edMDHelpContext": -5, "edMBPreset": 5, "edMBDefault": 2, "edMBModal": 1, "rbMDPreset": true,
    "cbMDOK": false, "cbMDCancel": true, "cbMDYes": true, "cbMDNo": true, "cbMDAbort": true,
    "cbMDRetry": true, "cbMDIgnore": true, "cbMDAll": true, "cbMDYesToAll": true, "cbMDNoToAll": true,
    "cbMDHelp": true, "cbMDCheckResult": true, "cbMDSound": true, "cbMBHelp": true,
    "cbMBCheckResult": true, "edMDCheckResult": "Abort", "edMBTitle": " T ", "edMBCheckResult": "Retry",
    "clbMBOptions": [true, false, true, false, true, false]})");
  GivenCaptions given;
  EXPECT_EQ(ChoicesToJson(Read(every.dump(), &given)), every);
  EXPECT_TRUE(given.md && given.mb);
  EXPECT_EQ(ChoicesToJson(Read("{}")), ChoicesToJson(MessageChoices{}));  // keys left out keep start-up
}

TEST(MessageFile, LinesEndWithCrLfLfOrCrAndAFinalEndAddsNoLine) {
  using V = std::vector<std::string>;
  EXPECT_EQ(SplitMessageLines("a\r\nb\nc\rd"), (V{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitMessageLines("a\n"), V{"a"});
  EXPECT_EQ(SplitMessageLines("a\n\n"), (V{"a", ""}));
  EXPECT_EQ(SplitMessageLines(""), V{});
  EXPECT_EQ(SplitMessageLines("\xEF\xBB\xBFHi"), V{"Hi"});
}
