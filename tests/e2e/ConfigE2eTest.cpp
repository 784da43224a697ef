// Velotune.exe's configuration through its own windows in the lab: the
// first start runs the configuration wizard over the shown main window, the
// Dial-Up Networking branch stores the lab's profile and the backup follows;
// a later start runs no wizard; "&Browse" takes a path typed into the
// system's open dialog; the Options dialog opens from the menu and writes only
// on OK; the same branch and an Options change done with the keyboard alone.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "framework/RegKey.h"
#include "res/resource.h"
#include "tests/e2e/VelotuneRun.h"
#include "tests/e2e/WindowDriver.h"
#include "tests/support/LabPhonebookFile.h"
#include "tests/support/NetworkLayouts.h"
#include "tests/support/RegistryFixture.h"
#include "tests/support/ScopedEnvironment.h"

namespace {

const std::string kProgramKey = "SOFTWARE\\Orvalis\\Velotune";
const std::string kDialUpProfile = kProgramKey + "\\DialUp Profile";
const std::string kEntry = kDialUpProfile + "\\Windows Dial-Up Networking\\Lab ISP";
const char kAppDefaults[] = "Software\\Wine\\AppDefaults\\Velotune.exe";
const DWORD kWait = 30000;
const int kReadOnlyBox = 1040;  // the open dialog's "Open as read-only"

// A value as text. Windows 9x keeps a terminating zero after every text it
// stores, whatever length it is given; that one zero is left out here (the
// component tests check the exact bytes on the NT family).
std::string Stored(const std::string& key, const std::string& name) {
  DWORD type = 0;
  std::vector<BYTE> data;
  if (!testreg::ReadRaw(key, name, type, data)) return "<none>";
  if (type == REG_DWORD && data.size() == 4) return std::to_string(*reinterpret_cast<DWORD*>(data.data()));
  if (!data.empty() && data.back() == 0) data.pop_back();
  return std::string(data.begin(), data.end());
}

class ConfigE2eTest : public RegistryTest {
 protected:
  void SetUp() override {
    RegistryTest::SetUp();
    program_ = e2e::TestFolder() + "\\config-e2e";
    CreateDirectoryA(program_.c_str(), nullptr);
    const std::string tests = e2e::TestFolder();
    CopyFileA((tests + "\\..\\ui\\Velotune.exe").c_str(), (program_ + "\\Velotune.exe").c_str(), FALSE);
    // The lab's RAS stand-in beside the program, as the lab places it.
    CopyFileA((tests + "\\rasapi32.dll").c_str(), (program_ + "\\rasapi32.dll").c_str(), FALSE);
    boxes_ = program_ + "\\boxes.txt";
    DeleteFileA(boxes_.c_str());
    // Windows 98 with its TCP/IP keys, so that the start-up's backup has values to copy.
    RegKey defaults;
    defaults.Create(HKEY_CURRENT_USER, kAppDefaults);
    RegSetValueExA(defaults.Get(), "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("win98"), 6);
    netlayout::LayOut(netlayout::Windows9x{});
  }
  void TearDown() override {
    RegKey defaults;
    if (defaults.Open(HKEY_CURRENT_USER, kAppDefaults) == ERROR_SUCCESS) defaults.DeleteValue("Version");
    RegistryTest::TearDown();
  }

  std::string Boxes() const {
    std::ifstream file(boxes_);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
  }
  // What the Dial-Up Networking branch with the lab's answers leaves.
  static void ExpectLabProfileStored(const std::string& tuneUpType) {
    EXPECT_EQ("1", Stored(kDialUpProfile, "DialUpType"));
    EXPECT_EQ(tuneUpType, Stored(kDialUpProfile, "TuneUp Type"));
    EXPECT_EQ("Lab ISP", Stored(kDialUpProfile + "\\Windows Dial-Up Networking", "Default Profile"));
    EXPECT_EQ("velotune", Stored(kEntry, "Login"));
    EXPECT_EQ("9:3*:5", Stored(kEntry, "Password"));
    EXPECT_EQ("3", Stored(kEntry, "Redial"));
    EXPECT_EQ("http://www.yahoo.com", Stored(kEntry, "URL"));
  }
  // The page the wizard shows now.
  static HWND Page(HWND wizard) {
    return reinterpret_cast<HWND>(SendMessageA(wizard, PSM_GETCURRENTPAGEHWND, 0, 0));
  }
  // Waits until the wizard shows the page that holds the control.
  static HWND WaitForPage(HWND wizard, int controlId) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kWait) {
      HWND page = Page(wizard);
      if (page != nullptr && GetDlgItem(page, controlId) != nullptr) return page;
      Sleep(30);
    }
    return nullptr;
  }
  // Tools, Configuration Wizard, from the keyboard; the wizard once its welcome page shows.
  static HWND OpenWizardWithKeys(HWND main) {
    e2e::TypeKey(main, 'O', {VK_MENU});
    if (e2e::WaitForWindow("#32768", "", 5000) == nullptr) return nullptr;
    e2e::TypeKey(main, 'C');
    HWND wizard = e2e::WaitForWindow("#32770", "Configuration Wizard", kWait);
    return wizard != nullptr && WaitForPage(wizard, IDC_WIZARD_ART) != nullptr ? wizard : nullptr;
  }
  // Waits until the condition holds.
  static bool WaitFor(const std::function<bool()>& done) {
    const DWORD start = GetTickCount();
    while (!done()) {
      if (GetTickCount() - start > kWait) return false;
      Sleep(20);
    }
    return true;
  }
  // Waits until the control has the keyboard focus.
  static bool WaitForFocus(HWND control) {
    return WaitFor([control] { return e2e::FocusOf(control) == control; });
  }
  static void Press(HWND wizard, int button) { PostMessageA(wizard, PSM_PRESSBUTTON, button, 0); }
  static void SetText(HWND control, const std::string& text) {
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }

