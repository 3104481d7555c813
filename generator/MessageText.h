// The two renderings of the message lines: the plain preview text and the Delphi string
// expression that evaluates to it. Texts are UTF-8; only ASCII bytes are ever changed.
#pragma once

#include <cstddef>
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

// Trimmed lines joined by CR.
std::string GetPreviewText(const std::vector<std::string>& lines);

// The expression for the trimmed lines, with #13 between lines and runs of separators merged
// pairwise ("#13#13"); '' for no lines, so the call never has an empty argument.
QuotedText GetMessageLiteral(const std::vector<std::string>& lines);
// The same expression appended to `out`; returns the number of string constants written.
std::size_t AppendMessageLiteral(std::string& out, const std::vector<std::string>& lines);

}  // namespace vellumor
