// The Options dialog run in the test process: what it shows when it opens
// (and the two switches it writes when they are missing), the provider and
// profile lists, the Internet-dial offer, what OK writes and that Cancel
// writes nothing.
#include <windows.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "framework/RegKey.h"
#include "res/resource.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/RegistryFixture.h"
#include "tests/support/RegistrySnapshot.h"
#include "tests/ui/ControlProbe.h"
#include "tests/ui/ModalSteps.h"
#include "ui/OptionsDlg.h"

namespace {

using probe::Stored;

const std::string kProgramKey = "SOFTWARE\\Orvalis\\Velotune";
const std::string kDialUpProfile = kProgramKey + "\\DialUp Profile";
const std::string kOptions = kProgramKey + "\\Options";
const std::string kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kExplorerKey = "SOFTWARE\\Microsoft\\Internet Explorer";

std::string Key(const std::string& subkey) { return kDialUpProfile + "\\" + subkey; }

// Every value under a key, by path and name, as type and bytes.
void Dump(const std::string& path, std::map<std::string, std::string>& values) {
  RegKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, path, KEY_READ) != ERROR_SUCCESS) return;
  for (DWORD i = 0;; ++i) {
    char name[300] = {};
    DWORD nameLength = sizeof(name);
    BYTE data[1024] = {};
    DWORD dataLength = sizeof(data);
    DWORD type = 0;
    if (RegEnumValueA(key.Get(), i, name, &nameLength, nullptr, &type, data, &dataLength) != ERROR_SUCCESS) break;
    values[path + "|" + name] = std::to_string(type) + ":" + std::string(reinterpret_cast<char*>(data), dataLength);
  }
  for (DWORD i = 0;; ++i) {
    char name[300] = {};
    if (RegEnumKeyA(key.Get(), i, name, sizeof(name)) != ERROR_SUCCESS) break;
    Dump(path + "\\" + name, values);
  }
}

std::map<std::string, std::string> Everything() {
  std::map<std::string, std::string> values;
  Dump(kProgramKey, values);
  Dump(kRunKey, values);
  return values;
}

