// The dial engine dialling Juno and AT&T WorldNet through their drivers and
// the lab's client programs: a tune-up dial that connects and hangs up, the
// redial countdown ending at the "Redial" limit, Juno's missing password,
// and tray dials whose tuned values reach only their own connection.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialing/drivers/ClientPreparation.h"
#include "engine/portable/StatusCodes.h"
#include "framework/TimeScale.h"
#include "settings/DialUpProfile.h"
#include "settings/portable/ProviderKinds.h"
#include "tests/dialing/ClientDialFixture.h"
#include "tests/support/LabClient.h"
#include "tests/support/NetworkLayouts.h"
#include "tests/support/TcpipSnapshot.h"

namespace {

constexpr DWORD kWaitMs = 30000;

class JunoAttDialTest : public ClientDialTest {
 protected:
  void SetUp() override {
    ClientDialTest::SetUp();
    netlayout::LayOutRunningFamily();
  }
  void TearDown() override {
    engine_.reset();
    CloseLeftoverClients({"JunoMainWndXQW21", "WNLogon", "WNStatus"});
    ClientDialTest::TearDown();
  }

  // Provider, dialer path and redial limit as the wizard writes them, then the engine.
  void Configure(int kind, const std::string& dialer, int redial) {
    ASSERT_EQ(status::kOk, CSettingsStore().SetProviderKind(kind));
    CDialUpProfile profile(kind);
    ASSERT_EQ(status::kOk, profile.SetDialerPath(kind, dialer));
    ASSERT_EQ(status::kOk, profile.SetRedial(ProviderNameFromKind(kind), redial));
    MakeEngine();
  }

