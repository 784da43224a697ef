// The uninstaller's restore of the user's TCP/IP values (see UserValuesRestore.h).
#include "packaging/UserValuesRestore.h"

#include "framework/RegKey.h"
#include "settings/RegistryNames.h"
#include "settings/RestoreMark.h"

namespace {

bool TreeHoldsValues(const RegKey& key);

bool SubkeysHoldValues(const RegKey& key) {
  std::string name;
  for (DWORD index = 0; key.EnumSubkey(index, name) == ERROR_SUCCESS; ++index) {
    RegKey subkey;
    if (subkey.Open(key.Get(), name, KEY_READ) == ERROR_SUCCESS && TreeHoldsValues(subkey)) {
      return true;
    }
  }
  return false;
}

bool TreeHoldsValues(const RegKey& key) {
  std::string name;
  return key.EnumValueName(0, name) == ERROR_SUCCESS || SubkeysHoldValues(key);
}

// The copies live in the subkeys; the key's own values are the program's flags.
bool BackupHoldsCopies(const CSettingsStore& store) {
  DWORD status = 0;
  if (store.GetBackupStatus(status) == 0 && status == 1) return true;
  RegKey backup;
  return backup.Open(HKEY_LOCAL_MACHINE,
                     CSettingsStore::ProgramKeyPath(regnames::kBackupRegistry),
                     KEY_READ) == ERROR_SUCCESS &&
         SubkeysHoldValues(backup);
}

}  // namespace

bool UserValuesRestoreDue(const CSettingsStore& store) {
  return CRestoreMark(store).Read() != 0 && BackupHoldsCopies(store);
}

bool RestoreUserValues(CSettingsStore& store, std::string& difference) {
  return CRestoreMark(store).RestoreAndVerify(false, difference);
}
