#include "DelphiEval.h"

#include <algorithm>
#include <cctype>

namespace delphi {

std::size_t Utf16Units(std::string_view s) {
  std::size_t units = 0;
  for (unsigned char c : s) {
    if ((c & 0xC0) == 0x80) continue;  // continuation byte
    units += c >= 0xF0 ? 2 : 1;
  }
  return units;
}

namespace {

bool IsDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c));
}

struct Lexer {
  std::string_view s;
  const Bindings& values;
  std::size_t i = 0;
  void SkipBlanks() {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\r' || s[i] == '\n'))
      ++i;
  }
  bool Eat(std::string_view word) {
    SkipBlanks();
    if (s.substr(i, word.size()) != word) return false;
    i += word.size();
    return true;
  }
  // An identifier that starts with `family` and has more after it.
  std::optional<std::string> Name(std::string_view family) {
    SkipBlanks();
    std::size_t start = i;
    if (i < s.size() && (std::isalpha(static_cast<unsigned char>(s[i])) || s[i] == '_'))
      while (i < s.size() && (std::isalnum(static_cast<unsigned char>(s[i])) || s[i] == '_'))
        ++i;
    std::string name(s.substr(start, i - start));
    if (name.size() <= family.size() || !name.starts_with(family)) return std::nullopt;
    return name;
  }
  // A decimal integer of at most ten digits, optionally negative.
  bool Integer() {
    Eat("-");
    std::size_t start = i;
    while (i < s.size() && IsDigit(s[i]))
      ++i;
    return i > start && i - start <= 10;
  }
  // One string constant: quoted runs and #n codes with nothing between them.
  std::optional<std::string> Constant(std::size_t& units) {
    std::string text;
    const std::size_t start = i;
    units = 0;
    while (i < s.size() && (s[i] == '\'' || s[i] == '#')) {
      if (s[i++] == '#') {
        int code = 0, digits = 0;
        for (; i < s.size() && IsDigit(s[i]) && digits < 3; ++digits)
          code = code * 10 + (s[i++] - '0');
        if (digits == 0 || code > 127) return std::nullopt;  // the generator writes only control codes
        text += static_cast<char>(code);
        ++units;
        continue;
      }
      std::string run;
      while (i < s.size() && s[i] != '\n' && s[i] != '\r' && (s[i] != '\'' || s.substr(i, 2) == "''")) {
        run += s[i];
        i += s[i] == '\'' ? 2 : 1;
      }
      if (i >= s.size() || s[i++] != '\'') return std::nullopt;  // left open
      units += Utf16Units(run);
      text += run;
    }
    if (i == start) return std::nullopt;
    return text;
  }
  // A bound value written whole: what follows it ends the operand.
  std::optional<std::string> Bound() {
    SkipBlanks();
    for (const auto& [code, bound] : values) {
      if (s.substr(i, code.size()) != code) continue;
      std::size_t after = i + code.size();
      while (after < s.size() && std::string_view(" \t\r\n").find(s[after]) != std::string_view::npos)
        ++after;
      if (after < s.size() && std::string_view("+,)").find(s[after]) == std::string_view::npos) continue;
      i += code.size();
      return bound;
    }
    return std::nullopt;
  }
  std::optional<delphi::Value> Sum() {
    delphi::Value value{{}, 0};
    do {
      std::optional<delphi::Value> part;
      if (Eat("PChar(")) {
        part = Sum();
        if (!part || !Eat(")")) return std::nullopt;
      } else if (auto bound = Bound()) {
        part = {*bound, 0};
      } else {
        SkipBlanks();
        part.emplace();
        auto constant = Constant(part->longestConstant);
        if (!constant) return std::nullopt;
        part->text = *constant;
      }
      value.text += part->text;
      value.longestConstant = std::max(value.longestConstant, part->longestConstant);
    } while (Eat("+"));
    return value;
  }
  // MessageDlg(Text, mtType, [mbButton, ...], Integer)
  bool MessageDlgArguments(Statement& st) {
    auto message = Sum();
    if (!message || !Eat(",") || !Name("mt") || !Eat(",") || !Eat("[")) return false;
    st.message = *message;
    if (!Eat("]")) {
      do {
        if (!Name("mb")) return false;
      } while (Eat(","));
      if (!Eat("]")) return false;
    }
    return Eat(",") && Integer() && Eat(")");
  }
  // Application.MessageBox(Text, Text, MB_FLAG + ...)
  bool MessageBoxArguments(Statement& st) {
    auto message = Sum();
    if (!message || !Eat(",")) return false;
    st.message = *message;
    st.title = Sum();
    if (!st.title || !Eat(",")) return false;
    do {
      if (!Name("MB_")) return false;
    } while (Eat("+"));
    return Eat(")");
  }
};

}  // namespace

std::optional<Value> Evaluate(std::string_view expr, const Bindings& values) {
  Lexer lx{expr, values};
  auto value = lx.Sum();
  lx.SkipBlanks();
  if (!value || lx.i != expr.size()) return std::nullopt;
  return value;
}

std::optional<Statement> ParseStatement(std::string_view code, const Bindings& values) {
  Lexer lx{code, values};
  Statement st;
  if (lx.Eat("MessageBeep(")) {
    st.beep = lx.Name("MB_ICON");
    if (!st.beep || !lx.Eat(")") || !lx.Eat(";")) return std::nullopt;
  }
  bool test = lx.Eat("if (");
  st.messageBox = !lx.Eat("MessageDlg(");
  if (st.messageBox && !lx.Eat("Application.MessageBox(")) return std::nullopt;
  if (!(st.messageBox ? lx.MessageBoxArguments(st) : lx.MessageDlgArguments(st))) return std::nullopt;
  if (test) {
    st.result = lx.Eat("=") ? lx.Name(st.messageBox ? "ID_" : "mr") : std::nullopt;
    if (!st.result || !lx.Eat(")") || !lx.Eat("then")) return std::nullopt;
  } else if (!lx.Eat(";")) {
    return std::nullopt;
  }
  lx.SkipBlanks();
  if (lx.i != code.size()) return std::nullopt;
  return st;
}

bool LinesCloseTheirLiterals(const std::vector<std::string>& lines) {
  for (const auto& line : lines)
    if (std::count(line.begin(), line.end(), '\'') % 2) return false;
  return true;
}

}  // namespace delphi
