#include "RandomChoices.h"

#include <vector>

#include "ChoiceLists.h"

namespace gentest {

using namespace vellumor;

std::string RandomText(std::mt19937& rng, bool lineBreaks) {
  static const std::vector<std::string> fragments = {
      "a",    "Zz",   " ", "  ", "\t", "'",    "''", "#13", "#13 + #13", " + #13", "' + #13",
      ", mt", ", MB", "ü", "☃",  "😀",  "\x01", "x",  "{",   "\n",        "\r"};
  std::string text;
  auto choices = fragments.size() - (lineBreaks ? 0 : 2);
  for (int n = static_cast<int>(rng() % 9); n > 0; --n)
    text += fragments[rng() % choices];
  if (rng() % 6 == 0) {
    static const std::vector<std::string> chars = {"a", "b", " ", "'", "#", "ü", "😀", "\x02"};
    for (int n = 200 + static_cast<int>(rng() % 500); n > 0; --n)
      text += chars[rng() % chars.size()];
  }
  return text;
}

MessageChoices RandomChoices(std::mt19937& rng, bool holdable) {
  MessageChoices c;
  // Holdable indexes stay in their lists; the others stray one either side.
  auto index = [&](int count) {
    return holdable ? static_cast<int>(rng() % count) : static_cast<int>(rng() % (count + 2)) - 1;
  };
  c.mmMessage.clear();
  for (int n = static_cast<int>(rng() % 6); n > 0; --n)
    c.mmMessage.push_back(rng() % 4 == 0 ? "" : RandomText(rng, !holdable));
  c.edStyle = index(kDialogStyleCount);
  c.PageControl1 = index(2);
  c.rbMDPreset = rng() % 2;
  c.edMDPreset = index(static_cast<int>(ButtonSetPresets().size()));
  for (const auto& button : MessageDlgButtons())
    if (button.box) c.*button.box = rng() % 3 == 0;
  if (holdable && NoMessageDlgButtonSelected(c)) c.cbMDOK = true;
  c.cbMDHelp = rng() % 2;
  c.edMDHelpContext = static_cast<std::int32_t>(rng());
  c.cbMDSound = rng() % 2;
  c.edMBPreset = index(static_cast<int>(MessageBoxPresets().size()));
  c.cbMBHelp = rng() % 2;
  c.edMBDefault =
      holdable ? static_cast<int>(rng() % MBDefaultItems(c.edMBPreset, c.cbMBHelp).size()) : index(4);
  c.edMBTitle = RandomText(rng, !holdable);
  c.edMBModal = index(3);
  for (bool& option : c.clbMBOptions)
    option = rng() % 3 == 0;
  c.cbMDCheckResult = rng() % 2;
  c.cbMBCheckResult = rng() % 2;
  if (holdable) {
    auto md = MDCheckResultItems(c);
    auto mb = MBCheckResultItems(c.edMBPreset);
    c.edMDCheckResult = std::string(md[rng() % md.size()]);
    c.edMBCheckResult = std::string(mb[rng() % mb.size()]);
  } else {
    c.edMDCheckResult = "Yes To All";
    c.edMBCheckResult = "Retry";
  }
  return c;
}

const std::vector<SampleValue>& SampleValues() {
  static const std::vector<SampleValue> values = {
      {"FileName", "FileName", "report.txt"},
      {"  E.Message ", "E.Message", "Access denied"},
      {"IntToStr(A + B)", "IntToStr(A + B)", "42"},
      {"QuotedStr(Name)", "QuotedStr(Name)", "'Joe'"},
      {"Items[I].Caption", "Items[I].Caption", "First"},
      {"IfThen(Ok, 'a, mt' + #13, ' + #13''x, MB')", "IfThen(Ok, 'a, mt' + #13, ' + #13''x, MB')", "{it's}"},
      {"A - B", "(A - B)", "-1"},
      {"Prefix + Suffix", "(Prefix + Suffix)", "pre-suf"},
      {"X or Y", "(X or Y)", "True"},
      {"Count * 2 div 3", "Count * 2 div 3", "7"},
      {"FloatToStr(Size / 1024.5)", "FloatToStr(Size / 1024.5)", "0.5"},
      {"Sep", "Sep", ""},
  };
  return values;
}

MessageChoices RandomValueChoices(std::mt19937& rng) {
  MessageChoices c = RandomChoices(rng, true);
  c.cbValues = true;
  const auto& values = SampleValues();
  // Random text with its braces doubled, and values between.
  auto text = [&](bool withValue) {
    std::string out;
    for (int n = static_cast<int>(rng() % 4) + (withValue ? 1 : 0); n > 0; --n) {
      for (char ch : RandomText(rng, false)) {
        out += ch;
        if (ch == '{') out += ch;
      }
      if (withValue || rng() % 2) out += "{" + values[rng() % values.size()].typed + "}";
    }
    return out;
  };
  c.mmMessage.clear();
  for (int n = static_cast<int>(rng() % 5); n >= 0; --n)
    c.mmMessage.push_back(c.mmMessage.empty() ? text(true) : rng() % 4 == 0 ? "" : text(false));
  c.edMBTitle = text(false);
  return c;
}

}  // namespace gentest
