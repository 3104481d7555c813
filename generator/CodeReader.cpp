#include "CodeReader.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <cstdint>
#include <optional>
#include <vector>

#include "ChoiceLists.h"
#include "CodeGenerator.h"
#include "MessageText.h"
#include "Utf8.h"

namespace vellumor {

CodeReadError::CodeReadError(int line_, int column_, const std::string& what)
    : std::runtime_error("line " + std::to_string(line_) + ", column " + std::to_string(column_) + ": " +
                         what),
      line(line_),
      column(column_),
      what_(what) {}

namespace {

// --- tokens -------------------------------------------------------------------------------------

enum class Tok { End, Ident, String, Number, Symbol };

struct Token {
  Tok kind = Tok::End;
  std::string text;   // as written (identifiers, symbols, numbers)
  std::string value;  // a string constant's value, UTF-8
  std::int64_t number = 0;
  bool real = false;  // a number with a fraction or an exponent (only values hold one)
  size_t pos = 0;     // byte offsets in the source: the first and one past the last
  size_t end = 0;
};

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// Deeper than any real statement nests.
constexpr int kMaxNesting = 100;

class Source {
 public:
  explicit Source(std::string_view text) : text_(text) {}
  std::string_view Slice(size_t from, size_t to) const { return text_.substr(from, to - from); }

  [[noreturn]] void Fail(size_t pos, const std::string& what) const {
    int line = 1;
    size_t lineStart = 0;
    for (size_t i = 0; i < pos && i < text_.size(); ++i) {
      if (text_[i] == '\n' || (text_[i] == '\r' && (i + 1 >= text_.size() || text_[i + 1] != '\n'))) {
        ++line;
        lineStart = i + 1;
      }
    }
    const int column = 1 + static_cast<int>(CountUtf8Chars(text_.substr(lineStart, pos - lineStart)));
    throw CodeReadError(line, column, what);
  }

