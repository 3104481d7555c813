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

}  // namespace gentest
