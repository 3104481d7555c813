// Breaks the one-line statement into source lines for the clipboard: one line per message line
// (continuations indented), the remaining arguments on a line of their own.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "CodeGenerator.h"

namespace vellumor {

// Cuts where the generator says (code.cuts: before the line separators and the joins of long
// constants, never inside a literal or a value), then after code.argumentsCut's ", ".
std::vector<std::string> LayoutCodeLines(const GeneratedCode& code);

// The lines Create copies: the beep line, if any, then the laid-out statement.
std::vector<std::string> GetClipboardLines(const GeneratedCode& code);

std::string JoinLines(const std::vector<std::string>& lines, std::string_view separator);

// The exact clipboard text: lines joined by CR LF, no line end after the last one.
std::string GetClipboardText(const GeneratedCode& code);

}  // namespace vellumor
