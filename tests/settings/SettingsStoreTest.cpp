// The settings store against Wine's real registry.
#include <gtest/gtest.h>

#include <string>

#include "engine/portable/StatusCodes.h"
#include "framework/RegKey.h"
#include "settings/RegistryNames.h"
#include "settings/SettingsStore.h"
#include "settings/portable/ProviderKinds.h"
#include "tests/support/RegistryFixture.h"

namespace {

const std::string kProgram = regnames::kProgramKey;
const std::string kProfileKey = kProgram + "\\DialUp Profile";

class SettingsStoreTest : public RegistryTest {
 protected:
  CSettingsStore store_{kOsWindows98};
};

std::vector<BYTE> Bytes(const std::string& text) {
  return std::vector<BYTE>(text.begin(), text.end());
}

TEST_F(SettingsStoreTest, StringsAreStoredWithTheLengthOfTheirTextAndNoTerminator) {
  ASSERT_EQ(status::kOk, store_.SetString(HKEY_LOCAL_MACHINE, kProgram + "\\Test", "Name",
                                          "Velotune"));
  DWORD type = 0;
  std::vector<BYTE> data;
  ASSERT_TRUE(testreg::ReadRaw(kProgram + "\\Test", "Name", type, data));
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
  EXPECT_EQ(Bytes("Velotune"), data);

  std::string text;
  EXPECT_EQ(status::kOk, store_.GetString(HKEY_LOCAL_MACHINE, kProgram + "\\Test", "Name", text));
  EXPECT_EQ("Velotune", text);
}

TEST_F(SettingsStoreTest, TextsOfTwoHundredFiftySixBytesOrMoreFailWithoutOverrun) {
  const std::string key = kProgram + "\\Long";
  const std::string longest(255, 'x');
  ASSERT_EQ(status::kOk, store_.SetString(HKEY_LOCAL_MACHINE, key, "Fits", longest));
  testreg::WriteRaw(key, "Unterminated256", REG_SZ, Bytes(std::string(256, 'y')));
  testreg::WriteText(key, "Terminated256", std::string(256, 'z'));
  testreg::WriteRaw(key, "Huge", REG_SZ, Bytes(std::string(70000, 'h')));

  std::string text = "previous";
  EXPECT_EQ(status::kOk, store_.GetString(HKEY_LOCAL_MACHINE, key, "Fits", text));
  EXPECT_EQ(longest, text);
  for (const char* name : {"Unterminated256", "Terminated256", "Huge"}) {
    text = "previous";
    EXPECT_EQ(status::kRegistryQueryFailed, store_.GetString(HKEY_LOCAL_MACHINE, key, name, text))
        << name;
    EXPECT_EQ("", text) << name;
  }
}

TEST_F(SettingsStoreTest, ValuesOfTheWrongTypeOrSizeAreQueryFailures) {
  const std::string key = kProgram + "\\Odd";
  testreg::WriteDword(key, "Dword", 7);
  testreg::WriteText(key, "Text", "12");
  testreg::WriteRaw(key, "FourBinaryBytes", REG_BINARY, {1, 0, 0, 0});
  testreg::WriteRaw(key, "ShortDword", REG_DWORD, {1, 2});
  testreg::WriteRaw(key, "BinaryText", REG_BINARY, Bytes("text"));

  DWORD value = 99;
  EXPECT_EQ(status::kRegistryQueryFailed, store_.GetDword(HKEY_LOCAL_MACHINE, key, "Text", value));
  EXPECT_EQ(status::kRegistryQueryFailed,
            store_.GetDword(HKEY_LOCAL_MACHINE, key, "FourBinaryBytes", value));
  EXPECT_EQ(status::kRegistryQueryFailed,
            store_.GetDword(HKEY_LOCAL_MACHINE, key, "ShortDword", value));
  EXPECT_EQ(99u, value);
  std::string text;
  EXPECT_EQ(status::kRegistryQueryFailed, store_.GetString(HKEY_LOCAL_MACHINE, key, "Dword", text));
  EXPECT_EQ(status::kRegistryQueryFailed,
            store_.GetString(HKEY_LOCAL_MACHINE, key, "BinaryText", text));
}

TEST_F(SettingsStoreTest, ATextWithAnEmbeddedZeroEndsThere) {
  const std::string key = kProgram + "\\Odd";
  testreg::WriteRaw(key, "Embedded", REG_SZ, {'a', 'b', 0, 'c', 'd', 0xFF, 0x01});
  std::string text;
  EXPECT_EQ(status::kOk, store_.GetString(HKEY_LOCAL_MACHINE, key, "Embedded", text));
  EXPECT_EQ("ab", text);
}

TEST_F(SettingsStoreTest, MissingKeysAndValues) {
  DWORD value = 0;
  std::string text;
  EXPECT_EQ(status::kRegistryQueryFailed,
            store_.GetDword(HKEY_LOCAL_MACHINE, kProgram + "\\Nowhere", "x", value));
  EXPECT_EQ(status::kRegistryQueryFailed,
            store_.GetString(HKEY_LOCAL_MACHINE, kProgram + "\\Nowhere", "x", text));
  EXPECT_EQ(status::kRegistryKeyNotFound, store_.GetBackupStatus(value));
  testreg::CreateKey(kProgram + "\\Backup Registry");
  EXPECT_EQ(status::kRegistryQueryFailed, store_.GetBackupStatus(value));
  EXPECT_EQ(0u, store_.GetConversionDone());
  EXPECT_EQ(0u, store_.GetAccess(kProviderJuno));
  EXPECT_EQ(0u, store_.GetAccess(42));
}

TEST_F(SettingsStoreTest, EnumeratesAtMostTheFirstTwentyOneSubkeys) {
  const std::string key = kProgram + "\\Many";
  for (int i = 0; i < 30; ++i) {
    char name[8];
    snprintf(name, sizeof(name), "K%02d", i);
    testreg::CreateKey(key + "\\" + name);
  }
  std::vector<std::string> names;
  store_.EnumSubkeys(key, names);
  ASSERT_EQ(21u, names.size());
  EXPECT_EQ("K00", names.front());
  EXPECT_EQ("K20", names.back());

  std::vector<std::string> none;
  store_.EnumSubkeys(kProgram + "\\Absent", none);
  EXPECT_TRUE(none.empty());
}

TEST_F(SettingsStoreTest, WindowRectangleNeedsAllFourValues) {
  DWORD left = 0, top = 0, right = 0, bottom = 0;
  EXPECT_EQ(status::kRegistryNoDefaultData, store_.GetWindowRect(left, top, right, bottom));

  ASSERT_EQ(status::kOk, store_.SetWindowRect(10, 20, 630, 470));
  ASSERT_EQ(status::kOk, store_.GetWindowRect(left, top, right, bottom));
  EXPECT_EQ(10u, left);
  EXPECT_EQ(20u, top);
  EXPECT_EQ(630u, right);
  EXPECT_EQ(470u, bottom);

  testreg::DeleteTree(kProgram + "\\App Settings");
  testreg::WriteDword(kProgram + "\\App Settings", "left", 1);
  testreg::WriteDword(kProgram + "\\App Settings", "top", 2);
  testreg::WriteDword(kProgram + "\\App Settings", "right", 3);
  EXPECT_EQ(status::kRegistryNoDefaultData, store_.GetWindowRect(left, top, right, bottom));
}

TEST_F(SettingsStoreTest, StartupEntryNamesTheProgramInItsFolder) {
  std::string folder;
  ASSERT_EQ(status::kOk, store_.ExecutableFolder(folder));
  ASSERT_FALSE(folder.empty());
  EXPECT_NE('\\', folder.back());

  std::string entry;
  EXPECT_EQ(status::kRegistryQueryFailed, store_.GetStartupEntry(entry));
  ASSERT_EQ(status::kOk, store_.SetStartupEntry());
  ASSERT_EQ(status::kOk, store_.GetStartupEntry(entry));
  EXPECT_EQ(folder + "\\Velotune.exe", entry);

  DWORD type = 0;
  std::vector<BYTE> data;
  ASSERT_TRUE(testreg::ReadRaw(regnames::kRunKey, "Velotune", type, data));
  EXPECT_EQ(entry.size(), data.size()) << "stored without a terminating zero";

  EXPECT_EQ(status::kOk, store_.DeleteStartupEntry());
  EXPECT_EQ(status::kRegistryDeleteFailed, store_.DeleteStartupEntry());
}

TEST_F(SettingsStoreTest, ProviderKindIsReadFromACreatedProfileKey) {
  int kind = 0;
  EXPECT_EQ(status::kRegistryQueryFailed, store_.GetProviderKind(kind));
  EXPECT_TRUE(testreg::KeyExists(kProfileKey));
  EXPECT_EQ(kProviderDialUpNetworking, store_.ProviderKindOrDefault());

  EXPECT_EQ(status::kOk, store_.SetProviderKind(kProviderNetZero));
  EXPECT_EQ(status::kOk, store_.GetProviderKind(kind));
  EXPECT_EQ(kProviderNetZero, kind);
}

TEST_F(SettingsStoreTest, AUserWhoMayOnlyReadFindsTheConfigurationAnAdministratorMade) {
  ASSERT_EQ(status::kOk, store_.SetProviderKind(kProviderNetZero));
  testreg::SetReadOnly(kProfileKey, true);
  struct Writable {
    ~Writable() { testreg::SetReadOnly(kProfileKey, false); }
  } writableAgain;
  RegKey probe;
  ASSERT_NE(ERROR_SUCCESS, probe.Open(HKEY_LOCAL_MACHINE, kProfileKey)) << "not read-only";

  int kind = 0;
  EXPECT_EQ(status::kOk, store_.GetProviderKind(kind));
  EXPECT_EQ(kProviderNetZero, kind);
  EXPECT_EQ(kProviderNetZero, store_.ProviderKindOrDefault());
  EXPECT_EQ(1, store_.EnsureProfileKey()) << "configured before, not a first run";
}

TEST_F(SettingsStoreTest, NamedAccessorsUseTheirKeysAndValues) {
  EXPECT_EQ(status::kOk, store_.SetTuneUpType(2));
  EXPECT_EQ(status::kOk, store_.SetAccess(kProviderJuno));
  EXPECT_EQ(status::kOk, store_.SetDefaultDialerPath(kProviderAttWorldNet, 1));
  EXPECT_EQ(status::kOk, store_.SetBackupStatus(1));
  EXPECT_EQ(status::kOk, store_.SetShowDialer(1));
  EXPECT_EQ(status::kOk, store_.SetSingleClickDial(0));
  EXPECT_EQ(status::kOk, store_.SetInternetDial(1));

  DWORD type = 0;
  std::vector<BYTE> data;
  const std::pair<std::string, std::string> expected[] = {
      {kProfileKey, "TuneUp Type"},
      {kProfileKey + "\\Juno", "Access"},
      {kProfileKey + "\\AT&T WorldNet", "Default Dialer Path"},
      {kProgram + "\\Backup Registry", "BackupStatus"},
      {kProgram + "\\Options", "ShowVTDialer"},
      {kProgram + "\\Options", "SingleClickDial"},
      {kProgram + "\\Options", "InternetDial"},
  };
  for (const auto& location : expected) {
    ASSERT_TRUE(testreg::ReadRaw(location.first, location.second, type, data))
        << location.first << " " << location.second;
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type) << location.second;
  }
  DWORD value = 0;
  EXPECT_EQ(status::kOk, store_.GetTuneUpType(value));
  EXPECT_EQ(2u, value);
  EXPECT_EQ(1u, store_.GetAccess(kProviderJuno));
  EXPECT_EQ(status::kOk, store_.GetSingleClickDial(value));
  EXPECT_EQ(0u, value);
  EXPECT_EQ(status::kBadParameters, store_.SetDefaultDialerPath(0, 1));
}

