#include "MessageChoices.h"

namespace vellumor {

CallKind CallKindOf(const MessageChoices& choices) {
  return choices.PageControl1 == 0 ? CallKind::MessageDlg : CallKind::MessageBox;
}

int NormalizedStyle(DialogStyle style) {
  return style >= 0 && style < kDialogStyleCount ? style : 0;
}

const DialogStyleInfo& StyleInfo(DialogStyle style) {
  static constexpr std::array<DialogStyleInfo, kDialogStyleCount> styles{{
      {"Warning", "mtWarning", 0, "MB_ICONWARNING", 0x30, 48},
      {"Error", "mtError", 1, "MB_ICONERROR", 0x10, 16},
      {"Information", "mtInformation", 2, "MB_ICONINFORMATION", 0x40, 64},
      {"Confirmation", "mtConfirmation", 3, "MB_ICONQUESTION", 0x20, 32},
  }};
  return styles[static_cast<size_t>(NormalizedStyle(style))];
}

const std::array<MessageDlgButton, 11>& MessageDlgButtons() {
  static const std::array<MessageDlgButton, 11> buttons{{
      {"mbOK", "OK", 0x004, &MessageChoices::cbMDOK},
      {"mbCancel", "Cancel", 0x008, &MessageChoices::cbMDCancel},
      {"mbYes", "Yes", 0x001, &MessageChoices::cbMDYes},
      {"mbNo", "No", 0x002, &MessageChoices::cbMDNo},
      {"mbAbort", "Abort", 0x010, &MessageChoices::cbMDAbort},
      {"mbRetry", "Retry", 0x020, &MessageChoices::cbMDRetry},
      {"mbIgnore", "Ignore", 0x040, &MessageChoices::cbMDIgnore},
      {"mbAll", "All", 0x080, &MessageChoices::cbMDAll},
      {"mbYesToAll", "Yes To All", 0x200, &MessageChoices::cbMDYesToAll},
      {"mbNoToAll", "No To All", 0x100, &MessageChoices::cbMDNoToAll},
      {"mbHelp", "Help", kHelpButton, nullptr},
  }};
  return buttons;
}

const std::array<ButtonSetPresetInfo, 5>& ButtonSetPresets() {
  static constexpr std::array<ButtonSetPresetInfo, 5> presets{{
      {"OK and Cancel", 0x00C},
      {"Yes, No, and Cancel", 0x00B},
      {"Yes, No, Cancel, and All", 0x30B},
      {"Abort, Retry, and Ignore", 0x070},
      {"Abort and Ignore", 0x050},
  }};
  return presets;
}

namespace {
// An index outside a list behaves as its first row.
template <typename Row, size_t N>
const Row& RowOrFirst(const std::array<Row, N>& rows, int index) {
  return index >= 0 && index < static_cast<int>(N) ? rows[static_cast<size_t>(index)] : rows[0];
}
}  // namespace

const ButtonSetPresetInfo& PresetInfo(ButtonSetPreset preset) {
  return RowOrFirst(ButtonSetPresets(), preset);
}

const std::array<MessageBoxFlagItem, 6>& MessageBoxPresets() {
  static constexpr std::array<MessageBoxFlagItem, 6> presets{{
      {"OK", 0, "MB_OK"},
      {"OK and Cancel", 1, "MB_OKCANCEL"},
      {"Yes and No", 4, "MB_YESNO"},
      {"Retry and Cancel", 5, "MB_RETRYCANCEL"},
      {"Yes, No, and Cancel", 3, "MB_YESNOCANCEL"},
      {"Abort, Retry, and Ignore", 2, "MB_ABORTRETRYIGNORE"},
  }};
  return presets;
}

const MessageBoxFlagItem& MessageBoxPresetOf(int preset) {
  return RowOrFirst(MessageBoxPresets(), preset);
}

const std::array<MessageBoxFlagItem, 6>& MessageBoxOptions() {
  static constexpr std::array<MessageBoxFlagItem, 6> options{{
      {"Default desktop only", 0x20000, "MB_DEFAULT_DESKTOP_ONLY"},
      {"Right aligned", 0x80000, "MB_RIGHT"},
      {"Right to left reading", 0x100000, "MB_RTLREADING"},
      {"Set foreground", 0x10000, "MB_SETFOREGROUND"},
      {"Top most", 0x40000, "MB_TOPMOST"},
      {"Service notification", 0x200000, "MB_SERVICE_NOTIFICATION"},
  }};
  return options;
}

MessageDlgParams GetMessageDlgParams(const MessageChoices& choices) {
  MessageDlgParams params;
  params.dialogType = StyleInfo(choices.edStyle).typeOrdinal;
  if (choices.rbMDPreset) {
    params.buttons = PresetInfo(choices.edMDPreset).buttons;
  } else {
    for (const auto& button : MessageDlgButtons())
      if (button.box && choices.*button.box) params.buttons |= button.bit;
  }
  if (choices.cbMDHelp) params.buttons |= kHelpButton;
  return params;
}

std::uint32_t GetMessageBoxFlags(const MessageChoices& choices) {
  std::uint32_t flags = StyleInfo(choices.edStyle).iconFlag;
  flags += MessageBoxPresetOf(choices.edMBPreset).flag;
  if (choices.edMBDefault >= 1 && choices.edMBDefault <= 3)
    flags += static_cast<std::uint32_t>(choices.edMBDefault) * 0x100;
  if (choices.edMBModal == 1) flags += 0x1000;
  if (choices.edMBModal == 2) flags += 0x2000;
  for (size_t i = 0; i < MessageBoxOptions().size(); ++i)
    if (choices.clbMBOptions[i]) flags += MessageBoxOptions()[i].flag;
  if (choices.cbMBHelp) flags += 0x4000;
  return flags;
}

bool NoMessageDlgButtonSelected(const MessageChoices& choices) {
  if (choices.rbMDPreset) return false;
  for (const auto& button : MessageDlgButtons())
    if (button.box && choices.*button.box) return false;
  return true;
}

}  // namespace vellumor
