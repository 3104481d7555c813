// Reads a statement of the forms the generator writes (also written by hand: any blanks, line
// breaks and comments, any letter case, unit qualifiers) back into the choices that write it.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "MessageChoices.h"

namespace vellumor {

// What could not be read, and where: line and column count from 1, columns in characters.
class CodeReadError : public std::runtime_error {
 public:
  CodeReadError(int line, int column, const std::string& what);
  int line;
  int column;
  std::string what_;
};

// Throws CodeReadError for anything the window cannot express, with a reason that names the form
// (an assigned result, <>, case, and/or/not in the condition, Format(...)) and echoes names as
// written. An operand of the message's or the title's + chain that is not a constant, a character
// code, sLineBreak or PChar(...)/(...) around those is a value: it comes back as "{expression}"
// (as written; line breaks and comments inside become one blank), with cbValues on and the
// statement's literal braces doubled. A result may be compared with its number, 1 (OK) to 7 (No),
// and a MessageBox result with the mr... name of the same number.
MessageChoices ReadCode(std::string_view source);

// Why the code written for a value (an expression between braces whose braces and brackets are
// sound) would not read back as that value; nullopt when it would. Code the reader cannot take
// back, or takes as text (such as {'abc'} or {sLineBreak}), is not written.
// `alone`: the value is the whole text (Format(...) then is refused, as ReadCode refuses it).
std::optional<std::string> FindValueReadProblem(std::string_view expr, bool alone);

// Whether the text begins, after blanks and comments, as a statement ReadCode reads would:
// MessageDlg, Application.MessageBox or MessageBeep (unit qualifiers allowed), or one of the calls
// after "if" or "case" (and an optional "(") or after "Name :=". Only such a text can be read,
// and one that is not read is worth a word why; "If you close now, ..." is text.
bool BeginsLikeStatement(std::string_view source);

}  // namespace vellumor
