// vellumor-gen as scripts and editors meet it: arguments in, code or JSON out, exit status.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/wait.h>
#include <cstdio>
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
  std::string path = ::testing::TempDir() + "vellumor_input";
  std::ofstream(path, std::ios::binary) << input;
  FILE* pipe =
      popen((std::string(VELLUMOR_GEN_PATH) + " " + args + " < " + path + " 2>/dev/null").c_str(), "r");
  if (!pipe) return {-1, "", "popen failed"};
  std::string out;
  char buffer[256];
  while (size_t n = fread(buffer, 1, sizeof buffer, pipe))
    out.append(buffer, n);
  int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out, ""};
}

// A refusal: status 2, one line on standard error, nothing on standard output.
void ExpectRefused(const Result& r, const std::string& mention) {
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.out, "");
  ASSERT_FALSE(r.err.empty());
  EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
  EXPECT_NE(r.err.find(mention), std::string::npos) << r.err;
}

// The arguments, then optionally "<" and what standard input holds; what is expected: the whole
// output, or "error: " and a part of the one error line.
struct Row {
  std::vector<std::string> args;
  std::string expect;
};

const std::string kMsg = "MessageDlg('This is a message.', mtInformation, ";
const std::string kBox = "Application.MessageBox('This is a message.', 'Information', MB_ICON";
const std::string kJson = "--choices";

}  // namespace

