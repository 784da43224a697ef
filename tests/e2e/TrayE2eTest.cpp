// Velotune.exe in Wine's notification area: the icon's life with the
// "ShowVTDialer" option, the gradient menu (its look, keyboard and
// commands), one-click dials of the lab's connections with the tuned values
// only for the connection, their failures and redials, a click while a
// tune-up dials, the "Dial To" entries, and wrong settings and a notification
// area that refuses the icon. Clicks reach the
// program as a user's would: button messages on the icon's window in Wine's
// "Wine System Tray" window, which the tray turns into the icon's callback.
//
// Wine maps an activated popup as a window for the window manager, and on a
// display without one it then waits two seconds for each such window to be
// withdrawn; the program runs unmanaged here ("Managed" = "N"), so that a
// menu closes at once, as it does on Windows.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "framework/RegKey.h"
#include "res/resource.h"
#include "settings/DialUpProfile.h"
#include "settings/SettingsStore.h"
#include "settings/portable/OsFamily.h"
#include "tests/e2e/BrowserStandIn.h"
#include "tests/e2e/VelotuneRun.h"
#include "tests/e2e/WindowDriver.h"
#include "tests/e2e/WineTray.h"
#include "tests/support/AutoRecord.h"
#include "tests/support/LabClient.h"
#include "tests/support/LabPhonebookFile.h"
#include "tests/support/NetworkLayouts.h"
#include "tests/support/RegistryFixture.h"
#include "tests/support/RegistrySnapshot.h"
#include "tests/support/ScopedEnvironment.h"

namespace {

using e2e::TestFolder;
using e2e::TrayIcons;
using e2e::VelotuneRun;

const char kProfileKey[] = "SOFTWARE\\Orvalis\\Velotune\\DialUp Profile";
const char kOptionsKey[] = "SOFTWARE\\Orvalis\\Velotune\\Options";
const char kBackupKey[] = "SOFTWARE\\Orvalis\\Velotune\\Backup Registry";
const char kAppDefaults[] = "Software\\Wine\\AppDefaults\\Velotune.exe";
const char kX11Defaults[] = "Software\\Wine\\AppDefaults\\Velotune.exe\\X11 Driver";
const DWORD kWait = 30000;

// The lab's connections: each reports a speed of its own, which tells the
// test which one was dialled.
const char kPhonebook[] =
    "[Lab ISP]\nLogin=velotune\nPassword=tuneup\nSpeed=48000\nStepMs=1500\n"
    "[Second ISP]\nLogin=velotune\nPassword=tuneup\nSpeed=33600\nStepMs=1500\nDevice=Second Modem\n"
    "[Slow ISP]\nLogin=velotune\nPassword=tuneup\nSpeed=28800\nStepMs=30000\nDevice=Third Modem\n"
    "[Dead Line]\nOutcome=nodialtone\nStepMs=500\nDevice=Fourth Modem\n"
    "[Cancelled Dial]\nOutcome=cancel\nStepMs=500\nDevice=Fifth Modem\n"
    "[Busy ISP]\nLogin=velotune\nPassword=tuneup\nBusy=2\nSpeed=31200\nStepMs=1500\n"
    "Device=Sixth Modem\n"
    "[Flaky ISP]\nLogin=velotune\nPassword=tuneup\nDropAfter=20\nDrops=1\nSpeed=26400\n"
    "StepMs=1500\nDevice=Seventh Modem\n";
const char kEntries[][16] = {"Lab ISP",        "Second ISP", "Slow ISP", "Dead Line",
                             "Cancelled Dial", "Busy ISP",   "Flaky ISP"};
const char kCountdownCaption[] = "  Connection Error";
const char kTuneUpOwnsLineText[] =
    "One click dial has been disabled because tune-up in is progress";

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = kWait) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(20);
  }
  return true;
}

// --- Wine's tray ------------------------------------------------------------------------

HWND TrayWindow() { return FindWindowA(nullptr, "Wine System Tray"); }

bool HasIcon(HWND icon) {
  const std::vector<HWND> icons = TrayIcons();
  return std::find(icons.begin(), icons.end(), icon) != icons.end();
}

// The icon that is in the tray now and was not among `known`.
HWND WaitForNewIcon(const std::vector<HWND>& known) { return e2e::WaitForNewTrayIcon(known, kWait); }

void Press(HWND icon, UINT down, UINT up) {
  PostMessageA(icon, down, down == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageA(icon, up, 0, MAKELPARAM(4, 4));
}
void LeftClick(HWND icon) { e2e::LeftClickTrayIcon(icon); }
void RightClick(HWND icon) { Press(icon, WM_RBUTTONDOWN, WM_RBUTTONUP); }

// --- The program's windows ------------------------------------------------------------------

// A visible top-level window of the process with the class (and title, when given).
HWND FindProcessWindow(DWORD processId, const std::string& className, const std::string& title = "") {
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, className.c_str(), nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId && IsWindowVisible(window) && (title.empty() || e2e::Text(window) == title)) {
      return window;
    }
  }
  return nullptr;
}

HWND WaitForProcessWindow(DWORD processId, const std::string& className, const std::string& title = "",
                          DWORD timeoutMs = kWait) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindProcessWindow(processId, className, title)) != nullptr; }, timeoutMs);
  return found;
}

