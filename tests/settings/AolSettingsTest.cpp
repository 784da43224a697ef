// The AOL adapter, its bindings and the AOL clients' settings against Wine's
// real registry.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/portable/StatusCodes.h"
#include "settings/AolSettings.h"
#include "settings/RegistryNames.h"
#include "settings/portable/ProviderKinds.h"
#include "tests/support/NetworkLayouts.h"
#include "tests/support/RegistryFixture.h"

namespace {

using netlayout::AolAdapter;

const std::string kBackup = std::string(regnames::kProgramKey) + "\\Backup Registry\\AOL";

std::vector<BYTE> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

std::vector<BYTE> DwordBytes(DWORD value) {
  const BYTE* bytes = reinterpret_cast<const BYTE*>(&value);
  return {bytes, bytes + sizeof(value)};
}

class AolSettingsTest : public RegistryTest {
 protected:
  static std::vector<BYTE> Data(const std::string& key, const std::string& name) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!testreg::ReadRaw(key, name, type, data)) return {'<', 'n', 'o', 'n', 'e', '>'};
    return data;
  }

  static void ExpectAolStateIs(const RegistryValueMap& expected) {
    const RegistryValueMap actual = AolState();
    EXPECT_TRUE(expected == actual) << DescribeDifferences(expected, actual);
  }

  // Everything of the AOL client, adapter and binding the tests lay out.
  static RegistryValueMap AolState() {
    RegistryValueMap state;
    for (const char* tree :
         {"SOFTWARE\\America Online", "Enum", "System\\CurrentControlSet\\Services\\Class"}) {
      for (const auto& [name, value] : FlattenValues(tree)) state[std::string(tree) + name] = value;
    }
    return state;
  }
};

TEST_F(AolSettingsTest, FollowsTheChainFromTheAdapterToItsTcpipBinding) {
  AolAdapter adapter;  // Enum\Root\Net\0002 -> MSTCP\0004 -> NetTrans\0005
  netlayout::LayOut(adapter);
  CAolSettings aol(kOsWindows98);
  // Enum\Root\Net\0001 is an "AOL adapter": the description is compared with its case.
  EXPECT_EQ(std::vector<std::string>{"Enum\\Root\\Net\\0002"}, aol.FindAolAdapters());
  EXPECT_EQ(std::vector<std::string>{"\\0004"}, aol.FindAolBindings());

  ASSERT_EQ(status::kOk, aol.SetBindingMtu(576));
  const std::string binding = netlayout::AolBindingKey(adapter);
  EXPECT_EQ(Bytes("576"), Data(binding, "MaxMTU"));
  EXPECT_EQ(Bytes("576"), Data(binding, "IPMTU"));
  EXPECT_EQ(Bytes("536"), Data(binding, "MaxMSS"));

  testreg::WriteText(netlayout::AolDeviceKey(adapter), "DeviceDesc", "AOL Dial-Up Adapter");
  EXPECT_EQ(1u, aol.FindAolAdapters().size());
}

