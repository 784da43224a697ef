// Backup and restore of the user's TCP/IP values on every family, against
// Wine's real registry: whatever the tune-up and the dialer write, a restore
// gives back exactly the values the user had and removes those never had.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/portable/StatusCodes.h"
#include "engine/portable/TestRecord.h"
#include "tests/support/AutoRecord.h"
#include "framework/RegKey.h"
#include "settings/RegistryAccess.h"
#include "settings/RegistryNames.h"
#include "settings/SettingsStore.h"
#include "settings/portable/ProviderKinds.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/NetworkLayouts.h"
#include "tests/support/RegistryFixture.h"

namespace {

using testsupport::AutoRecord;

const std::string k9x = "System\\CurrentControlSet\\Services";
const std::string kNt = "SYSTEM\\CurrentControlSet\\Services";
const std::string kBackup = std::string(regnames::kProgramKey) + "\\Backup Registry";

std::vector<BYTE> DwordBytes(DWORD value) {
  const BYTE* bytes = reinterpret_cast<const BYTE*>(&value);
  return {bytes, bytes + sizeof(value)};
}

// Every TCP/IP place of every family, with Wine's own Tcpip values.
RegistryValueMap TcpipState() {
  RegistryValueMap state;
  for (const std::string& tree :
       {k9x + "\\Class", k9x + "\\VxD", kNt + "\\Tcpip", kNt + "\\NdisWan", kNt + "\\NdisWan5"}) {
    for (const auto& [name, value] : FlattenValues(tree)) state[tree + name] = value;
  }
  return state;
}

DWORD BackupStatus() {
  DWORD value = 0;
  return CSettingsStore(kOsWindows98).GetBackupStatus(value) == status::kOk ? value : 0;
}

// Every key below a tree (the tree's own key included), as paths.
void CollectKeys(const std::string& path, std::vector<std::string>& keys) {
  RegKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, path, KEY_READ) != ERROR_SUCCESS) return;
  keys.push_back(path);
  for (const std::string& name : AllSubkeyNames(key)) CollectKeys(path + "\\" + name, keys);
}

std::vector<std::string> TcpipKeys() {
  std::vector<std::string> keys;
  for (const std::string& tree : {k9x + "\\Class", k9x + "\\VxD", kNt + "\\Tcpip",
                                  kNt + "\\NdisWan", kNt + "\\NdisWan5"}) {
    CollectKeys(tree, keys);
  }
  return keys;
}

class RegistryBackupTest : public RegistryTest {
 protected:
  // Backs up, then changes every parameter as tune-ups and tray dials do,
  // then restores; the TCP/IP values must be the user's again.
  static void ExpectRestoredAfterChanges(int family) {
    const RegistryValueMap before = TcpipState();
    CSettingsStore store(family);
    ASSERT_EQ(status::kOk, store.Backup());
    EXPECT_EQ(1u, BackupStatus());

    store.Write(AutoRecord(kParameterMtu, 576));
    store.Write(AutoRecord(kParameterRwin, 8576));
    store.Write(AutoRecord(kParameterTtl, 64));
    store.Write(AutoRecord(kParameterCacheSize, 2));
    for (int parameter : {kParameterMtu, kParameterRwin, kParameterTtl, kParameterCacheSize}) {
      store.StoreBest(AutoRecord(parameter, 1000 + parameter));
    }
    store.ApplyBest();
    store.Write(AutoRecord(kParameterMtu, 1006));
    ASSERT_EQ(status::kOk, store.RestoreAll());
    const RegistryValueMap after = TcpipState();
    EXPECT_TRUE(before == after) << "family " << family << DescribeDifferences(before, after);

    // And again: restoring is repeatable.
    store.Write(AutoRecord(kParameterMtu, 1500));
    store.RestoreAll();
    EXPECT_TRUE(before == TcpipState()) << "family " << family;
  }
};

