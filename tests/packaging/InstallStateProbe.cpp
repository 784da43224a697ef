// The installer test's hands and eyes inside the Wine prefix
// (installer-test.sh):
//
//   InstallStateProbe installed <folder>  the Uninstall key names the installation in <folder>
//   InstallStateProbe absent              no Uninstall key, no start-up entry
//   InstallStateProbe prepare <folder>    a user of the installed Velotune: the network
//       values laid out and backed up (a copy kept for the comparison), the tray dialer
//       on, Velotune.exe from <folder> running in the notification area
//   InstallStateProbe tuned <folder>      Velotune.exe started again, then test values
//       written under the restore mark as a tray dial writes them, and the start-up entry
//   InstallStateProbe restored            the user's values byte for byte as copied, the
//       mark gone, no Velotune running, and what "absent" checks
//
// Each check prints one line; the exit code is 1 when one failed.
#include <windows.h>

#include <cstdio>
#include <string>

#include "engine/portable/TestRecord.h"
#include "tests/support/AutoRecord.h"
#include "framework/RegKey.h"
#include "settings/RestoreMark.h"
#include "settings/SettingsStore.h"
#include "settings/portable/ProviderKinds.h"
#include "tests/support/NetworkLayouts.h"
#include "tests/support/TcpipSnapshot.h"

namespace {

using testsupport::AutoRecord;

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velotune";
const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
// The user's values as laid out, kept in the test's own key of the fresh prefix.
const char kUserValuesCopy[] = "SOFTWARE\\Velotune Installer Test\\User Values";
const char kMainFrameClass[] = "VelotuneMainFrame";
constexpr DWORD kStartWaitMs = 30000;

int failures = 0;

void Check(bool ok, const std::string& what) {
  std::printf("%s: %s\n", ok ? "ok" : "FAILED", what.c_str());
  if (!ok) ++failures;
}

std::string Text(const char* key, const char* name) {
  RegKey open;
  std::string text;
  if (open.Open(HKEY_LOCAL_MACHINE, key, KEY_READ) != ERROR_SUCCESS ||
      open.QueryText(name, text) != ERROR_SUCCESS) {
    return "(none)";
  }
  return text;
}

bool KeyExists(const char* key) {
  RegKey open;
  return open.Open(HKEY_LOCAL_MACHINE, key, KEY_READ) == ERROR_SUCCESS;
}

void CheckText(const char* key, const char* name, const std::string& expected) {
  const std::string actual = Text(key, name);
  Check(actual == expected, std::string(name) + " is " + actual);
}

void CheckInstalled(const std::string& folder) {
  CheckText(kUninstallKey, "DisplayName", "Velotune");
  CheckText(kUninstallKey, "Publisher", "Orvalis");
  CheckText(kUninstallKey, "InstallLocation", folder);
  CheckText(kUninstallKey, "UninstallString", "\"" + folder + "\\Uninstall.exe\"");
}

void CheckAbsent() {
  Check(!KeyExists(kUninstallKey), "no Uninstall key");
  Check(Text(kRunKey, "Velotune") == "(none)", "no start-up entry");
}

void KeepUserValues(const RegistryValueMap& values) {
  RegKey copy;
  copy.Create(HKEY_LOCAL_MACHINE, kUserValuesCopy);
  for (const auto& [name, value] : values) copy.SetRaw(name, value.type, value.data);
}

RegistryValueMap KeptUserValues() {
  RegistryValueMap kept;
  // The copy's values stand directly in its key: "|" + the original's name.
  for (const auto& [name, value] : FlattenValues(kUserValuesCopy)) kept[name.substr(1)] = value;
  return kept;
}

HWND FindMainFrame(DWORD processId) {
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, kMainFrameClass, nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId) return window;
  }
  return nullptr;
}

// Where Velotune's message boxes are recorded (and answered) instead of shown.
std::string MessageBoxLog() {
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + "velotune-installer-test-boxes.txt";
}

// Started with short waits and message boxes answered, as the lab runs it;
// left running for the uninstaller to end.
bool StartVelotune(const std::string& folder) {
  SetEnvironmentVariableA("VELOTUNE_TIME_SCALE", "0.01");
  SetEnvironmentVariableA("VELOTUNE_MESSAGEBOX_LOG", MessageBoxLog().c_str());
  const std::string exe = folder + "\\Velotune.exe";
  std::string commandLine = "\"" + exe + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &process)) {
    return false;
  }
  HWND main = nullptr;
  const DWORD start = GetTickCount();
  while ((main = FindMainFrame(process.dwProcessId)) == nullptr &&
         WaitForSingleObject(process.hProcess, 50) == WAIT_TIMEOUT &&
         GetTickCount() - start < kStartWaitMs) {
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return main != nullptr;
}

void Prepare(const std::string& folder) {
  netlayout::LayOutRunningFamily();
  CSettingsStore store;
  // Configured before, and the tray dialer on: Velotune starts in the notification area.
  store.EnsureProfileKey();
  store.SetProviderKind(kProviderDialUpNetworking);
  store.SetShowDialer(1);
  Check(store.Backup() == 0, "user's TCP/IP values backed up");
  KeepUserValues(TcpipValues());
  Check(StartVelotune(folder), "Velotune.exe running from " + folder);
}

// Started before the mark is set: a start that finds the mark restores at once.
void Tune(const std::string& folder) {
  Check(StartVelotune(folder), "Velotune.exe running again from " + folder);
  CSettingsStore store;
  Check(CRestoreMark(store).Set() == 0, "restore mark set");
  store.Write(AutoRecord(kParameterMtu, 576));
  store.Write(AutoRecord(kParameterRwin, 4288));
  store.Write(AutoRecord(kParameterTtl, 64));
  Check(!(TcpipValues() == KeptUserValues()), "test values in effect");
  RegKey run;
  Check(run.Create(HKEY_LOCAL_MACHINE, kRunKey) == ERROR_SUCCESS &&
            run.SetText("Velotune", folder + "\\Velotune.exe") == ERROR_SUCCESS,
        "start-up entry written");
}

void CheckRestored() {
  const RegistryValueMap kept = KeptUserValues();
  Check(!kept.empty(), "a copy of the user's values was kept");
  const RegistryValueMap now = TcpipValues();
  Check(now == kept, "user's TCP/IP values byte for byte" + DescribeDifferences(kept, now));
  Check(CRestoreMark(CSettingsStore()).Read() == 0, "restore mark cleared");
  Check(FindWindowA(kMainFrameClass, nullptr) == nullptr, "no Velotune running");
  Check(GetFileAttributesA(MessageBoxLog().c_str()) == INVALID_FILE_ATTRIBUTES,
        "Velotune showed no message box");
  CheckAbsent();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc >= 2 ? argv[1] : "";
  const std::string folder = argc >= 3 ? argv[2] : "";
  if (command == "installed" && !folder.empty()) {
    CheckInstalled(folder);
  } else if (command == "absent") {
    CheckAbsent();
  } else if (command == "prepare" && !folder.empty()) {
    Prepare(folder);
  } else if (command == "tuned" && !folder.empty()) {
    Tune(folder);
  } else if (command == "restored") {
    CheckRestored();
  } else {
    std::fprintf(stderr, "usage: InstallStateProbe installed|prepare|tuned <folder> | absent|restored\n");
    return 2;
  }
  return failures == 0 ? 0 : 1;
}
