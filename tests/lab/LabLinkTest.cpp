// The simulated link: the TCP/IP values each Windows family would put into
// effect, and a full dial that brings the ISP server's link up with the values
// in the registry, carries a fetch, and takes the link down on hang-up.
#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dialing/DialingMessages.h"
#include "dialing/RasConnection.h"
#include "engine/portable/StatusCodes.h"
#include "engine/portable/TestRecord.h"
#include "settings/DialUpProfile.h"
#include "settings/SettingsStore.h"
#include "settings/portable/OsFamily.h"
#include "settings/portable/ProviderKinds.h"
#include "sim/link/TcpipInEffect.h"
#include "tests/support/LabClient.h"
#include "tests/support/LabPhonebookFile.h"
#include "tests/support/MessageWindow.h"
#include "tests/support/NetworkLayouts.h"
#include "tests/support/RegistryFixture.h"
#include "tests/support/ScopedEnvironment.h"

namespace {

constexpr DWORD kWaitMs = 20000;

// Writes a value as the program does, through its TCP/IP parameter access.
void ProgramWrites(int osFamily, int parameter, int value) {
  CSettingsStore store(osFamily);
  TestRecord record;
  record.kind = kRecordManual;
  record.parameter = parameter;
  record.value = value;
  ASSERT_EQ(status::kOk, store.Write(record)) << parameter;
}

void ExpectInEffect(int osFamily, int mtu, int rwin, int ttl) {
  TcpipInEffect values = ReadTcpipInEffect(osFamily);
  EXPECT_EQ(mtu, values.mtu) << "family " << osFamily;
  EXPECT_EQ(rwin, values.rwin) << "family " << osFamily;
  EXPECT_EQ(ttl, values.ttl) << "family " << osFamily;
}

void ProgramTunes(int osFamily) {
  ProgramWrites(osFamily, kParameterMtu, 576);
  ProgramWrites(osFamily, kParameterRwin, 4380);
  ProgramWrites(osFamily, kParameterTtl, 64);
}

using TcpipInEffectTest = RegistryTest;

TEST_F(TcpipInEffectTest, Windows9xTakesTheUsersValuesThenTheProgramsWrites) {
  netlayout::LayOut(netlayout::Windows9x{});
  ExpectInEffect(kOsWindows98, 1500, 8192, 32);
  ProgramTunes(kOsWindows98);
  ExpectInEffect(kOsWindows98, 576, 4380, 64);
  ExpectInEffect(kOsWindowsMe, 576, 4380, 64);
}

TEST_F(TcpipInEffectTest, WindowsNt4TakesTheDialOutCardsServiceThenTheProgramsWrites) {
  netlayout::LayOut(netlayout::WindowsNt4{});
  ExpectInEffect(kOsWindowsNT4, 1500, 8760, 128);
  ProgramTunes(kOsWindowsNT4);
  ExpectInEffect(kOsWindowsNT4, 576, 4380, 64);
}

TEST_F(TcpipInEffectTest, Windows2000TakesNdisWansMtuThenTheProgramsWrites) {
  netlayout::LayOut(netlayout::Windows2000{});
  ExpectInEffect(kOsWindows2000, 1400, 17520, 128);
  ProgramTunes(kOsWindows2000);
  ExpectInEffect(kOsWindows2000, 576, 4380, 64);
}

TEST_F(TcpipInEffectTest, ValuesWindowsCannotReadLeaveItsDefaults) {
  netlayout::Windows9x withoutValues;
  withoutValues.userValues = false;
  netlayout::LayOut(withoutValues);
  ExpectInEffect(kOsWindows95, 1500, 8192, 32);
  for (const char* junk : {"", "abc", "-5", "12x", "99999999999"}) {
    testreg::WriteText(netlayout::kMstcpKey, "DefaultRcvWindow", junk);
    EXPECT_EQ(8192, ReadTcpipInEffect(kOsWindows98).rwin) << junk;
  }
  testreg::WriteDword(netlayout::kMstcpKey, "DefaultTTL", 64);
  EXPECT_EQ(128, ReadTcpipInEffect(kOsWindows98).ttl) << "9x keeps texts, not numbers";
  testreg::WriteText(netlayout::kTcpipParametersKey, "DefaultTTL", "64");
  EXPECT_EQ(128, ReadTcpipInEffect(kOsWindows2000).ttl) << "NT keeps numbers, not texts";
}

// A dial through the program's RAS layer with the lab's ISP server running.
class LabLinkDialTest : public RegistryTest {
 protected:
  void SetUp() override {
    RegistryTest::SetUp();
    ASSERT_FALSE(lab::Address().empty()) << "VELOTUNE_LAB_ISP is not set: no lab server runs";
    lab::MustControl("link-down");
    lab::MustControl("reset");
    ASSERT_EQ(status::kOk, profile_.SetDefaultProfile("Lab ISP"));
    ASSERT_EQ(status::kOk, profile_.SetLoginPassword("Lab ISP", "jdoe", "pw"));
  }