  // The dotted name the text begins with, in lower case; empty when it begins otherwise or with
  // a comment that is not closed.
  std::string LeadingName() {
    try {
      SkipBlanksAndComments();
    } catch (const CodeReadError&) {
      return {};
    }
    std::string name;
    for (;;) {
      size_t start = i_;
      while (i_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[i_])) || text_[i_] == '_'))
        ++i_;
      if (i_ == start || std::isdigit(static_cast<unsigned char>(text_[start]))) return {};
      name += Lower(text_.substr(start, i_ - start));
      if (i_ >= text_.size() || text_[i_] != '.') return name;
      name += text_[i_++];
    }
  }

  // Takes `symbol` if it comes next, after blanks and comments.
  bool SkipSymbol(std::string_view symbol) {
    try {
      SkipBlanksAndComments();
    } catch (const CodeReadError&) {
      return false;
    }
    if (text_.compare(i_, symbol.size(), symbol) != 0) return false;
    i_ += symbol.size();
    return true;
  }

  std::vector<Token> Lex() {
    std::vector<Token> tokens;
    // The parser recurses into brackets: their depth is bounded here, once for every path.
    int depth = 0;
    for (;;) {
      SkipBlanksAndComments();
      Token t;
      t.pos = i_;
      if (i_ >= text_.size()) {
        tokens.push_back(t);
        return tokens;
      }
      char c = text_[i_];
      if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
        size_t start = i_;
        while (i_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[i_])) || text_[i_] == '_'))
          ++i_;
        t.kind = Tok::Ident;
        t.text = text_.substr(start, i_ - start);
      } else if (c == '\'' || c == '#') {
        t.kind = Tok::String;
        t.value = StringConstant();
        t.text = text_.substr(t.pos, i_ - t.pos);
      } else if (std::isdigit(static_cast<unsigned char>(c)) || c == '$') {
        t.kind = Tok::Number;
        t.number = Number();
        t.real = c != '$' && RealPart();
        if (i_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[i_])) || text_[i_] == '_'))
          Fail(t.pos, "unexpected letters after the number");
        t.text = text_.substr(t.pos, i_ - t.pos);
      } else if (std::string_view("()[],;+-=.*/<>:^@").find(c) != std::string_view::npos) {
        // Values are expressions: their operators are read as symbols, the pairs as one.
        t.kind = Tok::Symbol;
        size_t len = 1;
        for (std::string_view pair : {":=", "<>", "<=", ">=", ".."})
          if (text_.compare(i_, 2, pair) == 0) len = 2;
        t.text = text_.substr(i_, len);
        if ((c == '(' || c == '[') && ++depth > kMaxNesting) Fail(i_, "parentheses nested too deeply");
        if ((c == ')' || c == ']') && depth > 0) --depth;
        i_ += len;
      } else {
        Fail(i_, "unexpected character");
      }
      t.end = i_;
      tokens.push_back(std::move(t));
    }
  }

 private:
  void SkipBlanksAndComments() {
    while (i_ < text_.size()) {
      char c = text_[i_];
      if (static_cast<unsigned char>(c) <= 32) {
        ++i_;
      } else if (text_.compare(i_, 2, "//") == 0) {
        while (i_ < text_.size() && text_[i_] != '\n' && text_[i_] != '\r')
          ++i_;
      } else if (c == '{') {
        size_t end = text_.find('}', i_);
        if (end == std::string_view::npos) Fail(i_, "comment is not closed");
        i_ = end + 1;
      } else if (text_.compare(i_, 2, "(*") == 0) {
        size_t end = text_.find("*)", i_ + 2);
        if (end == std::string_view::npos) Fail(i_, "comment is not closed");
        i_ = end + 2;
      } else if (text_.compare(i_, 3, "\xEF\xBB\xBF") == 0) {
        i_ += 3;  // byte order mark
      } else {
        return;
      }
    }
  }

  std::int64_t Number() {
    size_t start = i_;
    bool hex = text_[i_] == '$';
    if (hex) ++i_;
    std::int64_t value = 0;
    size_t digits = i_;
    while (i_ < text_.size() && (hex ? std::isxdigit(static_cast<unsigned char>(text_[i_]))
                                     : std::isdigit(static_cast<unsigned char>(text_[i_])))) {
      int d = std::isdigit(static_cast<unsigned char>(text_[i_])) ? text_[i_] - '0'
                                                                  : std::tolower(text_[i_]) - 'a' + 10;
      if (value > (INT64_MAX - d) / (hex ? 16 : 10)) Fail(start, "number is too large");
      value = value * (hex ? 16 : 10) + d;
      ++i_;
    }
    if (i_ == digits) Fail(start, "expected digits after $");
    return value;
  }

  // A fraction and an exponent after a whole number, if any: whether there was one.
  bool RealPart() {
    auto digitAt = [&](size_t k) {
      return k < text_.size() && std::isdigit(static_cast<unsigned char>(text_[k]));
    };
    bool real = false;
    if (i_ + 1 < text_.size() && text_[i_] == '.' && digitAt(i_ + 1)) {
      real = true;
      for (++i_; digitAt(i_);)
        ++i_;
    }
    if (i_ < text_.size() && (text_[i_] == 'e' || text_[i_] == 'E')) {
      size_t k = i_ + 1;
      if (k < text_.size() && (text_[k] == '+' || text_[k] == '-')) ++k;
      if (digitAt(k)) {
        real = true;
        for (i_ = k; digitAt(i_);)
          ++i_;
      }
    }
    return real;
  }

  // Quoted runs and #n character codes written without anything between them form one constant.
  std::string StringConstant() {
    std::string value;
    std::uint32_t high = 0;  // a high surrogate waiting for its low half, 0 when none
    size_t highAt = 0;
    for (;;) {
      if (i_ < text_.size() && text_[i_] == '\'') {
        if (high) Fail(highAt, "half of a surrogate pair");
        size_t open = i_++;
        for (;;) {
          if (i_ >= text_.size() || text_[i_] == '\n' || text_[i_] == '\r')
            Fail(open, "string is not closed");
          if (text_[i_] == '\'') {
            if (i_ + 1 < text_.size() && text_[i_ + 1] == '\'') {
              value += '\'';
              i_ += 2;
              continue;
            }
            ++i_;
            break;
          }
          value += text_[i_++];
        }
      } else if (i_ < text_.size() && text_[i_] == '#') {
        size_t at = i_++;
        if (i_ >= text_.size() || !(std::isdigit(static_cast<unsigned char>(text_[i_])) || text_[i_] == '$'))
          Fail(at, "expected a character code after #");
        std::int64_t code = Number();
        if (code > 0xFFFF) Fail(at, "character code is too large");
        auto cp = static_cast<std::uint32_t>(code);
        if (high) {
          if (cp < 0xDC00 || cp > 0xDFFF) Fail(highAt, "half of a surrogate pair");
          AppendUtf8(value, 0x10000 + ((high - 0xD800) << 10) + (cp - 0xDC00));
          high = 0;
        } else if (cp >= 0xD800 && cp <= 0xDBFF) {
          high = cp;
          highAt = at;
        } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
          Fail(at, "half of a surrogate pair");
        } else {
          AppendUtf8(value, cp);
        }
      } else {
        if (high) Fail(highAt, "half of a surrogate pair");
        return value;
      }
    }
  }

  std::string_view text_;
  size_t i_ = 0;
};

// --- names --------------------------------------------------------------------------------------

// Qualified names: `name` alone or behind one of the unit (or type) prefixes.
bool Named(const std::string& dotted, std::string_view name,
           std::initializer_list<std::string_view> prefixes) {
  for (std::string_view prefix : prefixes)
    if (dotted.size() == prefix.size() + name.size() && dotted.compare(0, prefix.size(), prefix) == 0 &&
        dotted.compare(prefix.size(), name.size(), name) == 0)
      return true;
  return false;
}

#define DIALOGS_PREFIXES "", "dialogs.", "vcl.dialogs.", "system.uitypes.", "uitypes."
const std::initializer_list<std::string_view> kDialogs = {DIALOGS_PREFIXES};
const std::initializer_list<std::string_view> kDlgTypes = {DIALOGS_PREFIXES, "tmsgdlgtype.",
                                                           "system.uitypes.tmsgdlgtype."};
const std::initializer_list<std::string_view> kDlgButtons = {DIALOGS_PREFIXES, "tmsgdlgbtn.",
                                                             "system.uitypes.tmsgdlgbtn."};
