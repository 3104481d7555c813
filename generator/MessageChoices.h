// MessageChoices: the snapshot of the window's controls that code generation reads.
// DialogStyle, ButtonSet, ButtonSetPreset and the MessageBox tables with their values and names.
// GetMessageDlgParams, GetMessageBoxFlags: the parameters the platform's message functions take.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vellumor {

// One member per control of the main window, under the control's own name; the defaults are
// the window's state once it is shown.
struct MessageChoices {
  std::vector<std::string> mmMessage{"This is a message."};
  // Values in braces: "{expression}" in the message and the MessageBox title is code (see
  // MessageText.h for the rules, FindValueError for what is refused).
  bool cbValues = false;
  int edStyle = 2;
  int PageControl1 = 0;

  bool rbMDPreset = false;
  int edMDPreset = 0;
  bool cbMDOK = true;
  bool cbMDCancel = false;
  bool cbMDYes = false;
  bool cbMDNo = false;
  bool cbMDAbort = false;
  bool cbMDRetry = false;
  bool cbMDIgnore = false;
  bool cbMDAll = false;
  bool cbMDYesToAll = false;
  bool cbMDNoToAll = false;
  bool cbMDHelp = false;
  std::int32_t edMDHelpContext = 0;
  bool cbMDCheckResult = false;
  std::string edMDCheckResult = "OK";
  bool cbMDSound = false;

  int edMBPreset = 0;
  int edMBDefault = 0;
  bool cbMBHelp = false;
  std::string edMBTitle = "Information";
  int edMBModal = 0;
  std::array<bool, 6> clbMBOptions{};
  bool cbMBCheckResult = false;
  std::string edMBCheckResult = "OK";

  bool operator==(const MessageChoices&) const = default;
};

enum class CallKind { MessageDlg, MessageBox };
// Page 0 is the MessageDlg page; every other index is the MessageBox page.
CallKind CallKindOf(const MessageChoices& choices);

// The style index; anything outside 0..3 behaves as 0.
using DialogStyle = int;
constexpr int kDialogStyleCount = 4;
int NormalizedStyle(DialogStyle style);

struct DialogStyleInfo {
  std::string_view itemText;
  std::string_view typeName;  // MessageDlg type
  std::uint8_t typeOrdinal;
  std::string_view iconName;  // MessageBox icon
  std::uint32_t iconFlag;
  std::uint32_t soundValue;  // MessageBeep
};
const DialogStyleInfo& StyleInfo(DialogStyle style);

// Bit n is the button whose ordinal in the platform's button enumeration is n.
using ButtonSet = std::uint16_t;

struct MessageDlgButton {
  std::string_view name;     // "mbOK"
  std::string_view caption;  // "OK": the result-list item and, without blanks, the mr/ID suffix
  ButtonSet bit;
  bool MessageChoices::*box;  // nullptr for Help
};
// The eleven buttons in the tool's listing order (OK, Cancel, Yes, No, Abort, Retry, Ignore, All,
// Yes To All, No To All, Help).
const std::array<MessageDlgButton, 11>& MessageDlgButtons();
constexpr ButtonSet kHelpButton = 0x400;

// The MessageDlg preset index (edMDPreset); anything else behaves as 0.
using ButtonSetPreset = int;
struct ButtonSetPresetInfo {
  std::string_view itemText;
  ButtonSet buttons;
};
const std::array<ButtonSetPresetInfo, 5>& ButtonSetPresets();
const ButtonSetPresetInfo& PresetInfo(ButtonSetPreset preset);

// A MessageBox list item with the flag it stands for, by value and by name.
struct MessageBoxFlagItem {
  std::string_view itemText;
  std::uint32_t flag;
  std::string_view flagName;
};
const std::array<MessageBoxFlagItem, 6>& MessageBoxPresets();
const MessageBoxFlagItem& MessageBoxPresetOf(int preset);  // anything else behaves as 0
const std::array<MessageBoxFlagItem, 6>& MessageBoxOptions();

inline constexpr std::array<std::string_view, 3> kModalityItems{"Application", "System", "Task"};

struct MessageDlgParams {
  std::uint8_t dialogType = 0;
  ButtonSet buttons = 0;
};
MessageDlgParams GetMessageDlgParams(const MessageChoices& choices);
std::uint32_t GetMessageBoxFlags(const MessageChoices& choices);

// True when none of the ten button boxes is ticked in select mode: the window then offers
// neither Preview nor Create on the MessageDlg page.
bool NoMessageDlgButtonSelected(const MessageChoices& choices);

}  // namespace vellumor
