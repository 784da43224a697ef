// The dial engine's Internet-dial path: WinINet's Internet dial on a worker,
// the Windows dial-up dialog it shows filled in and confirmed from here, the
// watch that sees a failed dial, the Cancel presses, and the redial countdown.
#include "dialing/DialHiddenDlg.h"

#include <algorithm>

#include "dialing/DialingMessages.h"
#include "dialing/SystemDialDialog.h"
#include "engine/portable/StatusCodes.h"

namespace {

constexpr char kDialUpConnectionTitle[] = "Dial-up Connection";
constexpr char kConnectToTitle[] = "Connect To";
constexpr char kConnectToCancelTitle[] = "Connect to";
constexpr char kInitFailedText[] = "Failed to initialize Windows Dial-Up";
constexpr UINT kDialDialogPollMs = 50;
constexpr UINT kFirstProgressCheckMs = 200;
constexpr UINT kProgressCheckMs = 5000;
constexpr UINT kCancelAfterFailureMs = 200;
constexpr UINT kCancelDialogPollMs = 50;
constexpr UINT kHangUpWaitMs = 2500;
// The polls end on their own: a dialog that never appears is a failed dial.
constexpr int kDialDialogPolls = 1200;
constexpr int kCancelDialogPolls = 200;
constexpr UINT kCancelNowBoundMs = 10000;
// On the NT family the progress window replaces the login dialog a moment
// after it was confirmed; the watch waits this long (real time) for it.
constexpr DWORD kProgressAppearMs = 30000;

}  // namespace

int CDialHiddenDlg::StartInternetDial() {
  if (trayMode_) ApplyBest();
  // A dial still under way from before must be gone before its dialog is
  // mistaken for the new one's.
  CancelDialDialogsNow();
  if (internetDialer_.Start(Handle(), connectionName_) == 0) {
    return RefuseDial(status::kDialUpInitFailed, kInitFailedText);
  }
  ++pendingInternetDials_;
  dialing_ = true;
  dialDialogSeen_ = false;
  dialDialogTicks_ = 0;
  dialogTitle_.clear();
  ArmTimer(kTimerDialDialog, kDialDialogPollMs);
  return status::kOk;
}

std::string CDialHiddenDlg::ProgressWindowTitle() const {
  return dialogTitle_ == kDialUpConnectionTitle ? std::string(kDialUpConnectionTitle)
                                                : "Connecting to " + connectionName_;
}

std::string CDialHiddenDlg::LoginWindowTitle() const {
  return dialogTitle_ == kDialUpConnectionTitle ? kDialUpConnectionTitle : kConnectToCancelTitle;
}

void CDialHiddenDlg::WipeCredentials() {
  std::fill(password_.begin(), password_.end(), '\0');
  password_.clear();
}

void CDialHiddenDlg::OnDialDialogTimer() {
  if (++dialDialogTicks_ > kDialDialogPolls) {
    StopTimer(kTimerDialDialog);
    InternetDialFailure();
    return;
  }
  HWND dialog = dialdialog::FindTitled(kDialUpConnectionTitle);
  dialogTitle_ = kDialUpConnectionTitle;
  if (dialog == nullptr) {
    dialog = dialdialog::FindTitled(kConnectToTitle);
    dialogTitle_ = kConnectToTitle;
  }
  // A dialog still being made has no fields yet: look again at the next tick.
  if (dialog == nullptr || !dialdialog::HasLoginFields(dialog)) return;
  StopTimer(kTimerDialDialog);
  dialDialogSeen_ = true;
  profile_.GetLoginPassword(connectionName_, userName_, password_);
  ShowWindow(dialog, SW_HIDE);
  HWND passwordField = dialdialog::FillLogin(dialog, userName_, password_);
  WipeCredentials();
  ShowWindow(dialog, SW_HIDE);
  dialdialog::PressEnter(dialog, passwordField);
  progressWatchStart_ = GetTickCount();
  ArmTimer(kTimerDialProgress, kFirstProgressCheckMs);
}

void CDialHiddenDlg::OnDialProgressTimer() {
  StopTimer(kTimerDialProgress);
  HWND progress = dialdialog::FindTitled(ProgressWindowTitle());
  if (progress == nullptr) {
    // Not there yet while the dial has not reported: a watch that ended now
    // would leave a failed dial unseen for ever. After the bound, the dial
    // counts as failed.
    if (!dialing_ || pendingInternetDials_ == 0) return;
    if (GetTickCount() - progressWatchStart_ < kProgressAppearMs) {
      ArmTimer(kTimerDialProgress, kFirstProgressCheckMs);
    } else {
      SendMessageA(Handle(), WM_DIALWINDOWIDLE, 0, 0);
    }
    return;
  }
  ShowWindow(progress, SW_HIDE);
  const char* connectButton =
      dialogTitle_ == kDialUpConnectionTitle ? "&Connect" : "&Details >>";
  if (dialdialog::HasEnabledChild(progress, connectButton)) {
    SendMessageA(Handle(), WM_DIALWINDOWIDLE, 0, 0);
    return;
  }
  ShowWindow(progress, SW_HIDE);
  ArmTimer(kTimerDialProgress, kProgressCheckMs);
}

