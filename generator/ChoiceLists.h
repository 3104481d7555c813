// The items of the window's dependent lists (result captions, default button) for given choices,
// and the rule that keeps a list's selection across a rebuild.
#pragma once

#include <string_view>
#include <vector>

#include "MessageChoices.h"

namespace vellumor {

using ListItems = std::vector<std::string_view>;

ListItems MDCheckResultItemsForPreset(ButtonSetPreset preset);
ListItems MDCheckResultItemsForBoxes(const MessageChoices& choices);
// The list the window shows for the active mode (preset or select).
ListItems MDCheckResultItems(const MessageChoices& choices);

ListItems MBCheckResultItems(int preset);
ListItems MBDefaultItems(int preset, bool help);

// The items the three dependent lists select to show `choices`: the chosen caption or default
// button where the list has it, else the first item; -1 for an empty list.
struct ListSelections {
  int mdCheckResult = -1;
  int mbCheckResult = -1;
  int mbDefault = -1;
};
ListSelections SelectionsFor(const MessageChoices& choices);

// Index to select after a rebuild: the first item equal to the remembered text, else 0; -1 when
// the list is empty.
int KeptSelection(std::string_view remembered, const ListItems& items);

}  // namespace vellumor