TEST_F(AolSettingsTest, MissingOrOddLinksOfTheChainWriteNowhere) {
  AolAdapter adapter;
  netlayout::LayOut(adapter);
  CAolSettings aol(kOsWindows98);
  const std::string network = "Enum\\Network\\MSTCP\\0004";
  const std::string netTransClass = std::string(netlayout::kServices9x) + "\\Class\\NetTrans";
  const RegistryValueMap before = AolState();

  for (const char* driver : {"NetTrans", "NetTrans\\", "NetTrans\\0005\\Ndi", "VNETSUP"}) {
    testreg::WriteText(network, "Driver", driver);
    std::vector<std::string> keys;
    EXPECT_EQ(status::kOk, aol.FindAolNetTransKeys(keys)) << driver;
    EXPECT_TRUE(keys.empty()) << driver;
    EXPECT_EQ(status::kOk, aol.SetBindingMtu(576)) << driver;
  }
  testreg::WriteDword(network, "Driver", 5);
  EXPECT_EQ(status::kOk, aol.SetBindingMtu(576));
  testreg::WriteText(network, "Driver", "NetTrans\\0005");
  ExpectAolStateIs(before);

  // A binding whose protocol key is gone: 31, and the key is not created.
  testreg::DeleteTree(netlayout::AolBindingKey(adapter));
  EXPECT_EQ(status::kRegistryKeyNotFound, aol.SetBindingMtu(576));
  EXPECT_FALSE(testreg::KeyExists(netlayout::AolBindingKey(adapter)));
  // A binding whose network key is gone: 31 for the whole search.
  testreg::DeleteTree(network);
  std::vector<std::string> keys;
  EXPECT_EQ(status::kRegistryKeyNotFound, aol.FindAolNetTransKeys(keys));
  EXPECT_EQ(status::kRegistryKeyNotFound, aol.SetBindingMtu(576));
  // An adapter without a TCP/IP binding has none.
  testreg::DeleteTree(netlayout::AolDeviceKey(adapter) + "\\Bindings");
  testreg::WriteText(netlayout::AolDeviceKey(adapter) + "\\Bindings", "NETBEUI\\0000", "");
  EXPECT_TRUE(aol.FindAolBindings().empty());
  EXPECT_FALSE(testreg::KeyExists(netTransClass + "\\0005"));
}

TEST_F(AolSettingsTest, SettingAndClearingTheMtuOfClientAdapterAndBinding) {
  AolAdapter adapter;
  netlayout::LayOut(adapter);
  netlayout::LayOutAolClient("aolsock", 1500, "user's");
  CAolSettings aol(kOsWindows98);

  ASSERT_EQ(status::kOk, aol.SetBackMtu(1000));
  EXPECT_FALSE(testreg::KeyExists(netlayout::AolClientKey("aolsock")));
  EXPECT_EQ(DwordBytes(1000), Data(netlayout::AolClientKey("AolsockBack"), "mtu"));
  ASSERT_EQ(status::kOk, aol.SetAdapterMtu(1000));
  EXPECT_EQ(DwordBytes(1000), Data(netlayout::AolDeviceKey(adapter), "mtu"));
  ASSERT_EQ(status::kOk, aol.SetBindingMtu(1000));
  ASSERT_EQ(status::kOk, aol.SetClientMtu(1000));
  EXPECT_EQ(DwordBytes(1000), Data(netlayout::AolClientKey("aolsock"), "mtu"));

  ASSERT_EQ(status::kOk, aol.ResetAfterTest());
  EXPECT_FALSE(testreg::KeyExists(netlayout::AolClientKey("aolsock")));
  EXPECT_TRUE(testreg::KeyExists(netlayout::AolClientKey("AolsockBack")));
  EXPECT_FALSE(testreg::ValueExists(netlayout::AolClientKey("AolsockBack"), "mtu"));
  EXPECT_FALSE(testreg::ValueExists(netlayout::AolDeviceKey(adapter), "mtu"));
  for (const char* name : {"MaxMTU", "IPMTU", "MaxMSS"}) {
    EXPECT_FALSE(testreg::ValueExists(netlayout::AolBindingKey(adapter), name)) << name;
  }
  // Clearing what is already clear is no failure.
  EXPECT_EQ(status::kOk, aol.ResetAfterTest());
}

