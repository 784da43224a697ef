// CAolSettings: copying the user's AOL client, adapter and binding values into
// the program's backup key, and putting them back.
#include "settings/AolSettings.h"

#include "engine/portable/StatusCodes.h"
#include "framework/RegKey.h"
#include "settings/AolPlaces.h"
#include "settings/RegistryAccess.h"
#include "settings/RegistryNames.h"

namespace {

constexpr size_t kBindingIndexLength = 5;  // a backslash and four digits
// Backups made before every binding was copied hold copies of bindings at
// indexes beginning "00" only, and only of those that had values.
constexpr char kOldCopiedBindingPrefix[] = "\\00";

// The "mtu" and "aolndi" of a client key; "aolndi" is kept exactly as stored.
struct ClientValues {
  DWORD mtu = 0;
  StoredValue ndi;
  bool hasNdi = false;
  bool Empty() const { return mtu == 0 && !hasNdi; }
};

// A text value that holds at least one character before its end.
bool IsNonEmptyText(const StoredValue& value) {
  return (value.type == REG_SZ || value.type == REG_EXPAND_SZ) && !value.data.empty() &&
         value.data[0] != 0 && value.data.size() < RegKey::kTextLimit;
}

// The client values of a key; false when the key does not exist.
bool ReadClientValues(const std::string& path, ClientValues& values) {
  RegKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, path, KEY_READ) != ERROR_SUCCESS) return false;
  if (key.QueryDword(regnames::kAolMtu, values.mtu) != ERROR_SUCCESS) values.mtu = 0;
  values.hasNdi =
      key.QueryRaw(regnames::kAolNdi, values.ndi.type, values.ndi.data) == ERROR_SUCCESS &&
      IsNonEmptyText(values.ndi);
  return true;
}

int WriteClientValues(const std::string& path, const ClientValues& values) {
  RegKey key;
  if (OpenOrCreate(key, HKEY_LOCAL_MACHINE, path) != ERROR_SUCCESS) {
    return status::kRegistryCreateFailed;
  }
  if (values.mtu != 0 && key.SetDword(regnames::kAolMtu, values.mtu) != ERROR_SUCCESS) {
    return status::kRegistryWriteFailed;
  }
  if (values.hasNdi && WriteStoredValue(key, regnames::kAolNdi, values.ndi) != ERROR_SUCCESS) {
    return status::kRegistryWriteFailed;
  }
  return status::kOk;
}

// The MTU values of a binding key, exactly as stored, and the unnamed value
// of its "Ndi\params\IPMTU" subkey.
struct BindingValues {
  StoredValue values[3];
  bool present[3] = {false, false, false};
  StoredValue ipMtuDefault;
  bool ipMtuDefaultPresent = false;

  bool Any() const { return present[0] || present[1] || present[2] || ipMtuDefaultPresent; }
};

BindingValues ReadBindingValues(const std::string& binding) {
  BindingValues read;
  for (int i = 0; i < 3; ++i) {
    read.present[i] = ReadStoredValue(binding, aolplaces::kBindingValues[i], read.values[i]);
  }
  read.ipMtuDefaultPresent =
      ReadStoredValue(binding + regnames::kNdiParamsIpMtu, "", read.ipMtuDefault);
  return read;
}

// Writes what was read into an open binding key (or its copy); the unnamed
// value goes to the subkey `ipMtuSubkey` when `openSubkey` can open it.
template <typename OpenSubkey>
int WriteBindingValues(RegKey& key, const BindingValues& values, OpenSubkey openSubkey) {
  for (int i = 0; i < 3; ++i) {
    if (values.present[i] &&
        WriteStoredValue(key, aolplaces::kBindingValues[i], values.values[i]) != ERROR_SUCCESS) {
      return status::kRegistryWriteFailed;
    }
  }
  if (!values.ipMtuDefaultPresent) return status::kOk;
  RegKey subkey;
  if (openSubkey(subkey) != ERROR_SUCCESS) return status::kOk;
  if (WriteStoredValue(subkey, "", values.ipMtuDefault) != ERROR_SUCCESS) {
    return status::kRegistryWriteFailed;
  }
  return status::kOk;
}

