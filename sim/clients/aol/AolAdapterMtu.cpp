// Follows the AOL adapter's registry chain as Windows 9x does for its
// connections: Enum\Root\Net\{n} ("DeviceDesc", "mtu", "Bindings") to
// Enum\Network\MSTCP\{m} ("Driver") to the binding under Class\NetTrans.
#include "sim/clients/aol/AolAdapterMtu.h"

#include <cerrno>
#include <cstdlib>
#include <string>

#include "framework/RegKey.h"

namespace {

const char kRootNetKey[] = "Enum\\Root\\Net";
const char kMstcpEnumKey[] = "Enum\\Network\\MSTCP\\";
const char kNetTransParent[] = "System\\CurrentControlSet\\Services\\Class\\";

bool IsAolAdapter(const RegKey& device) {
  std::string description;
  return device.QueryText("DeviceDesc", description) == ERROR_SUCCESS &&
         (description == "AOL Adapter" || description == "AOL Dial-Up Adapter");
}

// "MaxMTU" of the adapter's TCP/IP binding, or 0.
int BindingMtu(const RegKey& device, const std::string& devicePath, const ClientLog& log) {
  RegKey bindings;
  if (bindings.Open(device.Get(), "Bindings", KEY_READ) != ERROR_SUCCESS) return 0;
  std::string name;
  for (DWORD index = 0; bindings.EnumValueName(index, name) != ERROR_NO_MORE_ITEMS; ++index) {
    if (name.compare(0, 6, "MSTCP\\") != 0) continue;
    RegKey mstcp;
    std::string driver;
    if (mstcp.Open(HKEY_LOCAL_MACHINE, kMstcpEnumKey + name.substr(6), KEY_READ) !=
            ERROR_SUCCESS ||
        mstcp.QueryText("Driver", driver) != ERROR_SUCCESS) {
      return 0;
    }
    RegKey binding;
    std::string text;
    std::string bindingPath = kNetTransParent + driver;
    if (binding.Open(HKEY_LOCAL_MACHINE, bindingPath, KEY_READ) != ERROR_SUCCESS ||
        binding.QueryText("MaxMTU", text) != ERROR_SUCCESS) {
      return 0;
    }
    log.Write("read", devicePath + " binding " + bindingPath + " MaxMTU=" + text);
    char* end = nullptr;
    errno = 0;
    long mtu = std::strtol(text.c_str(), &end, 10);
    return end != text.c_str() && *end == '\0' && errno == 0 && mtu > 0 && mtu < 65536
               ? static_cast<int>(mtu)
               : 0;
  }
  return 0;
}

}  // namespace

int ReadAolAdapterMtu(const ClientLog& log, int fallback) {
  RegKey devices;
  if (devices.Open(HKEY_LOCAL_MACHINE, kRootNetKey, KEY_READ) != ERROR_SUCCESS) {
    log.Write("read", "no AOL adapter");
    return fallback;
  }
  std::string name;
  for (DWORD index = 0; devices.EnumSubkey(index, name) != ERROR_NO_MORE_ITEMS; ++index) {
    RegKey device;
    if (device.Open(devices.Get(), name, KEY_READ) != ERROR_SUCCESS || !IsAolAdapter(device)) {
      continue;
    }
    std::string path = std::string(kRootNetKey) + "\\" + name;
    DWORD mtu = 0;
    if (device.QueryDword("mtu", mtu) == ERROR_SUCCESS && mtu > 0 && mtu < 65536) {
      log.Write("read", path + " mtu=" + std::to_string(mtu));
      return static_cast<int>(mtu);
    }
    int bindingMtu = BindingMtu(device, path, log);
    return bindingMtu > 0 ? bindingMtu : fallback;
  }
  log.Write("read", "no AOL adapter");
  return fallback;
}
