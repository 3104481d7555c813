// Writes the one Delphi statement that shows the chosen message (MessageDlg or
// Application.MessageBox, optionally inside a result test) and the MessageBeep line before it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "MessageChoices.h"

namespace vellumor {

// The generated statement before layout: one line.
using CodeText = std::string;

struct GeneratedCode {
  CallKind kind = CallKind::MessageDlg;
  CodeText statement;
  std::optional<std::string> beepLine;  // only for MessageDlg with sound
  std::size_t messageLineCount = 0;     // what the layout needs to know of the message
};

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
