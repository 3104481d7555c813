#include "WinTest.h"

#include "SysUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>
#include <utility>

namespace wintest {

void PumpUntilIdle() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

static std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, static_cast<int>(std::size(name)));
  return name;
}

// The system's dialog class, and the framework's message dialogs (one class has no close box).
static bool IsDialogClass(const std::wstring& name) {
  return name == L"#32770" || name.rfind(L"VellumorMessageDlg", 0) == 0;
}

static std::string TextOf(HWND hwnd) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return Narrow(text);
}

static std::string WithoutAccelerator(std::string s) {
  s.erase(std::remove(s.begin(), s.end(), '&'), s.end());
  return s;
}

static BOOL CALLBACK Collect(HWND hwnd, LPARAM windows) {
  reinterpret_cast<std::vector<HWND>*>(windows)->push_back(hwnd);
  return TRUE;
}

static std::vector<HWND> ChildrenOf(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&children));
  return children;
}

std::vector<HWND> ThreadDialogs(DWORD thread) {
  std::vector<HWND> all, found;
  EnumThreadWindows(thread, Collect, reinterpret_cast<LPARAM>(&all));
  for (HWND hwnd : all)
    if (IsWindowVisible(hwnd) && IsDialogClass(ClassOf(hwnd))) found.push_back(hwnd);
  return found;
}

BoxInfo ReadBox(HWND box) {
  BoxInfo info;
  info.hwnd = box;
  info.caption = TextOf(box);
  // The default push button style is what the user sees; DM_GETDEFID only when no button has it.
  LRESULT def = SendMessageW(box, DM_GETDEFID, 0, 0);
  int defId = HIWORD(def) == DC_HASDEFID ? LOWORD(def) : -1;
  std::string byId;
  for (HWND child : ChildrenOf(box)) {
    if (!IsWindowVisible(child)) continue;
    std::wstring cls = ClassOf(child);
    LONG style = GetWindowLongW(child, GWL_STYLE);
    if (_wcsicmp(cls.c_str(), L"Button") == 0) {
      std::string caption = WithoutAccelerator(TextOf(child));
      info.buttons.push_back(caption);
      if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) info.defaultButton = caption;
      if (GetDlgCtrlID(child) == defId) byId = caption;
    } else if (_wcsicmp(cls.c_str(), L"Static") == 0) {
      if ((style & SS_TYPEMASK) == SS_ICON)
        info.hasIcon = info.hasIcon || SendMessageW(child, STM_GETICON, 0, 0) != 0;
      else if (std::string text = TextOf(child); !text.empty())
        info.text += (info.text.empty() ? "" : "\n") + text;
    }
  }
  if (info.defaultButton.empty()) info.defaultButton = byId;
  return info;
}

bool PressButton(HWND box, std::string_view caption) {
  if (caption == kEscKey) {
    // As typed: the key goes to the box's focused control, through the box's own loop.
    HWND focus = GetFocus();
    HWND to = focus && (focus == box || IsChild(box, focus)) ? focus : box;
    PostMessageW(to, WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageW(to, WM_KEYUP, VK_ESCAPE, static_cast<LPARAM>(0xC0000001));
    return true;
  }
  if (caption == kCloseBox) return PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0) != 0;
  for (HWND child : ChildrenOf(box)) {
    if (IsWindowVisible(child) && _wcsicmp(ClassOf(child).c_str(), L"Button") == 0 &&
        WithoutAccelerator(TextOf(child)) == caption) {
      SendMessageW(child, BM_CLICK, 0, 0);
      return true;
    }
  }
  return false;
}

namespace {
struct PendingBox {
  std::function<void(HWND)> handler;
  std::vector<HWND> before;
  UINT_PTR timer = 0;
  bool fired = false;
};
PendingBox g_pending;

void CALLBACK PollForBox(HWND, UINT, UINT_PTR, DWORD) {
  if (!g_pending.handler) return;
  for (HWND dlg : ThreadDialogs()) {
    if (std::find(g_pending.before.begin(), g_pending.before.end(), dlg) != g_pending.before.end()) continue;
    KillTimer(nullptr, std::exchange(g_pending.timer, 0));
    g_pending.fired = true;
    std::exchange(g_pending.handler, nullptr)(dlg);
    return;
  }
}
}  // namespace