// The name of the last key of a path.
std::string LastKeyName(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

// The binding's own part of its key ("\0005"); empty when the key has none.
std::string BindingIndex(const std::string& binding) {
  if (binding.size() < kBindingIndexLength) return std::string();
  return binding.substr(binding.size() - kBindingIndexLength);
}

std::string BindingCopyKey(const std::string& index) {
  return aolplaces::BackupKey(regnames::kAolBackupBindings + index);
}

// Whether the backup holds a copy of every AOL binding (made by this program
// version) rather than the older partial set.
bool CopiesEveryBinding() {
  RegKey copies;
  DWORD every = 0;
  return copies.Open(HKEY_LOCAL_MACHINE, aolplaces::BackupKey(regnames::kAolBackupBindings),
                     KEY_READ) == ERROR_SUCCESS &&
         copies.QueryDword(regnames::kAolBackupEveryBinding, every) == ERROR_SUCCESS &&
         every == 1;
}

// Copies a binding's MTU values, creating the copy even when it has none:
// the copy records which values the user had and which not.
void BackUpBinding(const std::string& binding) {
  const std::string index = BindingIndex(binding);
  if (index.empty()) return;
  const std::string copyPath = BindingCopyKey(index);
  RegKey copy;
  if (OpenOrCreate(copy, HKEY_LOCAL_MACHINE, copyPath) != ERROR_SUCCESS) return;
  WriteBindingValues(copy, ReadBindingValues(binding), [&copyPath](RegKey& subkey) {
    return OpenOrCreate(subkey, HKEY_LOCAL_MACHINE, copyPath + regnames::kAolBackupBindingIpMtu);
  });
}

// Deletes from a live binding the values the user did not have, as far as
// the backup recorded them: a copy records every value it lacks as absent;
// without a copy, an older backup recorded a binding at an index beginning
// "00" as having none, and anything else is left alone.
void DeleteValuesRecordedAbsent(const std::string& binding, bool everyBindingCopied) {
  const std::string index = BindingIndex(binding);
  RegKey live;
  if (index.empty() || live.Open(HKEY_LOCAL_MACHINE, binding) != ERROR_SUCCESS) return;
  RegKey copy;
  const bool copied =
      copy.Open(HKEY_LOCAL_MACHINE, BindingCopyKey(index), KEY_READ) == ERROR_SUCCESS;
  if (!copied && (everyBindingCopied || index.compare(0, 3, kOldCopiedBindingPrefix) != 0)) {
    return;
  }
  for (const char* name : aolplaces::kBindingValues) {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    if (copied && copy.QueryRaw(name, type, data) == ERROR_SUCCESS) continue;
    live.DeleteValue(name);
  }
}

// The names of the copies kept below a backup key; none when it does not exist.
std::vector<std::string> CopyNames(const std::string& backupKey) {
  RegKey copies;
  if (copies.Open(HKEY_LOCAL_MACHINE, backupKey, KEY_READ) != ERROR_SUCCESS) return {};
  return AllSubkeyNames(copies);
}

int FirstFailure(std::initializer_list<int> results) {
  for (int result : results) {
    if (result != status::kOk) return result;
  }
  return status::kOk;
}

}  // namespace

int CAolSettings::BackupClient(const std::string& name) const {
  ClientValues values;
  if (!ReadClientValues(aolplaces::ClientKey(name), values) || values.Empty()) {
    return status::kOk;
  }
  return WriteClientValues(aolplaces::BackupKey("\\" + name), values);
}

int CAolSettings::BackupAdapters() const {
  for (const std::string& adapter : FindAolAdapters()) {
    RegKey live;
    DWORD mtu = 0;
    if (live.Open(HKEY_LOCAL_MACHINE, adapter, KEY_READ) != ERROR_SUCCESS ||
        live.QueryDword(regnames::kAolMtu, mtu) != ERROR_SUCCESS) {
      continue;
    }
    // The copy is named after the device key itself, whatever its length.
    RegKey copy;
    if (OpenOrCreate(copy, HKEY_LOCAL_MACHINE,
                     aolplaces::BackupKey(std::string(regnames::kAolBackupAdapters) + "\\" +
                                          LastKeyName(adapter))) != ERROR_SUCCESS) {
      return status::kRegistryCreateFailed;
    }
    copy.SetDword(regnames::kAolMtu, mtu);
  }

  std::vector<std::string> bindings;
  FindAolNetTransKeys(bindings);
  if (bindings.empty()) return status::kOk;
  for (const std::string& binding : bindings) BackUpBinding(binding);
  RegKey copies;
  if (OpenOrCreate(copies, HKEY_LOCAL_MACHINE,
                   aolplaces::BackupKey(regnames::kAolBackupBindings)) == ERROR_SUCCESS) {
    copies.SetDword(regnames::kAolBackupEveryBinding, 1);
  }
  return status::kOk;
}