  std::string program_;
  std::string boxes_;
  ScopedEnvironment scale_{"VELOTUNE_TIME_SCALE", "0.2"};
  ScopedEnvironment boxLog_{"VELOTUNE_MESSAGEBOX_LOG", nullptr};
};

TEST_F(ConfigE2eTest, FirstStartStoresTheLabProfileThroughTheWizardAndOptionsWriteOnlyOnOk) {
  LabPhonebookFile book(std::vector<std::string>{"Zeta ISP", "Lab ISP"});
  ScopedEnvironment log("VELOTUNE_MESSAGEBOX_LOG", boxes_.c_str());
  {
    e2e::VelotuneRun run(program_);
    HWND main = run.WaitForMain();
    ASSERT_NE(nullptr, main);
    HWND wizard = e2e::WaitForWindow("#32770", "Configuration Wizard", kWait);
    ASSERT_NE(nullptr, wizard);
    EXPECT_EQ(main, GetWindow(wizard, GW_OWNER));
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_FALSE(IsWindowEnabled(main));
    // No backup while the wizard is open: it follows the wizard.
    EXPECT_EQ("<none>", Stored(kProgramKey + "\\Backup Registry", "BackupStatus"));

    ASSERT_NE(nullptr, WaitForPage(wizard, IDC_WIZARD_ART));
    Press(wizard, PSBTN_NEXT);
    HWND page = WaitForPage(wizard, IDC_TUNEUP_EXPRESS);
    ASSERT_NE(nullptr, page);
    e2e::Click(GetDlgItem(page, IDC_TUNEUP_EXPRESS));
    Press(wizard, PSBTN_NEXT);
    page = WaitForPage(wizard, IDC_PROVIDER_LIST);
    ASSERT_NE(nullptr, page);
    const char provider[] = "Windows Dial-Up Networking";
    SendMessageA(GetDlgItem(page, IDC_PROVIDER_LIST), LB_SELECTSTRING, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(provider));
    Press(wizard, PSBTN_NEXT);
    page = WaitForPage(wizard, IDC_LOGIN_EDIT);
    ASSERT_NE(nullptr, page);
    const char entry[] = "Lab ISP";
    SendMessageA(GetDlgItem(page, IDC_PROFILE_LIST), CB_SELECTSTRING, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(entry));
    SetText(GetDlgItem(page, IDC_LOGIN_EDIT), "velotune");
    SetText(GetDlgItem(page, IDC_PASSWORD_EDIT), "tuneup");
    SetText(GetDlgItem(page, IDC_REDIAL_EDIT), "3");
    Press(wizard, PSBTN_NEXT);
    page = WaitForPage(wizard, IDC_ADDRESS_EDIT);
    ASSERT_NE(nullptr, page);
    EXPECT_EQ("http://", e2e::Text(GetDlgItem(page, IDC_ADDRESS_EDIT)));
    SetText(GetDlgItem(page, IDC_ADDRESS_EDIT), "www.yahoo.com/");
    Press(wizard, PSBTN_FINISH);
    ASSERT_TRUE(e2e::WaitGone(wizard, kWait));

    ExpectLabProfileStored("1");
    const DWORD start = GetTickCount();
    while (Stored(kProgramKey + "\\Backup Registry", "BackupStatus") != "1" && GetTickCount() - start < kWait) {
      Sleep(50);
    }
    EXPECT_EQ("1", Stored(kProgramKey + "\\Backup Registry", "BackupStatus"));

    // Options from the menu: opening writes the missing switches, Cancel nothing more.
    e2e::PostCommand(main, ID_TOOLS_OPTIONS);
    HWND options = e2e::WaitForWindow("#32770", "Options", kWait);
    ASSERT_NE(nullptr, options);
    EXPECT_EQ("0", Stored(kProgramKey + "\\Options", "ShowVTDialer"));
    EXPECT_EQ("1", Stored(kProgramKey + "\\Options", "SingleClickDial"));
    EXPECT_EQ(provider, e2e::Text(e2e::FindChild(options, IDC_OPTIONS_PROVIDER)));
    EXPECT_EQ(entry, e2e::Text(e2e::FindChild(options, IDC_OPTIONS_PROFILE)));
    e2e::Click(e2e::FindChild(options, IDC_OPTIONS_START_WITH_WINDOWS));
    e2e::Click(e2e::FindChild(options, IDCANCEL));
    ASSERT_TRUE(e2e::WaitGone(options, kWait));
    EXPECT_EQ("<none>", Stored("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Velotune"));
    // Again, and OK.
    e2e::PostCommand(main, ID_TOOLS_OPTIONS);
    options = e2e::WaitForWindow("#32770", "Options", kWait);
    ASSERT_NE(nullptr, options);
    e2e::Click(e2e::FindChild(options, IDC_OPTIONS_START_WITH_WINDOWS));
    e2e::Click(e2e::FindChild(options, IDOK));
    ASSERT_TRUE(e2e::WaitGone(options, kWait));
    EXPECT_EQ(program_ + "\\Velotune.exe", Stored("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Velotune"));
    ASSERT_TRUE(run.Close());
  }
  EXPECT_EQ("", Boxes());
  // A later start runs no wizard; the menu command runs it.
  e2e::VelotuneRun run(program_);
  HWND main = run.WaitForMain();
  ASSERT_NE(nullptr, main);
  EXPECT_EQ(nullptr, e2e::WaitForWindow("#32770", "Configuration Wizard", 1500));
  e2e::PostCommand(main, ID_TOOLS_CONFIG_WIZARD);
  HWND wizard = e2e::WaitForWindow("#32770", "Configuration Wizard", kWait);
  ASSERT_NE(nullptr, wizard);
  // America Online's "&Browse" opens the system's open dialog; a path typed there comes back.
  ASSERT_NE(nullptr, WaitForPage(wizard, IDC_WIZARD_ART));
  Press(wizard, PSBTN_NEXT);
  ASSERT_NE(nullptr, WaitForPage(wizard, IDC_TUNEUP_EXPRESS));
  Press(wizard, PSBTN_NEXT);
  HWND page = WaitForPage(wizard, IDC_PROVIDER_LIST);
  ASSERT_NE(nullptr, page);
  SendMessageA(GetDlgItem(page, IDC_PROVIDER_LIST), LB_SELECTSTRING, static_cast<WPARAM>(-1),
               reinterpret_cast<LPARAM>("America Online"));
  Press(wizard, PSBTN_NEXT);
  page = WaitForPage(wizard, IDC_BROWSE);
  ASSERT_NE(nullptr, page);
  e2e::Click(GetDlgItem(page, IDC_BROWSE));
  HWND open = e2e::WaitForWindow("#32770", "Open", kWait);
  ASSERT_NE(nullptr, open);
  EXPECT_EQ(wizard, GetWindow(open, GW_OWNER));
  EXPECT_FALSE(IsWindowVisible(e2e::FindChild(open, kReadOnlyBox)));
  // The file name box has the focus with "*.exe" in it: typed over, then Enter.
  HWND fileName = e2e::FocusOf(open);
  ASSERT_TRUE(e2e::WaitForText(fileName, "*.exe", kWait));
  const std::string chosen = program_ + "\\Velotune.exe";
  e2e::TypeKey(open, VK_HOME);
  e2e::TypeKey(open, VK_END, {VK_SHIFT});
  e2e::TypeText(open, chosen);
  EXPECT_TRUE(e2e::WaitForText(fileName, chosen, kWait));
  e2e::TypeKey(open, VK_RETURN);
  ASSERT_TRUE(e2e::WaitGone(open, kWait));
  EXPECT_EQ(chosen, e2e::Text(GetDlgItem(page, IDC_ADDRESS_EDIT)));
  e2e::Click(e2e::FindChild(wizard, IDCANCEL));
  ASSERT_TRUE(e2e::WaitGone(wizard, kWait));
  ASSERT_TRUE(run.Close());
}

