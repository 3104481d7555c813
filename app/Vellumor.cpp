// The program entry: the application object makes the main window and runs until it closes.
#include <windows.h>

#include <exception>

#include "Forms.h"
#include "UFormMain.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace vellumor;
  Application->Initialize();
  // A window that cannot be made (a layout error, a window the system refuses) says why.
  try {
    Application->CreateForm(FormMain);
  } catch (...) {
    HandleException(std::current_exception());
    return 1;
  }
  Application->Run();
  return 0;
}
