// Result analysis arithmetic.
#include "engine/portable/AnalysisMath.h"

#include <climits>
#include <cmath>
#include <unordered_map>

namespace {

// Times are at most this many digits, so every one is an exact, finite double.
constexpr size_t kMaxTimeDigits = 15;
constexpr size_t kMaxValueDigits = 10;

// Reads between 1 (0 when `optional`) and maxDigits digits at `position`,
// then the ":" that must follow them.
bool ReadField(std::string_view text, size_t& position, size_t maxDigits, bool optional,
               double& number) {
  number = 0.0;
  size_t digits = 0;
  for (; position < text.size() && text[position] >= '0' && text[position] <= '9'; ++position) {
    if (++digits > maxDigits) return false;
    number = number * 10.0 + (text[position] - '0');
  }
  if (digits == 0 && !optional) return false;
  if (position == text.size() || text[position] != ':') return false;
  ++position;
  return true;
}

double PercentOf(double difference, double base) {
  return base > 0.0 ? difference / base * 100.0 : 0.0;
}

// Whether `candidate` replaces the fastest entry kept so far. A time of 0 was
// never measured: it replaces nothing, and anything measured replaces it.
bool Faster(const LogEntry& candidate, const LogEntry& kept) {
  return candidate.time != 0.0 && (kept.time == 0.0 || candidate.time < kept.time);
}

// The measurements of one value.
struct ValueGroup {
  int value;
  double sum;
  int count;
  LogEntry fastest;
};

// One group per distinct value, in order of first appearance.
std::vector<ValueGroup> GroupByValue(const std::vector<LogEntry>& entries) {
  std::vector<ValueGroup> groups;
  std::unordered_map<int, size_t> groupOfValue;
  for (const LogEntry& entry : entries) {
    auto found = groupOfValue.emplace(entry.value, groups.size());
    if (found.second) {
      groups.push_back({entry.value, entry.time, 1, entry});
      continue;
    }
    ValueGroup& group = groups[found.first->second];
    group.sum += entry.time;
    ++group.count;
    if (Faster(entry, group.fastest)) group.fastest = entry;
  }
  return groups;
}

}  // namespace

bool ParseLogEntry(std::string_view text, LogEntry& entry) {
  size_t position = 0;
  bool negative = !text.empty() && text[0] == '-';
  if (negative) ++position;
  double value = 0.0;
  double time = 0.0;
  if (!ReadField(text, position, kMaxValueDigits, false, value)) return false;
  if (!ReadField(text, position, kMaxTimeDigits, true, time) || position != text.size()) {
    return false;
  }
  if (negative) value = -value;
  if (value < INT_MIN || value > INT_MAX) return false;
  entry.value = static_cast<int>(value);
  entry.time = time;
  return true;
}

bool ParseLogEntries(const std::vector<std::string>& texts, std::vector<LogEntry>& entries) {
  entries.clear();
  entries.reserve(texts.size());
  for (const std::string& text : texts) {
    LogEntry entry;
    if (!ParseLogEntry(text, entry)) return false;
    entries.push_back(entry);
  }
  return true;
}

double AverageTime(const std::vector<LogEntry>& entries) {
  double sum = 0.0;
  for (const LogEntry& entry : entries) sum += entry.time;
  return entries.empty() ? 0.0 : sum / static_cast<double>(entries.size());
}

const LogEntry& FastestEntry(const std::vector<LogEntry>& entries) {
  const LogEntry* fastest = &entries.front();
  for (const LogEntry& entry : entries) {
    if (Faster(entry, *fastest)) fastest = &entry;
  }
  return *fastest;
}

const LogEntry& SlowestEntry(const std::vector<LogEntry>& entries) {
  const LogEntry* slowest = &entries.front();
  for (const LogEntry& entry : entries) {
    if (entry.time > slowest->time) slowest = &entry;
  }
  return *slowest;
}

std::vector<LogEntry> PerValueFastest(const std::vector<LogEntry>& entries) {
  std::vector<LogEntry> fastest;
  for (const ValueGroup& group : GroupByValue(entries)) {
    fastest.push_back({group.value, std::round(group.fastest.time)});
  }
  return fastest;
}

bool BestValueOf(const std::vector<LogEntry>& entries, AnalysisResult& result) {
  if (entries.empty()) return false;
  std::vector<LogEntry> candidates = PerValueFastest(entries);
  const LogEntry& best = FastestEntry(candidates);
  const LogEntry& worst = SlowestEntry(candidates);
  result.bestValue = best.value;
  result.bestTime = best.time;
  result.improvement = PercentOf(best.time - worst.time, best.time);
  return true;
}

double GainPercent(double referenceTime, double bestTime) {
  return referenceTime > bestTime ? PercentOf(referenceTime - bestTime, bestTime) : 0.0;
}

double SpreadPercent(const std::vector<LogEntry>& entries) {
  if (entries.empty()) return 0.0;
  double fastest = FastestEntry(entries).time;
  return PercentOf(SlowestEntry(entries).time - fastest, fastest);
}

double BestMeanTime(const std::vector<LogEntry>& entries) {
  std::vector<ValueGroup> groups = GroupByValue(entries);
  double best = groups.front().sum / groups.front().count;
  for (const ValueGroup& group : groups) {
    double mean = group.sum / group.count;
    if (mean < best) best = mean;
  }
  return best;
}
