// The client drivers' failure: the redial countdown against "Redial".
#include "dialing/DriverFailure.h"

#include "dialing/DialViewSeam.h"
#include "engine/CountdownDialog.h"
#include "engine/portable/StatusCodes.h"

DriverFailureEnd RunDriverFailure(IDialEngineServices& engine, int attempts,
                                  const std::string& driverText) {
  const std::string failed = "Failed to connect to: " + engine.ConnectionName();
  // A driver that could not even start its client says why.
  if (!driverText.empty()) engine.ShowStatus(kDialStatusDisconnected, driverText);
  if (engine.IsTrayMode()) {
    engine.ShowStatus(kDialStatusDisconnected, failed);
    engine.EnableDialUpDialog(true);
  }
  if (attempts >= engine.RedialLimit()) {
    // Not a silent stop: the tune-up (or the tray dial) must end.
    engine.EndWithFailure(status::kRedialLimitReached);
    return DriverFailureEnd::LimitReached;
  }
  int choice = engine.RunCountdown("Connection Error", failed, std::string(), "Re-dial in:");
  if (!engine.IsDialing()) return DriverFailureEnd::Overtaken;
  if (choice == kCountdownResume) {
    engine.DialAgain(false);
    return DriverFailureEnd::Redialled;
  }
  if (engine.IsTrayMode()) {
    // Nobody is told in tray mode: the dial ends here, with the user's values back.
    engine.EndWithFailure(status::kRedialLimitReached);
  } else {
    engine.NotifyStop();
  }
  return DriverFailureEnd::Cancelled;
}
