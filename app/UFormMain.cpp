#include "UFormMain.h"

#include <algorithm>

#include "ChoiceLists.h"
#include "Clipbrd.h"
#include "CodeLayout.h"
#include "CodeReader.h"
#include "Dialogs.h"
#include "MessageText.h"
#include "SysUtils.h"
#include "Utf8.h"
#include "WindowRules.h"

namespace vellumor {

TFormMain* FormMain = nullptr;

namespace {

// Refills a list, keeping the selected text when the new items still have it.
void Rebuild(TComboBox& list, const ListItems& items) {
  std::string remembered = list.ItemIndex() >= 0 ? list.Text() : std::string();
  list.Items().Clear();
  for (std::string_view item : items)
    list.Items().Add(std::string(item));
  list.SetItemIndex(KeptSelection(remembered, items));
}

std::string SystemErrorText(DWORD error) {
  wchar_t* buffer = nullptr;
  DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::string text = length ? Narrow(std::wstring_view(buffer, length)) : std::string();
  if (buffer) LocalFree(buffer);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32)
    text.pop_back();
  return text.empty() ? "System error " + std::to_string(error) + "." : text;
}

// Why the clipboard could not be used; `retry` is what to do again once another program frees it.
std::string ClipboardTrouble(DWORD error, const std::string& retry) {
  return error == ERROR_ACCESS_DENIED
             ? "Another program is using the clipboard. " + retry + " again when it is free."
             : SystemErrorText(error);
}

// The one way a box's text is fitted to the screen: measured in `dc`, which holds the box's font,
// it stays as it is when the box can take it whole, else it is shortened around the note and
// measured again, with fewer lines until the box can take it.
std::string TextToShow(HDC dc, int wrapWidth, int widestLine, int height, const std::string& text,
                       const LeftOutNote& note) {
  auto fits = [&](const std::string& candidate) {
    std::wstring wide = Widen(candidate);
    RECT r{0, 0, wrapWidth, 0};
    DrawTextW(dc, wide.empty() ? L" " : wide.c_str(), static_cast<int>(wide.size()), &r,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    return r.bottom <= height && r.right <= widestLine;
  };
  if (fits(text)) return text;
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  // Only the start of a line is measured: a line never holds more characters than pixels.
  LineFit fit = [&](std::string_view line, int width) -> size_t {
    std::string_view start = line.substr(0, static_cast<size_t>(width) * 4);
    std::wstring wide = Widen(start);
    int fitting = 0;
    SIZE size{};
    GetTextExtentExPointW(dc, wide.c_str(), static_cast<int>(wide.size()), width, &fitting, nullptr, &size);
    return Utf8BytesOfUnits(start, static_cast<size_t>(std::max(0, fitting)));
  };
  TextRoom room{
      wrapWidth, widestLine,
      static_cast<size_t>(std::max(1, height / std::max<int>(1, tm.tmHeight + tm.tmExternalLeading)))};
  std::string shown = FitBoxText(text, fit, room, note);
  while (!fits(shown) && room.lines > 5) {
    room.lines = room.lines * 4 / 5;
    shown = FitBoxText(text, fit, room, note);
  }
  return shown;
}

// The system's message box, in the message font: it wraps a little inside a fifth of the work
// area's width and widens for a longer word, up to the whole width less its icon and margins. Its
// caption, margins and button row are counted as lines of text, with room to spare.
std::string SystemBoxTextToShow(HWND window, const std::string& text, const LeftOutNote& note) {
  const RECT work = WorkAreaOf(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY));
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  GdiObject font(CreateFontIndirectW(&metrics.lfMessageFont));
  ScreenDC dc;
  ScopedSelect select(dc.Get(), font.Get());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc.Get(), &tm);
  const int line = std::max<int>(1, tm.tmHeight + tm.tmExternalLeading);
  const int frameW = 2 * GetSystemMetrics(SM_CXFIXEDFRAME), frameH = 2 * GetSystemMetrics(SM_CYFIXEDFRAME);
  const int workW = static_cast<int>(work.right - work.left),
            workH = static_cast<int>(work.bottom - work.top);
  const int wrapWidth = std::max(line, workW / 5 - line);
  const int widestLine = std::max(wrapWidth, workW - frameW - GetSystemMetrics(SM_CXICON) - 4 * line);
  const int height = workH - frameH - GetSystemMetrics(SM_CYCAPTION) - 8 * line;
  return TextToShow(dc.Get(), wrapWidth, widestLine, std::max(line, height), text, note);
}

}  // namespace

