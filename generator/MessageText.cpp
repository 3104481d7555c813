#include "MessageText.h"

#include <charconv>
#include <stdexcept>

#include "Utf8.h"

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

size_t AppendQuoted(std::string& out, std::string_view text, size_t firstBudget, std::vector<size_t>* cuts) {
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
    // A malformed byte counts as one character of one unit.
    const Utf8Char ch = DecodeUtf8(text, i);
    if (used + ch.units > budget && used > 0) {
      writer.End();
      if (cuts) cuts->push_back(out.size());
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

// --- values -----------------------------------------------------------------------------------

// The column of byte `at`: characters before it, plus one.
size_t ColumnOf(std::string_view text, size_t at) {
  return 1 + CountUtf8Chars(text.substr(0, at));
}

bool IsWordChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// What would break the statement around a value: the user's expression may be wrong Delphi, but
// it must stay one operand that ends where the value ends, or the code around it is lost.
struct ValueShape {
  std::optional<ValueProblem> problem;  // the column counts bytes into the expression here
  bool loose = false;                   // holds an operator that binds no tighter than +, outside parentheses
};

ValueShape ShapeOf(std::string_view expr) {
  ValueShape shape;
  auto fail = [&](size_t at, std::string what) {
    shape.problem = ValueProblem{at, std::move(what)};
    return shape;
  };
  for (size_t i = 0; i < expr.size(); ++i)
    if (IsControl(expr[i])) return fail(i, "a value cannot hold a control character");
  std::string open;  // the ( and [ not yet closed
  std::vector<size_t> openAt;
  for (size_t i = 0; i < expr.size(); ++i) {
    char c = expr[i];
    if (c == '\'') {
      size_t close = expr.find('\'', i + 1);
      if (close == std::string_view::npos) return fail(i, "the string in the value is not closed");
      i = close;  // a doubled apostrophe closes and opens again: the same to us
    } else if (c == '{' || expr.compare(i, 2, "//") == 0 || expr.compare(i, 2, "(*") == 0) {
      return fail(i, "a value cannot hold a comment");
    } else if (c == '(' || c == '[') {
      open += c;
      openAt.push_back(i);
    } else if (c == ')' || c == ']') {
      if (open.empty() || open.back() != (c == ')' ? '(' : '['))
        return fail(i, std::string("the value's ") + c + " has no opening " + (c == ')' ? "(" : "["));
      open.pop_back();
      openAt.pop_back();
    } else if (!open.empty()) {
      continue;
    } else if (c == ',' || c == ';') {
      return fail(i, std::string("a value cannot hold ") + c + " outside parentheses");
    } else if (c == '+' || c == '-' || c == '=' || c == '<' || c == '>') {
      shape.loose = true;
    } else if (IsWordChar(c)) {
      size_t end = i;
      while (end < expr.size() && IsWordChar(expr[end]))
        ++end;
      std::string word(expr.substr(i, end - i));
      for (char& w : word)
        if (w >= 'A' && w <= 'Z') w = static_cast<char>(w - 'A' + 'a');
      if (word == "or" || word == "xor" || word == "in" || word == "is") shape.loose = true;
      i = end - 1;
    }
  }
  if (!open.empty()) return fail(openAt.back(), std::string("the value's ") + open.back() + " is not closed");
  return shape;
}

// Splits `text` into parts; the first problem instead when there is one.
std::optional<ValueProblem> ParseValues(std::string_view text, std::vector<TextPart>& parts) {
  std::string literal;
  auto problem = [&](size_t at, std::string what) {
    return std::optional<ValueProblem>(ValueProblem{ColumnOf(text, at), std::move(what)});
  };
  for (size_t i = 0; i < text.size();) {
    char c = text[i];
    bool doubled = i + 1 < text.size() && text[i + 1] == c;
    if ((c == '{' || c == '}') && doubled) {
      literal += c;
      i += 2;
    } else if (c == '}') {
      return problem(i, "} has no opening {; write }} for a brace");
    } else if (c == '{') {
      size_t close = text.find('}', i + 1);
      if (close == std::string_view::npos) return problem(i, "{ has no closing }; write {{ for a brace");
      std::string_view expr = TrimLine(text.substr(i + 1, close - i - 1));
      if (expr.empty()) return problem(i, "{} holds no expression");
      size_t exprAt = static_cast<size_t>(expr.data() - text.data());
      if (auto bad = ShapeOf(expr).problem) return problem(exprAt + bad->column, bad->what);
      if (!literal.empty()) parts.push_back({false, std::move(literal)});
      literal.clear();
      parts.push_back({true, std::string(expr), ColumnOf(text, i)});
      i = close + 1;
    } else {
      literal += c;
      ++i;
    }
  }
  if (!literal.empty()) parts.push_back({false, std::move(literal)});
  return std::nullopt;
}

// The parts of one text: with values off, the whole text is literal.
std::vector<TextPart> PartsOf(std::string_view text, bool values) {
  if (values) return SplitValues(text);
  if (text.empty()) return {};
  return {TextPart{false, std::string(text)}};
}

void AppendValue(std::string& out, const std::string& expr) {
  bool loose = ValueNeedsParentheses(expr);
  if (loose) out += '(';
  if (expr[0] == '*') out += ' ';  // behind a "(", "(*" would open a comment
  out += expr;
  if (loose) out += ')';
}

// A line's parts after whatever comes in front: the first literal part may be glued to it
// (`glued` units already in its constant), everything else is joined by " + ".
void AppendParts(std::string& out, const std::vector<TextPart>& parts, size_t glued, ExpressionInfo& info,
                 std::vector<size_t>& cuts) {
  for (size_t p = 0; p < parts.size(); ++p) {
    bool glue = p == 0 && glued > 0 && !parts[p].value;
    if (!glue && !(p == 0 && glued == 0)) out += " + ";
    if (parts[p].value) {
      AppendValue(out, parts[p].text);
      ++info.operands;
      info.hasValue = true;
    } else {
      info.operands += AppendQuoted(out, parts[p].text, kMaxLiteralUnits - (glue ? glued : 0), &cuts);
    }
  }
}

// Writes the preview form of a text with values: values as typed, doubled braces as one.
std::string PreviewOf(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    char c = text[i];
    if ((c == '{' || c == '}') && i + 1 < text.size() && text[i + 1] == c) {
      out += c;
      i += 2;
      continue;
    }
    size_t close = c == '{' ? text.find('}', i + 1) : std::string_view::npos;
    size_t end = close == std::string_view::npos ? i + 1 : close + 1;
    out += text.substr(i, end - i);
    i = end;
  }
  return out;
}

}  // namespace

