// CSettingsStore: where each TCP/IP parameter lives on each Windows family,
// its typed reads and writes, and the provider's best settings.
//
// The NT family keeps DWORDs under the services key's Tcpip and NdisWan keys
// (on NT 4 also under the dial-out card's own service). Windows 9x keeps
// decimal texts in the TCP/IP binding and the dial-up adapter's class keys,
// found by their descriptions, and under VxD\MSTCP.
#include "settings/SettingsStore.h"

#include <cstdio>

#include "engine/portable/StatusCodes.h"
#include "framework/RegKey.h"
#include "settings/AolSettings.h"
#include "settings/DialUpProfile.h"
#include "settings/RegistryAccess.h"
#include "settings/RegistryNames.h"
#include "settings/portable/DecimalText.h"
#include "settings/portable/LocationEntry.h"
#include "settings/portable/ObscureTransform.h"
#include "settings/portable/ProviderKinds.h"

namespace {

constexpr int kSearchedIndexes = 50;
// Descriptions are read into a buffer of this size, terminator included.
constexpr size_t kDescriptionCapacity = 56;
constexpr int kMssBelowMtu = 40;

std::string Services9x(const char* rest) { return std::string(regnames::kServices9x) + rest; }
std::string ServicesNt(const char* rest) { return std::string(regnames::kServicesNt) + rest; }

std::string FourDigits(int index) {
  char digits[8];
  snprintf(digits, sizeof(digits), "%04d", index);
  return digits;
}

// The first Class\{class}\nnnn key (nnnn from 0000 to 0049) described exactly
// as `description`; its four digits. 32 for a key whose description cannot
// be read or does not fit, 36 when none matches.
int SearchClass(const char* classPath, const char* description, std::string& digits) {
  for (int index = 0; index < kSearchedIndexes; ++index) {
    RegKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, Services9x(classPath) + "\\" + FourDigits(index), KEY_READ) !=
        ERROR_SUCCESS) {
      continue;
    }
    std::string text;
    if (key.QueryText(regnames::kDriverDesc, text) != ERROR_SUCCESS ||
        text.size() >= kDescriptionCapacity) {
      return status::kRegistryQueryFailed;
    }
    if (text == description) {
      digits = FourDigits(index);
      return status::kOk;
    }
  }
  return status::kDialUpNotInstalled;
}

// The TCP/IP binding key B of Windows 9x; empty when the search fails.
std::string FindTcpipBinding() {
  std::string digits;
  if (SearchClass(regnames::kClassNetTrans, regnames::kTcpipBindingDesc, digits) != status::kOk) {
    return std::string();
  }
  return Services9x(regnames::kClassNetTrans) + "\\" + digits;
}

// The dial-up adapter's four digits D. The binding search runs first; its
// key (or nothing, when it failed) goes to `binding`.
int FindDialUpAdapter(std::string& digits, std::string& binding) {
  binding = FindTcpipBinding();
  return SearchClass(regnames::kClassNet, regnames::kDialUpAdapterDesc, digits);
}

// NT 4's dial-out network card: "\" and its service name.
int FindNdisWanCard(std::string& service) {
  RegKey cards;
  if (cards.Open(HKEY_LOCAL_MACHINE, regnames::kNetworkCards, KEY_READ) != ERROR_SUCCESS) {
    return status::kRegistryKeyNotFound;
  }
  for (int number = 1; number <= kSearchedIndexes; ++number) {
    RegKey card;
    if (card.Open(cards.Get(), std::to_string(number), KEY_READ) != ERROR_SUCCESS) continue;
    std::string product;
    if (card.QueryText(regnames::kProductName, product) != ERROR_SUCCESS) {
      return status::kRegistryQueryFailed;
    }
    if (product != regnames::kNdisWanDialoutIp) continue;
    std::string name;
    // The name becomes part of a key path: it must name one key.
    if (card.QueryText(regnames::kServiceName, name) != ERROR_SUCCESS || name.empty() ||
        name.find('\\') != std::string::npos) {
      return status::kRegistryQueryFailed;
    }
    service = "\\" + name;
    return status::kOk;
  }
  return status::kDialUpNotInstalled;
}

// A location whose key is unknown (no TCP/IP binding was found) is left out
// of the list: its empty key path would name the root of HKEY_LOCAL_MACHINE.
void AddLocation(std::vector<std::string>& locations, const char* name, const std::string& key) {
  if (!key.empty()) locations.push_back(MakeLocationEntry(name, key));
}

