// vellumor-gen as scripts and editors meet it: arguments in, code or JSON out, exit status.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/wait.h>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "ChoicesJson.h"
#include "RandomChoices.h"
#include "VellumorGen.h"

using nlohmann::json;

namespace {

struct Result {
  int code;
  std::string out, err;
};

// In-process, as the fuzzer runs it.
Result Gen(std::vector<std::string> args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out, err;
  int code = vellumor::RunVellumorGen(args, in, out, err);
  return {code, out.str(), err.str()};
}

// The built program, through the shell, standard input from a file; standard error is dropped.
Result Built(const std::string& args, const std::string& input) {
  const std::string in = ::testing::TempDir() + "vellumor_input", out = ::testing::TempDir() + "vellumor_out";
  std::ofstream(in, std::ios::binary) << input;
  int status = std::system(
      (std::string(VELLUMOR_GEN_PATH) + " " + args + " <" + in + " >" + out + " 2>/dev/null").c_str());
  std::ifstream text(out, std::ios::binary);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, {std::istreambuf_iterator<char>(text), {}}, ""};
}

// A refusal: status 2, one line on standard error, nothing on standard output.
void ExpectRefused(const Result& r, const std::string& mention) {
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.out, "");
  ASSERT_FALSE(r.err.empty());
  EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
  EXPECT_NE(r.err.find(mention), std::string::npos) << r.err;
}

// The arguments, separated by | (an empty one between two |); what standard input holds; what is expected:
// the whole output, or "error: " and a part of the one error line.
struct Row {
  std::string args, input, expect;
};

std::vector<std::string> Split(const std::string& args) {
  std::vector<std::string> words;
  std::istringstream in(args);
  for (std::string word; std::getline(in, word, '|');)
    words.push_back(word);
  return words;
}

const std::string kMsg = "MessageDlg('This is a message.', mtInformation, ";
const std::string kBox = "Application.MessageBox('This is a message.', 'Information', MB_ICONINFORMATION + ";
const std::string kOk = "MB_OK + MB_DEFBUTTON1 + MB_APPLMODAL);";
const std::string kJson = "--choices|-";

}  // namespace

