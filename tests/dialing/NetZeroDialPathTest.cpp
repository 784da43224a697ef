// NetZero through the engine and the NetZero driver against the lab's
// dialer: jpeg.dll set aside and put back, Connect clicked, the error dialogs
// dismissed and retried up to the "Redial" limit, the NZTV rule, the connect
// dialog that never comes, Disconnect with "Dis&connect", a Disconnect that
// stops a dial under way, and a restart that waits for the old dialer to go.
#include <windows.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "dialing/drivers/ClientPreparation.h"
#include "dialing/drivers/NetZeroDriver.h"
#include "engine/portable/StatusCodes.h"
#include "engine/portable/TestRecord.h"
#include "settings/DialUpProfile.h"
#include "tests/dialing/ClientDialFixture.h"
#include "tests/support/LabClient.h"
#include "tests/support/NetworkLayouts.h"
#include "tests/support/TcpipSnapshot.h"

namespace {

constexpr DWORD kWaitMs = 30000;
constexpr char kJpeg[] = "Velotune lab jpeg.dll\r\n";
constexpr char kFailedLine[] = "status 8193 Error: Connection to NetZero was unsuccessful";

std::string Contents(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return "(none)";
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

void Place(const std::string& path, const std::string& contents) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << contents;
}

class NetZeroDialPathTest : public ClientDialTest {
 protected:
  void SetUp() override {
    ClientDialTest::SetUp();
    dialer_ = Install("nzStart.exe", "NetZero\\nzStart.exe");
    bin_ = dialer_.substr(0, dialer_.size() - 11) + "bin\\";
    CreateDirectoryA(bin_.c_str(), nullptr);
    Place(bin_ + "jpeg.dll", kJpeg);
    ASSERT_EQ(status::kOk, CSettingsStore().SetProviderKind(5));
    CDialUpProfile profile(5);
    ASSERT_EQ(status::kOk, profile.SetDialerPath(5, dialer_));
    ASSERT_EQ(status::kOk, profile.SetDefaultProfile("NetZero"));
    ASSERT_EQ(status::kOk, profile.SetRedial("NetZero", 10));
    MakeEngine();
  }

  void TearDown() override {
    CloseLeftoverClients({"AwtDialog", "AwtWindow", "AwtFrame", "nzWindowClass"});
    ClientDialTest::TearDown();
  }

  std::string DialForReport(bool restart = false) {
    size_t before = controller_.reports.size();
    EXPECT_EQ(status::kOk, engine_->Dial(0, std::string(), restart));
    PumpUntil([&] { return controller_.reports.size() > before; }, 3 * kWaitMs);
    return controller_.reports.size() > before ? controller_.reports[before] : "nothing";
  }

  // Disconnects and waits until the dialer has gone.
  void HangUp() {
    engine_->Disconnect(std::string(), true);
    EXPECT_FALSE(engine_->IsDialing());
    EXPECT_TRUE(PumpUntil([] { return FindWindowA("AwtWindow", nullptr) == nullptr; }, kWaitMs));
  }

