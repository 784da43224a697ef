// The one place every fixed wait and timer interval passes through.
//
// VELOTUNE_TIME_SCALE (environment, default 1) multiplies every such interval,
// so tests and the lab can run the program's waits faster. Measured times are
// never scaled.
#pragma once

#include <cstdint>

namespace timescale {

// The factor in effect: VELOTUNE_TIME_SCALE when it holds a positive number, else 1.
double Factor();

// Replaces the factor (tests); a value of 0 or below restores the environment's.
void OverrideFactor(double factor);

// An interval of the program scaled by the factor; never 0 for a non-zero interval.
std::uint32_t Scaled(std::uint32_t milliseconds);

// Sleeps for the scaled interval.
void Sleep(std::uint32_t milliseconds);

}  // namespace timescale
