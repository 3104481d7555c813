// The main window under load: a thousand boxes opened and closed give back what they take of
// the system's objects. A program of its own, as it runs for minutes.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "FormMainFixture.h"
#include "WinTest.h"

using vellumor::test::FormMainTest;

// A thousand boxes opened and closed: what they take of the system's objects they give back.
TEST_F(FormMainTest, AThousandPreviewsAndCreatesLeaveTheGuiObjectCountsWhereTheyWere) {
  wintest::SetTestTimeLimit(std::chrono::seconds(600));
  struct Counts {
    DWORD gdi, user;
    size_t windows;  // this thread's windows and their children: Wine reports no object counts
    bool operator==(const Counts&) const = default;
  };
  auto counts = [] {
    size_t windows = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND top, LPARAM n) -> BOOL {
          ++*reinterpret_cast<size_t*>(n);
          EnumChildWindows(
              top, [](HWND, LPARAM m) -> BOOL { return ++*reinterpret_cast<size_t*>(m), TRUE; }, n);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return Counts{GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
                  GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), windows};
  };
  Run(form->ActPreview, "OK");  // the first boxes may set up what every later one shares
  Run(form->ActCreate, "Cancel");
  const Counts before = counts();
  for (int i = 0; i < 1000; ++i) {
    Run(form->ActPreview, "OK");
    Run(form->ActCreate, "Cancel");
  }
  const Counts after = counts();
  EXPECT_EQ(after.windows, before.windows);
  EXPECT_EQ(after.gdi, before.gdi);
  EXPECT_EQ(after.user, before.user);
  std::printf("GDI %lu, USER %lu objects (0: not reported here), %zu windows\n", before.gdi, before.user,
              before.windows);
}
