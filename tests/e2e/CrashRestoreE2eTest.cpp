// Velotune.exe killed with TerminateProcess at many points of an Auto
// Tune-Up in the lab, and started again: every time, the user's TCP/IP
// values end byte for byte as they were before the first start, the mark is
// gone, the user heard about the restore exactly when test values had been
// left behind, and no link to the ISP is left up. The same for a one-click
// dial from the notification area, before and after it connected.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "framework/RegKey.h"
#include "settings/AolSettings.h"
#include "settings/SettingsStore.h"
#include "settings/portable/OsFamily.h"
#include "tests/e2e/LabTuneUpTest.h"
#include "tests/e2e/VelotuneRun.h"
#include "tests/e2e/WineTray.h"
#include "tests/support/LabClient.h"
#include "tests/support/NetworkLayouts.h"

namespace {

const char kBestKey[] =
    "SOFTWARE\\Orvalis\\Velotune\\Best Settings\\Windows Dial-Up Networking\\Lab ISP";
const char kRestoredWords[] = "have been put back";
const DWORD kStartWait = 30000;
const DWORD kPointWait = 120000;

// A moment of the tune-up, told from outside: by the lab's link counters,
// the program key and the windows.
struct KillPoint {
  const char* name;
  std::function<bool()> reached;
  DWORD afterMs;  // how long to wait once reached, to land inside a timed wait
  bool failTests = false;  // every image of the tests fails (not the data collection's)
};

const char kAolFrame[] = "AOL Frame25";
const char kAolAppDefaults[] = "Software\\Wine\\AppDefaults\\LabAol.exe";

int Ups() { return lab::StatusNumber("ups"); }

// A text under HKEY_CURRENT_USER, stored with its terminating zero as Wine's own settings are.
void SetUserText(const std::string& path, const char* name, const std::string& text) {
  RegKey key;
  if (key.Create(HKEY_CURRENT_USER, path) != ERROR_SUCCESS) return;
  RegSetValueExA(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>(text.size() + 1));
}

// The lab's America Online client in a folder of its own, as its installer
// and the configuration wizard leave it: the AOL adapter (the user's MTU
// 576) and the client's own values, its path and screen name in the
// program's key, and a scenario that signs on at the first dial.
class LabAolInstall {
 public:
  explicit LabAolInstall(const std::string& folder)
      : scenario_(folder + "\\clients.ini"), scenarioName_("VELOTUNE_LAB_CLIENTS", scenario_.c_str()) {
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string client = folder + "\\LabAol.exe";
    CopyFileA((e2e::TestFolder() + "\\LabAol.exe").c_str(), client.c_str(), FALSE);
    std::ofstream(scenario_, std::ios::binary | std::ios::trunc)
        << "[Lab]\r\nLog=" << folder << "\\clients.log\r\n[AOL]\r\nOutcomes=connect\r\n";
    // Wine tells the client it runs on Windows 98 and draws its windows itself.
    SetUserText(kAolAppDefaults, "Version", "win98");
    SetUserText(std::string(kAolAppDefaults) + "\\X11 Driver", "Managed", "N");

    netlayout::AolAdapter adapter;
    netlayout::LayOut(adapter);
    testreg::WriteDword(netlayout::AolDeviceKey(adapter), "mtu", 576);
    netlayout::LayOutAolClient("aolsock", 1500, "user's");
    EXPECT_EQ(0, CSettingsStore(kOsWindows98).SetProviderKind(2));
    CAolSettings settings(kOsWindows98);
    EXPECT_EQ(0, settings.SetProgramPath(client));
    EXPECT_EQ(0, settings.SetDefaultScreenName("Velo Tester"));
  }
  ~LabAolInstall() { DeleteKeyTree(HKEY_CURRENT_USER, kAolAppDefaults); }

  // The MTU in the client's own key; 0 when it has none.
  static DWORD ClientMtu() {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!testreg::ReadRaw(netlayout::AolClientKey("aolsock"), "mtu", type, data) ||
        data.size() != sizeof(DWORD)) {
      return 0;
    }
    return *reinterpret_cast<const DWORD*>(data.data());
  }

