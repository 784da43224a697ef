// The lab's America Online / CompuServe 2000 client driven as the AOL driver
// drives it: the frame and its client area, the sign-on window and its step
// texts, the welcome window, the link with the AOL adapter's MTU, and a dial
// count that carries each launch to the scenario's next outcome.
#include <windows.h>
#include <gtest/gtest.h>

#include "tests/lab/ClientProgramHarness.h"
#include "tests/support/NetworkLayouts.h"

namespace {

constexpr DWORD kWaitMs = 10000;

class AolClientProgramTest : public ClientProgramTest {
 protected:
  void SetUp() override {
    ClientProgramTest::SetUp();
    netlayout::LayOut(netlayout::Windows9x{});
    testreg::WriteText(netlayout::kMstcpKey, "DefaultRcvWindow", "4380");
    netlayout::LayOut(netlayout::AolAdapter{});
    aol_ = Install("LabAol.exe", "America Online\\LabAol.exe");
  }

  HWND Frame() { return drive::WaitForWindow("AOL Frame25", nullptr, kWaitMs); }

  // Closes the client as the driver does: hidden, then WM_CLOSE.
  void CloseClient(HWND frame) {
    ShowWindow(frame, SW_HIDE);
    PostMessageA(frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitForExit(kWaitMs));
  }

