// What the main window decides without a window: the enabled states of its dependent controls
// and commands, and the About text.
#pragma once

#include <string>

#include "MessageChoices.h"

namespace vellumor {

struct EnabledStates {
  bool edMDPreset = false;
  bool mdButtonBoxes = false;  // cbMDOK to cbMDNoToAll
  bool cbMDCheckResult = false;
  bool edMDHelpContext = false;
  bool edMDCheckResult = false;
  bool edMBCheckResult = false;
  bool actPreview = false;
  bool actCreate = false;
};

// `mdCheckResultItems` is the number of items edMDCheckResult holds now.
EnabledStates GetEnabledStates(const MessageChoices& choices, int mdCheckResultItems);

// The About box's text: the title, the purpose, and our contact and notice lines.
std::string GetAboutText(const std::string& applicationTitle);

}  // namespace vellumor