TFormMain::TFormMain(TComponent* owner) : TForm(owner) {
  LoadLayout();
  WireEvents();
}

void TFormMain::WireEvents() {
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
  ActPreview->OnUpdate = [this](TObject* s) { ActPreviewUpdate(s); };
  ActPreview->OnExecute = [this](TObject* s) { ActPreviewExecute(s); };
  ActCreate->OnExecute = [this](TObject* s) { ActCreateExecute(s); };
  ActAbout->OnExecute = [this](TObject* s) { ActAboutExecute(s); };
  ActExit->OnExecute = [this](TObject* s) { ActExitExecute(s); };

  auto presetClick = [this](TObject* s) { rbMDPresetClick(s); };
  auto selectClick = [this](TObject* s) { rbMDSelectClick(s); };
  auto boxPresetCloseUp = [this](TObject* s) { edMBPresetCloseUp(s); };
  rbMDPreset->OnClick = presetClick;
  edMDPreset->OnCloseUp = presetClick;
  // A preset changed while its list is closed (arrow keys, wheel) rebuilds too, so the result
  // and default lists never belong to the old preset.
  edMDPreset->OnChange = presetClick;
  rbMDSelect->OnClick = selectClick;
  for (TCheckBox* box : {cbMDOK, cbMDCancel, cbMDYes, cbMDNo, cbMDAbort, cbMDRetry, cbMDIgnore, cbMDAll,
                         cbMDYesToAll, cbMDNoToAll})
    box->OnClick = selectClick;
  edMBPreset->OnCloseUp = boxPresetCloseUp;
  edMBPreset->OnChange = boxPresetCloseUp;
  cbMBHelp->OnClick = boxPresetCloseUp;

  mmMessage->OnPaste = [this](TObject* s, bool& handled) { mmMessagePaste(s, handled); };
  AddSystemMenuItem("Read Statement from Clipboard", [this](TObject* s) { ReadStatementFromClipboard(s); });
}

MessageChoices TFormMain::ReadChoices(bool withTexts) const {
  MessageChoices c;
  c.mmMessage.clear();
  if (withTexts) c.mmMessage = mmMessage->Lines().ToVector();
  c.cbValues = cbValues->Checked();
  c.edStyle = edStyle->ItemIndex();
  c.PageControl1 = PageControl1->ActivePageIndex();
  c.rbMDPreset = rbMDPreset->Checked();
  c.edMDPreset = edMDPreset->ItemIndex();
  c.cbMDOK = cbMDOK->Checked();
  c.cbMDCancel = cbMDCancel->Checked();
  c.cbMDYes = cbMDYes->Checked();
  c.cbMDNo = cbMDNo->Checked();
  c.cbMDAbort = cbMDAbort->Checked();
  c.cbMDRetry = cbMDRetry->Checked();
  c.cbMDIgnore = cbMDIgnore->Checked();
  c.cbMDAll = cbMDAll->Checked();
  c.cbMDYesToAll = cbMDYesToAll->Checked();
  c.cbMDNoToAll = cbMDNoToAll->Checked();
  c.cbMDHelp = cbMDHelp->Checked();
  c.edMDHelpContext = edMDHelpContext->Value();
  c.cbMDCheckResult = cbMDCheckResult->Checked();
  c.edMDCheckResult = edMDCheckResult->ItemIndex() >= 0 ? edMDCheckResult->Text() : std::string();
  c.cbMDSound = cbMDSound->Checked();
  c.edMBPreset = edMBPreset->ItemIndex();
  c.edMBDefault = edMBDefault->ItemIndex();
  c.cbMBHelp = cbMBHelp->Checked();
  if (withTexts) c.edMBTitle = edMBTitle->Text();
  c.edMBModal = edMBModal->ItemIndex();
  for (int i = 0; i < static_cast<int>(c.clbMBOptions.size()); ++i)
    c.clbMBOptions[static_cast<size_t>(i)] = clbMBOptions->ItemChecked(i);
  c.cbMBCheckResult = cbMBCheckResult->Checked();
  c.edMBCheckResult = edMBCheckResult->ItemIndex() >= 0 ? edMBCheckResult->Text() : std::string();
  return c;
}

