// Velotune.exe in Wine's notification area: the icon's life with the
// "ShowVTDialer" option, the gradient menu (its look, keyboard and
// commands), one-click dials of the lab's connections with the tuned values
// only for the connection, and the "Dial To" entries. Clicks reach the
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
#include <vector>

#include "framework/RegKey.h"
#include "res/resource.h"
#include "settings/DialUpProfile.h"
#include "settings/SettingsStore.h"
#include "settings/portable/OsFamily.h"
#include "tests/e2e/VelotuneRun.h"
#include "tests/e2e/WindowDriver.h"
#include "tests/support/LabClient.h"
#include "tests/support/LabPhonebookFile.h"
#include "tests/support/NetworkLayouts.h"
#include "tests/support/RegistryFixture.h"
#include "tests/support/RegistrySnapshot.h"
#include "tests/support/ScopedEnvironment.h"

namespace {

using e2e::TestFolder;
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
    "[Cancelled Dial]\nOutcome=cancel\nStepMs=500\nDevice=Fifth Modem\n";

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = kWait) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(20);
  }
  return true;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

// --- Wine's tray ------------------------------------------------------------------------

HWND TrayWindow() { return FindWindowA(nullptr, "Wine System Tray"); }

// Wine 8's X11 driver names the icons' windows so; others "__wine_tray_icon".
bool IsTrayIconWindow(HWND window) {
  const std::string name = ClassOf(window);
  return name == "__winex11_tray_icon" || name == "__wine_tray_icon";
}

BOOL CALLBACK CollectIcon(HWND child, LPARAM list) {
  if (IsTrayIconWindow(child) && IsWindowVisible(child)) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  }
  return TRUE;
}

std::vector<HWND> TrayIcons() {
  std::vector<HWND> icons;
  HWND tray = TrayWindow();
  if (tray != nullptr) EnumChildWindows(tray, CollectIcon, reinterpret_cast<LPARAM>(&icons));
  return icons;
}

bool HasIcon(HWND icon) {
  const std::vector<HWND> icons = TrayIcons();
  return std::find(icons.begin(), icons.end(), icon) != icons.end();
}

// The icon that is in the tray now and was not among `known`.
HWND WaitForNewIcon(const std::vector<HWND>& known) {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND icon : TrayIcons()) {
      if (std::find(known.begin(), known.end(), icon) == known.end()) found = icon;
    }
    return found != nullptr;
  });
  return found;
}

void Press(HWND icon, UINT down, UINT up) {
  PostMessageA(icon, down, down == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageA(icon, up, 0, MAKELPARAM(4, 4));
}
void LeftClick(HWND icon) { Press(icon, WM_LBUTTONDOWN, WM_LBUTTONUP); }
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
    for (const char* entry : {"Lab ISP", "Second ISP", "Slow ISP", "Dead Line", "Cancelled Dial"}) {
      ASSERT_EQ(0, profile.SetLoginPassword(entry, "velotune", "tuneup"));
      ASSERT_EQ(0, profile.SetRedial(entry, 1));
    }
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
      TestRecord record;
      record.kind = kRecordAuto;
      record.parameter = value[0];
      record.value = value[1];
      ASSERT_EQ(0, store.StoreBest(record));
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
  for (int i = 0; i < 10; ++i) {
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

  // The next click hangs up.
  LeftClick(icon);
  EXPECT_TRUE(WaitUntil([] { return !LinkUp(); }));
  AwaitHangUpEnd();
  EXPECT_EQ("", DescribeDifferences(userValues_, UserValues()));

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
  EXPECT_TRUE(WaitUntil([&] { return Boxes().find("Use Internet dial") != std::string::npos; }));
  dialog = WaitForProcessWindow(process, "#32770", "Disconnected from Cancelled Dial");
  ASSERT_NE(nullptr, dialog);
  EXPECT_EQ("", DescribeDifferences(userValues_, UserValues()));
  PostMessageA(dialog, WM_CLOSE, 0, 0);
  EXPECT_TRUE(e2e::WaitGone(dialog, kWait));
  StoreBest("Lab ISP");
  LeftClick(icon);
  ASSERT_NE(nullptr, WaitForProcessWindow(process, "#32770", "Connected to Lab ISP"));
  EXPECT_EQ(1000, lab::StatusNumber("mtu"));
  LeftClick(icon);
  EXPECT_TRUE(WaitUntil([] { return !LinkUp(); }));
  AwaitHangUpEnd();

  // "E&xit" while a tray dial is still dialing: the dial is hung up first,
  // so no tuned value stays behind.
  StoreBest("Slow ISP");
  LeftClick(icon);
  ASSERT_NE(nullptr, WaitForProcessWindow(process, "#32770", "Dialing to Slow ISP"));
  EXPECT_NE("", DescribeDifferences(userValues_, UserValues()));
  ASSERT_TRUE(ChooseFromTrayMenu(process, icon, 'X'));
  EXPECT_TRUE(run.WaitForExit());
  EXPECT_EQ("", DescribeDifferences(userValues_, UserValues()));
  EXPECT_FALSE(LinkUp());
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
  // the second entry, by keyboard.
  for (int i = 0; i < 3; ++i) {
    HWND menu = OpenTrayMenu(process, icon);
    ASSERT_NE(nullptr, menu);
    Key(menu, VK_ESCAPE);
    ASSERT_TRUE(e2e::WaitGone(menu, kWait));
  }
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
  LeftClick(icon);
  EXPECT_TRUE(WaitUntil([] { return !LinkUp(); }));
  AwaitHangUpEnd();

  // A letter that no item has closes the menu.
  menu = OpenTrayMenu(process, icon);
  ASSERT_NE(nullptr, menu);
  Key(menu, 'Q');
  EXPECT_TRUE(e2e::WaitGone(menu, kWait));
  ASSERT_TRUE(ChooseFromTrayMenu(process, icon, 'X'));
  EXPECT_TRUE(run.WaitForExit());
}

}  // namespace