// How many times a dialog of the process with the title came up while
// waiting for `done`; -1 when `done` did not come in time.
int CountAppearances(DWORD processId, const std::string& title, const std::function<bool()>& done) {
  int count = 0;
  HWND shown = nullptr;
  const bool met = WaitUntil([&] {
    HWND now = FindProcessWindow(processId, "#32770", title);
    if (now != nullptr && now != shown) ++count;
    shown = now;
    return done();
  });
  return met ? count : -1;
}

// The gradient menus of the process, top level first.
std::vector<HWND> GradientMenus(DWORD processId) {
  std::vector<HWND> menus;
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, "BitmapMenu", nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId && IsWindowVisible(window)) menus.push_back(window);
  }
  std::reverse(menus.begin(), menus.end());
  return menus;
}

HWND OpenTrayMenu(DWORD processId, HWND icon) {
  RightClick(icon);
  return WaitForProcessWindow(processId, "BitmapMenu");
}

void Key(HWND window, WORD key) {
  PostMessageA(window, WM_KEYDOWN, key, 1);
  PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

// Chooses a tray-menu item by its mnemonic; true when the menu then closed.
bool ChooseFromTrayMenu(DWORD processId, HWND icon, WORD letter) {
  HWND menu = OpenTrayMenu(processId, icon);
  if (menu == nullptr) return false;
  Key(menu, letter);
  return e2e::WaitGone(menu, kWait);
}

int Red(COLORREF c) { return GetRValue(c); }
int Green(COLORREF c) { return GetGValue(c); }
int Blue(COLORREF c) { return GetBValue(c); }

bool Near(COLORREF a, COLORREF b) {
  return abs(Red(a) - Red(b)) < 40 && abs(Green(a) - Green(b)) < 40 && abs(Blue(a) - Blue(b)) < 40;
}

// The first item's text is the topmost ink right of the side bar and the
// check column: true when its first lines of pixels hold the grey of a
// greyed item and nothing in the menu's text colour.
bool FirstItemGreyed(HWND menu) {
  RECT client = {};
  GetClientRect(menu, &client);
  POINT origin = {0, 0};
  ClientToScreen(menu, &origin);
  const COLORREF ink = GetSysColor(COLOR_MENUTEXT);
  const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
  const int left = 24 + GetSystemMetrics(SM_CXMENUCHECK);
  const int right = std::min<int>(client.right, left + 60);
  int firstRow = -1;
  int inkPixels = 0;
  int greyPixels = 0;
  for (int y = 0; y < client.bottom && (firstRow < 0 || y < firstRow + 6); ++y) {
    for (int x = left; x < right; ++x) {
      const COLORREF pixel = e2e::ScreenPixel(origin.x + x, origin.y + y);
      const bool isInk = Near(pixel, ink);
      const bool isGrey = Near(pixel, grey);
      if ((isInk || isGrey) && firstRow < 0) firstRow = y;
      inkPixels += isInk && !isGrey;
      greyPixels += isGrey;
    }
  }
  return greyPixels > 3 && inkPixels == 0;
}

// A notification area that refuses every icon, as when none is running: a
// window of the shell tray's class, found before Wine's own, that answers
// no to each request.
class RefusingTray {
 public:
  RefusingTray() : ready_(CreateEventA(nullptr, TRUE, FALSE, nullptr)), thread_([this] { Run(); }) {
    WaitForSingleObject(ready_, kWait);
  }
  ~RefusingTray() {
    if (window_ != nullptr) PostMessageA(window_, WM_CLOSE, 0, 0);
    thread_.join();
    CloseHandle(ready_);
  }
  // True when the shell's search for the tray finds this one.
  bool InPlace() const {
    return window_ != nullptr && FindWindowA("Shell_TrayWnd", nullptr) == window_;
  }

 private:
  static LRESULT CALLBACK Refuse(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) return FALSE;
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
  }
  void Run() {
    WNDCLASSA type = {};
    type.lpfnWndProc = Refuse;
    type.hInstance = GetModuleHandleA(nullptr);
    type.lpszClassName = "Shell_TrayWnd";
    RegisterClassA(&type);
    window_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, type.lpszClassName, "", WS_POPUP,
                              0, 0, 0, 0, nullptr, nullptr, type.hInstance, nullptr);
    SetEvent(ready_);
    MSG message;
    while (window_ != nullptr && GetMessageA(&message, nullptr, 0, 0) > 0) {
      DispatchMessageA(&message);
    }
    UnregisterClassA(type.lpszClassName, type.hInstance);
  }

  HANDLE ready_;
  HWND window_ = nullptr;
  std::thread thread_;
};

