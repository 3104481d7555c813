// The clipboard.
//   TClipboard   plain text in and out (CF_UNICODETEXT); Clipboard() is the one instance
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace vellumor {

class TClipboard {
 public:
  // Replaces the clipboard's content, opening it as `owner` (the window that copies; without one,
  // a hidden window of the clipboard's own: the system keeps no data written by no window).
  // False when the clipboard could not be opened or written, and GetLastError() says why. What
  // can fail (the memory, opening) is done before the clipboard is emptied, so a refused copy
  // leaves it as it was.
  bool SetAsText(std::string_view utf8, HWND owner = nullptr);
  // The clipboard's text as UTF-8; empty when it holds none or could not be opened.
  std::string AsText() const;
  // The same, false when the clipboard could not be opened (another program holds it), and
  // GetLastError() says why.
  bool GetAsText(std::string& text) const;
};

TClipboard& Clipboard();

}  // namespace vellumor