  std::string dialer_;
  std::string bin_;
};

TEST_F(NetZeroDialPathTest, ConnectsWithJpegAsideThenDisconnectsAndPutsItBack) {
  WriteScenario("[NetZero]\r\nOutcomes=connect\r\n");
  EXPECT_EQ("connected", DialForReport());
  EXPECT_EQ("up", Link());
  EXPECT_TRUE(Logged("NetZero read bin\\jpeg.dll absent")) << "set aside before the launch";
  EXPECT_EQ(kJpeg, Contents(bin_ + "bckup\\jpeg.dll"));
  EXPECT_TRUE(Logged("NetZero mouse up 232,14 AwtCanvas \"\"") ||
              Logged("NetZero mouse up (232, 14) AwtCanvas \"\""));
  EXPECT_EQ(1u, ViewLines("status 8192 Connection to NetZero established").size());

  HangUp();
  EXPECT_EQ("down", Link());
  EXPECT_TRUE(Logged("NetZero click \"Dis&connect\""));
  EXPECT_TRUE(boxes_->Boxes().empty());

  CClientPreparation().NetZeroPutBack();
  EXPECT_EQ(kJpeg, Contents(bin_ + "jpeg.dll"));
  EXPECT_EQ("(none)", Contents(bin_ + "bckup\\jpeg.dll"));
}

TEST_F(NetZeroDialPathTest, DismissesEachErrorDialogAndRetriesUntilConnected) {
  WriteScenario("[NetZero]\r\nOutcomes=failure,terminating,problem,connectwnd,connect\r\n");
  EXPECT_EQ("connected", DialForReport());
  EXPECT_EQ(5, CountLogged("NetZero dial "));
  // Failure and problem end the dialer (relaunched), the others keep it.
  EXPECT_EQ(3, CountLogged("NetZero start "));
  EXPECT_EQ(4, CountLogged("NetZero click \"OK\""));
  EXPECT_TRUE(ViewLines(kFailedLine).empty());
  HangUp();
}

TEST_F(NetZeroDialPathTest, AnErrorBeforeAnyNztvDialogIsNotTakenForTheOutcome) {
  CNetZeroDriver::ForgetNztvForTests();
  WriteScenario("[NetZero]\r\nOutcomes=earlyerror\r\nErrorMs=3000\r\n");
  EXPECT_EQ("connected", DialForReport());
  EXPECT_FALSE(Logged("NetZero click \"OK\"")) << "the early error was left alone";
  EXPECT_TRUE(CNetZeroDriver::NztvSeen());
  HangUp();
}

TEST_F(NetZeroDialPathTest, ErrorsForEverEndAtTheRedialLimit) {
  ASSERT_EQ(status::kOk, CDialUpProfile(5).SetRedial("NetZero", 2));
  WriteScenario("[NetZero]\r\nOutcomes=terminating\r\n");
  EXPECT_EQ("dial failed 10", DialForReport());
  EXPECT_EQ(3, CountLogged("NetZero dial ")) << "the dial and two retries";
  EXPECT_EQ(1u, ViewLines(kFailedLine).size());
  EXPECT_FALSE(engine_->IsDialing());
  HangUp();
  // The dialer shows its connect dialog again and stays.
  EXPECT_TRUE(PumpUntil([] { return FindWindowA("AwtDialog", nullptr) != nullptr; }, kWaitMs));
}

TEST_F(NetZeroDialPathTest, ConnectDialogThatNeverComesFailsTheDial) {
  WriteScenario("[NetZero]\r\nConnectDialog=0\r\nQuitMs=1000\r\n");
  EXPECT_EQ("dial failed 1", DialForReport());
  EXPECT_EQ(1u, ViewLines(kFailedLine).size());
  EXPECT_FALSE(Logged("NetZero dial "));
  EXPECT_TRUE(PumpUntil([this] { return Logged("NetZero exit"); }, kWaitMs));
}

TEST_F(NetZeroDialPathTest, BadDialerPathsAndFilesInBothPlaces) {
  // A path too short to hold "nzStart.exe": nothing is cut below its start.
  ASSERT_EQ(status::kOk, CDialUpProfile(5).SetDialerPath(5, "nz.exe"));
  EXPECT_EQ("dial failed 1", DialForReport());
  std::vector<MessageBoxRequest> boxes = boxes_->Boxes();
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ("Failed to retrieve NetZero dialer path. Please run \"Configuration Wizard\" and "
            "enter the correct NetZero Dialer's path",
            boxes[0].text);
  EXPECT_EQ(kJpeg, Contents(bin_ + "jpeg.dll"));

  // A copy in each place: neither move replaces the other.
  ASSERT_EQ(status::kOk, CDialUpProfile(5).SetDialerPath(5, dialer_));
  CreateDirectoryA((bin_ + "bckup").c_str(), nullptr);
  Place(bin_ + "bckup\\jpeg.dll", "older copy");
  CClientPreparation preparation;
  preparation.NetZeroSetAside();
  preparation.NetZeroPutBack();
  EXPECT_EQ(kJpeg, Contents(bin_ + "jpeg.dll"));
  EXPECT_EQ("older copy", Contents(bin_ + "bckup\\jpeg.dll"));
}

TEST_F(NetZeroDialPathTest, DisconnectStopsTheDialAndARestartWaitsForTheOldDialer) {
  WriteScenario("[NetZero]\r\nOutcomes=connect\r\nLingerMs=10000\r\n");
  ASSERT_EQ(status::kOk, engine_->Dial(0, std::string(), false));
  // Stopped while the worker waits for the connect dialog: it clicks nothing
  // and reports nothing afterwards.
  engine_->Disconnect(std::string(), true);
  ASSERT_TRUE(PumpUntil([] { return FindWindowA("AwtDialog", nullptr) != nullptr; }, kWaitMs));
  PumpFor(1500);
  EXPECT_TRUE(controller_.reports.empty());
  EXPECT_FALSE(Logged("NetZero mouse"));
  CloseLeftoverClients({"AwtDialog"});

  EXPECT_EQ("connected", DialForReport());
  engine_->Disconnect(std::string(), true);
  ASSERT_TRUE(PumpUntil([this] { return Link() == "down"; }, kWaitMs));
  EXPECT_NE(nullptr, FindWindowA("AwtWindow", nullptr)) << "the dialer lingers";
  // The next test's dial waits until the lingering dialer has ended.
  EXPECT_EQ("connected", DialForReport(true));
  std::vector<size_t> starts, exits;
  std::vector<std::string> lines = LogLines();
  for (size_t at = 0; at < lines.size(); ++at) {
    if (lines[at].find("NetZero start ") != std::string::npos) starts.push_back(at);
    if (lines[at].find("NetZero exit") != std::string::npos) exits.push_back(at);
  }
  ASSERT_EQ(3u, starts.size());
  ASSERT_GE(exits.size(), 2u);
  EXPECT_LT(exits[1], starts[2]) << "relaunched only once the old dialer had ended";
  HangUp();
}

TEST_F(NetZeroDialPathTest, ARestartGivesUpWhenTheOldDialerNeverGoes) {
  WriteScenario("[NetZero]\r\nOutcomes=connect\r\nLingerMs=600000\r\n");
  EXPECT_EQ("connected", DialForReport());
  engine_->Disconnect(std::string(), true);
  ASSERT_TRUE(PumpUntil([this] { return Link() == "down"; }, kWaitMs));
  // 120 one-second ticks with the old window still there.
  EXPECT_EQ("dial failed 1", DialForReport(true));
  EXPECT_EQ(1u, ViewLines(kFailedLine).size());
  EXPECT_EQ(1, CountLogged("NetZero start "));
}

TEST_F(NetZeroDialPathTest, TrayDialPutsTheUsersValuesBackOnceConnected) {
  netlayout::LayOutRunningFamily();
  CSettingsStore store;
  ASSERT_EQ(status::kOk, store.Backup());
  RegistryValueMap userValues = TcpipValues();
  TestRecord best{kRecordAuto, kParameterTtl, 128, 0.0};
  ASSERT_EQ(status::kOk, store.StoreBest(best));
  WriteScenario("[NetZero]\r\nOutcomes=connect\r\n");

  ASSERT_EQ(status::kOk, engine_->TrayDial(5, std::string()));
  EXPECT_NE("", DescribeDifferences(userValues, TcpipValues())) << "tuned while dialing";
  ASSERT_TRUE(PumpUntil([this] { return engine_->IsConnected(); }, kWaitMs));
  EXPECT_EQ("", DescribeDifferences(userValues, TcpipValues()));
  EXPECT_EQ(0, engine_->TrayHangUp());
  EXPECT_TRUE(PumpUntil([] { return FindWindowA("AwtWindow", nullptr) == nullptr; }, kWaitMs));
  EXPECT_EQ("down", Link());
  EXPECT_EQ("", DescribeDifferences(userValues, TcpipValues()));
  PumpFor(500);
  EXPECT_TRUE(controller_.reports.empty()) << "a tray dial never reaches the controller";
}

}  // namespace
