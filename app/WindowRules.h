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

// How many bytes of the start of a line fit in `width` pixels of the box (at least one character).
using LineFit = std::function<size_t(std::string_view line, int width)>;
// The room a box has for its text: the width it wraps at, the widest line it can show inside the
// work area (it widens for a longer word), and how many lines it can take.
struct TextRoom {
  int wrapWidth = 0;
  int widestLine = 0;
  size_t lines = 0;
};
// What the note in place of the left-out part of a text says.
using LeftOutNote = std::function<std::string(std::string_view leftOut)>;

// The text as the box can show it with its buttons on the screen. A text whose lines, wrapped as
// the box wraps them, number at most `room.lines` is returned as it is, but for line breaks inside
// words wider than the box's widest line. A longer one keeps the first and the last lines around
// the note.
std::string FitBoxText(const std::string& text, const LineFit& fit, const TextRoom& room,
                       const LeftOutNote& note);
// Create's confirmation counts what it leaves out in characters; the preview in the message's lines.
std::string ConfirmationNote(std::string_view leftOut);
std::string PreviewNote(std::string_view leftOut);

// The question before the window takes a statement read from the clipboard.
std::string ReadStatementQuestion(CallKind kind);
// Why a text that begins like a statement was not read, at the reader's line and column; with
// `offerPaste`, asks whether to paste it as text.
std::string RefusedStatementText(int line, int column, const std::string& reason, bool offerPaste);

// Why the values in braces cannot be written, from the generator's "line L, column C: what".
std::string ValueErrorText(const std::string& error);

// The About box's text: the title, the purpose, and our contact and notice lines.
std::string GetAboutText(const std::string& applicationTitle);

}  // namespace vellumor
