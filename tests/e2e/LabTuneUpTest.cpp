// The lab tune-up fixture: the machine, the profile and the lab's pace.
#include "tests/e2e/LabTuneUpTest.h"

#include <vector>

#include "framework/RegKey.h"
#include "res/resource.h"
#include "engine/portable/TestRecord.h"
#include "settings/DialUpProfile.h"
#include "settings/SettingsStore.h"
#include "settings/portable/OsFamily.h"
#include "tests/e2e/WindowDriver.h"
#include "tests/e2e/WineTray.h"
#include "tests/support/AutoRecord.h"
#include "tests/support/LabClient.h"
#include "tests/support/NetworkLayouts.h"

namespace {

const char kEntry[] = "Lab ISP";
const char kAppDefaults[] = "Software\\Wine\\AppDefaults\\Velotune.exe";
const char kBackupKey[] = "SOFTWARE\\Orvalis\\Velotune\\Backup Registry";
const char kOptionsKey[] = "SOFTWARE\\Orvalis\\Velotune\\Options";
const DWORD kTrayWait = 30000;
// The best values the tray dials with; the user's are 1500, 8192 (or none) and 32.
const int kBestRwin = 5760;
const int kBestTtl = 128;

}  // namespace

LabTuneUpTest::LabTuneUpTest(const std::string& folder)
    : phonebook_(std::vector<std::string>{kEntry}, "Login=velotune\nPassword=tuneup\nSpeed=48000\n"),
      phonebookName_("VELOTUNE_LAB_PHONEBOOK", phonebook_.Path().c_str()),
      program_(TestFolder() + "\\" + folder) {}

void LabTuneUpTest::SetUp() {
  RegistryTest::SetUp();
  ASSERT_FALSE(lab::Address().empty()) << "the lab's ISP server is not running";
  RegKey defaults;
  ASSERT_EQ(ERROR_SUCCESS, defaults.Create(HKEY_CURRENT_USER, kAppDefaults));
  const char family[] = "win98";
  RegSetValueExA(defaults.Get(), "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(family),
                 sizeof(family));
  netlayout::LayOut(netlayout::Windows9x{});
  CDialUpProfile profile(1);
  ASSERT_EQ(0, profile.SetDefaultProfile(kEntry));
  profile.SetLoginPassword(kEntry, "velotune", "tuneup");
  profile.SetRedial(kEntry, 10);
  profile.SetUrl(kEntry, "http://www.velotune-lab.test");
  CSettingsStore store;
  store.SetProviderKind(1);
  store.SetTuneUpType(1);
  // Paced fast and without noise: the tests come quickly and in order.
  lab::MustControl("config?seed=7&noise=0&scale=0.02");
}

void LabTuneUpTest::TearDown() {
  std::string answer;
  lab::Control("fail-images?count=0", answer);
  lab::Control("config?seed=0&noise=2&scale=1", answer);
  lab::Control("link-down", answer);
  RegKey defaults;
  if (defaults.Open(HKEY_CURRENT_USER, kAppDefaults) == ERROR_SUCCESS) {
    defaults.DeleteValue("Version");
  }
  RegistryTest::TearDown();
}

std::string LabTuneUpTest::TestFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.rfind('\\'));
}

RegistryValueMap LabTuneUpTest::UserState() {
  RegistryValueMap state;
  for (const std::string& tree : {std::string(netlayout::kServices9x) + "\\Class",
                                  std::string(netlayout::kServices9x) + "\\VxD",
                                  std::string("Enum\\Root\\Net"),
                                  std::string("SOFTWARE\\America Online")}) {
    for (const auto& [name, value] : FlattenValues(tree)) state[tree + name] = value;
  }
  return state;
}

bool LabTuneUpTest::WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(10);
  }
  return true;
}

bool LabTuneUpTest::MarkSet() { return testreg::ValueExists(kBackupKey, "Restore Pending"); }

bool LabTuneUpTest::LinkUp() { return lab::StatusValue("link") == "up"; }

bool LabTuneUpTest::StartAutoTuneUp(HWND main) {
  return e2e::SelectTreeItem(e2e::FindChild(main, IDC_TUNEUP_TREE), "Auto Tune-Up") &&
         e2e::PostCommand(main, ID_TUNEUP_START);
}

void LabTuneUpTest::PrepareTrayDial() {
  testreg::WriteDword(kOptionsKey, "ShowVTDialer", 1);
  CSettingsStore store(kOsWindows98);
  const int best[][2] = {{kParameterMtu, kTrayBestMtu}, {kParameterRwin, kBestRwin},
                         {kParameterTtl, kBestTtl}};
  for (const auto& value : best) {
    EXPECT_EQ(0, store.StoreBest(testsupport::AutoRecord(value[0], value[1])));
  }
}

HWND LabTuneUpTest::StartInTray() {
  const std::vector<HWND> known = e2e::TrayIcons();
  if (!program_.Start()) return nullptr;
  HWND icon = e2e::WaitForNewTrayIcon(known, kTrayWait);
  HWND main = program_.WaitForMain(kTrayWait, false);
  if (icon == nullptr || main == nullptr) return nullptr;
  // Start-up ends by hiding the main window beside the icon.
  if (!WaitFor([main] { return !IsWindowVisible(main); }, kTrayWait)) return nullptr;
  return e2e::WaitUntilIdle(main, kTrayWait) ? icon : nullptr;
}

bool LabTuneUpTest::TrayDial(HWND icon) {
  e2e::LeftClickTrayIcon(icon);
  return WaitFor([] { return LinkUp() && !MarkSet(); }, kTrayWait) &&
         lab::StatusNumber("mtu") == kTrayBestMtu;
}

bool LabTuneUpTest::TrayHangUp(HWND icon) {
  e2e::LeftClickTrayIcon(icon);
  HWND main = program_.WaitForMain(kTrayWait, false);
  return WaitFor([] { return !LinkUp(); }, kTrayWait) && main != nullptr &&
         e2e::WaitUntilIdle(main, kTrayWait);
}
