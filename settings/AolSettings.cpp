// CAolSettings: setting and clearing the AOL client's and adapter's MTU, the
// program's own settings for the America Online and CompuServe 2000 clients,
// and the subfolder listing of the Juno driver.
#include "settings/AolSettings.h"

#include "engine/portable/StatusCodes.h"
#include "framework/RegKey.h"
#include "settings/AolPlaces.h"
#include "settings/RegistryAccess.h"
#include "settings/RegistryNames.h"
#include "settings/portable/DecimalText.h"
#include "settings/portable/ProviderKinds.h"

namespace {

std::string SubkeyOfKind(int kind) {
  return kind == kProviderCompuServe ? regnames::kCompuServeSubkey : regnames::kAmericaOnlineSubkey;
}

std::string SubkeyOfConfiguredProvider(const CSettingsStore& store) {
  int kind = 0;
  if (store.GetProviderKind(kind) != status::kOk) return std::string();
  return SubkeyOfKind(kind);
}

// Readers of the clients' settings open for reading only; a missing key is
// created as the writers would create it, and then holds nothing to read.
LONG OpenForReadingOrCreate(RegKey& key, const std::string& path) {
  if (key.Open(HKEY_LOCAL_MACHINE, path, KEY_READ) == ERROR_SUCCESS) return ERROR_SUCCESS;
  return key.Create(HKEY_LOCAL_MACHINE, path);
}

// A text (or a screen name, stored as a value name) that could not be read
// back is refused before anything is written.
int WriteText(const std::string& path, const std::string& name, const std::string& text) {
  if (!RegKey::FitsText(text) || !RegKey::FitsText(name)) return status::kRegistryWriteFailed;
  RegKey key;
  if (OpenOrCreate(key, HKEY_LOCAL_MACHINE, path) != ERROR_SUCCESS) {
    return status::kRegistryCreateFailed;
  }
  return key.SetText(name, text) == ERROR_SUCCESS ? status::kOk : status::kRegistryWriteFailed;
}

int WriteDword(const std::string& path, const std::string& name, DWORD value) {
  RegKey key;
  if (OpenOrCreate(key, HKEY_LOCAL_MACHINE, path) != ERROR_SUCCESS) {
    return status::kRegistryCreateFailed;
  }
  return key.SetDword(name, value) == ERROR_SUCCESS ? status::kOk : status::kRegistryWriteFailed;
}

// Reads a text into `text`, leaving it as it was when there is none.
void ReadTextIfStored(const std::string& path, const std::string& name, std::string& text) {
  RegKey key;
  std::string stored;
  if (OpenForReadingOrCreate(key, path) == ERROR_SUCCESS &&
      key.QueryText(name, stored) == ERROR_SUCCESS) {
    text = stored;
  }
}

void DeleteValues(const std::string& path, std::initializer_list<const char*> names) {
  RegKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, path) != ERROR_SUCCESS) return;
  for (const char* name : names) key.DeleteValue(name);
}

bool IsDotName(const std::string& name) { return name == "." || name == ".."; }

}  // namespace

CAolSettings::CAolSettings() : subkey_(SubkeyOfConfiguredProvider(*this)) {}

CAolSettings::CAolSettings(int osFamily)
    : CSettingsStore(osFamily), subkey_(SubkeyOfConfiguredProvider(*this)) {}

std::string CAolSettings::ClientSettingsKey() const {
  return ProgramKeyPath(regnames::kDialUpProfile) + subkey_;
}

// --- The MTU ------------------------------------------------------------------

int CAolSettings::SetClientMtu(int mtu) const {
  return WriteDword(aolplaces::ClientKey(regnames::kAolSock), regnames::kAolMtu,
                    static_cast<DWORD>(mtu));
}

int CAolSettings::SetBackMtu(int mtu) const {
  DeleteClientKey();
  return WriteDword(aolplaces::ClientKey(regnames::kAolSockBack), regnames::kAolMtu,
                    static_cast<DWORD>(mtu));
}

int CAolSettings::SetAdapterMtu(int mtu) const {
  int result = status::kOk;
  for (const std::string& adapter : FindAolAdapters()) {
    RegKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, adapter) != ERROR_SUCCESS ||
        key.SetDword(regnames::kAolMtu, static_cast<DWORD>(mtu)) != ERROR_SUCCESS) {
      if (result == status::kOk) result = status::kRegistryWriteFailed;
    }
  }
  return result;
}

int CAolSettings::SetBindingMtu(int mtu) const {
  std::vector<std::string> bindings;
  const int found = FindAolNetTransKeys(bindings);
  const std::string mtuText = IntToDecimal(mtu);
  for (const std::string& binding : bindings) {
    RegKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, binding) != ERROR_SUCCESS) {
      return status::kRegistryKeyNotFound;
    }
    if (key.SetText(regnames::kMaxMtu, mtuText) != ERROR_SUCCESS ||
        key.SetText(regnames::kIpMtu, mtuText) != ERROR_SUCCESS ||
        key.SetText(regnames::kMaxMss, IntToDecimal(mtu - 40)) != ERROR_SUCCESS) {
      return status::kRegistryWriteFailed;
    }
  }
  return found;
}

int CAolSettings::ResetAfterTest() const {
  DeleteClientKey();
  for (const std::string& adapter : FindAolAdapters()) {
    DeleteValues(adapter, {regnames::kAolMtu});
  }
  DeleteClientBackValues();
  std::vector<std::string> bindings;
  FindAolNetTransKeys(bindings);
  for (const std::string& binding : bindings) {
    DeleteValues(binding, {regnames::kMaxMtu, regnames::kMaxMss, regnames::kIpMtu});
  }
  return status::kOk;
}