TEST(Cli, OptionsAndChoicesAgainstTheOutput) {
  std::string messageFile = ::testing::TempDir() + "vellumor_message.txt";
  std::ofstream(messageFile, std::ios::binary) << "first\r\nsecond\n";
  const Row rows[] = {
      {{}, kMsg + "[mbOK], 0);\n"},
      {{"--line", "A", "--line", "B", "--sound", "--style", "error", "--check-result", "OK"},
       "MessageBeep(MB_ICONERROR);\nif (MessageDlg('A'\n    + #13'B', \n    mtError, [mbOK], 0) = mrOK) then "
       "\n"},
      {{"--messagebox",        "--line",    "Delete it?", "--style",       "confirmation", "--preset",
        "yes-no-cancel",       "--default", "2",          "--modal",       "task",         "--option",
        "topmost,rtl-reading", "--option",  "right",      "--help-button", "--title",      "Confirm",
        "--check-result",      "Yes"},
       "if (Application.MessageBox('Delete it?', 'Confirm', MB_ICONQUESTION + MB_YESNOCANCEL + MB_DEFBUTTON2 "
       "+ "
       "MB_TASKMODAL + MB_RIGHT + MB_RTLREADING + MB_TOPMOST + MB_HELP) = ID_YES) then \n"},
      {{"--preset", "yes-no-cancel-all", "--help-context", "12", "--check-result", "Yes To All"},
       "if (" + kMsg + "[mbCancel, mbYes, mbNo, mbYesToAll, mbNoToAll, mbHelp], 12) = mrYesToAll) then \n"},
      {{"--buttons", "retry,no-to-all", "--buttons", "ok"}, kMsg + "[mbOK, mbRetry, mbNoToAll], 0);\n"},
      {{"--buttons", "ok,cancel", "--check-result", "Cancel"},
       "if (" + kMsg + "[mbOK, mbCancel], 0) = mrCancel) then \n"},
      {{kJson, "-", "--style", "warning", "--message-file", messageFile, "<",
        R"({"edStyle": 1, "mmMessage": ["ignored"], "cbMDCancel": true})"},
       "MessageDlg('first'\n    + #13'second', \n    mtWarning, [mbOK, mbCancel], 0);\n"},
      {{"--message-file", "-", "<", "from stdin"}, "MessageDlg('from stdin', mtInformation, [mbOK], 0);\n"},
      {{"--message-file", "-", "<", ""}, "MessageDlg('', mtInformation, [mbOK], 0);\n"},
      {{"--messagebox", "--message-file", "-", "<", ""},
       "Application.MessageBox('', 'Information', MB_ICONINFORMATION + MB_OK + MB_DEFBUTTON1 + "
       "MB_APPLMODAL);\n"},
      {{kJson, "-", "<", "{\"mmMessage\": [\"a\\u0000b\"]}"},
       "MessageDlg('a'#0'b', mtInformation, [mbOK], 0);\n"},
      // The default button: the box's own buttons, Help included.
      {{"--messagebox", "--default", "2", "--help-button"},
       kBox + "INFORMATION + MB_OK + MB_DEFBUTTON2 + MB_APPLMODAL + MB_HELP);\n"},
      {{"--messagebox", "--preset", "yes-no-cancel", "--help-button", "--default", "4"},
       kBox + "INFORMATION + MB_YESNOCANCEL + MB_DEFBUTTON4 + MB_APPLMODAL + MB_HELP);\n"},
      {{"--messagebox", "--default", "1", "--modal", "system"},
       kBox + "INFORMATION + MB_OK + MB_DEFBUTTON1 + MB_SYSTEMMODAL);\n"},
      {{"--messagebox", "--default", "2"},
       "error: --default: 2 is not a button of this box (it has 1 button)"},
      {{"--messagebox", "--preset", "yes-no-cancel", "--default", "4"}, "error: (it has 3 buttons)"},
      {{"--default", "0"}, "error: --default: 0 is not a button"},
      {{"--default", "5"}, "error: --default"},
      // The JSON key keeps its contract: any index, one outside the list behaves as the first.
      {{kJson, "-", "<", R"({"PageControl1": 1, "edMBDefault": 7})"},
       kBox + "INFORMATION + MB_OK + MB_DEFBUTTON1 + MB_APPLMODAL);\n"},
      // Beyond the int range too; not the style 2 that a 32-bit wrap of 4294967298 would give.
      {{kJson, "-", "<",
        R"({"edStyle": 4294967298, "PageControl1": -9223372036854775808, "edMBPreset": 18446744073709551615})"},
       kBox + "WARNING + MB_OK + MB_DEFBUTTON1 + MB_APPLMODAL);\n"},
      // Captions left to the window follow its list rebuild.
      {{kJson, "-", "<", R"({"rbMDPreset": true, "edMDPreset": 3, "cbMDCheckResult": true})"},
       "if (" + kMsg + "[mbAbort, mbRetry, mbIgnore], 0) = mrAbort) then \n"},
      {{kJson, "-", "<", R"({"PageControl1": 1, "edMBPreset": 2, "cbMBCheckResult": true})"},
       "if (" + kBox + "INFORMATION + MB_YESNO + MB_DEFBUTTON1 + MB_APPLMODAL) = ID_YES) then \n"},
      {{kJson, "-", "--messagebox", "--buttons", "", "<", R"({"cbMDCheckResult": true})"},
       kBox + "INFORMATION + MB_OK + MB_DEFBUTTON1 + MB_APPLMODAL);\n"},
      // The help context: signed 32 bits, in JSON and as an option.
      {{kJson, "-", "<", R"({"cbMDHelp": true, "edMDHelpContext": 2147483647})"},
       kMsg + "[mbOK, mbHelp], 2147483647);\n"},
      {{kJson, "-", "<", R"({"cbMDHelp": true, "edMDHelpContext": -2147483648})"},
       kMsg + "[mbOK, mbHelp], -2147483648);\n"},
      {{kJson, "-", "<", R"({"edMDHelpContext": 2147483648})"},
       "error: choices key \"edMDHelpContext\": must be a whole number from -2147483648 to 2147483647"},
      {{kJson, "-", "<", R"({"edMDHelpContext": -2147483649})"}, "error: from -2147483648 to 2147483647"},
      {{kJson, "-", "<", R"({"edMDHelpContext": 18446744073709551615})"},
       "error: from -2147483648 to 2147483647"},
      {{kJson, "-", "<", R"({"edMDHelpContext": 1.5})"},
       "error: choices key \"edMDHelpContext\": expected an integer"},
      {{"--help-context", "2147483648"}, "error: --help-context"},
      // Bad JSON: the key and what is wrong with it.
      {{kJson, "-", "<", R"({"edStyle": "2"})"}, "error: choices key \"edStyle\": expected an integer"},
      {{kJson, "-", "<", R"({"edStyle": 2.5})"}, "error: choices key \"edStyle\": expected an integer"},
      {{kJson, "-", "<", R"({"cbMDOK": 1})"}, "error: choices key \"cbMDOK\": expected true or false"},
      {{kJson, "-", "<", R"({"edMBTitle": null})"}, "error: choices key \"edMBTitle\": expected a string"},
      {{kJson, "-", "<", R"({"edMDCheckResult": 1})"},
       "error: choices key \"edMDCheckResult\": expected a string"},
      {{kJson, "-", "<", R"({"colour": 1})"}, "error: choices key \"colour\": unknown key"},
      {{kJson, "-", "<", R"({"edStyle": 1, "edStyle": 2})"},
       "error: choices key \"edStyle\": given more than once"},
      {{kJson, "-", "<", R"({"mmMessage": "one line"})"},
       "error: choices key \"mmMessage\": expected an array of strings, one per message line"},
      {{kJson, "-", "<", R"({"mmMessage": ["a", 1]})"},
       "error: choices key \"mmMessage\": expected an array of strings"},
      {{kJson, "-", "<", R"({"clbMBOptions": [true, true]})"},
       "error: choices key \"clbMBOptions\": expected an array of 6 booleans"},
      {{kJson, "-", "<", R"({"clbMBOptions": [1, 0, 0, 0, 0, 0]})"},
       "error: \"clbMBOptions\": expected an array of 6"},
      {{kJson, "-", "<", R"({"mmMessage": [["deep"]]})"},
       "error: choices key \"mmMessage\": nested too deeply"},
      {{kJson, "-", "<", "{\"mmMessage\": " + std::string(200000, '[')},
       "error: \"mmMessage\": nested too deeply"},
      {{kJson, "-", "<", "[1, 2]"}, "error: choices must be a JSON object"},
      {{kJson, "-", "<", "{\"edStyle\": 1"}, "error: choices are not valid JSON: parse error"},
      {{kJson, "/nonexistent/choices.json"}, "error: cannot read choices file"},
      // Bad options and choices the window would refuse.
      {{"--style", "purple"},
       "error: --style: \"purple\" is not one of warning, error, information, confirmation"},
      {{"--preset", "ok"}, "error: --preset (MessageDlg)"},  // "ok" is a MessageBox preset
      {{"--buttons", "ok,maybe"}, "error: \"maybe\""},
      {{"--modal", "screen"}, "error: --modal"},
      {{"--style", "a\nb\r"}, "error: --style: \"a b \" is not one of"},  // still one line
      {{"--help-context", "1\n2"}, "error: --help-context = 1 2"},
      {{"--option", "always"}, "error: --option"},
      // A list is one value: a word after it is not taken as one more.
      {{"--option", "right", "topmost"}, "error: not expected: topmost"},
      {{"--line", "a", "b"}, "error: not expected: b"},
      {{"--frobnicate"}, "error: frobnicate"},
      {{"--messagebox", "--messagedlg"}, "error: excludes"},
      {{"--line", "a", "--message-file", "x"}, "error: excludes"},
      {{kJson, "-", "--message-file", "-"}, "error: standard input"},
      {{"--check-result", "Cancel"}, "error: \"Cancel\" is not a button of this box (choose from \"OK\")"},
      {{"--messagebox", "--preset", "yes-no", "--check-result", "yes"}, "error: \"yes\" is not a button"},
      {{kJson, "-", "<",
        R"({"cbMDCheckResult": true, "edMDCheckResult": "OK) then DeleteFile('x'); if (1"})"},
       "error: edMDCheckResult: \"OK) then DeleteFile('x'); if (1\" is not a button of this box"},
      {{"--buttons", ""}, "error: no MessageDlg button"},
      {{"--line", "ok", "--line", "bad \xC3"}, "error: message line 2 is not valid UTF-8"},
      {{"--messagebox", "--title", "\xC3("}, "error: title"},
      // Code read back into choices.
      {{"--from-code", "-", "<", "MessageDlg('x',\n  mtCustom, [mbOK], 0);"},
       "error: line 2, column 3: a custom dialog type cannot be made by the window"},
      {{"--from-code", "-", "--json", "<", "MessageDlg('x', mtWarning, [mbOK], 0);"}, "error: on its own"},
      {{"--from-code", "-", "<", "MessageDlg('\xFF', mtWarning, [mbOK], 0);"},
       "error: not valid UTF-8 (byte 13)"},
      {{"--from-code", "/nonexistent.pas"}, "error: cannot read code file"},
  };
  for (const Row& row : rows) {
    auto args = row.args;
    std::string input;
    if (args.size() >= 2 && args[args.size() - 2] == "<") {
      input = args.back();
      args.resize(args.size() - 2);
    }
    std::string shown;
    for (const auto& arg : args)
      shown += " [" + arg + "]";
    SCOPED_TRACE(shown + " < " + input.substr(0, 80));
    Result r = Gen(args, input);
    if (row.expect.starts_with("error: ")) {
      ExpectRefused(r, row.expect.substr(7));
    } else {
      EXPECT_EQ(r.code, 0) << r.err;
      EXPECT_EQ(r.out, row.expect);
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
    "previewText": "It's\r\rdone", "messageLiteral": "'It''s' + #13#13'done'",
    "statement": "MessageDlg('It''s' + #13#13'done', mtConfirmation, [mbOK], 0);",
    "beepLine": "MessageBeep(MB_ICONQUESTION);",
    "codeLines": ["MessageDlg('It''s'", "    + #13#13'done', ", "    mtConfirmation, [mbOK], 0);"],
    "clipboardText": "MessageBeep(MB_ICONQUESTION);\r\nMessageDlg('It''s'\r\n    + #13#13'done', \r\n    mtConfirmation, [mbOK], 0);"})"));

  r = Gen({"--json", "--messagebox", "--sound", "--message-file", "-"});
  json j = json::parse(r.out);
  EXPECT_TRUE(j["beepLine"].is_null());
  EXPECT_EQ(j["dialogType"], 2);  // the MessageDlg values are there on the MessageBox page too
  EXPECT_EQ(j["codeLines"].size(), 1u);
  EXPECT_EQ(j["previewText"], "");  // no lines: an empty preview, but a literal that compiles
  EXPECT_EQ(j["messageLiteral"], "''");
}