int BuildMtuLocations(int osFamily, std::vector<std::string>& locations) {
  if (osFamily == kOsWindows2000) {
    for (const char* key :
         {regnames::kNdisWanParameters, regnames::kNdisWanParametersTcpip, regnames::kTcpip,
          regnames::kTcpipParameters, regnames::kTcpipNdisWanIp, regnames::kTcpipParametersTcpip}) {
      AddLocation(locations, regnames::kMtu, ServicesNt(key));
    }
    return status::kOk;
  }
  if (osFamily == kOsWindowsNT4) {
    std::string service;
    int result = FindNdisWanCard(service);
    if (result != status::kOk) return result;
    AddLocation(locations, regnames::kMtu,
                ServicesNt(service.c_str()) + regnames::kServiceParametersTcpip);
    AddLocation(locations, regnames::kMtu, ServicesNt(regnames::kTcpipParameters));
    return status::kOk;
  }
  std::string digits, binding;
  int result = FindDialUpAdapter(digits, binding);
  if (result != status::kOk) return result;
  const std::string adapter = Services9x(regnames::kClassNet) + "\\" + digits;
  const std::string ipMtuParameter = adapter + regnames::kNdiParamsIpMtu + "\\";
  AddLocation(locations, regnames::kIpMtu, binding);
  AddLocation(locations, regnames::kMaxMtu, binding);
  AddLocation(locations, regnames::kIpMtu, adapter);
  AddLocation(locations, "", ipMtuParameter);
  AddLocation(locations, regnames::kDefault, ipMtuParameter);
  return status::kOk;
}

const char* BestSettingName(int parameter) {
  switch (parameter) {
    case kParameterMtu: return regnames::kBestMtu;
    case kParameterRwin: return regnames::kBestRwin;
    case kParameterTtl: return regnames::kBestTtl;
    case kParameterCacheSize: return regnames::kBestCacheSize;
    default: return nullptr;
  }
}

}  // namespace

// --- Location lists --------------------------------------------------------------

int CSettingsStore::BuildLocations(int parameter, std::vector<std::string>& locations) {
  locations.clear();
  const bool nt = IsNt();
  switch (parameter) {
    case kParameterMtu: return BuildMtuLocations(osFamily_, locations);
    case kParameterRwin:
      if (nt) {
        AddLocation(locations, regnames::kTcpWindowSize, ServicesNt(regnames::kTcpipParameters));
      } else {
        AddLocation(locations, regnames::kDefaultRcvWindow, Services9x(regnames::kVxdMstcp));
      }
      return status::kOk;
    case kParameterTtl:
      AddLocation(locations, regnames::kDefaultTtl,
                  nt ? ServicesNt(regnames::kTcpipParameters) : Services9x(regnames::kVxdMstcp));
      return status::kOk;
    case kParameterCacheSize:
      // Only the Windows 9x family has the cache size; on the NT family its
      // key would merely be planted by every write and restore.
      if (nt) return status::kOk;
      AddLocation(locations, regnames::kDefault, Services9x(regnames::kCacheSize));
      AddLocation(locations, "", Services9x(regnames::kCacheSize));
      return status::kOk;
    default: return status::kTestTypeUndefined;
  }
}

int CSettingsStore::BuildMssLocations(std::vector<std::string>& locations) {
  locations.clear();
  if (IsNt()) {
    AddLocation(locations, regnames::kTcpRecvSegmentSize, ServicesNt(regnames::kTcpipParameters));
    return status::kOk;
  }
  std::string digits, binding;
  int result = FindDialUpAdapter(digits, binding);
  if (result != status::kOk) return result;
  AddLocation(locations, regnames::kMaxMss, binding);
  return status::kOk;
}

// --- Typed reads and writes ------------------------------------------------------

int CSettingsStore::ReadValueAt(const std::string& key, const std::string& name, int& value) const {
  RegKey handle;
  if (key.empty() || handle.Open(HKEY_LOCAL_MACHINE, key, KEY_READ) != ERROR_SUCCESS) {
    return status::kRegistryKeyNotFound;
  }
  if (IsNt()) {
    DWORD number = 0;
    if (handle.QueryDword(name, number) != ERROR_SUCCESS) return status::kRegistryQueryFailed;
    value = static_cast<int>(number);
    return status::kOk;
  }
  std::string text;
  if (handle.QueryText(name, text) != ERROR_SUCCESS) return status::kRegistryQueryFailed;
  if (text.empty()) return status::kRegistryQueryFailed;
  value = DecimalToInt(text);
  return status::kOk;
}

int CSettingsStore::WriteValueAt(const std::string& key, const std::string& name, int value) {
  if (obscureNext_ == 1) {
    obscureNext_ = 0;
    value = ObscureValue(value);
  }
  RegKey handle;
  if (key.empty() || OpenOrCreate(handle, HKEY_LOCAL_MACHINE, key) != ERROR_SUCCESS) {
    return status::kRegistryCreateFailed;
  }
  LONG written = IsNt() ? handle.SetDword(name, static_cast<DWORD>(value))
                        : handle.SetText(name, IntToDecimal(value));
  return written == ERROR_SUCCESS ? status::kOk : status::kRegistryWriteFailed;
}

