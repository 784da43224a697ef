// Registry steps shared by the parts of the settings store (see RegistryAccess.h).
#include "settings/RegistryAccess.h"

namespace {

template <typename ReadName>
std::vector<std::string> AllNames(ReadName readName) {
  std::vector<std::string> names;
  for (DWORD index = 0;; ++index) {
    std::string name;
    LONG result = readName(index, name);
    if (result == ERROR_SUCCESS) {
      names.push_back(name);
    } else if (result != ERROR_MORE_DATA) {
      break;
    }
  }
  return names;
}

}  // namespace

LONG OpenOrCreate(RegKey& key, HKEY hive, const std::string& path) {
  if (key.Open(hive, path) == ERROR_SUCCESS) return ERROR_SUCCESS;
  return key.Create(hive, path);
}

bool ReadStoredValue(const std::string& key, const std::string& name, StoredValue& value) {
  RegKey handle;
  if (handle.Open(HKEY_LOCAL_MACHINE, key, KEY_READ) != ERROR_SUCCESS) return false;
  return handle.QueryRaw(name, value.type, value.data) == ERROR_SUCCESS;
}

LONG WriteStoredValue(RegKey& key, const std::string& name, const StoredValue& value) {
  return key.SetRaw(name, value.type, value.data);
}

std::vector<std::string> AllSubkeyNames(const RegKey& key) {
  return AllNames([&key](DWORD index, std::string& name) { return key.EnumSubkey(index, name); });
}

std::vector<std::string> AllValueNames(const RegKey& key) {
  return AllNames(
      [&key](DWORD index, std::string& name) { return key.EnumValueName(index, name); });
}

LONG DeleteValueIfPresent(RegKey& key, const std::string& name) {
  LONG result = key.DeleteValue(name);
  return result == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : result;
}
