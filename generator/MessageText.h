// The two renderings of the message lines: the plain preview text and the Delphi string
// expression that evaluates to it. Texts are UTF-8; only ASCII bytes are ever changed.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vellumor {

// The most UTF-16 code units one quoted Delphi string constant may hold (compiler error E2056).
constexpr std::size_t kMaxLiteralUnits = 255;

// Removes leading and trailing characters with codes 32 or less.
std::string_view TrimLine(std::string_view line);

// A Delphi string expression for `text`: quoted, apostrophes doubled, control characters other
// than tab written as #n, split into constants of at most kMaxLiteralUnits code units joined by
// " + ". `firstBudget` is what the first constant may hold (less when #13 is glued in front).
struct QuotedText {
  std::string source;
  std::size_t pieces = 1;  // more than one: the text has become an expression
};
QuotedText QuoteText(std::string_view text, std::size_t firstBudget = kMaxLiteralUnits);

// --- values ---------------------------------------------------------------------------------
// With values on, "{expression}" in a message line or in the title is a Delphi expression written
// into the code as typed (blanks at both ends trimmed), and "{{" and "}}" are one brace each.
// With values off, braces are text like any other.

// A piece of a text with values: literal text (braces undoubled) or a value's expression.
struct TextPart {
  bool value = false;
  std::string text;
  std::size_t column = 0;  // a value's opening brace, in characters from 1
};

// What is wrong with the braces or a value of one text, at a column counted in characters from 1.
struct ValueProblem {
  std::size_t column;
  std::string what;
};
std::optional<ValueProblem> FindTextValueProblem(std::string_view text);

// The parts of a text whose values are sound (FindTextValueProblem found nothing); empty parts
// are left out. Throws std::invalid_argument otherwise.
std::vector<TextPart> SplitValues(std::string_view text);

// Whether a value is written in parentheses: it holds, outside brackets, an operator that binds
// no tighter than the + joining it ('x' + A - B would subtract from the joined text).
bool ValueNeedsParentheses(std::string_view expr);

// Trimmed lines joined by CR. With values, each value shows as typed, braces included, and a
// doubled brace as one: the user sees where the values go.
std::string GetPreviewText(const std::vector<std::string>& lines, bool values = false);
// The title the preview box shows, by the same rule.
std::string GetPreviewTitle(std::string_view title, bool values = false);

// The expression for the trimmed lines, with #13 between lines and runs of separators merged
// pairwise ("#13#13"); '' for no lines, so the call never has an empty argument. With values,
// each value is an operand of its own (in parentheses when it holds an operator that binds less
// than or as much as the + joining it). The lines' values must be sound.
QuotedText GetMessageLiteral(const std::vector<std::string>& lines, bool values = false);

// The same expression appended to `out`. `cuts` gets the offsets in `out` of each " + " the layout
// may break at: in front of a line separator and between the constants of a split text.
struct ExpressionInfo {
  std::size_t operands = 0;  // string constants and values
  bool hasValue = false;
};
ExpressionInfo AppendMessageExpression(std::string& out, const std::vector<std::string>& lines, bool values,
                                       std::vector<std::size_t>& cuts);
// A title (untrimmed, one line) by the same rules.
ExpressionInfo AppendTextExpression(std::string& out, std::string_view text, bool values,
                                    std::vector<std::size_t>& cuts);

}  // namespace vellumor
