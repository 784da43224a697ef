// The dial engine's RAS path: dialing the chosen phone-book entry, the
// connection states RAS reports, failures with their redial countdown, and
// the hang-up.
#include "dialing/DialHiddenDlg.h"

#include "dialing/DialingMessages.h"
#include "dialing/portable/RasStates.h"
#include "engine/SystemErrorText.h"
#include "engine/portable/StatusCodes.h"
#include "framework/MessageBoxSeam.h"
#include "framework/RasLayouts.h"

namespace {

constexpr char kBoxCaption[] = "Velotune";
constexpr char kPortHeldText[] = "There is a another program dialing the selected connection";
constexpr char kUseInternetDialText[] =
    "If dialing problem persist, go to \"Options\" and click \"Use Internet dial\" option and "
    "run the tune-up test";
constexpr UINT kHungUpWaitMs = 2500;
constexpr DWORD kAuthenticationErrorBase = 599;

}  // namespace

int CDialHiddenDlg::DialRas() {
  int result = ras_->Dial(providerKind_, Handle(), connectionName_);
  if (result == status::kOk) return result;
  return RefuseDial(result, result == status::kPortInUse ? std::string(kPortHeldText)
                                                         : StatusText(result));
}

std::string CDialHiddenDlg::RasErrorMessage(DWORD error) const {
  std::string text;
  RasErrorText(nullptr, error, text);
  return text;
}

void CDialHiddenDlg::OnRasDialEvent(int state, DWORD error) {
  // States still queued from a dial that has been hung up belong to nobody.
  if (!dialing_ && !connected_) return;
  std::string text = ras_->StateText(state);
  if ((osKind_ == kOsWindows2000 && error == ras::kPortDisconnected) ||
      error == ras::kUserDisconnection) {
    // After the engine's own hang-up these mean nothing; during a dial the
    // port would stay held and nothing would end the dial.
    if (dialing_) {
      RasFailure(error, RasErrorMessage(error));
    } else {
      dialing_ = false;
    }
    return;
  }
  if (state == rasstate::kAuthNotify && error != 0) {
    if (error < ras::kErrorBase) error += kAuthenticationErrorBase;
    RasFailure(error, RasErrorMessage(error));
    return;
  }
  if (state == rasstate::kConnected) {
    RunConnected();
    return;
  }
  if (state == rasstate::kDisconnected) {
    RasFailure(error, error != 0 ? RasErrorMessage(error) : text);
    return;
  }
  if (error != 0) {
    text = RasErrorMessage(error);
    if (error != ras::kPending) {
      RasFailure(error, text);
      return;
    }
  }
  ShowStatus(state, text);
}

void CDialHiddenDlg::RasFailure(DWORD error, const std::string& text) {
  bool wasConnected = connected_;
  ClearFlags();
  EnableDialUpDialog(true);
  if (trayMode_) RestoreAll();
  HangUpRas();
  if (wasConnected && !trayMode_) {
    // A line that dropped under a test: the test's failed fetch makes the
    // controller resume; a redial here would run beside it.
    ShowStatus(kDialStatusDisconnected, text);
    return;
  }
  if (error == ras::kNoDialTone) {
    ShowStatus(static_cast<int>(error), text);
    NotifyDialFailed(status::kNoDialTone);
    trayMode_ = false;
    return;
  }
  ShowStatus(kDialStatusDisconnected, text);
  int count = ras_->RedialCount();
  int limit = RedialLimit();
  if (count < limit) {
    unsigned serial = dialSerial_;
    int choice = RunCountdown("  Connection Error", "Cannot connect to: " + connectionName_, text,
                              "Re-dialing in:");
    // Dialled again or hung up by someone else meanwhile.
    if (serial != dialSerial_) return;
    if (choice == kCountdownResume) {
      RedialRas();
      return;
    }
  } else {
    ShowMessageBox(controller_.OwnerWindow(), kUseInternetDialText, kBoxCaption, MB_OK);
    ras_->ResetRedialCount();
  }
  NotifyDialFailed(status::kRedialLimitReached);
  SetCaption("Failed to connect to: " + connectionName_);
  trayMode_ = false;
}

void CDialHiddenDlg::RedialRas() {
  dialing_ = true;
  // The user's values were put back after the failure: a tray redial is
  // tuned again.
  if (trayMode_) ApplyBest();
  int result = ras_->Redial(connectionName_);
  if (result == status::kOk) return;
  RefuseDial(result, result == status::kPortInUse ? std::string(kPortHeldText)
                                                  : StatusText(result));
  NotifyDialFailed(result);
}

int CDialHiddenDlg::HangUpRas() {
  int result = ras_->HangUp();
  // Drop the states RAS posted before the port closed.
  MSG message;
  while (PeekMessageA(&message, Handle(), WM_RASDIALEVENT, WM_RASDIALEVENT, PM_REMOVE)) {
  }
  return result;
}

int CDialHiddenDlg::DisconnectRas(const std::string& text) {
  if (!dialing_ && ras_->CheckConnection() == status::kConnectionLost) {
    ShowStatus(kDialStatusDisconnected, text);
    ClearFlags();
    return status::kOk;
  }
  dialing_ = false;
  connected_ = false;
  int result = HangUpRas();
  if (result != status::kOk) {
    ShowStatus(kDialStatusDisconnected, text.empty() ? StatusText(result) : text);
    ClearFlags();
    return status::kHangUpFailed;
  }
  ShowStatus(kDialStatusDisconnected, text);
  std::string disconnected = "Disconnected from " + connectionName_;
  if (trayMode_) {
    ShowStatus(kDialStatusDisconnected, disconnected);
  } else {
    if (IDialView* view = controller_.DialView()) view->ShowHungUpPictures("HangUp");
    SetCaption(disconnected);
  }
  Wait(kHungUpWaitMs);
  return status::kOk;
}
