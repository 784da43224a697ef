#include "tests/support/RegistryFixture.h"

#include <sddl.h>

#include "framework/RegKey.h"
#include "settings/RegistryNames.h"

namespace {

// Keys of the real system that tests create or change, removed around each test.
const char* const kOwnedTrees[] = {
    "SOFTWARE\\Orvalis",
    "SOFTWARE\\Juno",
    "SOFTWARE\\AT&T",
    "SOFTWARE\\America Online",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\nzStart.Exe",
    "System\\CurrentControlSet\\Services\\Class",
    "System\\CurrentControlSet\\Services\\VxD\\MSTCP",
    "System\\CurrentControlSet\\Services\\VxD\\NWLink",
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards",
    "Enum\\Root\\Net",
    "Enum\\Network\\MSTCP",
    // The NT family's dial-up keys, which Wine does not have.
    "SYSTEM\\CurrentControlSet\\Services\\NdisWan",
    "SYSTEM\\CurrentControlSet\\Services\\NdisWan5",
};

// Wine's own key: kept, but put back as it was after each test.
constexpr char kSystemTcpipKey[] = "SYSTEM\\CurrentControlSet\\Services\\Tcpip";

}  // namespace

void RegistryTest::SetUp() {
  ClearOwnedKeys();
  systemTcpip_ = RegistryTreeSnapshot(kSystemTcpipKey);
}

void RegistryTest::TearDown() {
  ClearOwnedKeys();
  systemTcpip_.Restore();
}

void RegistryTest::ClearOwnedKeys() {
  for (const char* tree : kOwnedTrees) DeleteKeyTree(HKEY_LOCAL_MACHINE, tree);
  RegKey run;
  if (run.Open(HKEY_LOCAL_MACHINE, regnames::kRunKey) == ERROR_SUCCESS) {
    run.DeleteValue(regnames::kStartupValue);
  }
}

namespace testreg {

bool KeyExists(const std::string& path) {
  RegKey key;
  return key.Open(HKEY_LOCAL_MACHINE, path, KEY_READ) == ERROR_SUCCESS;
}

bool ValueExists(const std::string& path, const std::string& name) {
  DWORD type = 0;
  std::vector<BYTE> data;
  return ReadRaw(path, name, type, data);
}

void CreateKey(const std::string& path) {
  RegKey key;
  ASSERT_EQ(ERROR_SUCCESS, key.Create(HKEY_LOCAL_MACHINE, path)) << path;
}

void CreateVolatileKey(const std::string& path) {
  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr,
                                           REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                                           nullptr))
      << path;
  RegCloseKey(key);
}

void SetReadOnly(const std::string& path, bool readOnly) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(
      readOnly ? "D:P(A;;KR;;;WD)" : "D:P(A;;KA;;;WD)", SDDL_REVISION_1, &descriptor, nullptr));
  HKEY key = nullptr;
  LONG opened = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, WRITE_DAC, &key);
  EXPECT_EQ(ERROR_SUCCESS, opened) << path;
  if (opened == ERROR_SUCCESS) {
    EXPECT_EQ(ERROR_SUCCESS, RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor));
    RegCloseKey(key);
  }
  LocalFree(descriptor);
}

void WriteRaw(const std::string& path, const std::string& name, DWORD type,
              const std::vector<BYTE>& data) {
  RegKey key;
  ASSERT_EQ(ERROR_SUCCESS, key.Create(HKEY_LOCAL_MACHINE, path)) << path;
  ASSERT_EQ(ERROR_SUCCESS, key.SetRaw(name, type, data)) << path << " " << name;
}

void WriteDword(const std::string& path, const std::string& name, DWORD value) {
  const BYTE* bytes = reinterpret_cast<const BYTE*>(&value);
  WriteRaw(path, name, REG_DWORD, std::vector<BYTE>(bytes, bytes + sizeof(value)));
}

void WriteText(const std::string& path, const std::string& name, const std::string& text) {
  std::vector<BYTE> data(text.begin(), text.end());
  data.push_back(0);
  WriteRaw(path, name, REG_SZ, data);
}

bool ReadRaw(const std::string& path, const std::string& name, DWORD& type,
             std::vector<BYTE>& data) {
  RegKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, path, KEY_READ) != ERROR_SUCCESS) return false;
  return key.QueryRaw(name, type, data) == ERROR_SUCCESS;
}

void DeleteTree(const std::string& path) { DeleteKeyTree(HKEY_LOCAL_MACHINE, path); }

}  // namespace testreg
