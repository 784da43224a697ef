// The Juno and AT&T WorldNet drivers against the lab's Juno.exe and
// WNConnect.exe: a whole connection each (launch, the chain of timers, the
// outcome notice, what is clicked and pressed, hang-up and close), the ways a
// dial fails, Juno's settings-file preparation and the AT&T dialer settings.
#include <windows.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "dialing/DialingMessages.h"
#include "dialing/drivers/AttDriver.h"
#include "dialing/drivers/JunoDriver.h"
#include "engine/portable/StatusCodes.h"
#include "framework/TimeScale.h"
#include "settings/DialUpProfile.h"
#include "settings/portable/ProviderKinds.h"
#include "tests/dialing/ClientDialFixture.h"
#include "tests/support/MessageWindow.h"

namespace {

constexpr DWORD kWaitMs = 20000;

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
}

// The engine's side: the notices a driver sends, recorded by a window.
class DriverTest : public ClientDialTest {
 protected:
  void TearDown() override {
    CloseLeftoverClients({"JunoMainWndXQW21", "WNLogon", "WNStatus"});
    ClientDialTest::TearDown();
  }

  bool WaitForNotice(WPARAM code, DWORD timeoutMs = kWaitMs) {
    return engine_.WaitFor(WM_DRIVERNOTIFY, timeoutMs,
                           [code](const RecordedMessage& m) { return m.wParam == code; });
  }
  int Notices(WPARAM code) const {
    int count = 0;
    for (const RecordedMessage& m : engine_.MessagesOf(WM_DRIVERNOTIFY)) count += m.wParam == code;
    return count;
  }
  // Pumps the drivers' timers until the program has logged the text.
  bool PumpUntilLogged(const std::string& text, DWORD timeoutMs = kWaitMs) {
    return PumpUntil([&] { return Logged(text); }, timeoutMs);
  }

  MessageWindow engine_;
};

// --- Juno -------------------------------------------------------------------------

class JunoDriverTest : public DriverTest {
 protected:
  void SetUp() override {
    DriverTest::SetUp();
    juno_ = Install("Juno.exe", "Juno\\Program\\Juno.exe");
    ASSERT_EQ(status::kOk, CDialUpProfile(kProviderJuno).SetDialerPath(kProviderJuno, juno_));
    CreateDirectoryA(UserFolder("USER0001").c_str(), nullptr);
  }

  std::string UserFolder(const std::string& name) const {
    return InstallFolder() + "\\Juno\\" + name;
  }

  std::string juno_;
  CJunoDriver driver_;
};

TEST_F(JunoDriverTest, ConnectsClicksTheToolbarLeavesTheWebAndClosesJunoAfterItsQuestion) {
  // The user's Juno asks before it exits: Close must answer it.
  WriteFile(UserFolder("USER0001") + "\\juno.ini",
            "[Options]\r\nConfirm Web Disconnect=FALSE\r\nConfirm Exit=TRUE\r\n");
  EXPECT_FALSE(CJunoDriver::IsRunning());
  driver_.Connect(engine_.Handle());
  EXPECT_EQ(1, driver_.Attempts());
  ASSERT_TRUE(WaitForNotice(DN_CONNECTED));
  EXPECT_TRUE(CJunoDriver::IsRunning());
  EXPECT_EQ(0, driver_.Attempts());
  EXPECT_EQ("up", Link());

  driver_.Connected();
  ASSERT_TRUE(PumpUntilLogged("Juno minimised JunoMainWndXQW21"));
  ASSERT_TRUE(PumpUntilLogged("Juno mouse up 120,20"));
  EXPECT_LT(LogIndex("Juno mouse up 153,20 ToolbarWindow32"),
            LogIndex("Juno mouse up 120,20 ToolbarWindow32"));

  driver_.Disconnect();
  EXPECT_TRUE(PumpUntil([] { return Link() == "down"; }, kWaitMs));
  driver_.Close();
  EXPECT_TRUE(PumpUntilLogged("Juno exit"));
  EXPECT_TRUE(PumpUntil([] { return !CJunoDriver::IsRunning(); }, kWaitMs));

  for (const char* line : {"Juno key down VK_SPACE Button \"&World Wide Web\"",
                           "Juno key up VK_SPACE Button \"&World Wide Web\"", "Juno dial 1 connect",
                           "Juno click \"Disc&onnect\"", "Juno close JunoMainWndXQW21",
                           "Juno click \"&Yes\""}) {
    EXPECT_TRUE(Logged(line)) << line;
  }
  EXPECT_EQ(1, Notices(DN_CONNECTED));
  EXPECT_EQ(0, Notices(DN_FAILED));
}

