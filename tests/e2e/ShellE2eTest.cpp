// Velotune.exe itself, started and driven through its windows: the start-up
// order, what it leaves in the registry, where its window opens, its pages
// on each family, the keyboard, and bad input around it.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "framework/RegKey.h"
#include "res/resource.h"
#include "tests/e2e/BrowserStandIn.h"
#include "tests/e2e/VelotuneRun.h"
#include "tests/e2e/WindowDriver.h"
#include "tests/support/NetworkLayouts.h"
#include "tests/support/RegistryFixture.h"
#include "tests/support/ScopedEnvironment.h"

namespace {


const char kProgramKey[] = "SOFTWARE\\Orvalis\\Velotune";
const char kAppSettings[] = "SOFTWARE\\Orvalis\\Velotune\\App Settings";
const char kMstcp[] = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";
const char kAppDefaults[] = "Software\\Wine\\AppDefaults\\Velotune.exe";
const DWORD kWait = 30000;

using e2e::TestFolder;
using e2e::VelotuneRun;

void CopyTree(const std::string& from, const std::string& to) {
  CreateDirectoryA(to.c_str(), nullptr);
  WIN32_FIND_DATAA found = {};
  HANDLE search = FindFirstFileA((from + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      CopyTree(from + "\\" + name, to + "\\" + name);
    } else {
      CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

// Every value under a key, by path, as bytes.
void DumpTree(HKEY root, const std::string& path, std::map<std::string, std::string>& values) {
  RegKey key;
  if (key.Open(root, path, KEY_READ) != ERROR_SUCCESS) return;
  for (DWORD i = 0;; ++i) {
    char name[256] = {};
    DWORD nameLength = sizeof(name);
    BYTE data[1024] = {};
    DWORD dataLength = sizeof(data);
    if (RegEnumValueA(key.Get(), i, name, &nameLength, nullptr, nullptr, data, &dataLength) != ERROR_SUCCESS) break;
    values[path + "|" + name] = std::string(reinterpret_cast<char*>(data), dataLength);
  }
  for (DWORD i = 0;; ++i) {
    char name[256] = {};
    if (RegEnumKeyA(key.Get(), i, name, sizeof(name)) != ERROR_SUCCESS) break;
    DumpTree(root, path + "\\" + name, values);
  }
}

class ShellE2eTest : public RegistryTest {
 protected:
  void SetUp() override {
    RegistryTest::SetUp();
    program_ = TestFolder() + "\\shell-e2e";
    CreateDirectoryA(program_.c_str(), nullptr);
    CopyFileA((TestFolder() + "\\..\\ui\\Velotune.exe").c_str(), (program_ + "\\Velotune.exe").c_str(), FALSE);
    boxes_ = program_ + "\\boxes.txt";
    DeleteFileA(boxes_.c_str());
    SetFamily("win98");
    // Configured before: the first-run wizard is the first start's test alone.
    testreg::CreateKey(std::string(kProgramKey) + "\\DialUp Profile");
  }
  void TearDown() override {
    RegKey defaults;
    if (defaults.Open(HKEY_CURRENT_USER, kAppDefaults) == ERROR_SUCCESS) defaults.DeleteValue("Version");
    RegistryTest::TearDown();
  }
  static void SetFamily(const char* family) {
    RegKey defaults;
    ASSERT_EQ(ERROR_SUCCESS, defaults.Create(HKEY_CURRENT_USER, kAppDefaults));
    RegSetValueExA(defaults.Get(), "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(family),
                   static_cast<DWORD>(strlen(family) + 1));
  }
  std::string Boxes() const {
    std::ifstream file(boxes_);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
  }
  static RECT WindowRect(HWND window) { return e2e::Rect(window); }
  static void WriteRect(DWORD left, DWORD top, DWORD right, DWORD bottom) {
    testreg::WriteDword(kAppSettings, "left", left);
    testreg::WriteDword(kAppSettings, "top", top);
    testreg::WriteDword(kAppSettings, "right", right);
    testreg::WriteDword(kAppSettings, "bottom", bottom);
  }
  static DWORD ReadDword(const std::string& key, const std::string& name) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!testreg::ReadRaw(key, name, type, data) || data.size() != 4) return 0xFFFFFFFF;
    return *reinterpret_cast<DWORD*>(data.data());
  }
  static bool OnScreen(HWND window) {
    RECT rect = WindowRect(window);
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT overlap = {};
    return IsWindowVisible(window) && rect.right > rect.left && IntersectRect(&overlap, &rect, &screen);
  }

  std::string program_;
  std::string boxes_;
  ScopedEnvironment scale_{"VELOTUNE_TIME_SCALE", "0.2"};
  ScopedEnvironment boxLog_{"VELOTUNE_MESSAGEBOX_LOG", nullptr};
};

TEST_F(ShellE2eTest, FirstStartShowsTheSplashFirstAndBacksUpTheUsersValuesOnce) {
  ScopedEnvironment log("VELOTUNE_MESSAGEBOX_LOG", boxes_.c_str());
  netlayout::LayOut(netlayout::Windows9x{});
  testreg::WriteText(kMstcp, "DefaultRcvWindow", "8760");
  std::map<std::string, std::string> firstBackup;
  testreg::DeleteTree(kProgramKey);
  {
    VelotuneRun run(program_);
    ASSERT_TRUE(run.Started());
    HWND splash = e2e::WaitForWindow("#32770", "", kWait, IDC_SPLASH_PICTURE);
    ASSERT_NE(nullptr, splash);
    HWND main = run.WaitForMain();
    ASSERT_NE(nullptr, main);
    // The frame appears only after the splash is gone.
    EXPECT_FALSE(IsWindow(splash));
    // The first start's configuration wizard over the shown main window, cancelled;
    // the backup follows it all the same.
    HWND wizard = e2e::WaitForWindow("#32770", "Configuration Wizard", kWait);
    ASSERT_NE(nullptr, wizard);
    EXPECT_EQ(main, GetWindow(wizard, GW_OWNER));
    EXPECT_TRUE(IsWindowVisible(main));
    e2e::Click(e2e::FindChild(wizard, IDCANCEL));
    ASSERT_TRUE(e2e::WaitGone(wizard, kWait));
    EXPECT_EQ("Velotune", e2e::Text(main));
    // The icons are checked in the window tests: under Wine another process
    // reads neither WM_GETICON nor the class's icons.
    EXPECT_TRUE(testreg::KeyExists(std::string(kProgramKey) + "\\DialUp Profile"));
    EXPECT_EQ(1u, ReadDword(std::string(kProgramKey) + "\\DialUp Profile", "DialUp Registry Conversion"));
    EXPECT_EQ(1u, ReadDword(std::string(kProgramKey) + "\\Backup Registry", "BackupStatus"));
    RegKey frameworkKey;
    EXPECT_EQ(ERROR_SUCCESS, frameworkKey.Open(HKEY_CURRENT_USER,
                                               "Software\\Local AppWizard-Generated Applications\\Velotune", KEY_READ));
    DumpTree(HKEY_LOCAL_MACHINE, std::string(kProgramKey) + "\\Backup Registry", firstBackup);
    ASSERT_TRUE(run.Close());
  }
  bool backedUp = false;
  for (const auto& value : firstBackup) backedUp = backedUp || value.second.find("8760") != std::string::npos;
  EXPECT_TRUE(backedUp);

  // A tuned value must never become the "original" through a second backup.
  testreg::WriteText(kMstcp, "DefaultRcvWindow", "5840");
  {
    VelotuneRun run(program_, std::string(500, 'x'));  // arguments are ignored, however long
    ASSERT_NE(nullptr, run.WaitForMain());
    // A start after the cancelled first one runs no wizard.
    EXPECT_EQ(nullptr, e2e::WaitForWindow("#32770", "Configuration Wizard", 1500));
    ASSERT_TRUE(run.Close());
  }
  std::map<std::string, std::string> secondBackup;
  DumpTree(HKEY_LOCAL_MACHINE, std::string(kProgramKey) + "\\Backup Registry", secondBackup);
  EXPECT_EQ(firstBackup, secondBackup);
  EXPECT_EQ("", Boxes());
}

TEST_F(ShellE2eTest, WindowOpensWhereItWasClosedAndNeverOffScreen) {
  WriteRect(100, 80, 700, 520);
  {
    VelotuneRun run(program_);
    HWND main = run.WaitForMain();
    ASSERT_NE(nullptr, main);
    const RECT rect = WindowRect(main);
    EXPECT_EQ(100, rect.left);
    EXPECT_EQ(80, rect.top);
    EXPECT_EQ(600, rect.right - rect.left);
    EXPECT_EQ(440, rect.bottom - rect.top);
    SetWindowPos(main, nullptr, 120, 90, 640, 480, SWP_NOZORDER);
    ASSERT_TRUE(run.Close());
  }
  EXPECT_EQ(120u, ReadDword(kAppSettings, "left"));
  EXPECT_EQ(90u, ReadDword(kAppSettings, "top"));
  EXPECT_EQ(760u, ReadDword(kAppSettings, "right"));
  EXPECT_EQ(570u, ReadDword(kAppSettings, "bottom"));

  // Closed while minimised: the last normal rectangle stays.
  {
    VelotuneRun run(program_);
    HWND main = run.WaitForMain();
    ASSERT_NE(nullptr, main);
    ShowWindow(main, SW_MINIMIZE);
    ASSERT_TRUE(run.Close());
  }
  EXPECT_EQ(120u, ReadDword(kAppSettings, "left"));
  EXPECT_EQ(760u, ReadDword(kAppSettings, "right"));

  // Three values, a negative size, a place on no screen, values of the wrong type.
  const std::vector<std::function<void()>> spoilers = {
      [] { testreg::DeleteTree(kAppSettings); testreg::WriteDword(kAppSettings, "left", 10);
           testreg::WriteDword(kAppSettings, "top", 10); testreg::WriteDword(kAppSettings, "right", 400); },
      [] { WriteRect(500, 400, 100, 100); },
      [] { WriteRect(static_cast<DWORD>(-9000), static_cast<DWORD>(-9000), static_cast<DWORD>(-8000),
                     static_cast<DWORD>(-8500)); },
      [] { testreg::DeleteTree(kAppSettings); testreg::WriteText(kAppSettings, "left", "10");
           testreg::WriteText(kAppSettings, "top", "10"); testreg::WriteText(kAppSettings, "right", "400");
           testreg::WriteText(kAppSettings, "bottom", "300"); },
  };
  for (size_t i = 0; i < spoilers.size(); ++i) {
    spoilers[i]();
    VelotuneRun run(program_);
    HWND main = run.WaitForMain();
    ASSERT_NE(nullptr, main) << i;
    EXPECT_TRUE(OnScreen(main)) << i;
    ASSERT_TRUE(run.Close()) << i;
  }
}

TEST_F(ShellE2eTest, PagesOnTheNtFamilyLeaveCacheSizeOut) {
  for (const char* family : {"win2k", "nt40"}) {
    SetFamily(family);
    VelotuneRun run(program_);
    HWND main = run.WaitForMain();
    ASSERT_NE(nullptr, main) << family;
    HWND tree = e2e::FindChild(main, IDC_TUNEUP_TREE);
    const std::vector<std::string> items = e2e::TreeItemTexts(tree);
    EXPECT_EQ((std::vector<std::string>{"Velotune", "Auto Tune-Up", "Manual Tune-Up", "MTU", "RWIN", "TTL"}), items);
    ASSERT_TRUE(e2e::SelectTreeItem(tree, "TTL"));
    ASSERT_TRUE(e2e::WaitForText(e2e::FindChild(main, IDC_PAGE_TITLE), "Time To Live (TTL)", 5000));
    EXPECT_TRUE(IsWindowVisible(e2e::FindChild(main, IDC_PAGE_SUBTITLE1)));
    EXPECT_FALSE(IsWindowVisible(e2e::FindChild(main, IDC_PAGE_SUBTITLE2))) << family;
    ASSERT_TRUE(run.Close());
  }
  SetFamily("win98");
  VelotuneRun run(program_);
  HWND main = run.WaitForMain();
  ASSERT_NE(nullptr, main);
  HWND tree = e2e::FindChild(main, IDC_TUNEUP_TREE);
  EXPECT_EQ(7u, e2e::TreeItemTexts(tree).size());
  ASSERT_TRUE(e2e::SelectTreeItem(tree, "TTL"));
  ASSERT_TRUE(e2e::WaitForText(e2e::FindChild(main, IDC_PAGE_SUBTITLE2), "What's Next?", 5000));
  EXPECT_TRUE(IsWindowVisible(e2e::FindChild(main, IDC_PAGE_SUBTITLE2)));
  ASSERT_TRUE(run.Close());
}

TEST_F(ShellE2eTest, HelpWithoutABrowserSaysSoAndTwoCopiesRunSideBySide) {
  ScopedEnvironment log("VELOTUNE_MESSAGEBOX_LOG", boxes_.c_str());
  VelotuneRun first(program_);
  VelotuneRun second(program_);
  HWND main = first.WaitForMain();
  ASSERT_NE(nullptr, main);
  ASSERT_NE(nullptr, second.WaitForMain());
  // The test prefix has no ".htm" association and this folder no help pages.
  e2e::PostCommand(main, ID_HELP_TOPICS);
  const DWORD start = GetTickCount();
  while (Boxes().empty() && GetTickCount() - start < kWait) Sleep(50);
  EXPECT_NE(std::string::npos, Boxes().find("We are unable to locate your default browser."));
  // A disabled command sent from outside changes nothing.
  e2e::PostCommand(main, ID_TUNEUP_START);
  e2e::PostCommand(main, ID_APP_ABOUT);
  HWND about = e2e::WaitForWindow("#32770", "About Velotune", kWait);
  ASSERT_NE(nullptr, about);
  EXPECT_NE(nullptr, e2e::FindChild(about, IDOK));
  e2e::Click(e2e::FindChild(about, IDOK));
  EXPECT_TRUE(e2e::WaitGone(about, kWait));
  ASSERT_TRUE(first.Close());
  EXPECT_TRUE(IsWindow(second.Main()));
  ASSERT_TRUE(second.Close());
}

// The thread's focus window in another process.
HWND FocusOf(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

// The pane (0xE900 + column) that holds a window, or -1.
int PaneOf(HWND window) {
  for (HWND current = window; current != nullptr; current = GetParent(current)) {
    const int id = GetDlgCtrlID(current);
    if (id == 0xE900 || id == 0xE901) return id - 0xE900;
  }
  return -1;
}

struct ChildSearch {
  int id;
  HWND found;
};

BOOL CALLBACK FindChildWithId(HWND child, LPARAM data) {
  auto* wanted = reinterpret_cast<ChildSearch*>(data);
  if (GetDlgCtrlID(child) != wanted->id) return TRUE;
  wanted->found = child;
  return FALSE;
}

BOOL CALLBACK CollectTabStop(HWND child, LPARAM data) {
  if ((GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP) != 0 && IsWindowVisible(child) &&
      IsWindowEnabled(child)) {
    reinterpret_cast<std::set<HWND>*>(data)->insert(child);
  }
  return TRUE;
}

// The view window of a pane (column 0 or 1) of the main window.
HWND PaneWindow(HWND main, int column) {
  ChildSearch search = {0xE900 + column, nullptr};
  EnumChildWindows(main, &FindChildWithId, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The visible, enabled controls under a window that Tab stops at.
std::set<HWND> TabStopsOf(HWND window) {
  std::set<HWND> stops;
  EnumChildWindows(window, &CollectTabStop, reinterpret_cast<LPARAM>(&stops));
  return stops;
}

TEST_F(ShellE2eTest, KeyboardOpensMenusWithPromptsMovesBetweenPanesAndRunsAbout) {
  ScopedEnvironment log("VELOTUNE_MESSAGEBOX_LOG", boxes_.c_str());
  VelotuneRun run(program_);
  HWND main = run.WaitForMain();
  ASSERT_NE(nullptr, main);
  HWND status = FindWindowExA(main, nullptr, "msctls_statusbar32", nullptr);
  ASSERT_NE(nullptr, status);
  EXPECT_TRUE(e2e::WaitForText(status, "Ready", 5000));

  // Alt and a menu's letter open it; its first item's prompt shows.
  const struct {
    WORD key;
    const char* prompt;
  } menus[] = {{'T', "Start a new tune-up session"},
               {'V', "Shows the last result"},
               {'O', "A wizard that guides you through the tune-up configuration process"},
               {'H', "Open the Velotune help pages in your browser"}};
  for (const auto& menu : menus) {
    e2e::TypeKey(main, menu.key, {VK_MENU});
    EXPECT_NE(nullptr, e2e::WaitForWindow("#32768", "", 5000)) << menu.prompt;
    EXPECT_TRUE(e2e::WaitForText(status, menu.prompt, 5000)) << e2e::Text(status);
    e2e::TypeKey(main, VK_ESCAPE);
    e2e::TypeKey(main, VK_ESCAPE);
    EXPECT_TRUE(e2e::WaitForText(status, "Ready", 5000)) << menu.prompt;
  }

  // F6 and Shift+F6 move between the panes.
  HWND tree = e2e::FindChild(main, IDC_TUNEUP_TREE);
  const int start = PaneOf(FocusOf(main));
  ASSERT_NE(-1, start) << "focus in no pane";
  e2e::TypeKey(main, VK_F6);
  Sleep(200);
  EXPECT_EQ(1 - start, PaneOf(FocusOf(main)));
  e2e::TypeKey(main, VK_F6, {VK_SHIFT});
  Sleep(200);
  EXPECT_EQ(start, PaneOf(FocusOf(main)));

  // Tab goes round every control of the pane that has the focus and never
  // lets the focus fall out of it; F6 then takes it to the other pane.
  for (int pane = 0; pane < 2; ++pane) {
    const int column = PaneOf(FocusOf(main));
    ASSERT_NE(-1, column);
    const std::set<HWND> stops = TabStopsOf(PaneWindow(main, column));
    std::set<HWND> reached;
    for (size_t press = 0; press < stops.size() + 2; ++press) {
      e2e::TypeKey(main, VK_TAB);
      Sleep(100);
      HWND focus = FocusOf(main);
      EXPECT_EQ(column, PaneOf(focus)) << "Tab left pane " << column;
      if (stops.count(focus) != 0) reached.insert(focus);
    }
    EXPECT_EQ(stops, reached) << "pane " << column;
    e2e::TypeKey(main, VK_F6);
    Sleep(200);
  }

  // Ctrl+S with the product item selected starts nothing.
  ASSERT_TRUE(e2e::SelectTreeItem(tree, "Velotune"));
  e2e::TypeKey(main, 'S', {VK_CONTROL});
  Sleep(300);
  EXPECT_EQ("", Boxes());
  EXPECT_EQ("Velotune", e2e::SelectedTreeItem(tree));

  // Alt+H, A opens About; Escape closes it.
  e2e::TypeKey(main, 'H', {VK_MENU});
  ASSERT_NE(nullptr, e2e::WaitForWindow("#32768", "", 5000));
  e2e::TypeKey(main, 'A');
  HWND about = e2e::WaitForWindow("#32770", "About Velotune", kWait);
  ASSERT_NE(nullptr, about);
  e2e::TypeKey(about, VK_ESCAPE);
  EXPECT_TRUE(e2e::WaitGone(about, kWait));
  ASSERT_TRUE(run.Close());
}

TEST_F(ShellE2eTest, AboutLinksAndHelpOpenTheMailerAndTheBrowserWithTheirAddresses) {
  e2e::BrowserStandIn browser(std::string(VELOTUNE_SOURCE_DIR) + "/tests/e2e/log-browser.sh");
  ScopedEnvironment log("VELOTUNE_MESSAGEBOX_LOG", boxes_.c_str());
  CopyTree(TestFolder() + "\\..\\ui\\help", program_ + "\\help");
  {
    VelotuneRun run(program_);
    HWND main = run.WaitForMain();
    ASSERT_NE(nullptr, main);
    // Help opens the page in the program's folder through the association.
    e2e::PostCommand(main, ID_HELP_TOPICS);
    browser.WaitForLogged("main.htm", kWait);
    EXPECT_NE(std::string::npos, browser.Logged().find("shell-e2e/help/main.htm")) << browser.Logged();
    EXPECT_EQ("", Boxes());
    e2e::PostCommand(main, ID_APP_ABOUT);
    HWND about = e2e::WaitForWindow("#32770", "About Velotune", kWait);
    ASSERT_NE(nullptr, about);
    // The three links are the dialog's labels that are not in the template.
    std::vector<HWND> links;
    for (HWND child = GetWindow(about, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      if (GetDlgCtrlID(child) == 0xFFFF) links.push_back(child);
    }
    ASSERT_EQ(3u, links.size());
    EXPECT_EQ("sales@orvalis.com", e2e::Text(links[0]));
    for (HWND link : links) {
      RECT rect = {};
      GetClientRect(link, &rect);
      PostMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
      PostMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }
    const DWORD start = GetTickCount();
    std::string logged;
    while (GetTickCount() - start < kWait) {
      logged = browser.Logged();
      if (std::count(logged.begin(), logged.end(), '\n') >= 4) break;
      Sleep(100);
    }
    EXPECT_NE(std::string::npos, logged.find("mailto:sales@orvalis.com?subject=Velotune Sales Questions")) << logged;
    EXPECT_NE(std::string::npos, logged.find("mailto:support@orvalis.com?subject=Velotune Support Questions"))
        << logged;
    EXPECT_NE(std::string::npos, logged.find("http://www.orvalis.com")) << logged;
    e2e::Click(e2e::FindChild(about, IDOK));
    EXPECT_TRUE(e2e::WaitGone(about, kWait));
    ASSERT_TRUE(run.Close());
  }
}

TEST_F(ShellE2eTest, StartsAndClosesFromADeeplyNestedFolder) {
  std::string folder = program_;
  while (folder.size() < 200) {
    folder += "\\a deeper folder";
    CreateDirectoryA(folder.c_str(), nullptr);
  }
  ASSERT_TRUE(CopyFileA((program_ + "\\Velotune.exe").c_str(), (folder + "\\Velotune.exe").c_str(), FALSE));
  VelotuneRun run(folder);
  HWND main = run.WaitForMain();
  ASSERT_NE(nullptr, main);
  // The help link points into the program's own folder, however deep.
  HWND tree = e2e::FindChild(main, IDC_TUNEUP_TREE);
  ASSERT_TRUE(e2e::SelectTreeItem(tree, "RWIN"));
  EXPECT_TRUE(e2e::WaitForText(e2e::FindChild(main, IDC_PAGE_TITLE), "Receive Window (RWIN)", 5000));
  ASSERT_TRUE(run.Close());
  DeleteFileA((folder + "\\Velotune.exe").c_str());
}

}  // namespace