class TrayE2eTest : public RegistryTest {
 protected:
  void SetUp() override {
    RegistryTest::SetUp();
    program_ = TestFolder() + "\\tray-e2e";
    CreateDirectoryA(program_.c_str(), nullptr);
    CopyFileA((TestFolder() + "\\..\\ui\\Velotune.exe").c_str(), (program_ + "\\Velotune.exe").c_str(), FALSE);
    CopyFileA((TestFolder() + "\\rasapi32.dll").c_str(), (program_ + "\\rasapi32.dll").c_str(), FALSE);
    boxes_ = program_ + "\\boxes.txt";
    DeleteFileA(boxes_.c_str());
    RegKey defaults;
    ASSERT_EQ(ERROR_SUCCESS, defaults.Create(HKEY_CURRENT_USER, kAppDefaults));
    RegSetValueExA(defaults.Get(), "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("win98"), 6);
    RegKey x11;
    ASSERT_EQ(ERROR_SUCCESS, x11.Create(HKEY_CURRENT_USER, kX11Defaults));
    RegSetValueExA(x11.Get(), "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
    netlayout::LayOut(netlayout::Windows9x{});
    lab::MustControl("link-down");
    lab::MustControl("reset");
  }
  void TearDown() override {
    lab::Control("link-down", answer_);
    RegKey defaults;
    if (defaults.Open(HKEY_CURRENT_USER, kAppDefaults) == ERROR_SUCCESS) defaults.DeleteValue("Version");
    DeleteKeyTree(HKEY_CURRENT_USER, kX11Defaults);
    RegistryTest::TearDown();
  }

  // The lab's configuration as the wizard writes it, the user's own values
  // and best values that differ from every one of them.
  void ConfigureLab(const std::string& defaultEntry) {
    CDialUpProfile profile(1, kOsWindows98);
    for (const char* entry : kEntries) {
      ASSERT_EQ(0, profile.SetLoginPassword(entry, "velotune", "tuneup"));
      ASSERT_EQ(0, profile.SetRedial(entry, 1));
    }
    // Two busy lines need two redials.
    ASSERT_EQ(0, profile.SetRedial("Busy ISP", 3));
    ASSERT_EQ(0, profile.SetDefaultProfile(defaultEntry));
    CSettingsStore store(kOsWindows98);
    ASSERT_EQ(0, store.SetProviderKind(1));
    testreg::WriteText(netlayout::kMstcpKey, "DefaultRcvWindow", "8192");
    testreg::WriteText(netlayout::kMstcpKey, "DefaultTTL", "32");
    testreg::WriteText(netlayout::NetTransKey(2), "MaxMTU", "1500");
    testreg::WriteText(netlayout::NetTransKey(2), "MaxMSS", "1460");
    StoreBest(defaultEntry);
    userValues_ = UserValues();
  }
  static void StoreBest(const std::string& entry) {
    CDialUpProfile(1, kOsWindows98).SetDefaultProfile(entry);
    CSettingsStore store(kOsWindows98);
    const int best[][2] = {{kParameterMtu, 1000}, {kParameterRwin, 5760}, {kParameterTtl, 128}};
    for (const auto& value : best) {
      ASSERT_EQ(0, store.StoreBest(testsupport::AutoRecord(value[0], value[1])));
    }
  }
  static RegistryValueMap UserValues() {
    RegistryValueMap all;
    for (const std::string& key : {std::string(netlayout::kMstcpKey), netlayout::NetTransKey(2),
                                   netlayout::NetIpMtuKey(3), std::string(netlayout::kCacheSizeKey)}) {
      for (auto& value : FlattenValues(key)) all[key + "|" + value.first] = value.second;
    }
    return all;
  }
  static void SetOption(const char* name, DWORD value) { testreg::WriteDword(kOptionsKey, name, value); }
  static DWORD Option(const char* name) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!testreg::ReadRaw(kOptionsKey, name, type, data) || data.size() != 4) return 0xFFFFFFFF;
    return *reinterpret_cast<DWORD*>(data.data());
  }

  // Starts a copy that lives in the tray: its icon, once start-up has
  // hidden its main window.
  HWND StartInTray(VelotuneRun& run, const std::vector<HWND>& knownIcons) {
    EXPECT_TRUE(run.Started());
    HWND icon = WaitForNewIcon(knownIcons);
    HWND main = run.WaitForMain(false);
    EXPECT_NE(nullptr, main);
    // Step 9's backup comes before step 10 hides the window.
    EXPECT_TRUE(WaitUntil([&] { return testreg::ValueExists(kBackupKey, "BackupStatus"); }));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }));
    return icon;
  }

  std::string Boxes() const {
    std::ifstream file(boxes_);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
  }
  // The tray's hang-up still waits a little after the line is down; a click
  // meanwhile is ignored, as the program is busy with the last one.
  static void AwaitHangUpEnd() { Sleep(1000); }
  static bool LinkUp() { return lab::StatusValue("link") == "up"; }
  // "E&xit" of the tray menu ends the program with the line down and the
  // user's values in place.
  void ExitLeavingNothingTuned(VelotuneRun& run, HWND icon) {
    ASSERT_TRUE(ChooseFromTrayMenu(run.ProcessId(), icon, 'X'));
    EXPECT_TRUE(run.WaitForExit());
    EXPECT_EQ("", DescribeDifferences(userValues_, UserValues()));
    EXPECT_FALSE(LinkUp());
  }
  // A click that hangs up the tray's connection: true once the line is down;
  // returns when the hang-up has ended.
  static bool HangUpWithClick(HWND icon) {
    LeftClick(icon);
    const bool down = WaitUntil([] { return !LinkUp(); });
    AwaitHangUpEnd();
    return down;
  }
  static int Lines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
  }

  std::string program_;
  std::string boxes_;
  std::string answer_;
  RegistryValueMap userValues_;
  ScopedEnvironment scale_{"VELOTUNE_TIME_SCALE", "0.1"};
  ScopedEnvironment boxLog_{"VELOTUNE_MESSAGEBOX_LOG", nullptr};
  std::unique_ptr<LabPhonebookFile> phonebook_ = LabPhonebookFile::FromText(kPhonebook);
};

