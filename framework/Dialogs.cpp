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
  // A box with no button that closes it (none, or Help alone) closes on Esc and its close box.
  bool closesWithoutButton = false;
  TModalResult result = mrNone;
  bool done = false;
  const TTextShortener* shorten = nullptr;
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

// The work area of the monitor the box belongs on: its owner's, else the primary one.
RECT WorkAreaFor(HWND dialog) {
  HWND owner = GetWindow(dialog, GW_OWNER);
  return WorkAreaOf(MonitorFromWindow(owner ? owner : dialog, MONITOR_DEFAULTTOPRIMARY));
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

  const DWORD style = static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE));
  const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(dialog, GWL_EXSTYLE));
  const RECT work = WorkAreaFor(dialog);
  RECT frameOnly{0, 0, 0, 0};
  AdjustWindowRectEx(&frameOnly, style, FALSE, exStyle);
  // The widest client area that keeps the whole box inside the work area.
  const int maxClientW = std::max<int>(button.right + 2 * margin.right,
                                       (work.right - work.left) - (frameOnly.right - frameOnly.left));

  // Buttons that need more width than the work area has wrap onto further rows.
  int n = static_cast<int>(state.buttons.size());
  int perRow = std::max<int>(1, (maxClientW - 2 * margin.right + gap.right) / (button.right + gap.right));
  perRow = std::min(perRow, std::max(n, 1));
  int rows = n == 0 ? 1 : (n + perRow - 1) / perRow;
  const int buttonsH = rows * button.bottom + (rows - 1) * gap.bottom;

  // Measure the text with the dialog's font, wrapping at most at 60% of the work area.
  int bodyLeft = margin.right + (icon ? iconW + margin.right : 0);
  const int wrapW = std::max<LONG>(200, (work.right - work.left) * 3 / 5);
  const int widest = maxClientW - bodyLeft - margin.right;
  const int maxTextH =
      (work.bottom - work.top) - (frameOnly.bottom - frameOnly.top) - 3 * margin.bottom - buttonsH;
  std::wstring shown = WithCrLf(state.text);
  HDC dc = GetDC(dialog);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
  auto measure = [&] {
    RECT r{0, 0, wrapW, 0};
    DrawTextW(dc, shown.empty() ? L" " : shown.c_str(), -1, &r,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    return r;
  };
  RECT textRect = measure();
  if (state.shorten && *state.shorten && (textRect.bottom > maxTextH || textRect.right > widest)) {
    shown = WithCrLf(Widen((*state.shorten)(Narrow(state.text), dc, wrapW, widest, maxTextH)));
    textRect = measure();
  }
  SelectObject(dc, old);
  ReleaseDC(dialog, dc);
  int textW = std::min<int>(textRect.right, widest), textH = textRect.bottom;

  auto rowWidth = [&](int count) {
    return static_cast<int>(count * button.right + std::max(0, count - 1) * gap.right);
  };
  int clientW =
      std::max<int>(bodyLeft + textW + margin.right, margin.right + rowWidth(perRow) + margin.right);
  int bodyH = std::max<int>(iconH, textH);
  int rowTop = margin.bottom + bodyH + margin.bottom;
  int clientH = rowTop + buttonsH + margin.bottom;

  if (icon) {
    HWND iconCtl =
        AddChild(dialog, L"STATIC", L"", SS_ICON,
                 RECT{margin.right, margin.bottom, margin.right + iconW, margin.bottom + iconH}, -1);
    SendMessageW(iconCtl, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  }
  int textTop = margin.bottom + (bodyH - textH) / 2;
  AddChild(dialog, L"STATIC", shown, SS_LEFT | SS_NOPREFIX,
           RECT{bodyLeft, textTop, bodyLeft + textW, textTop + textH}, -1);

  HWND focus = nullptr;
  for (int i = 0; i < n; ++i) {
    TMsgDlgBtn b = state.buttons[static_cast<size_t>(i)];
    int row = i / perRow, column = i % perRow;
    int inRow = std::min(perRow, n - row * perRow);
    int x = (clientW - rowWidth(inRow)) / 2 + column * (button.right + gap.right);
    int y = rowTop + row * (button.bottom + gap.bottom);
    bool isDefault = b == state.defaultButton;
    HWND ctl = AddChild(dialog, L"BUTTON", kButtons[b].caption,
                        WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
                        RECT{x, y, x + button.right, y + button.bottom}, kFirstButtonId + b);
    if (isDefault) focus = ctl;
  }
  SendMessageW(dialog, DM_SETDEFID, kFirstButtonId + state.defaultButton, 0);
  if (state.cancelButton < 0 && !state.closesWithoutButton)
    EnableMenuItem(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);

  // Centre over the owner, or on the work area, and keep it inside the work area.
  RECT frame{0, 0, clientW, clientH};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
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
        } else if (state->closesWithoutButton) {
          state->result = mrCancel;
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

// The dialog classes: like the system's, one of them without a close box. The frame's close box
// must look unavailable where no button closes the box by Esc, as a window manager reads it from
// the class rather than from the system menu.
const wchar_t* DialogClass(bool closable) {
  static const wchar_t* const names[2] = {L"VellumorMessageDlgNoClose", L"VellumorMessageDlg"};
  static bool registered[2] = {false, false};
  const int i = closable ? 1 : 0;
  if (!registered[i]) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS | CS_SAVEBITS | (closable ? 0u : static_cast<UINT>(CS_NOCLOSE));
    wc.lpfnWndProc = DefDlgProcW;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = names[i];
    registered[i] = RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }
  return names[i];
}

// An empty dialog template: the controls are made in WM_INITDIALOG, sized to the text.
std::vector<WORD> EmptyTemplate(const wchar_t* windowClass) {
  std::vector<WORD> t(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  auto* header = reinterpret_cast<DLGTEMPLATE*>(t.data());
  header->style = DS_SETFONT | DS_FIXEDSYS | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
  header->cx = 100;
  header->cy = 50;
  t.push_back(0);  // no menu
  for (const wchar_t* c = windowClass; *c; ++c)
    t.push_back(static_cast<WORD>(*c));
  t.push_back(0);
  t.push_back(0);  // no title yet
  t.push_back(8);  // point size, with the shell's dialog font
  for (const wchar_t* face = L"MS Shell Dlg"; *face; ++face)
    t.push_back(static_cast<WORD>(*face));
  t.push_back(0);
  return t;
}

}  // namespace

TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons,
                        int /*helpContext*/, const TTextShortener& shorten) {
  DialogState state;
  state.shorten = &shorten;
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
  state.closesWithoutButton = (buttons & (ButtonBit(mbHelp) - 1u)) == 0;
  const bool closable = state.cancelButton >= 0 || state.closesWithoutButton;

  HWND owner = GetActiveWindow();
  std::vector<WORD> tmpl = EmptyTemplate(DialogClass(closable));
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
