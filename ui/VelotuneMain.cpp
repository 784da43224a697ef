// Entry point of Velotune.exe.
#include <windows.h>

#include "framework/MessageBoxSeam.h"
#include "settings/SettingsStore.h"
#include "ui/StartupActions.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  InstallMessageBoxHandlerFromEnvironment();
  CSettingsStore store;
  RunStartupActions(store);
  return 0;
}
