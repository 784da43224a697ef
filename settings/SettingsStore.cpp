// CSettingsStore: generic registry operations and the program key's values.
#include "settings/SettingsStore.h"

#include "engine/portable/StatusCodes.h"
#include "framework/RegKey.h"
#include "settings/RegistryAccess.h"
#include "settings/RegistryNames.h"
#include "settings/portable/ProviderKinds.h"

namespace {

constexpr DWORD kMaxEnumeratedSubkeys = 21;
constexpr DWORD kModuleNameCapacity = 500;
constexpr DWORD kExtendedVersionInfoSize = 156;
constexpr DWORD kBasicVersionInfoSize = 148;

bool ReadVersion(DWORD structureSize, OSVERSIONINFOEXA& info) {
  info = OSVERSIONINFOEXA();
  info.dwOSVersionInfoSize = structureSize;
  return GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info)) != FALSE;
}

std::string InProgramKey(const char* subkey) { return CSettingsStore::ProgramKeyPath(subkey); }

}  // namespace

CSettingsStore::CSettingsStore() : osFamily_(DetectOsFamily()), obscureNext_(0) {}

CSettingsStore::CSettingsStore(int osFamily) : osFamily_(osFamily), obscureNext_(0) {}

int CSettingsStore::DetectOsFamily() {
  static_assert(sizeof(OSVERSIONINFOEXA) == kExtendedVersionInfoSize, "extended version size");
  static_assert(sizeof(OSVERSIONINFOA) == kBasicVersionInfoSize, "basic version size");
  OSVERSIONINFOEXA info;
  if (!ReadVersion(kExtendedVersionInfoSize, info) && !ReadVersion(kBasicVersionInfoSize, info)) {
    return kOsUnknown;
  }
  return OsFamilyFromVersion(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}

std::string CSettingsStore::ProgramKeyPath(const std::string& subkey) {
  return std::string(regnames::kProgramKey) + subkey;
}

std::string CSettingsStore::ProviderKeyPath(int kind) {
  return ProgramKeyPath(regnames::kDialUpProfile) + "\\" + ProviderNameFromKind(kind);
}

// --- Generic registry operations ---------------------------------------------

int CSettingsStore::SetDword(HKEY hive, const std::string& key, const std::string& name,
                             DWORD value) const {
  RegKey handle;
  if (OpenOrCreate(handle, hive, key) != ERROR_SUCCESS) return status::kRegistryWriteFailed;
  if (handle.SetDword(name, value) != ERROR_SUCCESS) return status::kRegistryWriteFailed;
  handle.Flush();
  return status::kOk;
}

int CSettingsStore::SetString(HKEY hive, const std::string& key, const std::string& name,
                              const std::string& text) const {
  // A text that could never be read back is refused before anything is written.
  if (!RegKey::FitsText(text)) return status::kRegistryWriteFailed;
  RegKey handle;
  if (OpenOrCreate(handle, hive, key) != ERROR_SUCCESS) return status::kRegistryWriteFailed;
  LONG written = handle.SetText(name, text);
  handle.Flush();
  return written == ERROR_SUCCESS ? status::kOk : status::kRegistryWriteFailed;
}

int CSettingsStore::GetDword(HKEY hive, const std::string& key, const std::string& name,
                             DWORD& value) const {
  RegKey handle;
  if (handle.Open(hive, key, KEY_READ) != ERROR_SUCCESS) return status::kRegistryQueryFailed;
  if (handle.QueryDword(name, value) != ERROR_SUCCESS) return status::kRegistryQueryFailed;
  return status::kOk;
}

int CSettingsStore::GetString(HKEY hive, const std::string& key, const std::string& name,
                              std::string& text) const {
  text.clear();
  RegKey handle;
  if (handle.Open(hive, key, KEY_READ) != ERROR_SUCCESS) return status::kRegistryQueryFailed;
  if (handle.QueryText(name, text) != ERROR_SUCCESS) return status::kRegistryQueryFailed;
  return status::kOk;
}

void CSettingsStore::EnumSubkeys(const std::string& key, std::vector<std::string>& names) const {
  RegKey handle;
  if (handle.Open(HKEY_LOCAL_MACHINE, key, KEY_READ) != ERROR_SUCCESS) return;
  for (DWORD index = 0; index < kMaxEnumeratedSubkeys; ++index) {
    std::string name;
    LONG result = handle.EnumSubkey(index, name);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result == ERROR_SUCCESS) names.push_back(name);
  }
}

