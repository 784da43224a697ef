// The NetZero dial path.
#include "dialing/NetZeroDialPath.h"

#include "dialing/DialViewSeam.h"
#include "dialing/DialingMessages.h"
#include "engine/portable/StatusCodes.h"

namespace {

constexpr UINT kRestartFirstMs = 1000;
constexpr UINT kRestartThenMs = 5000;
constexpr int kRestartTicks = 120;
constexpr UINT kBeforeStepMs = 1000;
constexpr char kAdBarClass[] = "AwtWindow";
constexpr char kFailedText[] = "Error: Connection to NetZero was unsuccessful";

}  // namespace

int CNetZeroDialPath::Dial(bool restart) {
  engine_.StopTimer(kTimerNetZeroRestart);
  restartTicks_ = 0;
  restartArmed_ = false;
  retries_ = 0;
  if (restart) {
    engine_.ArmTimer(kTimerNetZeroRestart, kRestartFirstMs);
  } else {
    engine_.StartDialingAnimationOnce();
    driver_.SetAside();
    driver_.Advance(engine_.Window(), 1);
  }
  engine_.ShowStatus(kDialStatusDialing, "Dialing...");
  return status::kOk;
}

bool CNetZeroDialPath::OnTimer(UINT_PTR id) {
  if (id != kTimerNetZeroRestart) return false;
  OnRestartTimer();
  return true;
}

void CNetZeroDialPath::OnRestartTimer() {
  if (restartArmed_) {
    restartArmed_ = false;
    engine_.StopTimer(kTimerNetZeroRestart);
    engine_.DialAgain(false);
    return;
  }
  if (FindWindowA(kAdBarClass, nullptr) == nullptr) {
    engine_.ArmTimer(kTimerNetZeroRestart, kRestartThenMs);
    restartArmed_ = true;
    return;
  }
  if (++restartTicks_ >= kRestartTicks) {
    // The last connection's window never went: this dial cannot start.
    engine_.StopTimer(kTimerNetZeroRestart);
    restartTicks_ = 0;
    Fail(status::kRasError);
  }
}

bool CNetZeroDialPath::OnMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/) {
  if (message == WM_NETZEROSTEP) {
    // A step of a dial that has ended (Disconnect, failure) is not taken.
    if (engine_.IsDialing()) OnStep(static_cast<int>(wParam));
    return true;
  }
  if (message != WM_DRIVERNOTIFY) return false;
  if (!engine_.IsDialing()) return true;
  if (wParam == DN_CONNECTED) {
    retries_ = 0;
    engine_.RunConnected();
  } else if (wParam == DN_FAILED) {
    Fail(status::kRasError);
  }
  return true;
}

void CNetZeroDialPath::OnStep(int step) {
  if (retries_ >= engine_.RedialLimit()) {
    Fail(status::kRedialLimitReached);
    return;
  }
  ++retries_;
  engine_.Wait(kBeforeStepMs);
  driver_.Advance(engine_.Window(), step);
}

void CNetZeroDialPath::Fail(int status) {
  engine_.ShowStatus(kDialStatusDisconnected, kFailedText);
  engine_.EndWithFailure(status);
}

int CNetZeroDialPath::Disconnect(const std::string& statusText, bool /*closeClient*/) {
  engine_.StopTimer(kTimerNetZeroRestart);
  restartArmed_ = false;
  restartTicks_ = 0;
  engine_.SetDialing(false);
  engine_.ShowStatus(kDialStatusDisconnected, statusText);
  driver_.Disconnect(engine_.Window());
  return status::kOk;
}
