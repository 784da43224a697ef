// The read-back comparison of the live TCP/IP and AOL values with their
// backup copies, as the restores leave them: a restore writes each copy back
// exactly as stored and deletes what has no copy.
#include "settings/UserValuesCheck.h"

#include <vector>

#include "engine/portable/StatusCodes.h"
#include "framework/RegKey.h"
#include "settings/AolPlaces.h"
#include "settings/AolSettings.h"
#include "settings/RegistryAccess.h"
#include "settings/RegistryNames.h"
#include "settings/portable/LocationEntry.h"

namespace {

const int kParameters[] = {kParameterMtu, kParameterRwin, kParameterTtl, kParameterCacheSize};
constexpr size_t kBindingIndexLength = 5;  // a backslash and four digits

std::string Describe(const std::string& key, const std::string& name) {
  return "\"" + (name.empty() ? std::string("(Default)") : name) + "\" in " + key;
}

// Whether a live value and its copy are both absent, or both present with
// the same type and bytes.
bool SameAsCopy(const std::string& liveKey, const std::string& copyKey, const std::string& name) {
  StoredValue live;
  StoredValue copy;
  const bool hasLive = ReadStoredValue(liveKey, name, live);
  const bool hasCopy = ReadStoredValue(copyKey, name, copy);
  if (hasLive != hasCopy) return false;
  return !hasLive || (live.type == copy.type && live.data == copy.data);
}

std::string FirstDifferenceIn(const std::vector<std::string>& locations) {
  const std::string backupKey = CSettingsStore::ProgramKeyPath(regnames::kBackupRegistry);
  for (const std::string& entry : locations) {
    const LocationEntry live = ParseLocationEntry(entry);
    // A place whose key could not be found is neither written nor restored.
    if (live.keyPath.empty()) continue;
    if (!SameAsCopy(live.keyPath, MirroredKeyPath(backupKey, live.keyPath), live.valueName)) {
      return Describe(live.keyPath, live.valueName);
    }
  }
  return std::string();
}

// A DWORD that counts as 0 when it cannot be read, as the AOL client keys' "mtu" does.
DWORD DwordOrZero(const std::string& key, const std::string& name) {
  RegKey open;
  DWORD value = 0;
  if (open.Open(HKEY_LOCAL_MACHINE, key, KEY_READ) != ERROR_SUCCESS ||
      open.QueryDword(name, value) != ERROR_SUCCESS) {
    return 0;
  }
  return value;
}

bool KeyExists(const std::string& path) {
  RegKey key;
  return key.Open(HKEY_LOCAL_MACHINE, path, KEY_READ) == ERROR_SUCCESS;
}

std::string FirstClientDifference() {
  for (const char* name : {regnames::kAolSock, regnames::kAolSockBack}) {
    const std::string live = aolplaces::ClientKey(name);
    const std::string copy = aolplaces::BackupKey(std::string("\\") + name);
    if (DwordOrZero(live, regnames::kAolMtu) != DwordOrZero(copy, regnames::kAolMtu)) {
      return Describe(live, regnames::kAolMtu);
    }
    if (!SameAsCopy(live, copy, regnames::kAolNdi)) return Describe(live, regnames::kAolNdi);
  }
  return std::string();
}

std::string FirstAdapterDifference(const CAolSettings& aol) {
  for (const std::string& adapter : aol.FindAolAdapters()) {
    const std::string copy = aolplaces::BackupKey(std::string(regnames::kAolBackupAdapters) +
                                                  adapter.substr(adapter.rfind('\\')));
    if (!SameAsCopy(adapter, copy, regnames::kAolMtu)) return Describe(adapter, regnames::kAolMtu);
  }
  return std::string();
}

// Only bindings with a copy are put back; older backups lack some.
std::string FirstBindingDifference(const CAolSettings& aol) {
  std::vector<std::string> bindings;
  aol.FindAolNetTransKeys(bindings);
  for (const std::string& binding : bindings) {
    if (binding.size() < kBindingIndexLength) continue;
    const std::string copy = aolplaces::BackupKey(
        regnames::kAolBackupBindings + binding.substr(binding.size() - kBindingIndexLength));
    if (!KeyExists(copy)) continue;
    for (const char* name : aolplaces::kBindingValues) {
      if (!SameAsCopy(binding, copy, name)) return Describe(binding, name);
    }
  }
  return std::string();
}

}  // namespace

std::string FirstTcpipDifference(CSettingsStore& store) {
  std::vector<std::string> locations;
  for (int parameter : kParameters) {
    if (store.BuildLocations(parameter, locations) != status::kOk) continue;
    std::string difference = FirstDifferenceIn(locations);
    if (!difference.empty()) return difference;
  }
  if (store.BuildMssLocations(locations) != status::kOk) return std::string();
  return FirstDifferenceIn(locations);
}

std::string FirstAolDifference(int osFamily) {
  CAolSettings aol(osFamily);
  std::string difference = FirstClientDifference();
  if (difference.empty()) difference = FirstAdapterDifference(aol);
  if (difference.empty()) difference = FirstBindingDifference(aol);
  return difference;
}
