// Breaks the one-line statement into source lines for the clipboard: one line per message line
// (continuations indented), the remaining arguments on a line of their own.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "CodeGenerator.h"

namespace vellumor {

// Cuts before every " + " that follows a closing apostrophe (the line separators and the joins
// of long constants), then, for a message of two or more lines, after the ", " in front of the
// dialog type (MessageDlg) or the flags (MessageBox). Cuts are never made inside a literal.
std::vector<std::string> LayoutCodeLines(std::string_view statement, std::size_t messageLineCount,
                                         CallKind kind);

// The lines Create copies: the beep line, if any, then the laid-out statement.
std::vector<std::string> GetClipboardLines(const GeneratedCode& code);

std::string JoinLines(const std::vector<std::string>& lines, std::string_view separator);

// The exact clipboard text: lines joined by CR LF, no line end after the last one.
std::string GetClipboardText(const GeneratedCode& code);

}  // namespace vellumor