TEST(Cli, OptionsAndChoicesAgainstTheOutput) {
  std::string messageFile = ::testing::TempDir() + "vellumor_message.txt";
  std::ofstream(messageFile, std::ios::binary) << "first\r\nsecond\n";
  const Row rows[] = {
      {"", "", kMsg + "[mbOK], 0);"},
      {"--line|A|--line|B|--sound|--style|error|--check-result|OK", "",
       "MessageBeep(MB_ICONERROR);\nif (MessageDlg('A'\n    + #13'B', \n    mtError, [mbOK], 0) = mrOK) "
       "then "},
      {"--messagebox|--line|Delete it?|--style|confirmation|--preset|yes-no-cancel|--default|2|--modal|task"
       "|--option|topmost,rtl-reading|--option|right|--help-button|--title|Confirm|--check-result|Yes",
       "",
       "if (Application.MessageBox('Delete it?', 'Confirm', MB_ICONQUESTION + MB_YESNOCANCEL + "
       "MB_DEFBUTTON2 + MB_TASKMODAL + MB_RIGHT + MB_RTLREADING + MB_TOPMOST + MB_HELP) = ID_YES) then "},
      {"--preset|yes-no-cancel-all|--help-context|12|--check-result|Yes To All", "",
       "if (" + kMsg + "[mbCancel, mbYes, mbNo, mbYesToAll, mbNoToAll, mbHelp], 12) = mrYesToAll) then "},
      {"--buttons|retry,no-to-all|--buttons|ok", "", kMsg + "[mbOK, mbRetry, mbNoToAll], 0);"},
      {"--buttons|ok,cancel|--check-result|Cancel", "",
       "if (" + kMsg + "[mbOK, mbCancel], 0) = mrCancel) then "},
      {kJson + "|--style|warning|--message-file|" + messageFile,
       R"({"edStyle": 1, "mmMessage": ["ignored"], "cbMDCancel": true})",
       "MessageDlg('first'\n    + #13'second', \n    mtWarning, [mbOK, mbCancel], 0);"},
      {"--message-file|-", "from stdin", "MessageDlg('from stdin', mtInformation, [mbOK], 0);"},
      {"--messagebox|--message-file|-", "",
       "Application.MessageBox('', 'Information', MB_ICONINFORMATION + " + kOk},
      {kJson, R"({"mmMessage": ["a\u0000b"]})", "MessageDlg('a'#0'b', mtInformation, [mbOK], 0);"},
      // The default button: the box's own buttons, Help included.
      {"--messagebox|--default|2|--help-button", "",
       kBox + "MB_OK + MB_DEFBUTTON2 + MB_APPLMODAL + MB_HELP);"},
      {"--messagebox|--preset|yes-no-cancel|--help-button|--default|4", "",
       kBox + "MB_YESNOCANCEL + MB_DEFBUTTON4 + MB_APPLMODAL + MB_HELP);"},
      {"--messagebox|--default|1|--modal|system", "", kBox + "MB_OK + MB_DEFBUTTON1 + MB_SYSTEMMODAL);"},
      {"--messagebox|--default|2", "", "error: --default: 2 is not a button of this box (it has 1 button)"},
      {"--messagebox|--preset|yes-no-cancel|--default|4", "", "error: (it has 3 buttons)"},
      {"--default|0", "", "error: --default: 0 is not a button"},
      {"--default|5", "", "error: --default"},
      // The JSON key keeps its contract: any index, one outside the list behaves as the first.
      {kJson, R"({"PageControl1": 1, "edMBDefault": 7})", kBox + kOk},
      // Beyond the int range too; not the style 2 that a 32-bit wrap of 4294967298 would give.
      {kJson,
       R"({"edStyle": 4294967298, "PageControl1": -9223372036854775808, "edMBPreset": 18446744073709551615})",
       "Application.MessageBox('This is a message.', 'Information', MB_ICONWARNING + MB_OK + MB_DEFBUTTON1 + "
       "MB_APPLMODAL);"},
      // Captions left to the window follow its list rebuild.
      {kJson, R"({"rbMDPreset": true, "edMDPreset": 3, "cbMDCheckResult": true})",
       "if (" + kMsg + "[mbAbort, mbRetry, mbIgnore], 0) = mrAbort) then "},
      {kJson, R"({"PageControl1": 1, "edMBPreset": 2, "cbMBCheckResult": true})",
       "if (" + kBox + "MB_YESNO + MB_DEFBUTTON1 + MB_APPLMODAL) = ID_YES) then "},
      {kJson + "|--buttons||--messagebox", R"({"cbMDCheckResult": true})", kBox + kOk},
      // The help context: signed 32 bits, in JSON and as an option.
      {kJson, R"({"cbMDHelp": true, "edMDHelpContext": 2147483647})", kMsg + "[mbOK, mbHelp], 2147483647);"},
      {kJson, R"({"cbMDHelp": true, "edMDHelpContext": -2147483648})",
       kMsg + "[mbOK, mbHelp], -2147483648);"},
      {kJson, R"({"edMDHelpContext": 2147483648})",
       "error: choices key \"edMDHelpContext\": must be a whole number from -2147483648 to 2147483647"},
      {kJson, R"({"edMDHelpContext": -2147483649})", "error: from -2147483648 to 2147483647"},
      {kJson, R"({"edMDHelpContext": 18446744073709551615})", "error: from -2147483648 to 2147483647"},
      {kJson, R"({"edMDHelpContext": 1.5})", "error: \"edMDHelpContext\": expected an integer"},
      {"--help-context|2147483648", "", "error: --help-context"},
      // Bad JSON: the key and what is wrong with it.
      {kJson, R"({"edStyle": "2"})", "error: choices key \"edStyle\": expected an integer"},
      {kJson, R"({"edStyle": 2.5})", "error: \"edStyle\": expected an integer"},
      {kJson, R"({"cbMDOK": 1})", "error: \"cbMDOK\": expected true or false"},
      {kJson, R"({"edMBTitle": null})", "error: \"edMBTitle\": expected a string"},
      {kJson, R"({"edMDCheckResult": 1})", "error: \"edMDCheckResult\": expected a string"},
      {kJson, R"({"colour": 1})", "error: choices key \"colour\": unknown key"},
      {kJson, R"({"edStyle": 1, "edStyle": 2})", "error: \"edStyle\": given more than once"},
      {kJson, R"({"mmMessage": "one line"})", "error: \"mmMessage\": expected an array of strings, one per"},
      {kJson, R"({"mmMessage": ["a", 1]})", "error: \"mmMessage\": expected an array of strings"},
      {kJson, R"({"clbMBOptions": [true, true]})",
       "error: \"clbMBOptions\": expected an array of 6 booleans"},
      {kJson, R"({"clbMBOptions": [1, 0, 0, 0, 0, 0]})", "error: \"clbMBOptions\": expected an array of 6"},
      {kJson, R"({"mmMessage": [["deep"]]})", "error: \"mmMessage\": nested too deeply"},
      {kJson, "{\"mmMessage\": " + std::string(200000, '['), "error: \"mmMessage\": nested too deeply"},
      {kJson, "[1, 2]", "error: choices must be a JSON object"},
      {kJson, "{\"edStyle\": 1", "error: choices are not valid JSON: parse error"},
      {"--choices|/nonexistent/choices.json", "", "error: cannot read choices file"},
      // Bad options and choices the window would refuse.
      {"--style|purple", "",
       "error: --style: \"purple\" is not one of warning, error, information, confirmation"},
      {"--preset|ok", "", "error: --preset (MessageDlg)"},  // "ok" is a MessageBox preset
      {"--buttons|ok,maybe", "", "error: \"maybe\""},
      {"--modal|screen", "", "error: --modal"},
      {"--style|a\nb\r", "", "error: --style: \"a b \" is not one of"},  // still one line
      {"--help-context|1\n2", "", "error: --help-context = 1 2"},
      {"--option|always", "", "error: --option"},
      // A list is one value: a word after it is not taken as one more.
      {"--option|right|topmost", "", "error: not expected: topmost"},
      {"--line|a|b", "", "error: not expected: b"},
      {"--frobnicate", "", "error: frobnicate"},
      {"--messagebox|--messagedlg", "", "error: excludes"},
      {"--line|a|--message-file|x", "", "error: excludes"},
      {kJson + "|--message-file|-", "", "error: standard input"},
      {"--check-result|Cancel", "", "error: \"Cancel\" is not a button of this box (choose from \"OK\")"},
      {"--messagebox|--preset|yes-no|--check-result|yes", "", "error: \"yes\" is not a button"},
      {kJson, R"({"cbMDCheckResult": true, "edMDCheckResult": "OK) then DeleteFile('x'); if (1"})",
       "error: edMDCheckResult: \"OK) then DeleteFile('x'); if (1\" is not a button of this box"},
      {"--buttons||--sound", "", "error: no MessageDlg button"},
      {"--line|ok|--line|bad \xC3", "", "error: message line 2 is not valid UTF-8"},
      {"--messagebox|--title|\xC3(", "", "error: title"},
      // Values in braces: code with --values or the key, text without; bad braces name line or title.
      {"--values|--line|Delete {FileName}?|--line|{{sic}}", "",
       "MessageDlg('Delete ' + FileName + '?'\n    + #13'{sic}', \n    mtInformation, [mbOK], 0);"},
      {"--messagebox|--values|--title|{Application.Title}|--line|{Msg}", "",
       "Application.MessageBox(PChar(Msg), PChar(Application.Title), MB_ICONINFORMATION + " + kOk},
      {"--line|{Msg}", "", "MessageDlg('{Msg}', mtInformation, [mbOK], 0);"},
      {kJson, R"({"cbValues": true, "mmMessage": ["Size: {Size div 1024} KB"]})",
       "MessageDlg('Size: ' + Size div 1024 + ' KB', mtInformation, [mbOK], 0);"},
      {"--values|--line|ok|--line|a {b", "",
       "error: line 2, column 3: { has no closing }; write {{ for a brace"},
      {kJson, R"({"cbValues": "yes"})", "error: \"cbValues\": expected true or false"},
      {"--from-code|-", "MessageDlg('x' + Name, mtWarning, mbYesNo, 0) = 6;",
       "error: line 1, column 47: only one statement is read; this is a second one"},
      // Code read back into choices.
      {"--from-code|-", "MessageDlg('x',\n  mtCustom, [mbOK], 0);",
       "error: line 2, column 3: a custom dialog type cannot be made by the window"},
      {"--from-code|-|--json", "MessageDlg('x', mtWarning, [mbOK], 0);", "error: on its own"},
      {"--from-code|-", "MessageDlg('\xFF', mtWarning, [mbOK], 0);", "error: not valid UTF-8 (byte 13)"},
      {"--from-code|/nonexistent.pas", "", "error: cannot read code file"},
      {"--version", "", std::string("vellumor-gen ") + VELLUMOR_VERSION},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.args + " < " + row.input.substr(0, 80));
    Result r = Gen(Split(row.args), row.input);
    if (row.expect.starts_with("error: ")) {
      ExpectRefused(r, row.expect.substr(7));
    } else {
      EXPECT_EQ(r.code, 0) << r.err;
      EXPECT_EQ(r.out, row.expect + "\n");
      EXPECT_EQ(r.err, "");
    }
  }
}

