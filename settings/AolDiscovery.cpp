// CAolSettings: finding the AOL adapters, their TCP/IP bindings and the
// NetTrans keys of those bindings, following the chain Windows 9x keeps:
// Enum\Root\Net\{device} (its "DeviceDesc" names the adapter) -> its
// "Bindings" value "MSTCP\{n}" -> Enum\Network\MSTCP\{n} (its "Driver" is
// "NetTrans\{m}") -> the binding key Class\NetTrans\{m} under the services key.
#include "settings/AolSettings.h"

#include "engine/portable/StatusCodes.h"
#include "framework/RegKey.h"
#include "settings/RegistryAccess.h"
#include "settings/RegistryNames.h"

namespace {

constexpr DWORD kMaxEnumeratedDevices = 21;
// "NetTrans" before the binding's own part of a "Driver" text.
constexpr size_t kNetTransPrefixLength = 8;
// "MSTCP" before the binding's own part of a binding value name.
constexpr size_t kMstcpPrefixLength = 5;

bool IsAolAdapter(const std::string& description) {
  return description == regnames::kAolAdapterDesc || description == regnames::kAolDialUpAdapterDesc;
}

bool NamesMstcp(const std::string& valueName) {
  return valueName.find(regnames::kMstcp) != std::string::npos;
}

// The binding tail of an adapter's "Bindings" key; empty when it has none.
std::string BindingTail(const RegKey& bindings) {
  std::string first;
  if (bindings.EnumValueName(0, first) == ERROR_SUCCESS && NamesMstcp(first)) {
    return first.substr(kMstcpPrefixLength);
  }
  for (const std::string& name : AllValueNames(bindings)) {
    if (NamesMstcp(name)) return name.substr(kMstcpPrefixLength);
  }
  return std::string();
}

// A binding's own part must name one key below Class\NetTrans: anything else
// would lead the MTU writes to some other key.
bool IsSubkeySuffix(const std::string& suffix) {
  return suffix.size() > 1 && suffix[0] == '\\' && suffix.find('\\', 1) == std::string::npos;
}

}  // namespace

std::vector<std::string> CAolSettings::FindAolAdapters() const {
  std::vector<std::string> adapters;
  RegKey devices;
  if (devices.Open(HKEY_LOCAL_MACHINE, regnames::kEnumRootNet, KEY_READ) != ERROR_SUCCESS) {
    return adapters;
  }
  for (DWORD index = 0; index < kMaxEnumeratedDevices; ++index) {
    std::string name;
    LONG result = devices.EnumSubkey(index, name);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS) continue;
    const std::string path = std::string(regnames::kEnumRootNet) + "\\" + name;
    RegKey device;
    std::string description;
    if (device.Open(HKEY_LOCAL_MACHINE, path, KEY_READ) == ERROR_SUCCESS &&
        device.QueryText(regnames::kDeviceDesc, description) == ERROR_SUCCESS &&
        IsAolAdapter(description)) {
      adapters.push_back(path);
    }
  }
  return adapters;
}

std::vector<std::string> CAolSettings::FindAolBindings() const {
  std::vector<std::string> tails;
  for (const std::string& adapter : FindAolAdapters()) {
    RegKey bindings;
    if (bindings.Open(HKEY_LOCAL_MACHINE, adapter + regnames::kBindings, KEY_READ) !=
        ERROR_SUCCESS) {
      continue;
    }
    std::string tail = BindingTail(bindings);
    if (!tail.empty()) tails.push_back(tail);
  }
  return tails;
}

int CAolSettings::FindAolNetTransKeys(std::vector<std::string>& keys) const {
  for (const std::string& tail : FindAolBindings()) {
    RegKey network;
    if (network.Open(HKEY_LOCAL_MACHINE, regnames::kEnumNetworkMstcp + tail, KEY_READ) !=
        ERROR_SUCCESS) {
      return status::kRegistryKeyNotFound;
    }
    std::string driver;
    if (network.QueryText(regnames::kDriver, driver) != ERROR_SUCCESS ||
        driver.find(regnames::kNetTrans) == std::string::npos ||
        driver.size() <= kNetTransPrefixLength) {
      continue;
    }
    const std::string suffix = driver.substr(kNetTransPrefixLength);
    if (!IsSubkeySuffix(suffix)) continue;
    keys.push_back(std::string(regnames::kServices9x) + regnames::kClassNetTrans + suffix);
  }
  return status::kOk;
}
