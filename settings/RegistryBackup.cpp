// CSettingsStore: the one-time copy of the user's own TCP/IP values into
// "\Backup Registry", and putting them back after the program's connections.
//
// Each copy keeps the live key's path after the services key, the value's
// name, and the value exactly as it was stored (type and bytes), so that a
// restore gives back precisely what the user had. A value the user never had
// has no copy, and a restore deletes it again.
#include "settings/SettingsStore.h"

#include "engine/portable/StatusCodes.h"
#include "framework/MessageBoxSeam.h"
#include "framework/RegKey.h"
#include "settings/AolSettings.h"
#include "settings/RegistryAccess.h"
#include "settings/RegistryNames.h"
#include "settings/portable/LocationEntry.h"

namespace {

constexpr char kProgramTitle[] = "Velotune";
constexpr char kBackupFailedText[] = "Failed to write backup some registry details";
constexpr char kRestoreFailedText[] =
    "Err in setting restoring one of user's original registry value";
constexpr char kMssRestoreFailedText[] = "Err in restoring user's MSS value";

const int kParameters[] = {kParameterMtu, kParameterRwin, kParameterTtl, kParameterCacheSize};

void ShowPlainMessage(const char* text) {
  ShowMessageBox(nullptr, text, kProgramTitle, MB_OK | MB_ICONEXCLAMATION);
}

// The copy of a location entry in the backup key.
LocationEntry Mirrored(const LocationEntry& live) {
  return LocationEntry{
      live.valueName,
      MirroredKeyPath(CSettingsStore::ProgramKeyPath(regnames::kBackupRegistry), live.keyPath)};
}

// Copies one value as stored from one location to another, creating the
// target key. `copied` tells whether there was a value to copy.
int CopyValue(const LocationEntry& from, const LocationEntry& to, bool& copied) {
  copied = false;
  StoredValue value;
  if (from.keyPath.empty() || !ReadStoredValue(from.keyPath, from.valueName, value)) {
    return status::kOk;
  }
  copied = true;
  RegKey target;
  if (to.keyPath.empty() || OpenOrCreate(target, HKEY_LOCAL_MACHINE, to.keyPath) != ERROR_SUCCESS) {
    return status::kRegistryCreateFailed;
  }
  if (WriteStoredValue(target, to.valueName, value) != ERROR_SUCCESS) {
    return status::kRegistryWriteFailed;
  }
  return status::kOk;
}

int BackUpLocation(const std::string& entry) {
  const LocationEntry live = ParseLocationEntry(entry);
  bool copied = false;
  return CopyValue(live, Mirrored(live), copied);
}

}  // namespace

int CSettingsStore::Backup() {
  std::vector<std::string> locations;
  for (int parameter : kParameters) {
    // A parameter whose places cannot be found (no dial-up adapter) has nothing to copy.
    if (BuildLocations(parameter, locations) != status::kOk) continue;
    for (const std::string& entry : locations) {
      if (BackUpLocation(entry) != status::kOk) ShowPlainMessage(kBackupFailedText);
    }
  }
  int result = BuildMssLocations(locations);
  if (result != status::kOk) return result;
  for (const std::string& entry : locations) {
    result = BackUpLocation(entry);
    if (result != status::kOk) return result;
  }
  CAolSettings aol(osFamily_);
  aol.BackupClient(regnames::kAolSock);
  aol.BackupClient(regnames::kAolSockBack);
  aol.BackupAdapters();
  return SetBackupStatus(1);
}

void CSettingsStore::RestoreEach(const std::vector<std::string>& locations,
                                 const char* failureText) {
  for (const std::string& entry : locations) {
    DeleteValue(entry);
    const LocationEntry live = ParseLocationEntry(entry);
    bool copied = false;
    if (CopyValue(Mirrored(live), live, copied) != status::kOk) ShowPlainMessage(failureText);
  }
}

int CSettingsStore::RestoreOriginal(int parameter) {
  std::vector<std::string> locations;
  int result = BuildLocations(parameter, locations);
  if (result != status::kOk) return result;
  RestoreEach(locations, kRestoreFailedText);
  if (parameter != kParameterMtu) return status::kOk;
  result = BuildMssLocations(locations);
  if (result != status::kOk) return result;
  RestoreEach(locations, kMssRestoreFailedText);
  return status::kOk;
}

int CSettingsStore::RestoreAll() {
  for (int parameter : kParameters) RestoreOriginal(parameter);
  return status::kOk;
}