int CSettingsStore::ExecutableFolder(std::string& folder) const {
  char moduleName[kModuleNameCapacity + 1] = {};
  DWORD length = GetModuleFileNameA(nullptr, moduleName, kModuleNameCapacity);
  // A name that fills the whole buffer was cut short: its folder is unknown.
  if (length == 0 || length >= kModuleNameCapacity) return status::kLogPathUnavailable;
  std::string path(moduleName, length);
  size_t lastBackslash = path.rfind('\\');
  folder = lastBackslash == std::string::npos ? std::string() : path.substr(0, lastBackslash);
  return status::kOk;
}

// --- The program key -----------------------------------------------------------

int CSettingsStore::SetProviderKind(int kind) const {
  RegKey handle;
  if (OpenOrCreate(handle, HKEY_LOCAL_MACHINE, InProgramKey(regnames::kDialUpProfile)) == ERROR_SUCCESS) {
    handle.SetDword(regnames::kDialUpType, static_cast<DWORD>(kind));
  }
  return status::kOk;
}

int CSettingsStore::GetProviderKind(int& kind) const {
  // Read access only, so that a user who may not write HKEY_LOCAL_MACHINE
  // still dials as configured; a missing key is created as a writer would.
  RegKey handle;
  const std::string key = InProgramKey(regnames::kDialUpProfile);
  if (handle.Open(HKEY_LOCAL_MACHINE, key, KEY_READ) != ERROR_SUCCESS &&
      handle.Create(HKEY_LOCAL_MACHINE, key) != ERROR_SUCCESS) {
    return status::kRegistryQueryFailed;
  }
  DWORD value = 0;
  if (handle.QueryDword(regnames::kDialUpType, value) != ERROR_SUCCESS) {
    return status::kRegistryQueryFailed;
  }
  kind = static_cast<int>(value);
  return status::kOk;
}

int CSettingsStore::ProviderKindOrDefault() const {
  int kind = kProviderDialUpNetworking;
  if (GetProviderKind(kind) != status::kOk) kind = kProviderDialUpNetworking;
  return kind;
}

int CSettingsStore::SetTuneUpType(DWORD repetitions) const {
  return SetDword(HKEY_LOCAL_MACHINE, InProgramKey(regnames::kDialUpProfile), regnames::kTuneUpType,
                  repetitions);
}

int CSettingsStore::GetTuneUpType(DWORD& repetitions) const {
  return GetDword(HKEY_LOCAL_MACHINE, InProgramKey(regnames::kDialUpProfile), regnames::kTuneUpType,
                  repetitions);
}

int CSettingsStore::SetConversionDone(DWORD flag) const {
  return SetDword(HKEY_LOCAL_MACHINE, InProgramKey(regnames::kDialUpProfile), regnames::kConversionDone,
                  flag);
}

DWORD CSettingsStore::GetConversionDone() const {
  DWORD flag = 0;
  if (GetDword(HKEY_LOCAL_MACHINE, InProgramKey(regnames::kDialUpProfile), regnames::kConversionDone,
               flag) != status::kOk) {
    return 0;
  }
  return flag;
}

int CSettingsStore::SetDefaultDialerPath(int kind, DWORD flag) const {
  if (ProviderNameFromKind(kind).empty()) return status::kBadParameters;
  return SetDword(HKEY_LOCAL_MACHINE, ProviderKeyPath(kind), regnames::kDefaultDialerPath, flag);
}

int CSettingsStore::GetDefaultDialerPath(int kind, DWORD& flag) const {
  if (ProviderNameFromKind(kind).empty()) return status::kBadParameters;
  return GetDword(HKEY_LOCAL_MACHINE, ProviderKeyPath(kind), regnames::kDefaultDialerPath, flag);
}

