#include "WindowRules.h"

namespace vellumor {

EnabledStates GetEnabledStates(const MessageChoices& c, int mdCheckResultItems) {
  EnabledStates e;
  e.edMDPreset = c.rbMDPreset;
  e.mdButtonBoxes = !c.rbMDPreset;
  e.cbMDCheckResult = mdCheckResultItems > 0;
  e.edMDHelpContext = c.cbMDHelp;
  e.edMDCheckResult = c.cbMDCheckResult;
  e.edMBCheckResult = c.cbMBCheckResult;
  // Without a button the dialog could not be closed: nothing to preview or create.
  e.actPreview = !(CallKindOf(c) == CallKind::MessageDlg && NoMessageDlgButtonSelected(c));
  e.actCreate = e.actPreview;
  return e;
}

std::string GetAboutText(const std::string& applicationTitle) {
  return applicationTitle +
         "\r\rGenerate message show program code in Delphi.\r\r"
         "Vellumor, the Delphi message box code generator\r"
         "Free software under the MIT License; no warranty.";
}

}  // namespace vellumor
