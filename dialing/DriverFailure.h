// What the dial engine does when a client driver reports a failed dial
// (Juno and AT&T WorldNet): below the profile's "Redial" limit it counts down
// and dials again; at the limit, or when the user cancels, the dial ends.
#pragma once

#include <string>

#include "dialing/ClientDialPathSeam.h"

enum class DriverFailureEnd {
  Redialled,     // the countdown ran out and the dial began again
  Cancelled,     // the user cancelled the countdown
  LimitReached,  // no redial left: the dial has ended as failed
  Overtaken,     // the dial was disconnected while the countdown ran
};

// `attempts` is the driver's attempt count; `driverText` the driver's own
// failure text, or empty. The caller clears the driver's count on Cancelled
// and LimitReached.
DriverFailureEnd RunDriverFailure(IDialEngineServices& engine, int attempts,
                                  const std::string& driverText);
