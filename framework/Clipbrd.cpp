#include "Clipbrd.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "SysUtils.h"

namespace vellumor {

namespace {

// Another program may hold the clipboard for a moment: try a few times before giving up.
bool OpenClipboardPatiently(HWND owner) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (OpenClipboard(owner)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  if (GetLastError() == ERROR_SUCCESS) SetLastError(ERROR_ACCESS_DENIED);
  return false;
}

// Owns what is written without a window of the caller's; made once, never shown.
HWND HiddenOwner() {
  static HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
  return window;
}

// Keeps the error code of a failure through the clean-up calls after it.
void KeepingLastError(auto cleanUp) {
  DWORD error = GetLastError();
  cleanUp();
  SetLastError(error);
}

}  // namespace

// Everything that can fail without touching the clipboard (the memory, opening it) comes first:
// once it is emptied, only the write itself is left.
bool TClipboard::SetAsText(std::string_view utf8, HWND owner) {
  std::wstring wide = Widen(utf8);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
  if (!memory) return false;
  auto* data = static_cast<wchar_t*>(GlobalLock(memory));
  std::copy(wide.begin(), wide.end(), data);
  data[wide.size()] = L'\0';
  GlobalUnlock(memory);
  if (!owner) owner = HiddenOwner();
  if (!OpenClipboardPatiently(owner)) {
    KeepingLastError([&] { GlobalFree(memory); });
    return false;
  }
  if (!EmptyClipboard()) {
    KeepingLastError([&] {
      GlobalFree(memory);
      CloseClipboard();
    });
    return false;
  }
  // The system owns the memory once SetClipboardData succeeds.
  bool ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  KeepingLastError([&] {
    if (!ok) GlobalFree(memory);
    CloseClipboard();
  });
  return ok;
}

std::string TClipboard::AsText() const {
  std::string text;
  GetAsText(text);
  return text;
}

bool TClipboard::GetAsText(std::string& text) const {
  text.clear();
  // Opened as a window: the system tells a holder without one from another such holder only by
  // its window, and would let this read in while another thread holds the clipboard.
  if (!OpenClipboardPatiently(HiddenOwner())) return false;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = Narrow(chars);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return true;
}

TClipboard& Clipboard() {
  static TClipboard clipboard;
  return clipboard;
}

}  // namespace vellumor
