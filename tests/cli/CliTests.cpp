// vellumor-gen as scripts and editors meet it: arguments in, code or JSON out, exit status.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/wait.h>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "VellumorGen.h"

using nlohmann::json;

namespace {

struct Result {
  int code;
  std::string out, err;
};

Result Gen(std::vector<std::string> args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out, err;
  int code = vellumor::RunVellumorGen(args, in, out, err);
  return {code, out.str(), err.str()};
}

// A refusal: status 2, one line on standard error, nothing on standard output.
void ExpectRefused(const Result& r, const std::string& mention) {
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.out, "");
  ASSERT_FALSE(r.err.empty());
  EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
  EXPECT_NE(r.err.find(mention), std::string::npos) << r.err;
}

}  // namespace

TEST(Cli, DefaultOutputIsTheCopiedCodeOneLinePerLine) {
  Result r = Gen({});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, "MessageDlg('This is a message.', mtInformation, [mbOK], 0);\n");
  EXPECT_EQ(r.err, "");
  r = Gen({"--line", "A", "--line", "B", "--sound", "--style", "error", "--check-result", "OK"});
  EXPECT_EQ(r.out,
            "MessageBeep(MB_ICONERROR);\nif (MessageDlg('A'\n    + #13'B', \n    mtError, [mbOK], 0) = mrOK) "
            "then \n");
}

TEST(Cli, JsonHasBothCallsParametersAndTheActivePagesCode) {
  Result r = Gen({"--choices", "-", "--json"},
                 R"({"mmMessage": ["It's", "", "done"], "cbMDSound": true, "edStyle": 3, "PageControl1": 0,
                     "clbMBOptions": [false, false, false, false, true, false]})");
  ASSERT_EQ(r.code, 0) << r.err;
  json j = json::parse(r.out);
  EXPECT_EQ(j["dialogType"], 3);
  EXPECT_EQ(j["buttonSet"], 4);
  EXPECT_EQ(j["messageBoxFlags"], 32 + 0x40000);
  EXPECT_EQ(j["previewText"], "It's\r\rdone");
  EXPECT_EQ(j["messageLiteral"], "'It''s' + #13#13'done'");
  EXPECT_EQ(j["statement"], "MessageDlg('It''s' + #13#13'done', mtConfirmation, [mbOK], 0);");
  EXPECT_EQ(j["beepLine"], "MessageBeep(MB_ICONQUESTION);");
  EXPECT_EQ(j["codeLines"],
            json::array({"MessageDlg('It''s'", "    + #13#13'done', ", "    mtConfirmation, [mbOK], 0);"}));
  EXPECT_EQ(j["clipboardText"],
            "MessageBeep(MB_ICONQUESTION);\r\nMessageDlg('It''s'\r\n    + #13#13'done', \r\n    "
            "mtConfirmation, [mbOK], 0);");
  EXPECT_EQ(j.size(), 9u);

  r = Gen({"--json", "--messagebox", "--sound"});
  j = json::parse(r.out);
  EXPECT_TRUE(j["beepLine"].is_null());
  EXPECT_EQ(j["dialogType"], 2);  // the MessageDlg values are there on the MessageBox page too
  EXPECT_EQ(j["codeLines"].size(), 1u);
}