TEST_F(TrayE2eTest, TheOptionPutsTheProgramInTheTrayWhereOnlyExitEndsIt) {
  ScopedEnvironment log("VELOTUNE_MESSAGEBOX_LOG", boxes_.c_str());
  e2e::BrowserStandIn browser(std::string(VELOTUNE_SOURCE_DIR) + "/tests/e2e/log-browser.sh");
  CreateDirectoryA((program_ + "\\help").c_str(), nullptr);
  CopyFileA((TestFolder() + "\\..\\ui\\help\\main.htm").c_str(),
            (program_ + "\\help\\main.htm").c_str(), FALSE);
  const std::vector<HWND> before = TrayIcons();
  {
    // Without the option the icon comes and goes during creation.
    VelotuneRun plain(program_);
    ASSERT_NE(nullptr, plain.WaitForMain(true));
    EXPECT_EQ(before.size(), TrayIcons().size());
    EXPECT_TRUE(plain.Close());
  }
  SetOption("ShowVTDialer", 1);
  VelotuneRun first(program_);
  HWND firstIcon = StartInTray(first, before);
  ASSERT_NE(nullptr, firstIcon);
  ASSERT_NE(nullptr, TrayWindow());

  // The gradient menu: a top-most tool window, dark at the top of its side
  // bar, light blue at the bottom, "Orvalis" in white at the bottom.
  HWND menu = OpenTrayMenu(first.ProcessId(), firstIcon);
  ASSERT_NE(nullptr, menu);
  const LONG_PTR exStyle = GetWindowLongPtrA(menu, GWL_EXSTYLE);
  EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
  EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
  Sleep(300);
  RECT client = {};
  GetClientRect(menu, &client);
  POINT origin = {0, 0};
  ClientToScreen(menu, &origin);
  RECT onScreen = {origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
  EXPECT_TRUE(e2e::SaveScreenArea(onScreen, program_ + "\\tray-menu.bmp"));
  const COLORREF top = e2e::ScreenPixel(origin.x + 20, origin.y);
  const COLORREF bottom = e2e::ScreenPixel(origin.x + 20, origin.y + client.bottom - 1);
  EXPECT_LT(Blue(top), 16);
  EXPECT_NEAR(128, Red(bottom), 2);
  EXPECT_NEAR(128, Green(bottom), 2);
  EXPECT_NEAR(255, Blue(bottom), 2);
  int previousBlue = -1;
  bool monotonic = true;
  for (int y = 0; y < client.bottom; y += 4) {
    const int blue = Blue(e2e::ScreenPixel(origin.x + 20, origin.y + y));
    monotonic = monotonic && blue >= previousBlue;
    previousBlue = blue;
  }
  EXPECT_TRUE(monotonic);
  int white = 0;
  for (int y = client.bottom - 60; y < client.bottom; ++y) {
    for (int x = 2; x < 18; ++x) {
      const COLORREF c = e2e::ScreenPixel(origin.x + x, origin.y + y);
      if (Red(c) > 200 && Green(c) > 200 && Blue(c) > 200) ++white;
    }
  }
  EXPECT_GT(white, 20) << "the side bar's title";
  // Nothing dials and the main window is hidden: "Show Main Program" is enabled.
  EXPECT_FALSE(FirstItemGreyed(menu));
  Key(menu, VK_ESCAPE);
  ASSERT_TRUE(e2e::WaitGone(menu, kWait));

  // With the cursor in the bottom-right corner the menu opens above and to
  // the left of it; Alt closes it.
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  SetCursorPos(width - 1, height - 1);
  menu = OpenTrayMenu(first.ProcessId(), firstIcon);
  ASSERT_NE(nullptr, menu);
  const RECT corner = e2e::Rect(menu);
  EXPECT_LE(corner.right, width);
  EXPECT_LE(corner.bottom, height);
  EXPECT_GE(corner.left, 0);
  EXPECT_GE(corner.top, 0);
  PostMessageA(menu, WM_SYSKEYDOWN, VK_MENU, 0x20000001);
  ASSERT_TRUE(e2e::WaitGone(menu, kWait));
  SetCursorPos(width / 2, height / 2);

  // "Show Main Program" (the first item, reached with Down) shows the
  // window; closing it then only hides it again.
  menu = OpenTrayMenu(first.ProcessId(), firstIcon);
  ASSERT_NE(nullptr, menu);
  Key(menu, VK_DOWN);
  Key(menu, VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(first.Main()) != FALSE; }));
  // Now "Show Main Program" carries the check mark.
  menu = OpenTrayMenu(first.ProcessId(), firstIcon);
  ASSERT_NE(nullptr, menu);
  Sleep(300);
  EXPECT_TRUE(e2e::SaveScreenArea(e2e::Rect(menu), program_ + "\\tray-menu-checked.bmp"));
  Key(menu, VK_ESCAPE);
  ASSERT_TRUE(e2e::WaitGone(menu, kWait));
  PostMessageA(first.Main(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(first.Main()); }));
  EXPECT_FALSE(first.WaitForExit(500));
  EXPECT_TRUE(HasIcon(firstIcon));

  // About, by its mnemonic, with the main window hidden.
  ASSERT_TRUE(ChooseFromTrayMenu(first.ProcessId(), firstIcon, 'A'));
  HWND about = WaitForProcessWindow(first.ProcessId(), "#32770", "About Velotune");
  ASSERT_NE(nullptr, about);
  e2e::Click(e2e::FindChild(about, IDOK));
  EXPECT_TRUE(e2e::WaitGone(about, kWait));

  // Options, the third item, with the main window hidden.
  menu = OpenTrayMenu(first.ProcessId(), firstIcon);
  ASSERT_NE(nullptr, menu);
  Key(menu, VK_DOWN);
  Key(menu, VK_DOWN);
  Key(menu, VK_DOWN);
  Key(menu, VK_RETURN);
  HWND options = WaitForProcessWindow(first.ProcessId(), "#32770", "Options");
  ASSERT_NE(nullptr, options);
  e2e::Click(e2e::FindChild(options, IDCANCEL));
  EXPECT_TRUE(e2e::WaitGone(options, kWait));
  EXPECT_FALSE(IsWindowVisible(first.Main()));

  // The configuration wizard, the second item, with the main window hidden.
  menu = OpenTrayMenu(first.ProcessId(), firstIcon);
  ASSERT_NE(nullptr, menu);
  Key(menu, VK_DOWN);
  Key(menu, VK_DOWN);
  Key(menu, VK_RETURN);
  HWND wizard = WaitForProcessWindow(first.ProcessId(), "#32770", "Configuration Wizard");
  ASSERT_NE(nullptr, wizard);
  e2e::Click(e2e::FindChild(wizard, IDCANCEL));
  EXPECT_TRUE(e2e::WaitGone(wizard, kWait));
  EXPECT_FALSE(IsWindowVisible(first.Main()));

  // Online Help opens the program's help page in the browser.
  ASSERT_TRUE(ChooseFromTrayMenu(first.ProcessId(), firstIcon, 'H'));
  EXPECT_TRUE(browser.WaitForLogged("tray-e2e/help/main.htm", kWait)) << browser.Logged();
  EXPECT_EQ("", Boxes());

  // A second copy has an icon of its own; its "E&xit" leaves the first.
  std::vector<HWND> withFirst = before;
  withFirst.push_back(firstIcon);
  VelotuneRun second(program_);
  HWND secondIcon = StartInTray(second, withFirst);
  ASSERT_NE(nullptr, secondIcon);
  ASSERT_NE(firstIcon, secondIcon);
  ASSERT_TRUE(ChooseFromTrayMenu(second.ProcessId(), secondIcon, 'X'));
  EXPECT_TRUE(second.WaitForExit());
  EXPECT_TRUE(WaitUntil([&] { return !HasIcon(secondIcon); }));
  EXPECT_TRUE(HasIcon(firstIcon));
  EXPECT_FALSE(first.WaitForExit(200));

  // Many menus leave no window behind.
  for (int i = 0; i < 50; ++i) {
    menu = OpenTrayMenu(first.ProcessId(), firstIcon);
    ASSERT_NE(nullptr, menu);
    Key(menu, VK_ESCAPE);
    ASSERT_TRUE(e2e::WaitGone(menu, kWait));
  }
  EXPECT_TRUE(GradientMenus(first.ProcessId()).empty());

  ASSERT_TRUE(ChooseFromTrayMenu(first.ProcessId(), firstIcon, 'X'));
  EXPECT_TRUE(first.WaitForExit());
  EXPECT_TRUE(WaitUntil([&] { return !HasIcon(firstIcon); }));
}

