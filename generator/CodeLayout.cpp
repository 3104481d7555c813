#include "CodeLayout.h"

namespace vellumor {

namespace {

// Calls line(indent, piece) for each laid-out line, in order.
template <typename LineFn>
void ForEachLine(const GeneratedCode& code, LineFn&& line) {
  std::string_view statement = code.statement, indent;  // indent: in front of what follows the cut
  size_t start = 0;
  for (size_t cut : code.cuts) {
    line(indent, statement.substr(start, cut - start));
    start = cut;
    indent = "   ";
  }
  size_t cut = code.argumentsCut;
  if (cut == std::string::npos) {
    line(indent, statement.substr(start));
  } else {
    line(indent, statement.substr(start, cut + 2 - start));
    line(std::string_view("    "), statement.substr(cut + 2));
  }
}

}  // namespace

std::vector<std::string> LayoutCodeLines(const GeneratedCode& code) {
  std::vector<std::string> lines;
  ForEachLine(code, [&](std::string_view indent, std::string_view piece) {
    std::string line;
    line.reserve(indent.size() + piece.size());
    line += indent;
    line += piece;
    lines.push_back(std::move(line));
  });
  return lines;
}

std::vector<std::string> GetClipboardLines(const GeneratedCode& code) {
  std::vector<std::string> lines;
  if (code.beepLine) lines.push_back(*code.beepLine);
  auto laidOut = LayoutCodeLines(code);
  lines.insert(lines.end(), std::make_move_iterator(laidOut.begin()), std::make_move_iterator(laidOut.end()));
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines, std::string_view separator) {
  size_t size = 0;
  for (const auto& line : lines)
    size += line.size() + separator.size();
  std::string text;
  text.reserve(size);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += separator;
    text += lines[i];
  }
  return text;
}

std::string GetClipboardText(const GeneratedCode& code) {
  // Written straight from the layout: a large message is not copied line by line first.
  std::string text;
  text.reserve(code.statement.size() + code.messageLineCount * 6 +
               (code.beepLine ? code.beepLine->size() + 2 : 0));
  bool first = true;
  if (code.beepLine) {
    text += *code.beepLine;
    first = false;
  }
  ForEachLine(code, [&](std::string_view indent, std::string_view piece) {
    if (!first) text += "\r\n";
    first = false;
    text += indent;
    text += piece;
  });
  return text;
}

}  // namespace vellumor
