// The dial engine dialling Juno and AT&T WorldNet through their drivers and
// the lab's client programs: a tune-up dial that connects and hangs up, the
// redial countdown ending at the "Redial" limit, Juno's missing password,
// and a tray dial whose tuned values reach only its own connection.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "dialing/ClientDialPaths.h"
#include "dialing/DialHiddenDlg.h"
#include "dialing/drivers/ClientPreparation.h"
#include "engine/portable/StatusCodes.h"
#include "framework/TimeScale.h"
#include "settings/DialUpProfile.h"
#include "settings/portable/ProviderKinds.h"
#include "tests/lab/ClientProgramHarness.h"
#include "tests/dialing/LeftoverClients.h"
#include "tests/support/LabClient.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/NetworkLayouts.h"
#include "tests/support/TcpipSnapshot.h"
#include "tests/support/TuneUpTestFrame.h"
#include "tests/support/WindowPump.h"

namespace {

constexpr DWORD kWaitMs = 30000;

class RecordingController : public IDialController {
 public:
  explicit RecordingController(TestMainFrame& frame) : frame_(frame) {}
  void Connected() override { reports.push_back("connected"); }
  void DialFailed(int status) override { reports.push_back("dial failed " + std::to_string(status)); }
  void StepFailed(int status) override { reports.push_back("step failed " + std::to_string(status)); }
  void Stop() override { reports.push_back("stop"); }
  IDialView* DialView() override { return frame_.DialView(); }
  void RepaintMainWindow() override {}
  void HideMainWindow() override { reports.push_back("hide"); }
  HWND OwnerWindow() const override { return nullptr; }

  std::vector<std::string> reports;

 private:
  TestMainFrame& frame_;
};

class ClientDialPathTest : public ClientProgramTest {
 protected:
  void SetUp() override {
    ClientProgramTest::SetUp();
    netlayout::LayOutRunningFamily();
    engine_ = std::make_unique<CDialHiddenDlg>(controller_, nullptr, &paths_,
                                               [this](HWND, const CountdownTexts& texts) {
                                                 countdowns_.push_back(texts);
                                                 return kCountdownResume;
                                               });
    ASSERT_TRUE(engine_->Create());
  }
  void TearDown() override {
    if (HasFailure()) {
      for (const std::string& report : controller_.reports) std::printf("report: %s\n", report.c_str());
      for (const std::string& line : frame_.Log()) std::printf("frame: %s\n", line.c_str());
    }
    engine_.reset();
    timescale::OverrideFactor(0);
    EXPECT_TRUE(EndProgramsWithWindowsOf({"JunoMainWndXQW21", "WNLogon", "WNStatus"}).empty())
        << "a client program was left running";
    ClientProgramTest::TearDown();
  }

  // Provider, dialer path and redial limit as the wizard writes them.
  void Configure(int kind, const std::string& dialer, int redial) {
    ASSERT_EQ(status::kOk, CSettingsStore().SetProviderKind(kind));
    CDialUpProfile profile(kind);
    ASSERT_EQ(status::kOk, profile.SetDialerPath(kind, dialer));
    ASSERT_EQ(status::kOk, profile.SetRedial(ProviderNameFromKind(kind), redial));
    frame_.SwitchRightPane(RightPane::Dial);
  }

  bool Pump(const std::function<bool()>& done) { return ::PumpUntil(done, kWaitMs); }
  bool PumpUntilReport(const std::string& report) {
    return Pump([&] {
      for (const std::string& seen : controller_.reports) {
        if (seen == report) return true;
      }
      return false;
    });
  }
  bool PumpUntilLogged(const std::string& text) { return Pump([&] { return Logged(text); }); }
  bool PumpUntilLinkDown() { return Pump([] { return Link() == "down"; }); }

  TestMainFrame frame_;
  RecordingController controller_{frame_};
  CClientDialPaths paths_;
  std::vector<CountdownTexts> countdowns_;
  std::unique_ptr<CDialHiddenDlg> engine_;
};

TEST_F(ClientDialPathTest, JunoTuneUpDialsConnectRedialToTheLimitAndNeedASavedPassword) {
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
  MessageBoxRecorder boxes;
  WriteScenario("[Juno]\r\nPassword=\r\n");
  ASSERT_EQ(status::kOk, engine_->Dial(0, "", false));
  ASSERT_TRUE(PumpUntilReport("dial failed 34"));
  EXPECT_EQ("Please save your password before running the tune up test",
            frame_.View()->StatusLine());
  EXPECT_EQ(1u, boxes.Boxes().size());
  EXPECT_EQ(3, CountLogged("Juno dial"));
  engine_->Disconnect("", true);
  ASSERT_TRUE(Pump([&] { return CountLogged("Juno exit") == 4; }));
  EXPECT_EQ(1u, countdowns_.size());
}

TEST_F(ClientDialPathTest, AttWorldNetTrayDialTunesOnlyItsConnectionAndFailuresEndAtTheLimit) {
  // The logon watch gives the dialer about 11 s to show its window; that
  // must stay longer than a program takes to start here.
  timescale::OverrideFactor(0.3);
  std::string dialer = Install("WNConnect.exe", "WorldNet\\Programs\\WNConnect.exe");
  Configure(kProviderAttWorldNet, dialer, 2);
  // The dialer's own profile would open a browser too: the driver stops that.
  testreg::WriteDword("SOFTWARE\\AT&T\\WNClient\\Global Data\\Lab", "Launch IE After Connect",
                      1);
  frame_.SwitchRightPane(RightPane::Information);
  CSettingsStore store;
  TestRecord best;
  best.kind = kRecordAuto;
  best.parameter = kParameterMtu;
  best.value = 1000;
  ASSERT_EQ(status::kOk, store.StoreBest(best));
  TestRecord user = best;
  user.kind = kRecordManual;
  user.value = 1500;
  ASSERT_EQ(status::kOk, store.Write(user));
  ASSERT_EQ(status::kOk, store.Backup());
  RegistryValueMap userValues = TcpipValues();

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
  EXPECT_TRUE(controller_.reports == std::vector<std::string>{"hide"});
  // A tray hang-up leaves the dialer open, as the user had it.
  HWND logon = drive::WaitForWindow(nullptr, "AT&T WorldNet Service Logon", kWaitMs);
  ASSERT_NE(nullptr, logon);
  PostMessageA(logon, WM_CLOSE, 0, 0);
  ASSERT_TRUE(PumpUntilLogged("WorldNet exit"));

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
  ASSERT_TRUE(Pump([&] { return CountLogged("WorldNet exit") == 3; }));
  EXPECT_EQ(3, CountLogged("WorldNet start"));
  EXPECT_EQ("down", Link());

  // After the limit the count starts again: the next failure counts down first.
  WriteScenario("[WorldNet]\r\nOutcomes=retry,connect\r\n");
  ASSERT_EQ(status::kOk, engine_->Dial(0, "", false));
  ASSERT_TRUE(PumpUntilReport("connected"));
  EXPECT_EQ(2u, countdowns_.size());
  engine_->Disconnect("", true);
  EXPECT_TRUE(PumpUntilLinkDown());
  ASSERT_TRUE(Pump([&] { return CountLogged("WorldNet exit") == 5; }));
}

}  // namespace
