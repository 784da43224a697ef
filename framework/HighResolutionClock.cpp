// The performance counter as a clock (see HighResolutionClock.h).
#include "framework/HighResolutionClock.h"

#include <windows.h>

namespace hrclock {
namespace {

double TicksPerMillisecond() {
  static const double ticksPerMillisecond = [] {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1000.0;
  }();
  return ticksPerMillisecond;
}

}  // namespace

std::int64_t Ticks() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

double MillisecondsBetween(std::int64_t start, std::int64_t stop) {
  return static_cast<double>(stop - start) / TicksPerMillisecond();
}

double NowMilliseconds() { return static_cast<double>(Ticks()) / TicksPerMillisecond(); }

}  // namespace hrclock