class RecordingOwner : public IOptionsOwner {
 public:
  RecordingOwner() { window_ = CreateWindowA("STATIC", "main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr); }
  ~RecordingOwner() override { DestroyWindow(window_); }
  void ShowTrayIcon() override { calls.push_back("show"); }
  void HideTrayIcon() override { calls.push_back("hide"); }
  HWND MainWindow() const override { return window_; }
  bool CloseWasPosted() const {
    MSG message = {};
    return PeekMessageA(&message, window_, WM_CLOSE, WM_CLOSE, PM_REMOVE) != FALSE;
  }
  std::vector<std::string> calls;

 private:
  HWND window_ = nullptr;
};

class OptionsDialogTest : public RegistryTest {
 protected:
  void SetUp() override {
    RegistryTest::SetUp();
    explorer_ = RegistryTreeSnapshot(kExplorerKey);
    SetBrowserVersion(nullptr);
  }
  void TearDown() override {
    explorer_.Restore();
    RegistryTest::TearDown();
  }
  static void SetBrowserVersion(const char* version) {
    RegKey key;
    key.Create(HKEY_LOCAL_MACHINE, kExplorerKey);
    if (version == nullptr) {
      key.DeleteValue("Version");
    } else {
      testreg::WriteText(kExplorerKey, "Version", version);
    }
  }

  // Opens the dialog, runs the steps, and cancels it when they leave it open.
  INT_PTR Run(std::vector<ModalSteps::Step> steps) {
    INT_PTR result = 0;
    ModalSteps::Run([&] { result = dialog_.DoModal(nullptr); }, std::move(steps), [&] {
      if (dialog_.Handle() != nullptr) PostMessageA(dialog_.Handle(), WM_COMMAND, IDCANCEL, 0);
    });
    return result;
  }
  HWND Control(int id) const { return GetDlgItem(dialog_.Handle(), id); }
  // Shown, even before the dialog itself appears.
  bool Visible(int id) const { return (GetWindowLongA(Control(id), GWL_STYLE) & WS_VISIBLE) != 0; }
  bool Checked(int id) const { return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  void Click(int id) const { SendMessageA(Control(id), BM_CLICK, 0, 0); }
  void Ok() const { Click(IDOK); }
  void ChooseProvider(const std::string& name) const {
    SendMessageA(Control(IDC_OPTIONS_PROVIDER), CB_SELECTSTRING, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageA(dialog_.Handle(), WM_COMMAND, MAKEWPARAM(IDC_OPTIONS_PROVIDER, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Control(IDC_OPTIONS_PROVIDER)));
  }
  void OpenProfiles() const {
    SendMessageA(Control(IDC_OPTIONS_PROFILE), CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageA(Control(IDC_OPTIONS_PROFILE), CB_SHOWDROPDOWN, FALSE, 0);
  }
  static std::vector<std::string> Items(HWND combo) { return probe::ComboItems(combo); }
  static std::string Selected(HWND combo) { return probe::ComboSelection(combo); }
  std::vector<std::string> Providers() const { return Items(Control(IDC_OPTIONS_PROVIDER)); }
  std::string Provider() const { return Selected(Control(IDC_OPTIONS_PROVIDER)); }
  std::string Profile() const { return Selected(Control(IDC_OPTIONS_PROFILE)); }

  RecordingOwner owner_;
  COptionsDlg dialog_{owner_};
  MessageBoxRecorder boxes_;
  RegistryTreeSnapshot explorer_;
};

TEST_F(OptionsDialogTest, OpeningWritesTheMissingSwitchesAndCancelWritesNothingElse) {
  std::map<std::string, std::string> opened;
  bool profileVisible = false, internetDialVisible = true, showDialer = true, singleClick = false;
  std::vector<std::string> providers;
  const INT_PTR result = Run({[&] {
    opened = Everything();
    providers = Providers();
    profileVisible = Visible(IDC_OPTIONS_PROFILE);
    internetDialVisible = Visible(IDC_OPTIONS_INTERNET_DIAL);
    showDialer = Checked(IDC_OPTIONS_SHOW_DIALER);
    singleClick = Checked(IDC_OPTIONS_SINGLE_CLICK);
    Click(IDC_OPTIONS_SHOW_DIALER);
    Click(IDC_OPTIONS_START_WITH_WINDOWS);
    Click(IDCANCEL);
  }});
  EXPECT_EQ(IDCANCEL, result);
  EXPECT_EQ("0", Stored(kOptions, "ShowVTDialer"));
  EXPECT_EQ("1", Stored(kOptions, "SingleClickDial"));
  EXPECT_TRUE(providers.empty());
  EXPECT_FALSE(profileVisible);  // no provider: no profile list
  EXPECT_FALSE(internetDialVisible);
  EXPECT_FALSE(showDialer);
  EXPECT_TRUE(singleClick);
  EXPECT_EQ(opened, Everything());
  EXPECT_TRUE(owner_.calls.empty());
  EXPECT_TRUE(boxes_.Boxes().empty());
}

TEST_F(OptionsDialogTest, ListsOnlyStoredProvidersInOrderAndOkWritesEachChoice) {
  testreg::WriteDword(kDialUpProfile, "DialUpType", 6);
  testreg::WriteText(Key("Windows Dial-Up Networking"), "Default Profile", "Lab ISP");
  testreg::CreateKey(Key("Windows Dial-Up Networking\\Lab ISP"));
  testreg::CreateKey(Key("Windows Dial-Up Networking\\Second ISP"));
  testreg::WriteText(Key("CompuServe 2000\\ScreenNames"), "Carl", "");
  testreg::CreateKey(Key("Juno"));
  testreg::CreateKey(Key("NetZero"));
  testreg::WriteDword(kOptions, "ShowVTDialer", 1);
  std::vector<std::string> providers, promptItems, opened;
  std::string provider, prompt;
  bool junoProfileVisible = true, csProfileVisible = false;
  Run({
      [&] {
        providers = Providers();
        provider = Provider();
        junoProfileVisible = Visible(IDC_OPTIONS_PROFILE);
        EXPECT_TRUE(Checked(IDC_OPTIONS_SHOW_DIALER));
        ChooseProvider("CompuServe 2000");
        csProfileVisible = Visible(IDC_OPTIONS_PROFILE);
        prompt = Profile();
        ChooseProvider("CompuServe 2000");  // the same again keeps the list
        promptItems = Items(Control(IDC_OPTIONS_PROFILE));
        Click(IDC_OPTIONS_SHOW_DIALER);
        Ok();  // the prompt names no screen name
      },
  });
  EXPECT_EQ((std::vector<std::string>{"Windows Dial-Up Networking", "CompuServe 2000", "NetZero", "Juno"}),
            providers);
  EXPECT_EQ("Juno", provider);
  EXPECT_FALSE(junoProfileVisible);
  EXPECT_TRUE(csProfileVisible);
  EXPECT_EQ("Select Screen Name", prompt);
  EXPECT_EQ((std::vector<std::string>{"Select Screen Name"}), promptItems);
  EXPECT_EQ("3", Stored(kDialUpProfile, "DialUpType"));
  EXPECT_EQ("<none>", Stored(Key("CompuServe 2000"), "DefaultScreenName"));
  EXPECT_EQ("0", Stored(kOptions, "ShowVTDialer"));
  EXPECT_EQ((std::vector<std::string>{"hide"}), owner_.calls);
  // The main window is hidden and the tray dialer switched off: the program ends.
  EXPECT_TRUE(owner_.CloseWasPosted());

  // The same object opens again and reads everything anew.
  Run({[&] {
    EXPECT_EQ("CompuServe 2000", Provider());
    EXPECT_EQ("<none>", Profile());
    OpenProfiles();
    opened = Items(Control(IDC_OPTIONS_PROFILE));
    EXPECT_EQ("<none>", Profile());  // the user must pick one
    SendMessageA(Control(IDC_OPTIONS_PROFILE), CB_SETCURSEL, 0, 0);
    Click(IDC_OPTIONS_SHOW_DIALER);
    Click(IDC_OPTIONS_SINGLE_CLICK);
    Click(IDC_OPTIONS_START_WITH_WINDOWS);
    Ok();
  }});
  EXPECT_EQ((std::vector<std::string>{"Carl"}), opened);
  EXPECT_EQ("Carl", Stored(Key("CompuServe 2000"), "DefaultScreenName"));
  EXPECT_EQ("1", Stored(kOptions, "ShowVTDialer"));
  EXPECT_EQ("0", Stored(kOptions, "SingleClickDial"));
  EXPECT_EQ("0", Stored(kOptions, "InternetDial"));
  const std::string entry = Stored(kRunKey, "Velotune");
  EXPECT_NE(std::string::npos, entry.find("\\Velotune.exe"));
  EXPECT_FALSE(owner_.CloseWasPosted());

  // A second OK with the box still checked leaves the entry as it is; clearing deletes it.
  testreg::WriteText(kRunKey, "Velotune", "written by hand");
  Run({[&] { EXPECT_TRUE(Checked(IDC_OPTIONS_START_WITH_WINDOWS)); Ok(); }});
  EXPECT_EQ(std::string("written by hand") + '\0', Stored(kRunKey, "Velotune"));
  Run({[&] {
    ChooseProvider("Windows Dial-Up Networking");
    EXPECT_TRUE(Visible(IDC_OPTIONS_INTERNET_DIAL));  // offered, cleared, on choosing it
    EXPECT_FALSE(Checked(IDC_OPTIONS_INTERNET_DIAL));
    OpenProfiles();
    EXPECT_EQ((std::vector<std::string>{"Lab ISP", "Second ISP"}), Items(Control(IDC_OPTIONS_PROFILE)));
    SendMessageA(Control(IDC_OPTIONS_PROFILE), CB_SETCURSEL, 1, 0);
    Click(IDC_OPTIONS_INTERNET_DIAL);
    Click(IDC_OPTIONS_START_WITH_WINDOWS);
    Ok();
  }});
  EXPECT_EQ("<none>", Stored(kRunKey, "Velotune"));
  EXPECT_EQ("1", Stored(kDialUpProfile, "DialUpType"));
  EXPECT_EQ("Second ISP", Stored(Key("Windows Dial-Up Networking"), "Default Profile"));
  EXPECT_EQ("1", Stored(kOptions, "InternetDial"));
}

TEST_F(OptionsDialogTest, InternetDialIsOfferedByTheStoredChoiceOrANewerBrowserWithEntries) {
  struct Case {
    const char* name;
    int provider;
    int internetDial;  // -1: not stored
    const char* version;
    const char* entryKey;
    bool offered;
  };
  const Case cases[] = {
      {"stored, version ignored", 1, 1, "4.72.3110.0", "DUN", true},
      {"old browser", 1, -1, "4.72.3110.0", "DUN", false},
      {"newer browser, DUN entries", 1, -1, "5.00.2919.6307", "DUN", true},
      {"newer browser, MSN entries", 4, -1, "5.00.2919.6307", "MSN", true},
      {"no version", 4, -1, nullptr, "MSN", true},
      {"no entries", 1, -1, "5.00.2919.6307", nullptr, false},
      {"another provider", 2, -1, "5.00.2919.6307", "DUN", false},
  };
  for (const Case& c : cases) {
    ClearOwnedKeys();
    SetBrowserVersion(c.version);
    testreg::WriteDword(kDialUpProfile, "DialUpType", static_cast<DWORD>(c.provider));
    if (c.internetDial >= 0) testreg::WriteDword(kOptions, "InternetDial", static_cast<DWORD>(c.internetDial));
    if (c.entryKey != nullptr) testreg::CreateKey(Key(c.entryKey) + "\\Some Entry");
    bool offered = false, checked = false;
    Run({[&] { offered = Visible(IDC_OPTIONS_INTERNET_DIAL); checked = Checked(IDC_OPTIONS_INTERNET_DIAL); }});
    EXPECT_EQ(c.offered, offered) << c.name;
    EXPECT_EQ(c.internetDial == 1, checked) << c.name;
  }
}

TEST_F(OptionsDialogTest, AProviderThatIsNoneKeepsTheStoredOnesAndWritesNoKind) {
  testreg::CreateKey(Key("Juno"));
  testreg::CreateKey(Key("Prodigy\\Lab ISP"));
  for (int stored : {-1, 0, 42}) {
    testreg::DeleteTree(kDialUpProfile + "\\DialUpType");
    if (stored >= 0) {
      testreg::WriteDword(kDialUpProfile, "DialUpType", static_cast<DWORD>(stored));
    } else {
      RegKey key;
      if (key.Open(HKEY_LOCAL_MACHINE, kDialUpProfile) == ERROR_SUCCESS) key.DeleteValue("DialUpType");
    }
    std::vector<std::string> providers;
    std::string provider;
    Run({[&] { providers = Providers(); provider = Provider(); Ok(); }});
    EXPECT_EQ((std::vector<std::string>{"Prodigy", "Juno"}), providers) << stored;
    EXPECT_EQ("<none>", provider) << stored;
    EXPECT_EQ(stored >= 0 ? std::to_string(stored) : "<none>", Stored(kDialUpProfile, "DialUpType")) << stored;
  }
  // 45 screen names: the list holds the first 41.
  for (int i = 0; i < 45; ++i) testreg::WriteText(Key("America Online\\ScreenNames"), "Name " + std::to_string(100 + i), "");
  testreg::WriteDword(kDialUpProfile, "DialUpType", 2);
  size_t listed = 0;
  Run({[&] { OpenProfiles(); listed = Items(Control(IDC_OPTIONS_PROFILE)).size(); }});
  EXPECT_EQ(41u, listed);
}

}  // namespace
