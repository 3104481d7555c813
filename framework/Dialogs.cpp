#include "Dialogs.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <vector>

#include "Clipbrd.h"
#include "Forms.h"
#include "SysUtils.h"

namespace vellumor {

namespace {

struct ButtonInfo {
  const wchar_t* caption;
  TModalResult result;
};
// By TMsgDlgBtn.
constexpr std::array<ButtonInfo, 11> kButtons = {{
    {L"&Yes", mrYes},
    {L"&No", mrNo},
    {L"OK", mrOk},
    {L"Cancel", mrCancel},
    {L"&Abort", mrAbort},
    {L"&Retry", mrRetry},
    {L"&Ignore", mrIgnore},
    {L"&All", mrAll},
    {L"N&o to All", mrNoToAll},
    {L"Yes to &All", mrYesToAll},
    {L"&Help", mrNone},
}};
constexpr int kFirstButtonId = 1000;

struct DialogState {
  std::wstring text;
  std::wstring caption;
  TMsgDlgType type;
  std::vector<TMsgDlgBtn> buttons;
  TMsgDlgBtn defaultButton = mbOK;
  int cancelButton = -1;  // the TMsgDlgBtn that Esc and the close box press, -1 for none
  TModalResult result = mrNone;
  bool done = false;
};

// Lone CR or LF as CR LF, so the static control and the measurement break lines alike.
std::wstring WithCrLf(const std::wstring& text) {
  std::wstring out;
  out.reserve(text.size() + 8);
  for (size_t i = 0; i < text.size(); ++i) {
    wchar_t c = text[i];
    if (c == L'\r' || c == L'\n') {
      out += L"\r\n";
      if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    } else {
      out += c;
    }
  }
  return out;
}

std::wstring WithoutAmpersand(const wchar_t* caption) {
  std::wstring out;
  for (; *caption; ++caption)
    if (*caption != L'&') out += *caption;
  return out;
}

// The same text the system's boxes put on the clipboard for Ctrl+C.
void CopyToClipboard(const DialogState& state) {
  const std::wstring rule = L"---------------------------\r\n";
  std::wstring text = rule + state.caption + L"\r\n" + rule + WithCrLf(state.text) + L"\r\n" + rule;
  for (TMsgDlgBtn button : state.buttons)
    text += WithoutAmpersand(kButtons[button].caption) + L"   ";
  text += L"\r\n" + rule;
  Clipboard().SetAsText(Narrow(text));
}

HWND AddChild(HWND dialog, const wchar_t* cls, const std::wstring& text, DWORD style, RECT r, int id) {
  HWND child = CreateWindowExW(
      0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left, r.bottom - r.top,
      dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(child, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
  return child;
}

void Layout(HWND dialog, DialogState& state) {
  auto dlu = [&](int x, int y) {
    RECT r{0, 0, x, y};
    MapDialogRect(dialog, &r);
    return r;
  };
  RECT margin = dlu(8, 8), button = dlu(50, 14), gap = dlu(4, 4);
  static const LPCWSTR icons[] = {IDI_WARNING, IDI_ERROR, IDI_INFORMATION, IDI_QUESTION};
  HICON icon = state.type < mtCustom ? LoadIconW(nullptr, icons[state.type]) : nullptr;
  int iconW = icon ? GetSystemMetrics(SM_CXICON) : 0, iconH = icon ? GetSystemMetrics(SM_CYICON) : 0;

  // Measure the text with the dialog's font, wrapping at most at 60% of the work area.
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  std::wstring shown = WithCrLf(state.text);
  RECT textRect{0, 0, std::max<LONG>(200, (work.right - work.left) * 3 / 5), 0};
  HDC dc = GetDC(dialog);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
  DrawTextW(dc, shown.empty() ? L" " : shown.c_str(), -1, &textRect,
            DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(dialog, dc);
  int textW = textRect.right, textH = textRect.bottom;

  int n = static_cast<int>(state.buttons.size());
  int rowW = n * button.right + std::max(0, n - 1) * gap.right;
  int bodyLeft = margin.right + (icon ? iconW + margin.right : 0);
  int clientW = std::max(bodyLeft + textW + margin.right, margin.right + rowW + margin.right);
  int bodyH = std::max(iconH, textH);
  int rowTop = margin.bottom + bodyH + margin.bottom;
  int clientH = rowTop + button.bottom + margin.bottom;

  if (icon) {
    HWND iconCtl =
        AddChild(dialog, L"STATIC", L"", SS_ICON,
                 RECT{margin.right, margin.bottom, margin.right + iconW, margin.bottom + iconH}, -1);
    SendMessageW(iconCtl, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  }
  int textTop = margin.bottom + (bodyH - textH) / 2;
  AddChild(dialog, L"STATIC", shown, SS_LEFT | SS_NOPREFIX,
           RECT{bodyLeft, textTop, bodyLeft + textW, textTop + textH}, -1);

  int x = (clientW - rowW) / 2;
  HWND focus = nullptr;
  for (TMsgDlgBtn b : state.buttons) {
    bool isDefault = b == state.defaultButton;
    HWND ctl = AddChild(dialog, L"BUTTON", kButtons[b].caption,
                        WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
                        RECT{x, rowTop, x + button.right, rowTop + button.bottom}, kFirstButtonId + b);
    if (isDefault) focus = ctl;
    x += button.right + gap.right;
  }
  SendMessageW(dialog, DM_SETDEFID, kFirstButtonId + state.defaultButton, 0);
  if (state.cancelButton < 0)
    EnableMenuItem(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);

  // Centre over the owner, or on the work area, and keep it on the screen.
  RECT frame{0, 0, clientW, clientH};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(dialog, GWL_EXSTYLE)));
  int w = frame.right - frame.left, h = frame.bottom - frame.top;
  RECT around = work;
  if (HWND owner = GetWindow(dialog, GW_OWNER); owner && IsWindowVisible(owner))
    GetWindowRect(owner, &around);
  int left = std::clamp<int>((around.left + around.right - w) / 2, work.left,
                             std::max<int>(work.left, work.right - w));
  int top = std::clamp<int>((around.top + around.bottom - h) / 2, work.top,
                            std::max<int>(work.top, work.bottom - h));
  SetWindowPos(dialog, nullptr, left, top, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
  if (focus) SetFocus(focus);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      state = reinterpret_cast<DialogState*>(lParam);
      SetWindowTextW(dialog, state->caption.c_str());
      Layout(dialog, *state);
      return FALSE;  // the focus is set
    case WM_COMMAND: {
      int id = LOWORD(wParam);
      if (id == IDCANCEL) {
        if (state->cancelButton >= 0) {
          state->result = kButtons[static_cast<size_t>(state->cancelButton)].result;
          state->done = true;
        }
        return TRUE;
      }
      int b = id - kFirstButtonId;
      if (b >= 0 && b < static_cast<int>(kButtons.size()) && b != mbHelp) {
        state->result = kButtons[static_cast<size_t>(b)].result;
        state->done = true;
      }
      return TRUE;
    }
    case WM_CLOSE:
      SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

// An empty dialog template: the controls are made in WM_INITDIALOG, sized to the text.
std::vector<WORD> EmptyTemplate() {
  std::vector<WORD> t(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  auto* header = reinterpret_cast<DLGTEMPLATE*>(t.data());
  header->style = DS_SETFONT | DS_FIXEDSYS | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  header->cx = 100;
  header->cy = 50;
  t.push_back(0);  // no menu
  t.push_back(0);  // the standard dialog class
  t.push_back(0);  // no title yet
  t.push_back(8);  // point size, with the shell's dialog font
  for (const wchar_t* face = L"MS Shell Dlg"; *face; ++face)
    t.push_back(static_cast<WORD>(*face));
  t.push_back(0);
  return t;
}

}  // namespace

TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons,
                        int /*helpContext*/) {
  DialogState state;
  state.text = Widen(text);
  static constexpr const wchar_t* captions[] = {L"Warning", L"Error", L"Information", L"Confirmation"};
  state.caption = type < mtCustom ? captions[type] : Widen(Application ? Application->Title : std::string());
  state.type = type;
  for (int b = mbYes; b <= mbHelp; ++b)
    if (buttons & (1u << b)) state.buttons.push_back(static_cast<TMsgDlgBtn>(b));
  auto has = [&](TMsgDlgBtn b) { return (buttons & ButtonBit(b)) != 0; };
  state.defaultButton = has(mbOK)               ? mbOK
                        : has(mbYes)            ? mbYes
                        : state.buttons.empty() ? mbOK
                                                : state.buttons[0];
  state.cancelButton = has(mbCancel) ? mbCancel : has(mbNo) ? mbNo : has(mbOK) ? mbOK : -1;

  HWND owner = GetActiveWindow();
  std::vector<WORD> tmpl = EmptyTemplate();
  HWND dialog =
      CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<DLGTEMPLATE*>(tmpl.data()),
                                 owner, DialogProc, reinterpret_cast<LPARAM>(&state));
  if (!dialog) return mrNone;
  bool ownerWasEnabled = owner && IsWindowEnabled(owner);
  if (ownerWasEnabled) EnableWindow(owner, FALSE);
  ShowWindow(dialog, SW_SHOW);

  // The dialog's own modal loop; a quit request ends it and is passed on to the outer loop.
  bool quit = false;
  WPARAM quitCode = 0;
  MSG msg;
  while (!state.done) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      quit = got == 0;
      quitCode = msg.wParam;
      break;
    }
    bool ours = msg.hwnd == dialog || IsChild(dialog, msg.hwnd);
    if (ours && msg.message == WM_KEYDOWN && msg.wParam == 'C' && GetKeyState(VK_CONTROL) < 0) {
      CopyToClipboard(state);
      continue;
    }
    if (!IsDialogMessageW(dialog, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  // Re-enable the owner first, so it gets the activation back when the dialog goes.
  if (ownerWasEnabled) EnableWindow(owner, TRUE);
  DestroyWindow(dialog);
  if (quit) PostQuitMessage(static_cast<int>(quitCode));
  return state.result;
}

}  // namespace vellumor