void OnNextBox(std::function<void(HWND box)> handler) {
  if (g_pending.timer) KillTimer(nullptr, g_pending.timer);
  g_pending.handler = std::move(handler);
  g_pending.before = ThreadDialogs();
  g_pending.fired = false;
  g_pending.timer = SetTimer(nullptr, 0, 15, PollForBox);
}

bool ShowsBox(const std::function<void()>& act, const std::function<void(HWND box)>& handler) {
  OnNextBox(handler);
  act();
  bool fired = g_pending.fired;
  if (g_pending.timer) KillTimer(nullptr, g_pending.timer);
  g_pending = PendingBox{};
  return fired;
}

void WithBox(const std::function<void()>& show, const std::function<void(HWND box)>& handler) {
  EXPECT_TRUE(ShowsBox(show, handler)) << "no box appeared";
}

std::string ReadClipboardText() {
  if (!OpenClipboard(nullptr)) return {};
  std::string text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* p = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = Narrow(p);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

bool WriteClipboardText(std::string_view utf8) {
  const std::wstring wide = Widen(utf8);
  const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!mem) return false;
  std::memcpy(GlobalLock(mem), wide.c_str(), bytes);
  GlobalUnlock(mem);
  // The system owns the memory only once it has taken it.
  const bool ok = OpenClipboard(nullptr) && EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, mem);
  if (!ok) GlobalFree(mem);
  CloseClipboard();  // harmless when it did not open
  return ok;
}

ClipboardHolder::ClipboardHolder() {
  HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  thread_ = std::thread([this, opened] {
    holding_ = OpenClipboard(nullptr) != FALSE;
    SetEvent(opened);
    WaitForSingleObject(release_, INFINITE);
    if (holding_) CloseClipboard();
  });
  WaitForSingleObject(opened, INFINITE);
  CloseHandle(opened);
}

ClipboardHolder::~ClipboardHolder() {
  SetEvent(release_);
  thread_.join();
  CloseHandle(release_);
}

// --- watchdog ---------------------------------------------------------------

namespace {
std::mutex g_watchMutex;
std::chrono::steady_clock::time_point g_deadline = std::chrono::steady_clock::time_point::max();
std::string g_currentTest;
DWORD g_mainThread = 0;
std::chrono::seconds g_limit{60};

void ReportAndExit(const std::string& test) {
  std::fprintf(stderr, "\nwatchdog: test %s ran longer than %lld s; open boxes:\n", test.c_str(),
               static_cast<long long>(g_limit.count()));
  // The boxes are what a hung test waits on; their text says which.
  for (HWND box : ThreadDialogs(g_mainThread)) {
    BoxInfo info = ReadBox(box);
    std::fprintf(stderr, "  \"%s\": \"%s\"\n", info.caption.c_str(), info.text.c_str());
  }
  std::fflush(stderr);
  std::fflush(stdout);
  TerminateProcess(GetCurrentProcess(), 3);
}

class WatchdogListener : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo& info) override {
    std::lock_guard lock(g_watchMutex);
    g_currentTest = std::string(info.test_suite_name()) + "." + info.name();
    g_deadline = std::chrono::steady_clock::now() + g_limit;
  }
  void OnTestEnd(const ::testing::TestInfo&) override {
    std::lock_guard lock(g_watchMutex);
    g_deadline = std::chrono::steady_clock::time_point::max();
  }
};
}  // namespace

void SetTestTimeLimit(std::chrono::seconds limit) {
  std::lock_guard lock(g_watchMutex);
  if (g_deadline != std::chrono::steady_clock::time_point::max()) g_deadline += limit - g_limit;
  g_limit = limit;
}

void InstallWatchdog() {
  g_mainThread = GetCurrentThreadId();
  ::testing::UnitTest::GetInstance()->listeners().Append(new WatchdogListener);
  std::thread([] {
    for (;;) {
      std::this_thread::sleep_for(std::chrono::milliseconds(250));
      std::string test;
      {
        std::lock_guard lock(g_watchMutex);
        if (std::chrono::steady_clock::now() < g_deadline) continue;
        test = g_currentTest;
      }
      ReportAndExit(test);
    }
  }).detach();
}

}  // namespace wintest