TEST(Cli, JsonHasBothCallsParametersAndTheActivePagesCode) {
  Result r = Gen({"--choices", "-", "--json"},
                 R"({"mmMessage": ["It's", "", "done"], "cbMDSound": true, "edStyle": 3, "PageControl1": 0,
                     "clbMBOptions": [false, false, false, false, true, false]})");
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(json::parse(r.out), json::parse(R"({"dialogType": 3, "buttonSet": 4, "messageBoxFlags": 262176,
    "previewText": "It's\r\rdone", "previewTitle": "Information", "messageLiteral": "'It''s' + #13#13'done'",
    "statement": "MessageDlg('It''s' + #13#13'done', mtConfirmation, [mbOK], 0);",
    "beepLine": "MessageBeep(MB_ICONQUESTION);",
    "codeLines": ["MessageDlg('It''s'", "    + #13#13'done', ", "    mtConfirmation, [mbOK], 0);"],
    "clipboardText": "MessageBeep(MB_ICONQUESTION);\r\nMessageDlg('It''s'\r\n    + #13#13'done', \r\n    mtConfirmation, [mbOK], 0);"})"));

  // The MessageDlg values are there on the MessageBox page too; no lines: an empty preview, but a
  // literal that compiles.
  json j = json::parse(Gen({"--json", "--messagebox", "--sound", "--message-file", "-"}).out);
  EXPECT_EQ(json::array({j["beepLine"], j["dialogType"], j["codeLines"].size(), j["previewText"],
                         j["messageLiteral"]}),
            json::parse(R"([null, 2, 1, "", "''"])"));
  // With values: the preview shows them in braces, the literal is the expression.
  j = json::parse(
      Gen({"--json", "--values", "--messagebox", "--line", "a {B}}}", "--title", "{{T}} {U}"}).out);
  EXPECT_EQ(json::array({j["previewText"], j["previewTitle"], j["messageLiteral"]}),
            json::parse(R"(["a {B}}", "{T} {U}", "'a ' + B + '}'"])"));
}