const std::initializer_list<std::string_view> kResults = {DIALOGS_PREFIXES, "controls.", "vcl.controls."};
#undef DIALOGS_PREFIXES
const std::initializer_list<std::string_view> kWindows = {"", "windows.", "winapi.windows."};
const std::initializer_list<std::string_view> kForms = {"", "forms.", "vcl.forms."};
const std::initializer_list<std::string_view> kSystem = {"", "system."};

// MessageBox flag words. Each belongs to one field; a field may be given once.
enum Field { kIcon, kButtons, kDefault, kModal, kHelp, kOption0, kFieldCount = kOption0 + 6 };
constexpr std::array<const char*, kFieldCount> kFieldNames = {"icon",
                                                              "button group",
                                                              "default button",
                                                              "modality",
                                                              "Help flag",
                                                              "MB_DEFAULT_DESKTOP_ONLY",
                                                              "MB_RIGHT",
                                                              "MB_RTLREADING",
                                                              "MB_SETFOREGROUND",
                                                              "MB_TOPMOST",
                                                              "MB_SERVICE_NOTIFICATION"};

struct FlagName {
  std::string_view name;
  std::uint32_t value;
  Field field;
};
constexpr FlagName kFlagNames[] = {
    {"mb_ok", 0, kButtons},
    {"mb_okcancel", 1, kButtons},
    {"mb_abortretryignore", 2, kButtons},
    {"mb_yesnocancel", 3, kButtons},
    {"mb_yesno", 4, kButtons},
    {"mb_retrycancel", 5, kButtons},
    {"mb_canceltrycontinue", 6, kButtons},
    {"mb_iconerror", 0x10, kIcon},
    {"mb_iconhand", 0x10, kIcon},
    {"mb_iconstop", 0x10, kIcon},
    {"mb_iconquestion", 0x20, kIcon},
    {"mb_iconwarning", 0x30, kIcon},
    {"mb_iconexclamation", 0x30, kIcon},
    {"mb_iconinformation", 0x40, kIcon},
    {"mb_iconasterisk", 0x40, kIcon},
    {"mb_usericon", 0x80, kIcon},
    {"mb_defbutton1", 0, kDefault},
    {"mb_defbutton2", 0x100, kDefault},
    {"mb_defbutton3", 0x200, kDefault},
    {"mb_defbutton4", 0x300, kDefault},
    {"mb_applmodal", 0, kModal},
    {"mb_systemmodal", 0x1000, kModal},
    {"mb_taskmodal", 0x2000, kModal},
    {"mb_help", 0x4000, kHelp},
};

// The bits of each field, in Field order; options follow the window's item order.
std::uint32_t FieldMask(int field) {
  static constexpr std::uint32_t masks[kOption0] = {0xF0, 0x0F, 0xF00, 0x3000, 0x4000};
  return field < kOption0 ? masks[field] : MessageBoxOptions()[static_cast<size_t>(field - kOption0)].flag;
}

struct Flags {
  std::uint32_t value = 0;
  std::array<bool, kFieldCount> given{};
};

// --- parser -------------------------------------------------------------------------------------

class Parser {
 public:
  Parser(const Source& source, std::vector<Token> tokens) : src_(source), t_(std::move(tokens)) {}

  MessageChoices Statement() {
    MessageChoices c;
    std::optional<std::pair<std::uint32_t, size_t>> beep;
    if (IsNamed(Peek(), "messagebeep", kWindows)) beep = BeepLine();

    RefuseOtherForms();
    bool test = IsWord(Peek(), "if");
    std::optional<Token> result;
    if (test) {
      Next();
      RefuseJoinedCondition();
      bool paren = IsSymbol(Peek(), "(");
      if (paren) Next();
      Call(c);
      if (IsSymbol(Peek(), "<>"))
        Fail(Peek(), "<> cannot be written by the window: it tests a result with =");
      ExpectSymbol("=", "expected = and the result to test");
      result = Next();
      if (result->kind == Tok::Ident) {
        result->text = DottedFrom(*result);
        result->value = spelled_;
      } else if (result->kind != Tok::Number)
        Fail(*result, "expected the result to test, such as mrOK or ID_OK");
      if (paren) ExpectSymbol(")", "expected )");
      if (!IsWord(Peek(), "then")) Fail(Peek(), "expected then");
      Next();
      if (Peek().kind != Tok::End) Fail(Peek(), "only one statement is read; this comes after then");
    } else {
      Call(c);
      if (IsSymbol(Peek(), ";")) Next();
      if (Peek().kind != Tok::End) Fail(Peek(), "only one statement is read; this is a second one");
    }

    SetTexts(c, lines_);
    bool md = CallKindOf(c) == CallKind::MessageDlg;
    if (result) TestedResult(c, *result);
    // A caption the window would show, whether or not it is tested.
    auto items = md ? MDCheckResultItems(c) : MBCheckResultItems(c.edMBPreset);
    std::string& caption = md ? c.edMDCheckResult : c.edMBCheckResult;
    if (!result) caption = std::string(items[static_cast<size_t>(KeptSelection("OK", items))]);

    if (beep) {
      if (!md) src_.Fail(beep->second, "a MessageBeep line goes only with MessageDlg");
      if (beep->first != StyleInfo(c.edStyle).soundValue)
        src_.Fail(beep->second,
                  "the sound does not match the dialog type " + std::string(StyleInfo(c.edStyle).typeName));
      c.cbMDSound = true;
    }
    return c;
  }

