// The lab's Juno program driven as the Juno driver drives it: the welcome
// window's password field after "&Password:", "&World Wide Web", "Cance&l"
// while it dials and "Disc&onnect" once connected in the web view, the
// toolbar clicks, the error window, and leaving and closing with the
// confirmations the user's juno.ini asks for.
#include <windows.h>
#include <gtest/gtest.h>

#include "tests/lab/ClientProgramHarness.h"

namespace {

constexpr DWORD kWaitMs = 10000;
constexpr char kWelcome[] = "Welcome to Juno (Version 5.0)";

class JunoClientProgramTest : public ClientProgramTest {
 protected:
  void SetUp() override {
    ClientProgramTest::SetUp();
    juno_ = Install("Juno.exe", "Juno\\Program\\Juno.exe");
  }

  void WriteUserSettings(const char* webDisconnect, const char* exit) {
    std::string ini = InstallFolder() + "\\Juno\\USER0001";
    CreateDirectoryA(ini.c_str(), nullptr);
    ini += "\\juno.ini";
    WritePrivateProfileStringA("Options", "Confirm Web Disconnect", webDisconnect, ini.c_str());
    WritePrivateProfileStringA("Options", "Confirm Exit", exit, ini.c_str());
  }

  // The text of the child after "&Password:", then "&World Wide Web" pressed.
  std::string SignOn() {
    HWND welcome = drive::WaitForWindow(nullptr, kWelcome, kWaitMs);
    EXPECT_NE(nullptr, welcome);
    std::vector<HWND> children = drive::WaitForDescendants(welcome, 4, kWaitMs);
    std::string password = "(no field)";
    for (size_t i = 0; i + 1 < children.size(); ++i) {
      if (drive::Text(children[i]) == "&Password:") password = drive::Text(children[i + 1]);
    }
    HWND web = drive::FindChild(welcome, "&World Wide Web");
    EXPECT_NE(nullptr, web);
    drive::PressSpace(web);
    return password;
  }

  HWND WebView(HWND main) {
    HWND mail = FindWindowExA(main, nullptr, nullptr, "FREEMAILVIEW");
    return mail == nullptr ? nullptr : FindWindowExA(mail, nullptr, nullptr, "WebView");
  }

  // WM_CLOSE to the main window, "&Yes" in "Confirm Exit", and the end.
  void CloseConfirmed(HWND main) {
    PostMessageA(main, WM_CLOSE, 0, 0);
    HWND confirm = drive::WaitForWindow(nullptr, "Confirm Exit", kWaitMs);
    ASSERT_NE(nullptr, confirm);
    EXPECT_FALSE(IsWindowEnabled(main));
    drive::PressSpace(drive::WaitForChild(confirm, "&Yes", kWaitMs));
  }