TEST_F(AolSettingsTest, RestoreAllPutsBackTheUsersValuesAfterAnyChange) {
  AolAdapter adapter;
  netlayout::LayOut(adapter);
  testreg::WriteDword(netlayout::AolDeviceKey(adapter), "mtu", 1400);
  testreg::WriteText(netlayout::AolBindingKey(adapter), "MaxMSS", "65535");  // five digits
  netlayout::LayOutAolClient("aolsock", 1500, "aolsock's");
  netlayout::LayOutAolClient("AolsockBack", 1400, "back's");
  const RegistryValueMap before = AolState();

  CAolSettings aol(kOsWindows98);
  ASSERT_EQ(status::kOk, aol.BackupClient("aolsock"));
  ASSERT_EQ(status::kOk, aol.BackupClient("AolsockBack"));
  ASSERT_EQ(status::kOk, aol.BackupAdapters());
  EXPECT_EQ(DwordBytes(1400), Data(kBackup + "\\Enum\\Root\\Net\\0002", "mtu"));
  EXPECT_EQ(DwordBytes(1500), Data(kBackup + "\\aolsock", "mtu"));

  aol.SetBackMtu(576);
  aol.SetAdapterMtu(576);
  aol.SetBindingMtu(576);
  aol.SetClientMtu(576);
  ASSERT_EQ(status::kOk, aol.RestoreAll());
  ExpectAolStateIs(before);

  aol.ResetAfterTest();
  ASSERT_EQ(status::kOk, aol.RestoreAll());
  ExpectAolStateIs(before);
}

TEST_F(AolSettingsTest, WhatWasNeverThereIsNotThereAfterARestore) {
  AolAdapter adapter;
  adapter.bindingValues = false;
  netlayout::LayOut(adapter);
  CAolSettings aol(kOsWindows98);
  aol.BackupClient("aolsock");
  aol.BackupClient("AolsockBack");
  aol.BackupAdapters();
  EXPECT_FALSE(testreg::KeyExists(kBackup + "\\aolsock"));
  EXPECT_FALSE(testreg::KeyExists(kBackup + "\\AolsockBack"));
  EXPECT_FALSE(testreg::KeyExists(kBackup + "\\Enum"));
  // The binding's copy records that it had none of the values.
  EXPECT_TRUE(testreg::KeyExists(kBackup + "\\NetTrans\\0005"));
  EXPECT_TRUE(FlattenValues(kBackup + "\\NetTrans\\0005").empty());

  aol.SetBackMtu(576);
  aol.SetAdapterMtu(576);
  aol.SetBindingMtu(576);
  aol.SetClientMtu(576);
  ASSERT_EQ(status::kOk, aol.RestoreAll());
  EXPECT_FALSE(testreg::KeyExists(netlayout::AolClientKey("aolsock")));
  EXPECT_FALSE(testreg::KeyExists(netlayout::AolClientKey("AolsockBack")));
  EXPECT_FALSE(testreg::ValueExists(netlayout::AolDeviceKey(adapter), "mtu"));
  EXPECT_FALSE(testreg::ValueExists(netlayout::AolBindingKey(adapter), "MaxMTU"));
}

TEST_F(AolSettingsTest, EveryBindingIsCopiedAndComesBackAsItWas) {
  // Laid out from the last device down: each layout renames the devices before its own.
  AolAdapter usual;
  usual.device = 3;
  usual.mstcp = 6;
  netlayout::LayOut(usual);
  AolAdapter unusual;
  unusual.netTrans = 123;
  netlayout::LayOut(unusual);
  const RegistryValueMap before = AolState();

  CAolSettings aol(kOsWindows98);
  ASSERT_EQ(status::kOk, aol.BackupAdapters());
  // Copies are exact: the user's texts were stored with a terminating zero.
  for (const AolAdapter& adapter : {unusual, usual}) {
    const std::string binding = netlayout::AolBindingKey(adapter);
    const std::string copy = kBackup + "\\NetTrans" + binding.substr(binding.size() - 5);
    EXPECT_EQ(Data(binding, "MaxMTU"), Data(copy, "MaxMTU")) << copy;
    EXPECT_EQ(Data(binding + "\\Ndi\\params\\IPMTU", ""),
              Data(copy + "\\Ndi\\Params\\IPMTU", ""))
        << copy;
    EXPECT_EQ(5u, Data(copy, "MaxMTU").size());
  }

  aol.SetBindingMtu(576);
  ASSERT_EQ(status::kOk, aol.RestoreAll());
  ExpectAolStateIs(before);
  aol.SetBindingMtu(1006);
  aol.ResetAfterTest();
  ASSERT_EQ(status::kOk, aol.RestoreAll());
  ExpectAolStateIs(before);
}