 private:
  const Token& Peek() const { return t_[i_]; }
  Token Next() { return t_[i_ < t_.size() - 1 ? i_++ : i_]; }
  [[noreturn]] void Fail(const Token& at, const std::string& what) const {
    src_.Fail(at.pos, at.kind == Tok::End ? what + ", but the text ends here" : what);
  }
  static bool IsSymbol(const Token& t, std::string_view s) { return t.kind == Tok::Symbol && t.text == s; }
  static bool IsWord(const Token& t, std::string_view w) {
    return t.kind == Tok::Ident && Lower(t.text) == w;
  }
  void ExpectSymbol(std::string_view s, const std::string& what) {
    if (!IsSymbol(Peek(), s)) Fail(Peek(), what);
    Next();
  }

  // Reads the rest of a dotted name whose first identifier was just taken; lower case. The name
  // as written is left in spelled_, for reasons that echo it.
  std::string DottedFrom(const Token& first) {
    spelled_ = first.text;
    while (IsSymbol(Peek(), ".") && t_[i_ + 1].kind == Tok::Ident) {
      Next();
      spelled_ += '.';
      spelled_ += Next().text;
    }
    return Lower(spelled_);
  }
  bool IsNamed(const Token& t, std::string_view name, std::initializer_list<std::string_view> prefixes) {
    if (t.kind != Tok::Ident) return false;
    size_t save = i_;
    Token first = Next();
    bool match = Named(DottedFrom(first), name, prefixes);
    i_ = save;
    return match;
  }
  // An identifier, possibly qualified: returns its lower-case dotted form.
  std::string Name(const std::string& expected) {
    Token first = Next();
    if (first.kind != Tok::Ident) Fail(first, expected);
    return DottedFrom(first);
  }

  std::pair<std::uint32_t, size_t> BeepLine() {
    Token at = Peek();
    Name("");
    ExpectSymbol("(", "expected (");
    Token valueAt = Peek();
    Flags flags = FlagsExpression();
    for (int f = 0; f < kFieldCount; ++f)
      if (f != kIcon && flags.given[f]) Fail(valueAt, "MessageBeep takes only an icon sound");
    std::uint32_t sound = flags.value;
    if (sound != 16 && sound != 32 && sound != 48 && sound != 64)
      Fail(valueAt, "MessageBeep takes MB_ICONWARNING, MB_ICONERROR, MB_ICONINFORMATION or MB_ICONQUESTION");
    ExpectSymbol(")", "expected )");
    ExpectSymbol(";", "expected ; after MessageBeep(...)");
    return {sound, at.pos};
  }

  void Call(MessageChoices& c) {
    Token at = Peek();
    if (at.kind != Tok::Ident) Fail(at, "expected MessageDlg or Application.MessageBox");
    std::string name = Name("");
    if (Named(name, "messagedlg", kDialogs)) {
      c.PageControl1 = 0;
      MessageDlgCall(c);
    } else if (Named(name, "application.messagebox", kForms)) {
      c.PageControl1 = 1;
      MessageBoxCall(c);
    } else {
      Fail(at, "expected MessageDlg or Application.MessageBox, not " + spelled_);
    }
  }

  void MessageDlgCall(MessageChoices& c) {
    ExpectSymbol("(", "expected (");
    lines_ = Message();
    ExpectSymbol(",", "expected , and the dialog type");

    Token typeAt = Peek();
    std::string type = Name("expected the dialog type, such as mtInformation");
    static constexpr std::string_view types[] = {"mtwarning", "mterror", "mtinformation", "mtconfirmation"};
    auto it = std::find_if(std::begin(types), std::end(types),
                           [&](std::string_view t) { return Named(type, t, kDlgTypes); });
    if (it == std::end(types)) {
      if (Named(type, "mtcustom", kDlgTypes))
        Fail(typeAt, "a custom dialog type cannot be made by the window");
      Fail(typeAt, "unknown dialog type " + spelled_);
    }
    c.edStyle = static_cast<int>(it - std::begin(types));
    ExpectSymbol(",", "expected , and the buttons");

    Token setAt = Peek();
    ButtonSets(c, setAt);
    ExpectSymbol(",", "expected , and the help context");

    Token helpAt = Peek();
    std::int64_t help = IntegerLiteral("the help context must be an integer literal");
    if (help < INT32_MIN || help > INT32_MAX) Fail(helpAt, "the help context does not fit in 32 bits");
    if (c.cbMDHelp)
      c.edMDHelpContext = static_cast<std::int32_t>(help);
    else if (help != 0)
      Fail(helpAt, "a help context other than 0 needs mbHelp among the buttons");
    ExpectSymbol(")", "expected ) after the help context");
  }