  bool Pump(const std::function<bool()>& done) { return PumpUntil(done, kWaitMs); }
  bool PumpUntilReport(const std::string& report) {
    return ClientDialTest::PumpUntilReport(report, kWaitMs);
  }
  bool PumpUntilLogged(const std::string& text) { return Pump([&] { return Logged(text); }); }
  bool PumpUntilLinkDown() { return Pump([] { return Link() == "down"; }); }
};

TEST_F(JunoAttDialTest, JunoTuneUpDialsConnectRedialToTheLimitAndNeedASavedPassword) {
  std::string juno = Install("Juno.exe", "Juno\\Program\\Juno.exe");
  Configure(kProviderJuno, juno, 2);
  CreateDirectoryA((InstallFolder() + "\\Juno\\USER0001").c_str(), nullptr);
  CClientPreparation().JunoPrepare();

  ASSERT_EQ(status::kOk, engine_->Dial(0, "", false));
  EXPECT_TRUE(engine_->IsDialing());
  ASSERT_TRUE(PumpUntilReport("connected"));
  EXPECT_TRUE(engine_->IsConnected());
  EXPECT_EQ("up", Link());
  EXPECT_EQ("status 0 Dialing...", frame_.LogStartingWith("status ").front());
  EXPECT_EQ("status 8192 Connection to Juno established", frame_.LogStartingWith("status ").back());
  ASSERT_TRUE(PumpUntilLogged("Juno minimised"));
  EXPECT_TRUE(Logged("Juno mouse up 153,20 ToolbarWindow32"));
  EXPECT_TRUE(Logged("Juno read USER0001\\juno.ini Options Confirm Exit=FALSE"));

  EXPECT_EQ(status::kOk, engine_->Disconnect("", true));
  EXPECT_TRUE(PumpUntilLinkDown());
  ASSERT_TRUE(PumpUntilLogged("Juno exit"));
  EXPECT_EQ(1, CountLogged("Juno start"));

  // Two failed dials: one countdown, then the limit ends the dial.
  WriteScenario("[Juno]\r\nOutcomes=fail\r\n");
  ASSERT_EQ(status::kOk, engine_->Dial(0, "", false));
  ASSERT_TRUE(PumpUntilReport("dial failed 10"));
  ASSERT_EQ(1u, countdowns_.size());
  EXPECT_EQ("Connection Error", countdowns_[0].caption);
  EXPECT_EQ("Failed to connect to: Juno", countdowns_[0].heading);
  EXPECT_EQ("", countdowns_[0].message);
  EXPECT_EQ("Re-dial in:", countdowns_[0].label);
  EXPECT_EQ(2, CountLogged("fail"));
  EXPECT_FALSE(engine_->IsDialing());
  engine_->Disconnect("", true);
  ASSERT_TRUE(Pump([&] { return CountLogged("Juno exit") == 3; }));

  // No saved password: status 34 and the advice, and no dial.
  WriteScenario("[Juno]\r\nPassword=\r\n");
  ASSERT_EQ(status::kOk, engine_->Dial(0, "", false));
  ASSERT_TRUE(PumpUntilReport("dial failed 34"));
  EXPECT_EQ("Please save your password before running the tune up test",
            frame_.View()->StatusLine());
  EXPECT_EQ(1u, boxes_->Boxes().size());
  EXPECT_EQ(3, CountLogged("Juno dial"));
  engine_->Disconnect("", true);
  ASSERT_TRUE(Pump([&] { return CountLogged("Juno exit") == 4; }));

  // Stopped while Juno dials: Juno is closed and nothing more is reported.
  WriteScenario("[Juno]\r\nDialMs=100000\r\n");
  const size_t reports = controller_.reports.size();
  ASSERT_EQ(status::kOk, engine_->Dial(0, "", false));
  ASSERT_TRUE(Pump([&] { return CountLogged("Juno dial 1 connect") == 2; }));
  EXPECT_EQ(status::kOk, engine_->Disconnect("", true));
  EXPECT_FALSE(engine_->IsDialing());
  ASSERT_TRUE(Pump([&] { return CountLogged("Juno exit") == 5; }));
  PumpFor(1500);
  EXPECT_EQ(reports, controller_.reports.size());
  EXPECT_EQ("down", Link());
  EXPECT_EQ(1u, countdowns_.size());
}

TEST_F(JunoAttDialTest, JunoTrayDialTunesOnlyItsConnectionAndAFailureEndsIt) {
  std::string juno = Install("Juno.exe", "Juno\\Program\\Juno.exe");
  Configure(kProviderJuno, juno, 1);
  frame_.SwitchRightPane(RightPane::Information);
  RegistryValueMap userValues = SetUserAndBestMtu(1500, 1000);

  ASSERT_EQ(status::kOk, engine_->TrayDial(kProviderJuno, "Juno"));
  EXPECT_EQ(1000, TcpipValueInEffect(kParameterMtu)) << "the best values before the dial";
  ASSERT_TRUE(Pump([&] { return engine_->IsConnected(); }));
  EXPECT_EQ(1000, lab::StatusNumber("mtu"));
  EXPECT_EQ("", DescribeDifferences(userValues, TcpipValues())) << "the user's once connected";
  EXPECT_EQ(0, engine_->TrayHangUp());
  EXPECT_TRUE(PumpUntilLinkDown());
  EXPECT_EQ("", DescribeDifferences(userValues, TcpipValues())) << "the user's after hang-up";
  ASSERT_TRUE(PumpUntilLogged("Juno exit"));
  // A tray connection is the user's: no toolbar clicks, Juno not minimised.
  EXPECT_FALSE(Logged("Juno mouse up 153,20 ToolbarWindow32"));
  EXPECT_FALSE(Logged("Juno minimised"));

  // A failed tray dial at the limit: no countdown, nobody told, the user's values back.
  WriteScenario("[Juno]\r\nOutcomes=fail\r\n");
  ASSERT_EQ(status::kOk, engine_->TrayDial(kProviderJuno, "Juno"));
  EXPECT_EQ(1000, TcpipValueInEffect(kParameterMtu));
  ASSERT_TRUE(Pump([&] { return !engine_->IsTrayMode(); }));
  EXPECT_FALSE(engine_->IsDialing());
  EXPECT_TRUE(countdowns_.empty());
  EXPECT_EQ("", DescribeDifferences(userValues, TcpipValues()));
  ASSERT_TRUE(Pump([&] { return CountLogged("Juno exit") == 2; }));
  EXPECT_EQ(1, CountLogged("fail"));
  EXPECT_EQ("down", Link());
  EXPECT_TRUE(controller_.reports.empty()) << "a tray dial never reaches the controller";
}

TEST_F(JunoAttDialTest, AttWorldNetTrayDialTunesOnlyItsConnectionAndFailuresEndAtTheLimit) {
  // The logon watch gives the dialer about 11 s to show its window; that
  // must stay longer than a program takes to start here.
  timescale::OverrideFactor(0.3);
  std::string dialer = Install("WNConnect.exe", "WorldNet\\Programs\\WNConnect.exe");
  Configure(kProviderAttWorldNet, dialer, 2);
  // The dialer's own profile would open a browser too: the driver stops that.
  testreg::WriteDword("SOFTWARE\\AT&T\\WNClient\\Global Data\\Lab", "Launch IE After Connect",
                      1);
  frame_.SwitchRightPane(RightPane::Information);
  RegistryValueMap userValues = SetUserAndBestMtu(1500, 1000);

  ASSERT_EQ(status::kOk, engine_->TrayDial(kProviderAttWorldNet, "AT&T WorldNet"));
  EXPECT_EQ(1000, TcpipValueInEffect(kParameterMtu));
  ASSERT_TRUE(Pump([&] { return engine_->IsConnected(); }));
  EXPECT_EQ(1000, lab::StatusNumber("mtu"));
  EXPECT_EQ("", DescribeDifferences(userValues, TcpipValues()));
  // The welcome window the dialer opens is closed.
  ASSERT_TRUE(PumpUntilLogged("WorldNet close WNWelcome"));
  EXPECT_FALSE(Logged("LabBrowser"));
  EXPECT_EQ(0, engine_->TrayHangUp());
  EXPECT_TRUE(PumpUntilLinkDown());
  EXPECT_EQ("", DescribeDifferences(userValues, TcpipValues()));
  EXPECT_TRUE(controller_.reports.empty());
  // A tray hang-up leaves the dialer open, as the user had it.
  HWND logon = drive::WaitForWindow(nullptr, "AT&T WorldNet Service Logon", kWaitMs);
  ASSERT_NE(nullptr, logon);
  PostMessageA(logon, WM_CLOSE, 0, 0);
  ASSERT_TRUE(PumpUntilLogged("WorldNet exit"));

  // A failed tray dial: no countdown at the limit, nobody told, the user's values back.
  ASSERT_EQ(status::kOk, CDialUpProfile(kProviderAttWorldNet).SetRedial("AT&T WorldNet", 1));
  WriteScenario("[WorldNet]\r\nOutcomes=retry\r\n");
  ASSERT_EQ(status::kOk, engine_->TrayDial(kProviderAttWorldNet, "AT&T WorldNet"));
  ASSERT_TRUE(Pump([&] { return !engine_->IsTrayMode(); }));
  EXPECT_TRUE(controller_.reports.empty());
  EXPECT_TRUE(countdowns_.empty());
  EXPECT_EQ("", DescribeDifferences(userValues, TcpipValues()));
  ASSERT_TRUE(Pump([&] { return CountLogged("WorldNet exit") == 2; }));
  ASSERT_EQ(status::kOk, CDialUpProfile(kProviderAttWorldNet).SetRedial("AT&T WorldNet", 2));

  // A tune-up whose dials fail: the dialer is closed before each
  // countdown, and the limit ends the dial with 10.
  WriteScenario("[WorldNet]\r\nOutcomes=retry\r\n");
  frame_.SwitchRightPane(RightPane::Dial);
  ASSERT_EQ(status::kOk, engine_->Dial(0, "", false));
  ASSERT_TRUE(PumpUntilReport("dial failed 10"));
  ASSERT_EQ(1u, countdowns_.size());
  EXPECT_EQ("Failed to connect to: AT&T WorldNet", countdowns_[0].heading);
  EXPECT_EQ("Re-dial in:", countdowns_[0].label);
  engine_->Disconnect("", true);
  ASSERT_TRUE(Pump([&] { return CountLogged("WorldNet exit") == 4; }));
  EXPECT_EQ(4, CountLogged("WorldNet start"));
  EXPECT_EQ("down", Link());

  // After the limit the count starts again: the next failure counts down first.
  WriteScenario("[WorldNet]\r\nOutcomes=retry,connect\r\n");
  ASSERT_EQ(status::kOk, engine_->Dial(0, "", false));
  ASSERT_TRUE(PumpUntilReport("connected"));
  EXPECT_EQ(2u, countdowns_.size());
  engine_->Disconnect("", true);
  EXPECT_TRUE(PumpUntilLinkDown());
  ASSERT_TRUE(Pump([&] { return CountLogged("WorldNet exit") == 6; }));
}

}  // namespace