TEST_F(RegistryBackupTest, Windows9xValuesComeBackExactlyAndNewOnesGo) {
  for (int family : {kOsWindows95, kOsWindows98, kOsWindowsMe}) {
    ClearOwnedKeys();
    netlayout::LayOut(netlayout::Windows9x{});
    // Values of other shapes than the program writes come back as they were.
    testreg::WriteText(netlayout::NetKey(3), "IPMTU", "0576");
    testreg::WriteDword(netlayout::kMstcpKey, "DefaultRcvWindow", 8192);
    testreg::WriteRaw(netlayout::kCacheSizeKey, "", REG_SZ, {});
    ExpectRestoredAfterChanges(family);
  }
}

TEST_F(RegistryBackupTest, Windows9xWithoutAnyOwnValues) {
  netlayout::Windows9x system;
  system.userValues = false;
  netlayout::LayOut(system);
  ExpectRestoredAfterChanges(kOsWindows98);
  EXPECT_FALSE(testreg::ValueExists(k9x + "\\VxD\\MSTCP", "DefaultRcvWindow"));
}

TEST_F(RegistryBackupTest, WindowsNt4ValuesComeBackExactly) {
  netlayout::LayOut(netlayout::WindowsNt4{});
  testreg::WriteText(netlayout::kTcpipParametersKey, "DefaultTTL", "128");  // a text on NT
  ExpectRestoredAfterChanges(kOsWindowsNT4);
}

TEST_F(RegistryBackupTest, Windows2000ValuesComeBackExactly) {
  netlayout::LayOut(netlayout::Windows2000{});
  ExpectRestoredAfterChanges(kOsWindows2000);
}

TEST_F(RegistryBackupTest, RestoringPlantsNoKeyAndTheNtFamilyHasNoCacheSize) {
  const auto expectNoKeyPlanted = [](int family) {
    const std::vector<std::string> before = TcpipKeys();
    CSettingsStore store(family);
    store.Backup();
    EXPECT_EQ(status::kOk, store.RestoreAll());
    EXPECT_EQ(before, TcpipKeys()) << "family " << family;
    EXPECT_FALSE(testreg::KeyExists(netlayout::kCacheSizeKey)) << "family " << family;
  };
  netlayout::LayOut(netlayout::WindowsNt4{});
  expectNoKeyPlanted(kOsWindowsNT4);
  ClearOwnedKeys();
  netlayout::LayOut(netlayout::Windows2000{});
  expectNoKeyPlanted(kOsWindows2000);

  // The NT family has no cache size to write, read, back up or restore.
  CSettingsStore windows2000(kOsWindows2000);
  std::vector<std::string> locations = {"stale"};
  EXPECT_EQ(status::kOk, windows2000.BuildLocations(kParameterCacheSize, locations));
  EXPECT_TRUE(locations.empty());
  EXPECT_EQ(status::kOk, windows2000.Write(AutoRecord(kParameterCacheSize, 2)));
  EXPECT_FALSE(testreg::KeyExists(netlayout::kCacheSizeKey));

  // Nor on Windows 9x, where a value whose key is missing is gone already.
  ClearOwnedKeys();
  netlayout::LayOut(netlayout::Windows9x{});
  testreg::DeleteTree(netlayout::kCacheSizeKey);
  expectNoKeyPlanted(kOsWindows98);
  EXPECT_EQ(status::kRegistryKeyNotFound,
            CSettingsStore(kOsWindows98).DeleteValue(std::string("default:") +
                                                     netlayout::kCacheSizeKey + ":"));
}

TEST_F(RegistryBackupTest, Windows2000CopiesShareTheMirroredParametersKey) {
  netlayout::LayOut(netlayout::Windows2000{});
  testreg::WriteDword(netlayout::kTcpipParametersKey, "DefaultTTL", 64);
  testreg::WriteDword(netlayout::kTcpipParametersKey, "TcpRecvSegmentSize", 1460);
  CSettingsStore store(kOsWindows2000);
  ASSERT_EQ(status::kOk, store.Backup());
  const RegistryValueMap copies = FlattenValues(kBackup + "\\Tcpip\\Parameters");
  ASSERT_EQ(4u, copies.size());
  EXPECT_EQ(DwordBytes(17520), copies.at("|TcpWindowSize").data);
  EXPECT_EQ(static_cast<DWORD>(REG_DWORD), copies.at("|TcpWindowSize").type);
  EXPECT_EQ(1u, copies.count("|MTU"));
  EXPECT_EQ(1u, copies.count("|DefaultTTL"));
  EXPECT_EQ(1u, copies.count("|TcpRecvSegmentSize"));
  EXPECT_EQ(DwordBytes(1400), FlattenValues(kBackup + "\\NdisWan\\Parameters").at("|MTU").data);

  ASSERT_EQ(status::kOk, store.Write(AutoRecord(kParameterRwin, 8760)));
  ASSERT_EQ(status::kOk, store.RestoreOriginal(kParameterRwin));
  EXPECT_EQ(DwordBytes(17520),
            FlattenValues(netlayout::kTcpipParametersKey).at("|TcpWindowSize").data);
  EXPECT_EQ(status::kTestTypeUndefined, store.RestoreOriginal(9));
}