TEST_F(TrayE2eTest, OneClickDialsWithTheBestValuesAndPutsTheUsersBack) {
  ScopedEnvironment log("VELOTUNE_MESSAGEBOX_LOG", boxes_.c_str());
  ConfigureLab("Lab ISP");
  SetOption("ShowVTDialer", 1);
  VelotuneRun run(program_);
  HWND icon = StartInTray(run, TrayIcons());
  ASSERT_NE(nullptr, icon);
  const DWORD process = run.ProcessId();

  // A click with "SingleClickDial" missing: the value becomes 1 and the
  // default connection is dialled with the best values.
  ASSERT_EQ(0xFFFFFFFFu, Option("SingleClickDial"));
  LeftClick(icon);
  EXPECT_NE(nullptr, WaitForProcessWindow(process, "#32770", "Dialing to Lab ISP"));
  HWND dialog = WaitForProcessWindow(process, "#32770", "Connected to Lab ISP");
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ(1u, Option("SingleClickDial"));
  EXPECT_TRUE(LinkUp());
  EXPECT_EQ(1000, lab::StatusNumber("mtu"));
  EXPECT_EQ(5760, lab::StatusNumber("rwin"));
  EXPECT_EQ(128, lab::StatusNumber("ttl"));
  EXPECT_EQ(48000, lab::StatusNumber("speed"));
  // The dialog closes itself; the user's values are back byte for byte.
  EXPECT_TRUE(e2e::WaitGone(dialog, kWait));
  EXPECT_EQ("", DescribeDifferences(userValues_, UserValues()));

  // The next click hangs up, without a dialog to say so: the one of the
  // dial has closed.
  EXPECT_TRUE(HangUpWithClick(icon));
  EXPECT_EQ("", DescribeDifferences(userValues_, UserValues()));
  EXPECT_EQ(nullptr, FindProcessWindow(process, "#32770", "Disconnected from Lab ISP"));

  // A double click dials once and does not hang up.
  const int ups = lab::StatusNumber("ups");
  PostMessageA(icon, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageA(icon, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  PostMessageA(icon, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageA(icon, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  ASSERT_TRUE(WaitUntil(LinkUp));
  Sleep(1500);
  EXPECT_TRUE(LinkUp());
  EXPECT_EQ(ups + 1, lab::StatusNumber("ups"));
  // "Hang &Up" of the menu, by its mnemonic.
  ASSERT_TRUE(ChooseFromTrayMenu(process, icon, 'U'));
  EXPECT_TRUE(WaitUntil([] { return !LinkUp(); }));
  AwaitHangUpEnd();
  EXPECT_EQ(nullptr, FindProcessWindow(process, "#32770", "Disconnected from Lab ISP"));

  // A line without dial tone: the dialog says so, the values are the
  // user's, and the next click dials again.
  StoreBest("Dead Line");
  LeftClick(icon);
  dialog = WaitForProcessWindow(process, "#32770", "Disconnected from Dead Line");
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ("", DescribeDifferences(userValues_, UserValues()));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(e2e::FindChild(dialog, IDC_DIALUP_DIAL)) != FALSE; }));
  PostMessageA(dialog, WM_CLOSE, 0, 0);
  EXPECT_TRUE(e2e::WaitGone(dialog, kWait));

  // A dial that is cancelled each time: one countdown, the redial limit's
  // advice, the user's values, and tray mode left, so the next click dials.
  StoreBest("Cancelled Dial");
  LeftClick(icon);
  EXPECT_EQ(1, CountAppearances(process, kCountdownCaption, [&] {
              return Boxes().find("Use Internet dial") != std::string::npos;
            }));
  dialog = WaitForProcessWindow(process, "#32770", "Disconnected from Cancelled Dial");
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ("", DescribeDifferences(userValues_, UserValues()));
  PostMessageA(dialog, WM_CLOSE, 0, 0);
  EXPECT_TRUE(e2e::WaitGone(dialog, kWait));

  // A busy line twice: two countdowns with the user's values, then the
  // third dial connects with the best values again.
  StoreBest("Busy ISP");
  LeftClick(icon);
  EXPECT_EQ(2, CountAppearances(process, kCountdownCaption, [] { return LinkUp(); }));
  ASSERT_NE(nullptr, WaitForProcessWindow(process, "#32770", "Connected to Busy ISP"));
  EXPECT_EQ(31200, lab::StatusNumber("speed"));
  EXPECT_EQ(1000, lab::StatusNumber("mtu"));
  EXPECT_EQ(5760, lab::StatusNumber("rwin"));
  EXPECT_EQ(128, lab::StatusNumber("ttl"));
  EXPECT_EQ("", DescribeDifferences(userValues_, UserValues()));
  EXPECT_TRUE(HangUpWithClick(icon));

  // A line that drops after connecting: a countdown, and the redial is
  // tuned again; the user's values are back once it is up.
  StoreBest("Flaky ISP");
  const int upsBeforeFlaky = lab::StatusNumber("ups");
  LeftClick(icon);
  ASSERT_TRUE(WaitUntil(LinkUp));
  EXPECT_EQ(1, CountAppearances(process, kCountdownCaption,
                                [&] { return lab::StatusNumber("ups") == upsBeforeFlaky + 2; }));
  EXPECT_EQ(26400, lab::StatusNumber("speed"));
  EXPECT_EQ(1000, lab::StatusNumber("mtu"));
  EXPECT_EQ(128, lab::StatusNumber("ttl"));
  EXPECT_TRUE(HangUpWithClick(icon));
  EXPECT_EQ("", DescribeDifferences(userValues_, UserValues()));

  // While a tray dial runs with the main window hidden, "Show Main Program"
  // is greyed. The dialog's own buttons: "&Hang Up" ends the dial and puts
  // the user's values back, "&Dial" dials the same connection again.
  StoreBest("Slow ISP");
  LeftClick(icon);
  dialog = WaitForProcessWindow(process, "#32770", "Dialing to Slow ISP");
  ASSERT_NE(nullptr, dialog);
  HWND menu = OpenTrayMenu(process, icon);
  ASSERT_NE(nullptr, menu);
  Sleep(300);
  EXPECT_TRUE(e2e::SaveScreenArea(e2e::Rect(menu), program_ + "\\tray-menu-dialing.bmp"));
  EXPECT_TRUE(FirstItemGreyed(menu));
  Key(menu, VK_ESCAPE);
  ASSERT_TRUE(e2e::WaitGone(menu, kWait));
  HWND hangUp = e2e::FindChild(dialog, IDC_DIALUP_HANG_UP);
  HWND dial = e2e::FindChild(dialog, IDC_DIALUP_DIAL);
  EXPECT_TRUE(IsWindowEnabled(hangUp));
  EXPECT_FALSE(IsWindowEnabled(dial));
  e2e::Click(hangUp);
  EXPECT_TRUE(e2e::WaitForText(e2e::FindChild(dialog, IDC_DIALUP_STATUS),
                               "Disconnected from Slow ISP", kWait));
  EXPECT_EQ("Disconnected from Slow ISP", e2e::Text(dialog));
  EXPECT_TRUE(IsWindowEnabled(dial));
  EXPECT_EQ("", DescribeDifferences(userValues_, UserValues()));
  AwaitHangUpEnd();
  e2e::Click(dial);
  EXPECT_TRUE(e2e::WaitForText(dialog, "Dialing to Slow ISP", kWait));
  EXPECT_TRUE(WaitUntil([&] { return !DescribeDifferences(userValues_, UserValues()).empty(); }));

  // "E&xit" while that dial is still dialing: the dial is hung up first,
  // so no tuned value stays behind.
  ExitLeavingNothingTuned(run, icon);
}

TEST_F(TrayE2eTest, DialToListsTheConfiguredConnectionsAndDialsTheChosenOne) {
  ScopedEnvironment log("VELOTUNE_MESSAGEBOX_LOG", boxes_.c_str());
  ConfigureLab("Lab ISP");
  SetOption("ShowVTDialer", 1);
  SetOption("SingleClickDial", 0);
  // The older short-named key and the provider's own key, one name in both.
  testreg::CreateKey(std::string(kProfileKey) + "\\DUN\\Lab ISP");
  testreg::CreateKey(std::string(kProfileKey) + "\\DUN\\Second ISP");
  testreg::WriteText(std::string(kProfileKey) + "\\America Online\\ScreenNames", "Pat & Sam", "");
  testreg::CreateKey(std::string(kProfileKey) + "\\NetZero");
  VelotuneRun run(program_);
  HWND icon = StartInTray(run, TrayIcons());
  ASSERT_NE(nullptr, icon);
  const DWORD process = run.ProcessId();

  // A left click shows the plain provider menu.
  LeftClick(icon);
  HWND plain = WaitForProcessWindow(process, "#32768");
  ASSERT_NE(nullptr, plain);
  Key(plain, VK_ESCAPE);
  EXPECT_TRUE(e2e::WaitGone(plain, kWait));

  // The menu opened a few times; then "&Dial To" > "Dial-Up Networking" >
  // the second entry, by keyboard, with the cursor at the right edge of the
  // screen, so that each submenu opens to the left of its parent.
  for (int i = 0; i < 3; ++i) {
    HWND menu = OpenTrayMenu(process, icon);
    ASSERT_NE(nullptr, menu);
    Key(menu, VK_ESCAPE);
    ASSERT_TRUE(e2e::WaitGone(menu, kWait));
  }
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  SetCursorPos(width - 1, height / 3);
  HWND menu = OpenTrayMenu(process, icon);
  ASSERT_NE(nullptr, menu);
  Key(menu, 'D');
  ASSERT_TRUE(WaitUntil([&] { return GradientMenus(process).size() == 2; }));
  HWND dialTo = GradientMenus(process)[1];
  Sleep(200);
  RECT dialToRect = e2e::Rect(dialTo);
  Key(dialTo, VK_RIGHT);
  ASSERT_TRUE(WaitUntil([&] { return GradientMenus(process).size() == 3; }));
  HWND entries = GradientMenus(process)[2];
  Sleep(300);
  RECT all = e2e::Rect(menu);
  UnionRect(&all, &all, &dialToRect);
  RECT entriesRect = e2e::Rect(entries);
  UnionRect(&all, &all, &entriesRect);
  EXPECT_TRUE(e2e::SaveScreenArea(all, program_ + "\\tray-dial-to.bmp"));
  SetCursorPos(width / 2, height / 2);
  // The entries fit to the right of theirs again, as a submenu tries first.
  const RECT topRect = e2e::Rect(menu);
  EXPECT_EQ(topRect.left, dialToRect.right);
  EXPECT_EQ(dialToRect.right, entriesRect.left);
  EXPECT_LE(entriesRect.right, width);
  EXPECT_LE(topRect.right, width);
  // Left goes back one level, Right opens it again.
  Key(entries, VK_LEFT);
  ASSERT_TRUE(e2e::WaitGone(entries, kWait));
  Key(dialTo, VK_RIGHT);
  ASSERT_TRUE(WaitUntil([&] { return GradientMenus(process).size() == 3; }));
  entries = GradientMenus(process)[2];
  Key(entries, VK_DOWN);
  Key(entries, VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return GradientMenus(process).empty(); }));
  HWND dialog = WaitForProcessWindow(process, "#32770", "Connected to Second ISP");
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ(33600, lab::StatusNumber("speed"));
  EXPECT_TRUE(e2e::WaitGone(dialog, kWait));
  EXPECT_EQ("", DescribeDifferences(userValues_, UserValues()));
  EXPECT_TRUE(HangUpWithClick(icon));

  // A letter that no item has closes the menu.
  menu = OpenTrayMenu(process, icon);
  ASSERT_NE(nullptr, menu);
  Key(menu, 'Q');
  EXPECT_TRUE(e2e::WaitGone(menu, kWait));
  ASSERT_TRUE(ChooseFromTrayMenu(process, icon, 'X'));
  EXPECT_TRUE(run.WaitForExit());
}