  // Closes the client's frame as its user would; true once it has gone.
  static bool Close(DWORD timeoutMs) {
    HWND frame = FindWindowA(kAolFrame, nullptr);
    if (frame != nullptr) PostMessageA(frame, WM_CLOSE, 0, 0);
    const DWORD start = GetTickCount();
    while (FindWindowA(kAolFrame, nullptr) != nullptr) {
      if (GetTickCount() - start > timeoutMs) return false;
      Sleep(20);
    }
    return true;
  }

 private:
  std::string scenario_;
  ScopedEnvironment scenarioName_;
};
int Downs() { return lab::StatusNumber("downs"); }

class CrashRestoreE2eTest : public LabTuneUpTest {
 protected:
  CrashRestoreE2eTest() : LabTuneUpTest("crash-restore") {}

  std::string Boxes() const {
    std::ifstream file(boxes_);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
  }

  // Kills the program at the point, starts it again and checks what it left.
  void KillAt(const KillPoint& point, const RegistryValueMap& userValues) {
    SCOPED_TRACE(point.name);
    lab::MustControl("reset");
    ASSERT_TRUE(program_.Start());
    HWND main = program_.WaitForMain(kStartWait);
    ASSERT_NE(nullptr, main);
    ASSERT_TRUE(StartAutoTuneUp(main));
    if (point.failTests) {
      ASSERT_TRUE(WaitFor(MarkSet, kPointWait));
      lab::MustControl("fail-images?count=1000");
    }
    ASSERT_TRUE(WaitFor(point.reached, kPointWait)) << "never reached";
    Sleep(point.afterMs);
    KillAndRestart(point.name, userValues, false);
  }

  // Ends the program with TerminateProcess; true when it left the mark.
  bool KillNow() {
    const bool markLeft = MarkSet();
    program_.Kill();
    lab::MustControl("fail-images?count=0");
    DeleteFileA(boxes_.c_str());
    return markLeft;
  }

  // Starts the program again (in the notification area when `inTray`): the
  // user's values are back byte for byte, the mark is gone, the user was
  // told exactly when test values had been left, and no link to the ISP is up.
  void RestartAndCheck(const char* name, bool markLeft, const RegistryValueMap& userValues,
                       bool inTray) {
    // The next start restores before its window appears.
    if (inTray) {
      ASSERT_NE(nullptr, StartInTray());
    } else {
      ASSERT_TRUE(program_.Start());
      ASSERT_NE(nullptr, program_.WaitForMain(kStartWait));
    }
    const std::string boxes = Boxes();
    EXPECT_EQ(markLeft, boxes.find(kRestoredWords) != std::string::npos) << boxes;
    EXPECT_EQ(std::string::npos, boxes.find("could not")) << boxes;
    EXPECT_FALSE(MarkSet());
    const RegistryValueMap after = UserState();
    EXPECT_TRUE(userValues == after) << DescribeDifferences(userValues, after);
    EXPECT_TRUE(WaitFor([] { return !LinkUp(); }, 5000)) << "the ISP link stayed up";
    ASSERT_TRUE(program_.Close(kStartWait));
    std::printf("[ killed ] %s (test values left: %s)\n", name, markLeft ? "yes" : "no");
  }

  void KillAndRestart(const char* name, const RegistryValueMap& userValues, bool inTray) {
    const bool markLeft = KillNow();
    RestartAndCheck(name, markLeft, userValues, inTray);
  }

  std::string boxes_ = TestFolder() + "\\crash-restore-boxes.txt";
  ScopedEnvironment boxLog_{"VELOTUNE_MESSAGEBOX_LOG", boxes_.c_str()};
};