  // The button set: explicit sets and the predefined set constants joined by +. Exactly one
  // constant (with at most Help added) reads as the window's preset; anything else as ticked boxes.
  void ButtonSets(MessageChoices& c, const Token& setAt) {
    static constexpr std::string_view presets[] = {"mbokcancel", "mbyesnocancel", "mbyesallnoallcancel",
                                                   "mbabortretryignore", "mbabortignore"};
    ButtonSet explicitBits = 0, presetBits = 0;
    int preset = -1, presetTerms = 0;
    for (;;) {
      Token at = Peek();
      if (IsSymbol(at, "[")) {
        Next();
        while (!IsSymbol(Peek(), "]")) {
          Token buttonAt = Peek();
          std::string name = Name("expected a button such as mbOK");
          const auto& buttons = MessageDlgButtons();
          auto b = std::find_if(buttons.begin(), buttons.end(), [&](const MessageDlgButton& button) {
            return Named(name, Lower(button.name), kDlgButtons);
          });
          if (b == buttons.end()) Fail(buttonAt, "unknown button " + spelled_);
          explicitBits |= b->bit;
          if (IsSymbol(Peek(), ","))
            Next();
          else if (!IsSymbol(Peek(), "]"))
            Fail(Peek(), "expected , or ]");
        }
        Next();
      } else if (at.kind == Tok::Ident) {
        std::string name = Name("");
        if (Named(name, "mbyesno", kDialogs)) {  // no preset of the window: its two boxes
          explicitBits |= ButtonBit("Yes") | ButtonBit("No");
          if (!IsSymbol(Peek(), "+")) break;
          Next();
          continue;
        }
        auto p = std::find_if(std::begin(presets), std::end(presets),
                              [&](std::string_view n) { return Named(name, n, kDialogs); });
        if (p == std::end(presets)) Fail(at, "unknown button set " + spelled_);
        preset = static_cast<int>(p - std::begin(presets));
        presetBits |= ButtonSetPresets()[static_cast<size_t>(preset)].buttons;
        ++presetTerms;
      } else {
        Fail(at, "expected the buttons, such as [mbOK] or mbYesNoCancel");
      }
      if (!IsSymbol(Peek(), "+")) break;
      Next();
    }
    ButtonSet all = explicitBits | presetBits;
    if ((all & ~kHelpButton) == 0) Fail(setAt, "the dialog needs at least one button besides Help");
    c.cbMDHelp = (all & kHelpButton) != 0;
    if (presetTerms == 1 && (explicitBits & ~kHelpButton) == 0) {
      c.rbMDPreset = true;
      c.edMDPreset = preset;
      return;
    }
    c.rbMDPreset = false;
    for (const auto& button : MessageDlgButtons())
      if (button.box) c.*button.box = (all & button.bit) != 0;
  }

  void MessageBoxCall(MessageChoices& c) {
    ExpectSymbol("(", "expected (");
    lines_ = Message();
    ExpectSymbol(",", "expected , and the title");
    Token titleAt = Peek();
    auto title = Text();
    if (!title) Fail(titleAt, "expected the title");
    title_ = std::move(*title);
    ExpectSymbol(",", "expected , and the flags");
    Token flagsAt = Peek();
    Flags flags = FlagsExpression();
    ExpectSymbol(")", "expected ) after the flags");

    std::uint32_t icon = flags.value & 0xF0, group = flags.value & 0x0F, def = flags.value & 0xF00,
                  modal = flags.value & 0x3000;
    switch (icon) {
      case 0x10:
        c.edStyle = 1;
        break;
      case 0x20:
        c.edStyle = 3;
        break;
      case 0x30:
        c.edStyle = 0;
        break;
      case 0x40:
        c.edStyle = 2;
        break;
      default:
        Fail(flagsAt, icon == 0 ? "a MessageBox without an icon cannot be made by the window; it has "
                                  "MB_ICONWARNING, MB_ICONERROR, MB_ICONINFORMATION or MB_ICONQUESTION"
                                : "unknown icon");
    }
    static constexpr int presetOfGroup[] = {0, 1, 5, 4, 2, 3};
    if (group > 5) Fail(flagsAt, "the window cannot build this button group");
    c.edMBPreset = presetOfGroup[group];
    c.edMBDefault = static_cast<int>(def >> 8);
    if (modal == 0x3000) Fail(flagsAt, "unknown modality");
    c.edMBModal = static_cast<int>(modal >> 12);
    c.cbMBHelp = (flags.value & 0x4000) != 0;
    for (size_t i = 0; i < c.clbMBOptions.size(); ++i)
      c.clbMBOptions[i] = (flags.value & MessageBoxOptions()[i].flag) != 0;
    if (static_cast<size_t>(c.edMBDefault) >= MBDefaultItems(c.edMBPreset, c.cbMBHelp).size())
      Fail(flagsAt,
           "the default button " + std::to_string(c.edMBDefault + 1) + " is not a button of this box");
  }