DWORD CSettingsStore::GetAccess(int kind) const {
  DWORD flag = 0;
  if (ProviderNameFromKind(kind).empty() ||
      GetDword(HKEY_LOCAL_MACHINE, ProviderKeyPath(kind), regnames::kAccess, flag) !=
          status::kOk) {
    return 0;
  }
  return flag;
}

int CSettingsStore::SetAccess(int kind) const {
  if (ProviderNameFromKind(kind).empty()) return status::kBadParameters;
  return SetDword(HKEY_LOCAL_MACHINE, ProviderKeyPath(kind), regnames::kAccess, 1);
}

int CSettingsStore::SetBackupStatus(DWORD value) const {
  RegKey handle;
  if (OpenOrCreate(handle, HKEY_LOCAL_MACHINE, InProgramKey(regnames::kBackupRegistry)) !=
      ERROR_SUCCESS) {
    return status::kRegistryCreateFailed;
  }
  if (handle.SetDword(regnames::kBackupStatus, value) != ERROR_SUCCESS) {
    return status::kRegistryWriteFailed;
  }
  return status::kOk;
}

int CSettingsStore::GetBackupStatus(DWORD& value) const {
  RegKey handle;
  if (handle.Open(HKEY_LOCAL_MACHINE, InProgramKey(regnames::kBackupRegistry), KEY_READ) !=
      ERROR_SUCCESS) {
    return status::kRegistryKeyNotFound;
  }
  if (handle.QueryDword(regnames::kBackupStatus, value) != ERROR_SUCCESS) {
    return status::kRegistryQueryFailed;
  }
  return status::kOk;
}

int CSettingsStore::GetWindowRect(DWORD& left, DWORD& top, DWORD& right, DWORD& bottom) const {
  RegKey handle;
  if (handle.Open(HKEY_LOCAL_MACHINE, InProgramKey(regnames::kAppSettings), KEY_READ) != ERROR_SUCCESS) {
    return status::kRegistryNoDefaultData;
  }
  DWORD values[4] = {};
  const char* const names[4] = {regnames::kLeft, regnames::kTop, regnames::kRight,
                                regnames::kBottom};
  for (int i = 0; i < 4; ++i) {
    if (handle.QueryDword(names[i], values[i]) != ERROR_SUCCESS) {
      return status::kRegistryNoDefaultData;
    }
  }
  left = values[0];
  top = values[1];
  right = values[2];
  bottom = values[3];
  return status::kOk;
}

int CSettingsStore::SetWindowRect(DWORD left, DWORD top, DWORD right, DWORD bottom) const {
  RegKey handle;
  if (OpenOrCreate(handle, HKEY_LOCAL_MACHINE, InProgramKey(regnames::kAppSettings)) != ERROR_SUCCESS) {
    return status::kRegistryCreateFailed;
  }
  handle.SetDword(regnames::kTop, top);
  handle.SetDword(regnames::kLeft, left);
  handle.SetDword(regnames::kRight, right);
  handle.SetDword(regnames::kBottom, bottom);
  return status::kOk;
}

int CSettingsStore::SetShowDialer(DWORD flag) const {
  return SetDword(HKEY_LOCAL_MACHINE, InProgramKey(regnames::kOptions), regnames::kShowDialer, flag);
}

int CSettingsStore::GetShowDialer(DWORD& flag) const {
  return GetDword(HKEY_LOCAL_MACHINE, InProgramKey(regnames::kOptions), regnames::kShowDialer, flag);
}

int CSettingsStore::SetSingleClickDial(DWORD flag) const {
  return SetDword(HKEY_LOCAL_MACHINE, InProgramKey(regnames::kOptions), regnames::kSingleClickDial, flag);
}

int CSettingsStore::GetSingleClickDial(DWORD& flag) const {
  return GetDword(HKEY_LOCAL_MACHINE, InProgramKey(regnames::kOptions), regnames::kSingleClickDial, flag);
}

