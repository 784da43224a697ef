// The AT&T WorldNet driver: launch, logon, the connect watch, the welcome
// window, hang-up and close.
#include "dialing/drivers/AttDriver.h"

#include <shellapi.h>

#include <vector>

#include "dialing/DialingMessages.h"
#include "dialing/ForeignWindow.h"
#include "dialing/drivers/ClientWindows.h"
#include "dialing/drivers/LaunchWorker.h"
#include "engine/Downloader.h"
#include "engine/portable/StatusCodes.h"
#include "framework/MessageBoxSeam.h"
#include "settings/DialUpProfile.h"
#include "settings/portable/ProviderKinds.h"
#include "ui/portable/LinkAddress.h"

namespace {

constexpr char kGlobalDataKey[] = "SOFTWARE\\AT&T\\WNClient\\Global Data";
constexpr char kLogonTitle[] = "AT&T WorldNet Service Logon";
constexpr char kConnectTitle[] = "AT&T WorldNet Service Connect";
constexpr char kLoginButton[] = "&Login";
constexpr char kRetryButton[] = "&Retry";
constexpr char kDisconnectButton[] = "Dis&connect";
constexpr char kConnectedPrefix[] = "Connected to ";
constexpr char kWelcomePrefix[] = "Welcome to AT&T WorldNet Service";

constexpr char kNoPathText[] =
    "Failed to open ATTWorld dialer. Please run \"Configuration Wizard\" and enter the correct "
    "ATTWorld Dialer's path";
constexpr char kCannotStartText[] =
    "Failed to open ATTWorld.  Please make sure that the path is correct";

constexpr UINT kFirstLogonTryMs = 3000;
constexpr UINT kLogonTryMs = 2000;
constexpr int kLogonTryLimit = 6;
constexpr UINT kConnectWatchMs = 2000;
constexpr int kConnectWatchTickLimit = 10;
constexpr int kConnectWindowSeen = -1;
constexpr UINT kFirstWelcomeCheckMs = 500;
constexpr UINT kWelcomeCheckMs = 1000;
constexpr int kWelcomeRechecks = 6;
constexpr UINT kDisconnectTryMs = 1000;
constexpr int kDisconnectTryLimit = 5;

// The launch worker's failure, sent to the driver's window, which counts the
// attempt and passes it on to the engine.
void SendLaunchFailure(HWND driver, const char* text) {
  ShowMessageBox(nullptr, text, "Velotune", MB_OK | MB_ICONEXCLAMATION);
  SendMessageA(driver, WM_DRIVERNOTIFY, DN_FAILED, reinterpret_cast<LPARAM>(text));
}

// The launch worker's work: the dialer must neither open a browser nor ask
// before hanging up, then it is started.
void LaunchDialer(HWND driver) {
  CSettingsStore store;
  std::vector<std::string> profiles;
  store.EnumSubkeys(kGlobalDataKey, profiles);
  for (const std::string& profile : profiles) store.SetAttLaunchBrowser(profile);
  for (const std::string& profile : profiles) store.SetAttPromptDisconnect(profile);
  std::string path;
  if (CDialUpProfile(kProviderAttWorldNet).GetDialerPath(kProviderAttWorldNet, path) !=
      status::kOk) {
    SendLaunchFailure(driver, kNoPathText);
    return;
  }
  HINSTANCE started = ShellExecuteA(driver, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  if (reinterpret_cast<INT_PTR>(started) <= 32) SendLaunchFailure(driver, kCannotStartText);
}

HWND ConnectedWindow() {
  return clientwindows::FindTopLevelWhere(
      [](HWND, const std::string& title) { return CAttDriver::IsConnectedTitle(title); });
}

}  // namespace

bool CAttDriver::IsConnectedTitle(const std::string& title) {
  const std::string prefix = kConnectedPrefix;
  return title.size() > prefix.size() && title.compare(0, prefix.size(), prefix) == 0;
}

bool CAttDriver::IsWelcomeTitle(const std::string& title) {
  return links::StartsWithNoCase(title, kWelcomePrefix) ||
         links::StartsWithNoCase(title, testsites::kAttWorldNet);
}

// --- Connect and logon ----------------------------------------------------------------

void CAttDriver::Connect(HWND engine) {
  engine_ = engine;
  logonTries_ = 0;
  connectTicks_ = 0;
  connectWindowSeen_ = false;
  // Armed here rather than by the worker: a timer belongs to its window's thread.
  ArmTimer(kTimerAttLogon, kFirstLogonTryMs);
  HWND driver = Handle();
  if (!RunLaunchWorker(WM_ATTLAUNCH, [driver] { LaunchDialer(driver); })) {
    ReportFailureBeforeLogin();
  }
}

INT_PTR CAttDriver::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  if (message != WM_DRIVERNOTIFY || wParam != DN_FAILED) {
    return CDriverWindow::OnMessage(message, wParam, lParam, handled);
  }
  handled = true;
  ReportFailureBeforeLogin(lParam);
  return 0;
}

