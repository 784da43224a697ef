#include "tests/support/NetworkLayouts.h"

#include <windows.h>

#include <cstdio>

#include "settings/SettingsStore.h"
#include "settings/portable/OsFamily.h"
#include "tests/support/RegistryFixture.h"

namespace netlayout {

const char kServices9x[] = "System\\CurrentControlSet\\Services";
const char kServicesNt[] = "SYSTEM\\CurrentControlSet\\Services";
const char kMstcpKey[] = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";
const char kCacheSizeKey[] =
    "System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\cachesize";
const char kTcpipParametersKey[] = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";

namespace {

std::string FourDigits(int index) {
  char digits[16];
  snprintf(digits, sizeof(digits), "%04d", index);
  return digits;
}

void Describe(const std::string& key, const std::string& description) {
  testreg::WriteText(key, "DriverDesc", description);
}

}  // namespace

std::string NetKey(int index) {
  return std::string(kServices9x) + "\\Class\\Net\\" + FourDigits(index);
}

std::string NetTransKey(int index) {
  return std::string(kServices9x) + "\\Class\\NetTrans\\" + FourDigits(index);
}

std::string NetIpMtuKey(int adapterIndex) {
  return NetKey(adapterIndex) + "\\Ndi\\params\\IPMTU\\";
}

void LayOut(const Windows9x& system) {
  const char* const otherAdapters[] = {"Realtek RTL8029(AS) PCI Ethernet NIC", "AOL Adapter",
                                       "Microsoft Virtual Private Networking Adapter"};
  for (int i = 0; i < system.adapterIndex; ++i) Describe(NetKey(i), otherAdapters[i % 3]);
  if (system.withAdapter) {
    Describe(NetKey(system.adapterIndex), "Dial-Up Adapter");
    testreg::WriteText(NetIpMtuKey(system.adapterIndex), "ParamDesc", "IP Packet Size");
  }
  const char* const otherProtocols[] = {"NetBEUI", "IPX/SPX-compatible Protocol", "tcp/ip"};
  for (int i = 0; i < system.bindingIndex; ++i) Describe(NetTransKey(i), otherProtocols[i % 3]);
  Describe(NetTransKey(system.bindingIndex), "TCP/IP");
  Describe(NetTransKey(system.bindingIndex + 1), "TCP/IP");
  testreg::CreateKey(kMstcpKey);
  testreg::CreateKey(kCacheSizeKey);
  if (!system.userValues) return;
  testreg::WriteText(NetTransKey(system.bindingIndex), "MaxMTU", "1500");
  testreg::WriteText(NetTransKey(system.bindingIndex), "MaxMSS", "1460");
  if (system.withAdapter) testreg::WriteText(NetIpMtuKey(system.adapterIndex), "default", "1500");
  testreg::WriteText(kMstcpKey, "DefaultTTL", "32");
  testreg::WriteText(kCacheSizeKey, "default", "1");
}

std::string Nt4CardServiceKey(const WindowsNt4& system) {
  return std::string(kServicesNt) + "\\" + system.serviceName + "\\Parameters\\Tcpip";
}

void LayOut(const WindowsNt4& system) {
  const std::string cards = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards";
  for (int n = 1; n < system.cardNumber; ++n) {
    const std::string card = cards + "\\" + std::to_string(n);
    testreg::WriteText(card, "ProductName", n == 1 ? "E100B" : "NdisWan");
    testreg::WriteText(card, "ServiceName", n == 1 ? "E100B1" : "NdisWan" + std::to_string(n));
  }
  const std::string dialOut = cards + "\\" + std::to_string(system.cardNumber);
  testreg::WriteText(dialOut, "ProductName", "NdisWanDialoutIp");
  testreg::WriteText(dialOut, "ServiceName", system.serviceName);
  testreg::CreateKey(Nt4CardServiceKey(system));
  if (!system.userValues) return;
  testreg::WriteDword(Nt4CardServiceKey(system), "MTU", 1500);
  testreg::WriteDword(kTcpipParametersKey, "TcpWindowSize", 8760);
}

void LayOut(const Windows2000& system) {
  if (!system.userValues) return;
  testreg::WriteDword(kTcpipParametersKey, "TcpWindowSize", 17520);
  testreg::WriteDword(kTcpipParametersKey, "MTU", 1500);
  testreg::WriteDword(std::string(kServicesNt) + "\\NdisWan\\Parameters", "MTU", 1400);
}

std::string AolDeviceKey(const AolAdapter& adapter) {
  return "Enum\\Root\\Net\\" + FourDigits(adapter.device);
}

std::string AolBindingKey(const AolAdapter& adapter) { return NetTransKey(adapter.netTrans); }

void LayOut(const AolAdapter& adapter) {
  for (int i = 0; i < adapter.device; ++i) {
    testreg::WriteText("Enum\\Root\\Net\\" + FourDigits(i), "DeviceDesc",
                       i == 0 ? "Dial-Up Adapter" : "AOL adapter");
  }
  const std::string device = AolDeviceKey(adapter);
  testreg::WriteText(device, "DeviceDesc", adapter.description);
  testreg::WriteText(device + "\\Bindings", "VREDIR\\0000", "");
  testreg::WriteText(device + "\\Bindings", "MSTCP\\" + FourDigits(adapter.mstcp), "");
  testreg::WriteText("Enum\\Network\\MSTCP\\" + FourDigits(adapter.mstcp), "Driver",
                     "NetTrans\\" + FourDigits(adapter.netTrans));
  Describe(AolBindingKey(adapter), "TCP/IP");
  if (!adapter.bindingValues) return;
  testreg::WriteText(AolBindingKey(adapter), "MaxMTU", "1500");
  testreg::WriteText(AolBindingKey(adapter) + "\\Ndi\\params\\IPMTU", "", "1500");
}

std::string AolClientKey(const std::string& name) {
  return "SOFTWARE\\America Online\\AOL\\" + name;
}

void LayOutAolClient(const std::string& name, unsigned mtu, const std::string& ndi) {
  testreg::WriteDword(AolClientKey(name), "mtu", mtu);
  testreg::WriteText(AolClientKey(name), "aolndi", ndi);
}

void LayOutRunningFamily() {
  switch (CSettingsStore().GetOsFamily()) {
    case kOsWindowsNT4: LayOut(WindowsNt4()); break;
    case kOsWindows2000: LayOut(Windows2000()); break;
    default: LayOut(Windows9x()); break;
  }
}

}  // namespace netlayout