int CSettingsStore::SetInternetDial(DWORD flag) const {
  return SetDword(HKEY_LOCAL_MACHINE, InProgramKey(regnames::kOptions), regnames::kInternetDial, flag);
}

int CSettingsStore::GetInternetDial(DWORD& flag) const {
  return GetDword(HKEY_LOCAL_MACHINE, InProgramKey(regnames::kOptions), regnames::kInternetDial, flag);
}

// --- Values of other programs ----------------------------------------------------

int CSettingsStore::SetStartupEntry() const {
  std::string folder;
  int result = ExecutableFolder(folder);
  if (result != status::kOk) return result;
  return SetString(HKEY_LOCAL_MACHINE, regnames::kRunKey, regnames::kStartupValue,
                   folder + "\\" + regnames::kProgramFileName);
}

int CSettingsStore::GetStartupEntry(std::string& command) const {
  return GetString(HKEY_LOCAL_MACHINE, regnames::kRunKey, regnames::kStartupValue, command);
}

int CSettingsStore::DeleteStartupEntry() const {
  RegKey handle;
  if (handle.Open(HKEY_LOCAL_MACHINE, regnames::kRunKey) != ERROR_SUCCESS) {
    return status::kRegistryKeyNotFound;
  }
  if (handle.DeleteValue(regnames::kStartupValue) != ERROR_SUCCESS) {
    return status::kRegistryDeleteFailed;
  }
  return status::kOk;
}

int CSettingsStore::GetBrowserVersion(std::string& version) const {
  return GetString(HKEY_LOCAL_MACHINE, regnames::kInternetExplorerKey,
                   regnames::kInternetExplorerVersion, version);
}

int CSettingsStore::GetJunoPath(std::string& path) const {
  return GetString(HKEY_LOCAL_MACHINE, regnames::kJunoKey, regnames::kJunoProgram, path);
}

int CSettingsStore::GetNetZeroPath(std::string& path) const {
  return GetString(HKEY_LOCAL_MACHINE, regnames::kNetZeroAppPathKey, "", path);
}

int CSettingsStore::GetAttPath(std::string& path) const {
  int result =
      GetString(HKEY_LOCAL_MACHINE, regnames::kAttClientKey, regnames::kAttClientFolder, path);
  path += regnames::kAttProgramInFolder;
  return result;
}

int CSettingsStore::PrepareAttWorldNet() const {
  std::vector<std::string> subkeys;
  EnumSubkeys(regnames::kAttGlobalDataKey, subkeys);
  for (const std::string& subkey : subkeys) {
    SetDword(HKEY_LOCAL_MACHINE, std::string(regnames::kAttGlobalDataKey) + "\\" + subkey,
             regnames::kAttHideStatus, 1);
  }
  return status::kOk;
}

int CSettingsStore::SetAttLaunchBrowser(const std::string& subkey) const {
  return SetDword(HKEY_LOCAL_MACHINE, std::string(regnames::kAttGlobalDataKey) + "\\" + subkey,
                  regnames::kAttLaunchBrowser, 0);
}

int CSettingsStore::SetAttPromptDisconnect(const std::string& subkey) const {
  return SetDword(HKEY_LOCAL_MACHINE, std::string(regnames::kAttGlobalDataKey) + "\\" + subkey,
                  regnames::kAttPromptDisconnect, 0);
}

// --- Start-up ----------------------------------------------------------------------

int CSettingsStore::EnsureProfileKey() const {
  // Only whether the key exists matters: a user without write access to it
  // is not on a first run.
  RegKey handle;
  if (handle.Open(HKEY_LOCAL_MACHINE, InProgramKey(regnames::kDialUpProfile), KEY_READ) ==
      ERROR_SUCCESS) {
    return 1;
  }
  handle.Create(HKEY_LOCAL_MACHINE, InProgramKey(regnames::kDialUpProfile));
  return 0;
}

void CSettingsStore::RunEarlierLayoutCheck() const {
  std::vector<std::string> subkeys;
  EnumSubkeys(InProgramKey(regnames::kDialUpProfile), subkeys);
  if (subkeys.empty()) SetConversionDone(1);
}