// The option list itself is the parser's; only that help is there and succeeds is ours.
TEST(Cli, HelpListsTheOptions) {
  Result r = Gen({"--help"});
  EXPECT_EQ(r.code, 0);
  EXPECT_NE(r.out.find("--from-code"), std::string::npos);
}

TEST(Cli, LargeInputIsWrittenWhole) {
  json many = {{"mmMessage", json::array()}};
  for (int i = 0; i < 20000; ++i)
    many["mmMessage"].push_back(std::string(i % 300, '\''));
  Result r = Gen({"--choices", "-", "--json"}, many.dump());
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(json::parse(r.out).contains("clipboardText"));
}

TEST(CliProgram, TheBuiltCommandReadsStandardInputAndSetsItsStatus) {
  Result r = Built("--choices -", R"({"PageControl1": 1, "mmMessage": ["A", "B"]})");
  EXPECT_EQ(std::to_string(r.code) + r.out,
            "0Application.MessageBox(PChar('A'\n    + #13'B'), 'Information', \n"
            "    MB_ICONINFORMATION + MB_OK + MB_DEFBUTTON1 + MB_APPLMODAL);\n");
  r = Built("--style nope", "");
  EXPECT_EQ(std::to_string(r.code) + r.out, "2");
}

namespace {

// Human options, each given or not with one of its values; some combinations are refused up front.
std::vector<std::string> RandomOptions(std::mt19937& rng) {
  static const char* options[] = {
      "--messagebox",
      "--help-button",
      "--sound",
      "--style|warning|error|information|confirmation",
      "--preset|ok-cancel|yes-no-cancel|yes-no-cancel-all|abort-retry-ignore|abort-ignore|ok|yes-no|retry-"
      "cancel",
      "--help-context|0|12|-7|2147483647|-2147483648",
      "--check-result|OK|Cancel|Yes|No|Abort|Retry|Ignore|All|Yes To All|No To All",
      "--default|1|2|3|4",
      "--modal|application|system|task",
      "--option|default-desktop-only|right|rtl-reading|set-foreground|topmost|service-notification",
  };
  std::vector<std::string> args;
  for (const char* option : options) {
    auto words = Split(option);
    if (rng() % 3) continue;
    args.push_back(words[0]);
    if (words.size() > 1) args.push_back(words[1 + rng() % (words.size() - 1)]);
  }
  std::string buttons;
  for (const auto& word : Split("ok|cancel|yes|no|abort|retry|ignore|all|yes-to-all|no-to-all"))
    if (rng() % 3 == 0) buttons += (buttons.empty() ? "" : ",") + word;
  if (rng() % 3 == 0) args.insert(args.end(), {"--buttons", buttons});
  if (rng() % 3 == 0) args.insert(args.end(), {"--title", gentest::RandomText(rng, false)});
  for (int n = static_cast<int>(rng() % 4); n > 0; --n)
    args.insert(args.end(), {"--line", gentest::RandomText(rng, false)});
  return args;
}

}  // namespace

