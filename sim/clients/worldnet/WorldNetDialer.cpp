// WNConnect.exe: the lab's AT&T WorldNet dialer. The logon window "AT&T
// WorldNet Service Logon" has "&Login"; pressing it shows the connect window
// "AT&T WorldNet Service Connect" while it dials, which gains "&Retry" when
// the dial fails. Connected, it shows "Connected to AT&T WorldNet" with
// "Dis&connect" and its welcome window, which closes on Alt+F4. It reads the
// dialer settings of the first "Global Data" profile: "Prompt For Disconnect"
// other than 0 asks before hanging up; "Launch IE After Connect" other than
// 0 also opens the home page in a browser window.
//
// Scenario section [WorldNet]:
//   Outcomes   per login: connect, retry ("&Retry"), noconnect (no connect
//              window ever), vanish (the connect window goes, nothing connects)
//   LoginText  the logon button's text (&Login); empty: no such button
//   ConnectedTitle, WelcomeTitle (empty: no welcome window)
//   LogonMs, DialMs, WelcomeMs
#include <windows.h>

#include <string>

#include "framework/RegKey.h"
#include "sim/clients/common/ClientProgram.h"

namespace {

constexpr char kGlobalDataKey[] = "SOFTWARE\\AT&T\\WNClient\\Global Data";
constexpr char kLogonTitle[] = "AT&T WorldNet Service Logon";
constexpr char kConnectTitle[] = "AT&T WorldNet Service Connect";
// The lab's fixed AT&T WorldNet address, as the browser shows it.
constexpr char kHomePageTitle[] = "http://www.att.net/";

class WorldNetDialer : public ClientProgram {
 public:
  WorldNetDialer() : ClientProgram("WorldNet") {}

 protected:
  void Start() override {
    ReadDialerSettings();
    After(scenario_.Delay("LogonMs", 1000), [this] { ShowLogon(); });
  }

  void OnButton(HWND button, const std::string& text) override {
    HWND window = GetAncestor(button, GA_ROOT);
    if (window == logon_ && text == scenario_.Text("LoginText", "&Login")) {
      ShowWindow(logon_, SW_HIDE);
      Dial();
    } else if (text == "&Retry") {
      DestroyWindow(button);
      Dial();
    } else if (window == connect_ && text == "Cancel") {
      CloseConnectWindow();
      ShowWindow(logon_, SW_SHOWNORMAL);
    } else if (text == "Dis&connect") {
      if (promptForDisconnect_) {
        prompt_ = Question("WNPrompt", "AT&T WorldNet Service", "Do you want to disconnect?",
                           connected_);
      } else {
        HangUp();
      }
    } else if (window == prompt_) {
      DestroyWindow(prompt_);
      prompt_ = nullptr;
      if (text == "&Yes") HangUp();
    }
  }

  void OnClose(HWND window) override {
    if (window == logon_ || window == connect_ || window == connected_) {
      Quit();
      return;
    }
    if (window == prompt_) prompt_ = nullptr;
    DestroyWindow(window);
  }

  bool OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM, LRESULT&) override {
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) {
      log_.Write("active", ClientLog::Quoted(TextOf(window)));
    }
    return false;
  }

 private:
  void ReadDialerSettings() {
    RegKey profiles;
    std::string profile;
    if (profiles.Open(HKEY_LOCAL_MACHINE, kGlobalDataKey, KEY_READ) != ERROR_SUCCESS ||
        profiles.EnumSubkey(0, profile) != ERROR_SUCCESS) {
      log_.Write("read", "Global Data: no profile");
      return;
    }
    RegKey settings;
    settings.Open(profiles.Get(), profile, KEY_READ);
    launchBrowser_ = ReadSetting(settings, profile, "Launch IE After Connect");
    promptForDisconnect_ = ReadSetting(settings, profile, "Prompt For Disconnect");
  }

  // A setting as the dialer takes it: absent or unreadable counts as on.
  bool ReadSetting(const RegKey& settings, const std::string& profile, const char* name) {
    DWORD value = 1;
    bool read = settings.IsOpen() && settings.QueryDword(name, value) == ERROR_SUCCESS;
    log_.Write("read", "Global Data\\" + profile + " " + name + "=" +
                           (read ? std::to_string(value) : std::string("absent")));
    return value != 0;
  }

  void ShowLogon() {
    logon_ = TopLevel("WNLogon", kLogonTitle, 360, 220);
    Child(logon_, "STATIC", "User ID:", 10, 20, 80, 20);
    Child(logon_, "EDIT", "velotune", 100, 20, 200, 22, true, WS_BORDER);
    std::string login = scenario_.Text("LoginText", "&Login");
    if (!login.empty()) Button(logon_, login, 40, 120);
    Button(logon_, "Cancel", 180, 120);
  }

  void Dial() {
    std::string outcome = scenario_.NextDialOutcome("connect");
    log_.Write("dial", std::to_string(scenario_.Dials()) + " " + outcome);
    if (outcome == "noconnect") return;
    if (connect_ == nullptr) {
      connect_ = TopLevel("WNConnect", kConnectTitle, 360, 180);
      status_ = Child(connect_, "STATIC", "", 10, 20, 320, 20);
      Button(connect_, "Cancel", 130, 100);
    }
    SetWindowTextA(status_, "Dialing AT&T WorldNet...");
    HWND dialing = connect_;
    After(scenario_.Delay("DialMs", 3000), [this, outcome, dialing] {
      if (connect_ != dialing) return;  // cancelled meanwhile
      if (outcome == "retry") {
        SetWindowTextA(status_, "Unable to connect to AT&T WorldNet.");
        Button(connect_, "&Retry", 20, 100);
      } else if (outcome == "vanish") {
        CloseConnectWindow();
      } else {
        Connected();
      }
    });
  }

  void Connected() {
    link_.Up(ClientLink::FamilyValues());
    // The connected window is up before the connect window goes, so that a
    // watcher never sees neither.
    connected_ = TopLevel("WNStatus",
                          scenario_.Text("ConnectedTitle", "Connected to AT&T WorldNet"), 300, 150);
    Button(connected_, "Dis&connect", 100, 50, 100);
    CloseConnectWindow();
    After(scenario_.Delay("WelcomeMs", 1000), [this] {
      std::string title = scenario_.Text("WelcomeTitle", "Welcome to AT&T WorldNet Service");
      if (!title.empty()) TopLevel("WNWelcome", title, 500, 350);
      if (launchBrowser_) TopLevel("LabBrowser", kHomePageTitle, 500, 350);
    });
  }

  void CloseConnectWindow() {
    if (connect_ != nullptr) DestroyWindow(connect_);
    connect_ = nullptr;
    status_ = nullptr;
  }

  void HangUp() {
    link_.Down();
    DestroyWindow(connected_);
    connected_ = nullptr;
    ShowWindow(logon_, SW_SHOWNORMAL);
  }

  bool launchBrowser_ = true;
  bool promptForDisconnect_ = true;
  HWND logon_ = nullptr;
  HWND connect_ = nullptr;
  HWND status_ = nullptr;
  HWND connected_ = nullptr;
  HWND prompt_ = nullptr;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  WorldNetDialer dialer;
  return dialer.Run();
}
