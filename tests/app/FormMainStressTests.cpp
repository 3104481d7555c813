// The main window under load: a thousand boxes opened and closed give back what they take of
// the system's objects. A program of its own, as it runs for minutes.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "FormMainFixture.h"

using vellumor::test::FormMainTest;

// A thousand boxes opened and closed: what they take of the system's objects they give back.
TEST_F(FormMainTest, AThousandPreviewsAndCreatesLeaveTheGuiObjectCountsWhereTheyWere) {
  wintest::SetTestTimeLimit(std::chrono::seconds(600));
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
    // Wine reports no GDI and USER object counts (0): this thread's windows and their children too.
    return "GDI " + std::to_string(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) + ", USER " +
           std::to_string(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)) + ", windows " +
           std::to_string(windows);
  };
  Run(form->ActPreview, "OK");  // the first boxes may set up what every later one shares
  Run(form->ActCreate, "Cancel");
  const std::string before = counts();
  for (int i = 0; i < 1000; ++i) {
    Run(form->ActPreview, "OK");
    Run(form->ActCreate, "Cancel");
  }
  EXPECT_EQ(counts(), before);
  std::printf("%s\n", before.c_str());
}
