// Building the test plan's records.
#include "engine/portable/TestPlanBuilder.h"

#include <climits>
#include <cstddef>

#include "settings/portable/OsFamily.h"

namespace {

constexpr int kHeaderBytes = 40;    // MSS = MTU - 40
constexpr int kRwinUnit = 536;      // the MSS of an MTU of 576
constexpr int kLargestMtu = 65535;  // an IP packet cannot be larger

void AppendRepeated(std::vector<TestRecord>& records, const TestRecord& record, int repetitions) {
  records.insert(records.end(), static_cast<size_t>(repetitions), record);
}

void AppendParameter(std::vector<TestRecord>& records, int kind, int parameter, int repetitions,
                     int osFamily) {
  if (parameter == kParameterCacheSize && IsNtFamily(osFamily)) return;
  for (int value : CandidateValues(parameter)) {
    AppendRepeated(records, {kind, parameter, value, 0.0}, repetitions);
  }
}

}  // namespace

std::vector<int> CandidateValues(int parameter) {
  switch (parameter) {
    case kParameterMtu: return {576, 1000, 1500};
    case kParameterRwin: return {2 * kRwinUnit, 6 * kRwinUnit, 16 * kRwinUnit};
    case kParameterTtl: return {32, 64, 128};
    case kParameterCacheSize: return {8, 16};
    default: return {};
  }
}

int RepetitionsOrDefault(long long stored) {
  return stored >= 1 && stored <= kMaxRepetitions ? static_cast<int>(stored) : kDefaultRepetitions;
}

std::vector<TestRecord> BuildTestRecords(const TestRecord& request, int repetitions,
                                         int osFamily) {
  std::vector<TestRecord> records;
  bool manual = request.kind == kRecordManual && !CandidateValues(request.parameter).empty();
  if (!manual && request.kind != kRecordAuto) return records;
  repetitions = RepetitionsOrDefault(repetitions);
  AppendRepeated(records, {kRecordBaseline, kParameterNone, 0, 0.0}, repetitions);
  if (manual) {
    AppendParameter(records, request.kind, request.parameter, repetitions, osFamily);
    return records;
  }
  for (int parameter : {kParameterMtu, kParameterRwin, kParameterTtl, kParameterCacheSize}) {
    AppendParameter(records, request.kind, parameter, repetitions, osFamily);
  }
  return records;
}

int RwinForMtu(int candidate, int mtuInEffect) {
  if (mtuInEffect <= kHeaderBytes || mtuInEffect > kLargestMtu) return candidate;
  long long window = static_cast<long long>(mtuInEffect - kHeaderBytes) * (candidate / kRwinUnit);
  return window >= INT_MIN && window <= INT_MAX ? static_cast<int>(window) : candidate;
}
