// Where the TCP/IP parameters live on each Windows family, their typed reads
// and writes and the best settings, against Wine's real registry.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/portable/StatusCodes.h"
#include "engine/portable/TestRecord.h"
#include "settings/DialUpProfile.h"
#include "settings/RegistryNames.h"
#include "settings/SettingsStore.h"
#include "settings/portable/ProviderKinds.h"
#include "tests/support/NetworkLayouts.h"
#include "tests/support/RegistryFixture.h"

namespace {

using Locations = std::vector<std::string>;

const std::string k9x = "System\\CurrentControlSet\\Services";
const std::string kNt = "SYSTEM\\CurrentControlSet\\Services";
const std::string kBest = std::string(regnames::kProgramKey) + "\\Best Settings";

std::vector<BYTE> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// A text as Windows stores the user's own values: with a terminating zero.
std::vector<BYTE> UserText(const std::string& text) {
  std::vector<BYTE> bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

std::vector<BYTE> DwordBytes(DWORD value) {
  const BYTE* bytes = reinterpret_cast<const BYTE*>(&value);
  return {bytes, bytes + sizeof(value)};
}

TestRecord Record(int parameter, int value = 0) {
  TestRecord record;
  record.kind = kRecordManual;
  record.parameter = parameter;
  record.value = value;
  return record;
}

class TcpipParametersTest : public RegistryTest {
 protected:
  static Locations Build(CSettingsStore& store, int parameter, int expectedStatus = status::kOk) {
    Locations locations = {"stale"};
    EXPECT_EQ(expectedStatus, store.BuildLocations(parameter, locations)) << parameter;
    return locations;
  }

  static Locations BuildMss(CSettingsStore& store, int expectedStatus = status::kOk) {
    Locations locations = {"stale"};
    EXPECT_EQ(expectedStatus, store.BuildMssLocations(locations));
    return locations;
  }

  static std::vector<BYTE> Data(const std::string& key, const std::string& name) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!testreg::ReadRaw(key, name, type, data)) return Bytes("<none>");
    return data;
  }

  static void SetProvider(int kind) { CSettingsStore(kOsWindows98).SetProviderKind(kind); }
};

TEST_F(TcpipParametersTest, Windows2000Locations) {
  CSettingsStore store(kOsWindows2000);
  EXPECT_EQ((Locations{"MTU:" + kNt + "\\NdisWan\\Parameters:",
                       "MTU:" + kNt + "\\NdisWan\\Parameters\\Tcpip:", "MTU:" + kNt + "\\Tcpip:",
                       "MTU:" + kNt + "\\Tcpip\\Parameters:",
                       "MTU:" + kNt + "\\Tcpip\\Parameters\\Adapters\\NdisWanIp:",
                       "MTU:" + kNt + "\\Tcpip\\Parameters\\Tcpip:"}),
            Build(store, kParameterMtu));
  EXPECT_EQ(Locations{"TcpWindowSize:" + kNt + "\\Tcpip\\Parameters:"},
            Build(store, kParameterRwin));
  EXPECT_EQ(Locations{"DefaultTTL:" + kNt + "\\Tcpip\\Parameters:"}, Build(store, kParameterTtl));
  EXPECT_EQ(Locations{}, Build(store, kParameterCacheSize)) << "only Windows 9x has a cache size";
  EXPECT_EQ(Locations{"TcpRecvSegmentSize:" + kNt + "\\Tcpip\\Parameters:"}, BuildMss(store));
  Build(store, kParameterNone, status::kTestTypeUndefined);
  Build(store, kParameterAolAuto, status::kTestTypeUndefined);
}

TEST_F(TcpipParametersTest, WindowsNt4FindsTheDialOutCardsService) {
  netlayout::WindowsNt4 system;
  system.cardNumber = 3;
  netlayout::LayOut(system);
  CSettingsStore store(kOsWindowsNT4);
  EXPECT_EQ((Locations{"MTU:" + kNt + "\\NdisWan5\\Parameters\\Tcpip:",
                       "MTU:" + kNt + "\\Tcpip\\Parameters:"}),
            Build(store, kParameterMtu));
  EXPECT_EQ(Locations{"TcpWindowSize:" + kNt + "\\Tcpip\\Parameters:"},
            Build(store, kParameterRwin));

  const std::string cards = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards";
  testreg::WriteText(cards + "\\3", "ServiceName", "");
  Build(store, kParameterMtu, status::kRegistryQueryFailed);
  testreg::WriteText(cards + "\\3", "ServiceName", "..\\Tcpip");
  Build(store, kParameterMtu, status::kRegistryQueryFailed);
  testreg::WriteText(cards + "\\3", "ProductName", "NdisWan");
  Build(store, kParameterMtu, status::kDialUpNotInstalled);
  testreg::WriteDword(cards + "\\1", "ProductName", 1);
  Build(store, kParameterMtu, status::kRegistryQueryFailed);
  testreg::DeleteTree(cards);
  Build(store, kParameterMtu, status::kRegistryKeyNotFound);
  // The other parameters need no card.
  EXPECT_EQ(1u, Build(store, kParameterTtl).size());
}

