// A small evaluator of the Delphi string expressions the generator writes, written apart from the
// generator so the two can check each other.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace delphi {

struct Value {
  std::string text;             // UTF-8
  std::size_t longestConstant;  // UTF-16 units of the longest string constant
};

// Evaluates `expr`: string constants ('quoted' runs with '' for an apostrophe, and #n character
// codes, written without blanks between them) joined by '+', optionally inside PChar(...).
// nullopt when it is not such an expression.
std::optional<Value> Evaluate(std::string_view expr);

// Splits the arguments of the first call in `statement` whose name ends the text before '(' at
// top level: "MessageDlg('a, b', mtInformation, [mbOK], 0)" -> 4 arguments (trimmed).
std::optional<std::vector<std::string>> CallArguments(std::string_view statement, std::string_view callee);

// True when every line leaves no string literal open at its end.
bool LinesCloseTheirLiterals(const std::vector<std::string>& lines);

std::size_t Utf16Units(std::string_view utf8);

}  // namespace delphi