std::optional<ValueProblem> FindTextValueProblem(std::string_view text) {
  std::vector<TextPart> parts;
  return ParseValues(text, parts);
}

bool ValueNeedsParentheses(std::string_view expr) {
  return ShapeOf(expr).loose;
}

std::vector<TextPart> SplitValues(std::string_view text) {
  std::vector<TextPart> parts;
  if (auto problem = ParseValues(text, parts))
    throw std::invalid_argument("column " + std::to_string(problem->column) + ": " + problem->what);
  return parts;
}

QuotedText QuoteText(std::string_view text, size_t firstBudget) {
  QuotedText result;
  result.source.reserve(text.size() + 2);
  result.pieces = AppendQuoted(result.source, text, firstBudget, nullptr);
  return result;
}

std::string GetPreviewText(const std::vector<std::string>& lines, bool values) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += '\r';
    text += values ? PreviewOf(TrimLine(lines[i])) : std::string(TrimLine(lines[i]));
  }
  return text;
}

std::string GetPreviewTitle(std::string_view title, bool values) {
  return values ? PreviewOf(title) : std::string(title);
}

ExpressionInfo AppendMessageExpression(std::string& out, const std::vector<std::string>& lines, bool values,
                                       std::vector<size_t>& cuts) {
  ExpressionInfo info;
  if (lines.empty()) {
    out += "''";
    info.operands = 1;
    return info;
  }
  size_t total = out.size();
  for (const auto& line : lines)
    total += line.size() + 8;
  out.reserve(total);
  // Separators that follow each other with no line text between them merge pairwise:
  // " + #13 + #13" becomes " + #13#13". Only separators merge, never a line's own text.
  size_t run = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::vector<TextPart> parts = PartsOf(TrimLine(lines[i]), values);
    if (i == 0) {
      if (parts.empty()) parts.push_back({});  // '' so the expression has its first operand
      AppendParts(out, parts, 0, info, cuts);
      continue;
    }
    ++run;
    if (run % 2 == 1) cuts.push_back(out.size());
    out += run % 2 == 1 ? " + #13" : "#13";
    if (!parts.empty()) {
      // The #13s glued in front of a literal belong to the same string constant; a value cannot
      // be glued and follows with " + ".
      AppendParts(out, parts, run % 2 == 1 ? 1 : 2, info, cuts);
      run = 0;
    }
  }
  return info;
}

ExpressionInfo AppendTextExpression(std::string& out, std::string_view text, bool values,
                                    std::vector<size_t>& cuts) {
  ExpressionInfo info;
  std::vector<TextPart> parts = PartsOf(text, values);
  if (parts.empty()) parts.push_back({});
  AppendParts(out, parts, 0, info, cuts);
  return info;
}

QuotedText GetMessageLiteral(const std::vector<std::string>& lines, bool values) {
  QuotedText result;
  std::vector<size_t> cuts;
  result.pieces = AppendMessageExpression(result.source, lines, values, cuts).operands;
  return result;
}

}  // namespace vellumor
