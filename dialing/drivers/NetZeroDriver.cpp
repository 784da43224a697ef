// The NetZero dialer driven from worker threads.
#include "dialing/drivers/NetZeroDriver.h"

#include <process.h>
#include <shellapi.h>

#include "dialing/DialingMessages.h"
#include "dialing/ForeignWindow.h"
#include "framework/MessageBoxSeam.h"
#include "framework/TimeScale.h"
#include "settings/DialUpProfile.h"

namespace {

constexpr int kNetZero = 5;
constexpr size_t kDialerNameLength = 11;  // "nzStart.exe"
constexpr char kBoxCaption[] = "Velotune";
constexpr char kNoDialerPathText[] =
    "Failed to retrieve NetZero dialer path. Please run \"Configuration Wizard\" and enter the "
    "correct NetZero Dialer's path";
constexpr char kNoDialerText[] =
    "Failed to open NetZero dialer. Please run \"Configuration Wizard\" and enter the correct "
    "NetZero Dialer's path";
constexpr char kLaunchFailedText[] = "Failed to open NetZero.  Please make sure that the path is correct";
constexpr char kNoConnectText[] = "Unable to locate and click the \"Connect\" button";
constexpr char kNoOutcomeText[] = "NetZero neither connected nor reported an error";
constexpr char kNoDesktopText[] =
    "Velotune cannot disconnect NetZero.  Please manually disconnect NetZero for Velotune to "
    "continue";
constexpr char kStillConnectedText[] =
    "Velotune cannot disconnect from NetZero.  Please manually disconnect from NetZero for "
    "Velotune to continue";

constexpr char kDialogClass[] = "AwtDialog";
constexpr char kCanvasClass[] = "AwtCanvas";
constexpr char kAdBarClass[] = "AwtWindow";
constexpr char kFrameClass[] = "AwtFrame";
constexpr char kConnectedClass[] = "nzWindowClass";
constexpr char kConnectTitle[] = "NetZero v";
constexpr char kNztvTitle[] = "NZTV";
constexpr char kFailureTitle[] = "Connection Failure";
constexpr char kStatusTitle[] = "Connected To netzero";
constexpr char kDisconnectText[] = "Dis&connect";
constexpr int kConnectX = 232;
constexpr int kConnectY = 14;

constexpr int kConnectDialogPolls = 60;
constexpr UINT kConnectDialogPollMs = 500;
constexpr UINT kBeforeClickMs = 3000;
constexpr UINT kBeforeOutcomeMs = 2000;
constexpr UINT kOutcomePollMs = 100;
// Two minutes without a connection or an error: the dial has hung.
constexpr int kOutcomePolls = 1200;
constexpr UINT kAroundDismissMs = 2000;
constexpr int kFailureRounds = 60;
constexpr UINT kFailureRoundMs = 500;
constexpr int kCloseWaitSteps = 120;
constexpr UINT kCloseWaitMs = 500;
constexpr UINT kTextTimeoutMs = 2000;
constexpr UINT kWaitSliceMs = 20;

std::atomic<bool> nztvSeen{false};

enum class Outcome { Connected, Failed, Cancelled, ConnectWndError, ConnectFailure, PortTerminated,
                     ConnectionProblem };

struct WorkerRequest {
  HWND engine = nullptr;
  int step = 0;
  std::shared_ptr<std::atomic<bool>> cancel;

  bool Cancelled() const { return cancel->load(); }

  // A scaled wait that ends early on cancel; false when cancelled.
  bool Wait(UINT milliseconds) const {
    DWORD total = timescale::Scaled(milliseconds);
    DWORD start = GetTickCount();
    while (!Cancelled()) {
      DWORD passed = GetTickCount() - start;
      if (passed >= total) return true;
      Sleep(total - passed < kWaitSliceMs ? total - passed : kWaitSliceMs);
    }
    return false;
  }

  // Texts go by pointer, so only by SendMessage; nothing reaches a cancelled dial.
  void Notify(WPARAM code, const char* text) const {
    if (!Cancelled()) SendMessageA(engine, WM_DRIVERNOTIFY, code, reinterpret_cast<LPARAM>(text));
  }
  void Step(int next) const {
    if (!Cancelled()) SendMessageA(engine, WM_NETZEROSTEP, static_cast<WPARAM>(next), 0);
  }
};

bool Exists(const char* windowClass) { return FindWindowA(windowClass, nullptr) != nullptr; }

bool Launch(const WorkerRequest& request) {
  std::string path;
  std::string folder;
  if (CDialUpProfile(kNetZero).GetDialerPath(kNetZero, path) != 0 ||
      !CNetZeroDriver::DialerFolder(folder)) {
    request.Notify(DN_FAILED, kNoDialerText);
    return false;
  }
  HINSTANCE started =
      ShellExecuteA(nullptr, "open", path.c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL);
  if (reinterpret_cast<INT_PTR>(started) <= 32) {
    request.Notify(DN_FAILED, kLaunchFailedText);
    return false;
  }
  return true;
}

// The connect dialog: an "AwtDialog" whose title begins with "NetZero v".
HWND FindConnectDialog() {
  for (HWND dialog : foreignwindow::TopLevelOfClass(kDialogClass)) {
    char title[512] = {};
    GetWindowTextA(dialog, title, sizeof(title));
    if (foreignwindow::StartsWith(title, kConnectTitle)) return dialog;
  }
  return nullptr;
}

void SendTimed(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kTextTimeoutMs, &ignored);
}

