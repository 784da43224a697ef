// The dial engine's Juno path.
#include "dialing/JunoDialPath.h"

#include "dialing/DialViewSeam.h"
#include "dialing/DialingMessages.h"
#include "dialing/DriverFailure.h"
#include "dialing/DriverNotice.h"
#include "engine/portable/StatusCodes.h"

namespace {

constexpr UINT kRedialWaitMs = 2000;
constexpr UINT kCloseAfterHangUpMs = 12000;
constexpr UINT kCloseAfterAbandonMs = 2000;

}  // namespace

int CJunoDialPath::Dial(bool /*restart*/) {
  if (junoStarted_) {
    if (!engine_.IsTimerArmed(kTimerJunoRedial)) {
      // A Juno still open from the last dial is waited for.
      if (!CJunoDriver::IsRunning()) junoStarted_ = false;
      engine_.ArmTimer(kTimerJunoRedial, kRedialWaitMs);
      return status::kOk;
    }
  } else {
    junoStarted_ = true;
    juno_.Connect(engine_.Window());
  }
  engine_.ShowStatus(kDialStatusDialing, "Dialing...");
  return status::kOk;
}

bool CJunoDialPath::OnTimer(UINT_PTR id) {
  if (id == kTimerJunoRedial) {
    engine_.StopTimer(id);
    engine_.DialAgain(false);
    return true;
  }
  if (id == kTimerJunoClose) {
    engine_.StopTimer(id);
    juno_.Close();
    return true;
  }
  return false;
}

bool CJunoDialPath::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_DRIVERNOTIFY) return false;
  // A notice of a dial that was abandoned meanwhile starts nothing.
  if (!engine_.IsDialing()) return true;
  switch (wParam) {
    case DN_CONNECTED: engine_.RunConnected(); break;
    case DN_FAILED: OnDriverFailed(DriverNoticeText(lParam)); break;
    case DN_NOPASSWORD: OnNoPassword(); break;
    default: break;
  }
  return true;
}

void CJunoDialPath::OnConnected() {
  if (!engine_.IsTrayMode()) juno_.Connected();
}

void CJunoDialPath::OnDriverFailed(const std::string& driverText) {
  DriverFailureEnd end = RunDriverFailure(engine_, juno_.Attempts(), driverText);
  if (end == DriverFailureEnd::Cancelled || end == DriverFailureEnd::LimitReached) {
    // The next dial starts a fresh count, and nothing of this one goes on.
    juno_.ClearAttempts();
    juno_.Stop();
  }
}

void CJunoDialPath::OnNoPassword() {
  const char* advice = "Please save your password before running the tune up test";
  juno_.Stop();
  if (engine_.IsTrayMode()) {
    engine_.ShowStatus(kDialStatusDisconnected, advice);
    engine_.EndWithFailure(status::kEmptyPassword);
    return;
  }
  engine_.EndWithFailure(status::kEmptyPassword);
  engine_.ShowStatus(kDialStatusDisconnected, advice);
}

int CJunoDialPath::Disconnect(const std::string& /*statusText*/, bool /*closeClient*/) {
  engine_.StopTimer(kTimerJunoRedial);
  if (engine_.IsConnected()) {
    juno_.Disconnect();
    engine_.ArmTimer(kTimerJunoClose, kCloseAfterHangUpMs);
  } else {
    juno_.Stop();
    engine_.ArmTimer(kTimerJunoClose, kCloseAfterAbandonMs);
  }
  return status::kOk;
}