  std::string aol_;
};

TEST_F(AolClientProgramTest, SignsOnWithTheAdaptersMtuAndWelcomesTheScreenName) {
  testreg::WriteDword(netlayout::AolDeviceKey(netlayout::AolAdapter{}), "mtu", 576);
  Start(aol_, "-nVelo Tester -u\"\"");

  HWND frame = Frame();
  ASSERT_NE(nullptr, frame);
  HWND client = drive::WaitForChildOfClass(frame, "MDIClient", kWaitMs);
  ASSERT_NE(nullptr, client);
  HWND signOn = drive::WaitForWindow("_AOL_Modal", nullptr, kWaitMs);
  ASSERT_NE(nullptr, signOn);
  EXPECT_TRUE(IsWindowVisible(signOn));
  // The step texts advance while the sign-on window is up; the first
  // visible child carries them.
  std::vector<HWND> children = drive::WaitForDescendants(signOn, 2, kWaitMs);
  ASSERT_GE(children.size(), 2u);
  EXPECT_TRUE(IsWindowVisible(children[0]));
  EXPECT_EQ("Step ", drive::Text(children[0]).substr(0, 5));

  ASSERT_TRUE(drive::WaitForNoWindow("_AOL_Modal", nullptr, kWaitMs));
  HWND welcome = nullptr;
  EXPECT_TRUE(drive::Eventually([&] {
    return (welcome = FindWindowExA(client, nullptr, "AOL Child", "Welcome, Velo Tester!")) !=
           nullptr;
  }, kWaitMs));
  EXPECT_EQ("up", Link());
  EXPECT_EQ("mtu=576 rwin=4380 ttl=32", LinkValues());

  ShowWindow(frame, SW_MINIMIZE);
  CloseClient(frame);
  EXPECT_EQ("down", Link());
  for (const char* line :
       {"AOL start \"", "AOL screen-name \"Velo Tester\"", "AOL dial 1 connect",
        "AOL step \"Step 1: Finding modem\"", "AOL step \"Step 5: Checking password\"",
        "AOL read Enum\\Root\\Net\\0002 mtu=576", "AOL link-up mtu=576 rwin=4380 ttl=32",
        "AOL minimised AOL Frame25 \"America Online\"", "AOL close AOL Frame25",
        "AOL link-down", "AOL exit"}) {
    EXPECT_TRUE(Logged(line)) << line;
  }
  // The link comes up only once the last step is done.
  EXPECT_LT(LogIndex("AOL step \"Step 5"), LogIndex("AOL link-up"));
}

TEST_F(AolClientProgramTest, EachLaunchPlaysTheNextOutcome) {
  // No "mtu" of the adapter: its binding's MaxMTU is in effect.
  testreg::WriteText(netlayout::AolBindingKey(netlayout::AolAdapter{}), "MaxMTU", "1200");
  WriteScenario(
      "[AOL]\r\nOutcomes=fail,nosignon,hiddensignon,cancel,noframe,noclient\r\n"
      "QuitMs=500\r\n");

  Start(aol_, "-nA -u\"\"");  // fail: the sign-on comes and goes, nothing connects
  HWND frame = Frame();
  ASSERT_NE(nullptr, drive::WaitForWindow("_AOL_Modal", nullptr, kWaitMs));
  ASSERT_TRUE(drive::WaitForNoWindow("_AOL_Modal", nullptr, kWaitMs));
  EXPECT_TRUE(WaitForLog("AOL sign-on ended without a connection", kWaitMs));
  EXPECT_EQ("down", Link());
  CloseClient(frame);

  Start(aol_, "-nA -u\"\"");  // nosignon
  frame = Frame();
  ASSERT_NE(nullptr, drive::WaitForChildOfClass(frame, "MDIClient", kWaitMs));
  Sleep(300);
  EXPECT_EQ(nullptr, FindWindowA("_AOL_Modal", nullptr));
  CloseClient(frame);

  Start(aol_, "-nA -u\"\"");  // hiddensignon
  frame = Frame();
  HWND signOn = drive::WaitForWindow("_AOL_Modal", nullptr, kWaitMs);
  ASSERT_NE(nullptr, signOn);
  EXPECT_FALSE(IsWindowVisible(signOn));
  CloseClient(frame);

  Start(aol_, "-nA -u\"\"");  // cancel: the user closes the client while it dials
  EXPECT_TRUE(WaitForExit(kWaitMs));
  EXPECT_TRUE(Logged("AOL user closes the client while it dials"));

  Start(aol_, "-nA -u\"\"");  // noframe: no window at all, then the program ends
  EXPECT_TRUE(WaitForExit(kWaitMs));
  EXPECT_EQ(nullptr, FindWindowA("AOL Frame25", nullptr));

  Start(aol_, "-nA -u\"\"");  // noclient: a frame without client area that still connects
  frame = Frame();
  EXPECT_TRUE(drive::Eventually([] { return Link() == "up"; }, kWaitMs));
  EXPECT_EQ(nullptr, FindWindowExA(frame, nullptr, "MDIClient", nullptr));
  EXPECT_EQ("mtu=1200 rwin=4380 ttl=32", LinkValues());
  CloseClient(frame);

  for (int dial = 1; dial <= 6; ++dial) {
    EXPECT_TRUE(Logged("AOL dial " + std::to_string(dial) + " ")) << dial;
  }
  EXPECT_EQ(0, CountLogged("AOL welcome"));
  EXPECT_EQ(1, CountLogged("AOL link-up"));
}

TEST_F(AolClientProgramTest, WelcomeTitleHiddenFirstChildAndNoInternetFollowTheScenario) {
  // A welcome title without the comma, and longer than a driver's buffer.
  const std::string tail(300, 'x');
  WriteScenario(
      "[AOL]\r\nWelcome=Welcome %s! " + tail + "\r\nHiddenFirstChild=1\r\nInternet=0\r\n"
      "Title=CompuServe 2000\r\n");
  Install("LabAol.exe", "CompuServe 2000\\LabAol.exe");
  Start(InstallFolder() + "\\CompuServe 2000\\LabAol.exe", "-nCS User -u\"\"");

  HWND frame = drive::WaitForWindow("AOL Frame25", "CompuServe 2000", kWaitMs);
  ASSERT_NE(nullptr, frame);
  HWND signOn = drive::WaitForWindow("_AOL_Modal", nullptr, kWaitMs);
  ASSERT_NE(nullptr, signOn);
  std::vector<HWND> children = drive::WaitForDescendants(signOn, 3, kWaitMs);
  ASSERT_GE(children.size(), 3u);
  EXPECT_FALSE(IsWindowVisible(children[0]));
  EXPECT_EQ("Step ", drive::Text(children[1]).substr(0, 5));

  HWND client = drive::WaitForChildOfClass(frame, "MDIClient", kWaitMs);
  HWND welcome = nullptr;
  EXPECT_TRUE(drive::Eventually([&] {
    return (welcome = FindWindowExA(client, nullptr, "AOL Child", nullptr)) != nullptr;
  }, kWaitMs));
  char title[1024] = {};
  GetWindowTextA(welcome, title, sizeof(title));
  EXPECT_EQ("Welcome CS User! " + tail, title);
  EXPECT_EQ(255u, drive::Text(welcome).size());
  EXPECT_EQ("down", Link());
  EXPECT_FALSE(Logged("AOL link-up"));
  CloseClient(frame);
}

}  // namespace
