#include "ChoiceLists.h"

#include <algorithm>

namespace vellumor {

ListItems MDCheckResultItemsForPreset(ButtonSetPreset preset) {
  switch (preset) {
    case 1:
      return {"Yes", "No", "Cancel"};
    case 2:
      return {"Yes", "No", "Cancel", "Yes To All", "No To All"};
    case 3:
      return {"Abort", "Retry", "Ignore"};
    case 4:
      return {"Abort", "Ignore"};
    default:
      return {"OK", "Cancel"};
  }
}

ListItems MDCheckResultItemsForBoxes(const MessageChoices& choices) {
  ListItems items;
  for (const auto& button : MessageDlgButtons())
    if (button.box && choices.*button.box) items.push_back(button.caption);
  return items;
}

ListItems MDCheckResultItems(const MessageChoices& choices) {
  return choices.rbMDPreset ? MDCheckResultItemsForPreset(choices.edMDPreset)
                            : MDCheckResultItemsForBoxes(choices);
}

ListItems MBCheckResultItems(int preset) {
  switch (preset) {
    case 1:
      return {"OK", "Cancel"};
    case 2:
      return {"Yes", "No"};
    case 3:
      return {"Retry", "Cancel"};
    case 4:
      return {"Yes", "No", "Cancel"};
    case 5:
      return {"Abort", "Retry", "Ignore"};
    default:
      return {"OK"};
  }
}

ListItems MBDefaultItems(int preset, bool help) {
  static constexpr std::string_view names[] = {"1st button", "2nd button", "3rd button", "4th button"};
  size_t count = MBCheckResultItems(preset).size();
  // Help adds one more button; a one-button box with Help gets a "2nd button".
  if (help) ++count;
  return ListItems(std::begin(names), std::begin(names) + static_cast<std::ptrdiff_t>(count));
}

ListSelections SelectionsFor(const MessageChoices& c) {
  ListSelections s;
  s.mdCheckResult = KeptSelection(c.edMDCheckResult, MDCheckResultItems(c));
  s.mbCheckResult = KeptSelection(c.edMBCheckResult, MBCheckResultItems(c.edMBPreset));
  const auto defaults = static_cast<int>(MBDefaultItems(c.edMBPreset, c.cbMBHelp).size());
  s.mbDefault = c.edMBDefault >= 0 && c.edMBDefault < defaults ? c.edMBDefault : 0;
  return s;
}

int KeptSelection(std::string_view remembered, const ListItems& items) {
  if (items.empty()) return -1;
  if (!remembered.empty()) {
    auto it = std::find(items.begin(), items.end(), remembered);
    if (it != items.end()) return static_cast<int>(it - items.begin());
  }
  return 0;
}

}  // namespace vellumor
