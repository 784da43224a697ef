// The arithmetic of result analysis: measurements as the log reader lists
// them, the small list operations on them, and the percentages the result
// view shows. A shorter time is better. Windows-free.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// One measurement: the tested value and its time in milliseconds.
struct LogEntry {
  int value = 0;
  double time = 0.0;
};

struct AnalysisResult {
  double improvement = 0.0;  // percent
  int bestValue = 0;
  double bestTime = 0.0;  // milliseconds
};

// An entry text "value:elapsed:" as the log reader lists it. Only what the
// log writes is accepted: a decimal integer value and bare digits (or nothing,
// for 0) as the time; anything else means the log was tampered with or broken.
bool ParseLogEntry(std::string_view text, LogEntry& entry);
// All texts or none: false as soon as one is not a proper entry.
bool ParseLogEntries(const std::vector<std::string>& texts, std::vector<LogEntry>& entries);

// The mean time of all entries; 0 when there are none.
double AverageTime(const std::vector<LogEntry>& entries);
// The entry with the smallest time, the first on a tie. A time of 0 is a
// measurement that did not happen: it is passed over unless every time is 0.
// The list must not be empty.
const LogEntry& FastestEntry(const std::vector<LogEntry>& entries);
// The entry with the largest time, the first on a tie. Not for an empty list.
const LogEntry& SlowestEntry(const std::vector<LogEntry>& entries);
// Each distinct value's fastest entry, in order of the values' first
// appearance, its time rounded to whole milliseconds.
std::vector<LogEntry> PerValueFastest(const std::vector<LogEntry>& entries);

// The candidate whose fastest repetition is fastest (the one tested first on
// equal times). The improvement is the spread (best - worst) / best x 100 of
// the candidates' fastest repetitions. False for an empty list.
bool BestValueOf(const std::vector<LogEntry>& entries, AnalysisResult& result);
// How much faster the best time is than a reference time, in percent of the
// best time; 0 when it is not faster (or there is no best time).
double GainPercent(double referenceTime, double bestTime);
// (slowest - fastest) / fastest x 100 over single measurements; 0 for an
// empty list or when no time was measured.
double SpreadPercent(const std::vector<LogEntry>& entries);
// The smallest mean time of any one value (each value's repetitions averaged).
// Not for an empty list.
double BestMeanTime(const std::vector<LogEntry>& entries);