// The option list itself is the parser's; only that help is there and succeeds is ours.
TEST(Cli, HelpListsTheOptionsAndVersionIsTheProjects) {
  Result r = Gen({"--help"});
  EXPECT_EQ(r.code, 0);
  EXPECT_NE(r.out.find("--from-code"), std::string::npos);
  r = Gen({"--version"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, std::string("vellumor-gen ") + VELLUMOR_VERSION + "\n");
}

TEST(Cli, LargeInputIsWrittenWhole) {
  json many = json::object();
  many["mmMessage"] = json::array();
  for (int i = 0; i < 20000; ++i)
    many["mmMessage"].push_back(std::string(i % 300, '\''));
  Result r = Gen({"--choices", "-", "--json"}, many.dump());
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(json::parse(r.out).contains("clipboardText"));
}

TEST(CliProgram, TheBuiltCommandReadsStandardInputAndSetsItsStatus) {
  Result r = Built("--choices -", R"({"PageControl1": 1, "mmMessage": ["A", "B"]})");
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out,
            "Application.MessageBox(PChar('A'\n    + #13'B'), 'Information', \n"
            "    MB_ICONINFORMATION + MB_OK + MB_DEFBUTTON1 + MB_APPLMODAL);\n");
  r = Built("--style nope", "");
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.out, "");
}

