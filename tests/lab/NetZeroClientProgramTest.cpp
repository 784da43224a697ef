// The lab's NetZero dialer driven as the NetZero driver drives it: Connect
// clicked at (232, 14) on the connect dialog's untitled canvases, the NZTV
// dialog, the error dialogs dismissed with the space bar on their nested
// "OK", the connected windows and "Dis&connect", the link and the log.
#include <windows.h>
#include <gtest/gtest.h>

#include <fstream>

#include "tests/lab/ClientProgramHarness.h"

namespace {

constexpr DWORD kWaitMs = 10000;
constexpr char kJpegContents[] = "Velotune lab jpeg.dll";

class NetZeroClientProgramTest : public ClientProgramTest {
 protected:
  void SetUp() override {
    ClientProgramTest::SetUp();
    dialer_ = Install("nzStart.exe", "NetZero\\nzStart.exe");
    folder_ = dialer_.substr(0, dialer_.size() - 11);
  }

  void PlaceJpegLibrary() {
    CreateDirectoryA((folder_ + "bin").c_str(), nullptr);
    std::ofstream(folder_ + "bin\\jpeg.dll", std::ios::binary) << kJpegContents << "\r\n";
  }

  // Clicks every untitled canvas of the connect dialog's first child.
  void ClickConnect() {
    HWND dialog = drive::WaitForWindow("AwtDialog", "NetZero v4.0", kWaitMs);
    ASSERT_NE(nullptr, dialog);
    std::vector<HWND> canvases;
    ASSERT_TRUE(drive::Eventually([&] {
      HWND first = GetWindow(dialog, GW_CHILD);
      canvases.clear();
      for (HWND child : drive::Descendants(first)) {
        if (drive::ClassOf(child) == "AwtCanvas" && drive::Text(child).empty()) {
          canvases.push_back(child);
        }
      }
      return canvases.size() == 2;
    }, kWaitMs));
    for (HWND canvas : canvases) drive::Click(canvas, 232, 14);
    ASSERT_TRUE(drive::WaitForNoWindow("AwtDialog", "NetZero v4.0", kWaitMs));
  }

  // Waits for the error dialog and presses the "OK" nested in its child.
  void DismissError(const char* title) {
    HWND dialog = drive::WaitForWindow("AwtDialog", title, kWaitMs);
    ASSERT_NE(nullptr, dialog) << title;
    HWND ok = drive::WaitForChild(dialog, "OK", kWaitMs);
    ASSERT_NE(nullptr, ok) << title;
    EXPECT_NE(dialog, GetParent(ok)) << "the button sits in a child of the dialog";
    drive::PressSpace(ok);
    ASSERT_TRUE(drive::WaitForNoWindow("AwtDialog", title, kWaitMs)) << title;
  }

  void ExpectNztv() {
    EXPECT_NE(nullptr, drive::WaitForWindow("AwtDialog", "NZTV - NetZero TV", kWaitMs));
  }

