// UninstallHelper.exe: what Velotune's uninstaller asks of the running system.
// The uninstaller carries it inside itself and runs it from its own temporary
// folder, so nothing of it is installed.
//
//   UninstallHelper end      ends every running Velotune, printing how; exit 1 when one
//                            could not be ended
//   UninstallHelper check    exit 1 when Velotune's own TCP/IP values are in effect
//                            and a backup of the user's exists, 0 when not
//   UninstallHelper restore  puts the user's TCP/IP values back and reads them back;
//                            exit 1, printing the value that differs, when they do not match
// Any other command: exit 2.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "framework/MessageBoxSeam.h"
#include "packaging/RunningVelotune.h"
#include "packaging/UserValuesRestore.h"
#include "settings/SettingsStore.h"

namespace {

// Time for a tune-up or tray dial in progress to hang up and restore.
constexpr DWORD kAskedEndWaitMs = 20000;

// The program's restore tells of a value it cannot write in a message box.
// Here nobody may have to answer one (a silent uninstall): the text goes to
// the output, which the uninstaller shows the user.
void PrintMessageBoxes() {
  SetMessageBoxHandler([](const MessageBoxRequest& box) {
    std::printf("%s\n", box.text.c_str());
    return DefaultButtonOf(box.type);
  });
}

int End() {
  std::string report;
  const int running = EndRunningVelotune(kAskedEndWaitMs, report);
  std::printf("%s", report.c_str());
  return running == 0 ? 0 : 1;
}

int Restore() {
  PrintMessageBoxes();
  CSettingsStore store;
  std::string difference;
  if (RestoreUserValues(store, difference)) return 0;
  std::printf("%s\n", difference.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const char* command = argc == 2 ? argv[1] : "";
  if (std::strcmp(command, "end") == 0) return End();
  if (std::strcmp(command, "check") == 0) return UserValuesRestoreDue(CSettingsStore()) ? 1 : 0;
  if (std::strcmp(command, "restore") == 0) return Restore();
  std::fprintf(stderr, "usage: UninstallHelper end|check|restore\n");
  return 2;
}
