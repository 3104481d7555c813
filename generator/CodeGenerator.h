// Writes the one Delphi statement that shows the chosen message (MessageDlg or
// Application.MessageBox, optionally inside a result test) and the MessageBeep line before it.
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "MessageChoices.h"

namespace vellumor {

// The generated statement before layout: one line.
using CodeText = std::string;

struct GeneratedCode {
  CallKind kind = CallKind::MessageDlg;
  CodeText statement;
  std::optional<std::string> beepLine;  // only for MessageDlg with sound
  std::size_t messageLineCount = 0;
  // Where the layout breaks the statement, as offsets into it: each " + " in front of a line
  // separator or between the constants of a split text, in order; then, for a message of two or
  // more lines, the ", " in front of the dialog type or the flags (npos when none). Only the
  // generator knows where a value begins and ends, so it says where the cuts are.
  std::vector<std::size_t> cuts;
  std::size_t argumentsCut = std::string::npos;
};

// With cbValues on: what is wrong with a brace or a value in the texts of the page in effect
// (the message lines; the title only on the MessageBox page): a { without }, {}, a } alone, a
// value that would break the statement or not read back as itself. As one line for the user:
// "line L, column C: ..." or "title, column C: ..." (L from 1, C in characters from 1 in the text
// as typed). nullopt when there is nothing wrong, and always with cbValues off. The window and
// the command line ask this before they generate.
std::optional<std::string> FindValueError(const MessageChoices& choices);

// GenerateCode's refusal of choices FindValueError finds wrong: no code is written for them.
class ValueError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// Throws ValueError when FindValueError finds something wrong.
GeneratedCode GenerateCode(const MessageChoices& choices);

// Removes every blank (code 32): "Yes To All" -> "YesToAll".
std::string RemoveSpaces(std::string_view text);
// a..z -> A..Z; every other byte unchanged.
std::string UpperCaseAscii(std::string_view text);

// "mbOK, mbCancel", in the tool's listing order, Help last.
std::string MessageDlgButtonList(ButtonSet buttons);
// "MB_ICONINFORMATION + MB_OK + MB_DEFBUTTON1 + MB_APPLMODAL", with the checked options.
std::string MessageBoxFlagsExpression(const MessageChoices& choices);

// The text of the confirmation box: the instruction, a blank line, the beep line and the
// statement, lines separated by CR.
std::string GetConfirmationText(const GeneratedCode& code);

}  // namespace vellumor