  std::string dialer_;
  std::string folder_;
};

TEST_F(NetZeroClientProgramTest, EachErrorOnceThenConnectsAndDisconnects) {
  PlaceJpegLibrary();
  WriteScenario("[NetZero]\r\nOutcomes=failure,terminating,problem,connectwnd,connect\r\n");

  Start(dialer_, "", folder_.substr(0, folder_.size() - 1));
  ClickConnect();
  ExpectNztv();
  DismissError("Connection Failure");
  EXPECT_TRUE(WaitForExit(kWaitMs)) << "a connection failure ends the dialer";

  Start(dialer_, "", folder_.substr(0, folder_.size() - 1));
  ClickConnect();
  DismissError("The ZeroPort is terminating!");
  ClickConnect();  // the connect dialog is back
  DismissError("Connection problem");
  DismissError("Connection Failure");
  EXPECT_TRUE(WaitForExit(kWaitMs));
  EXPECT_EQ("down", Link());

  Start(dialer_, "", folder_.substr(0, folder_.size() - 1));
  ClickConnect();
  ClickConnect();  // connectwnd: the connect dialog again after the NZTV one
  HWND status = drive::WaitForWindow("AwtFrame", nullptr, kWaitMs);
  ASSERT_NE(nullptr, status);
  EXPECT_EQ("Connected To NetZero", drive::Text(status));
  EXPECT_NE(nullptr, FindWindowA("AwtWindow", nullptr));
  EXPECT_EQ(nullptr, FindWindowA("AwtDialog", nullptr));
  EXPECT_EQ(nullptr, FindWindowA("nzWindowClass", nullptr));
  EXPECT_EQ("up", Link());
  HWND disconnect = drive::WaitForChild(status, "Dis&connect", kWaitMs);
  ASSERT_NE(nullptr, disconnect);
  drive::PressSpace(disconnect);
  EXPECT_TRUE(drive::WaitForNoWindow("AwtWindow", nullptr, kWaitMs));
  EXPECT_TRUE(WaitForExit(kWaitMs));
  EXPECT_EQ("down", Link());

  for (const char* line :
       {"NetZero read bin\\jpeg.dll \"Velotune lab jpeg.dll\"", "NetZero dial 1 failure",
        "NetZero dial 2 terminating", "NetZero dial 3 problem", "NetZero dial 4 connectwnd",
        "NetZero dial 5 connect", "NetZero key down VK_SPACE Button \"OK\"",
        "NetZero key up VK_SPACE Button \"OK\"", "NetZero click \"Dis&connect\"",
        "NetZero link-up mtu=", "NetZero link-down"}) {
    EXPECT_TRUE(Logged(line)) << line;
  }
  // Both canvases were clicked each time; only the button bar's Connect dials.
  EXPECT_EQ(10, CountLogged("NetZero mouse up 232,14 AwtCanvas \"\""));
  EXPECT_EQ(4, CountLogged("NetZero click \"OK\""));
  EXPECT_EQ(1, CountLogged("NetZero link-up"));
}

TEST_F(NetZeroClientProgramTest, EarlyErrorNzWindowAndLingeringWindows) {
  WriteScenario(
      "[NetZero]\r\nOutcomes=earlyerror\r\nConnectedWindow=nz\r\nLingerMs=10000\r\n"
      "ErrorMs=3000\r\n");
  Start(dialer_, "", folder_.substr(0, folder_.size() - 1));
  ClickConnect();
  // An error dialog that comes and goes before the NZTV dialog.
  EXPECT_NE(nullptr, drive::WaitForWindow("AwtDialog", "Connection problem", kWaitMs));
  ExpectNztv();
  EXPECT_EQ(nullptr, FindWindowA("AwtDialog", "Connection problem"));
  HWND status = drive::WaitForWindow("nzWindowClass", "Connected To NetZero", kWaitMs);
  ASSERT_NE(nullptr, status);
  EXPECT_EQ("up", Link());
  drive::PressSpace(drive::WaitForChild(status, "Dis&connect", kWaitMs));
  EXPECT_TRUE(drive::Eventually([] { return Link() == "down"; }, kWaitMs));
  // The windows stay a while after the link is down, then the dialer ends.
  EXPECT_NE(nullptr, FindWindowA("AwtWindow", nullptr));
  EXPECT_TRUE(WaitForExit(kWaitMs));
  EXPECT_EQ(nullptr, FindWindowA("AwtWindow", nullptr));
  EXPECT_TRUE(Logged("NetZero read bin\\jpeg.dll absent"));
}

TEST_F(NetZeroClientProgramTest, WithoutConnectDialogTheDialerShowsNothingAndEnds) {
  WriteScenario("[NetZero]\r\nConnectDialog=0\r\nQuitMs=30000\r\n");
  Start(dialer_, "", folder_.substr(0, folder_.size() - 1));
  EXPECT_FALSE(WaitForExit(1000));
  EXPECT_EQ(nullptr, FindWindowA("AwtDialog", nullptr));
  EXPECT_TRUE(WaitForExit(kWaitMs));
  EXPECT_FALSE(Logged("NetZero dial"));
}

}  // namespace