void CAttDriver::ReportFailureBeforeLogin(LPARAM text) {
  StopLogonWatch();
  ++attempts_;
  SendMessageA(engine_, WM_DRIVERNOTIFY, DN_FAILED, text);
}

void CAttDriver::OnDriverTimer(UINT_PTR id) {
  StopTimer(id);
  switch (id) {
    case kTimerAttLogon: OnLogonTick(); break;
    case kTimerAttConnectWatch: OnConnectWatchTick(); break;
    case kTimerAttWelcome: OnWelcomeTick(); break;
    case kTimerAttDisconnect: OnDisconnectTick(); break;
    default: break;
  }
}

// The logon button's text must be exactly "&Login".
void CAttDriver::OnLogonTick() {
  if (++logonTries_ >= kLogonTryLimit) {
    // The dialer never offered its logon: the engine must hear of it.
    logonTries_ = 0;
    ReportFailureBeforeLogin();
    return;
  }
  HWND logon = foreignwindow::FindExact(nullptr, kLogonTitle);
  HWND login = logon == nullptr ? nullptr : foreignwindow::ChildWithText(logon, kLoginButton);
  if (login == nullptr) {
    ArmTimer(kTimerAttLogon, kLogonTryMs);
    return;
  }
  foreignwindow::Press(login);
  logonTries_ = 0;
  ++attempts_;
  connectTicks_ = 0;
  connectWindowSeen_ = false;
  ArmTimer(kTimerAttConnectWatch, kConnectWatchMs);
}

void CAttDriver::StopLogonWatch() {
  StopTimer(kTimerAttLogon);
  StopTimer(kTimerAttConnectWatch);
  logonTries_ = 0;
}

// --- The connect watch -------------------------------------------------------------------

void CAttDriver::OnConnectWatchTick() {
  if (connectTicks_ > kConnectWatchTickLimit) {
    DecideOutcome();
    return;
  }
  if (HWND connect = foreignwindow::FindExact(nullptr, kConnectTitle)) {
    if (foreignwindow::ChildWithText(connect, kRetryButton) != nullptr || !IsWindowVisible(connect)) {
      DecideOutcome();
      return;
    }
    connectWindowSeen_ = true;
    connectTicks_ = kConnectWindowSeen;
  } else if (connectTicks_ == kConnectWindowSeen) {
    // The window was there and has gone.
    DecideOutcome();
    return;
  } else {
    connectTicks_ = connectWindowSeen_ ? kConnectWindowSeen : connectTicks_ + 1;
  }
  ArmTimer(kTimerAttConnectWatch, kConnectWatchMs);
}

void CAttDriver::DecideOutcome() {
  connectTicks_ = 0;
  connectWindowSeen_ = false;
  bool connected = ConnectedWindow() != nullptr;
  SendMessageA(engine_, WM_DRIVERNOTIFY, connected ? DN_CONNECTED : DN_FAILED, 0);
}

// --- Welcome window, hang-up, close -------------------------------------------------------

void CAttDriver::StartWelcomeWatch() {
  if (IsTimerArmed(kTimerAttWelcome)) return;
  welcomeChecks_ = 0;
  ArmTimer(kTimerAttWelcome, kFirstWelcomeCheckMs);
}

// The welcome window is a browser's: it is closed as a user would, with
// Alt+F4, which reaches only the foreground window.
void CAttDriver::OnWelcomeTick() {
  HWND welcome = clientwindows::FindTopLevelWhere(
      [](HWND, const std::string& title) { return IsWelcomeTitle(title); });
  if (welcome == nullptr) {
    if (++welcomeChecks_ <= kWelcomeRechecks) ArmTimer(kTimerAttWelcome, kWelcomeCheckMs);
    return;
  }
  SetForegroundWindow(welcome);
  keybd_event(VK_MENU, 0, 0, 0);
  keybd_event(VK_F4, 0, 0, 0);
  keybd_event(VK_F4, 0, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);
}

void CAttDriver::Disconnect() {
  disconnectTries_ = 0;
  if (!TryDisconnect()) ArmTimerUnlessArmed(kTimerAttDisconnect, kDisconnectTryMs);
}

void CAttDriver::OnDisconnectTick() {
  if (!TryDisconnect()) ArmTimer(kTimerAttDisconnect, kDisconnectTryMs);
}

bool CAttDriver::TryDisconnect() {
  if (++disconnectTries_ >= kDisconnectTryLimit) {
    disconnectTries_ = 0;
    return true;
  }
  HWND button = nullptr;
  clientwindows::FindTopLevelWhere([&button](HWND window, const std::string& title) {
    if (!IsConnectedTitle(title)) return false;
    button = foreignwindow::ChildWithText(window, kDisconnectButton);
    return button != nullptr;
  });
  if (button == nullptr) return false;
  foreignwindow::Press(button);
  disconnectTries_ = 0;
  return true;
}

void CAttDriver::Close() {
  for (const char* title : {kConnectTitle, kLogonTitle}) {
    if (HWND window = foreignwindow::FindExact(nullptr, title)) {
      PostMessageA(window, WM_CLOSE, 0, 0);
    }
  }
}