TEST_F(TrayE2eTest, AClickWhileATuneUpDialsOnlySaysSoAndHangUpStopsTheTuneUp) {
  ScopedEnvironment log("VELOTUNE_MESSAGEBOX_LOG", boxes_.c_str());
  ConfigureLab("Slow ISP");
  ASSERT_EQ(0, CDialUpProfile(1, kOsWindows98).SetUrl("Slow ISP", "http://www.velotune-lab.test"));
  ASSERT_EQ(0, CSettingsStore(kOsWindows98).SetTuneUpType(1));
  SetOption("ShowVTDialer", 1);
  VelotuneRun run(program_);
  HWND icon = StartInTray(run, TrayIcons());
  ASSERT_NE(nullptr, icon);
  const DWORD process = run.ProcessId();
  HWND main = run.Main();
  ASSERT_TRUE(e2e::SelectTreeItem(e2e::FindChild(main, IDC_TUNEUP_TREE), "Auto Tune-Up"));
  ASSERT_TRUE(e2e::PostCommand(main, ID_TUNEUP_START));
  // The right pane's views are made anew at each switch.
  const auto dialViewText = [&](int id) { return e2e::Text(e2e::FindChild(main, id)); };
  ASSERT_TRUE(
      WaitUntil([&] { return dialViewText(IDC_DIAL_CAPTION) == "Connecting to Slow ISP"; }));

  // The tune-up owns the line: a click only says so.
  LeftClick(icon);
  ASSERT_TRUE(WaitUntil([&] { return Boxes().find(kTuneUpOwnsLineText) != std::string::npos; }));
  EXPECT_EQ(1, Lines(Boxes())) << Boxes();
  EXPECT_EQ(nullptr, FindProcessWindow(process, "#32770", "Dialing to Slow ISP"));
  EXPECT_EQ("Connecting to Slow ISP", dialViewText(IDC_DIAL_CAPTION));

  // The menu still offers "Hang &Up": it stops the tune-up, which hangs up
  // and puts the user's values back; then a click dials from the tray.
  ASSERT_TRUE(ChooseFromTrayMenu(process, icon, 'U'));
  ASSERT_TRUE(WaitUntil([&] { return dialViewText(IDC_DIAL_STATUS) == "Tune-Up Test Cancelled"; }));
  LeftClick(icon);
  ASSERT_NE(nullptr, WaitForProcessWindow(process, "#32770", "Dialing to Slow ISP"));
  EXPECT_EQ(1, Lines(Boxes())) << Boxes();
  ExitLeavingNothingTuned(run, icon);
}