// Clicks every untitled canvas in the connect dialog's first child.
bool ClickConnect(const WorkerRequest& request) {
  HWND dialog = nullptr;
  for (int poll = 0; poll < kConnectDialogPolls && dialog == nullptr; ++poll) {
    dialog = FindConnectDialog();
    if (dialog == nullptr && !request.Wait(kConnectDialogPollMs)) return false;
  }
  if (dialog == nullptr) {
    request.Notify(DN_FAILED, kNoConnectText);
    return false;
  }
  if (!request.Wait(kBeforeClickMs)) return false;
  LPARAM point = MAKELPARAM(kConnectX, kConnectY);
  for (HWND child : foreignwindow::ChildrenInOrder(GetWindow(dialog, GW_CHILD))) {
    char className[64] = {};
    GetClassNameA(child, className, sizeof(className));
    if (lstrcmpA(className, kCanvasClass) != 0 || !foreignwindow::TextOf(child).empty()) continue;
    foreignwindow::FocusAcrossThreads(child);
    SendTimed(child, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendTimed(child, WM_LBUTTONUP, 0, point);
  }
  return true;
}

Outcome ErrorOfTitle(const std::string& title) {
  if (foreignwindow::StartsWith(title, kFailureTitle)) return Outcome::ConnectFailure;
  if (foreignwindow::StartsWith(title, "The ZeroPort is terminating!")) return Outcome::PortTerminated;
  if (foreignwindow::StartsWith(title, "Connection problem")) return Outcome::ConnectionProblem;
  if (foreignwindow::StartsWith(title, kConnectTitle)) return Outcome::ConnectWndError;
  return Outcome::Failed;
}

// Polls until connected or an error dialog (after the NZTV dialog); the
// error dialog found is kept in `errorDialog`.
Outcome WaitForOutcome(const WorkerRequest& request, HWND& errorDialog) {
  if (!request.Wait(kBeforeOutcomeMs)) return Outcome::Cancelled;
  for (int poll = 0; poll < kOutcomePolls; ++poll) {
    if (Exists(kConnectedClass)) return Outcome::Connected;
    if (HWND dialog = FindWindowA(kDialogClass, nullptr)) {
      std::string title = foreignwindow::TextOf(dialog);
      if (foreignwindow::StartsWith(title, kNztvTitle)) {
        nztvSeen = true;
      } else if (nztvSeen) {
        Outcome error = ErrorOfTitle(title);
        if (error != Outcome::Failed) {
          errorDialog = dialog;
          return error;
        }
      }
    } else if (Exists(kAdBarClass) && Exists(kFrameClass)) {
      return Outcome::Connected;
    }
    if (!request.Wait(kOutcomePollMs)) return Outcome::Cancelled;
  }
  return Outcome::Failed;
}

// Presses every control inside the dialog's child windows.
void PressNestedControls(HWND dialog) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    for (HWND control : foreignwindow::ChildrenInOrder(child)) foreignwindow::Press(control);
  }
}

void DismissError(const WorkerRequest& request, Outcome error, HWND dialog) {
  if (error == Outcome::ConnectWndError) {
    request.Step(0);
    return;
  }
  if (!request.Wait(kAroundDismissMs)) return;
  PressNestedControls(dialog);
  if (!request.Wait(kAroundDismissMs)) return;
  if (error == Outcome::ConnectionProblem) {
    for (int round = 0; round < kFailureRounds; ++round) {
      if (HWND failure = foreignwindow::FindExact(kDialogClass, kFailureTitle)) {
        PressNestedControls(failure);
      }
      if (!request.Wait(kFailureRoundMs)) return;
    }
  }
  request.Step(error == Outcome::PortTerminated ? 0 : 1);
}