  Flags FlagsExpression() {
    Flags flags;
    for (;;) {
      Token at = Peek();
      if (IsSymbol(at, "(")) {
        Next();
        Flags inner = FlagsExpression();
        ExpectSymbol(")", "expected )");
        Merge(flags, inner, at);
      } else if (at.kind == Tok::Number) {
        Next();
        if (at.real) Fail(at, "only whole numbers are understood here");
        Flags term;
        if (at.number > UINT32_MAX) Fail(at, "the flags do not fit in 32 bits");
        term.value = static_cast<std::uint32_t>(at.number);
        std::uint32_t known = 0;
        for (int f = 0; f < kFieldCount; ++f) {
          known |= FieldMask(f);
          term.given[f] = (term.value & FieldMask(f)) != 0;
        }
        if (term.value & ~known) Fail(at, "flag bits the window cannot set: $" + Hex(term.value & ~known));
        Merge(flags, term, at);
      } else if (at.kind == Tok::Ident) {
        std::string name = Name("");
        auto n = std::find_if(std::begin(kFlagNames), std::end(kFlagNames),
                              [&](const FlagName& f) { return Named(name, f.name, kWindows); });
        Flags term;
        if (n != std::end(kFlagNames)) {
          term.value = n->value;
          term.given[n->field] = true;
        } else {
          const auto& options = MessageBoxOptions();
          auto o = std::find_if(options.begin(), options.end(), [&](const MessageBoxFlagItem& item) {
            return Named(name, Lower(item.flagName), kWindows);
          });
          if (o == options.end()) Fail(at, "unknown flag " + spelled_);
          term.value = o->flag;
          term.given[kOption0 + (o - options.begin())] = true;
        }
        Merge(flags, term, at);
      } else {
        Fail(at, "expected a flag such as MB_OK");
      }
      if (IsSymbol(Peek(), "+") || IsWord(Peek(), "or")) {
        Next();
        continue;
      }
      return flags;
    }
  }

