#include "DelphiEval.h"

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

struct Lexer {
  std::string_view s;
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
  // An identifier that starts with `family`.
  std::optional<std::string> Name(std::string_view family) {
    SkipBlanks();
    std::size_t start = i;
    if (i < s.size() && (std::isalpha(static_cast<unsigned char>(s[i])) || s[i] == '_'))
      while (i < s.size() && (std::isalnum(static_cast<unsigned char>(s[i])) || s[i] == '_'))
        ++i;
    std::string name(s.substr(start, i - start));
    if (name.size() <= family.size() || name.compare(0, family.size(), family) != 0) return std::nullopt;
    return name;
  }
  std::optional<std::int32_t> Integer() {
    bool negative = Eat("-");
    std::size_t start = i;
    long long value = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])) && value <= 1LL << 31)
      value = value * 10 + (s[i++] - '0');
    if (i == start) return std::nullopt;
    value = negative ? -value : value;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<std::int32_t>(value);
  }
  // One string constant: quoted runs and #n codes with nothing between them.
  std::optional<std::string> Constant(std::size_t& units) {
    std::string text;
    units = 0;
    bool any = false;
    while (i < s.size()) {
      if (s[i] == '\'') {
        ++i;
        std::string run;
        for (;;) {
          if (i >= s.size() || s[i] == '\n' || s[i] == '\r') return std::nullopt;  // left open
          if (s[i] == '\'') {
            if (i + 1 < s.size() && s[i + 1] == '\'') {
              run += '\'';
              i += 2;
              continue;
            }
            ++i;
            break;
          }
          run += s[i++];
        }
        units += Utf16Units(run);
        text += run;
        any = true;
      } else if (s[i] == '#') {
        ++i;
        std::size_t start = i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
          ++i;
        if (i == start || i - start > 3) return std::nullopt;
        int code = std::stoi(std::string(s.substr(start, i - start)));
        if (code > 127) return std::nullopt;  // the generator writes only control codes
        text += static_cast<char>(code);
        ++units;
        any = true;
      } else {
        break;
      }
    }
    if (!any) return std::nullopt;
    return text;
  }
  std::optional<Value> Sum() {
    Value value{{}, 0};
    for (;;) {
      if (Eat("PChar(")) {
        auto inner = Sum();
        if (!inner || !Eat(")")) return std::nullopt;
        value.text += inner->text;
        value.longestConstant = std::max(value.longestConstant, inner->longestConstant);
      } else {
        SkipBlanks();
        std::size_t units = 0;
        auto constant = Constant(units);
        if (!constant) return std::nullopt;
        value.text += *constant;
        value.longestConstant = std::max(value.longestConstant, units);
      }
      if (!Eat("+")) return value;
    }
  }

  bool MessageDlgArguments(Statement& st) {
    auto message = Sum();
    if (!message || !Eat(",")) return false;
    st.message = *message;
    auto type = Name("mt");
    if (!type || !Eat(",") || !Eat("[")) return false;
    st.dialogType = *type;
    if (!Eat("]")) {
      do {
        auto button = Name("mb");
        if (!button) return false;
        st.buttons.push_back(*button);
      } while (Eat(","));
      if (!Eat("]")) return false;
    }
    auto help = Eat(",") ? Integer() : std::nullopt;
    if (!help) return false;
    st.helpContext = *help;
    return Eat(")");
  }

  bool MessageBoxArguments(Statement& st) {
    auto message = Sum();
    if (!message || !Eat(",")) return false;
    st.message = *message;
    st.title = Sum();
    if (!st.title || !Eat(",")) return false;
    do {
      auto flag = Name("MB_");
      if (!flag) return false;
      st.flags.push_back(*flag);
    } while (Eat("+"));
    return Eat(")");
  }
};

}  // namespace

std::optional<Value> Evaluate(std::string_view expr) {
  Lexer lx{expr};
  auto value = lx.Sum();
  lx.SkipBlanks();
  if (!value || lx.i != expr.size()) return std::nullopt;
  return value;
}

std::optional<Statement> ParseStatement(std::string_view code) {
  Lexer lx{code};
  Statement st;
  if (lx.Eat("MessageBeep(")) {
    st.beep = lx.Name("MB_ICON");
    if (!st.beep || !lx.Eat(")") || !lx.Eat(";")) return std::nullopt;
  }
  bool test = lx.Eat("if (");
  if (lx.Eat("MessageDlg(")) {
    if (!lx.MessageDlgArguments(st)) return std::nullopt;
  } else if (lx.Eat("Application.MessageBox(")) {
    st.messageBox = true;
    if (!lx.MessageBoxArguments(st)) return std::nullopt;
  } else {
    return std::nullopt;
  }
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
  for (const auto& line : lines) {
    bool quoted = false;
    for (char c : line)
      if (c == '\'') quoted = !quoted;
    if (quoted) return false;
  }
  return true;
}

}  // namespace delphi