TEST_F(JunoDriverTest, EachWayADialEndsIsReportedOnce) {
  ASSERT_EQ(status::kOk, CJunoDriver::Prepare());
  // No saved password: the box, DN_NOPASSWORD, and "&World Wide Web" stays unpressed.
  WriteScenario("[Juno]\r\nPassword=\r\n");
  driver_.Connect(engine_.Handle());
  ASSERT_TRUE(WaitForNotice(DN_NOPASSWORD));
  ASSERT_EQ(1u, boxes_->Boxes().size());
  EXPECT_EQ("Password cannot be empty.  Please save your password before running the tune up test",
            boxes_->Boxes()[0].text);
  driver_.Close();
  ASSERT_TRUE(PumpUntilLogged("Juno exit"));
  EXPECT_FALSE(Logged("&World Wide Web"));
  EXPECT_FALSE(Logged("Juno dial"));

  // A failed dial: Juno's error window is answered, Juno is closed and the
  // failure reported; the attempt still counts.
  engine_.Clear();
  WriteScenario("[Juno]\r\nOutcomes=fail,nocancel\r\n");
  driver_.Connect(engine_.Handle());
  ASSERT_TRUE(WaitForNotice(DN_FAILED));
  EXPECT_TRUE(Logged("Juno click \"OK\""));
  EXPECT_TRUE(PumpUntilLogged("Juno exit"));
  EXPECT_EQ(2, driver_.Attempts());
  EXPECT_EQ("down", Link());

  // A dial that never shows "Cance&l" is still judged by its outcome.
  engine_.Clear();
  driver_.Connect(engine_.Handle());
  ASSERT_TRUE(WaitForNotice(DN_CONNECTED));
  EXPECT_TRUE(Logged("Juno dial 2 nocancel"));
  driver_.Disconnect();
  EXPECT_TRUE(PumpUntil([] { return Link() == "down"; }, kWaitMs));
  driver_.Close();
  ASSERT_TRUE(PumpUntilLogged("Juno exit"));
  EXPECT_EQ(0, Notices(DN_FAILED));

  // A Juno path that leads nowhere, and none at all: a failure each, and
  // the watch for Juno's window waits quietly until Stop.
  engine_.Clear();
  ASSERT_EQ(status::kOk, CDialUpProfile(kProviderJuno)
                             .SetDialerPath(kProviderJuno, InstallFolder() + "\\Nowhere\\Juno.exe"));
  driver_.Connect(engine_.Handle());
  ASSERT_TRUE(WaitForNotice(DN_FAILED));
  testreg::DeleteTree("SOFTWARE\\Orvalis\\Velotune\\DialUp Profile\\Juno");
  driver_.Connect(engine_.Handle());
  EXPECT_TRUE(PumpUntil([&] { return Notices(DN_FAILED) == 2; }, kWaitMs));
  PumpFor(500);
  driver_.Stop();
  EXPECT_EQ(2, Notices(DN_FAILED));
  EXPECT_EQ(0, Notices(DN_CONNECTED));
  EXPECT_EQ(1u, boxes_->Boxes().size());
}

