// America Online and CompuServe 2000 through the engine and the AOL driver
// against the lab's client: the sign-on with its step texts, the welcome
// window and the Internet test, the failures the client leaves the engine
// to find out, the redial countdown and its limit, and a tray dial that
// tunes the AOL adapter only while the connection lasts.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "dialing/DialingMessages.h"
#include "engine/portable/StatusCodes.h"
#include "engine/portable/TestRecord.h"
#include "settings/AolSettings.h"
#include "tests/dialing/ClientDialFixture.h"
#include "tests/support/LabClient.h"
#include "tests/support/NetworkLayouts.h"
#include "tests/support/TcpipSnapshot.h"

namespace {

constexpr DWORD kWaitMs = 30000;
constexpr char kScreenName[] = "Velo Tester";

class AolDialPathTest : public ClientDialTest {
 protected:
  void SetUp() override {
    ClientDialTest::SetUp();
    netlayout::LayOut(netlayout::Windows9x{});
    netlayout::LayOut(netlayout::AolAdapter{});
    testreg::WriteDword(netlayout::AolDeviceKey(netlayout::AolAdapter{}), "mtu", 576);
    Configure(2, Install("LabAol.exe", "America Online\\LabAol.exe"));
  }

  void TearDown() override {
    if (engine_) engine_->Disconnect(std::string(), true);
    CloseLeftoverClients({"AOL Frame25"});
    ClientDialTest::TearDown();
  }

  void Configure(int kind, const std::string& path) {
    ASSERT_EQ(status::kOk, CSettingsStore().SetProviderKind(kind));
    CAolSettings aol;
    ASSERT_EQ(status::kOk, aol.SetProgramPath(path));
    ASSERT_EQ(status::kOk, aol.SetDefaultScreenName(kScreenName));
    MakeEngine();
  }

  // Dials in tune-up mode and waits for the controller's first report.
  std::string DialForReport() {
    size_t before = controller_.reports.size();
    EXPECT_EQ(status::kOk, engine_->Dial(0, std::string(), false));
    PumpUntil([&] { return controller_.reports.size() > before; }, kWaitMs);
    return controller_.reports.size() > before ? controller_.reports[before] : "nothing";
  }

