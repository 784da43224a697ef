// The lab's AT&T WorldNet dialer driven as the AT&T WorldNet driver drives
// it: "&Login" in the logon window, the connect window and its "&Retry", the
// connected window and "Dis&connect" with the prompt that "Prompt For
// Disconnect" asks for, and the welcome window brought forward and closed
// with Alt+F4 from the keyboard.
#include <windows.h>
#include <gtest/gtest.h>

#include "tests/lab/ClientProgramHarness.h"

namespace {

constexpr DWORD kWaitMs = 10000;
constexpr char kLogon[] = "AT&T WorldNet Service Logon";
constexpr char kConnect[] = "AT&T WorldNet Service Connect";
constexpr char kGlobalData[] = "SOFTWARE\\AT&T\\WNClient\\Global Data";

class WorldNetClientProgramTest : public ClientProgramTest {
 protected:
  void SetUp() override {
    ClientProgramTest::SetUp();
    dialer_ = Install("WNConnect.exe", "WorldNet\\Programs\\WNConnect.exe");
  }

  void WriteDialerSettings(DWORD launchBrowser, DWORD promptForDisconnect) {
    std::string profile = std::string(kGlobalData) + "\\Default";
    testreg::WriteDword(profile, "Launch IE After Connect", launchBrowser);
    testreg::WriteDword(profile, "Prompt For Disconnect", promptForDisconnect);
  }

  HWND Logon() { return drive::WaitForWindow(nullptr, kLogon, kWaitMs); }

  void CloseLogon(HWND logon) {
    PostMessageA(logon, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitForExit(kWaitMs));
  }

  std::string dialer_;
};

TEST_F(WorldNetClientProgramTest, LogsInConnectsClosesTheWelcomeAndAsksBeforeHangingUp) {
  WriteDialerSettings(1, 1);
  Start(dialer_);
  HWND logon = Logon();
  ASSERT_NE(nullptr, logon);
  drive::PressSpace(drive::WaitForChild(logon, "&Login", kWaitMs));
  EXPECT_NE(nullptr, drive::WaitForWindow(nullptr, kConnect, kWaitMs));
  HWND connected = drive::WaitForWindow(nullptr, "Connected to AT&T WorldNet", kWaitMs);
  ASSERT_NE(nullptr, connected);
  EXPECT_EQ(nullptr, FindWindowA(nullptr, kConnect));
  EXPECT_EQ("up", Link());

  // The welcome window comes forward and takes Alt+F4 from the keyboard.
  HWND welcome = drive::WaitForWindow(nullptr, "Welcome to AT&T WorldNet Service", kWaitMs);
  ASSERT_NE(nullptr, welcome);
  EXPECT_NE(nullptr, drive::WaitForWindow(nullptr, "http://www.att.net/", kWaitMs));
  SetForegroundWindow(welcome);
  EXPECT_TRUE(drive::Eventually([&] { return GetForegroundWindow() == welcome; }, kWaitMs));
  keybd_event(VK_MENU, 0, 0, 0);
  keybd_event(VK_F4, 0, 0, 0);
  keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_F4, 0, KEYEVENTF_KEYUP, 0);
  EXPECT_TRUE(drive::WaitForNoWindow(nullptr, "Welcome to AT&T WorldNet Service", kWaitMs));

  drive::PressSpace(drive::WaitForChild(connected, "Dis&connect", kWaitMs));
  HWND prompt = drive::WaitForWindow(nullptr, "AT&T WorldNet Service", kWaitMs);
  ASSERT_NE(nullptr, prompt);
  EXPECT_EQ("up", Link());
  drive::PressSpace(drive::WaitForChild(prompt, "&Yes", kWaitMs));
  EXPECT_TRUE(drive::WaitForNoWindow(nullptr, "Connected to AT&T WorldNet", kWaitMs));
  EXPECT_EQ("down", Link());
  EXPECT_TRUE(IsWindowVisible(logon));
  CloseLogon(logon);