TEST_F(JunoDriverTest, PrepareSwitchesOffTheQuestionsOnlyInUserFoldersAndKeepsTheRest) {
  const std::string userIni = UserFolder("USER0001") + "\\juno.ini";
  WriteFile(userIni,
            "[Options]\r\nConfirm Exit=TRUE\r\nSound=On\r\n[Mail]\r\nServer=pop.juno.com\r\n");
  CreateDirectoryA(UserFolder("USER0002").c_str(), nullptr);
  CreateDirectoryA(UserFolder("Backup").c_str(), nullptr);
  const std::string otherIni = UserFolder("Backup") + "\\juno.ini";
  const std::string other = "[Options]\r\nConfirm Exit=TRUE\r\n";
  WriteFile(otherIni, other);

  EXPECT_EQ(status::kOk, CJunoDriver::Prepare());
  EXPECT_EQ(
      "[Options]\r\nConfirm Exit=FALSE\r\nSound=On\r\nConfirm Web Disconnect=FALSE\r\n"
      "[Mail]\r\nServer=pop.juno.com\r\n",
      ReadFile(userIni));
  char value[16] = {};
  GetPrivateProfileStringA("Options", "Confirm Web Disconnect", "", value, sizeof(value),
                           (UserFolder("USER0002") + "\\juno.ini").c_str());
  EXPECT_STREQ("FALSE", value);
  EXPECT_EQ(other, ReadFile(otherIni));

  // Paths without the two folder levels change nothing and harm nothing.
  for (const char* path : {"Juno.exe", "C:\\Juno.exe", "\\Juno.exe", ""}) {
    ASSERT_EQ(status::kOk, CDialUpProfile(kProviderJuno).SetDialerPath(kProviderJuno, path));
    WriteFile(userIni, other);
    EXPECT_NE(status::kOk, CJunoDriver::Prepare()) << path;
    EXPECT_EQ(other, ReadFile(userIni)) << path;
  }
}

// --- AT&T WorldNet ------------------------------------------------------------------

constexpr char kGlobalData[] = "SOFTWARE\\AT&T\\WNClient\\Global Data";

class AttDriverTest : public DriverTest {
 protected:
  // The logon watch gives the dialer about 11 s to show its window; that
  // must stay longer than a program takes to start here.
  void SetUp() override {
    DriverTest::SetUp();
    timescale::OverrideFactor(0.3);
    dialer_ = Install("WNConnect.exe", "WorldNet\\Programs\\WNConnect.exe");
    ASSERT_EQ(status::kOk, CDialUpProfile(kProviderAttWorldNet)
                               .SetDialerPath(kProviderAttWorldNet, dialer_));
  }

  // Ends the dialer of a failed attempt as the engine does, and waits for its end.
  void CloseDialer() {
    driver_.StopLogonWatch();
    driver_.Close();
    ASSERT_TRUE(PumpUntilLogged("WorldNet exit"));
    WriteScenario("");
  }

  std::string dialer_;
  CAttDriver driver_;
};

TEST_F(AttDriverTest, SwitchesTheDialerSettingsLogsInClosesTheWelcomeWindowAndHangsUp) {
  // 30 dialer profiles, all asking: the first 21 are switched off.
  for (int i = 0; i < 30; ++i) {
    std::string profile = std::string(kGlobalData) + "\\Profile" + (i < 10 ? "0" : "") +
                          std::to_string(i);
    testreg::WriteDword(profile, "Launch IE After Connect", 1);
    testreg::WriteDword(profile, "Prompt For Disconnect", 1);
  }
  // A welcome title in another case is the welcome window all the same.
  WriteScenario("[WorldNet]\r\nWelcomeTitle=welcome to at&t worldnet service - Browser\r\n");
  driver_.Connect(engine_.Handle());
  ASSERT_TRUE(WaitForNotice(DN_CONNECTED));
  EXPECT_EQ(1, driver_.Attempts());
  EXPECT_EQ("up", Link());
  int switchedOff = 0;
  for (int i = 0; i < 30; ++i) {
    std::string profile = std::string(kGlobalData) + "\\Profile" + (i < 10 ? "0" : "") +
                          std::to_string(i);
    DWORD type = 0;
    std::vector<BYTE> launch, prompt;
    ASSERT_TRUE(testreg::ReadRaw(profile, "Launch IE After Connect", type, launch));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
    ASSERT_TRUE(testreg::ReadRaw(profile, "Prompt For Disconnect", type, prompt));
    EXPECT_EQ(launch, prompt) << profile;
    switchedOff += launch == std::vector<BYTE>(4, 0);
  }
  EXPECT_EQ(21, switchedOff);
  EXPECT_TRUE(Logged("WorldNet read Global Data\\Profile00 Launch IE After Connect=0"));

  driver_.StartWelcomeWatch();
  ASSERT_TRUE(PumpUntilLogged("WorldNet close WNWelcome"));
  EXPECT_TRUE(Logged("WorldNet active \"welcome to at&t worldnet service - Browser\""));
  EXPECT_TRUE(Logged("WorldNet key down VK_F4 WNWelcome"));

  driver_.Disconnect();
  EXPECT_TRUE(PumpUntil([] { return Link() == "down"; }, kWaitMs));
  EXPECT_FALSE(Logged("Do you want to disconnect?"));
  driver_.Close();
  EXPECT_TRUE(PumpUntilLogged("WorldNet exit"));
  EXPECT_TRUE(Logged("WorldNet key down VK_SPACE Button \"&Login\""));
  EXPECT_TRUE(Logged("WorldNet click \"Dis&connect\""));
  EXPECT_TRUE(Logged("WorldNet key up VK_F4"));
  EXPECT_EQ(1, Notices(DN_CONNECTED));
  EXPECT_EQ(0, Notices(DN_FAILED));
}