TEST(CliProperties, WhatIsPrintedReadsBackIntoChoicesThatPrintTheSame) {
  std::mt19937 rng(42);
  int printed = 0;
  for (int round = 0; round < 600; ++round) {
    const bool human = round % 2 == 0;
    const auto args = human ? RandomOptions(rng) : Split(kJson);
    // Every fourth round with values.
    const bool values = round % 4 == 1;
    const std::string input = human ? ""
                                    : vellumor::ChoicesToJson(values ? gentest::RandomValueChoices(rng)
                                                                     : gentest::RandomChoices(rng, true))
                                          .dump();
    Result first = Gen(args, input);
    std::string shown;
    for (const auto& arg : args)
      shown += " [" + arg + "]";
    SCOPED_TRACE(shown + " < " + input + "\n" + first.out);
    if (first.code != 0) {
      // Only options may be refused; choices the window could hold never are.
      EXPECT_TRUE(human) << first.err;
      ExpectRefused(first, "");
      continue;
    }
    ++printed;
    Result read = Gen({"--from-code", "-"}, first.out);
    ASSERT_EQ(read.code, 0) << read.err;
    EXPECT_TRUE(read.out.starts_with("{\n  \"PageControl1\": ")) << read.out;  // keys sorted, indented by 2
    EXPECT_EQ(json::parse(read.out).size(), 29u);                              // every key --choices reads
    EXPECT_TRUE(!values || json::parse(read.out)["cbValues"] == true) << read.out;
    Result again = Gen({"--choices", "-"}, read.out);
    ASSERT_EQ(again.code, 0) << again.err;
    EXPECT_EQ(again.out, first.out);
  }
  EXPECT_GT(printed, 400);
}

TEST(Cli, NumbersNoTypeHoldsAreRefusedNamingTheirKey) {
  // Too large for a double, or for any integer type: the JSON library's own range errors.
  for (const std::string number : {"1e999", "-1e999", "18446744073709551616", "-9223372036854775809"}) {
    const std::pair<std::string, std::string> places[] = {
        {number, "choices"},
        {"{\"edStyle\": " + number + "}", "\"edStyle\""},
        {"{\"edMDHelpContext\": " + number + "}", "\"edMDHelpContext\""},
        {"{\"cbMDOK\": " + number + "}", "\"cbMDOK\""},
        {"{\"edMBTitle\": " + number + "}", "\"edMBTitle\""},
        {"{\"mmMessage\": [\"a\", " + number + "]}", "\"mmMessage\""},
        {"{\"clbMBOptions\": [true, " + number + ", false, false, false, false]}", "\"clbMBOptions\""},
    };
    for (const auto& [input, key] : places) {
      SCOPED_TRACE(input);
      ExpectRefused(Gen(Split(kJson), input), key);
    }
  }
}
