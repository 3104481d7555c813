// A small parser of the Delphi the generator writes, written apart from the generator so the two
// can check each other: string expressions are evaluated, whole statements taken apart.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace delphi {

struct Value {
  std::string text;             // UTF-8
  std::size_t longestConstant;  // UTF-16 units of the longest string constant
};

// Values: an operand written exactly as the first string evaluates to the second.
using Bindings = std::vector<std::pair<std::string, std::string>>;

// Evaluates `expr`: string constants ('quoted' runs with '' for an apostrophe, and #n character
// codes, written without blanks between them) and bound values joined by '+', optionally inside
// PChar(...). nullopt when it is not such an expression.
std::optional<Value> Evaluate(std::string_view expr, const Bindings& values = {});

// One statement as the generator writes it, taken apart: an optional MessageBeep line, then
// `Call;` or `if (Call = Result) then`, where Call is
//   MessageDlg(Text, mtType, [mbButton, ...], Integer)  or
//   Application.MessageBox(Text, Text, MB_FLAG + ...).
// Blanks and line breaks may stand between tokens.
struct Statement {
  std::optional<std::string> beep;  // the MessageBeep argument
  bool messageBox = false;
  Value message;
  std::optional<Value> title;         // MessageBox
  std::optional<std::string> result;  // the tested result
};
// nullopt when `code` is not one whole statement of that form (an argument missing, a literal
// left open, a name that is not an identifier of the right family, anything left over).
std::optional<Statement> ParseStatement(std::string_view code, const Bindings& values = {});

// True when every line leaves no string literal open at its end.
bool LinesCloseTheirLiterals(const std::vector<std::string>& lines);

std::size_t Utf16Units(std::string_view utf8);

}  // namespace delphi