TEST_F(TcpipParametersTest, Windows9xFindsTheDialUpAdapterAndTheFirstTcpipBinding) {
  netlayout::LayOut(netlayout::Windows9x{});  // adapter Class\Net\0003, binding NetTrans\0002
  const std::string binding = k9x + "\\Class\\NetTrans\\0002";
  const std::string adapter = k9x + "\\Class\\Net\\0003";
  for (int family : {kOsWindows95, kOsWindows98, kOsWindowsMe}) {
    CSettingsStore store(family);
    EXPECT_EQ((Locations{"IPMTU:" + binding + ":", "MaxMTU:" + binding + ":",
                         "IPMTU:" + adapter + ":", " :" + adapter + "\\Ndi\\params\\IPMTU\\:",
                         "default:" + adapter + "\\Ndi\\params\\IPMTU\\:"}),
              Build(store, kParameterMtu))
        << family;
    EXPECT_EQ(Locations{"MaxMSS:" + binding + ":"}, BuildMss(store));
    EXPECT_EQ(Locations{"DefaultRcvWindow:" + k9x + "\\VxD\\MSTCP:"}, Build(store, kParameterRwin));
    EXPECT_EQ(Locations{"DefaultTTL:" + k9x + "\\VxD\\MSTCP:"}, Build(store, kParameterTtl));
    EXPECT_EQ(2u, Build(store, kParameterCacheSize).size());
  }
}

TEST_F(TcpipParametersTest, SearchesAtAwkwardIndexes) {
  CSettingsStore store(kOsWindows98);
  netlayout::Windows9x system;
  system.adapterIndex = 12;
  system.bindingIndex = 0;
  netlayout::LayOut(system);
  Locations mtu = Build(store, kParameterMtu);
  ASSERT_EQ(5u, mtu.size());
  EXPECT_EQ("IPMTU:" + k9x + "\\Class\\NetTrans\\0000:", mtu[0]);
  EXPECT_EQ("IPMTU:" + k9x + "\\Class\\Net\\0012:", mtu[2]);

  // Only the first 50 indexes are searched.
  testreg::DeleteTree(netlayout::NetKey(12));
  testreg::WriteText(netlayout::NetKey(50), "DriverDesc", "Dial-Up Adapter");
  Build(store, kParameterMtu, status::kDialUpNotInstalled);
  BuildMss(store, status::kDialUpNotInstalled);
  EXPECT_EQ(1u, Build(store, kParameterRwin).size());
  EXPECT_EQ(1u, Build(store, kParameterTtl).size());
  EXPECT_EQ(2u, Build(store, kParameterCacheSize).size());
  testreg::WriteText(netlayout::NetKey(49), "DriverDesc", "Dial-Up Adapter");
  EXPECT_EQ(5u, Build(store, kParameterMtu).size());

  // A description that does not fit its 56-byte buffer, or none, ends the search.
  testreg::WriteText(netlayout::NetKey(5), "DriverDesc", std::string(55, 'd'));
  EXPECT_EQ(5u, Build(store, kParameterMtu).size());
  testreg::WriteText(netlayout::NetKey(5), "DriverDesc", std::string(56, 'd'));
  Build(store, kParameterMtu, status::kRegistryQueryFailed);
  testreg::WriteDword(netlayout::NetKey(5), "DriverDesc", 7);
  Build(store, kParameterMtu, status::kRegistryQueryFailed);
  testreg::DeleteTree(netlayout::NetKey(5));
  testreg::CreateKey(netlayout::NetKey(5));
  Build(store, kParameterMtu, status::kRegistryQueryFailed);
}

