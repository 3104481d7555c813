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
    if (s.substr(i, word.size()) != word) return false;
    i += word.size();
    return true;
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
          if (i >= s.size()) return std::nullopt;  // unterminated
          if (s[i] == '\n' || s[i] == '\r') return std::nullopt;
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
};

std::optional<Value> Sum(Lexer& lx) {
  Value value{{}, 0};
  for (;;) {
    lx.SkipBlanks();
    if (lx.Eat("PChar(")) {
      auto inner = Sum(lx);
      lx.SkipBlanks();
      if (!inner || !lx.Eat(")")) return std::nullopt;
      value.text += inner->text;
      value.longestConstant = std::max(value.longestConstant, inner->longestConstant);
    } else {
      std::size_t units = 0;
      auto constant = lx.Constant(units);
      if (!constant) return std::nullopt;
      value.text += *constant;
      value.longestConstant = std::max(value.longestConstant, units);
    }
    lx.SkipBlanks();
    if (!lx.Eat("+")) return value;
  }
}

}  // namespace

std::optional<Value> Evaluate(std::string_view expr) {
  Lexer lx{expr};
  auto value = Sum(lx);
  lx.SkipBlanks();
  if (!value || lx.i != expr.size()) return std::nullopt;
  return value;
}

std::optional<std::vector<std::string>> CallArguments(std::string_view statement, std::string_view callee) {
  std::size_t at = statement.find(std::string(callee) + "(");
  if (at == std::string_view::npos) return std::nullopt;
  std::size_t i = at + callee.size() + 1;
  std::vector<std::string> args;
  std::string current;
  int depth = 0;
  bool quoted = false;
  for (; i < statement.size(); ++i) {
    char c = statement[i];
    if (c == '\'') quoted = !quoted;
    if (!quoted) {
      if (c == '(' || c == '[') ++depth;
      if (c == ']') --depth;
      if (c == ')') {
        if (depth == 0) {
          args.push_back(current);
          break;
        }
        --depth;
      }
      if (c == ',' && depth == 0) {
        args.push_back(current);
        current.clear();
        continue;
      }
    }
    current += c;
  }
  if (i == statement.size()) return std::nullopt;
  for (auto& arg : args) {
    std::size_t b = arg.find_first_not_of(' '), e = arg.find_last_not_of(' ');
    arg = b == std::string::npos ? std::string() : arg.substr(b, e - b + 1);
  }
  return args;
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