TEST_F(TrayE2eTest, WithoutATrayOrWithWrongValuesTheProgramStaysUsable) {
  ScopedEnvironment log("VELOTUNE_MESSAGEBOX_LOG", boxes_.c_str());
  ConfigureLab("Lab ISP");
  SetOption("ShowVTDialer", 1);
  {
    // No notification area takes the icon (39): the main window stays in
    // sight, and closing it ends the program.
    RefusingTray tray;
    ASSERT_TRUE(tray.InPlace());
    const size_t icons = TrayIcons().size();
    VelotuneRun run(program_);
    HWND main = run.WaitForMain(true);
    ASSERT_NE(nullptr, main);
    ASSERT_TRUE(WaitUntil([&] { return testreg::ValueExists(kBackupKey, "BackupStatus"); }));
    EXPECT_TRUE(run.Close());
    EXPECT_EQ(icons, TrayIcons().size());
    EXPECT_EQ("", Boxes());
  }

  // Values of the wrong type: "SingleClickDial" and "DialUpType" as texts,
  // and a value where the connection list has its keys.
  testreg::WriteText(kOptionsKey, "SingleClickDial", "1");
  testreg::WriteText(kProfileKey, "DialUpType", "1");
  testreg::WriteText(std::string(kProfileKey) + "\\DUN", "Not A Connection", "Lab ISP");
  testreg::CreateKey(std::string(kProfileKey) + "\\DUN\\Lab ISP");
  VelotuneRun run(program_);
  HWND icon = StartInTray(run, TrayIcons());
  ASSERT_NE(nullptr, icon);
  const DWORD process = run.ProcessId();

  // An unreadable "SingleClickDial" offers "&Dial To"; its first
  // connection dials with the best values.
  HWND menu = OpenTrayMenu(process, icon);
  ASSERT_NE(nullptr, menu);
  Key(menu, 'D');
  ASSERT_TRUE(WaitUntil([&] { return GradientMenus(process).size() == 2; }));
  Key(GradientMenus(process)[1], VK_RIGHT);
  ASSERT_TRUE(WaitUntil([&] { return GradientMenus(process).size() == 3; }));
  Key(GradientMenus(process)[2], VK_RETURN);
  HWND dialog = WaitForProcessWindow(process, "#32770", "Connected to Lab ISP");
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ(1000, lab::StatusNumber("mtu"));
  EXPECT_TRUE(e2e::WaitGone(dialog, kWait));
  EXPECT_EQ("", DescribeDifferences(userValues_, UserValues()));

  // A click hangs up although the provider kind cannot be read, and makes
  // "SingleClickDial" a number again.
  EXPECT_TRUE(HangUpWithClick(icon));
  EXPECT_EQ(1u, Option("SingleClickDial"));
  EXPECT_EQ(nullptr, FindProcessWindow(process, "#32770", "Disconnected from Lab ISP"));

  // The default dial needs the provider kind: the message, and no dial.
  LeftClick(icon);
  EXPECT_TRUE(WaitUntil([&] {
    return Boxes().find("Unable to dial to service provider.  Please ensure that you have setup "
                        "your \"Single Click Dial\" option") != std::string::npos;
  }));
  EXPECT_EQ(1, Lines(Boxes())) << Boxes();
  EXPECT_FALSE(LinkUp());
  EXPECT_EQ("", DescribeDifferences(userValues_, UserValues()));
  ASSERT_TRUE(ChooseFromTrayMenu(process, icon, 'X'));
  EXPECT_TRUE(run.WaitForExit());
}

}  // namespace
