// Registry layouts of a user's network settings on each Windows family, laid
// out in Wine's registry for tests of the TCP/IP parameter access, the backup
// and restore, the AOL adapter and anything that dials: the Windows 9x
// adapter and protocol classes, NT 4's network cards, Windows 2000's TCP/IP
// keys and the AOL adapter's chain of device, binding and protocol keys.
#pragma once

#include <string>

namespace netlayout {

// "System\CurrentControlSet\Services" as Windows 9x spells it, and as NT does.
extern const char kServices9x[];
extern const char kServicesNt[];

// "{services}\Class\Net\0003" and "{services}\Class\NetTrans\0002".
std::string NetKey(int index);
std::string NetTransKey(int index);
std::string NetIpMtuKey(int adapterIndex);  // NetKey + "\Ndi\params\IPMTU\"
extern const char kMstcpKey[];              // "{services}\VxD\MSTCP"
extern const char kCacheSizeKey[];          // "{services}\VxD\NWLink\Ndi\params\cachesize"
extern const char kTcpipParametersKey[];    // "{NT services}\Tcpip\Parameters"

// Windows 95, 98 and Me: network adapters under Class\Net and protocols
// under Class\NetTrans, each described by "DriverDesc". Other adapters and
// protocols come before the dial-up adapter and the first TCP/IP binding; a
// second TCP/IP binding (of another adapter) comes after it.
struct Windows9x {
  int adapterIndex = 3;
  int bindingIndex = 2;
  bool withAdapter = true;
  // The user's own values: "MaxMTU" and "MaxMSS" in the binding, "default"
  // of the adapter's IPMTU parameter, "DefaultTTL" and the cache size's
  // "default", as Windows stores texts (with a terminating zero). The other
  // locations have no value, as on most systems.
  bool userValues = true;
};
void LayOut(const Windows9x& system);

// Windows NT 4: NetworkCards\{n} with "ProductName" and "ServiceName"; the
// dial-out card is "NdisWanDialoutIp", its service's TCP/IP parameters under
// "{services}\{service}\Parameters\Tcpip".
struct WindowsNt4 {
  int cardNumber = 2;
  std::string serviceName = "NdisWan5";
  // "MTU" = 1500 for the card's service and "TcpWindowSize" = 8760 (DWORDs).
  bool userValues = true;
};
void LayOut(const WindowsNt4& system);
std::string Nt4CardServiceKey(const WindowsNt4& system);  // "{services}\{service}\Parameters\Tcpip"

// Windows 2000: "TcpWindowSize" = 17520 and "MTU" = 1500 in Tcpip\Parameters,
// "MTU" = 1400 in NdisWan\Parameters (DWORDs); Wine's own Tcpip\Parameters
// values stay beside them.
struct Windows2000 {
  bool userValues = true;
};
void LayOut(const Windows2000& system);

// The AOL adapter of the America Online client on Windows 9x:
// Enum\Root\Net\{device} with "DeviceDesc" `description` and a "Bindings"
// value "MSTCP\{mstcp}" (after one of another protocol), the key
// Enum\Network\MSTCP\{mstcp} with "Driver" = "NetTrans\{netTrans}", and that
// TCP/IP binding with the user's "MaxMTU" = "1500" and the unnamed IPMTU
// parameter "1500".
struct AolAdapter {
  int device = 2;
  std::string description = "AOL Adapter";
  int mstcp = 4;
  int netTrans = 5;
  bool bindingValues = true;
};
void LayOut(const AolAdapter& adapter);
std::string AolDeviceKey(const AolAdapter& adapter);
std::string AolBindingKey(const AolAdapter& adapter);

// The AOL client's own keys with their "mtu" (DWORD) and "aolndi" values.
void LayOutAolClient(const std::string& name, unsigned mtu, const std::string& ndi);
std::string AolClientKey(const std::string& name);

// The layout of the family the tests run as, with the user's own values.
void LayOutRunningFamily();

}  // namespace netlayout