  static std::string Hex(std::uint32_t v) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    do {
      out.insert(out.begin(), digits[v & 15]);
      v >>= 4;
    } while (v);
    return out;
  }

  void Merge(Flags& into, const Flags& term, const Token& at) {
    for (int f = 0; f < kFieldCount; ++f) {
      if (!term.given[f]) continue;
      if (into.given[f])
        Fail(at, std::string("the ") + kFieldNames[static_cast<size_t>(f)] + " is given twice");
      into.given[f] = true;
    }
    into.value |= term.value;
  }

  std::int64_t IntegerLiteral(const std::string& expected) {
    bool negative = false;
    Token at = Peek();
    if (IsSymbol(at, "-") || IsSymbol(at, "+")) {
      negative = at.text == "-";
      Next();
    }
    Token number = Next();
    if (number.kind != Tok::Number) Fail(number.kind == Tok::End ? number : at, expected);
    if (number.real) Fail(number, "only whole numbers are understood here");
    return negative ? -number.number : number.number;
  }

  // A string expression: operands joined by +. An operand is a constant, sLineBreak, PChar(...)
  // or (...) around such an expression, or else a value: any other expression, up to the + or
  // the argument's end. nullopt when the argument is left out.
  std::optional<std::vector<TextPart>> Text() {
    if (IsSymbol(Peek(), ",") || IsSymbol(Peek(), ")")) return std::nullopt;
    std::vector<TextPart> parts;
    for (;;) {
      Operand(parts);
      if (!IsSymbol(Peek(), "+")) return parts;
      Next();
    }
  }

  // One past the last token of the operand that starts here: it ends before a +, a comma or a
  // closing bracket outside its own brackets. Counted, not recursive: any depth is safe.
  size_t OperandEnd() const {
    size_t k = i_;
    for (int depth = 0; t_[k].kind != Tok::End; ++k) {
      const Token& t = t_[k];
      if (IsSymbol(t, "(") || IsSymbol(t, "[")) {
        ++depth;
      } else if (IsSymbol(t, ")") || IsSymbol(t, "]")) {
        if (depth-- == 0) break;
      } else if (depth == 0 && (IsSymbol(t, "+") || IsSymbol(t, ",") || IsSymbol(t, ";"))) {
        break;
      }
    }
    return k;
  }

  static void AppendLiteral(std::vector<TextPart>& parts, const std::string& text) {
    if (parts.empty() || parts.back().value) parts.push_back({false, {}});
    parts.back().text += text;
  }

  void Operand(std::vector<TextPart>& parts) {
    Token at = Peek();
    size_t end = OperandEnd();
    if (end == i_) Fail(at, "expected text in quotes or a value");
    if (at.kind == Tok::String && end == i_ + 1) {
      AppendLiteral(parts, Next().value);
      return;
    }
    size_t start = i_;
    if (at.kind == Tok::Ident) {
      std::string name = Name("");
      // Format(...) as the whole text holds the text in its pattern; inside a longer text it is a value.
      if (Named(name, "format", {"", "sysutils.", "system.sysutils."}) && IsSymbol(Peek(), "(") &&
          parts.empty() && !IsSymbol(t_[end], "+") && grouped_ == 0)
        Fail(at,
             "Format(...) cannot be read: the window writes values in braces, such as "
             "'Saved {FileName}.' with values on");
      if (i_ == end && Named(name, "slinebreak", kSystem)) {
        AppendLiteral(parts, "\r\n");
        return;
      }
      if (Named(name, "pchar", kSystem) && IsSymbol(Peek(), "(") && Closes(i_, end)) {
        Next();
        for (TextPart& part : Inner())
          part.value ? parts.push_back(std::move(part)) : AppendLiteral(parts, part.text);
        return;
      }
      i_ = start;
    } else if (IsSymbol(at, "(") && Closes(i_, end)) {
      Next();
      ++grouped_;
      std::vector<TextPart> inner = Inner();
      --grouped_;
      if (std::any_of(inner.begin(), inner.end(), [](const TextPart& p) { return !p.value; })) {
        for (TextPart& part : inner)
          part.value ? parts.push_back(std::move(part)) : AppendLiteral(parts, part.text);
        return;
      }
      // Values alone in parentheses are one value; parentheses the generator would write again
      // are left to it.
      std::string expr = ValueSource(start + 1, end - 1);
      parts.push_back({true, ValueNeedsParentheses(expr) ? expr : ValueSource(start, end)});
      return;
    }
    parts.push_back({true, ValueSource(start, end)});
    i_ = end;
  }

  // Whether the bracket at token `open` is closed by the operand's last token.
  bool Closes(size_t open, size_t end) const {
    int depth = 0;
    for (size_t k = open; k < end; ++k) {
      if (IsSymbol(t_[k], "(") || IsSymbol(t_[k], "[")) ++depth;
      if ((IsSymbol(t_[k], ")") || IsSymbol(t_[k], "]")) && --depth == 0) return k + 1 == end;
    }
    return false;
  }

  // The text inside PChar(...) or (...), whose ( was just taken.
  std::vector<TextPart> Inner() {
    auto inner = Text();
    if (!inner) Fail(Peek(), "expected text");
    ExpectSymbol(")", "expected )");
    return std::move(*inner);
  }

  // A value's source as written; blanks, line breaks and comments between its tokens become one
  // blank when there is more than blanks.
  std::string ValueSource(size_t first, size_t end) {
    std::string_view raw = src_.Slice(t_[first].pos, t_[end - 1].end);
    bool plain = true;
    for (size_t k = first; k + 1 < end; ++k)
      for (char c : src_.Slice(t_[k].end, t_[k + 1].pos))
        plain = plain && (c == ' ' || c == '\t');
    std::string expr;
    if (plain) {
      expr = raw;
    } else {
      for (size_t k = first; k < end; ++k) {
        if (k > first && t_[k].pos > t_[k - 1].end) expr += ' ';
        expr += src_.Slice(t_[k].pos, t_[k].end);
      }
    }
    if (expr.find('}') != std::string::npos) Fail(t_[first], "a value holding } cannot be written in braces");
    if (auto problem = FindTextValueProblem("{" + expr + "}"))
      Fail(t_[first], "this value cannot be written in braces: " + problem->what);
    return expr;
  }

  // The message's parts as the memo's lines (CR LF, CR and LF each end a line), still parts:
  // whether literal braces are doubled is known once the whole statement is read.
  std::vector<std::vector<TextPart>> Message() {
    messageAt_ = Peek();
    auto text = Text();
    std::vector<std::vector<TextPart>> lines;
    // '' is the memo with no lines; so is a left-out argument, which earlier versions wrote.
    if (!text || (text->size() == 1 && !(*text)[0].value && (*text)[0].text.empty())) return lines;
    lines.emplace_back();
    for (TextPart& part : *text) {
      if (part.value) {
        lines.back().push_back(std::move(part));
        continue;
      }
      const std::string& t = part.text;
      size_t start = 0;
      for (size_t i = 0; i <= t.size(); ++i) {
        if (i < t.size() && t[i] != '\r' && t[i] != '\n') continue;
        if (i > start) lines.back().push_back({false, t.substr(start, i - start)});
        if (i == t.size()) break;
        if (t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n') ++i;
        lines.emplace_back();
        start = i + 1;
      }
    }
    return lines;
  }

  // The text a memo line or the title holds for `parts`.
  static std::string Written(const std::vector<TextPart>& parts, bool values) {
    std::string text;
    for (const TextPart& part : parts) {
      if (part.value) {
        text += "{" + part.text + "}";
        continue;
      }
      for (char ch : part.text) {
        text += ch;
        if (values && (ch == '{' || ch == '}')) text += ch;
      }
    }
    return text;
  }

  // Sets the message lines and the title from their parts, with values on when there are any.
  void SetTexts(MessageChoices& c, const std::vector<std::vector<TextPart>>& lines) {
    auto hasValue = [](const std::vector<TextPart>& parts) {
      return std::any_of(parts.begin(), parts.end(), [](const TextPart& p) { return p.value; });
    };
    c.cbValues = hasValue(title_) || std::any_of(lines.begin(), lines.end(), hasValue);
    c.mmMessage.clear();
    for (const auto& parts : lines)
      c.mmMessage.push_back(Written(parts, c.cbValues));
    // The window trims every line, so text it would trim cannot be expressed.
    for (size_t n = 0; n < c.mmMessage.size(); ++n)
      if (TrimLine(c.mmMessage[n]) != c.mmMessage[n])
        Fail(messageAt_, "message line " + std::to_string(n + 1) +
                             " begins or ends with a blank or control character, which the window trims");
    if (CallKindOf(c) == CallKind::MessageBox) c.edMBTitle = Written(title_, c.cbValues);
  }

  // The result compared with: a name (mr..., or for MessageBox ID... and the mr... of the same
  // number) or the number itself, 1 (OK) to 7 (No).
  void TestedResult(MessageChoices& c, const Token& at) {
    static constexpr std::string_view numbered[] = {"OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No"};
    bool md = CallKindOf(c) == CallKind::MessageDlg;
    std::string_view caption;
    if (at.kind == Tok::Number) {
      if (at.real || at.number < 1 || at.number > 7)
        Fail(at, "unknown result " + at.text + "; the numbers are 1 (OK) to 7 (No)");
      caption = numbered[at.number - 1];
    } else {
      // at.text is the lower-case name, at.value the name as written.
      for (const auto& button : MessageDlgButtons())
        if (button.box &&
            (md || std::find(std::begin(numbered), std::end(numbered), button.caption) != std::end(numbered)))
          if (Named(at.text, "mr" + Lower(RemoveSpaces(button.caption)), kResults)) caption = button.caption;
      for (std::string_view id : numbered)
        if (!md &&
            (Named(at.text, "id_" + Lower(id), kWindows) || Named(at.text, "id" + Lower(id), kWindows)))
          caption = id;
      if (caption.empty()) Fail(at, "unknown result " + at.value);
    }
    auto items = md ? MDCheckResultItems(c) : MBCheckResultItems(c.edMBPreset);
    if (std::find(items.begin(), items.end(), caption) == items.end())
      Fail(at, std::string(md ? "the dialog" : "the box") + " has no " + std::string(caption) +
                   " button to test for");
    (md ? c.cbMDCheckResult : c.cbMBCheckResult) = true;
    (md ? c.edMDCheckResult : c.edMBCheckResult) = std::string(caption);
  }

  // Statements around the call that the window cannot write, named so the user knows why.
  void RefuseOtherForms() {
    const Token& at = Peek();
    if (IsWord(at, "case")) Fail(at, "case cannot be written by the window: it tests one result with if");
    if (at.kind != Tok::Ident) return;
    size_t save = i_;
    Token first = Next();
    DottedFrom(first);
    bool assigned = IsSymbol(Peek(), ":=");
    i_ = save;
    if (assigned)
      Fail(at, "the result is assigned to " + spelled_ +
                   ", which the window cannot write: it writes the call alone or tested with if");
  }

  // and, or, not and xor outside the call's brackets: the condition holds more than the test.
  void RefuseJoinedCondition() const {
    int outside = IsSymbol(Peek(), "(") ? 1 : 0;  // brackets around the whole test
    int depth = 0;
    for (size_t k = i_; t_[k].kind != Tok::End && !(depth == 0 && IsWord(t_[k], "then")); ++k) {
      const Token& t = t_[k];
      if (IsSymbol(t, "(") || IsSymbol(t, "[")) ++depth;
      if (IsSymbol(t, ")") || IsSymbol(t, "]")) --depth;
      if (depth <= outside && (IsWord(t, "and") || IsWord(t, "or") || IsWord(t, "not") || IsWord(t, "xor")))
        Fail(t, t.text + " in the condition cannot be written by the window: it tests one result alone");
    }
  }

  static ButtonSet ButtonBit(std::string_view caption) {
    for (const auto& button : MessageDlgButtons())
      if (button.caption == caption) return button.bit;
    return 0;
  }

  const Source& src_;
  std::vector<Token> t_;
  size_t i_ = 0;
  std::string spelled_;  // the last dotted name read, as written
  int grouped_ = 0;      // inside (...) around an operand: a part of a text, never the whole
  Token messageAt_;
  std::vector<std::vector<TextPart>> lines_;
  std::vector<TextPart> title_;
};

}  // namespace

