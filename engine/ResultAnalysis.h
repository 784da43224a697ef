// CResultAnalysis: reads the result log and turns the measured times into
// decisions and figures: the best value of a tuned parameter (which the test
// plan writes and stores) and the three percentages of the result view.
//
// Every analysis opens the log for reading, reads the records it needs,
// closes it and computes in memory; nothing is kept between analyses, and the
// log is never changed.
#pragma once

#include <vector>

#include "engine/portable/AnalysisMath.h"
#include "engine/portable/TestRecord.h"

class CResultAnalysis {
 public:
  // The family decides whether cache size is part of an Auto Tune-Up.
  explicit CResultAnalysis(int osFamily) : osFamily_(osFamily) {}

  // The candidate of the filter's kind (and, in match mode 1, parameter)
  // whose fastest repetition was fastest; the first tested wins a tie.
  // 0; 5 when the log cannot be opened; 7 when nothing matches or the log is
  // malformed.
  int BestValue(const TestRecord& filter, int matchMode, AnalysisResult& result) const;
  // The best value as above, with the improvement over the fastest baseline
  // measurement filled in. For an auto filter in match mode 0 the best value
  // is the fastest single auto measurement of any parameter. 48 for a filter
  // kind other than manual or auto; otherwise as BestValue.
  int Improvement(const TestRecord& filter, int matchMode, AnalysisResult& result) const;

  // The figures of the result view for a tune-up request, in percent; each is
  // 0 when it fails. 0, 5 or 7.
  //
  // "Extreme": the spread between the slowest and the fastest single
  // measurement of the tune-up, baseline included.
  int ExtremeFigure(const TestRecord& request, double& percent) const;
  // "Best of the Best": the baseline's mean time against the best mean time of
  // any candidate of any tested parameter.
  int BestOfTheBestFigure(const TestRecord& request, double& percent) const;
  // "Average": the improvement of the request in match mode 0.
  int AverageFigure(const TestRecord& request, double& percent) const;

 private:
  // The parsed entries of the matching records; 7 when there are none.
  int ReadEntries(int kind, int parameter, int matchMode, std::vector<LogEntry>& entries) const;
  // The parameters an Auto Tune-Up tests on this family, in test order.
  std::vector<int> AutoParameters() const;

  int osFamily_;
};
