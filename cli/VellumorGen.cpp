#include "VellumorGen.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>

#include "ChoiceLists.h"
#include "ChoicesJson.h"
#include "CodeLayout.h"
#include "CodeReader.h"
#include "Utf8.h"

namespace vellumor {

namespace {

constexpr int kBadInput = 2;

// One line on standard error, whatever line breaks the input echoed in the message holds.
int Refuse(std::ostream& err, std::string what) {
  for (char& c : what)
    if (c == '\n' || c == '\r') c = ' ';
  err << "vellumor-gen: error: " << what << "\n";
  return kBadInput;
}

std::string ReadAll(const std::string& path, std::istream& in, const std::string& what) {
  if (path == "-") return std::string(std::istreambuf_iterator<char>(in), {});
  std::ifstream file(path, std::ios::binary);
  if (!file) throw InputError("cannot read " + what + " \"" + path + "\"");
  std::string text((std::istreambuf_iterator<char>(file)), {});
  if (file.bad()) throw InputError("cannot read " + what + " \"" + path + "\"");
  return text;
}

// Option words: lower case with hyphens, in the order of the window's lists.
const std::vector<std::string> kStyles{"warning", "error", "information", "confirmation"};
const std::vector<std::string> kMDPresets{"ok-cancel", "yes-no-cancel", "yes-no-cancel-all",
                                          "abort-retry-ignore", "abort-ignore"};
const std::vector<std::string> kMBPresets{"ok",           "ok-cancel",     "yes-no",
                                          "retry-cancel", "yes-no-cancel", "abort-retry-ignore"};
const std::vector<std::string> kModalities{"application", "system", "task"};
const std::vector<std::string> kOptions{"default-desktop-only", "right",   "rtl-reading",
                                        "set-foreground",       "topmost", "service-notification"};

std::string Join(const std::vector<std::string>& words) {
  std::string out;
  for (const auto& w : words)
    out += (out.empty() ? "" : ", ") + w;
  return out;
}

int IndexOf(const std::vector<std::string>& words, const std::string& word, const std::string& option) {
  auto it = std::find(words.begin(), words.end(), word);
  if (it == words.end()) throw InputError(option + ": \"" + word + "\" is not one of " + Join(words));
  return static_cast<int>(it - words.begin());
}

// "yes-to-all" -> the box of "Yes To All".
bool MessageChoices::*ButtonBox(const std::string& word) {
  for (const auto& button : MessageDlgButtons()) {
    if (!button.box) continue;
    std::string name;
    for (char c : button.caption)
      name += c == ' ' ? '-' : static_cast<char>(std::tolower(c));
    if (name == word) return button.box;
  }
  throw InputError("--buttons: \"" + word +
                   "\" is not one of ok, cancel, yes, no, abort, retry, ignore, all, yes-to-all, no-to-all");
}

std::vector<std::string> SplitCommas(const std::vector<std::string>& values) {
  std::vector<std::string> words;
  for (const auto& value : values) {
    std::stringstream stream(value);
    for (std::string word; std::getline(stream, word, ',');)
      if (!word.empty()) words.push_back(word);
  }
  return words;
}

struct Options {
  std::string choicesFile;
  bool json = false;
  bool messageDlg = false;
  bool messageBox = false;
  std::string style;
  std::string preset;
  std::vector<std::string> buttons;
  bool helpButton = false;
  std::optional<std::int32_t> helpContext;
  std::optional<std::string> checkResult;
  bool sound = false;
  bool values = false;
  std::optional<std::string> title;
  std::optional<int> defaultButton;
  // CLI11 writes into plain values; the ones given are moved into the optionals above.
  std::int32_t helpContextValue = 0;
  std::string checkResultValue, titleValue;
  int defaultButtonValue = 1;
  std::string modal;
  std::vector<std::string> options;
  std::vector<std::string> lines;
  std::string messageFile;
  std::string fromCode;
};

void Apply(const Options& o, std::istream& in, MessageChoices& c, GivenCaptions& given) {
  if (!o.choicesFile.empty()) ReadChoicesJson(ReadAll(o.choicesFile, in, "choices file"), c, given);
  if (o.messageDlg) c.PageControl1 = 0;
  if (o.messageBox) c.PageControl1 = 1;
  bool md = CallKindOf(c) == CallKind::MessageDlg;
  if (!o.style.empty()) c.edStyle = IndexOf(kStyles, o.style, "--style");
  if (!o.preset.empty()) {
    if (md) {
      c.rbMDPreset = true;
      c.edMDPreset = IndexOf(kMDPresets, o.preset, "--preset (MessageDlg)");
    } else {
      c.edMBPreset = IndexOf(kMBPresets, o.preset, "--preset (MessageBox)");
    }
  }
  if (!o.buttons.empty()) {
    c.rbMDPreset = false;
    for (const auto& button : MessageDlgButtons())
      if (button.box) c.*button.box = false;
    for (const auto& word : SplitCommas(o.buttons))
      c.*ButtonBox(word) = true;
  }
  if (o.helpButton) (md ? c.cbMDHelp : c.cbMBHelp) = true;
  if (o.helpContext) {
    c.cbMDHelp = true;
    c.edMDHelpContext = *o.helpContext;
  }
  if (o.checkResult) {
    (md ? c.cbMDCheckResult : c.cbMBCheckResult) = true;
    (md ? c.edMDCheckResult : c.edMBCheckResult) = *o.checkResult;
    (md ? given.md : given.mb) = true;
  }
  if (o.sound) c.cbMDSound = true;
  if (o.values) c.cbValues = true;
  if (o.title) c.edMBTitle = *o.title;
  if (o.defaultButton) {
    // As for a result caption: only a button the window's list offers, never a flag the window
    // could not set.
    size_t count = MBDefaultItems(c.edMBPreset, c.cbMBHelp).size();
    if (*o.defaultButton < 1 || static_cast<size_t>(*o.defaultButton) > count)
      throw InputError("--default: " + std::to_string(*o.defaultButton) +
                       " is not a button of this box (it has " + std::to_string(count) +
                       (count == 1 ? " button)" : " buttons)"));
    c.edMBDefault = *o.defaultButton - 1;
  }
  if (!o.modal.empty()) c.edMBModal = IndexOf(kModalities, o.modal, "--modal");
  for (const auto& word : SplitCommas(o.options))
    c.clbMBOptions[static_cast<size_t>(IndexOf(kOptions, word, "--option"))] = true;
  if (!o.lines.empty()) c.mmMessage = o.lines;
  if (!o.messageFile.empty()) c.mmMessage = SplitMessageLines(ReadAll(o.messageFile, in, "message file"));
}

const char* kFooter = R"(
Choices start from the window's start-up state; --choices reads them from a JSON object whose
keys are the window's control names (see the README), and the options above override it.
--preset, --help-button and --check-result apply to the page in effect (--messagedlg is the
default); the other options belong to one page and apply to it whichever page is in effect.

Output: the code Create copies, one line per output line; with --json, one object with
dialogType, buttonSet, messageBoxFlags, previewText, previewTitle, messageLiteral, statement, beepLine,
codeLines and clipboardText. Exit status: 0 on success, 2 on bad input.

Examples:
  vellumor-gen --line "File saved." --style information
  vellumor-gen --messagebox --line "Delete it?" --preset yes-no --check-result Yes --title Confirm
  vellumor-gen --values --line "Delete {FileName}?" --preset ok-cancel --check-result OK
  vellumor-gen --choices saved.json --json
  vellumor-gen --from-code old.pas | vellumor-gen --choices -)";

}  // namespace