TEST_F(ConfigE2eTest, TheWizardAndAnOptionsChangeWithTheKeyboardAlone) {
  LabPhonebookFile book(std::vector<std::string>{"Zeta ISP", "Lab ISP"});
  ScopedEnvironment log("VELOTUNE_MESSAGEBOX_LOG", boxes_.c_str());
  testreg::CreateKey(kDialUpProfile);  // configured before: no wizard at start
  e2e::VelotuneRun run(program_);
  HWND main = run.WaitForMain();
  ASSERT_NE(nullptr, main);
  // Enter leaves the welcome page.
  HWND wizard = OpenWizardWithKeys(main);
  ASSERT_NE(nullptr, wizard);
  e2e::TypeKey(wizard, VK_RETURN);
  // None of the types is checked: the label's mnemonic still reaches the first, the arrow the next.
  HWND page = WaitForPage(wizard, IDC_TUNEUP_EXPRESS);
  ASSERT_NE(nullptr, page);
  HWND express = GetDlgItem(page, IDC_TUNEUP_EXPRESS);
  e2e::TypeKey(wizard, 'T', {VK_MENU});
  EXPECT_TRUE(WaitForFocus(express));
  // Tab leaves the group and comes round to it again.
  HWND focus = express;
  for (int tabs = 0; tabs < 8; ++tabs) {
    e2e::TypeKey(wizard, VK_TAB);
    ASSERT_TRUE(WaitFor([&] { return e2e::FocusOf(wizard) != focus; }));
    focus = e2e::FocusOf(wizard);
    if (focus == express) break;
  }
  EXPECT_EQ(express, focus);
  e2e::TypeKey(wizard, VK_DOWN);
  e2e::TypeKey(wizard, VK_SPACE);
  e2e::TypeKey(wizard, VK_RETURN);
  page = WaitForPage(wizard, IDC_PROVIDER_LIST);
  ASSERT_NE(nullptr, page);
  e2e::TypeKey(wizard, 'S', {VK_MENU});
  e2e::TypeKey(wizard, VK_HOME);  // "Windows Dial-Up Networking"
  e2e::TypeKey(wizard, VK_RETURN);
  page = WaitForPage(wizard, IDC_LOGIN_EDIT);
  ASSERT_NE(nullptr, page);
  e2e::TypeKey(wizard, 'D', {VK_MENU});
  e2e::TypeKey(wizard, VK_HOME);  // the sorted list's first: "Lab ISP"
  e2e::TypeKey(wizard, 'L', {VK_MENU});
  e2e::TypeText(wizard, "velotune");
  e2e::TypeKey(wizard, 'P', {VK_MENU});
  e2e::TypeText(wizard, "tuneup");
  e2e::TypeKey(wizard, 'R', {VK_MENU});  // the whole "10" is selected and typed over
  e2e::TypeText(wizard, "3");
  e2e::TypeKey(wizard, VK_RETURN);
  page = WaitForPage(wizard, IDC_ADDRESS_EDIT);
  ASSERT_NE(nullptr, page);
  e2e::TypeKey(wizard, 'W', {VK_MENU});
  e2e::TypeText(wizard, "www.yahoo.com/");
  e2e::TypeKey(wizard, VK_RETURN);  // Finish
  ASSERT_TRUE(e2e::WaitGone(wizard, kWait));
  ExpectLabProfileStored("2");
  // Escape cancels a second run at its first page.
  wizard = OpenWizardWithKeys(main);
  ASSERT_NE(nullptr, wizard);
  e2e::TypeKey(wizard, VK_ESCAPE);
  ASSERT_TRUE(e2e::WaitGone(wizard, kWait));

  // Tools, its second item, Options: the first check box has the focus.
  e2e::TypeKey(main, 'O', {VK_MENU});
  ASSERT_NE(nullptr, e2e::WaitForWindow("#32768", "", 5000));
  e2e::TypeKey(main, VK_DOWN);
  e2e::TypeKey(main, VK_RETURN);
  HWND options = e2e::WaitForWindow("#32770", "Options", kWait);
  ASSERT_NE(nullptr, options);
  e2e::TypeKey(options, VK_SPACE);  // "Show Velotune Dialer"
  // Tab on to the profile list; Alt+Down opens it refilled, with nothing chosen; Down and Enter choose.
  HWND profiles = e2e::FindChild(options, IDC_OPTIONS_PROFILE);
  for (int tabs = 0; tabs < 4; ++tabs) e2e::TypeKey(options, VK_TAB);
  EXPECT_TRUE(WaitForFocus(profiles));
  e2e::TypeKey(options, VK_DOWN, {VK_MENU});
  EXPECT_TRUE(WaitFor([&] { return SendMessageA(profiles, CB_GETDROPPEDSTATE, 0, 0) != FALSE; }));
  EXPECT_EQ(CB_ERR, SendMessageA(profiles, CB_GETCURSEL, 0, 0));
  EXPECT_EQ(1, SendMessageA(profiles, CB_GETCOUNT, 0, 0));
  e2e::TypeKey(options, VK_DOWN);
  e2e::TypeKey(options, VK_RETURN);
  EXPECT_TRUE(WaitFor([&] { return SendMessageA(profiles, CB_GETDROPPEDSTATE, 0, 0) == FALSE; }));
  EXPECT_EQ("Lab ISP", e2e::Text(profiles));
  e2e::TypeKey(options, VK_RETURN);
  ASSERT_TRUE(e2e::WaitGone(options, kWait));
  EXPECT_EQ("1", Stored(kProgramKey + "\\Options", "ShowVTDialer"));
  EXPECT_EQ("Lab ISP", Stored(kDialUpProfile + "\\Windows Dial-Up Networking", "Default Profile"));
  // With the dialer's icon, closing the window only hides it.
  PostMessageA(main, WM_CLOSE, 0, 0);
  const DWORD start = GetTickCount();
  while (IsWindowVisible(main) && GetTickCount() - start < kWait) Sleep(20);
  EXPECT_FALSE(IsWindowVisible(main));
  EXPECT_FALSE(run.WaitForExit(300));
  // Options with the window hidden: clearing the dialer ends the program.
  ASSERT_TRUE(e2e::PostCommand(main, ID_TOOLS_OPTIONS));
  options = e2e::WaitForWindow("#32770", "Options", kWait);
  ASSERT_NE(nullptr, options);
  e2e::TypeKey(options, VK_SPACE);
  e2e::TypeKey(options, VK_RETURN);
  EXPECT_TRUE(run.WaitForExit());
  EXPECT_EQ("0", Stored(kProgramKey + "\\Options", "ShowVTDialer"));
  EXPECT_EQ("", Boxes());
}

}  // namespace
