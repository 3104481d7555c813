#include "Clipbrd.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "SysUtils.h"

namespace vellumor {

namespace {

// Another program may hold the clipboard for a moment: try a few times before giving up.
bool OpenClipboardPatiently() {
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (OpenClipboard(nullptr)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

}  // namespace

bool TClipboard::SetAsText(std::string_view utf8) {
  std::wstring wide = Widen(utf8);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
  if (!memory) return false;
  auto* data = static_cast<wchar_t*>(GlobalLock(memory));
  std::copy(wide.begin(), wide.end(), data);
  data[wide.size()] = L'\0';
  GlobalUnlock(memory);
  if (!OpenClipboardPatiently()) {
    GlobalFree(memory);
    return false;
  }
  EmptyClipboard();
  // The system owns the memory once SetClipboardData succeeds.
  bool ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  if (!ok) GlobalFree(memory);
  CloseClipboard();
  return ok;
}

std::string TClipboard::AsText() const {
  if (!OpenClipboardPatiently()) return {};
  std::string text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = Narrow(chars);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

TClipboard& Clipboard() {
  static TClipboard clipboard;
  return clipboard;
}

}  // namespace vellumor
