// Entry point of Velotune.exe.
#include <windows.h>

#include "framework/MessageBoxSeam.h"
#include "ui/ConfigWizardPSheet.h"
#include "ui/VelotuneApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  InstallMessageBoxHandlerFromEnvironment();
  CVelotuneApp application;
  application.SetFirstRunWizard(&RunConfigurationWizard);
  if (!application.InitInstance(showCommand)) return 1;
  return application.Run();
}