bool BeginsLikeStatement(std::string_view source) {
  Source src(source);
  auto endsWith = [](const std::string& name, std::string_view last) {
    return name == last ||
           (name.size() > last.size() && name.ends_with(last) && name[name.size() - last.size() - 1] == '.');
  };
  auto isCall = [&](const std::string& name) {
    return endsWith(name, "messagedlg") || endsWith(name, "application.messagebox");
  };
  std::string name = src.LeadingName();
  if (endsWith(name, "messagebeep")) return true;
  // Plain text may begin with "If" too: only a call the reader knows after it makes a statement.
  if (name == "if" || name == "case") {
    src.SkipSymbol("(");
    return isCall(src.LeadingName());
  }
  // An assigned result is a statement the reader names when it refuses it.
  if (src.SkipSymbol(":=")) return isCall(src.LeadingName());
  return isCall(name);
}

std::optional<std::string> FindValueReadProblem(std::string_view expr, bool alone) {
  const std::vector<std::string> line{"{" + std::string(expr) + "}"};
  const std::string code = GetMessageLiteral(line, true).source;
  try {
    MessageChoices read =
        ReadCode("MessageDlg(" + std::string(alone ? "" : "'' + ") + code + ", mtWarning, [mbOK], 0)");
    if (!read.cbValues) return "the value is text, not code: write it without braces";
    if (GetMessageLiteral(read.mmMessage, true).source != code)
      return "the value would read back as other text and values: write its text outside the braces";
  } catch (const CodeReadError& e) {
    return "the value is not code that can be read back: " + e.what_;
  }
  return std::nullopt;
}

MessageChoices ReadCode(std::string_view source) {
  Source src(source);
  Parser parser(src, src.Lex());
  return parser.Statement();
}

}  // namespace vellumor