TEST(Cli, HumanOptionsForTheMessageBoxPage) {
  Result r =
      Gen({"--messagebox",        "--line",    "Delete it?", "--style",       "confirmation", "--preset",
           "yes-no-cancel",       "--default", "2",          "--modal",       "task",         "--option",
           "topmost,rtl-reading", "--option",  "right",      "--help-button", "--title",      "Confirm",
           "--check-result",      "Yes"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(
      r.out,
      "if (Application.MessageBox('Delete it?', 'Confirm', MB_ICONQUESTION + MB_YESNOCANCEL + "
      "MB_DEFBUTTON2 + MB_TASKMODAL + MB_RIGHT + MB_RTLREADING + MB_TOPMOST + MB_HELP) = ID_YES) then \n");
}

TEST(Cli, HumanOptionsForTheMessageDlgPage) {
  Result r = Gen({"--preset", "yes-no-cancel-all", "--help-context", "12", "--check-result", "Yes To All"});
  EXPECT_EQ(
      r.out,
      "if (MessageDlg('This is a message.', mtInformation, [mbCancel, mbYes, mbNo, mbYesToAll, mbNoToAll, "
      "mbHelp], 12) = mrYesToAll) then \n");
  r = Gen({"--buttons", "retry,no-to-all", "--buttons", "ok"});
  EXPECT_EQ(r.out, "MessageDlg('This is a message.', mtInformation, [mbOK, mbRetry, mbNoToAll], 0);\n");
}

TEST(Cli, OptionsOverrideChoicesAndMessageFileSplitsLines) {
  std::string path = ::testing::TempDir() + "vellumor_message.txt";
  std::ofstream(path, std::ios::binary) << "first\r\nsecond\n";
  Result r = Gen({"--choices", "-", "--style", "warning", "--message-file", path},
                 R"({"edStyle": 1, "mmMessage": ["ignored"], "cbMDCancel": true})");
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "MessageDlg('first'\n    + #13'second', \n    mtWarning, [mbOK, mbCancel], 0);\n");
  r = Gen({"--message-file", "-"}, "from stdin");
  EXPECT_EQ(r.out, "MessageDlg('from stdin', mtInformation, [mbOK], 0);\n");
}

TEST(Cli, BadInputIsRefusedWithOneLineAndStatus2) {
  ExpectRefused(Gen({"--choices", "-"}, "{\"edStyle\": true}"), "edStyle");
  ExpectRefused(Gen({"--choices", "-"}, "not json"), "not valid JSON");
  ExpectRefused(Gen({"--choices", "/nonexistent/choices.json"}), "cannot read choices file");
  ExpectRefused(Gen({"--style", "purple"}),
                "--style: \"purple\" is not one of warning, error, information, confirmation");
  ExpectRefused(Gen({"--preset", "ok"}), "--preset (MessageDlg)");  // "ok" is a MessageBox preset
  ExpectRefused(Gen({"--buttons", "ok,maybe"}), "\"maybe\"");
  ExpectRefused(Gen({"--default", "5"}), "--default");
  ExpectRefused(Gen({"--help-context", "2147483648"}), "--help-context");
  ExpectRefused(Gen({"--modal", "screen"}), "--modal");
  ExpectRefused(Gen({"--option", "always"}), "--option");
  ExpectRefused(Gen({"--frobnicate"}), "frobnicate");
  ExpectRefused(Gen({"--messagebox", "--messagedlg"}), "excludes");
  ExpectRefused(Gen({"--line", "a", "--message-file", "x"}), "excludes");
  ExpectRefused(Gen({"--choices", "-", "--message-file", "-"}), "standard input");
  ExpectRefused(Gen({"--check-result", "Cancel"}), "\"Cancel\" is not a button of this box");
  ExpectRefused(Gen({"--messagebox", "--check-result", "mrOK; Halt"}), "edMBCheckResult");
  ExpectRefused(Gen({"--buttons", ""}), "no MessageDlg button");
  ExpectRefused(Gen({"--line", "\xFF"}), "message line 1 is not valid UTF-8");
  ExpectRefused(Gen({"--messagebox", "--title", "\xC3("}), "title");
}

TEST(Cli, HelpListsTheOptionsAndSucceeds) {
  Result r = Gen({"--help"});
  EXPECT_EQ(r.code, 0);
  for (const char* option : {"--choices", "--json", "--messagebox", "--style", "--preset", "--buttons",
                             "--help-context", "--check-result", "--sound", "--title", "--default", "--modal",
                             "--option", "--line", "--message-file"})
    EXPECT_NE(r.out.find(option), std::string::npos) << option;
}

TEST(Cli, LargeAndHostileInputsNeverCrash) {
  std::string deep(200000, '[');
  ExpectRefused(Gen({"--choices", "-"}, "{\"mmMessage\": " + deep), "mmMessage");
  json many = json::object();
  many["mmMessage"] = json::array();
  for (int i = 0; i < 20000; ++i)
    many["mmMessage"].push_back(std::string(i % 300, '\''));
  Result r = Gen({"--choices", "-", "--json"}, many.dump());
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(json::parse(r.out).contains("clipboardText"));
  r = Gen({"--choices", "-"}, std::string("{\"mmMessage\": [\"a\\u0000b\"]}"));
  EXPECT_EQ(r.out, "MessageDlg('a'#0'b', mtInformation, [mbOK], 0);\n");
}

TEST(CliProgram, TheBuiltCommandReadsStandardInputAndSetsItsStatus) {
  std::string path = ::testing::TempDir() + "vellumor_choices.json";
  std::ofstream(path) << R"({"PageControl1": 1, "mmMessage": ["A", "B"]})";
  std::string command = std::string(VELLUMOR_GEN_PATH) + " --choices - < " + path + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string out;
  char buffer[256];
  while (size_t n = fread(buffer, 1, sizeof buffer, pipe))
    out.append(buffer, n);
  int status = pclose(pipe);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(out,
            "Application.MessageBox(PChar('A'\n    + #13'B'), 'Information', \n"
            "    MB_ICONINFORMATION + MB_OK + MB_DEFBUTTON1 + MB_APPLMODAL);\n");

  command = std::string(VELLUMOR_GEN_PATH) + " --style nope 2>/dev/null";
  pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  out.clear();
  while (size_t n = fread(buffer, 1, sizeof buffer, pipe))
    out.append(buffer, n);
  status = pclose(pipe);
  EXPECT_EQ(WEXITSTATUS(status), 2);
  EXPECT_EQ(out, "");
}

TEST(CliFromCode, ReadsCodeBackIntoChoicesThatWriteItAgain) {
  const std::string code =
      "MessageBeep(MB_ICONERROR);\nif (MessageDlg('Disk full.'\n    + #13'Retry?', \n"
      "    mtError, [mbCancel, mbRetry], 0) = mrRetry) then \n";
  Result read = Gen({"--from-code", "-"}, code);
  ASSERT_EQ(read.code, 0) << read.err;
  json choices = json::parse(read.out);
  EXPECT_EQ(choices.size(), 28u);  // every key --choices reads
  EXPECT_EQ(choices["mmMessage"], json::array({"Disk full.", "Retry?"}));
  Result again = Gen({"--choices", "-"}, read.out);
  ASSERT_EQ(again.code, 0) << again.err;
  EXPECT_EQ(again.out, code);
}

TEST(CliFromCode, RefusesWithLineAndColumn) {
  ExpectRefused(Gen({"--from-code", "-"}, "MessageDlg('x',\n  mtCustom, [mbOK], 0);"),
                "line 2, column 3: a custom dialog type cannot be made by the window");
  ExpectRefused(Gen({"--from-code", "-", "--json"}, "MessageDlg('x', mtWarning, [mbOK], 0);"), "on its own");
  ExpectRefused(Gen({"--from-code", "-"}, "MessageDlg('\xFF', mtWarning, [mbOK], 0);"),
                "not valid UTF-8 (byte 13)");
  ExpectRefused(Gen({"--from-code", "/nonexistent.pas"}), "cannot read code file");
}

TEST(Cli, VersionIsTheProjectsVersion) {
  Result r = Gen({"--version"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, std::string("vellumor-gen ") + VELLUMOR_VERSION + "\n");
}