void TFormMain::SetChoices(const MessageChoices& c) {
  mmMessage->Lines().Assign(c.mmMessage);
  cbValues->SetChecked(c.cbValues);
  edStyle->SetItemIndex(c.edStyle);
  PageControl1->SetActivePageIndex(c.PageControl1 == 0 ? 0 : 1);
  // Boxes and radio buttons raise their clicks, which rebuild lists on the way; the lists are
  // rebuilt once more below from the finished choices, before their selections are set.
  edMDPreset->SetItemIndex(c.edMDPreset);
  cbMDOK->SetChecked(c.cbMDOK);
  cbMDCancel->SetChecked(c.cbMDCancel);
  cbMDYes->SetChecked(c.cbMDYes);
  cbMDNo->SetChecked(c.cbMDNo);
  cbMDAbort->SetChecked(c.cbMDAbort);
  cbMDRetry->SetChecked(c.cbMDRetry);
  cbMDIgnore->SetChecked(c.cbMDIgnore);
  cbMDAll->SetChecked(c.cbMDAll);
  cbMDYesToAll->SetChecked(c.cbMDYesToAll);
  cbMDNoToAll->SetChecked(c.cbMDNoToAll);
  (c.rbMDPreset ? rbMDPreset : rbMDSelect)->SetChecked(true);
  cbMDHelp->SetChecked(c.cbMDHelp);
  edMDHelpContext->SetValue(c.edMDHelpContext);
  cbMDCheckResult->SetChecked(c.cbMDCheckResult);
  cbMDSound->SetChecked(c.cbMDSound);
  edMBPreset->SetItemIndex(c.edMBPreset);
  cbMBHelp->SetChecked(c.cbMBHelp);
  edMBTitle->SetText(c.edMBTitle);
  edMBModal->SetItemIndex(c.edMBModal);
  for (int i = 0; i < static_cast<int>(c.clbMBOptions.size()); ++i)
    clbMBOptions->SetItemState(
        i, c.clbMBOptions[static_cast<size_t>(i)] ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked);
  cbMBCheckResult->SetChecked(c.cbMBCheckResult);

  if (c.rbMDPreset)
    rbMDPresetClick(nullptr);
  else
    rbMDSelectClick(nullptr);
  edMBPresetCloseUp(nullptr);
  ListSelections selected = SelectionsFor(c);
  edMDCheckResult->SetItemIndex(selected.mdCheckResult);
  edMBCheckResult->SetItemIndex(selected.mbCheckResult);
  edMBDefault->SetItemIndex(selected.mbDefault);
  ActPreviewUpdate(nullptr);
}

void TFormMain::mmMessagePaste(TObject*, bool& handled) {
  handled = OfferStatement(Clipboard().AsText(), true);
}

void TFormMain::ReadStatementFromClipboard(TObject*) {
  std::string text;
  if (!Clipboard().GetAsText(text)) {
    Application->MessageBox("The clipboard could not be read.\r\r" +
                                ClipboardTrouble(GetLastError(), "Choose Read Statement from Clipboard"),
                            "Read Statement", MB_OK | MB_ICONERROR);
    return;
  }
  if (!BeginsLikeStatement(text)) {
    Application->MessageBox(
        "The clipboard holds no MessageDlg or Application.MessageBox statement. Copy one, then try again.",
        "Read Statement", MB_OK | MB_ICONINFORMATION);
    return;
  }
  OfferStatement(text, false);
}

bool TFormMain::OfferStatement(const std::string& text, bool pasting) {
  // Plain text never reaches the reader: a paste stays as quick as it was.
  if (!BeginsLikeStatement(text)) return false;
  MessageChoices choices;
  try {
    choices = ReadCode(text);
  } catch (const CodeReadError& e) {
    int answer =
        Application->MessageBox(RefusedStatementText(e.line, e.column, e.what_, pasting), "Read Statement",
                                pasting ? MB_YESNO | MB_ICONWARNING : MB_OK | MB_ICONWARNING);
    return !(pasting && answer == IDYES);
  }
  // No pastes the statement as text. Esc and the close box, which the system may allow on a Yes/No
  // box (answering Cancel), leave everything as it was.
  const int answer = Application->MessageBox(ReadStatementQuestion(CallKindOf(choices)), "Read Statement",
                                             MB_YESNO | MB_ICONQUESTION);
  if (answer == IDYES) SetChoices(choices);
  return answer != IDNO;
}

void TFormMain::FormCreate(TObject*) {
  Application->Title = Caption();
  PageControl1->SetActivePageIndex(0);
}

void TFormMain::FormShow(TObject*) {
  rbMDSelectClick(nullptr);
  edMBPresetCloseUp(nullptr);
  mmMessage->SelectAll();
}

void TFormMain::rbMDPresetClick(TObject*) {
  Rebuild(*edMDCheckResult, MDCheckResultItemsForPreset(edMDPreset->ItemIndex()));
}

