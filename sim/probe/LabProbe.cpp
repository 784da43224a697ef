// LabProbe.exe: what a program sees inside the lab. It prints the Windows
// family Wine reports to it, where its rasapi32.dll comes from, the lab's
// phone book and ISP server, and, with --dial ENTRY, dials the entry
// synchronously (with --user and --password), prints RAS's answer and the
// ISP server's link while connected, then hangs up. Lab scripts and their
// tests use it to check that the lab is set up as asked.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "framework/LoadedModule.h"
#include "framework/RasLayouts.h"
#include "sim/link/IspLink.h"
#include "sim/link/TcpipInEffect.h"

namespace {

std::string Environment(const char* name) {
  char value[1024] = {};
  DWORD length = GetEnvironmentVariableA(name, value, sizeof(value));
  return length > 0 && length < sizeof(value) ? std::string(value, length) : std::string();
}

std::string ModulePath(HMODULE module) {
  char path[MAX_PATH] = {};
  if (module == nullptr || GetModuleFileNameA(module, path, MAX_PATH) == 0) return "missing";
  return path;
}

std::string EntryNames(const LoadedModule& ras) {
  auto enumEntries = ras.Proc<ras::RasEnumEntriesFunction>("RasEnumEntriesA");
  if (enumEntries == nullptr) return "unavailable";
  std::vector<ras::EntryName> entries(64);
  entries[0].size = sizeof(ras::EntryName);
  DWORD size = static_cast<DWORD>(entries.size() * sizeof(ras::EntryName));
  DWORD count = 0;
  DWORD result = enumEntries(nullptr, nullptr, entries.data(), &size, &count);
  if (result != 0) return "error " + std::to_string(result);
  std::string names;
  for (DWORD i = 0; i < count; ++i) names += (i > 0 ? "," : "") + std::string(entries[i].entryName);
  return names;
}

// "link=up mtu=576 rwin=4380 ttl=64" from the ISP server's status lines.
std::string IspLink(const std::string& isp) {
  std::string status;
  if (isp.empty() || !SendIspControl(isp, "status", status)) return "link=none";
  std::string summary;
  size_t start = 0;
  while (start < status.size()) {
    size_t end = status.find('\n', start);
    if (end == std::string::npos) end = status.size();
    const std::string line = status.substr(start, end - start);
    for (const char* name : {"link=", "mtu=", "rwin=", "ttl="}) {
      if (line.compare(0, std::strlen(name), name) == 0) summary += (summary.empty() ? "" : " ") + line;
    }
    start = end + 1;
  }
  return summary;
}

int Dial(const LoadedModule& ras, const std::string& entry, const std::string& user,
         const std::string& password, const std::string& isp) {
  auto dial = ras.Proc<ras::RasDialFunction>("RasDialA");
  auto hangUp = ras.Proc<ras::RasHangUpFunction>("RasHangUpA");
  if (dial == nullptr || hangUp == nullptr) {
    std::printf("dial=unavailable\n");
    return 2;
  }
  ras::DialParams params = {};
  params.size = sizeof(params);
  lstrcpynA(params.entryName, entry.c_str(), sizeof(params.entryName));
  lstrcpynA(params.userName, user.c_str(), sizeof(params.userName));
  lstrcpynA(params.password, password.c_str(), sizeof(params.password));
  ras::ConnectionHandle connection = nullptr;
  DWORD result = dial(nullptr, nullptr, &params, 0, nullptr, &connection);
  std::printf("dial=%lu\n", static_cast<unsigned long>(result));
  std::printf("while connected: %s\n", IspLink(isp).c_str());
  if (connection != nullptr) hangUp(connection);
  return result == 0 ? 0 : 1;
}

std::string Argument(int argc, char** argv, const char* name) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], name) == 0) return argv[i + 1];
  }
  return std::string();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string isp = Environment("VELOTUNE_LAB_ISP");
  LoadedModule ras("rasapi32.dll");
  std::printf("family=%d\n", RunningOsFamily());
  std::printf("rasapi32=%s\n", ModulePath(ras.Get()).c_str());
  std::printf("phonebook=%s\n", Environment("VELOTUNE_LAB_PHONEBOOK").c_str());
  std::printf("entries=%s\n", EntryNames(ras).c_str());
  std::printf("internet-dial=%s\n", Environment("VELOTUNE_INTERNET_DIAL").c_str());
  std::printf("isp=%s\n", isp.empty() ? "none" : isp.c_str());
  std::printf("%s\n", IspLink(isp).c_str());
  const std::string entry = Argument(argc, argv, "--dial");
  if (entry.empty()) return 0;
  return Dial(ras, entry, Argument(argc, argv, "--user"), Argument(argc, argv, "--password"), isp);
}