TEST(CliFromCode, ReadsCodeBackIntoChoicesThatWriteItAgain) {
  const std::string code =
      "MessageBeep(MB_ICONERROR);\nif (MessageDlg('Disk full.'\n    + #13'Retry?', \n"
      "    mtError, [mbCancel, mbRetry], 0) = mrRetry) then \n";
  Result read = Gen({"--from-code", "-"}, code);
  ASSERT_EQ(read.code, 0) << read.err;
  EXPECT_EQ(read.out.substr(0, 22), "{\n  \"PageControl1\": 0,");  // keys sorted, indented by 2
  json choices = json::parse(read.out);
  EXPECT_EQ(choices.size(), 28u);  // every key --choices reads
  EXPECT_EQ(choices["mmMessage"], json::array({"Disk full.", "Retry?"}));
  Result again = Gen({"--choices", "-"}, read.out);
  ASSERT_EQ(again.code, 0) << again.err;
  EXPECT_EQ(again.out, code);
}

namespace {

std::string Pick(std::mt19937& rng, const std::vector<std::string>& words) {
  return words[rng() % words.size()];
}

// Human options, each given or not; some combinations are refused up front.
std::vector<std::string> RandomOptions(std::mt19937& rng) {
  std::vector<std::string> args;
  auto maybe = [&](std::initializer_list<std::string> option) {
    if (rng() % 3 == 0) args.insert(args.end(), option);
  };
  if (rng() % 2) args.push_back("--messagebox");
  maybe({"--style", Pick(rng, {"warning", "error", "information", "confirmation"})});
  maybe({"--preset", Pick(rng, {"ok-cancel", "yes-no-cancel", "yes-no-cancel-all", "abort-retry-ignore",
                                "abort-ignore", "ok", "yes-no", "retry-cancel"})});
  if (rng() % 3 == 0) {
    std::string buttons;
    for (const char* word :
         {"ok", "cancel", "yes", "no", "abort", "retry", "ignore", "all", "yes-to-all", "no-to-all"})
      if (rng() % 3 == 0) buttons += std::string(buttons.empty() ? "" : ",") + word;
    args.insert(args.end(), {"--buttons", buttons});
  }
  maybe({"--help-button"});
  maybe({"--help-context", std::to_string(static_cast<std::int32_t>(rng()))});
  maybe({"--check-result", Pick(rng, {"OK", "Cancel", "Yes", "No", "Abort", "Retry", "Ignore", "All",
                                      "Yes To All", "No To All"})});
  maybe({"--sound"});
  maybe({"--title", gentest::RandomText(rng, false)});
  maybe({"--default", std::to_string(1 + rng() % 4)});
  maybe({"--modal", Pick(rng, {"application", "system", "task"})});
  maybe({"--option", Pick(rng, {"default-desktop-only", "right", "rtl-reading", "set-foreground", "topmost",
                                "service-notification"})});
  for (int n = static_cast<int>(rng() % 4); n > 0; --n)
    args.insert(args.end(), {"--line", gentest::RandomText(rng, false)});
  return args;
}

}  // namespace

TEST(CliProperties, WhatIsPrintedReadsBackIntoChoicesThatPrintTheSame) {
  std::mt19937 rng(42);
  int printed = 0;
  for (int round = 0; round < 600; ++round) {
    bool human = round % 2 == 0;
    std::vector<std::string> args{"--choices", "-"};
    std::string input = "{}";
    if (human)
      args = RandomOptions(rng);
    else
      input = vellumor::ChoicesToJson(gentest::RandomChoices(rng, true)).dump();
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
    Result again = Gen({"--choices", "-"}, read.out);
    ASSERT_EQ(again.code, 0) << again.err;
    EXPECT_EQ(again.out, first.out);
  }
  EXPECT_GT(printed, 400);
}