int CAolSettings::DeleteClientKey() const {
  RegKey existing;
  if (existing.Open(HKEY_LOCAL_MACHINE, aolplaces::ClientKey(regnames::kAolSock), KEY_READ) !=
      ERROR_SUCCESS) {
    return status::kOk;
  }
  existing.Close();
  RegKey parent;
  if (parent.Open(HKEY_LOCAL_MACHINE, regnames::kAolClientKey) != ERROR_SUCCESS) {
    return status::kRegistryKeyNotFound;
  }
  if (DeleteKeyTree(parent.Get(), regnames::kAolSock) != ERROR_SUCCESS) {
    return status::kRegistryKeyDeleteFailed;
  }
  return status::kOk;
}

int CAolSettings::DeleteClientBackValues() const {
  RegKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, aolplaces::ClientKey(regnames::kAolSockBack)) != ERROR_SUCCESS) {
    return status::kOk;
  }
  key.DeleteValue(regnames::kAolNdi);
  // A value that is already gone is no failure to delete it.
  if (DeleteValueIfPresent(key, regnames::kAolMtu) != ERROR_SUCCESS) {
    return status::kRegistryKeyDeleteFailed;
  }
  return status::kOk;
}

// --- The clients' settings ------------------------------------------------------

int CAolSettings::SetProgramPath(const std::string& path) const {
  return WriteText(ClientSettingsKey(), regnames::kAolProgramPath, path);
}

int CAolSettings::GetProgramPath(int kind, std::string& path) {
  subkey_ = SubkeyOfKind(kind);
  ReadTextIfStored(ClientSettingsKey(), regnames::kAolProgramPath, path);
  return status::kOk;
}

int CAolSettings::SetDefaultScreenName(const std::string& name) const {
  return WriteText(ClientSettingsKey(), regnames::kDefaultScreenName, name);
}

int CAolSettings::GetDefaultScreenName(std::string& name) const {
  ReadTextIfStored(ClientSettingsKey(), regnames::kDefaultScreenName, name);
  return status::kOk;
}

int CAolSettings::AddScreenName(const std::string& name) const {
  return WriteText(ClientSettingsKey() + regnames::kScreenNames, name, std::string());
}

int CAolSettings::DeleteScreenName(const std::string& name) const {
  RegKey key;
  if (OpenOrCreate(key, HKEY_LOCAL_MACHINE, ClientSettingsKey() + regnames::kScreenNames) !=
      ERROR_SUCCESS) {
    return status::kRegistryCreateFailed;
  }
  if (key.DeleteValue(name) != ERROR_SUCCESS) return status::kRegistryDeleteFailed;
  return status::kOk;
}

int CAolSettings::ListScreenNames(std::vector<std::string>& names) const {
  RegKey key;
  if (OpenForReadingOrCreate(key, ClientSettingsKey() + regnames::kScreenNames) != ERROR_SUCCESS) {
    return status::kRegistryCreateFailed;
  }
  for (const std::string& name : AllValueNames(key)) names.push_back(name);
  return status::kOk;
}

int CAolSettings::SetRedial(DWORD count) const {
  return WriteDword(ClientSettingsKey(), regnames::kRedial, count);
}

int CAolSettings::GetRedial(DWORD& count) const {
  RegKey key;
  if (OpenForReadingOrCreate(key, ClientSettingsKey()) != ERROR_SUCCESS) {
    return status::kRegistryKeyNotFound;
  }
  if (key.QueryDword(regnames::kRedial, count) != ERROR_SUCCESS) {
    return status::kRegistryQueryFailed;
  }
  return status::kOk;
}

// --- Subfolders -------------------------------------------------------------------

namespace {

// Makes a folder the current directory for the life of the object and then
// puts the previous one back: libraries loaded later by bare name (rasapi32.dll)
// are searched for in the current directory before the system folder.
class CurrentDirectoryScope {
 public:
  explicit CurrentDirectoryScope(const std::string& folder) {
    char previous[MAX_PATH + 1] = {};
    DWORD length = GetCurrentDirectoryA(sizeof(previous), previous);
    if (length == 0 || length >= sizeof(previous)) return;  // cannot be put back: stay put
    previous_.assign(previous, length);
    entered_ = SetCurrentDirectoryA(folder.c_str()) != FALSE;
  }
  ~CurrentDirectoryScope() {
    if (entered_) SetCurrentDirectoryA(previous_.c_str());
  }
  CurrentDirectoryScope(const CurrentDirectoryScope&) = delete;
  CurrentDirectoryScope& operator=(const CurrentDirectoryScope&) = delete;

  bool Entered() const { return entered_; }

 private:
  std::string previous_;
  bool entered_ = false;
};

}  // namespace

int CAolSettings::ListSubfolders(const std::string& folder, std::vector<std::string>& names) const {
  // The pattern "*." of the later systems searches the current directory: if
  // the folder cannot be made current it would list some other folder.
  CurrentDirectoryScope current(folder);
  if (!current.Entered()) return status::kRegistryKeyNotFound;
  // Windows 95 and NT 4 search every name; the others ask for names without
  // an extension, which Windows answers with folders (and Wine with every
  // name, so the rule is applied here as well).
  const bool everyName = osFamily_ == kOsWindows95 || osFamily_ == kOsWindowsNT4;
  const std::string pattern = everyName ? folder + "\\*.*" : std::string("*.");
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return status::kOk;
  do {
    const std::string name = found.cFileName;
    const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (IsDotName(name) || !isFolder) continue;
    if (!everyName && name.find('.') != std::string::npos) continue;
    names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return status::kOk;
}
