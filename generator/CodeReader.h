// Reads a statement of the forms the generator writes (also written by hand: any blanks, line
// breaks and comments, any letter case, unit qualifiers) back into the choices that write it.
#pragma once

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

// Throws CodeReadError for anything the window cannot express.
MessageChoices ReadCode(std::string_view source);

// Whether the text begins, after blanks and comments, as a statement ReadCode reads would:
// MessageDlg, Application.MessageBox or MessageBeep (unit qualifiers allowed), or if. Only such a
// text can be read, and one that is not read is worth a word why.
bool BeginsLikeStatement(std::string_view source);

}  // namespace vellumor