TEST_F(RegistryBackupTest, WithoutADialUpAdapterTheBackupStaysIncomplete) {
  netlayout::Windows9x system;
  system.withAdapter = false;
  netlayout::LayOut(system);
  CSettingsStore store(kOsWindows98);
  EXPECT_EQ(status::kDialUpNotInstalled, store.Backup());
  EXPECT_EQ(0u, BackupStatus());
  EXPECT_EQ(1u, FlattenValues(kBackup + "\\VxD\\MSTCP").count("|DefaultTTL"));
  EXPECT_EQ(status::kDialUpNotInstalled, store.RestoreOriginal(kParameterMtu));
}

TEST_F(RegistryBackupTest, ACopyThatCannotBeWrittenIsShownAndTheBackupGoesOn) {
  netlayout::LayOut(netlayout::Windows9x{});
  testreg::CreateKey(kBackup);
  testreg::CreateVolatileKey(kBackup + "\\VxD");
  CSettingsStore store(kOsWindows98);
  {
    MessageBoxRecorder recorder;
    EXPECT_EQ(status::kOk, store.Backup());
    // DefaultTTL and the cache size's "default" could not be copied.
    ASSERT_EQ(2u, recorder.Boxes().size());
    EXPECT_EQ("Failed to write backup some registry details", recorder.Boxes()[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OK), recorder.Boxes()[0].type & MB_TYPEMASK);
  }
  EXPECT_EQ(1u, BackupStatus());
}

TEST_F(RegistryBackupTest, AnMssCopyThatCannotBeWrittenLeavesTheBackupIncomplete) {
  netlayout::LayOut(netlayout::Windows9x{});
  testreg::CreateKey(kBackup);
  testreg::CreateVolatileKey(kBackup + "\\Class");
  CSettingsStore store(kOsWindows98);
  MessageBoxRecorder recorder;
  EXPECT_EQ(status::kRegistryCreateFailed, store.Backup());
  EXPECT_EQ(2u, recorder.Boxes().size());  // the binding's MaxMTU and the adapter's "default"
  EXPECT_EQ(0u, BackupStatus());
}

TEST_F(RegistryBackupTest, AValueThatCannotBePutBackIsShownAndTheRestoreGoesOn) {
  netlayout::WindowsNt4 system;
  netlayout::LayOut(system);
  CSettingsStore store(kOsWindowsNT4);
  ASSERT_EQ(status::kOk, store.Backup());
  ASSERT_EQ(status::kOk, store.Write(AutoRecord(kParameterMtu, 576)));
  testreg::DeleteTree(kNt + "\\NdisWan5");
  testreg::CreateVolatileKey(kNt + "\\NdisWan5");
  {
    MessageBoxRecorder recorder;
    EXPECT_EQ(status::kOk, store.RestoreAll());
    ASSERT_EQ(1u, recorder.Boxes().size());
    EXPECT_EQ("Err in setting restoring one of user's original registry value",
              recorder.Boxes()[0].text);
  }
  // The locations after the failed one were restored.
  EXPECT_EQ(0u, FlattenValues(netlayout::kTcpipParametersKey).count("|MTU"));
  EXPECT_EQ(0u, FlattenValues(netlayout::kTcpipParametersKey).count("|TcpRecvSegmentSize"));
}

}  // namespace
