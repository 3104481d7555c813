#include "Utf8.h"

namespace vellumor {

Utf8Char DecodeUtf8(std::string_view text, std::size_t at) {
  auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) return {1, 1, lead, true};
  std::size_t length;
  char32_t cp;
  unsigned char lo = 0x80, hi = 0xBF;  // where the second byte may lie, so no form is overlong
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, cp = lead & 0x0F;
    if (lead == 0xE0) lo = 0xA0;
    if (lead == 0xED) hi = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, cp = lead & 0x07;
    if (lead == 0xF0) lo = 0x90;
    if (lead == 0xF4) hi = 0x8F;  // above U+10FFFF
  } else {
    return {1, 1, 0xFFFD, false};
  }
  if (text.size() - at < length) return {1, 1, 0xFFFD, false};
  for (std::size_t k = 1; k < length; ++k) {
    const unsigned char b = byte(at + k);
    if (b < (k == 1 ? lo : 0x80) || b > (k == 1 ? hi : 0xBF)) return {1, 1, 0xFFFD, false};
    cp = (cp << 6) | (b & 0x3F);
  }
  return {length, length == 4 ? 2u : 1u, cp, true};
}

void AppendUtf8(std::string& out, char32_t cp) {
  if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) cp = 0xFFFD;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
    return;
  }
  const int length = cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
  static constexpr unsigned char kLead[] = {0xC0, 0xE0, 0xF0};  // of two, three and four bytes
  out += static_cast<char>(kLead[length - 2] | (cp >> (6 * (length - 1))));
  for (int shift = 6 * (length - 2); shift >= 0; shift -= 6)
    out += static_cast<char>(0x80 | ((cp >> shift) & 0x3F));
}

std::size_t FirstInvalidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const Utf8Char c = DecodeUtf8(text, i);
    if (!c.valid) return i;
    i += c.bytes;
  }
  return std::string_view::npos;
}

std::size_t CountUtf8Chars(std::string_view text) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < text.size(); ++n)
    i += DecodeUtf8(text, i).bytes;
  return n;
}

std::size_t Utf8BytesOfUnits(std::string_view text, std::size_t units) {
  std::size_t bytes = 0;
  for (std::size_t used = 0; bytes < text.size() && used < units;) {
    const Utf8Char c = DecodeUtf8(text, bytes);
    used += c.units;
    bytes += c.bytes;
  }
  return bytes;
}

std::size_t Utf8CharStart(std::string_view text, std::size_t at) {
  // Only a well-formed sequence spans more than one byte, and none is longer than four.
  for (std::size_t back = 1; back <= 3 && back <= at && at < text.size(); ++back)
    if (DecodeUtf8(text, at - back).bytes > back) return at - back;
  return at;
}

}  // namespace vellumor
