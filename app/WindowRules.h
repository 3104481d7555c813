// What the main window decides without a window: the enabled states of its dependent controls
// and commands, and the About text.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

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

// How many bytes of the start of a line fit on one line of the box (at least one character).
using LineFit = std::function<size_t(std::string_view line)>;

// The confirmation text as the box can show it with its buttons on the screen. A text whose
// words all fit on a line and whose lines, broken where `fit` says, number at most `maxLines`
// is returned as it is, for the box to wrap. Any other is broken into such lines itself, and
// where they are too many, keeps the first and the last ones around a line that says how much
// is left out.
std::string FitConfirmationText(const std::string& text, const LineFit& fit, size_t maxLines);

// The question before the window takes a statement read from the clipboard.
std::string ReadStatementQuestion(CallKind kind);
// Why a text that begins like a statement was not read, at the reader's line and column; with
// `offerPaste`, asks whether to paste it as text.
std::string RefusedStatementText(int line, int column, const std::string& reason, bool offerPaste);

// The About box's text: the title, the purpose, and our contact and notice lines.
std::string GetAboutText(const std::string& applicationTitle);

}  // namespace vellumor