  void TearDown() override {
    ras_.HangUp();
    lab::MustControl("link-down");
    lab::MustControl("reset");
    RegistryTest::TearDown();
  }

  void WaitForState(WPARAM state) {
    ASSERT_TRUE(window_.WaitFor(WM_RASDIALEVENT, kWaitMs,
                                [&](const RecordedMessage& m) { return m.wParam == state; }))
        << "state " << state;
  }

  std::unique_ptr<LabPhonebookFile> phonebook_ = LabPhonebookFile::FromText(
      "[Lab ISP]\nLogin=jdoe\nPassword=pw\nSpeed=0\n"
      "[Short Line]\nDropAfter=1\nSpeed=0\n");
  CDialUpProfile profile_{kProviderDialUpNetworking};
  CRasConnection ras_{profile_};
  MessageWindow window_;
};

TEST_F(LabLinkDialTest, AConnectionCarriesTheRegistrysValuesToTheIspUntilHungUp) {
  const int family = RunningOsFamily();
  if (IsNtFamily(family)) {
    netlayout::LayOut(netlayout::Windows2000{});
  } else {
    netlayout::LayOut(netlayout::Windows9x{});
  }
  ProgramTunes(family);

  std::string page;
  EXPECT_FALSE(lab::RawGet("/index.html", "www.yahoo.com", page)) << "no link before the dial";
  ASSERT_EQ(status::kOk, ras_.Dial(kProviderDialUpNetworking, window_.Handle(), ""));
  WaitForState(0x2000);
  EXPECT_EQ("up", lab::StatusValue("link"));
  EXPECT_EQ(576, lab::StatusNumber("mtu"));
  EXPECT_EQ(4380, lab::StatusNumber("rwin"));
  EXPECT_EQ(64, lab::StatusNumber("ttl"));
  ASSERT_TRUE(lab::RawGet("/index.html", "www.yahoo.com", page));
  EXPECT_EQ(0u, page.find("HTTP/1.0 200")) << page.substr(0, 80);

  EXPECT_EQ(status::kOk, ras_.HangUp());
  EXPECT_EQ("down", lab::StatusValue("link"));
  EXPECT_EQ(1, lab::StatusNumber("ups"));
  EXPECT_EQ(1, lab::StatusNumber("downs"));
  EXPECT_FALSE(lab::RawGet("/index.html", "www.yahoo.com", page)) << "no link after the hang-up";
}

TEST_F(LabLinkDialTest, ALineDropTakesTheLinkDown) {
  ASSERT_EQ(status::kOk, profile_.SetLoginPassword("Short Line", "jdoe", "pw"));
  ASSERT_EQ(status::kOk, ras_.Dial(kProviderDialUpNetworking, window_.Handle(), "Short Line"));
  WaitForState(0x2000);
  EXPECT_EQ("up", lab::StatusValue("link"));
  WaitForState(0x2001);
  EXPECT_EQ("down", lab::StatusValue("link"));
  EXPECT_EQ(status::kOk, ras_.HangUp());
  EXPECT_EQ(1, lab::StatusNumber("downs")) << "the hang-up of a dropped line changes nothing";
}

TEST_F(LabLinkDialTest, AnIspThatDoesNotAnswerFailsTheDial) {
  ScopedEnvironment unreachable("VELOTUNE_LAB_ISP", "127.0.0.1:1");
  ASSERT_EQ(status::kOk, ras_.Dial(kProviderDialUpNetworking, window_.Handle(), ""));
  ASSERT_TRUE(window_.WaitFor(WM_RASDIALEVENT, kWaitMs,
                              [](const RecordedMessage& m) { return m.lParam != 0; }));
  EXPECT_EQ(718, window_.MessagesOf(WM_RASDIALEVENT).back().lParam);
  EXPECT_EQ(status::kConnectionLost, ras_.CheckConnection());
}

}  // namespace