  for (const char* line :
       {"WorldNet read Global Data\\Default Launch IE After Connect=1",
        "WorldNet read Global Data\\Default Prompt For Disconnect=1", "WorldNet dial 1 connect",
        "WorldNet key down VK_SPACE Button \"&Login\"", "WorldNet link-up mtu=",
        "WorldNet active \"Welcome to AT&T WorldNet Service\"",
        "WorldNet key down VK_MENU WNWelcome", "WorldNet key down VK_F4 WNWelcome",
        "WorldNet close WNWelcome", "WorldNet click \"&Yes\"", "WorldNet link-down",
        "WorldNet exit"}) {
    EXPECT_TRUE(Logged(line)) << line;
  }
}

TEST_F(WorldNetClientProgramTest, RetryOddTitlesAndDialsThatNeverConnect) {
  WriteDialerSettings(0, 0);
  WriteScenario(
      "[WorldNet]\r\nOutcomes=retry,connect\r\nConnectedTitle=\"Connected to \"\r\n"
      "WelcomeTitle=welcome to at&t worldnet service\r\n");
  Start(dialer_);
  HWND logon = Logon();
  ASSERT_NE(nullptr, logon);
  drive::PressSpace(drive::WaitForChild(logon, "&Login", kWaitMs));
  HWND connect = drive::WaitForWindow(nullptr, kConnect, kWaitMs);
  ASSERT_NE(nullptr, connect);
  HWND retry = drive::WaitForChild(connect, "&Retry", kWaitMs);
  ASSERT_NE(nullptr, retry);
  EXPECT_EQ("down", Link());
  drive::PressSpace(retry);
  // A bare "Connected to " title and a welcome title in lower case.
  HWND connected = drive::WaitForWindow(nullptr, "Connected to ", kWaitMs);
  ASSERT_NE(nullptr, connected);
  EXPECT_NE(nullptr, drive::WaitForWindow(nullptr, "welcome to at&t worldnet service", kWaitMs));
  EXPECT_EQ(nullptr, FindWindowA(nullptr, "http://www.att.net/"));
  drive::PressSpace(drive::WaitForChild(connected, "Dis&connect", kWaitMs));
  EXPECT_TRUE(drive::Eventually([] { return Link() == "down"; }, kWaitMs));
  EXPECT_EQ(nullptr, FindWindowA(nullptr, "AT&T WorldNet Service"));
  CloseLogon(logon);

  WriteScenario("[WorldNet]\r\nOutcomes=noconnect\r\nLoginText=&Login...\r\n");
  Start(dialer_);
  logon = Logon();
  ASSERT_NE(nullptr, logon);
  EXPECT_EQ(nullptr, drive::FindChild(logon, "&Login"));
  drive::PressSpace(drive::WaitForChild(logon, "&Login...", kWaitMs));
  EXPECT_TRUE(WaitForLog("WorldNet dial 1 noconnect", kWaitMs));
  Sleep(500);
  EXPECT_EQ(nullptr, FindWindowA(nullptr, kConnect));
  CloseLogon(logon);

  WriteScenario("[WorldNet]\r\nLoginText=\r\n");
  Start(dialer_);
  logon = Logon();
  ASSERT_NE(nullptr, logon);
  ASSERT_NE(nullptr, drive::WaitForChild(logon, "Cancel", kWaitMs));
  for (HWND child : drive::Descendants(logon)) EXPECT_NE("&Login", drive::Text(child).substr(0, 6));
  CloseLogon(logon);

  WriteScenario("[WorldNet]\r\nOutcomes=vanish\r\n");
  Start(dialer_);
  logon = Logon();
  ASSERT_NE(nullptr, logon);
  drive::PressSpace(drive::WaitForChild(logon, "&Login", kWaitMs));
  EXPECT_NE(nullptr, drive::WaitForWindow(nullptr, kConnect, kWaitMs));
  EXPECT_TRUE(drive::WaitForNoWindow(nullptr, kConnect, kWaitMs));
  EXPECT_EQ(nullptr, FindWindowA(nullptr, "Connected to AT&T WorldNet"));
  CloseLogon(logon);
  EXPECT_EQ(1, CountLogged("WorldNet link-up"));
}

}  // namespace