void TFormMain::rbMDSelectClick(TObject*) {
  Rebuild(*edMDCheckResult, MDCheckResultItemsForBoxes(ReadChoices(false)));
}

void TFormMain::edMBPresetCloseUp(TObject*) {
  Rebuild(*edMBCheckResult, MBCheckResultItems(edMBPreset->ItemIndex()));
  Rebuild(*edMBDefault, MBDefaultItems(edMBPreset->ItemIndex(), cbMBHelp->Checked()));
}

void TFormMain::ActPreviewUpdate(TObject*) {
  EnabledStates e = GetEnabledStates(ReadChoices(false), edMDCheckResult->Items().Count());
  edMDPreset->SetEnabled(e.edMDPreset);
  for (TCheckBox* box : {cbMDOK, cbMDCancel, cbMDYes, cbMDNo, cbMDAbort, cbMDRetry, cbMDIgnore, cbMDAll,
                         cbMDYesToAll, cbMDNoToAll})
    box->SetEnabled(e.mdButtonBoxes);
  cbMDCheckResult->SetEnabled(e.cbMDCheckResult);
  edMDHelpContext->SetEnabled(e.edMDHelpContext);
  edMDCheckResult->SetEnabled(e.edMDCheckResult);
  edMBCheckResult->SetEnabled(e.edMBCheckResult);
  ActPreview->SetEnabled(e.actPreview);
  ActCreate->SetEnabled(e.actCreate);
}

bool TFormMain::RefuseBadValues(const MessageChoices& c, const std::string& caption) {
  std::optional<std::string> error = FindValueError(c);
  if (error) Application->MessageBox(ValueErrorText(*error), caption, MB_OK | MB_ICONERROR);
  return error.has_value();
}

void TFormMain::ActPreviewExecute(TObject*) {
  MessageChoices c = ReadChoices();
  if (RefuseBadValues(c, "Preview")) return;
  // Values show as typed, braces included, so the user sees where they go.
  std::string text = GetPreviewText(c.mmMessage, c.cbValues);
  if (CallKindOf(c) == CallKind::MessageBox) {
    SetLastError(0);
    // Never end silently: a box the system refused is reported with its reason.
    if (Application->MessageBox(SystemBoxTextToShow(Handle(), text, PreviewNote),
                                GetPreviewTitle(c.edMBTitle, c.cbValues), GetMessageBoxFlags(c)) == 0)
      ReportRefusedPreview(GetLastError());
    return;
  }
  MessageDlgParams params = GetMessageDlgParams(c);
  if (c.cbMDSound) SoundBeep(StyleInfo(c.edStyle).soundValue);
  MessageDlg(text, static_cast<TMsgDlgType>(params.dialogType), params.buttons, 0,
             [](const std::string& whole, HDC dc, int wrapWidth, int widestLine, int height) {
               return TextToShow(dc, wrapWidth, widestLine, height, whole, PreviewNote);
             });
}

void TFormMain::ReportRefusedPreview(DWORD error) {
  Application->MessageBox("The system refused to show the preview.\r\r" + SystemErrorText(error), "Preview",
                          MB_OK | MB_ICONERROR);
}

void TFormMain::ActCreateExecute(TObject*) {
  MessageChoices c = ReadChoices();
  if (RefuseBadValues(c, "Code")) return;
  GeneratedCode code = GenerateCode(c);
  std::string shown = SystemBoxTextToShow(Handle(), GetConfirmationText(code), ConfirmationNote);
  if (Application->MessageBox(shown, "Code", MB_OKCANCEL | MB_ICONINFORMATION) != IDOK) return;
  // The staging memo holds the copied code: its lines joined by CR LF, nothing after the last.
  // Being hidden it has no edit window to lay the text out, so this costs no more than a copy.
  std::string text = GetClipboardText(code);
  mmCopy->SetText(text);
  // Not through the memo's own copy, which fails in silence when another program holds the
  // clipboard; the window opens it as its owner, which the system needs to keep the data.
  if (!Clipboard().SetAsText(text, Handle())) ReportFailedCopy(GetLastError());
}

void TFormMain::ReportFailedCopy(DWORD error) {
  Application->MessageBox(
      "The code was not copied to the clipboard.\r\r" + ClipboardTrouble(error, "Press Create"), "Code",
      MB_OK | MB_ICONERROR);
}

void TFormMain::ActAboutExecute(TObject*) {
  Application->MessageBox(GetAboutText(Application->Title), "About", MB_OK | MB_ICONINFORMATION);
}

void TFormMain::ActExitExecute(TObject*) {
  Close();
}

}  // namespace vellumor