TEST_F(AolSettingsTest, CopiesMadeTheOldWayStillRestoreAndUnrecordedValuesStay) {
  // Laid out from the last device down: each layout renames the devices before its own.
  AolAdapter bare;  // NetTrans\0007 without values: the old way made no copy
  bare.device = 4;
  bare.mstcp = 8;
  bare.netTrans = 7;
  bare.bindingValues = false;
  netlayout::LayOut(bare);
  AolAdapter unusual;  // NetTrans\0123: never copied the old way
  unusual.device = 3;
  unusual.mstcp = 6;
  unusual.netTrans = 123;
  netlayout::LayOut(unusual);
  AolAdapter copied;  // NetTrans\0005 with "MaxMTU", copied
  netlayout::LayOut(copied);
  const std::string copiedBinding = netlayout::AolBindingKey(copied);
  DWORD type = 0;
  std::vector<BYTE> maxMtu;
  ASSERT_TRUE(testreg::ReadRaw(copiedBinding, "MaxMTU", type, maxMtu));
  testreg::WriteRaw(kBackup + "\\NetTrans\\0005", "MaxMTU", type, maxMtu);
  const RegistryValueMap before = FlattenValues(copiedBinding);

  CAolSettings aol(kOsWindows98);
  aol.SetBindingMtu(576);
  ASSERT_EQ(status::kOk, aol.RestoreAll());
  EXPECT_TRUE(before == FlattenValues(copiedBinding))
      << DescribeDifferences(before, FlattenValues(copiedBinding));
  // Nothing recorded the unusual binding's values as absent: they stay.
  const std::string unusualBinding = netlayout::AolBindingKey(unusual);
  for (const char* name : {"MaxMTU", "IPMTU", "MaxMSS"}) {
    EXPECT_FALSE(testreg::ValueExists(netlayout::AolBindingKey(bare), name)) << name;
    EXPECT_TRUE(testreg::ValueExists(unusualBinding, name)) << name;
  }
}

TEST_F(AolSettingsTest, AdapterCopiesComeBackEvenWhenTheDeviceKeyWentAway) {
  testreg::WriteDword(kBackup + "\\Enum\\Root\\Net\\0007", "mtu", 1400);
  CAolSettings aol(kOsWindows98);
  ASSERT_EQ(status::kOk, aol.RestoreAll());
  EXPECT_TRUE(testreg::KeyExists("Enum\\Root\\Net\\0007"));
  EXPECT_FALSE(testreg::ValueExists("Enum\\Root\\Net\\0007", "mtu"));
}

TEST_F(AolSettingsTest, ClientSettingsLiveUnderTheConfiguredClientsKey) {
  const std::string profiles = std::string(regnames::kProgramKey) + "\\DialUp Profile";
  EXPECT_EQ("", CAolSettings(kOsWindows98).ProviderSubkey());
  CSettingsStore(kOsWindows98).SetProviderKind(kProviderCompuServe);
  CAolSettings aol(kOsWindows98);
  EXPECT_EQ("\\CompuServe 2000", aol.ProviderSubkey());

  ASSERT_EQ(status::kOk, aol.SetProgramPath("C:\\CS2000\\cs2000.exe"));
  ASSERT_EQ(status::kOk, aol.SetDefaultScreenName("Ann"));
  ASSERT_EQ(status::kOk, aol.SetRedial(4));
  EXPECT_EQ(DwordBytes(4), Data(profiles + "\\CompuServe 2000", "Redial"));
  std::string text;
  EXPECT_EQ(status::kOk, aol.GetDefaultScreenName(text));
  EXPECT_EQ("Ann", text);
  DWORD redial = 0;
  ASSERT_EQ(status::kOk, aol.GetRedial(redial));
  EXPECT_EQ(4u, redial);

  // Reading another client's path switches to its key; missing values leave the text.
  text = "unchanged";
  EXPECT_EQ(status::kOk, aol.GetProgramPath(kProviderAmericaOnline, text));
  EXPECT_EQ("unchanged", text);
  EXPECT_EQ("\\America Online", aol.ProviderSubkey());
  EXPECT_EQ(status::kRegistryQueryFailed, aol.GetRedial(redial));
  EXPECT_EQ(status::kOk, aol.GetProgramPath(kProviderCompuServe, text));
  EXPECT_EQ("C:\\CS2000\\cs2000.exe", text);
}