  void HangUp() {
    engine_->Disconnect(std::string(), true);
    EXPECT_EQ(nullptr, FindWindowA("AOL Frame25", nullptr)) << "the client is closed";
    EXPECT_FALSE(engine_->IsDialing());
    EXPECT_FALSE(engine_->IsConnected());
  }
};

TEST_F(AolDialPathTest, SignsOnWithStepTextsVerifiesAndHangsUp) {
  WriteScenario("[AOL]\r\nOutcomes=connect\r\n");
  EXPECT_EQ("connected", DialForReport());
  EXPECT_TRUE(engine_->IsConnected());
  EXPECT_EQ("up", Link());
  EXPECT_EQ("mtu=576", LinkValues().substr(0, 7));

  // The screen name unquoted after -n, then -u and two quotes.
  EXPECT_TRUE(Logged(" -nVelo Tester -u\"\""));
  EXPECT_TRUE(Logged("AOL screen-name \"Velo Tester\""));
  // Step texts shown after "Step N:"; then the engine's own lines.
  std::vector<std::string> statuses = ViewLines("status 0 ");
  auto shown = [&](const std::string& line) {
    return std::find(statuses.begin(), statuses.end(), line) != statuses.end();
  };
  EXPECT_TRUE(shown("status 0 Dialing..."));
  EXPECT_TRUE(shown("status 0 Verifying connection..."));
  EXPECT_TRUE(shown("status 0 Connected to America Online"));
  EXPECT_FALSE(shown("status 0 Checking for available connection...")) << "welcomed by name";
  // "Step 5: Checking password" shows its text after the seven characters
  // "Step 5:", blank included.
  bool anyStep = shown("status 0  Finding modem") || shown("status 0  Dialing") ||
                 shown("status 0  Connecting") || shown("status 0  Checking password");
  EXPECT_TRUE(anyStep) << "a step text without its \"Step N:\"";
  EXPECT_TRUE(Logged("AOL minimised AOL Frame25"));

  HangUp();
  EXPECT_EQ("down", Link());
  EXPECT_TRUE(Logged("AOL exit"));
}

TEST_F(AolDialPathTest, SignOnFailuresEndTheDialWithTheirStatus) {
  WriteScenario("[AOL]\r\nOutcomes=noframe,noframe,nosignon,hiddensignon,cancel,noclient\r\nQuitMs=300\r\n");
  ASSERT_EQ(status::kOk, engine_->Dial(0, std::string(), false));
  // A step text that ends right after "Step": an empty remainder.
  SendMessageA(engine_->Window(), WM_DRIVERNOTIFY, DN_STEPTEXT,
               reinterpret_cast<LPARAM>("..Step 1"));
  const std::vector<std::string>& lines = frame_.Log();
  EXPECT_EQ(1, std::count(lines.begin(), lines.end(), std::string("status 0 ")));
  EXPECT_TRUE(PumpUntilReport("dial failed 56", kWaitMs)) << "no main frame within 20 s";
  EXPECT_EQ("dial failed 56", controller_.reports.at(0));
  HangUp();
  EXPECT_EQ("dial failed 56", DialForReport()) << "the same without the step text";
  HangUp();
  EXPECT_EQ("dial failed 59", DialForReport()) << "no sign-on window";
  HangUp();
  EXPECT_EQ("dial failed 58", DialForReport()) << "a hidden sign-on window";
  HangUp();
  EXPECT_EQ("step failed 44", DialForReport()) << "the user closed the client while it dialled";
  HangUp();
  EXPECT_EQ("step failed 44", DialForReport()) << "no client area after the sign-on";
  HangUp();
  EXPECT_TRUE(countdowns_.empty());
  EXPECT_EQ(6u, controller_.reports.size()) << "one report per dial";
  EXPECT_EQ("down", Link());
}

TEST_F(AolDialPathTest, CompuServeWithoutItsClientTellsTheUser) {
  Configure(3, InstallFolder() + "\\CompuServe 2000\\Missing.exe");
  EXPECT_EQ("dial failed 55", DialForReport());
  std::vector<MessageBoxRequest> boxes = boxes_->Boxes();
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ("Unable to open CompuServe 2000 browser.  Please ensure that CS browser path in the "
            "\"Configuration Wizard\" is correct.",
            boxes[0].text);
  EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes[0].type & MB_ICONMASK);
  EXPECT_FALSE(engine_->IsDialing());
}

TEST_F(AolDialPathTest, WelcomeByPrefixOrTheInternetTestConnects) {
  // "Welcome, Velo Tester ..." without "!" and longer than the texts read:
  // not the title, but the prefix.
  WriteScenario("[AOL]\r\nWelcome=Welcome, %s " + std::string(300, 'x') +
                "\r\nHiddenFirstChild=1\r\n");
  Configure(3, Install("LabAol.exe", "CompuServe 2000\\LabAol.exe"));
  EXPECT_EQ("connected", DialForReport());
  EXPECT_EQ(1u, ViewLines("status 0 Connected to CompuServe").size());
  EXPECT_TRUE(ViewLines("status 0 Checking for available connection...").empty());
  // A hidden first child of the sign-on window ends the walk: no step text.
  for (const std::string& line : ViewLines("status 0 ")) {
    EXPECT_EQ(std::string::npos, line.find("Finding modem")) << line;
  }
  HangUp();

  // Without the comma neither the title nor the prefix match: the Internet
  // test decides.
  WriteScenario("[AOL]\r\nWelcome=Welcome %s!\r\n");
  EXPECT_EQ("connected", DialForReport());
  EXPECT_EQ(1u, ViewLines("status 0 Checking for available connection...").size());
  EXPECT_TRUE(countdowns_.empty());
  HangUp();
}