TEST_F(CrashRestoreE2eTest, KilledAnywhereInATuneUpTheNextStartPutsTheUsersValuesBack) {
  const RegistryValueMap userValues = UserState();
  // The connection of the data collection is the first link; each test's is
  // another. At time scale 0.1 a test's link is up 450 ms before the tune-up
  // hears of it, which then waits 200 ms and 300 ms before it measures.
  auto requestsAtLinkUp = std::make_shared<int>(-1);
  const std::vector<KillPoint> points = {
      {"while dialing for the data collection", [] { return !LinkUp() && Ups() == 0; }, 200},
      {"mid-fetch of the data collection",
       [] { return LinkUp() && lab::StatusNumber("requests") > 0; }, 0},
      {"while dialing with the first test value",
       [] { return MarkSet() && Ups() == 1 && !LinkUp(); }, 100},
      {"connected, before the tune-up hears of it", [] { return Ups() == 2 && LinkUp(); }, 0},
      {"in the wait before measuring", [] { return Ups() == 2 && LinkUp(); }, 550},
      {"in the 3 s wait", [] { return Ups() == 2 && LinkUp(); }, 800},
      {"mid-fetch of a test",
       [requestsAtLinkUp] {
         if (Ups() != 2 || !LinkUp()) return false;
         const int requests = lab::StatusNumber("requests");
         if (*requestsAtLinkUp < 0) *requestsAtLinkUp = requests;
         return requests > *requestsAtLinkUp;
       },
       0},
      {"between two tests", [] { return Downs() == 2 && Ups() == 2; }, 0},
      {"right after the best MTU was written",
       [] { return testreg::ValueExists(kBestKey, "14"); }, 0},
      {"during the resume countdown",
       [] { return FindWindowA("#32770", "  Tune-Up Error") != nullptr; }, 0, true},
  };
  for (const KillPoint& point : points) KillAt(point, userValues);
}

TEST_F(CrashRestoreE2eTest, KilledDuringATrayDialTheNextStartPutsTheUsersValuesBack) {
  PrepareTrayDial();
  const RegistryValueMap userValues = UserState();
  auto bestValuesIn = [&userValues] { return !(UserState() == userValues); };

  // Dialing: the best values are in the registry and the mark is set.
  lab::MustControl("reset");
  HWND icon = StartInTray();
  ASSERT_NE(nullptr, icon);
  e2e::LeftClickTrayIcon(icon);
  ASSERT_TRUE(WaitFor([&] { return bestValuesIn() && !LinkUp(); }, kPointWait));
  EXPECT_TRUE(MarkSet()) << "best values written without the mark";
  KillAndRestart("a tray dial, before \"Connected\"", userValues, true);
  EXPECT_EQ(0, Ups()) << "the link came up before the kill";

  // Connected: the user's values came back with "Connected"; the link is up
  // until the program ends. The restarted copy, in the tray, dials again.
  lab::MustControl("reset");
  icon = StartInTray();
  ASSERT_NE(nullptr, icon);
  ASSERT_TRUE(TrayDial(icon));
  KillAndRestart("a tray dial, after \"Connected\"", userValues, true);
}

}  // namespace

TEST_F(CrashRestoreE2eTest, KilledWhileAnAmericaOnlineTrayDialIsTunedTheNextStartPutsItAllBack) {
  LabAolInstall aol(TestFolder() + "\\crash-restore-aol");
  PrepareTrayDial();
  const RegistryValueMap userValues = UserState();

  // Signed on: the engine has written the best MTU into the client's and
  // the adapter's values, which stay so while the client is connected.
  lab::MustControl("reset");
  HWND icon = StartInTray();
  ASSERT_NE(nullptr, icon);
  e2e::LeftClickTrayIcon(icon);
  ASSERT_TRUE(WaitFor([] { return LabAolInstall::ClientMtu() == kTrayBestMtu && LinkUp(); },
                      kPointWait));
  const bool markLeft = KillNow();
  EXPECT_TRUE(markLeft);
  // The client stays signed on until its user closes it.
  ASSERT_TRUE(LabAolInstall::Close(kStartWait));
  RestartAndCheck("an America Online tray dial, tuned and signed on", markLeft, userValues, true);
}
