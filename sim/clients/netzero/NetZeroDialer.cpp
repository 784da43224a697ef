// nzStart.exe: the lab's NetZero dialer. Its connect dialog "AwtDialog"
// "NetZero v4.0" holds, in its first child, two untitled "AwtCanvas"
// children; the second has the Connect button around client point (232, 14).
// After the click the dialog closes, an "NZTV" dialog shows an ad, and the
// dial ends in the connected windows ("AwtWindow" and the status window
// "Connected To NetZero" of class "AwtFrame" or "nzWindowClass", with
// "Dis&connect") or in one of the error dialogs, whose "OK" sits in a child.
//
// Scenario section [NetZero]:
//   Outcomes    per Connect click: connect; failure ("Connection Failure",
//               then the dialer ends); terminating ("The ZeroPort is
//               terminating!", then the connect dialog again); problem
//               ("Connection problem", then "Connection Failure" and the end);
//               connectwnd (the connect dialog again); earlyerror (an error
//               dialog comes and goes before the NZTV dialog, then connect)
//   ConnectDialog  0: the connect dialog never appears (the dialer ends after QuitMs)
//   ConnectTitle  the connect dialog's title (NetZero v4.0)
//   ConnectedWindow  awt (default) or nz: the status window's class
//   LingerMs    how long the windows stay after Dis&connect
//   DialogMs, DialMs, NztvMs, ErrorMs
#include <windows.h>

#include <fstream>
#include <string>

#include "sim/clients/common/ClientProgram.h"

namespace {

constexpr char kConnectTitle[] = "NetZero v4.0";
constexpr char kFailureTitle[] = "Connection Failure";
constexpr char kTerminatingTitle[] = "The ZeroPort is terminating!";
constexpr char kProblemTitle[] = "Connection problem";
// The Connect button on the button bar canvas.
constexpr RECT kConnectButton = {200, 2, 270, 26};

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.rfind('\\'));
}

class NetZeroDialer : public ClientProgram {
 public:
  NetZeroDialer() : ClientProgram("NetZero") {}

 protected:
  void Start() override {
    LogJpegLibrary();
    if (!scenario_.Flag("ConnectDialog", true)) {
      // Without any window nothing can close the dialer: it gives up on its own.
      After(scenario_.Delay("QuitMs", 20000), [this] { Quit(); });
      return;
    }
    After(scenario_.Delay("DialogMs", 1000), [this] { ShowConnectDialog(); });
  }

  bool OnMessage(HWND window, UINT message, WPARAM, LPARAM lParam, LRESULT& result) override {
    if (message != WM_LBUTTONUP || window != buttonBar_) return false;
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (PtInRect(&kConnectButton, point)) After(0, [this] { Connect(); });
    result = 0;
    return true;
  }

  void OnButton(HWND button, const std::string& text) override {
    HWND dialog = GetAncestor(button, GA_ROOT);
    std::string title = TextOf(dialog);
    if (text == "Dis&connect") {
      Disconnect();
      return;
    }
    if (text != "OK") return;
    DestroyWindow(dialog);
    if (title == kFailureTitle) {
      Quit();
    } else if (title == kTerminatingTitle) {
      After(scenario_.Delay("DialogMs", 1000), [this] { ShowConnectDialog(); });
    } else if (title == kProblemTitle) {
      After(scenario_.Delay("ErrorMs", 500), [this] { ShowError(kFailureTitle); });
    }
  }

 private:
  void LogJpegLibrary() {
    std::ifstream file(ProgramFolder() + "\\bin\\jpeg.dll", std::ios::binary);
    std::string first;
    if (!file || !std::getline(file, first)) {
      log_.Write("read", "bin\\jpeg.dll absent");
      return;
    }
    if (!first.empty() && first.back() == '\r') first.pop_back();
    log_.Write("read", "bin\\jpeg.dll " + ClientLog::Quoted(first.substr(0, 64)));
  }

  void ShowConnectDialog() {
    connectDialog_ = TopLevel("AwtDialog", scenario_.Text("ConnectTitle", kConnectTitle), 320, 200);
    HWND panel = Child(connectDialog_, "AwtPanel", "", 0, 0, 300, 160);
    Child(panel, "AwtCanvas", "", 0, 0, 300, 120);
    buttonBar_ = Child(panel, "AwtCanvas", "", 0, 124, 300, 30);
  }

  void Connect() {
    if (connectDialog_ == nullptr) return;
    DestroyWindow(connectDialog_);
    connectDialog_ = nullptr;
    buttonBar_ = nullptr;
    std::string outcome = scenario_.NextDialOutcome("connect");
    log_.Write("dial", std::to_string(scenario_.Dials()) + " " + outcome);
    if (outcome == "earlyerror") {
      After(scenario_.Delay("ErrorMs", 500), [this] {
        HWND early = ShowError(kProblemTitle);
        After(scenario_.Delay("ErrorMs", 500), [this, early] {
          DestroyWindow(early);
          ShowNztv("connect");
        });
      });
      return;
    }
    After(scenario_.Delay("DialMs", 1500), [this, outcome] { ShowNztv(outcome); });
  }

  void ShowNztv(const std::string& outcome) {
    HWND nztv = TopLevel("AwtDialog", "NZTV - NetZero TV", 300, 250);
    After(scenario_.Delay("NztvMs", 1500), [this, nztv, outcome] {
      DestroyWindow(nztv);
      EndDial(outcome);
    });
  }

  void EndDial(const std::string& outcome) {
    if (outcome == "failure") {
      ShowError(kFailureTitle);
    } else if (outcome == "terminating") {
      ShowError(kTerminatingTitle);
    } else if (outcome == "problem") {
      ShowError(kProblemTitle);
    } else if (outcome == "connectwnd") {
      ShowConnectDialog();
    } else {
      ShowConnected();
    }
  }

  HWND ShowError(const char* title) {
    HWND dialog = TopLevel("AwtDialog", title, 320, 150);
    HWND panel = Child(dialog, "AwtPanel", "", 0, 0, 300, 110);
    Child(panel, "STATIC", "Your NetZero connection could not be completed.", 10, 10, 280, 40);
    Button(panel, "OK", 110, 60, 80);
    return dialog;
  }

  void ShowConnected() {
    link_.Up(ClientLink::FamilyValues());
    adBar_ = TopLevel("AwtWindow", "", 468, 80);
    bool nz = scenario_.Text("ConnectedWindow", "awt") == "nz";
    status_ = TopLevel(nz ? "nzWindowClass" : "AwtFrame", "Connected To NetZero", 300, 150);
    HWND panel = Child(status_, "AwtPanel", "", 0, 0, 280, 110);
    Button(panel, "Dis&connect", 90, 40, 100);
  }

  void Disconnect() {
    link_.Down();
    ShowWindow(status_, SW_HIDE);
    UINT linger = scenario_.Delay("LingerMs", 0);
    if (linger == 0) {
      Quit();
      return;
    }
    After(linger, [this] { Quit(); });
  }

  HWND connectDialog_ = nullptr;
  HWND buttonBar_ = nullptr;
  HWND adBar_ = nullptr;
  HWND status_ = nullptr;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  NetZeroDialer dialer;
  return dialer.Run();
}
