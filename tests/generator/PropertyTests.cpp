// Properties that must hold for every input: the code is one whole statement that compiles and
// shows what the preview shows, constants stay within the compiler's limit, and the layout only
// ever cuts between tokens.
#include <gtest/gtest.h>

#include "CodeLayout.h"
#include "CodeReader.h"
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
  const std::string joined = JoinLines(lines, "]\n[");  // a named string: see Quoted in MessageTextTests
  return "[" + joined + "]\n";
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

namespace {

// `text` with each "{typed}" of a sample value replaced by what it is bound to.
std::string Bind(std::string text) {
  for (size_t at = text.find('{'); at != std::string::npos; at = text.find('{', at)) {
    size_t next = at + 1;
    for (const auto& value : gentest::SampleValues()) {
      if (text.compare(at, value.typed.size() + 2, "{" + value.typed + "}") != 0) continue;
      text.replace(at, value.typed.size() + 2, value.bound);
      next = at + value.bound.size();
      break;
    }
    at = next;
  }
  return text;
}

size_t Count(std::string_view text, std::string_view part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1))
    ++n;
  return n;
}

}  // namespace

TEST(Properties, ValuesAreOperandsThatTheLayoutKeepsWholeAndTheReaderReadsBack) {
  delphi::Bindings bindings;
  for (const auto& value : gentest::SampleValues())
    bindings.emplace_back(value.code, value.bound);
  std::mt19937 rng(20261207);
  for (int round = 0; round < 3000; ++round) {
    MessageChoices c = gentest::RandomValueChoices(rng);
    SCOPED_TRACE("round " + std::to_string(round) + "\n" + Show(c.mmMessage) + "title [" + c.edMBTitle + "]");
    ASSERT_EQ(FindValueError(c), std::nullopt);
    GeneratedCode code = GenerateCode(c);
    auto lines = GetClipboardLines(code);
    auto st = delphi::ParseStatement(JoinLines(lines, "\r\n"), bindings);
    ASSERT_TRUE(st) << Show(lines);
    EXPECT_EQ(st->message.text, Bind(GetPreviewText(c.mmMessage, true)));
    EXPECT_LE(st->message.longestConstant, kMaxLiteralUnits);
    if (st->title) {
      EXPECT_EQ(st->title->text, Bind(GetPreviewTitle(c.edMBTitle, true)));
    }

    // A cut inside a value would leave fewer whole values in the lines than in the statement.
    EXPECT_EQ(Rejoin(LayoutCodeLines(code)), code.statement);
    for (const auto& value : gentest::SampleValues()) {
      size_t inLines = 0;
      for (const auto& line : lines)
        inLines += Count(line, value.code);
      EXPECT_EQ(inLines, Count(code.statement, value.code)) << value.code << "\n" << Show(lines);
    }

    MessageChoices back = ReadCode(GetClipboardText(code));
    EXPECT_TRUE(back.cbValues);
    EXPECT_EQ(GetClipboardText(GenerateCode(back)), GetClipboardText(code));
    // The lines come back trimmed, values as the code holds them.
    std::vector<std::string> expected;
    for (const auto& line : c.mmMessage) {
      std::string trimmed(TrimLine(line));
      for (size_t at; (at = trimmed.find("{  E.Message }")) != std::string::npos;)
        trimmed.replace(at, 14, "{E.Message}");
      expected.push_back(trimmed);
    }
    EXPECT_EQ(back.mmMessage, expected);
  }
}