TEST_F(SettingsStoreTest, ForeignProgramPaths) {
  std::string path;
  EXPECT_EQ(status::kRegistryQueryFailed, store_.GetAttPath(path));
  EXPECT_EQ("\\Programs\\WNConnect.exe", path);

  testreg::WriteText(regnames::kAttClientKey, "Path", "C:\\Program Files\\WorldNet");
  EXPECT_EQ(status::kOk, store_.GetAttPath(path));
  EXPECT_EQ("C:\\Program Files\\WorldNet\\Programs\\WNConnect.exe", path);

  testreg::WriteText(regnames::kJunoKey, "exe", "C:\\Juno\\juno.exe");
  EXPECT_EQ(status::kOk, store_.GetJunoPath(path));
  EXPECT_EQ("C:\\Juno\\juno.exe", path);

  testreg::WriteText(regnames::kNetZeroAppPathKey, "", "C:\\NetZero\\nzStart.exe");
  EXPECT_EQ(status::kOk, store_.GetNetZeroPath(path));
  EXPECT_EQ("C:\\NetZero\\nzStart.exe", path);
}

TEST_F(SettingsStoreTest, AttWorldNetPreparationReachesEverySubkeyUpToTwentyOne) {
  for (int i = 0; i < 23; ++i) {
    testreg::CreateKey(std::string(regnames::kAttGlobalDataKey) + "\\Account" +
                       std::to_string(100 + i));
  }
  EXPECT_EQ(status::kOk, store_.PrepareAttWorldNet());
  int marked = 0;
  for (int i = 0; i < 23; ++i) {
    const std::string key =
        std::string(regnames::kAttGlobalDataKey) + "\\Account" + std::to_string(100 + i);
    DWORD value = 0;
    if (store_.GetDword(HKEY_LOCAL_MACHINE, key, "Hide Status After Connect", value) ==
        status::kOk) {
      EXPECT_EQ(1u, value);
      ++marked;
    }
  }
  EXPECT_EQ(21, marked);

  EXPECT_EQ(status::kOk, store_.SetAttLaunchBrowser("Account100"));
  EXPECT_EQ(status::kOk, store_.SetAttPromptDisconnect("Account100"));
  DWORD value = 1;
  EXPECT_EQ(status::kOk,
            store_.GetDword(HKEY_LOCAL_MACHINE,
                            std::string(regnames::kAttGlobalDataKey) + "\\Account100",
                            "Prompt For Disconnect", value));
  EXPECT_EQ(0u, value);
}

}  // namespace
