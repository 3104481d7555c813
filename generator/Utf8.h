// The one place that reads and writes UTF-8. Decoding is strict: an overlong form, an encoded
// surrogate, a code point above U+10FFFF or a sequence cut short is malformed, and each caller
// decides what a malformed byte means to it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vellumor {

struct Utf8Char {
  std::size_t bytes = 1;   // 1 for a malformed byte
  std::size_t units = 1;   // UTF-16 code units: 2 above U+FFFF, 1 for a malformed byte
  char32_t codePoint = 0;  // U+FFFD for a malformed byte
  bool valid = false;
};

// The character that begins at text[at]; `at` must lie inside the text.
Utf8Char DecodeUtf8(std::string_view text, std::size_t at);

// Appends one code point; a surrogate or a value above U+10FFFF is written as U+FFFD.
void AppendUtf8(std::string& out, char32_t codePoint);

// The offset of the first byte that does not begin a well-formed character, or npos.
std::size_t FirstInvalidUtf8(std::string_view text);
inline bool IsValidUtf8(std::string_view text) {
  return FirstInvalidUtf8(text) == std::string_view::npos;
}

// Characters, each malformed byte counting as one.
std::size_t CountUtf8Chars(std::string_view text);

// The bytes of the first `units` UTF-16 units; a pair cut by the limit is taken whole.
std::size_t Utf8BytesOfUnits(std::string_view text, std::size_t units);

// The start of the character that holds text[at] (at itself at a boundary or at the end).
std::size_t Utf8CharStart(std::string_view text, std::size_t at);

}  // namespace vellumor
