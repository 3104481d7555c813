// The clipboard.
//   TClipboard   plain text in and out (CF_UNICODETEXT); Clipboard() is the one instance
#pragma once

#include <string>
#include <string_view>

namespace vellumor {

class TClipboard {
 public:
  // Replaces the clipboard's content; false when the clipboard could not be opened or filled.
  bool SetAsText(std::string_view utf8);
  // The clipboard's text as UTF-8; empty when it holds none.
  std::string AsText() const;
};

TClipboard& Clipboard();

}  // namespace vellumor
