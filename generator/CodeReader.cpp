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
  size_t pos = 0;  // byte offset in the source
};

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Deeper than any real statement nests.
constexpr int kMaxNesting = 100;

class Source {
 public:
  explicit Source(std::string_view text) : text_(text) {}

  [[noreturn]] void Fail(size_t pos, const std::string& what) const {
    int line = 1;
    size_t lineStart = 0;
    for (size_t i = 0; i < pos && i < text_.size(); ++i) {
      if (text_[i] == '\n' || (text_[i] == '\r' && (i + 1 >= text_.size() || text_[i + 1] != '\n'))) {
        ++line;
        lineStart = i + 1;
      }
    }
    int column = 1;
    for (size_t i = lineStart; i < pos && i < text_.size(); ++i)
      if ((static_cast<unsigned char>(text_[i]) & 0xC0) != 0x80) ++column;
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
        t.text = text_.substr(t.pos, i_ - t.pos);
      } else if (std::string_view("()[],;+-=.").find(c) != std::string_view::npos) {
        t.kind = Tok::Symbol;
        t.text = std::string(1, c);
        if ((c == '(' || c == '[') && ++depth > kMaxNesting) Fail(i_, "parentheses nested too deeply");
        if ((c == ')' || c == ']') && depth > 0) --depth;
        ++i_;
      } else {
        Fail(i_, "unexpected character");
      }
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
    if (i_ < text_.size() && (std::isalpha(static_cast<unsigned char>(text_[i_])) || text_[i_] == '.'))
      Fail(start, "only whole numbers are understood here");
    return value;
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

    bool test = IsWord(Peek(), "if");
    std::optional<Token> result;
    if (test) {
      Next();
      bool paren = IsSymbol(Peek(), "(");
      if (paren) Next();
      Call(c);
      ExpectSymbol("=", "expected = and the result to test");
      result = Next();
      if (result->kind != Tok::Ident) Fail(*result, "expected the result to test, such as mrOK or ID_OK");
      result->text = DottedFrom(*result);
      if (paren) ExpectSymbol(")", "expected )");
      if (!IsWord(Peek(), "then")) Fail(Peek(), "expected then");
      Next();
      if (Peek().kind != Tok::End) Fail(Peek(), "only one statement is read; this comes after then");
    } else {
      Call(c);
      if (IsSymbol(Peek(), ";")) Next();
      if (Peek().kind != Tok::End) Fail(Peek(), "only one statement is read; this is a second one");
    }

    bool md = CallKindOf(c) == CallKind::MessageDlg;
    if (result) (md ? MessageDlgResult(c, *result) : MessageBoxResult(c, *result));
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

