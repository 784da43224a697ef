// Fuzz target of the result log's reader and of the analysis that parses and
// weighs what it lists. Whatever the bytes, nothing may crash, overrun or
// overflow, every listed entry has the reader's form, every figure is a
// finite number, and a record the log writes reads back as written.
//
// Input: byte 0 chooses the filter's kind and match mode, byte 1 its
// parameter, the rest is the log text. The first 20 bytes also make up one
// test record for the round trip.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "engine/portable/AnalysisMath.h"
#include "engine/portable/LogRecordFormat.h"
#include "engine/portable/StatusCodes.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

void CheckAnalysis(const std::vector<std::string>& texts) {
  std::vector<LogEntry> entries;
  if (!ParseLogEntries(texts, entries) || entries.empty()) return;
  AnalysisResult result;
  Require(BestValueOf(entries, result));
  Require(std::isfinite(result.improvement) && std::isfinite(result.bestTime));
  Require(std::isfinite(GainPercent(AverageTime(entries), BestMeanTime(entries))));
  Require(std::isfinite(GainPercent(FastestEntry(entries).time, result.bestTime)));
  Require(std::isfinite(SpreadPercent(entries)));
}

void CheckReader(std::string_view text, int kind, int parameter, int matchMode) {
  std::vector<std::string> entries;
  int result = ReadLogRecords(text, kind, parameter, matchMode, entries);
  Require(result == status::kOk || result == status::kLogCorrupted);
  for (const std::string& entry : entries) {
    Require(entry.size() >= 2 && entry.back() == ':');
    Require(std::count(entry.begin(), entry.end(), ':') == 2);
  }
  CheckAnalysis(entries);
}

void CheckRoundTrip(const std::uint8_t* data) {
  TestRecord record;
  std::memcpy(&record.kind, data, 4);
  std::memcpy(&record.parameter, data + 4, 4);
  std::memcpy(&record.value, data + 8, 4);
  std::memcpy(&record.elapsed, data + 12, 8);
  std::vector<std::string> entries;
  Require(ReadLogRecords(FormatLogRecord(record), record.kind, record.parameter,
                         kMatchFilterParameter, entries) == status::kOk);
  Require(entries.size() == 1);
  double rounded = std::isfinite(record.elapsed) ? std::round(std::fabs(record.elapsed)) : 0.0;
  LogEntry entry;
  if (rounded >= 1e15) return;  // longer than any time the analysis accepts
  Require(ParseLogEntry(entries[0], entry));
  Require(entry.value == record.value && entry.time == rounded);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  int kind = data[0] % 5;
  int matchMode = data[0] / 5 % 3;
  int parameter = data[1] % 6;
  std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
  CheckReader(text, kind, parameter, matchMode);
  if (size >= 20) CheckRoundTrip(data);
  return 0;
}
