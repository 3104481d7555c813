// Properties that must hold for every input: the code is one whole statement that compiles and
// shows what the preview shows, constants stay within the compiler's limit, and the layout only
// ever cuts between tokens.
#include <gtest/gtest.h>

#include "CodeLayout.h"
#include "DelphiEval.h"
#include "MessageText.h"
#include "RandomChoices.h"

using namespace vellumor;

namespace {

// Undoes the layout: continuation lines lose the indent the layout put in front of them.
std::string Rejoin(const std::vector<std::string>& lines) {
  std::string text = lines.empty() ? "" : lines[0];
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    text += line.substr(0, 5) == "    +" ? line.substr(3) : line.substr(4);
  }
  return text;
}

std::string Show(const std::vector<std::string>& lines) {
  return "[" + JoinLines(lines, "]\n[") + "]\n";
}

}  // namespace

TEST(Properties, EveryStatementIsOneWholeCallShowingThePreviewText) {
  std::mt19937 rng(20261206);
  for (int round = 0; round < 4000; ++round) {
    MessageChoices c = gentest::RandomChoices(rng, false);
    SCOPED_TRACE("round " + std::to_string(round) + "\n" + Show(c.mmMessage) + "title [" + c.edMBTitle + "]");
    GeneratedCode code = GenerateCode(c);
    std::string clipboard = GetClipboardText(code);
    ASSERT_EQ(clipboard, JoinLines(GetClipboardLines(code), "\r\n"));

    // What is copied and what is confirmed (beep line and statement on one line) both parse.
    for (const std::string& text : {clipboard, (code.beepLine ? *code.beepLine : "") + code.statement}) {
      auto st = delphi::ParseStatement(text);
      ASSERT_TRUE(st) << text;
      EXPECT_EQ(st->messageBox, code.kind == CallKind::MessageBox);
      EXPECT_EQ(st->message.text, GetPreviewText(c.mmMessage));
      EXPECT_LE(st->message.longestConstant, kMaxLiteralUnits);
      if (st->title) {
        EXPECT_EQ(st->title->text, c.edMBTitle);
        EXPECT_LE(st->title->longestConstant, kMaxLiteralUnits);
      }
      EXPECT_EQ(st->beep.has_value(), !st->messageBox && c.cbMDSound);
      EXPECT_EQ(st->result.has_value(), st->messageBox ? c.cbMBCheckResult : c.cbMDCheckResult);
    }
    auto literal = delphi::Evaluate(GetMessageLiteral(c.mmMessage).source);
    ASSERT_TRUE(literal);
    EXPECT_EQ(literal->text, GetPreviewText(c.mmMessage));

    auto lines = LayoutCodeLines(code);
    EXPECT_EQ(Rejoin(lines), code.statement) << Show(lines);
    EXPECT_TRUE(delphi::LinesCloseTheirLiterals(lines)) << Show(lines);
    for (const auto& line : lines) {
      EXPECT_LE(delphi::Utf16Units(line), 1023u) << line;
      EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
    }
  }
}