int CSettingsStore::ReadValue(const std::string& entry, int& value) {
  const LocationEntry location = ParseLocationEntry(entry);
  if (location.keyPath.empty()) return status::kNoRegistryPath;
  return ReadValueAt(location.keyPath, location.valueName, value);
}

int CSettingsStore::WriteValue(const std::string& entry, int value) {
  const LocationEntry location = ParseLocationEntry(entry);
  if (location.keyPath.empty()) {
    obscureNext_ = 0;
    return status::kNoRegistryPath;
  }
  return WriteValueAt(location.keyPath, location.valueName, value);
}

int CSettingsStore::DeleteValue(const std::string& entry) {
  const LocationEntry location = ParseLocationEntry(entry);
  if (location.keyPath.empty()) return status::kNoRegistryPath;
  // A value in a key that does not exist is gone already: deleting it never
  // creates the key.
  RegKey handle;
  if (handle.Open(HKEY_LOCAL_MACHINE, location.keyPath) != ERROR_SUCCESS) {
    return status::kRegistryKeyNotFound;
  }
  if (handle.DeleteValue(location.valueName) != ERROR_SUCCESS) {
    return status::kRegistryDeleteFailed;
  }
  return status::kOk;
}

int CSettingsStore::WriteToEach(const std::vector<std::string>& locations, int value) {
  for (const std::string& entry : locations) {
    int result = WriteValue(entry, value);
    if (result != status::kOk) return result;
  }
  return status::kOk;
}

// --- Parameter operations ----------------------------------------------------------

int CSettingsStore::Write(const TestRecord& record) {
  if (record.parameter == kParameterMtu && ProviderKindOrDefault() == kProviderAmericaOnline) {
    // America Online's MTU lives with its own client and adapter.
    CAolSettings aol(osFamily_);
    aol.SetBackMtu(record.value);
    aol.SetAdapterMtu(record.value);
    return status::kOk;
  }
  std::vector<std::string> locations;
  int result = BuildLocations(record.parameter, locations);
  if (result == status::kOk) result = WriteToEach(locations, record.value);
  if (result != status::kOk || record.parameter != kParameterMtu) return result;
  result = BuildMssLocations(locations);
  if (result != status::kOk) return result;
  return WriteToEach(locations, record.value - kMssBelowMtu);
}

int CSettingsStore::ReadCurrent(TestRecord& record) {
  std::vector<std::string> locations;
  int result = BuildLocations(record.parameter, locations);
  if (result != status::kOk) return result;
  if (locations.empty()) return status::kNoRegistryPath;
  return ReadValue(locations.front(), record.value);
}

int CSettingsStore::BestSettingLocation(int parameter, std::string& key, std::string& name) const {
  const char* valueName = BestSettingName(parameter);
  if (valueName == nullptr) return status::kTestTypeUndefined;
  name = valueName;
  key = ProgramKeyPath(regnames::kBestSettings);
  const int provider = ProviderKindOrDefault();
  if (provider == kProviderDialUpNetworking || provider == kProviderMsn) {
    // Per phone-book entry; with no default entry, in "\Best Settings" itself.
    std::string profile;
    CDialUpProfile(provider, osFamily_).GetDefaultProfile(profile);
    if (!profile.empty()) key += "\\" + ProviderNameFromKind(provider) + "\\" + profile;
  } else if (!ProviderNameFromKind(provider).empty()) {
    key += "\\" + ProviderNameFromKind(provider);
  }
  return status::kOk;
}

int CSettingsStore::StoreBest(const TestRecord& record) {
  std::string key, name;
  int result = BestSettingLocation(record.parameter, key, name);
  if (result != status::kOk) return result;
  obscureNext_ = 1;
  return WriteValueAt(key, name, record.value);
}

int CSettingsStore::ReadBest(TestRecord& record) {
  std::string key, name;
  int result = BestSettingLocation(record.parameter, key, name);
  if (result != status::kOk) return result;
  // An empty stored text is no best value: revealed, it would be a number
  // (13) that no tune-up found.
  int stored = 0;
  result = ReadValueAt(key, name, stored);
  if (result != status::kOk) return result;
  record.value = RevealValue(stored);
  return status::kOk;
}

int CSettingsStore::ApplyBest() {
  const int provider = ProviderKindOrDefault();
  for (int parameter : {kParameterMtu, kParameterRwin, kParameterTtl, kParameterCacheSize}) {
    if (parameter == kParameterMtu && provider == kProviderAmericaOnline) continue;
    TestRecord best;
    best.parameter = parameter;
    std::vector<std::string> locations;
    if (ReadBest(best) != status::kOk || BuildLocations(parameter, locations) != status::kOk) {
      continue;
    }
    int result = WriteToEach(locations, best.value);
    if (result != status::kOk) return result;
  }
  return status::kOk;
}
