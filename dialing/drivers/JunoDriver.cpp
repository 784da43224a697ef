// The Juno driver: launch, the timer chain of a dial, leaving the web,
// closing Juno, and the juno.ini preparation.
#include "dialing/drivers/JunoDriver.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "dialing/DialingMessages.h"
#include "dialing/ForeignWindow.h"
#include "dialing/drivers/ClientWindows.h"
#include "dialing/drivers/LaunchWorker.h"
#include "engine/portable/StatusCodes.h"
#include "framework/MessageBoxSeam.h"
#include "settings/AolSettings.h"
#include "settings/DialUpProfile.h"
#include "settings/portable/ProviderKinds.h"

namespace {

constexpr char kMainWindowClass[] = "JunoMainWndXQW21";
constexpr char kWelcomeTitle[] = "Welcome to Juno (Version 5.0)";
constexpr char kPasswordLabel[] = "&Password:";
constexpr char kWebButton[] = "&World Wide Web";
constexpr char kMailView[] = "FREEMAILVIEW";
constexpr char kWebView[] = "WebView";
constexpr char kDialingControl[] = "Cance&l";
constexpr char kConnectedControl[] = "Disc&onnect";
constexpr char kErrorTitle[] = "Juno Web";
constexpr char kConfirmExitTitle[] = "Confirm Exit";
constexpr char kUserFolderMark[] = "USER0";

constexpr char kNoPathText[] =
    "Failed to open Juno dialer. Please run \"Configuration Wizard\" and enter the correct Juno "
    "Dialer's path";
constexpr char kCannotStartText[] = "Failed to open Juno.  Please make sure that the path is correct";
constexpr char kEmptyPasswordText[] =
    "Password cannot be empty.  Please save your password before running the tune up test";

constexpr UINT kMainWindowPollMs = 2000;
constexpr UINT kWelcomePollMs = 2000;
constexpr UINT kFirstDialWatchMs = 5000;
constexpr UINT kDialWatchMs = 2000;
constexpr int kDialWatchMissLimit = 10;
constexpr UINT kOutcomeCheckMs = 1000;
constexpr int kOutcomeMissLimit = 2;
constexpr UINT kFirstErrorWindowCheckMs = 1000;
constexpr UINT kErrorWindowCheckMs = 2000;
constexpr int kErrorWindowMissLimit = 4;
constexpr UINT kFirstClosingStepMs = 6000;
constexpr UINT kClosingStepMs = 1000;
constexpr int kClosingStepLimit = 7;
constexpr UINT kFailureReportMs = 6000;
constexpr UINT kFirstDisconnectTryMs = 500;
constexpr UINT kDisconnectTryMs = 1000;
constexpr int kDisconnectTryLimit = 5;
constexpr int kToolbarY = 20;
constexpr int kFirstToolbarX = 153;
constexpr int kSecondToolbarX = 120;

HWND MainWindow() { return foreignwindow::FindExact(kMainWindowClass, nullptr); }

// Main window → "FREEMAILVIEW" → "WebView".
HWND WebView() {
  HWND mail = clientwindows::FindDirectChild(MainWindow(), kMailView);
  return clientwindows::FindDirectChild(mail, kWebView);
}

HWND WebViewChild(const char* text) {
  HWND view = WebView();
  return view == nullptr ? nullptr : foreignwindow::ChildWithText(view, text);
}

void SendFailure(HWND engine, const char* text) {
  SendMessageA(engine, WM_DRIVERNOTIFY, DN_FAILED, reinterpret_cast<LPARAM>(text));
}

// The launch worker's work: start the Juno program of the profile.
void LaunchJuno(HWND driver, HWND engine) {
  std::string path;
  if (CDialUpProfile(kProviderJuno).GetDialerPath(kProviderJuno, path) != status::kOk) {
    SendFailure(engine, kNoPathText);
    return;
  }
  HINSTANCE started = ShellExecuteA(driver, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  if (reinterpret_cast<INT_PTR>(started) <= 32) SendFailure(engine, kCannotStartText);
}

// The text of the field after "&Password:"; false when the window has none.
bool ReadSavedPassword(HWND welcome, std::string& password) {
  std::vector<HWND> children = foreignwindow::ChildrenInOrder(welcome);
  for (size_t i = 0; i + 1 < children.size(); ++i) {
    if (foreignwindow::TextOf(children[i]) == kPasswordLabel) {
      password = foreignwindow::TextOf(children[i + 1]);
      return true;
    }
  }
  return false;
}

// The folder that holds Juno's program folder: the path cut at its last
// backslash, twice. False when the path has no such folder.
bool JunoUsersParent(const std::string& programPath, std::string& parent) {
  size_t programCut = programPath.rfind('\\');
  if (programCut == std::string::npos || programCut == 0) return false;
  size_t folderCut = programPath.rfind('\\', programCut - 1);
  if (folderCut == std::string::npos || folderCut == 0) return false;
  parent = programPath.substr(0, folderCut);
  return true;
}

}  // namespace

bool CJunoDriver::IsRunning() { return MainWindow() != nullptr; }

// --- Connect and the dial chain ---------------------------------------------------

void CJunoDriver::Connect(HWND engine) {
  ++attempts_;
  engine_ = engine;
  dialSeen_ = false;
  dialWatchMisses_ = 0;
  outcomeMisses_ = 0;
  // Armed here rather than by the worker: a timer belongs to its window's thread.
  ArmTimer(kTimerJunoMainWindow, kMainWindowPollMs);
  HWND driver = Handle();
  if (!RunLaunchWorker(WM_JUNOLAUNCH, [driver, engine] { LaunchJuno(driver, engine); })) {
    PostMessageA(engine, WM_DRIVERNOTIFY, DN_FAILED, 0);
  }
}

void CJunoDriver::OnDriverTimer(UINT_PTR id) {
  StopTimer(id);
  switch (id) {
    case kTimerJunoMainWindow: OnMainWindowTick(); break;
    case kTimerJunoWelcome: OnWelcomeTick(); break;
    case kTimerJunoDialWatch: OnDialWatchTick(); break;
    case kTimerJunoOutcome: OnOutcomeTick(); break;
    case kTimerJunoErrorWindow: OnErrorWindowTick(); break;
    case kTimerJunoFailed: OnFailedTick(); break;
    case kTimerJunoClosing: RunClosingStep(); break;
    case kTimerJunoDisconnect: OnDisconnectTick(); break;
    default: break;
  }
}

void CJunoDriver::OnMainWindowTick() {
  ArmTimer(MainWindow() != nullptr ? kTimerJunoWelcome : kTimerJunoMainWindow, kMainWindowPollMs);
}

void CJunoDriver::OnWelcomeTick() {
  HWND welcome = foreignwindow::FindExact(nullptr, kWelcomeTitle);
  if (welcome == nullptr) {
    ArmTimer(kTimerJunoWelcome, kWelcomePollMs);
    return;
  }
  std::string password;
  if (ReadSavedPassword(welcome, password) && password.empty()) {
    ShowMessageBox(nullptr, kEmptyPasswordText, "Velotune", MB_OK | MB_ICONEXCLAMATION);
    Notify(DN_NOPASSWORD);
    return;
  }
  if (HWND web = foreignwindow::ChildWithText(welcome, kWebButton)) foreignwindow::Press(web);
  ArmTimerUnlessArmed(kTimerJunoDialWatch, kFirstDialWatchMs);
}

// Waits for "Cance&l" to come and go. A web view that never shows it in ten
// looks (a fast dial, or none at all) is judged by the outcome check too,
// so that the engine always hears how the dial ended.
void CJunoDriver::OnDialWatchTick() {
  HWND view = WebView();
  bool dialling = view != nullptr && foreignwindow::ChildWithText(view, kDialingControl) != nullptr;
  if (!dialSeen_) {
    if (dialling) {
      dialSeen_ = true;
      dialWatchMisses_ = 0;
    } else if (++dialWatchMisses_ >= kDialWatchMissLimit) {
      DialIsOver();
      return;
    }
    ArmTimer(kTimerJunoDialWatch, kDialWatchMs);
    return;
  }
  if (dialling) {
    ArmTimer(kTimerJunoDialWatch, kDialWatchMs);
    return;
  }
  DialIsOver();
}

void CJunoDriver::DialIsOver() {
  dialSeen_ = false;
  dialWatchMisses_ = 0;
  outcomeMisses_ = 0;
  ArmTimer(kTimerJunoOutcome, kOutcomeCheckMs);
}

void CJunoDriver::OnOutcomeTick() {
  if (WebViewChild(kConnectedControl) != nullptr) {
    attempts_ = 0;
    outcomeMisses_ = 0;
    Notify(DN_CONNECTED);
    return;
  }
  if (++outcomeMisses_ < kOutcomeMissLimit) {
    ArmTimer(kTimerJunoOutcome, kOutcomeCheckMs);
    return;
  }
  // The dial failed: dismiss Juno's error window, close Juno, then report.
  outcomeMisses_ = 0;
  errorWindowMisses_ = 0;
  ArmTimerUnlessArmed(kTimerJunoErrorWindow, kFirstErrorWindowCheckMs);
  ArmTimerUnlessArmed(kTimerJunoClosing, kFirstClosingStepMs);
  ArmTimerUnlessArmed(kTimerJunoFailed, kFailureReportMs);
}

void CJunoDriver::OnErrorWindowTick() {
  if (HWND error = foreignwindow::FindExact(nullptr, kErrorTitle)) {
    if (HWND ok = foreignwindow::ChildWithText(error, "OK")) foreignwindow::Press(ok);
    errorWindowMisses_ = 0;
    return;
  }
  if (++errorWindowMisses_ < kErrorWindowMissLimit) {
    ArmTimer(kTimerJunoErrorWindow, kErrorWindowCheckMs);
  } else {
    errorWindowMisses_ = 0;
  }
}

void CJunoDriver::OnFailedTick() { PostMessageA(engine_, WM_DRIVERNOTIFY, DN_FAILED, 0); }

void CJunoDriver::Notify(WPARAM code) { SendMessageA(engine_, WM_DRIVERNOTIFY, code, 0); }

void CJunoDriver::Stop() {
  for (UINT_PTR id : {kTimerJunoMainWindow, kTimerJunoWelcome, kTimerJunoDialWatch,
                      kTimerJunoOutcome, kTimerJunoErrorWindow, kTimerJunoFailed}) {
    StopTimer(id);
  }
  dialSeen_ = false;
  dialWatchMisses_ = 0;
  outcomeMisses_ = 0;
}

// --- Connected, disconnect and close --------------------------------------------------

void CJunoDriver::Connected() {
  HWND toolbar = clientwindows::FindDirectChildOfClass(WebView(), "ToolbarWindow32");
  if (toolbar != nullptr) {
    clientwindows::ClickAt(toolbar, kFirstToolbarX, kToolbarY);
    clientwindows::ClickAt(toolbar, kSecondToolbarX, kToolbarY);
  }
  // Asynchronous: a busy Juno must not hold the program.
  if (HWND main = MainWindow()) ShowWindowAsync(main, SW_MINIMIZE);
}

void CJunoDriver::Disconnect() {
  Stop();
  disconnectTries_ = 0;
  ArmTimerUnlessArmed(kTimerJunoDisconnect, kFirstDisconnectTryMs);
}

void CJunoDriver::OnDisconnectTick() {
  if (HWND button = WebViewChild(kConnectedControl)) {
    foreignwindow::Press(button);
    disconnectTries_ = 0;
    return;
  }
  if (++disconnectTries_ < kDisconnectTryLimit) {
    ArmTimer(kTimerJunoDisconnect, kDisconnectTryMs);
  } else {
    disconnectTries_ = 0;
  }
}

void CJunoDriver::Close() {
  StopTimer(kTimerJunoClosing);
  RunClosingStep();
}

// One step of closing Juno: ask it to close, then answer its confirmation.
// WM_CLOSE is posted: Juno may ask before it answers, and only this step
// can answer for it.
void CJunoDriver::RunClosingStep() {
  HWND main = MainWindow();
  if (++closingTicks_ > kClosingStepLimit || main == nullptr) {
    closingTicks_ = 0;
    closeRequested_ = false;
    return;
  }
  if (closeRequested_) {
    HWND confirm = foreignwindow::FindExact(nullptr, kConfirmExitTitle);
    HWND yes = confirm == nullptr ? nullptr : foreignwindow::ChildWithText(confirm, "&Yes");
    if (yes != nullptr) {
      ShowWindowAsync(confirm, SW_SHOWNORMAL);
      foreignwindow::Press(yes);
      closingTicks_ = 0;
      closeRequested_ = false;
    }
  } else if (IsWindowEnabled(main)) {
    PostMessageA(main, WM_CLOSE, 0, 0);
    closeRequested_ = true;
  }
  ArmTimer(kTimerJunoClosing, kClosingStepMs);
}

// --- Preparation ------------------------------------------------------------------------

int CJunoDriver::Prepare() {
  std::string path;
  int read = CDialUpProfile(kProviderJuno).GetDialerPath(kProviderJuno, path);
  if (read != status::kOk) return read;
  std::string parent;
  if (!JunoUsersParent(path, parent)) return status::kRegistryKeyNotFound;
  std::vector<std::string> folders;
  CAolSettings().ListSubfolders(parent, folders);
  for (const std::string& folder : folders) {
    if (folder.find(kUserFolderMark) == std::string::npos) continue;
    std::string ini = parent + "\\" + folder + "\\juno.ini";
    WritePrivateProfileStringA("Options", "Confirm Web Disconnect", "FALSE", ini.c_str());
    WritePrivateProfileStringA("Options", "Confirm Exit", "FALSE", ini.c_str());
  }
  return status::kOk;
}
