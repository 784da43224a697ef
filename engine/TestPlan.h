// CTestPlan: the ordered tests of one tune-up. The first record is always
// the next test to run; the controller makes its value effective before each
// dial, removes it once its test succeeded, and has the plan choose and store
// a parameter's best value when that parameter's tests are complete.
#pragma once

#include <deque>

#include "engine/portable/TestRecord.h"
#include "settings/SettingsStore.h"

class CTestPlan {
 public:
  // The plan of a tune-up request (see BuildTestRecords) on the store's
  // operating-system family; the store also carries out the parameter writes.
  CTestPlan(const TestRecord& request, int repetitions, const CSettingsStore& store);

  // The configured repetition count ("TuneUp Type"): 1, 2 or 3, and 3 when it
  // is missing or holds anything else.
  static int ConfiguredRepetitions(const CSettingsStore& store);

  int Remaining() const { return static_cast<int>(records_.size()); }
  // The number of records the plan was built with.
  int Total() const { return total_; }
  // A copy of the next test; all fields 0 when the plan is empty.
  TestRecord First() const;
  // Drops the finished test; false when the plan was empty.
  bool RemoveFirst();

  // Makes the next test's value effective before its dial. A baseline
  // changes nothing; an auto RWIN candidate becomes the same multiple of the
  // MSS of the MTU in effect; with America Online the stored best MTU is put
  // back first for every auto test but MTU's own. Status of the write; 37 for
  // an unknown kind.
  int ApplyFirst(int providerKind);
  // After an auto test (the finished record still first): when it was the
  // last of its parameter, chooses the parameter's best value, writes it so
  // that the following parameters are tested on top of it (not after the
  // plan's last test) and stores it as the best setting. A chosen RWIN is the
  // window that was measured, i.e. converted as in ApplyFirst. 37 for a
  // record that is neither baseline nor auto; otherwise the status of the
  // analysis, the write or the store.
  int AnalyseAfterStep();
  // At the end of a manual tune-up: chooses and stores (without writing) the
  // best value of the request's parameter; 37 for a request that is not manual.
  int ApplyBestForManual(const TestRecord& request);

 private:
  // Chooses the best value of the finished record's kind and parameter.
  int ChooseBest(const TestRecord& finished, bool write);
  // The MTU the next dial will use, or 0 when it cannot be read.
  int MtuInEffect();
  // The value a record's test runs with: an auto RWIN candidate (a multiple
  // of 536) becomes the same multiple of the MSS of the MTU in effect.
  int EffectiveValue(const TestRecord& record);

  std::deque<TestRecord> records_;
  int total_;
  CSettingsStore store_;
};
