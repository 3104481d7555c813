#include "CodeGenerator.h"

#include <algorithm>

#include "CodeReader.h"
#include "MessageText.h"

namespace vellumor {

std::string RemoveSpaces(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    if (c != ' ') out += c;
  return out;
}

std::string UpperCaseAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string MessageDlgButtonList(ButtonSet buttons) {
  std::string list;
  for (const auto& button : MessageDlgButtons()) {
    if (!(buttons & button.bit)) continue;
    if (!list.empty()) list += ", ";
    list += button.name;
  }
  return list;
}

std::string MessageBoxFlagsExpression(const MessageChoices& choices) {
  static constexpr std::string_view defaults[] = {"MB_DEFBUTTON1", "MB_DEFBUTTON2", "MB_DEFBUTTON3",
                                                  "MB_DEFBUTTON4"};
  static constexpr std::string_view modalities[] = {"MB_APPLMODAL", "MB_SYSTEMMODAL", "MB_TASKMODAL"};
  std::string flags(StyleInfo(choices.edStyle).iconName);
  flags += " + ";
  flags += MessageBoxPresetOf(choices.edMBPreset).flagName;
  flags += " + ";
  flags += defaults[choices.edMBDefault >= 1 && choices.edMBDefault <= 3 ? choices.edMBDefault : 0];
  flags += " + ";
  flags += modalities[choices.edMBModal == 1 || choices.edMBModal == 2 ? choices.edMBModal : 0];
  // The options get terms too, so the copied code shows the box the preview showed.
  for (size_t i = 0; i < MessageBoxOptions().size(); ++i) {
    if (!choices.clbMBOptions[i]) continue;
    flags += " + ";
    flags += MessageBoxOptions()[i].flagName;
  }
  if (choices.cbMBHelp) flags += " + MB_HELP";
  return flags;
}

namespace {

// The statement is written into one string, so a large message is copied once.
class StatementWriter {
 public:
  StatementWriter(bool test, size_t sizeHint) : test_(test) {
    text_.reserve(sizeHint + 256);
    if (test_) text_ += "if (";
  }
  std::string& Text() { return text_; }
  CodeText Finish(std::string_view resultPrefix, std::string_view result) {
    if (!test_) {
      text_ += ";";
    } else {
      text_ += " = ";
      text_ += resultPrefix;
      text_ += result;
      text_ += ") then ";
    }
    return std::move(text_);
  }

 private:
  bool test_;
  CodeText text_;
};

// Room for the quoted message: quotes and separators, and doubled apostrophes.
size_t MessageSize(const MessageChoices& choices) {
  size_t size = 0;
  for (const auto& line : choices.mmMessage)
    size += line.size() + 8 + static_cast<size_t>(std::count(line.begin(), line.end(), '\''));
  return size;
}

GeneratedCode GenerateMessageDlg(const MessageChoices& choices) {
  GeneratedCode code;
  code.kind = CallKind::MessageDlg;
  MessageDlgParams params = GetMessageDlgParams(choices);
  const DialogStyleInfo& style = StyleInfo(params.dialogType);
  std::int32_t helpContext = choices.cbMDHelp ? choices.edMDHelpContext : 0;

  StatementWriter writer(choices.cbMDCheckResult, MessageSize(choices));
  std::string& s = writer.Text();
  s += "MessageDlg(";
  AppendMessageExpression(s, choices.mmMessage, choices.cbValues, code.cuts);
  if (choices.mmMessage.size() > 1) code.argumentsCut = s.size();
  s += ", ";
  s += style.typeName;
  s += ", [" + MessageDlgButtonList(params.buttons) + "], " + std::to_string(helpContext) + ")";
  code.statement = writer.Finish("mr", RemoveSpaces(choices.edMDCheckResult));
  if (choices.cbMDSound) code.beepLine = "MessageBeep(" + std::string(style.iconName) + ");";
  return code;
}

GeneratedCode GenerateMessageBox(const MessageChoices& choices) {
  GeneratedCode code;
  code.kind = CallKind::MessageBox;
  StatementWriter writer(choices.cbMBCheckResult, MessageSize(choices) + choices.edMBTitle.size());
  std::string& s = writer.Text();
  s += "Application.MessageBox(";
  // PChar(...) turns a string expression (or a value) into the PChar the call takes; a single
  // literal needs none. Whether the text became an expression is known only once it is written.
  auto appendPChar = [&](auto append, bool lines) {
    size_t start = s.size(), firstCut = code.cuts.size();
    ExpressionInfo info = append();
    if (!lines && info.operands == 1 && !info.hasValue) return;
    constexpr std::string_view kPChar = "PChar(";
    s.insert(start, kPChar);
    s += ")";
    // The cuts already recorded inside the text move with it.
    for (size_t i = firstCut; i < code.cuts.size(); ++i)
      code.cuts[i] += kPChar.size();
  };
  bool lines = choices.mmMessage.size() >= 2;
  appendPChar([&] { return AppendMessageExpression(s, choices.mmMessage, choices.cbValues, code.cuts); },
              lines);
  s += ", ";
  appendPChar([&] { return AppendTextExpression(s, choices.edMBTitle, choices.cbValues, code.cuts); }, false);
  if (lines) code.argumentsCut = s.size();
  s += ", " + MessageBoxFlagsExpression(choices) + ")";
  code.statement = writer.Finish("ID_", UpperCaseAscii(RemoveSpaces(choices.edMBCheckResult)));
  return code;
}

}  // namespace

namespace {

// The first problem of one text: its braces, then each value's code. `whole`: the text is all
// of the message or the title; `line`: a message line, which is written trimmed.
std::optional<ValueProblem> FindProblem(std::string_view text, bool whole, bool line) {
  if (auto problem = FindTextValueProblem(text)) return problem;
  std::string_view written = line ? TrimLine(text) : text;
  std::vector<TextPart> parts = SplitValues(written);
  for (const TextPart& part : parts)
    if (part.value)
      if (auto why = FindValueReadProblem(part.text, whole && parts.size() == 1))
        return ValueProblem{part.column + static_cast<size_t>(written.data() - text.data()), *why};
  return std::nullopt;
}

}  // namespace

std::optional<std::string> FindValueError(const MessageChoices& choices) {
  if (!choices.cbValues) return std::nullopt;
  for (size_t i = 0; i < choices.mmMessage.size(); ++i)
    if (auto problem = FindProblem(choices.mmMessage[i], choices.mmMessage.size() == 1, true))
      return "line " + std::to_string(i + 1) + ", column " + std::to_string(problem->column) + ": " +
             problem->what;
  if (CallKindOf(choices) == CallKind::MessageBox)
    if (auto problem = FindProblem(choices.edMBTitle, true, false))
      return "title, column " + std::to_string(problem->column) + ": " + problem->what;
  return std::nullopt;
}

GeneratedCode GenerateCode(const MessageChoices& choices) {
  if (auto problem = FindValueError(choices)) throw ValueError(*problem);
  GeneratedCode code =
      CallKindOf(choices) == CallKind::MessageDlg ? GenerateMessageDlg(choices) : GenerateMessageBox(choices);
  code.messageLineCount = choices.mmMessage.size();
  return code;
}

std::string GetConfirmationText(const GeneratedCode& code) {
  std::string text = "Press OK to copy the following code to clipboard.\r\r";
  if (code.beepLine) text += *code.beepLine + "\r";
  text += code.statement;
  return text;
}

}  // namespace vellumor
