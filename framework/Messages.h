// Messages of the framework.
//   TMessage       one window message as a control's handlers see it
//   CM_*           the framework's own notifications between controls (0xB000 range)
//   CN_*           notifications a parent reflects back to the child that sent them
#pragma once

#include <windows.h>

namespace vellumor {

struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

// Above WM_APP and below the registered-message range, so no system or common control uses them.
constexpr UINT CM_BASE = 0xB000;
// Sent to every windowed control of a window tree when the focus moves inside it; LParam is the
// control that has the focus now.
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr UINT CM_FONTCHANGED = CM_BASE + 14;
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;
constexpr UINT CM_COLORCHANGED = CM_BASE + 13;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
constexpr UINT CM_ENTER = CM_BASE + 26;  // 0xB01A
constexpr UINT CM_EXIT = CM_BASE + 27;   // 0xB01B
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;
constexpr UINT CM_CTL3DCHANGED = CM_BASE + 16;
constexpr UINT CM_BIDIMODECHANGED = CM_BASE + 60;

// A reflected notification keeps the original message number above CN_BASE.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
constexpr UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
constexpr UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;

}  // namespace vellumor
