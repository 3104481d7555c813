// The main window.
//   TFormMain   every component of the window and its event handlers
//   FormMain    the one instance, made by Application->CreateForm
#pragma once

#include "ActnList.h"
#include "Buttons.h"
#include "CheckLst.h"
#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "ImgList.h"
#include "MessageChoices.h"
#include "Spin.h"
#include "StdCtrls.h"

namespace vellumor {

// Marks that the program carries the visual-styles manifest (the resource script embeds it).
class TXPManifest : public TComponent {
 public:
  using TComponent::TComponent;
};

class TFormMain : public TForm {
 public:
  explicit TFormMain(TComponent* owner);

  TPageControl* PageControl1 = nullptr;
  TTabSheet* TSMessageDlg = nullptr;
  TTabSheet* TSMessageBox = nullptr;
  TLabel* Label1 = nullptr;
  TMemo* mmMessage = nullptr;
  TCheckBox* cbValues = nullptr;
  TXPManifest* XPManifest1 = nullptr;
  TComboBox* edStyle = nullptr;
  TLabel* Label2 = nullptr;
  TGroupBox* GroupBox1 = nullptr;
  TRadioButton* rbMDPreset = nullptr;
  TRadioButton* rbMDSelect = nullptr;
  TComboBox* edMDPreset = nullptr;
  TCheckBox* cbMDOK = nullptr;
  TCheckBox* cbMDCancel = nullptr;
  TCheckBox* cbMDYes = nullptr;
  TCheckBox* cbMDNo = nullptr;
  TCheckBox* cbMDAbort = nullptr;
  TCheckBox* cbMDRetry = nullptr;
  TCheckBox* cbMDIgnore = nullptr;
  TCheckBox* cbMDAll = nullptr;
  TCheckBox* cbMDHelp = nullptr;
  TLabel* Label3 = nullptr;
  TSpinEdit* edMDHelpContext = nullptr;
  TCheckBox* cbMDCheckResult = nullptr;
  TComboBox* edMDCheckResult = nullptr;
  TCheckBox* cbMDSound = nullptr;
  TGroupBox* GroupBox2 = nullptr;
  TComboBox* edMBPreset = nullptr;
  TCheckBox* cbMBHelp = nullptr;
  TLabel* Label4 = nullptr;
  TComboBox* edMBDefault = nullptr;
  TLabel* Label5 = nullptr;
  TComboBox* edMBCheckResult = nullptr;
  TCheckBox* cbMBCheckResult = nullptr;
  TLabel* Label6 = nullptr;
  TEdit* edMBTitle = nullptr;
  TLabel* Label7 = nullptr;
  TComboBox* edMBModal = nullptr;
  TActionList* ActionList1 = nullptr;
  TAction* ActPreview = nullptr;
  TAction* ActCreate = nullptr;
  TAction* ActAbout = nullptr;
  TCheckBox* cbMDYesToAll = nullptr;
  TCheckBox* cbMDNoToAll = nullptr;
  TMemo* mmCopy = nullptr;
  TLabel* Label8 = nullptr;
  TCheckListBox* clbMBOptions = nullptr;
  TBitBtn* BtnPreview = nullptr;
  TBitBtn* BtnCreate = nullptr;
  TBitBtn* BtnAbout = nullptr;
  TBitBtn* BtnExit = nullptr;
  TImageList* ImageList1 = nullptr;
  TAction* ActExit = nullptr;
  TShape* Shape1 = nullptr;
  TBevel* Bevel2 = nullptr;
  TLabel* LblWinTitle = nullptr;
  TBevel* Bevel1 = nullptr;

  void FormCreate(TObject* sender);
  void ActPreviewUpdate(TObject* sender);
  void FormShow(TObject* sender);
  void ActPreviewExecute(TObject* sender);
  void ActCreateExecute(TObject* sender);
  void ActAboutExecute(TObject* sender);
  void rbMDPresetClick(TObject* sender);
  void rbMDSelectClick(TObject* sender);
  void edMBPresetCloseUp(TObject* sender);
  void ActExitExecute(TObject* sender);

  // A paste into mmMessage first offers the clipboard's text as a statement to edit.
  void mmMessagePaste(TObject* sender, bool& handled);
  // The system menu's "Read Statement from Clipboard": the same offer, but nothing is pasted.
  void ReadStatementFromClipboard(TObject* sender);

  // Every control set to `choices`, the dependent lists rebuilt as for a user's change; the
  // inverse of ReadChoices.
  void SetChoices(const MessageChoices& choices);
  // The choices as the controls hold them now. Without the texts, the message and the title stay
  // empty: what runs at every idle moment must not read a text that can be any size.
  MessageChoices ReadChoices(bool withTexts = true) const;
  // Says that the system refused to show the preview box, with the system's text for `error`.
  void ReportRefusedPreview(DWORD error);
  // Says that Create could not put the code on the clipboard, and why (the system's error code).
  void ReportFailedCopy(DWORD error);

 private:
  // Creates every component with its stored values (the layout table).
  void LoadLayout();
  void WireEvents();
  // Says what is wrong with the values in braces, when something is, in a box with `caption`:
  // nothing is shown or copied then.
  bool RefuseBadValues(const MessageChoices& choices, const std::string& caption);
  // Offers `text` as a statement to set the window to. True when the text is taken care of (set,
  // or refused by the user) and must not be pasted as well.
  bool OfferStatement(const std::string& text, bool pasting);
};

extern TFormMain* FormMain;

}  // namespace vellumor
