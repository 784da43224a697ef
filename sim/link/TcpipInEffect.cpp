// Where each Windows family keeps the TCP/IP values of its dial-up adapter.
//
// Windows 95, 98 and Me: DefaultRcvWindow and DefaultTTL (decimal texts) in
// the MSTCP key, MaxMTU in the TCP/IP binding of the network class. NT 4:
// TcpWindowSize and DefaultTTL (DWORDs) in the Tcpip parameters, MTU in the
// parameters of the NdisWan adapter's service, found through its network
// card entry. Windows 2000: as NT 4, except that the MTU of its dial-up links
// is NdisWan's own.
#include "sim/link/TcpipInEffect.h"

#include <windows.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "framework/RegKey.h"
#include "settings/portable/OsFamily.h"

namespace {

const char kMstcpKey[] = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";
const char kNetTransKey[] = "System\\CurrentControlSet\\Services\\Class\\NetTrans";
const char kNtTcpipKey[] = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";
const char kServicesKey[] = "SYSTEM\\CurrentControlSet\\Services\\";
const char kNetworkCardsKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards";
const char kWin2000DialUpKey[] = "SYSTEM\\CurrentControlSet\\Services\\NdisWan\\Parameters";
const char kNdisWanProduct[] = "NdisWanDialoutIp";
const char kTcpipBinding[] = "TCP/IP";

// Windows' own defaults for a dial-up adapter.
constexpr int kDefaultMtu = 1500;
constexpr int kDefaultRwin9x = 8192;
constexpr int kDefaultRwinNt = 8760;
constexpr int kDefaultTtl95 = 32;
constexpr int kDefaultTtl = 128;

// A positive decimal text, as the 9x network stack reads it; else the default.
int DecimalOr(const RegKey& key, const char* name, int fallback) {
  std::string text;
  if (key.QueryText(name, text) != ERROR_SUCCESS || text.empty()) return fallback;
  char* end = nullptr;
  errno = 0;
  long value = std::strtol(text.c_str(), &end, 10);
  if (end == text.c_str() || *end != '\0' || errno == ERANGE || value <= 0) return fallback;
  return static_cast<int>(value);
}

int DwordOr(const RegKey& key, const char* name, int fallback) {
  DWORD value = 0;
  if (key.QueryDword(name, value) != ERROR_SUCCESS || value == 0 || value > 0x7FFFFFFF) {
    return fallback;
  }
  return static_cast<int>(value);
}

// The first subkey of `parent` whose `valueName` text equals `wanted`.
bool FindSubkeyWith(const std::string& parent, const char* valueName, const char* wanted,
                    RegKey& found, std::string& foundName) {
  RegKey list;
  if (list.Open(HKEY_LOCAL_MACHINE, parent, KEY_READ) != ERROR_SUCCESS) return false;
  std::string name;
  for (DWORD index = 0; list.EnumSubkey(index, name) != ERROR_NO_MORE_ITEMS; ++index) {
    RegKey candidate;
    std::string text;
    if (candidate.Open(list.Get(), name, KEY_READ) == ERROR_SUCCESS &&
        candidate.QueryText(valueName, text) == ERROR_SUCCESS && text == wanted) {
      found = std::move(candidate);
      foundName = name;
      return true;
    }
  }
  return false;
}

TcpipInEffect ReadWindows9x(int osFamily) {
  TcpipInEffect values;
  RegKey mstcp;
  mstcp.Open(HKEY_LOCAL_MACHINE, kMstcpKey, KEY_READ);
  values.rwin = DecimalOr(mstcp, "DefaultRcvWindow", kDefaultRwin9x);
  values.ttl = DecimalOr(mstcp, "DefaultTTL", osFamily == kOsWindows95 ? kDefaultTtl95
                                                                       : kDefaultTtl);
  RegKey binding;
  std::string bindingName;
  FindSubkeyWith(kNetTransKey, "DriverDesc", kTcpipBinding, binding, bindingName);
  values.mtu = DecimalOr(binding, "MaxMTU", kDefaultMtu);
  return values;
}

std::string NdisWanServiceParameters() {
  RegKey card;
  std::string cardName;
  std::string service;
  if (!FindSubkeyWith(kNetworkCardsKey, "ProductName", kNdisWanProduct, card, cardName) ||
      card.QueryText("ServiceName", service) != ERROR_SUCCESS || service.empty()) {
    return std::string();
  }
  return kServicesKey + service + "\\Parameters\\Tcpip";
}

TcpipInEffect ReadWindowsNt(int osFamily) {
  TcpipInEffect values;
  RegKey tcpip;
  tcpip.Open(HKEY_LOCAL_MACHINE, kNtTcpipKey, KEY_READ);
  values.rwin = DwordOr(tcpip, "TcpWindowSize", kDefaultRwinNt);
  values.ttl = DwordOr(tcpip, "DefaultTTL", kDefaultTtl);
  const std::string adapterKey =
      osFamily == kOsWindowsNT4 ? NdisWanServiceParameters() : std::string(kWin2000DialUpKey);
  RegKey adapter;
  if (!adapterKey.empty()) adapter.Open(HKEY_LOCAL_MACHINE, adapterKey, KEY_READ);
  values.mtu = DwordOr(adapter, "MTU", kDefaultMtu);
  return values;
}

}  // namespace

int RunningOsFamily() {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!GetVersionExA(&info)) return kOsUnknown;
  return OsFamilyFromVersion(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}

TcpipInEffect ReadTcpipInEffect(int osFamily) {
  return IsNtFamily(osFamily) ? ReadWindowsNt(osFamily) : ReadWindows9x(osFamily);
}
