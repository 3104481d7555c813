#include "MessageText.h"

#include <charconv>

namespace vellumor {

std::string_view TrimLine(std::string_view line) {
  auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  size_t begin = 0, end = line.size();
  while (begin < end && isBlank(line[begin]))
    ++begin;
  while (end > begin && isBlank(line[end - 1]))
    --end;
  return line.substr(begin, end - begin);
}

namespace {

// Length in bytes and in UTF-16 code units of the character starting at text[i]. A byte that
// does not start a well-formed sequence counts as one character of one unit.
struct CharSize {
  size_t bytes;
  size_t units;
};

CharSize CharAt(std::string_view text, size_t i) {
  auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char lead = byte(i);
  size_t len = lead < 0x80                    ? 1
               : lead >= 0xC2 && lead <= 0xDF ? 2
               : lead >= 0xE0 && lead <= 0xEF ? 3
               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                              : 1;
  if (len > 1) {
    if (i + len > text.size()) return {1, 1};
    for (size_t k = 1; k < len; ++k)
      if ((byte(i + k) & 0xC0) != 0x80) return {1, 1};
  }
  return {len, len == 4 ? 2u : 1u};
}

bool IsControl(char c) {
  auto code = static_cast<unsigned char>(c);
  return code < 32 && code != '\t';
}

// Writes one string constant: starts and ends with an apostrophe, so the layout's cut points
// (a closing apostrophe followed by " + ") are the same whatever the text holds.
class ConstantWriter {
 public:
  explicit ConstantWriter(std::string& out) : out_(out) {}
  void Begin() {
    out_ += '\'';
    quoted_ = true;
  }
  // A run of characters that need neither doubling nor a character code.
  void PutPlain(std::string_view run) {
    if (!quoted_) out_ += '\'';
    quoted_ = true;
    out_ += run;
  }
  void Put(std::string_view ch) {
    if (IsControl(ch[0])) {
      if (quoted_) out_ += '\'';
      quoted_ = false;
      char digits[4];
      auto end = std::to_chars(digits, digits + sizeof digits, static_cast<unsigned char>(ch[0])).ptr;
      out_ += '#';
      out_.append(digits, end);
      return;
    }
    if (!quoted_) out_ += '\'';
    quoted_ = true;
    out_ += ch;
    if (ch[0] == '\'') out_ += '\'';
  }
  void End() { out_ += quoted_ ? "'" : "''"; }

 private:
  std::string& out_;
  bool quoted_ = false;
};

size_t AppendQuoted(std::string& out, std::string_view text, size_t firstBudget) {
  ConstantWriter writer(out);
  writer.Begin();
  size_t pieces = 1, budget = firstBudget, used = 0;
  auto isPlainAscii = [](char c) { return c >= 32 && c != '\''; };
  for (size_t i = 0; i < text.size();) {
    // Most text is plain ASCII: copy it a run at a time, as far as the constant has room.
    size_t run = i;
    while (run < text.size() && run - i < budget - used && isPlainAscii(text[run]))
      ++run;
    if (run > i) {
      writer.PutPlain(text.substr(i, run - i));
      used += run - i;
      i = run;
      continue;
    }
    CharSize ch = CharAt(text, i);
    if (used + ch.units > budget && used > 0) {
      writer.End();
      out += " + ";
      writer.Begin();
      ++pieces;
      budget = kMaxLiteralUnits;
      used = 0;
    }
    writer.Put(text.substr(i, ch.bytes));
    used += ch.units;
    i += ch.bytes;
  }
  writer.End();
  return pieces;
}

}  // namespace

QuotedText QuoteText(std::string_view text, size_t firstBudget) {
  QuotedText result;
  result.source.reserve(text.size() + 2);
  result.pieces = AppendQuoted(result.source, text, firstBudget);
  return result;
}

std::string GetPreviewText(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += '\r';
    text += TrimLine(lines[i]);
  }
  return text;
}

size_t AppendMessageLiteral(std::string& out, const std::vector<std::string>& lines) {
  if (lines.empty()) {
    out += "''";
    return 1;
  }
  size_t total = out.size();
  for (const auto& line : lines)
    total += line.size() + 8;
  out.reserve(total);
  size_t pieces = 0;
  // Separators that follow each other with no line text between them merge pairwise:
  // " + #13 + #13" becomes " + #13#13". Only separators merge, never a line's own text.
  size_t run = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string_view text = TrimLine(lines[i]);
    if (i == 0) {
      pieces += AppendQuoted(out, text, kMaxLiteralUnits);
      continue;
    }
    ++run;
    out += run % 2 == 1 ? " + #13" : "#13";
    if (!text.empty()) {
      // The #13s glued in front belong to the same string constant.
      size_t glued = run % 2 == 1 ? 1 : 2;
      pieces += AppendQuoted(out, text, kMaxLiteralUnits - glued);
      run = 0;
    }
  }
  return pieces;
}

QuotedText GetMessageLiteral(const std::vector<std::string>& lines) {
  QuotedText result;
  result.pieces = AppendMessageLiteral(result.source, lines);
  return result;
}

}  // namespace vellumor