  std::string juno_;
};

TEST_F(JunoClientProgramTest, ConnectsLogsTheToolbarAndAsksAsJunoIniSays) {
  WriteUserSettings("FALSE", "TRUE");
  Start(juno_);
  HWND main = drive::WaitForWindow("JunoMainWndXQW21", nullptr, kWaitMs);
  ASSERT_NE(nullptr, main);
  EXPECT_EQ("secret", SignOn());
  HWND view = WebView(main);
  ASSERT_NE(nullptr, view);
  EXPECT_NE(nullptr, drive::WaitForChild(view, "Cance&l", kWaitMs));
  HWND disconnect = drive::WaitForChild(view, "Disc&onnect", kWaitMs);
  ASSERT_NE(nullptr, disconnect);
  EXPECT_EQ(nullptr, drive::FindChild(view, "Cance&l"));
  EXPECT_EQ("up", Link());

  HWND toolbar = FindWindowExA(view, nullptr, "ToolbarWindow32", nullptr);
  ASSERT_NE(nullptr, toolbar);
  drive::Click(toolbar, 153, 20);
  drive::Click(toolbar, 120, 20);
  ShowWindow(main, SW_MINIMIZE);
  // Leaving the web asks nothing: juno.ini says FALSE.
  drive::PressSpace(disconnect);
  EXPECT_TRUE(drive::Eventually([] { return Link() == "down"; }, kWaitMs));
  EXPECT_EQ(nullptr, FindWindowA(nullptr, "Confirm Web Disconnect"));
  CloseConfirmed(main);
  EXPECT_TRUE(WaitForExit(kWaitMs));

  for (const char* line :
       {"Juno read USER0001\\juno.ini Options Confirm Web Disconnect=FALSE",
        "Juno read USER0001\\juno.ini Options Confirm Exit=TRUE", "Juno dial 1 connect",
        "Juno key down VK_SPACE Button \"&World Wide Web\"", "Juno link-up mtu=",
        "Juno mouse up 153,20 ToolbarWindow32", "Juno minimised JunoMainWndXQW21",
        "Juno click \"Disc&onnect\"", "Juno link-down", "Juno close JunoMainWndXQW21",
        "Juno click \"&Yes\"", "Juno exit"}) {
    EXPECT_TRUE(Logged(line)) << line;
  }
  EXPECT_LT(LogIndex("Juno toolbar \"Home\""), LogIndex("Juno toolbar \"Refresh\""));
}

TEST_F(JunoClientProgramTest, FailedDialNoCancelEmptyPasswordAndSlowClose) {
  // No juno.ini: Juno asks before leaving the web and before closing.
  WriteScenario("[Juno]\r\nOutcomes=fail,nocancel\r\nPassword=\r\nCloseMs=20000\r\n");
  Start(juno_);
  HWND main = drive::WaitForWindow("JunoMainWndXQW21", nullptr, kWaitMs);
  ASSERT_NE(nullptr, main);
  EXPECT_EQ("", SignOn());
  HWND error = drive::WaitForWindow(nullptr, "Juno Web", kWaitMs);
  ASSERT_NE(nullptr, error);
  EXPECT_EQ(nullptr, drive::FindChild(WebView(main), "Disc&onnect"));
  EXPECT_EQ("down", Link());
  drive::PressSpace(drive::WaitForChild(error, "OK", kWaitMs));
  EXPECT_TRUE(drive::WaitForNoWindow(nullptr, "Juno Web", kWaitMs));
  CloseConfirmed(main);
  // Closing takes a while: the main window stays meanwhile.
  EXPECT_TRUE(WaitForLog("Juno closing slowly", kWaitMs));
  EXPECT_FALSE(WaitForExit(500));
  EXPECT_NE(nullptr, FindWindowA("JunoMainWndXQW21", nullptr));
  EXPECT_TRUE(WaitForExit(kWaitMs));

  Start(juno_);  // nocancel: connected without "Cance&l" ever shown
  main = drive::WaitForWindow("JunoMainWndXQW21", nullptr, kWaitMs);
  ASSERT_NE(nullptr, main);
  SignOn();
  HWND view = WebView(main);
  bool cancelSeen = false;
  HWND disconnect = nullptr;
  EXPECT_TRUE(drive::Eventually([&] {
    cancelSeen = cancelSeen || drive::FindChild(view, "Cance&l") != nullptr;
    return (disconnect = drive::FindChild(view, "Disc&onnect")) != nullptr;
  }, kWaitMs));
  EXPECT_FALSE(cancelSeen);
  drive::PressSpace(disconnect);
  HWND confirm = drive::WaitForWindow(nullptr, "Confirm Web Disconnect", kWaitMs);
  ASSERT_NE(nullptr, confirm);
  EXPECT_EQ("up", Link());
  drive::PressSpace(drive::WaitForChild(confirm, "&Yes", kWaitMs));
  EXPECT_TRUE(drive::Eventually([] { return Link() == "down"; }, kWaitMs));
  CloseConfirmed(main);
  EXPECT_TRUE(WaitForExit(kWaitMs));
  EXPECT_TRUE(Logged("Juno read USER0001\\juno.ini Options Confirm Exit=TRUE"));
  EXPECT_EQ(1, CountLogged("Juno link-up"));
}

}  // namespace