TEST_F(AttDriverTest, EachWayADialFailsIsReportedAndCounted) {
  struct Case {
    const char* scenario;
    const char* logged;
  };
  const Case cases[] = {
      {"[WorldNet]\r\nOutcomes=retry\r\n", "WorldNet dial 1 retry"},
      {"[WorldNet]\r\nOutcomes=vanish\r\n", "WorldNet dial 1 vanish"},
      // The connect window never shows: decided at the 12th tick.
      {"[WorldNet]\r\nOutcomes=noconnect\r\n", "WorldNet dial 1 noconnect"},
      // A bare "Connected to " is no connected window.
      {"[WorldNet]\r\nConnectedTitle=\"Connected to \"\r\n", "WorldNet dial 1 connect"},
      // A button that only begins with "&Login" is never pressed.
      {"[WorldNet]\r\nLoginText=&Login...\r\n", "WorldNet window WNLogon"},
  };
  int attempts = 0;
  for (const Case& c : cases) {
    engine_.Clear();
    WriteScenario(c.scenario);
    driver_.Connect(engine_.Handle());
    EXPECT_TRUE(WaitForNotice(DN_FAILED, 40000)) << c.scenario;
    EXPECT_TRUE(Logged(c.logged)) << c.scenario;
    EXPECT_EQ(++attempts, driver_.Attempts()) << c.scenario;
    EXPECT_EQ(0, Notices(DN_CONNECTED)) << c.scenario;
    CloseDialer();
  }
  EXPECT_FALSE(Logged("Button \"&Login...\""));
  EXPECT_TRUE(boxes_->Boxes().empty());

  // No dialer path: its box, and a failure the engine hears of.
  testreg::DeleteTree("SOFTWARE\\Orvalis\\Velotune\\DialUp Profile\\AT&T WorldNet");
  engine_.Clear();
  driver_.Connect(engine_.Handle());
  ASSERT_TRUE(WaitForNotice(DN_FAILED));
  EXPECT_EQ(++attempts, driver_.Attempts());
  ASSERT_EQ(1u, boxes_->Boxes().size());
  EXPECT_EQ("Failed to open ATTWorld dialer. Please run \"Configuration Wizard\" and enter the "
            "correct ATTWorld Dialer's path",
            boxes_->Boxes()[0].text);
  driver_.ClearAttempts();
  EXPECT_EQ(0, driver_.Attempts());
}

TEST(AttDriverTitles, ConnectedAndWelcomeTitles) {
  EXPECT_TRUE(CAttDriver::IsConnectedTitle("Connected to AT&T WorldNet"));
  EXPECT_FALSE(CAttDriver::IsConnectedTitle("Connected to "));
  EXPECT_FALSE(CAttDriver::IsConnectedTitle("connected to AT&T WorldNet"));
  EXPECT_TRUE(CAttDriver::IsWelcomeTitle("WELCOME TO AT&T WORLDNET SERVICE"));
  EXPECT_TRUE(CAttDriver::IsWelcomeTitle("HTTP://www.att.net/ - Browser"));
  EXPECT_FALSE(CAttDriver::IsWelcomeTitle("Welcome to AT&T"));
}

}  // namespace
