// CTestPlan: the plan's records (built Windows-free by BuildTestRecords) and
// the parameter writes and analysis around each test.
#include "engine/TestPlan.h"

#include "engine/ResultAnalysis.h"
#include "engine/portable/LogRecordFormat.h"
#include "engine/portable/StatusCodes.h"
#include "engine/portable/TestPlanBuilder.h"
#include "settings/portable/ProviderKinds.h"

CTestPlan::CTestPlan(const TestRecord& request, int repetitions, const CSettingsStore& store)
    : store_(store) {
  std::vector<TestRecord> records = BuildTestRecords(request, repetitions, store.GetOsFamily());
  records_.assign(records.begin(), records.end());
  total_ = Remaining();
}

int CTestPlan::ConfiguredRepetitions(const CSettingsStore& store) {
  DWORD stored = 0;
  if (store.GetTuneUpType(stored) != status::kOk) return kDefaultRepetitions;
  return RepetitionsOrDefault(stored);
}

TestRecord CTestPlan::First() const { return records_.empty() ? TestRecord() : records_.front(); }

bool CTestPlan::RemoveFirst() {
  if (records_.empty()) return false;
  records_.pop_front();
  return true;
}

int CTestPlan::MtuInEffect() {
  TestRecord mtu = {kRecordManual, kParameterMtu, 0, 0.0};
  return store_.ReadCurrent(mtu) == status::kOk ? mtu.value : 0;
}

int CTestPlan::EffectiveValue(const TestRecord& record) {
  if (record.kind != kRecordAuto || record.parameter != kParameterRwin) return record.value;
  return RwinForMtu(record.value, MtuInEffect());
}

int CTestPlan::ApplyFirst(int providerKind) {
  TestRecord record = First();
  switch (record.kind) {
    case kRecordBaseline:
      return status::kOk;
    case kRecordManual:
      return store_.Write(record);
    case kRecordAuto:
      if (record.parameter != kParameterMtu && providerKind == kProviderAmericaOnline) {
        TestRecord bestMtu = {kRecordAuto, kParameterMtu, 0, 0.0};
        if (store_.ReadBest(bestMtu) == status::kOk) store_.Write(bestMtu);
      }
      record.value = EffectiveValue(record);
      return store_.Write(record);
    default:
      return status::kTestTypeUndefined;
  }
}

int CTestPlan::AnalyseAfterStep() {
  TestRecord finished = First();
  if (finished.kind == kRecordBaseline) return status::kOk;
  if (finished.kind != kRecordAuto) return status::kTestTypeUndefined;
  if (records_.size() > 1) {
    if (records_[1].parameter == finished.parameter) return status::kOk;
    return ChooseBest(finished, true);
  }
  return ChooseBest(finished, false);
}

int CTestPlan::ApplyBestForManual(const TestRecord& request) {
  if (request.kind != kRecordManual) return status::kTestTypeUndefined;
  return ChooseBest(request, false);
}

int CTestPlan::ChooseBest(const TestRecord& finished, bool write) {
  AnalysisResult result;
  TestRecord filter = {finished.kind, finished.parameter, 0, 0.0};
  CResultAnalysis analysis(store_.GetOsFamily());
  int code = analysis.Improvement(filter, kMatchFilterParameter, result);
  if (code != status::kOk) return code;
  TestRecord best = {finished.kind, finished.parameter, result.bestValue, 0.0};
  // The log names the planned candidate; keep the value that was measured.
  best.value = EffectiveValue(best);
  if (write) {
    code = store_.Write(best);
    if (code != status::kOk) return code;
  }
  return store_.StoreBest(best);
}
