// The tests of one tune-up, in the order they run: the baseline repetitions
// with the user's own settings, then each candidate value of each tuned
// parameter repeated in a row. Windows-free.
#pragma once

#include <vector>

#include "engine/portable/TestRecord.h"

// The repetition count of every test when the configured one is missing or
// not one of the configuration wizard's choices (1, 2 or 3).
constexpr int kDefaultRepetitions = 3;
constexpr int kMaxRepetitions = 3;

// The candidate values of a parameter in test order; empty for an unknown one.
std::vector<int> CandidateValues(int parameter);

// A stored repetition count when it is one of 1, 2 or 3; otherwise 3.
int RepetitionsOrDefault(long long stored);

// The plan's records for a tune-up request: `repetitions` baseline records,
// then for a manual request (kind 2) its parameter's candidates and for an
// auto request (kind 3) those of MTU, RWIN, TTL and cache size, each
// candidate `repetitions` times. Cache size is left out on the NT family.
// Any other request (or a manual one of an unknown parameter) builds nothing.
std::vector<TestRecord> BuildTestRecords(const TestRecord& request, int repetitions,
                                         int osFamily);

// An RWIN candidate (a multiple of 536, the MSS of the smallest MTU) as the
// same multiple of the MSS that belongs to the MTU in effect. A candidate
// stays as it is when that MTU is not one a link can have.
int RwinForMtu(int candidate, int mtuInEffect);