TEST_F(TcpipParametersTest, WithoutATcpipBindingNothingIsWrittenToTheRootOfTheMachineKey) {
  netlayout::LayOut(netlayout::Windows9x{});
  for (int i = 0; i < 4; ++i) testreg::DeleteTree(netlayout::NetTransKey(i));
  CSettingsStore store(kOsWindows98);
  const std::string adapter = k9x + "\\Class\\Net\\0003";
  EXPECT_EQ((Locations{"IPMTU:" + adapter + ":", " :" + adapter + "\\Ndi\\params\\IPMTU\\:",
                       "default:" + adapter + "\\Ndi\\params\\IPMTU\\:"}),
            Build(store, kParameterMtu));
  EXPECT_TRUE(BuildMss(store).empty());

  ASSERT_EQ(status::kOk, store.Write(Record(kParameterMtu, 576)));
  EXPECT_EQ(Bytes("576"), Data(adapter, "IPMTU"));
  for (const char* name : {"IPMTU", "MaxMTU", "MaxMSS"}) {
    EXPECT_FALSE(testreg::ValueExists("", name)) << name;
  }
  int value = 0;
  EXPECT_EQ(status::kNoRegistryPath, store.ReadValue("IPMTU::", value));
  EXPECT_EQ(status::kNoRegistryPath, store.WriteValue("IPMTU::", 576));
  EXPECT_EQ(status::kNoRegistryPath, store.DeleteValue("IPMTU::"));
  EXPECT_FALSE(testreg::ValueExists("", "IPMTU"));
}

TEST_F(TcpipParametersTest, WriteOfAnMtuWritesEveryLocationAndTheMss) {
  CSettingsStore windows2000(kOsWindows2000);
  ASSERT_EQ(status::kOk, windows2000.Write(Record(kParameterMtu, 1500)));
  for (const char* key :
       {"\\NdisWan\\Parameters", "\\NdisWan\\Parameters\\Tcpip", "\\Tcpip", "\\Tcpip\\Parameters",
        "\\Tcpip\\Parameters\\Adapters\\NdisWanIp", "\\Tcpip\\Parameters\\Tcpip"}) {
    EXPECT_EQ(DwordBytes(1500), Data(kNt + key, "MTU")) << key;
  }
  EXPECT_EQ(DwordBytes(1460), Data(kNt + "\\Tcpip\\Parameters", "TcpRecvSegmentSize"));

  netlayout::LayOut(netlayout::Windows9x{});
  CSettingsStore windows98(kOsWindows98);
  ASSERT_EQ(status::kOk, windows98.Write(Record(kParameterMtu, 576)));
  const std::string binding = k9x + "\\Class\\NetTrans\\0002";
  const std::string adapter = k9x + "\\Class\\Net\\0003";
  EXPECT_EQ(Bytes("576"), Data(binding, "IPMTU"));
  EXPECT_EQ(Bytes("576"), Data(binding, "MaxMTU"));
  EXPECT_EQ(Bytes("576"), Data(adapter, "IPMTU"));
  EXPECT_EQ(Bytes("576"), Data(adapter + "\\Ndi\\params\\IPMTU", ""));
  EXPECT_EQ(Bytes("576"), Data(adapter + "\\Ndi\\params\\IPMTU", "default"));
  EXPECT_EQ(Bytes("536"), Data(binding, "MaxMSS"));
  // The second TCP/IP binding belongs to another adapter.
  EXPECT_FALSE(testreg::ValueExists(netlayout::NetTransKey(3), "MaxMTU"));

  ASSERT_EQ(status::kOk, windows98.Write(Record(kParameterRwin, 8576)));
  EXPECT_EQ(Bytes("8576"), Data(k9x + "\\VxD\\MSTCP", "DefaultRcvWindow"));
  ASSERT_EQ(status::kOk, windows98.Write(Record(kParameterCacheSize, 2)));
  EXPECT_EQ(Bytes("2"), Data(k9x + "\\VxD\\NWLink\\Ndi\\params\\cachesize", ""));
}

TEST_F(TcpipParametersTest, APartialWriteKeepsWhatWasWrittenAndStops) {
  netlayout::LayOut(netlayout::Windows9x{});
  const std::string adapter = k9x + "\\Class\\Net\\0003";
  testreg::DeleteTree(adapter + "\\Ndi");
  testreg::CreateVolatileKey(adapter + "\\Ndi");  // the fourth location cannot be created
  CSettingsStore store(kOsWindows98);
  EXPECT_EQ(status::kRegistryCreateFailed, store.Write(Record(kParameterMtu, 576)));
  EXPECT_EQ(Bytes("576"), Data(netlayout::NetTransKey(2), "IPMTU"));
  EXPECT_EQ(Bytes("576"), Data(netlayout::NetTransKey(2), "MaxMTU"));
  EXPECT_EQ(Bytes("576"), Data(adapter, "IPMTU"));
  EXPECT_EQ(UserText("1460"), Data(netlayout::NetTransKey(2), "MaxMSS"));
  EXPECT_FALSE(testreg::ValueExists(adapter + "\\Ndi\\params\\IPMTU", "default"));
}