void Connect(const WorkerRequest& request) {
  if (request.step == 1 && !Launch(request)) return;
  if (!ClickConnect(request)) return;
  HWND errorDialog = nullptr;
  Outcome outcome = WaitForOutcome(request, errorDialog);
  switch (outcome) {
    case Outcome::Cancelled: return;
    case Outcome::Connected: request.Notify(DN_CONNECTED, nullptr); return;
    case Outcome::Failed: request.Notify(DN_FAILED, kNoOutcomeText); return;
    default: DismissError(request, outcome, errorDialog); return;
  }
}

BOOL CALLBACK PressDisconnectOf(HWND window, LPARAM) {
  if (lstrcmpiA(foreignwindow::TextOf(window).c_str(), kStatusTitle) != 0) return TRUE;
  ShowWindowAsync(window, SW_SHOW);
  for (HWND child : foreignwindow::ChildrenInOrder(window)) {
    if (lstrcmpiA(foreignwindow::TextOf(child).c_str(), kDisconnectText) == 0) {
      foreignwindow::Press(child);
      break;
    }
  }
  return TRUE;
}

void Disconnect(const WorkerRequest& request) {
  if (GetDesktopWindow() == nullptr) {
    ShowMessageBox(nullptr, kNoDesktopText, kBoxCaption, MB_OK);
  } else {
    EnumWindows(&PressDisconnectOf, 0);
  }
  for (int step = 0; step < kCloseWaitSteps && Exists(kAdBarClass); ++step) {
    if (!request.Wait(kCloseWaitMs)) return;
  }
  if (Exists(kAdBarClass)) ShowMessageBox(nullptr, kStillConnectedText, kBoxCaption, MB_OK);
}

unsigned __stdcall Worker(void* argument) {
  std::unique_ptr<WorkerRequest> request(static_cast<WorkerRequest*>(argument));
  MSG message;
  // Waits for its start message, then handles exactly that one request.
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_NETZEROCONNECT) {
      Connect(*request);
      break;
    }
    if (message.message == WM_NETZERODISCONNECT) {
      Disconnect(*request);
      break;
    }
  }
  return 0;
}

void MoveJpeg(bool aside) {
  std::string folder;
  if (!CNetZeroDriver::DialerFolder(folder)) {
    ShowMessageBox(nullptr, kNoDialerPathText, kBoxCaption, MB_OK);
    return;
  }
  std::string bin = folder + "bin\\";
  std::string library = bin + "jpeg.dll";
  std::string backup = bin + "bckup\\jpeg.dll";
  // Never replaces: a copy already in the other place keeps both.
  if (aside) {
    CreateDirectoryA((bin + "bckup").c_str(), nullptr);
    MoveFileA(library.c_str(), backup.c_str());
  } else {
    MoveFileA(backup.c_str(), library.c_str());
  }
}

}  // namespace

CNetZeroDriver::~CNetZeroDriver() {
  connectCancel_->store(true);
  disconnectCancel_->store(true);
}

bool CNetZeroDriver::DialerFolder(std::string& folder) {
  std::string path;
  if (CDialUpProfile(kNetZero).GetDialerPath(kNetZero, path) != 0) return false;
  // A path too short to hold the dialer's name has no folder to cut from.
  if (path.size() <= kDialerNameLength) return false;
  folder = path.substr(0, path.size() - kDialerNameLength);
  return true;
}

bool CNetZeroDriver::NztvSeen() { return nztvSeen; }

void CNetZeroDriver::ForgetNztvForTests() { nztvSeen = false; }

void CNetZeroDriver::SetAside() const { MoveJpeg(true); }

void CNetZeroDriver::PutBack() const { MoveJpeg(false); }

void CNetZeroDriver::Advance(HWND engineWindow, int step) {
  engineWindow_ = engineWindow;
  StartWorker(WM_NETZEROCONNECT, step);
}

void CNetZeroDriver::Disconnect(HWND engineWindow) {
  engineWindow_ = engineWindow;
  connectCancel_->store(true);
  connectCancel_ = std::make_shared<std::atomic<bool>>(false);
  StartWorker(WM_NETZERODISCONNECT, 0);
}

void CNetZeroDriver::StartWorker(UINT startMessage, int step) {
  auto request = std::make_unique<WorkerRequest>();
  request->engine = engineWindow_;
  request->step = step;
  request->cancel = startMessage == WM_NETZEROCONNECT ? connectCancel_ : disconnectCancel_;
  unsigned id = 0;
  HANDLE thread =
      reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &Worker, request.get(), 0, &id));
  if (thread == nullptr) return;
  request.release();  // the thread owns it now
  // The thread's queue appears with its first message call; keep posting the
  // start until it is accepted.
  while (!PostThreadMessageA(id, startMessage, 0, 0)) {
    if (WaitForSingleObject(thread, 1) == WAIT_OBJECT_0) break;
  }
  CloseHandle(thread);
}
