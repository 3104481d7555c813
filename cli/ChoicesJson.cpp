#include "ChoicesJson.h"

#include <algorithm>
#include <climits>
#include <functional>
#include <map>
#include <set>

#include "ChoiceLists.h"
#include "CodeLayout.h"
#include "MessageText.h"
#include "Utf8.h"

namespace vellumor {

using nlohmann::json;

std::vector<std::string> SplitMessageLines(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

namespace {

[[noreturn]] void Fail(const std::string& key, const std::string& what) {
  throw InputError("choices key \"" + key + "\": " + what);
}

// Item indexes: any integer is accepted; one outside the int range behaves as any other
// index outside a list (the first row, or the MessageBox page for PageControl1).
int ReadIndex(const json& value, const std::string& key) {
  if (!value.is_number_integer()) Fail(key, "expected an integer");
  if (value.is_number_unsigned()) {
    auto v = value.get<std::uint64_t>();
    return v > static_cast<std::uint64_t>(INT_MAX) ? -1 : static_cast<int>(v);
  }
  auto v = value.get<std::int64_t>();
  return v < INT_MIN || v > INT_MAX ? -1 : static_cast<int>(v);
}

bool ReadBool(const json& value, const std::string& key) {
  if (!value.is_boolean()) Fail(key, "expected true or false");
  return value.get<bool>();
}

std::string ReadString(const json& value, const std::string& key) {
  if (!value.is_string()) Fail(key, "expected a string");
  return value.get<std::string>();
}

using Reader = std::function<void(const json&, MessageChoices&, GivenCaptions&)>;

const std::map<std::string, Reader, std::less<>>& Readers() {
  static const std::map<std::string, Reader, std::less<>> readers = [] {
    std::map<std::string, Reader, std::less<>> r;
    auto index = [&](const std::string& key, int MessageChoices::*member) {
      r[key] = [member, key](const json& v, MessageChoices& c, GivenCaptions&) {
        c.*member = ReadIndex(v, key);
      };
    };
    auto flag = [&](const std::string& key, bool MessageChoices::*member) {
      r[key] = [member, key](const json& v, MessageChoices& c, GivenCaptions&) {
        c.*member = ReadBool(v, key);
      };
    };
    auto text = [&](const std::string& key, std::string MessageChoices::*member) {
      r[key] = [member, key](const json& v, MessageChoices& c, GivenCaptions&) {
        c.*member = ReadString(v, key);
      };
    };
    index("edStyle", &MessageChoices::edStyle);
    index("PageControl1", &MessageChoices::PageControl1);
    index("edMDPreset", &MessageChoices::edMDPreset);
    index("edMBPreset", &MessageChoices::edMBPreset);
    index("edMBDefault", &MessageChoices::edMBDefault);
    index("edMBModal", &MessageChoices::edMBModal);
    flag("rbMDPreset", &MessageChoices::rbMDPreset);
    flag("cbValues", &MessageChoices::cbValues);
    // The ten button boxes are named after their buttons: mbYesToAll -> cbMDYesToAll.
    for (const auto& button : MessageDlgButtons())
      if (button.box) flag("cbMD" + std::string(button.name.substr(2)), button.box);
    flag("cbMDHelp", &MessageChoices::cbMDHelp);
    flag("cbMDCheckResult", &MessageChoices::cbMDCheckResult);
    flag("cbMDSound", &MessageChoices::cbMDSound);
    flag("cbMBHelp", &MessageChoices::cbMBHelp);
    flag("cbMBCheckResult", &MessageChoices::cbMBCheckResult);
    text("edMBTitle", &MessageChoices::edMBTitle);
    r["edMDCheckResult"] = [](const json& v, MessageChoices& c, GivenCaptions& g) {
      c.edMDCheckResult = ReadString(v, "edMDCheckResult");
      g.md = true;
    };
    r["edMBCheckResult"] = [](const json& v, MessageChoices& c, GivenCaptions& g) {
      c.edMBCheckResult = ReadString(v, "edMBCheckResult");
      g.mb = true;
    };
    r["edMDHelpContext"] = [](const json& v, MessageChoices& c, GivenCaptions&) {
      const char* key = "edMDHelpContext";
      if (!v.is_number_integer()) Fail(key, "expected an integer");
      bool fits = v.is_number_unsigned()
                      ? v.get<std::uint64_t>() <= INT32_MAX
                      : v.get<std::int64_t>() >= INT32_MIN && v.get<std::int64_t>() <= INT32_MAX;
      if (!fits) Fail(key, "must be a whole number from -2147483648 to 2147483647");
      c.edMDHelpContext = static_cast<std::int32_t>(v.get<std::int64_t>());
    };
    r["mmMessage"] = [](const json& v, MessageChoices& c, GivenCaptions&) {
      if (!v.is_array()) Fail("mmMessage", "expected an array of strings, one per message line");
      std::vector<std::string> lines;
      lines.reserve(v.size());
      for (const auto& line : v) {
        if (!line.is_string()) Fail("mmMessage", "expected an array of strings, one per message line");
        lines.push_back(line.get<std::string>());
      }
      c.mmMessage = std::move(lines);
    };
    r["clbMBOptions"] = [](const json& v, MessageChoices& c, GivenCaptions&) {
      if (!v.is_array() || v.size() != c.clbMBOptions.size())
        Fail("clbMBOptions", "expected an array of 6 booleans");
      for (size_t i = 0; i < c.clbMBOptions.size(); ++i) {
        if (!v[i].is_boolean()) Fail("clbMBOptions", "expected an array of 6 booleans");
        c.clbMBOptions[i] = v[i].get<bool>();
      }
    };
    return r;
  }();
  return readers;
}

}  // namespace

void ReadChoicesJson(std::string_view text, MessageChoices& choices, GivenCaptions& given) {
  std::set<std::string, std::less<>> seen;
  std::string currentKey;
  // The callback sees keys as they are read: it refuses a repeated key (the parser would keep the
  // last one silently) and nesting deeper than any choice needs, before it is built.
  json::parser_callback_t check = [&](int depth, json::parse_event_t event, json& parsed) {
    if (event == json::parse_event_t::key && depth == 1) {
      currentKey = parsed.get<std::string>();
      if (!seen.insert(currentKey).second) Fail(currentKey, "given more than once");
    }
    if (depth > 1 &&
        (event == json::parse_event_t::object_start || event == json::parse_event_t::array_start))
      Fail(currentKey, "nested too deeply");
    return true;
  };
  json doc;
  try {
    doc = json::parse(text.begin(), text.end(), check);
  } catch (const json::out_of_range&) {
    // A number no double holds (1e999): named by the key it was read for, when there is one.
    if (currentKey.empty()) throw InputError("choices: number out of range");
    Fail(currentKey, "number out of range");
  } catch (const json::exception& e) {
    std::string what = e.what();
    // "[json.exception.parse_error.101] parse error at line 1, column 2: ..." -> from "parse error"
    auto at = what.find("parse error");
    throw InputError("choices are not valid JSON: " + (at == std::string::npos ? what : what.substr(at)));
  }
  if (!doc.is_object()) throw InputError("choices must be a JSON object");
  for (const auto& [key, value] : doc.items()) {
    auto reader = Readers().find(key);
    if (reader == Readers().end()) throw InputError("choices key \"" + key + "\": unknown key");
    reader->second(value, choices, given);
  }
}

namespace {

std::string ListOf(const ListItems& items) {
  std::string list;
  for (auto item : items) {
    if (!list.empty()) list += ", ";
    list += "\"" + std::string(item) + "\"";
  }
  return list.empty() ? "none" : list;
}

// Captions go into the code unquoted, so only the window's own items may pass.
void SettleCaption(std::string& caption, bool given, const ListItems& items, const char* key) {
  if (!given) {
    int kept = KeptSelection(caption, items);
    caption = kept < 0 ? std::string() : std::string(items[static_cast<size_t>(kept)]);
    return;
  }
  if (std::find(items.begin(), items.end(), caption) != items.end()) return;
  if (items.empty() && caption.empty()) return;
  throw InputError(std::string(key) + ": \"" + caption + "\" is not a button of this box (choose from " +
                   ListOf(items) + ")");
}

void CheckText(const std::string& text, const std::string& what) {
  if (!IsValidUtf8(text)) throw InputError(what + " is not valid UTF-8");
}

}  // namespace

void SettleChoices(MessageChoices& choices, const GivenCaptions& given) {
  for (size_t i = 0; i < choices.mmMessage.size(); ++i)
    CheckText(choices.mmMessage[i], "message line " + std::to_string(i + 1));
  CheckText(choices.edMBTitle, "the title (edMBTitle)");
  CheckText(choices.edMDCheckResult, "the result caption (edMDCheckResult)");
  CheckText(choices.edMBCheckResult, "the result caption (edMBCheckResult)");
  SettleCaption(choices.edMDCheckResult, given.md, MDCheckResultItems(choices), "edMDCheckResult");
  SettleCaption(choices.edMBCheckResult, given.mb, MBCheckResultItems(choices.edMBPreset), "edMBCheckResult");
  if (auto problem = FindValueError(choices)) throw InputError(*problem);
  if (CallKindOf(choices) == CallKind::MessageDlg && NoMessageDlgButtonSelected(choices))
    throw InputError(
        "no MessageDlg button is selected: tick at least one of cbMDOK to cbMDNoToAll "
        "or use a preset");
}

json ChoicesToJson(const MessageChoices& c) {
  json j;
  j["mmMessage"] = c.mmMessage;
  j["cbValues"] = c.cbValues;
  j["edStyle"] = c.edStyle;
  j["PageControl1"] = c.PageControl1;
  j["rbMDPreset"] = c.rbMDPreset;
  j["edMDPreset"] = c.edMDPreset;
  for (const auto& button : MessageDlgButtons())
    if (button.box) j["cbMD" + std::string(button.name.substr(2))] = c.*button.box;
  j["cbMDHelp"] = c.cbMDHelp;
  j["edMDHelpContext"] = c.edMDHelpContext;
  j["cbMDCheckResult"] = c.cbMDCheckResult;
  j["edMDCheckResult"] = c.edMDCheckResult;
  j["cbMDSound"] = c.cbMDSound;
  j["edMBPreset"] = c.edMBPreset;
  j["edMBDefault"] = c.edMBDefault;
  j["cbMBHelp"] = c.cbMBHelp;
  j["edMBTitle"] = c.edMBTitle;
  j["edMBModal"] = c.edMBModal;
  j["clbMBOptions"] = c.clbMBOptions;
  j["cbMBCheckResult"] = c.cbMBCheckResult;
  j["edMBCheckResult"] = c.edMBCheckResult;
  return j;
}

json ResultJson(const MessageChoices& choices) {
  MessageDlgParams params = GetMessageDlgParams(choices);
  GeneratedCode code = GenerateCode(choices);
  json result;
  result["dialogType"] = params.dialogType;
  result["buttonSet"] = params.buttons;
  result["messageBoxFlags"] = GetMessageBoxFlags(choices);
  result["previewText"] = GetPreviewText(choices.mmMessage, choices.cbValues);
  result["previewTitle"] = GetPreviewTitle(choices.edMBTitle, choices.cbValues);
  result["messageLiteral"] = GetMessageLiteral(choices.mmMessage, choices.cbValues).source;
  result["statement"] = code.statement;
  result["beepLine"] = code.beepLine ? json(*code.beepLine) : json(nullptr);
  result["codeLines"] = LayoutCodeLines(code);
  result["clipboardText"] = GetClipboardText(code);
  return result;
}

}  // namespace vellumor