int RunVellumorGen(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err) {
  CLI::App app{"vellumor-gen: writes the Delphi statement that shows a message box.", "vellumor-gen"};
  app.footer(kFooter);
  app.get_formatter()->column_width(34);
  Options o;
  app.add_option("--choices", o.choicesFile, "Read choices from a JSON file (- for standard input)");
  app.set_version_flag("--version", std::string("vellumor-gen ") + VELLUMOR_VERSION, "Print the version");
  app.add_flag("--json", o.json, "Print the result as one JSON object");
  auto* mdFlag = app.add_flag("--messagedlg", o.messageDlg, "Write a MessageDlg call");
  app.add_flag("--messagebox", o.messageBox, "Write an Application.MessageBox call")->excludes(mdFlag);
  app.add_option("--style", o.style, "warning, error, information or confirmation");
  app.add_option("--preset", o.preset,
                 "MessageDlg: ok-cancel, yes-no-cancel, yes-no-cancel-all, abort-retry-ignore, "
                 "abort-ignore; MessageBox: ok, ok-cancel, yes-no, retry-cancel, yes-no-cancel, "
                 "abort-retry-ignore");
  app.add_option("--buttons", o.buttons,
                 "MessageDlg buttons, comma-separated: ok, cancel, yes, no, abort, retry, ignore, all, "
                 "yes-to-all, no-to-all")
      ->allow_extra_args(false);
  app.add_flag("--help-button", o.helpButton, "Add a Help button");
  app.add_option("--help-context", o.helpContextValue, "MessageDlg: Help button with this help context");
  app.add_option("--check-result", o.checkResultValue,
                 "Test the result against this button caption, e.g. \"Yes To All\"");
  app.add_flag("--sound", o.sound, "MessageDlg: play the style's sound first (MessageBeep)");
  app.add_option("--title", o.titleValue, "MessageBox: the title");
  app.add_option("--default", o.defaultButtonValue,
                 "MessageBox: the default button, 1 to the number of buttons (Help counts)");
  app.add_option("--modal", o.modal, "MessageBox: application, system or task");
  app.add_option("--option", o.options,
                 "MessageBox options, comma-separated or repeated: default-desktop-only, right, "
                 "rtl-reading, set-foreground, topmost, service-notification")
      ->allow_extra_args(false);
  app.add_flag("--values", o.values,
               "{expression} in the message and title is Delphi code; {{ and }} are braces");
  auto* lineOpt =
      app.add_option("--line", o.lines, "One message line (repeat for more lines)")->allow_extra_args(false);
  app.add_option("--message-file", o.messageFile, "Read the message lines from a file (- for standard input)")
      ->excludes(lineOpt);

  auto* fromCode = app.add_option("--from-code", o.fromCode,
                                  "Read one MessageDlg or Application.MessageBox statement (- for standard "
                                  "input) and print the choices JSON that writes it");

  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return 0;
  } catch (const CLI::CallForVersion& e) {
    out << e.what() << "\n";
    return 0;
  } catch (const CLI::ParseError& e) {
    return Refuse(err, e.what());
  }

  if (app.count("--help-context")) o.helpContext = o.helpContextValue;
  if (app.count("--check-result")) o.checkResult = o.checkResultValue;
  if (app.count("--title")) o.title = o.titleValue;
  if (app.count("--default")) o.defaultButton = o.defaultButtonValue;

  try {
    if (fromCode->count()) {
      if (args.size() != 2) throw InputError("--from-code is used on its own");
      std::string code = ReadAll(o.fromCode, in, "code file");
      if (size_t bad = FirstInvalidUtf8(code); bad != std::string::npos)
        throw InputError("the code is not valid UTF-8 (byte " + std::to_string(bad + 1) + ")");
      MessageChoices choices = ReadCode(code);
      out << ChoicesToJson(choices).dump(2) << "\n";
      out.flush();
      return 0;
    }
    if (o.choicesFile == "-" && o.messageFile == "-")
      throw InputError("--choices and --message-file cannot both read standard input");
    MessageChoices choices;
    GivenCaptions given;
    Apply(o, in, choices, given);
    SettleChoices(choices, given);
    if (o.json) {
      out << ResultJson(choices).dump(2) << "\n";
    } else {
      for (const auto& line : GetClipboardLines(GenerateCode(choices)))
        out << line << "\n";
    }
    out.flush();
    return 0;
  } catch (const InputError& e) {
    return Refuse(err, e.what());
  } catch (const CodeReadError& e) {
    return Refuse(err, e.what());
  } catch (const ValueError& e) {
    return Refuse(err, e.what());
  } catch (const nlohmann::json::exception& e) {
    // Whatever else the JSON library raises is bad input too, never an abort.
    return Refuse(err, std::string("choices: ") + e.what());
  } catch (const std::bad_alloc&) {
    err << "vellumor-gen: error: out of memory\n";
    return 1;
  }
}

}  // namespace vellumor
