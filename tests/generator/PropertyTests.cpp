// Properties that must hold for every input: the code shows what the preview shows, constants
// stay within the compiler's limit, and the layout only ever cuts between tokens.
#include <gtest/gtest.h>

#include <random>

#include "CodeLayout.h"
#include "DelphiEval.h"
#include "MessageText.h"

using namespace vellumor;

namespace {

// Fragments chosen to provoke the generator: quotes, blanks, separators and argument patterns
// written as text, multi-byte characters, control characters and long runs.
const std::vector<std::string> kFragments = {"a",   "Zz",        " ",      "  ",      "\t",   "'",    "''",
                                             "#13", "#13 + #13", " + #13", "' + #13", ", mt", ", MB", "ü",
                                             "☃",   "😀",         "\n",     "\r",      "\x01", "x"};

std::string RandomText(std::mt19937& rng, bool allowLong) {
  std::uniform_int_distribution<int> count(0, 8), pick(0, static_cast<int>(kFragments.size()) - 1);
  std::string text;
  int n = count(rng);
  for (int i = 0; i < n; ++i)
    text += kFragments[static_cast<size_t>(pick(rng))];
  if (allowLong && rng() % 6 == 0) {
    std::uniform_int_distribution<int> length(200, 700);
    int len = length(rng);
    static const std::vector<std::string> chars = {"a", "b", " ", "'", "#", "ü", "😀", "\x02"};
    for (int i = 0; i < len; ++i)
      text += chars[rng() % chars.size()];
  }
  return text;
}

MessageChoices RandomChoices(std::mt19937& rng) {
  MessageChoices c;
  std::uniform_int_distribution<int> lines(0, 7), small(-1, 6);
  c.mmMessage.clear();
  int n = lines(rng);
  for (int i = 0; i < n; ++i)
    c.mmMessage.push_back(rng() % 4 == 0 ? "" : RandomText(rng, true));
  c.edStyle = small(rng);
  c.PageControl1 = static_cast<int>(rng() % 2);
  c.rbMDPreset = rng() % 2;
  c.edMDPreset = small(rng);
  for (const auto& button : MessageDlgButtons())
    if (button.box) c.*button.box = rng() % 3 == 0;
  c.cbMDHelp = rng() % 2;
  c.edMDHelpContext = static_cast<std::int32_t>(rng());
  c.cbMDCheckResult = rng() % 2;
  c.edMDCheckResult = "Yes To All";
  c.cbMDSound = rng() % 2;
  c.edMBPreset = small(rng);
  c.edMBDefault = small(rng);
  c.cbMBHelp = rng() % 2;
  c.edMBTitle = RandomText(rng, true);
  c.edMBModal = small(rng);
  for (bool& option : c.clbMBOptions)
    option = rng() % 3 == 0;
  c.cbMBCheckResult = rng() % 2;
  c.edMBCheckResult = "Retry";
  return c;
}

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
  std::string out;
  for (const auto& l : lines)
    out += "[" + l + "]\n";
  return out;
}

}  // namespace

TEST(Properties, GeneratedCodeShowsWhatThePreviewShowsAndLaysOutCleanly) {
  std::mt19937 rng(20261206);
  for (int round = 0; round < 4000; ++round) {
    MessageChoices c = RandomChoices(rng);
    SCOPED_TRACE("round " + std::to_string(round) + "\n" + Show(c.mmMessage) + "title [" + c.edMBTitle + "]");

    std::string preview = GetPreviewText(c.mmMessage);
    std::string literal = GetMessageLiteral(c.mmMessage).source;
    if (c.mmMessage.empty()) {
      EXPECT_EQ(literal, "");
    } else {
      auto value = delphi::Evaluate(literal);
      ASSERT_TRUE(value) << literal;
      EXPECT_EQ(value->text, preview);
      EXPECT_LE(value->longestConstant, kMaxLiteralUnits) << literal;
    }

    GeneratedCode code = GenerateCode(c);
    const char* callee = code.kind == CallKind::MessageDlg ? "MessageDlg" : "Application.MessageBox";
    auto args = delphi::CallArguments(code.statement, callee);
    ASSERT_TRUE(args) << code.statement;
    ASSERT_EQ(args->size(), code.kind == CallKind::MessageDlg ? 4u : 3u) << code.statement;
    if (!c.mmMessage.empty()) {
      auto message = delphi::Evaluate((*args)[0]);
      ASSERT_TRUE(message) << (*args)[0];
      EXPECT_EQ(message->text, preview);
    }
    if (code.kind == CallKind::MessageBox) {
      auto title = delphi::Evaluate((*args)[1]);
      ASSERT_TRUE(title) << (*args)[1];
      EXPECT_EQ(title->text, c.edMBTitle);
      EXPECT_LE(title->longestConstant, kMaxLiteralUnits);
    }

    auto lines = LayoutCodeLines(code.statement, c.mmMessage.size(), code.kind);
    EXPECT_EQ(Rejoin(lines), code.statement) << Show(lines);
    EXPECT_TRUE(delphi::LinesCloseTheirLiterals(lines)) << Show(lines);
    for (const auto& line : lines) {
      EXPECT_LE(delphi::Utf16Units(line), 1023u) << line;
      EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
    }
  }
}

TEST(Properties, WithoutTrickyTextTheLayoutIsThePlainTextSearch) {
  // For texts that hold neither pattern, cutting at every "' + #13" and at the first argument
  // pattern by plain search gives the same lines.
  std::mt19937 rng(7);
  const std::vector<std::string> plain = {"a", "b c", "", "Hello, world", "ü", "It's"};
  for (int round = 0; round < 500; ++round) {
    MessageChoices c;
    c.PageControl1 = static_cast<int>(rng() % 2);
    c.mmMessage.clear();
    int n = static_cast<int>(rng() % 5);
    for (int i = 0; i < n; ++i)
      c.mmMessage.push_back(plain[rng() % plain.size()]);
    c.edMBTitle = plain[rng() % plain.size()];
    GeneratedCode code = GenerateCode(c);

    std::vector<std::string> expected;
    std::string s = code.statement;
    for (size_t p; (p = s.find("' + #13")) != std::string::npos;) {
      expected.push_back(s.substr(0, p + 1));
      s = "   " + s.substr(p + 1);
    }
    if (c.mmMessage.size() <= 1) {
      expected.push_back(s);
    } else {
      size_t p = s.find(code.kind == CallKind::MessageDlg ? ", mt" : ", MB");
      expected.push_back(s.substr(0, p + 2));
      expected.push_back("    " + s.substr(p + 2));
    }
    EXPECT_EQ(LayoutCodeLines(code.statement, c.mmMessage.size(), code.kind), expected);
  }
}
