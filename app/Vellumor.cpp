// The program entry: the application object makes the main window and runs until it closes.
#include <windows.h>

#include "Forms.h"
#include "UFormMain.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace vellumor;
  Application->Initialize();
  Application->CreateForm(FormMain);
  Application->Run();
  return 0;
}