TEST_F(AolSettingsTest, ScreenNamesAreValueNames) {
  CSettingsStore(kOsWindows98).SetProviderKind(kProviderAmericaOnline);
  CAolSettings aol(kOsWindows98);
  ASSERT_EQ(status::kOk, aol.AddScreenName("Ann"));
  ASSERT_EQ(status::kOk, aol.AddScreenName("Bob\\Home"));
  ASSERT_EQ(status::kOk, aol.AddScreenName("Cy"));
  ASSERT_EQ(status::kOk, aol.DeleteScreenName("Cy"));
  EXPECT_EQ(status::kRegistryDeleteFailed, aol.DeleteScreenName("Cy"));
  std::vector<std::string> names;
  ASSERT_EQ(status::kOk, aol.ListScreenNames(names));
  std::sort(names.begin(), names.end());
  EXPECT_EQ((std::vector<std::string>{"Ann", "Bob\\Home"}), names);
}

class SubfolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    GetCurrentDirectoryA(MAX_PATH, previous_);
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "velotune-subfolders-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder_.c_str(), nullptr);
    for (const char* name : {"USER0000", "USER0001", "Juno.old"}) {
      CreateDirectoryA((folder_ + "\\" + name).c_str(), nullptr);
    }
    for (const char* name : {"juno.ini", "README"}) {
      CloseHandle(CreateFileA((folder_ + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, 0, nullptr));
    }
  }
  void TearDown() override {
    SetCurrentDirectoryA(previous_);
    for (const char* name : {"USER0000", "USER0001", "Juno.old"}) {
      RemoveDirectoryA((folder_ + "\\" + name).c_str());
    }
    for (const char* name : {"juno.ini", "README"}) DeleteFileA((folder_ + "\\" + name).c_str());
    RemoveDirectoryA(folder_.c_str());
  }

  std::vector<std::string> List(int osFamily) {
    std::vector<std::string> names;
    EXPECT_EQ(status::kOk, CAolSettings(osFamily).ListSubfolders(folder_, names));
    std::sort(names.begin(), names.end());
    return names;
  }

  char previous_[MAX_PATH] = {};
  std::string folder_;
};

TEST_F(SubfolderTest, ListsFoldersOnlyAndPutsTheCurrentFolderBack) {
  EXPECT_EQ((std::vector<std::string>{"Juno.old", "USER0000", "USER0001"}), List(kOsWindows95));
  EXPECT_EQ((std::vector<std::string>{"Juno.old", "USER0000", "USER0001"}), List(kOsWindowsNT4));
  // The later systems ask for names without an extension.
  EXPECT_EQ((std::vector<std::string>{"USER0000", "USER0001"}), List(kOsWindows98));
  // Libraries loaded by bare name later must not be looked for in the listed folder.
  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, current);
  EXPECT_EQ(0, lstrcmpiA(previous_, current)) << current;

  std::vector<std::string> names;
  EXPECT_EQ(status::kRegistryKeyNotFound,
            CAolSettings(kOsWindows98).ListSubfolders(folder_ + "\\missing", names));
  EXPECT_TRUE(names.empty());
}

}  // namespace
