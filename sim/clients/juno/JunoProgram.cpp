// Juno.exe: the lab's Juno program. Its main window "JunoMainWndXQW21"
// holds "FREEMAILVIEW" and in it "WebView", with a "ToolbarWindow32" whose
// clicks are logged by button. The welcome window "Welcome to Juno (Version
// 5.0)" has "&Password:" followed by the saved password's field and "&World
// Wide Web", which dials: "Cance&l" in the web view while it dials, then
// "Disc&onnect" once connected, or the error window "Juno Web" with "OK".
// The user's juno.ini (section Options) decides whether leaving the web and
// closing Juno ask first ("Confirm Web Disconnect", "Confirm Exit": anything
// but FALSE asks).
//
// Scenario section [Juno]:
//   Outcomes   per dial: connect, fail (the error window, no connection),
//              nocancel (connects without ever showing "Cance&l")
//   Password   the saved password (secret); empty: an empty field
//   User       the user folder beside the program's folder (USER0001)
//   MainMs, WelcomeMs, DialMs, CloseMs (how long closing takes)
#include <windows.h>

#include <string>

#include "sim/clients/common/ClientProgram.h"

namespace {

constexpr char kWelcomeTitle[] = "Welcome to Juno (Version 5.0)";
constexpr int kToolbarButtonWidth = 33;
const char* const kToolbarButtons[] = {"Back", "Forward", "Stop", "Refresh",
                                       "Home", "Search", "Print"};

// The folder that holds the program's folder and the user folders.
std::string JunoFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  folder = folder.substr(0, folder.rfind('\\'));
  return folder.substr(0, folder.rfind('\\'));
}

class JunoProgram : public ClientProgram {
 public:
  JunoProgram() : ClientProgram("Juno") {}

 protected:
  void Start() override {
    ReadUserSettings();
    After(scenario_.Delay("MainMs", 800), [this] { ShowMain(); });
  }

  void OnButton(HWND button, const std::string& text) override {
    if (text == "&World Wide Web") {
      DestroyWindow(welcome_);
      welcome_ = nullptr;
      Dial();
    } else if (text == "Cance&l") {
      DestroyWindow(cancel_);
      cancel_ = nullptr;
      log_.Write("dial", "cancelled");
    } else if (text == "Disc&onnect") {
      if (confirmWebDisconnect_) {
        Question("JunoConfirm", "Confirm Web Disconnect", "Leave the Web and disconnect?", main_);
      } else {
        LeaveWeb();
      }
    } else if (text == "OK" || text == "&No") {
      DestroyWindow(GetAncestor(button, GA_ROOT));
      EnableWindow(main_, TRUE);
    } else if (text == "&Yes") {
      std::string title = TextOf(GetAncestor(button, GA_ROOT));
      DestroyWindow(GetAncestor(button, GA_ROOT));
      if (title == "Confirm Exit") {
        Exit();
      } else {
        LeaveWeb();
      }
    }
  }

  void OnClose(HWND window) override {
    if (window != main_) {
      if (window == welcome_) welcome_ = nullptr;
      DestroyWindow(window);
      return;
    }
    if (confirmExit_) {
      EnableWindow(main_, FALSE);
      Question("JunoConfirm", "Confirm Exit", "Do you really want to exit Juno?", main_);
    } else {
      Exit();
    }
  }

  bool OnMessage(HWND window, UINT message, WPARAM, LPARAM lParam, LRESULT& result) override {
    if (message != WM_LBUTTONUP || window != toolbar_) return false;
    int x = static_cast<short>(LOWORD(lParam));
    int index = x / kToolbarButtonWidth;
    constexpr int kButtons = sizeof(kToolbarButtons) / sizeof(kToolbarButtons[0]);
    if (x >= 0 && index < kButtons) log_.Write("toolbar", ClientLog::Quoted(kToolbarButtons[index]));
    result = 0;
    return true;
  }

 private:
  bool AsksFirst(const std::string& ini, const char* key) {
    char value[64] = {};
    GetPrivateProfileStringA("Options", key, "TRUE", value, sizeof(value), ini.c_str());
    log_.Write("read", scenario_.Text("User", "USER0001") + "\\juno.ini Options " + key + "=" +
                           value);
    return lstrcmpiA(value, "FALSE") != 0;
  }

  void ReadUserSettings() {
    std::string ini = JunoFolder() + "\\" + scenario_.Text("User", "USER0001") + "\\juno.ini";
    confirmWebDisconnect_ = AsksFirst(ini, "Confirm Web Disconnect");
    confirmExit_ = AsksFirst(ini, "Confirm Exit");
  }

  void ShowMain() {
    main_ = TopLevel("JunoMainWndXQW21", "Juno", 640, 480);
    HWND mailView = Child(main_, "JunoView", "FREEMAILVIEW", 0, 0, 620, 440);
    webView_ = Child(mailView, "JunoView", "WebView", 0, 0, 600, 420);
    toolbar_ = Child(webView_, "ToolbarWindow32", "", 0, 0, 600, 40);
    After(scenario_.Delay("WelcomeMs", 1000), [this] { ShowWelcome(); });
  }

  void ShowWelcome() {
    welcome_ = TopLevel("JunoWelcome", kWelcomeTitle, 360, 220, true, main_);
    Child(welcome_, "STATIC", "&Password:", 10, 20, 80, 20);
    Child(welcome_, "EDIT", scenario_.Text("Password", "secret"), 100, 20, 200, 22, true,
          WS_BORDER | ES_AUTOHSCROLL);
    Button(welcome_, "&World Wide Web", 20, 80, 140);
    Button(welcome_, "&Mail", 180, 80, 140);
  }

  void Dial() {
    std::string outcome = scenario_.NextDialOutcome("connect");
    log_.Write("dial", std::to_string(scenario_.Dials()) + " " + outcome);
    if (outcome != "nocancel") cancel_ = Button(webView_, "Cance&l", 10, 60);
    After(scenario_.Delay("DialMs", 8000), [this, outcome] {
      if (outcome != "nocancel" && cancel_ == nullptr) return;  // cancelled meanwhile
      if (cancel_ != nullptr) DestroyWindow(cancel_);
      cancel_ = nullptr;
      if (outcome == "fail") {
        HWND error = TopLevel("JunoError", "Juno Web", 300, 140, true, main_);
        Child(error, "STATIC", "Juno was unable to connect to the Web.", 10, 10, 270, 40);
        Button(error, "OK", 100, 60, 80);
        return;
      }
      link_.Up(ClientLink::FamilyValues());
      disconnect_ = Button(webView_, "Disc&onnect", 10, 60);
    });
  }

  void LeaveWeb() {
    link_.Down();
    if (disconnect_ != nullptr) DestroyWindow(disconnect_);
    disconnect_ = nullptr;
  }

  void Exit() {
    UINT closing = scenario_.Delay("CloseMs", 0);
    if (closing == 0) {
      Quit();
      return;
    }
    log_.Write("closing", "slowly");
    After(closing, [this] { Quit(); });
  }

  bool confirmWebDisconnect_ = true;
  bool confirmExit_ = true;
  HWND main_ = nullptr;
  HWND webView_ = nullptr;
  HWND toolbar_ = nullptr;
  HWND welcome_ = nullptr;
  HWND cancel_ = nullptr;
  HWND disconnect_ = nullptr;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  JunoProgram juno;
  return juno.Run();
}
