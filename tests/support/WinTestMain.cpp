// main() of every Windows test program.
#include <gmock/gmock.h>

#include "WinTest.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleMock(&argc, argv);
  wintest::InstallWatchdog();
  return RUN_ALL_TESTS();
}
