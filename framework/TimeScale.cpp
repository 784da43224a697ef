// Time scale of the program's fixed waits (see TimeScale.h).
#include "framework/TimeScale.h"

#include <windows.h>

#include <atomic>
#include <cmath>
#include <cstdlib>

namespace timescale {
namespace {

std::atomic<double> g_override{0.0};

double FactorFromEnvironment() {
  char text[64] = {};
  DWORD length = GetEnvironmentVariableA("VELOTUNE_TIME_SCALE", text, sizeof(text));
  if (length == 0 || length >= sizeof(text)) return 1.0;
  char* end = nullptr;
  double factor = std::strtod(text, &end);
  if (end == text || !std::isfinite(factor) || factor <= 0.0) return 1.0;
  return factor;
}

}  // namespace

double Factor() {
  double forced = g_override.load();
  if (forced > 0.0) return forced;
  static const double fromEnvironment = FactorFromEnvironment();
  return fromEnvironment;
}

void OverrideFactor(double factor) { g_override.store(factor > 0.0 ? factor : 0.0); }

std::uint32_t Scaled(std::uint32_t milliseconds) {
  if (milliseconds == 0) return 0;
  double scaled = std::floor(milliseconds * Factor() + 0.5);
  if (scaled < 1.0) return 1;
  if (scaled > 4294967295.0) return 0xFFFFFFFFu;
  return static_cast<std::uint32_t>(scaled);
}

void Sleep(std::uint32_t milliseconds) { ::Sleep(Scaled(milliseconds)); }

}  // namespace timescale