  // Reads the rest of a dotted name whose first identifier was just taken; lower case.
  std::string DottedFrom(const Token& first) {
    std::string name = Lower(first.text);
    while (IsSymbol(Peek(), ".") && t_[i_ + 1].kind == Tok::Ident) {
      Next();
      name += '.';
      name += Lower(Next().text);
    }
    return name;
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
      Fail(at, "expected MessageDlg or Application.MessageBox, not " + name);
    }
  }

  void MessageDlgCall(MessageChoices& c) {
    ExpectSymbol("(", "expected (");
    c.mmMessage = Message();
    ExpectSymbol(",", "expected , and the dialog type");

    Token typeAt = Peek();
    std::string type = Name("expected the dialog type, such as mtInformation");
    static constexpr std::string_view types[] = {"mtwarning", "mterror", "mtinformation", "mtconfirmation"};
    auto it = std::find_if(std::begin(types), std::end(types),
                           [&](std::string_view t) { return Named(type, t, kDlgTypes); });
    if (it == std::end(types)) {
      if (Named(type, "mtcustom", kDlgTypes))
        Fail(typeAt, "a custom dialog type cannot be made by the window");
      Fail(typeAt, "unknown dialog type " + type);
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
          if (b == buttons.end()) Fail(buttonAt, "unknown button " + name);
          explicitBits |= b->bit;
          if (IsSymbol(Peek(), ","))
            Next();
          else if (!IsSymbol(Peek(), "]"))
            Fail(Peek(), "expected , or ]");
        }
        Next();
      } else if (at.kind == Tok::Ident) {
        std::string name = Name("");
        auto p = std::find_if(std::begin(presets), std::end(presets),
                              [&](std::string_view n) { return Named(name, n, kDialogs); });
        if (p == std::end(presets)) Fail(at, "unknown button set " + name);
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
    c.mmMessage = Message();
    ExpectSymbol(",", "expected , and the title");
    Token titleAt = Peek();
    auto title = Text();
    if (!title) Fail(titleAt, "expected the title");
    c.edMBTitle = *title;
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
        Fail(flagsAt, icon == 0 ? "the box needs an icon (MB_ICONINFORMATION, ...)" : "unknown icon");
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
          if (o == options.end()) Fail(at, "unknown flag " + name);
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
    return negative ? -number.number : number.number;
  }

  // A string expression: constants, sLineBreak and PChar(...) joined by +. nullopt when the
  // argument is left out.
  std::optional<std::string> Text() {
    if (IsSymbol(Peek(), ",") || IsSymbol(Peek(), ")")) return std::nullopt;
    std::string value;
    for (;;) {
      Token at = Peek();
      if (at.kind == Tok::String) {
        value += Next().value;
      } else if (IsSymbol(at, "(")) {
        Next();
        auto inner = Text();
        if (!inner) Fail(Peek(), "expected text");
        value += *inner;
        ExpectSymbol(")", "expected )");
      } else if (at.kind == Tok::Ident) {
        std::string name = Name("");
        if (Named(name, "slinebreak", kSystem)) {
          value += "\r\n";
        } else if (Named(name, "pchar", kSystem)) {
          ExpectSymbol("(", "expected ( after PChar");
          auto inner = Text();
          if (!inner) Fail(Peek(), "expected text");
          value += *inner;
          ExpectSymbol(")", "expected )");
        } else {
          Fail(at, "unknown identifier " + name + " in the text");
        }
      } else {
        Fail(at, "expected text in quotes");
      }
      if (!IsSymbol(Peek(), "+")) return value;
      Next();
    }
  }

  // The message as the memo's lines: CR LF, CR and LF each end a line. The window trims every
  // line, so text it would trim cannot be expressed.
  std::vector<std::string> Message() {
    Token at = Peek();
    auto text = Text();
    // '' is the memo with no lines; so is a left-out argument, which earlier versions wrote.
    if (!text || text->empty()) return {};
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i <= text->size(); ++i) {
      if (i < text->size() && (*text)[i] != '\r' && (*text)[i] != '\n') continue;
      lines.push_back(text->substr(start, i - start));
      if (i < text->size() && (*text)[i] == '\r' && i + 1 < text->size() && (*text)[i + 1] == '\n') ++i;
      start = i + 1;
    }
    for (size_t n = 0; n < lines.size(); ++n)
      if (TrimLine(lines[n]) != lines[n])
        Fail(at, "message line " + std::to_string(n + 1) +
                     " begins or ends with a blank or control character, which the window trims");
    return lines;
  }

  void MessageDlgResult(MessageChoices& c, const Token& at) {
    const std::string& name = at.text;
    for (const auto& button : MessageDlgButtons()) {
      if (!button.box) continue;
      if (!Named(name, "mr" + Lower(RemoveSpaces(button.caption)), kResults)) continue;
      auto items = MDCheckResultItems(c);
      if (std::find(items.begin(), items.end(), button.caption) == items.end())
        Fail(at, "the dialog has no " + std::string(button.caption) + " button to test for");
      c.cbMDCheckResult = true;
      c.edMDCheckResult = std::string(button.caption);
      return;
    }
    Fail(at, "unknown result " + name);
  }

  void MessageBoxResult(MessageChoices& c, const Token& at) {
    static constexpr std::string_view captions[] = {"OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No"};
    for (std::string_view caption : captions) {
      std::string id = Lower(caption);
      if (!Named(at.text, "id_" + id, kWindows) && !Named(at.text, "id" + id, kWindows)) continue;
      auto items = MBCheckResultItems(c.edMBPreset);
      if (std::find(items.begin(), items.end(), caption) == items.end())
        Fail(at, "the box has no " + std::string(caption) + " button to test for");
      c.cbMBCheckResult = true;
      c.edMBCheckResult = std::string(caption);
      return;
    }
    Fail(at, "unknown result " + at.text);
  }

  const Source& src_;
  std::vector<Token> t_;
  size_t i_ = 0;
};

}  // namespace

bool BeginsLikeStatement(std::string_view source) {
  std::string name = Source(source).LeadingName();
  auto endsWith = [&](std::string_view last) {
    return name == last ||
           (name.size() > last.size() && name.ends_with(last) && name[name.size() - last.size() - 1] == '.');
  };
  return name == "if" || endsWith("messagedlg") || endsWith("application.messagebox") ||
         endsWith("messagebeep");
}

MessageChoices ReadCode(std::string_view source) {
  Source src(source);
  Parser parser(src, src.Lex());
  return parser.Statement();
}

}  // namespace vellumor