TEST_F(AolDialPathTest, NoInternetCountsDownRedialsAndStopsAtTheLimit) {
  ASSERT_EQ(status::kOk, CAolSettings().SetRedial(1));
  WriteScenario("[AOL]\r\nWelcome=\r\nInternet=0\r\n");
  EXPECT_EQ("dial failed 10", DialForReport());
  ASSERT_EQ(1u, countdowns_.size()) << "one redial, then the limit";
  EXPECT_EQ("  Connection Error", countdowns_[0].caption);
  EXPECT_EQ("Failed to connect to:", countdowns_[0].heading);
  EXPECT_EQ("\tAmerica Online.", countdowns_[0].message);
  EXPECT_EQ("Redialing in:", countdowns_[0].label);
  EXPECT_TRUE(Logged("AOL dial 2 ")) << "redialled";
  EXPECT_EQ(nullptr, FindWindowA("AOL Frame25", nullptr)) << "closed at the limit";

  // Cancel gives the attempt up as the user's; the count starts again.
  countdownAnswer_ = kCountdownStop;
  EXPECT_EQ("step failed 44", DialForReport());
  EXPECT_EQ(2u, countdowns_.size());
  EXPECT_EQ(nullptr, FindWindowA("AOL Frame25", nullptr));
}

TEST_F(AolDialPathTest, TrayDialTunesTheAdapterWhileConnectedAndKeepsTheChosenName) {
  CAolSettings aol;
  ASSERT_EQ(status::kOk, aol.BackupAdapters());
  ASSERT_EQ(status::kOk, aol.BackupClient("aolsock"));
  CSettingsStore store;
  ASSERT_EQ(status::kOk, store.Backup());
  TestRecord best{kRecordAuto, kParameterMtu, 1000, 0.0};
  ASSERT_EQ(status::kOk, store.StoreBest(best));
  RegistryValueMap userValues = TcpipValues();
  // The first dial fails the Internet test; the redial keeps the name.
  WriteScenario("[AOL]\r\nOutcomes=fail,connect\r\n");

  ASSERT_EQ(status::kOk, engine_->TrayDial(2, "Tray Name"));
  ASSERT_TRUE(PumpUntil([&] { return engine_->IsConnected(); }, 2 * kWaitMs));
  EXPECT_EQ(1u, countdowns_.size());
  EXPECT_EQ(2, CountLogged("AOL screen-name \"Tray Name\""));
  std::string name;
  CAolSettings().GetDefaultScreenName(name);
  EXPECT_EQ("Tray Name", name);
  EXPECT_EQ("mtu=1000", LinkValues().substr(0, 8)) << "the best MTU at link-up";
  EXPECT_TRUE(controller_.reports.empty()) << "a tray dial never reaches the controller";

  EXPECT_EQ(0, engine_->TrayHangUp());
  EXPECT_EQ("down", Link());
  DWORD type = 0;
  std::vector<BYTE> mtu;
  ASSERT_TRUE(testreg::ReadRaw(netlayout::AolDeviceKey(netlayout::AolAdapter{}), "mtu", type, mtu));
  ASSERT_EQ(4u, mtu.size());
  EXPECT_EQ(576u, *reinterpret_cast<DWORD*>(mtu.data())) << "the user's MTU back at hang-up";
  EXPECT_EQ("", DescribeDifferences(userValues, TcpipValues()));
  EXPECT_FALSE(engine_->IsTrayMode());
}

TEST_F(AolDialPathTest, TrayDialFailureEndsTheTrayDialWithTheUsersValues) {
  CAolSettings aol;
  ASSERT_EQ(status::kOk, aol.BackupAdapters());
  WriteScenario("[AOL]\r\nOutcomes=noframe\r\nQuitMs=300\r\n");
  ASSERT_EQ(status::kOk, engine_->TrayDial(2, "Tray Name"));
  ASSERT_TRUE(PumpUntil([this] { return !engine_->IsTrayMode(); }, kWaitMs));
  EXPECT_FALSE(engine_->IsDialing());
  EXPECT_TRUE(controller_.reports.empty()) << "a tray failure never reaches the controller";
  DWORD type = 0;
  std::vector<BYTE> mtu;
  ASSERT_TRUE(testreg::ReadRaw(netlayout::AolDeviceKey(netlayout::AolAdapter{}), "mtu", type, mtu));
  ASSERT_EQ(4u, mtu.size());
  EXPECT_EQ(576u, *reinterpret_cast<DWORD*>(mtu.data()));
}

}  // namespace
