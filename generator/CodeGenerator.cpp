#include "CodeGenerator.h"

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

CodeText WithResultTest(const std::string& call, bool test, std::string_view prefix,
                        std::string_view result) {
  if (!test) return call + ";";
  CodeText text = "if (" + call + " = ";
  text += prefix;
  text += result;
  text += ") then ";
  return text;
}

GeneratedCode GenerateMessageDlg(const MessageChoices& choices) {
  GeneratedCode code;
  code.kind = CallKind::MessageDlg;
  MessageDlgParams params = GetMessageDlgParams(choices);
  const DialogStyleInfo& style = StyleInfo(params.dialogType);
  std::int32_t helpContext = choices.cbMDHelp ? choices.edMDHelpContext : 0;

  std::string call = "MessageDlg(" + GetMessageLiteral(choices.mmMessage).source + ", ";
  call += style.typeName;
  call += ", [" + MessageDlgButtonList(params.buttons) + "], " + std::to_string(helpContext) + ")";
  code.statement = WithResultTest(call, choices.cbMDCheckResult, "mr", RemoveSpaces(choices.edMDCheckResult));
  if (choices.cbMDSound) code.beepLine = "MessageBeep(" + std::string(style.iconName) + ");";
  return code;
}

GeneratedCode GenerateMessageBox(const MessageChoices& choices) {
  GeneratedCode code;
  code.kind = CallKind::MessageBox;
  QuotedText message = GetMessageLiteral(choices.mmMessage);
  QuotedText title = QuoteText(choices.edMBTitle);
  // PChar(...) turns a string expression into the PChar the call takes; a single literal needs none.
  auto asPChar = [](const QuotedText& text, bool expression) {
    return expression ? "PChar(" + text.source + ")" : text.source;
  };
  std::string call = "Application.MessageBox(" +
                     asPChar(message, choices.mmMessage.size() >= 2 || message.pieces > 1) + ", " +
                     asPChar(title, title.pieces > 1) + ", " + MessageBoxFlagsExpression(choices) + ")";
  code.statement = WithResultTest(call, choices.cbMBCheckResult, "ID_",
                                  UpperCaseAscii(RemoveSpaces(choices.edMBCheckResult)));
  return code;
}

}  // namespace

GeneratedCode GenerateCode(const MessageChoices& choices) {
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