int CAolSettings::RestoreAll() const {
  for (const std::string& adapter : FindAolAdapters()) {
    RegKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, adapter) == ERROR_SUCCESS) key.DeleteValue(regnames::kAolMtu);
  }
  std::vector<std::string> bindings;
  FindAolNetTransKeys(bindings);
  const bool everyBindingCopied = CopiesEveryBinding();
  for (const std::string& binding : bindings) {
    DeleteValuesRecordedAbsent(binding, everyBindingCopied);
  }
  const int client = RestoreClient(regnames::kAolSock);
  const int clientBack = RestoreClient(regnames::kAolSockBack);
  const int adapters = RestoreAdapters();
  const int restoredBindings = RestoreBindings();
  return FirstFailure({adapters, restoredBindings, clientBack, client});
}

int CAolSettings::RestoreClient(const std::string& name) const {
  const bool wholeKey = name == regnames::kAolSock;
  // "aolsock" goes as a key; "AolsockBack" first only loses its two values.
  int cleared = wholeKey ? DeleteClientKey() : DeleteClientBackValues();
  ClientValues values;
  if (!ReadClientValues(aolplaces::BackupKey("\\" + name), values)) {
    RegKey parent;
    if (!wholeKey && parent.Open(HKEY_LOCAL_MACHINE, regnames::kAolClientKey) == ERROR_SUCCESS) {
      DeleteKeyTree(parent.Get(), name);
    }
    return cleared;
  }
  if (values.Empty()) return cleared;
  return FirstFailure({cleared, WriteClientValues(aolplaces::ClientKey(name), values)});
}

int CAolSettings::RestoreAdapters() const {
  const std::string copies = aolplaces::BackupKey(regnames::kAolBackupAdapters);
  int result = status::kOk;
  for (const std::string& name : CopyNames(copies)) {
    RegKey copy;
    DWORD mtu = 0;
    const bool hasMtu =
        copy.Open(HKEY_LOCAL_MACHINE, copies + "\\" + name, KEY_READ) == ERROR_SUCCESS &&
        copy.QueryDword(regnames::kAolMtu, mtu) == ERROR_SUCCESS;
    const std::string livePath = std::string(regnames::kEnumRootNet) + "\\" + name;
    RegKey live;
    int step = status::kOk;
    if (live.Open(HKEY_LOCAL_MACHINE, livePath) == ERROR_SUCCESS) {
      // A copy without a readable "mtu" has nothing to put back.
      if (hasMtu && live.SetDword(regnames::kAolMtu, mtu) != ERROR_SUCCESS) {
        step = status::kRegistryWriteFailed;
      }
    } else if (live.Create(HKEY_LOCAL_MACHINE, livePath) != ERROR_SUCCESS) {
      step = status::kRegistryCreateFailed;
    }
    result = FirstFailure({result, step});
  }
  return result;
}

int CAolSettings::RestoreBindings() const {
  const std::string copies = aolplaces::BackupKey(regnames::kAolBackupBindings);
  int result = status::kOk;
  for (const std::string& name : CopyNames(copies)) {
    const BindingValues values = ReadBindingValues(copies + "\\" + name);
    const std::string livePath =
        std::string(regnames::kServices9x) + regnames::kClassNetTrans + "\\" + name;
    RegKey live;
    if (!values.Any() || live.Open(HKEY_LOCAL_MACHINE, livePath) != ERROR_SUCCESS) continue;
    result = FirstFailure({result, WriteBindingValues(live, values, [&livePath](RegKey& subkey) {
                             return subkey.Open(HKEY_LOCAL_MACHINE,
                                                livePath + regnames::kNdiParamsIpMtu);
                           })});
  }
  return result;
}
