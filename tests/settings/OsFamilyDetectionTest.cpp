// The family the program detects under each Windows version Wine can play,
// chosen per program with HKCU\Software\Wine\AppDefaults\<exe>\Version.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "framework/RegKey.h"
#include "settings/SettingsStore.h"

namespace {

const char kProbe[] = "OsFamilyProbe.exe";
const std::string kAppDefaults = std::string("Software\\Wine\\AppDefaults\\") + kProbe;

std::string ProbePath() {
  std::string folder;
  CSettingsStore(kOsWindows98).ExecutableFolder(folder);
  return folder + "\\" + kProbe;
}

DWORD RunProbeAs(const char* windowsVersion) {
  RegKey appDefaults;
  EXPECT_EQ(ERROR_SUCCESS, appDefaults.Create(HKEY_CURRENT_USER, kAppDefaults));
  EXPECT_EQ(ERROR_SUCCESS, appDefaults.SetText("Version", windowsVersion));
  appDefaults.Close();

  std::string commandLine = "\"" + ProbePath() + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    ADD_FAILURE() << "cannot start " << commandLine << ": " << GetLastError();
    return 0xFFFFFFFF;
  }
  DWORD exitCode = 0xFFFFFFFF;
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 60000));
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return exitCode;
}

class OsFamilyDetectionTest : public ::testing::Test {
 protected:
  void TearDown() override { DeleteKeyTree(HKEY_CURRENT_USER, kAppDefaults); }
};

TEST_F(OsFamilyDetectionTest, EachWindowsVersionGivesItsFamily) {
  const std::pair<const char*, int> cases[] = {
      {"win95", kOsWindows95}, {"win98", kOsWindows98},       {"winme", kOsWindowsMe},
      {"nt40", kOsWindowsNT4}, {"win2k", kOsWindows2000},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(static_cast<DWORD>(c.second), RunProbeAs(c.first)) << c.first;
  }
}

TEST_F(OsFamilyDetectionTest, NtFiveOneCountsAsWindows2000AndNtSixHasNoFamily) {
  EXPECT_EQ(static_cast<DWORD>(kOsWindows2000), RunProbeAs("winxp"));
  EXPECT_EQ(static_cast<DWORD>(kOsUnknown), RunProbeAs("win7"));
}

}  // namespace
