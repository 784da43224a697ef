// The performance counter as a clock: the tick count moves in steps of 10 to
// 16 ms (under Wine too), too coarse to time a fetch or pace a modem link.
#pragma once

#include <cstdint>

namespace hrclock {

// The counter's current value.
std::int64_t Ticks();

// Milliseconds between two counter values.
double MillisecondsBetween(std::int64_t start, std::int64_t stop);

// Milliseconds on the counter's scale (from an arbitrary origin).
double NowMilliseconds();

}  // namespace hrclock