TEST_F(TcpipParametersTest, ReadCurrentReadsTheFirstLocationWithTheFamilysType) {
  netlayout::LayOut(netlayout::Windows9x{});
  CSettingsStore windows98(kOsWindows98);
  TestRecord record = Record(kParameterRwin, -1);
  EXPECT_EQ(status::kRegistryQueryFailed, windows98.ReadCurrent(record));
  testreg::WriteText(k9x + "\\VxD\\MSTCP", "DefaultRcvWindow", "");
  EXPECT_EQ(status::kRegistryQueryFailed, windows98.ReadCurrent(record));
  testreg::WriteText(k9x + "\\VxD\\MSTCP", "DefaultRcvWindow", "8576");
  ASSERT_EQ(status::kOk, windows98.ReadCurrent(record));
  EXPECT_EQ(8576, record.value);
  record = Record(kParameterMtu);
  testreg::WriteText(netlayout::NetTransKey(2), "IPMTU", "1006");
  ASSERT_EQ(status::kOk, windows98.ReadCurrent(record));
  EXPECT_EQ(1006, record.value);
  testreg::DeleteTree(k9x + "\\VxD\\MSTCP");
  record = Record(kParameterTtl);
  EXPECT_EQ(status::kRegistryKeyNotFound, windows98.ReadCurrent(record));

  CSettingsStore windows2000(kOsWindows2000);
  netlayout::LayOut(netlayout::Windows2000{});
  record = Record(kParameterRwin);
  ASSERT_EQ(status::kOk, windows2000.ReadCurrent(record));
  EXPECT_EQ(17520, record.value);
  testreg::WriteText(kNt + "\\Tcpip\\Parameters", "TcpWindowSize", "17520");
  EXPECT_EQ(status::kRegistryQueryFailed, windows2000.ReadCurrent(record));
  record = Record(7);
  EXPECT_EQ(status::kTestTypeUndefined, windows2000.ReadCurrent(record));
}

TEST_F(TcpipParametersTest, WithAmericaOnlineTheMtuGoesToTheAolClientOnly) {
  netlayout::LayOut(netlayout::Windows9x{});
  netlayout::LayOut(netlayout::AolAdapter{});
  SetProvider(kProviderAmericaOnline);
  CSettingsStore store(kOsWindows98);
  const RegistryValueMap before = FlattenValues(k9x);
  ASSERT_EQ(status::kOk, store.Write(Record(kParameterMtu, 576)));
  const RegistryValueMap after = FlattenValues(k9x);
  EXPECT_TRUE(before == after) << DescribeDifferences(before, after);
  EXPECT_EQ(DwordBytes(576), Data(netlayout::AolClientKey("AolsockBack"), "mtu"));
  EXPECT_EQ(DwordBytes(576), Data(netlayout::AolDeviceKey(netlayout::AolAdapter{}), "mtu"));

  for (int parameter : {kParameterMtu, kParameterRwin, kParameterTtl, kParameterCacheSize}) {
    ASSERT_EQ(status::kOk, store.StoreBest(Record(parameter, 1000 + parameter)));
  }
  ASSERT_EQ(status::kOk, store.ApplyBest());
  EXPECT_EQ(Bytes("1002"), Data(k9x + "\\VxD\\MSTCP", "DefaultRcvWindow"));
  EXPECT_EQ(Bytes("1003"), Data(k9x + "\\VxD\\MSTCP", "DefaultTTL"));
  EXPECT_EQ(Bytes("1004"), Data(k9x + "\\VxD\\NWLink\\Ndi\\params\\cachesize", "default"));
  EXPECT_FALSE(testreg::ValueExists(netlayout::NetTransKey(2), "IPMTU"));
}

