// Entry point of Velotune.exe.
#include <windows.h>

#include "framework/MessageBoxSeam.h"
#include "ui/VelotuneApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  InstallMessageBoxHandlerFromEnvironment();
  CVelotuneApp application;
  if (!application.InitInstance(showCommand)) return 1;
  return application.Run();
}
