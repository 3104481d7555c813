// The typed message dialog.
//   TMsgDlgType, TMsgDlgBtn, TMsgDlgButtons   dialog types and the button set (bit n = button n)
//   MessageDlg                                shows the dialog modally, returns the modal result
//   TTextShortener                            what shortens a text too large for the dialog
//   mrNone ... mrYesToAll                     modal results
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace vellumor {

enum TMsgDlgType : std::uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// In the platform's order, which is also the order of the buttons on the dialog.
enum TMsgDlgBtn : std::uint8_t {
  mbYes,
  mbNo,
  mbOK,
  mbCancel,
  mbAbort,
  mbRetry,
  mbIgnore,
  mbAll,
  mbNoToAll,
  mbYesToAll,
  mbHelp
};
using TMsgDlgButtons = std::uint16_t;
constexpr TMsgDlgButtons ButtonBit(TMsgDlgBtn button) {
  return static_cast<TMsgDlgButtons>(1u << button);
}

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6,
                       mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10;

// Shows `text` with the type's icon and caption and the buttons of the set, modal to the active
// window of this thread. The default button is OK, else Yes, else the first; Esc and the close box
// answer Cancel, else No, else OK when the set has them. Help answers nothing: it does not close
// the dialog. Ctrl+C copies the caption, text and button captions to the clipboard. Returns the
// modal result of the button pressed (mrNone if the dialog could not be shown).
//
// `shorten` is asked for a shorter text when the whole one would make the dialog taller than the
// work area (or wider, by a long word): it gets the text, a device context with the dialog's font,
// the width the dialog wraps at, the widest line and the height it can take for its text.
using TTextShortener =
    std::function<std::string(const std::string& text, HDC dc, int wrapWidth, int widestLine, int height)>;
TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext,
                        const TTextShortener& shorten = nullptr);

}  // namespace vellumor