TEST_F(TcpipParametersTest, BestSettingsAreObscuredUnderTheProvidersKey) {
  SetProvider(kProviderJuno);
  CSettingsStore windows98(kOsWindows98);
  ASSERT_EQ(status::kOk, windows98.StoreBest(Record(kParameterTtl, 64)));
  EXPECT_EQ(Bytes(std::to_string(64 * 4913 - 64213)), Data(kBest + "\\Juno", "13"));
  TestRecord best = Record(kParameterTtl);
  ASSERT_EQ(status::kOk, windows98.ReadBest(best));
  EXPECT_EQ(64, best.value);
  // The flag is spent: the next write is plain.
  netlayout::LayOut(netlayout::Windows9x{});
  ASSERT_EQ(status::kOk, windows98.Write(Record(kParameterTtl, 64)));
  EXPECT_EQ(Bytes("64"), Data(k9x + "\\VxD\\MSTCP", "DefaultTTL"));

  CSettingsStore windows2000(kOsWindows2000);
  SetProvider(kProviderEarthLink);
  ASSERT_EQ(status::kOk, windows2000.StoreBest(Record(kParameterMtu, 1500)));
  EXPECT_EQ(DwordBytes(1500 * 4913 - 64213), Data(kBest + "\\EarthLink", "14"));

  // Dial-up Networking and MSN keep them per default phone-book entry.
  SetProvider(kProviderMsn);
  ASSERT_EQ(status::kOk, windows98.StoreBest(Record(kParameterRwin, 8576)));
  EXPECT_EQ(Bytes(std::to_string(8576 * 4913 - 64213)), Data(kBest, "12"));
  ASSERT_EQ(status::kOk, CDialUpProfile(kProviderMsn, kOsWindows98).SetDefaultProfile("MSN:Home"));
  ASSERT_EQ(status::kOk, windows98.StoreBest(Record(kParameterRwin, 4288)));
  EXPECT_EQ(Bytes(std::to_string(4288 * 4913 - 64213)),
            Data(kBest + "\\Microsoft Network\\MSN:Home", "12"));
  best = Record(kParameterRwin);
  ASSERT_EQ(status::kOk, windows98.ReadBest(best));
  EXPECT_EQ(4288, best.value);
  EXPECT_EQ(status::kTestTypeUndefined, windows98.StoreBest(Record(5, 1)));
}

TEST_F(TcpipParametersTest, ReadBestOfMissingOrEmptyValues) {
  SetProvider(kProviderNetZero);
  CSettingsStore store(kOsWindows98);
  TestRecord best = Record(kParameterMtu, -1);
  EXPECT_EQ(status::kRegistryKeyNotFound, store.ReadBest(best));
  testreg::CreateKey(kBest + "\\NetZero");
  EXPECT_EQ(status::kRegistryQueryFailed, store.ReadBest(best));
  testreg::WriteText(kBest + "\\NetZero", "14", "");
  EXPECT_EQ(status::kRegistryQueryFailed, store.ReadBest(best));
  EXPECT_EQ(-1, best.value);
  best.parameter = 0;
  EXPECT_EQ(status::kTestTypeUndefined, store.ReadBest(best));
}

TEST_F(TcpipParametersTest, ApplyBestWritesEveryStoredBestValueButNotTheMss) {
  netlayout::LayOut(netlayout::Windows9x{});
  SetProvider(kProviderNetZero);
  CSettingsStore store(kOsWindows98);
  ASSERT_EQ(status::kOk, store.StoreBest(Record(kParameterMtu, 1006)));
  ASSERT_EQ(status::kOk, store.StoreBest(Record(kParameterTtl, 128)));
  ASSERT_EQ(status::kOk, store.ApplyBest());
  EXPECT_EQ(Bytes("1006"), Data(netlayout::NetTransKey(2), "IPMTU"));
  EXPECT_EQ(Bytes("1006"), Data(netlayout::NetIpMtuKey(3), "default"));
  EXPECT_EQ(Bytes("128"), Data(k9x + "\\VxD\\MSTCP", "DefaultTTL"));
  EXPECT_FALSE(testreg::ValueExists(k9x + "\\VxD\\MSTCP", "DefaultRcvWindow"));
  EXPECT_EQ(UserText("1460"), Data(netlayout::NetTransKey(2), "MaxMSS"));

  // Without the dial-up adapter the MTU is skipped and the rest still applied.
  testreg::DeleteTree(netlayout::NetKey(3));
  ASSERT_EQ(status::kOk, store.StoreBest(Record(kParameterTtl, 64)));
  ASSERT_EQ(status::kOk, store.ApplyBest());
  EXPECT_EQ(Bytes("64"), Data(k9x + "\\VxD\\MSTCP", "DefaultTTL"));
}

}  // namespace
