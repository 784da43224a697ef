// CResultAnalysis: the log reads of each analysis; the arithmetic is
// Windows-free (AnalysisMath).
#include "engine/ResultAnalysis.h"

#include <string>

#include "engine/ResultLog.h"
#include "engine/portable/LogRecordFormat.h"
#include "engine/portable/StatusCodes.h"
#include "settings/portable/OsFamily.h"

int CResultAnalysis::ReadEntries(int kind, int parameter, int matchMode,
                                 std::vector<LogEntry>& entries) const {
  CResultLog log;
  int result = log.Open("Read");
  if (result != status::kOk) return result;
  std::vector<std::string> texts;
  result = log.ReadRecords({kind, parameter, 0, 0.0}, matchMode, texts);
  log.Close();
  if (result != status::kOk) return result;
  if (!ParseLogEntries(texts, entries) || entries.empty()) return status::kLogCorrupted;
  return status::kOk;
}

std::vector<int> CResultAnalysis::AutoParameters() const {
  std::vector<int> parameters = {kParameterMtu, kParameterRwin, kParameterTtl};
  // Cache size is not tuned on the NT family: its plan holds no such records.
  if (!IsNtFamily(osFamily_)) parameters.push_back(kParameterCacheSize);
  return parameters;
}

int CResultAnalysis::BestValue(const TestRecord& filter, int matchMode,
                               AnalysisResult& result) const {
  std::vector<LogEntry> entries;
  int code = ReadEntries(filter.kind, filter.parameter, matchMode, entries);
  if (code != status::kOk) return code;
  BestValueOf(entries, result);
  return status::kOk;
}

int CResultAnalysis::Improvement(const TestRecord& filter, int matchMode,
                                 AnalysisResult& result) const {
  if (filter.kind != kRecordManual && filter.kind != kRecordAuto) {
    return status::kInvalidTuneUpType;
  }
  int code = BestValue(filter, matchMode, result);
  if (code != status::kOk) return code;
  AnalysisResult baseline;
  code = BestValue({kRecordBaseline, kParameterNone, 0, 0.0}, kMatchFilterParameter, baseline);
  if (code != status::kOk) return code;
  result.improvement = GainPercent(baseline.bestTime, result.bestTime);
  return status::kOk;
}

int CResultAnalysis::ExtremeFigure(const TestRecord& request, double& percent) const {
  percent = 0.0;
  std::vector<LogEntry> entries;
  int code = ReadEntries(request.kind, request.parameter, kMatchEveryParameter, entries);
  if (code != status::kOk) return code;
  std::vector<LogEntry> baseline;
  code = ReadEntries(kRecordBaseline, kParameterNone, kMatchEveryParameter, baseline);
  if (code != status::kOk) return code;
  entries.insert(entries.end(), baseline.begin(), baseline.end());
  percent = SpreadPercent(entries);
  return status::kOk;
}

int CResultAnalysis::BestOfTheBestFigure(const TestRecord& request, double& percent) const {
  percent = 0.0;
  // An Auto Tune-Up is judged on every parameter it tested, whatever the
  // provider; any other request on its own parameter.
  std::vector<int> parameters = {request.parameter};
  if (request.kind == kRecordAuto) parameters = AutoParameters();
  double bestMean = 0.0;
  for (size_t i = 0; i < parameters.size(); ++i) {
    std::vector<LogEntry> entries;
    int code = ReadEntries(request.kind, parameters[i], kMatchFilterParameter, entries);
    if (code != status::kOk) return code;
    double mean = BestMeanTime(entries);
    if (i == 0 || mean < bestMean) bestMean = mean;
  }
  std::vector<LogEntry> baseline;
  int code = ReadEntries(kRecordBaseline, kParameterNone, kMatchFilterParameter, baseline);
  if (code != status::kOk) return code;
  percent = GainPercent(AverageTime(baseline), bestMean);
  return status::kOk;
}

int CResultAnalysis::AverageFigure(const TestRecord& request, double& percent) const {
  percent = 0.0;
  AnalysisResult result;
  int code = Improvement(request, kMatchEveryParameter, result);
  if (code == status::kOk) percent = result.improvement;
  return code;
}
