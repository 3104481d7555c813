#include "CodeLayout.h"

namespace vellumor {

namespace {

// A closing apostrophe followed by a line separator or by the join of two long constants.
bool IsLineBreakCut(std::string_view s, size_t closing) {
  return s.compare(closing + 1, 3, " + ") == 0 &&
         (s.compare(closing + 4, 3, "#13") == 0 || s.compare(closing + 4, 1, "'") == 0);
}

// Calls line(indent, piece) for each laid-out line, in order.
template <typename LineFn>
void ForEachLine(std::string_view statement, size_t messageLineCount, CallKind kind, LineFn&& line) {
  std::string_view indent;  // in front of what is left after the last cut
  size_t start = 0;
  // Each apostrophe toggles "inside a literal"; a doubled one leaves and re-enters, which comes
  // to the same.
  bool quoted = false;
  for (size_t i = 0; i < statement.size(); ++i) {
    if (statement[i] != '\'') continue;
    quoted = !quoted;
    if (!quoted && IsLineBreakCut(statement, i)) {
      line(indent, statement.substr(start, i + 1 - start));
      start = i + 1;
      indent = "   ";
    }
  }

  size_t cut = std::string_view::npos;
  if (messageLineCount > 1) {
    std::string_view pattern = kind == CallKind::MessageDlg ? ", mt" : ", MB";
    quoted = false;
    for (size_t i = start; i < statement.size() && cut == std::string_view::npos; ++i) {
      if (statement[i] == '\'')
        quoted = !quoted;
      else if (!quoted && statement.compare(i, pattern.size(), pattern) == 0)
        cut = i;
    }
  }
  if (cut == std::string_view::npos) {
    line(indent, statement.substr(start));
  } else {
    line(indent, statement.substr(start, cut + 2 - start));
    line(std::string_view("    "), statement.substr(cut + 2));
  }
}

}  // namespace

std::vector<std::string> LayoutCodeLines(std::string_view statement, size_t messageLineCount, CallKind kind) {
  std::vector<std::string> lines;
  ForEachLine(statement, messageLineCount, kind, [&](std::string_view indent, std::string_view piece) {
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
  auto laidOut = LayoutCodeLines(code.statement, code.messageLineCount, code.kind);
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
  ForEachLine(code.statement, code.messageLineCount, code.kind,
              [&](std::string_view indent, std::string_view piece) {
                if (!first) text += "\r\n";
                first = false;
                text += indent;
                text += piece;
              });
  return text;
}

}  // namespace vellumor