void CDialHiddenDlg::OnDialWindowIdle() {
  if (!dialing_ || !IsDialUpKind()) return;
  StopTimer(kTimerDialProgress);
  if (!IsTimerArmed(kTimerCancelProgress)) ArmTimer(kTimerCancelProgress, kCancelAfterFailureMs);
  InternetDialFailure();
}

void CDialHiddenDlg::OnCancelProgressTimer() {
  StopTimer(kTimerCancelProgress);
  HWND progress = dialdialog::FindTitled(ProgressWindowTitle());
  if (progress == nullptr) return;
  dialdialog::PressChild(progress, "Cancel");
  cancelDialogTicks_ = 0;
  ArmTimer(kTimerCancelDialDialog, kCancelDialogPollMs);
}

void CDialHiddenDlg::OnCancelDialDialogTimer() {
  HWND login = dialdialog::FindTitled(LoginWindowTitle());
  if (login == nullptr) {
    if (++cancelDialogTicks_ > kCancelDialogPolls) StopTimer(kTimerCancelDialDialog);
    return;
  }
  StopTimer(kTimerCancelDialDialog);
  ShowWindow(login, SW_HIDE);
  dialdialog::PressChild(login, "Cancel");
  ShowWindow(login, SW_HIDE);
}

void CDialHiddenDlg::OnInternetDialResult(int status, DWORD_PTR connection) {
  if (pendingInternetDials_ > 0) --pendingInternetDials_;
  if (cancellingDials_ || !dialing_ || !useInternetDial_) {
    // A dial that was cancelled: its connection, if any, is not wanted.
    if (status == status::kOk && connection != 0) internetDialer_.HangUp(connection);
    return;
  }
  inetConnection_ = connection;
  if (status == status::kOk && connection != 0) {
    StopTimer(kTimerDialDialog);
    StopTimer(kTimerDialProgress);
    RunConnected();
    return;
  }
  // With a dialog, its watch reports the failure; without one nothing would.
  if (!dialDialogSeen_) {
    StopTimer(kTimerDialDialog);
    InternetDialFailure();
  }
}

void CDialHiddenDlg::InternetDialFailure() {
  ClearFlags();
  int attempts = internetAttempts_++;
  int limit = RedialLimit();
  std::string failed = "Failed to connect to: " + connectionName_;
  if (trayMode_) {
    RestoreAll();
    if (DialUpDialog() != nullptr) DialUpDialog()->ShowStatus(kDialStatusDisconnected, failed);
    EnableDialUpDialog(true);
  }
  if (attempts >= limit) {
    internetAttempts_ = 0;
    EndWithFailure(status::kRedialLimitReached);
    return;
  }
  unsigned serial = dialSerial_;
  int choice = RunCountdown("Connection Error", failed, std::string(), "Re-dial in:");
  if (serial != dialSerial_) return;
  if (choice == kCountdownResume) {
    DialAgain(false);
    return;
  }
  internetAttempts_ = 0;
  if (trayMode_) {
    trayMode_ = false;
    return;
  }
  NotifyStop();
}

void CDialHiddenDlg::CancelDialDialogsNow() {
  StopTimer(kTimerDialDialog);
  StopTimer(kTimerDialProgress);
  StopTimer(kTimerCancelProgress);
  StopTimer(kTimerCancelDialDialog);
  cancellingDials_ = true;
  DWORD start = GetTickCount();
  while (pendingInternetDials_ > 0 && GetTickCount() - start < kCancelNowBoundMs) {
    if (!dialogTitle_.empty()) {
      if (HWND progress = dialdialog::FindTitled(ProgressWindowTitle())) {
        dialdialog::PressChild(progress, "Cancel");
      } else if (HWND login = dialdialog::FindTitled(LoginWindowTitle())) {
        dialdialog::PressChild(login, "Cancel");
      }
    } else if (HWND any = dialdialog::FindTitled(kDialUpConnectionTitle)) {
      dialdialog::PressChild(any, "Cancel");
    } else if (HWND login = dialdialog::FindTitled(kConnectToTitle)) {
      dialdialog::PressChild(login, "Cancel");
    }
    // The worker's result is sent to this thread, and is answered here.
    dialdialog::WaitAnsweringSentMessages(kCancelDialogPollMs);
  }
  cancellingDials_ = false;
}

int CDialHiddenDlg::DisconnectInternetDial() {
  StopTimer(kTimerDialDialog);
  StopTimer(kTimerDialProgress);
  if (dialing_) {
    dialing_ = false;
    CancelDialDialogsNow();
  } else if (inetConnection_ != 0) {
    internetDialer_.HangUp(inetConnection_);
    inetConnection_ = 0;
  }
  Wait(kHangUpWaitMs);
  return status::kOk;
}
