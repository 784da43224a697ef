// The dial engine's AT&T WorldNet path.
#include "dialing/AttDialPath.h"

#include "dialing/DialViewSeam.h"
#include "dialing/DialingMessages.h"
#include "dialing/DriverFailure.h"
#include "dialing/DriverNotice.h"
#include "engine/portable/StatusCodes.h"

int CAttDialPath::Dial(bool /*restart*/) {
  att_.Connect(engine_.Window());
  engine_.ShowStatus(kDialStatusDialing, "Dialing...");
  return status::kOk;
}

bool CAttDialPath::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_DRIVERNOTIFY) return false;
  // A notice of a dial that was abandoned meanwhile starts nothing.
  if (!engine_.IsDialing()) return true;
  if (wParam == DN_CONNECTED) {
    att_.ClearAttempts();
    engine_.RunConnected();
  } else if (wParam == DN_FAILED) {
    OnDriverFailed(DriverNoticeText(lParam));
  }
  return true;
}

void CAttDialPath::OnConnected() { att_.StartWelcomeWatch(); }

void CAttDialPath::OnDriverFailed(const std::string& driverText) {
  int attempts = att_.Attempts();
  // The dialer is started afresh for the next attempt.
  att_.Close();
  DriverFailureEnd end = RunDriverFailure(engine_, attempts, driverText);
  if (end == DriverFailureEnd::Cancelled || end == DriverFailureEnd::LimitReached) {
    att_.ClearAttempts();
    att_.StopLogonWatch();
  }
}

int CAttDialPath::Disconnect(const std::string& /*statusText*/, bool closeClient) {
  if (engine_.IsDialing()) att_.StopLogonWatch();
  att_.Disconnect();
  if (closeClient) att_.Close();
  return status::kOk;
}
