// Result analysis on LogFile.txt: complete tune-up logs written through the
// log and read back, and the figures of a hand-made log whose answers were
// worked out on paper.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/ResultAnalysis.h"
#include "engine/ResultLog.h"
#include "engine/portable/LogRecordFormat.h"
#include "engine/portable/StatusCodes.h"
#include "engine/portable/TestPlanBuilder.h"
#include "settings/portable/OsFamily.h"
#include "tests/engine/LogFileFixture.h"

namespace {

using Entries = std::vector<std::string>;

class ResultAnalysisTest : public LogFileTest {
 protected:
  // Records of one kind and parameter with their times, in order.
  static std::string Runs(int kind, int parameter, const std::vector<std::pair<int, int>>& runs) {
    std::string text;
    for (const auto& run : runs) {
      text += FormatLogRecord({kind, parameter, run.first, static_cast<double>(run.second)});
    }
    return text;
  }

  static std::string Baseline() {
    return Runs(kRecordBaseline, kParameterNone, {{0, 7700}, {0, 7800}, {0, 8000}});
  }
  // MTU 576: 9000, 8800, 8900; 1000: 7000, 7100, 9500; 1500: 7000, 8000, 8000.
  static std::string MtuRuns(int kind) {
    return Runs(kind, kParameterMtu,
                {{576, 9000}, {576, 8800}, {576, 8900}, {1000, 7000}, {1000, 7100},
                 {1000, 9500}, {1500, 7000}, {1500, 8000}, {1500, 8000}});
  }
  // An Auto Tune-Up; cache size only when asked for.
  static std::string AutoLog(bool withCacheSize) {
    std::string log = Baseline() + MtuRuns(kRecordAuto) +
                      Runs(kRecordAuto, kParameterRwin,
                           {{1920, 7500}, {1920, 7400}, {1920, 7600}, {5760, 6900}, {5760, 7000},
                            {5760, 7100}, {15360, 7200}, {15360, 7300}, {15360, 7100}}) +
                      Runs(kRecordAuto, kParameterTtl,
                           {{32, 8000}, {32, 8100}, {32, 8200}, {64, 7000}, {64, 6950},
                            {64, 7050}, {128, 7000}, {128, 7000}, {128, 7000}});
    if (withCacheSize) {
      log += Runs(kRecordAuto, kParameterCacheSize,
                  {{8, 7100}, {8, 7200}, {8, 7300}, {16, 7300}, {16, 7400}, {16, 7500}});
    }
    return log;
  }
};

const TestRecord kAutoRequest = {kRecordAuto, kParameterNone, 0, 0.0};
const TestRecord kManualMtuRequest = {kRecordManual, kParameterMtu, 0, 0.0};

TEST_F(ResultAnalysisTest, CompleteAutoLogOfEachFamilyReadsBack) {
  struct Case {
    int family;
    int repetitions;
    size_t records;
  };
  for (Case c : {Case{kOsWindows95, 3, 36}, Case{kOsWindows98, 3, 36}, Case{kOsWindowsMe, 3, 36},
                 Case{kOsWindows2000, 3, 30}, Case{kOsWindowsNT4, 3, 30},
                 Case{kOsWindows98, 1, 12}}) {
    SCOPED_TRACE(c.family);
    DeleteFileA(LogPath().c_str());
    std::vector<TestRecord> plan = BuildTestRecords(kAutoRequest, c.repetitions, c.family);
    ASSERT_EQ(c.records, plan.size());
    std::string expected;
    CResultLog log;
    ASSERT_EQ(0, log.Open("Write"));
    for (size_t i = 0; i < plan.size(); ++i) {
      // Larger candidates are faster, each repetition a little slower.
      plan[i].elapsed = 20000.0 - plan[i].value + static_cast<double>(i % c.repetitions) + 0.3;
      log.Append(plan[i]);
      expected += FormatLogRecord(plan[i]);
    }
    log.Close();
    EXPECT_EQ(expected, LogText());

    ASSERT_EQ(0, log.Open("Read"));
    Entries baseline;
    Entries autoRecords;
    EXPECT_EQ(0, log.ReadRecords({kRecordBaseline, 0, 0, 0}, kMatchFilterParameter, baseline));
    EXPECT_EQ(0, log.ReadRecords(kAutoRequest, kMatchEveryParameter, autoRecords));
    EXPECT_EQ(static_cast<size_t>(c.repetitions), baseline.size());
    EXPECT_EQ(c.records - c.repetitions, autoRecords.size());
    log.Close();

    CResultAnalysis analysis(c.family);
    const int bestOf[][2] = {{kParameterMtu, 1500}, {kParameterRwin, 8576}, {kParameterTtl, 128}};
    for (const auto& expectedBest : bestOf) {
      AnalysisResult result;
      EXPECT_EQ(0, analysis.Improvement({kRecordAuto, expectedBest[0], 0, 0.0},
                                        kMatchFilterParameter, result));
      EXPECT_EQ(expectedBest[1], result.bestValue);
    }
    double percent = -1.0;
    EXPECT_EQ(0, analysis.BestOfTheBestFigure(kAutoRequest, percent));
    EXPECT_GT(percent, 0.0);
  }
}

TEST_F(ResultAnalysisTest, BestValueOfEachParameterAgainstTheBaseline) {
  WriteLogText(AutoLog(true));
  CResultAnalysis analysis(kOsWindows98);
  AnalysisResult result;
  ASSERT_EQ(0, analysis.Improvement({kRecordAuto, kParameterMtu, 0, 0.0}, kMatchFilterParameter,
                                    result));
  EXPECT_EQ(1000, result.bestValue);
  EXPECT_EQ(7000.0, result.bestTime);
  EXPECT_DOUBLE_EQ(10.0, result.improvement);

  ASSERT_EQ(0, analysis.Improvement({kRecordAuto, kParameterRwin, 0, 0.0}, kMatchFilterParameter,
                                    result));
  EXPECT_EQ(5760, result.bestValue);
  EXPECT_DOUBLE_EQ(800.0 / 6900.0 * 100.0, result.improvement);

  ASSERT_EQ(0, analysis.BestValue({kRecordAuto, kParameterTtl, 0, 0.0}, kMatchFilterParameter,
                                  result));
  EXPECT_EQ(64, result.bestValue);
  EXPECT_EQ(status::kInvalidTuneUpType,
            analysis.Improvement({kRecordBaseline, 0, 0, 0.0}, kMatchFilterParameter, result));
}

TEST_F(ResultAnalysisTest, FiguresOfAnAutoTuneUp) {
  WriteLogText(AutoLog(true));
  for (int family : {kOsWindows98, kOsWindowsNT4}) {
    CResultAnalysis analysis(family);
    double percent = 0.0;
    ASSERT_EQ(0, analysis.ExtremeFigure(kAutoRequest, percent));
    EXPECT_DOUBLE_EQ(2600.0 / 6900.0 * 100.0, percent);
    // The fastest single auto measurement (6900) against the fastest baseline.
    ASSERT_EQ(0, analysis.AverageFigure(kAutoRequest, percent)) << family;
    EXPECT_DOUBLE_EQ(800.0 / 6900.0 * 100.0, percent) << family;
    // Best means per parameter 7666.67, 7000, 7000 (and 7200); baseline mean 7833.33.
    ASSERT_EQ(0, analysis.BestOfTheBestFigure(kAutoRequest, percent));
    EXPECT_NEAR(2500.0 / 3.0 / 7000.0 * 100.0, percent, 1e-9);
  }
}

// Every provider's Auto Tune-Up tests every parameter, America Online's
// (whose request carries parameter 5) included.
TEST_F(ResultAnalysisTest, BestOfTheBestCoversEveryTestedParameter) {
  WriteLogText(AutoLog(false));
  double percent = 0.0;
  // Windows 2000 never tunes cache size.
  EXPECT_EQ(0, CResultAnalysis(kOsWindows2000).BestOfTheBestFigure(kAutoRequest, percent));
  EXPECT_NEAR(2500.0 / 3.0 / 7000.0 * 100.0, percent, 1e-9);
  EXPECT_EQ(0, CResultAnalysis(kOsWindows2000)
                   .BestOfTheBestFigure({kRecordAuto, kParameterAolAuto, 0, 0.0}, percent));
  EXPECT_NEAR(2500.0 / 3.0 / 7000.0 * 100.0, percent, 1e-9);
  // On Windows 98 the cache-size records are missing: the tune-up was cut short.
  EXPECT_EQ(status::kLogCorrupted,
            CResultAnalysis(kOsWindows98).BestOfTheBestFigure(kAutoRequest, percent));
  EXPECT_EQ(0.0, percent);
}

TEST_F(ResultAnalysisTest, FiguresOfAManualTuneUp) {
  WriteLogText(Baseline() + MtuRuns(kRecordManual));
  CResultAnalysis analysis(kOsWindows98);
  double percent = 0.0;
  ASSERT_EQ(0, analysis.ExtremeFigure(kManualMtuRequest, percent));
  EXPECT_DOUBLE_EQ(2500.0 / 7000.0 * 100.0, percent);
  ASSERT_EQ(0, analysis.AverageFigure(kManualMtuRequest, percent));
  EXPECT_DOUBLE_EQ(10.0, percent);
  // Best mean 7666.67 (1500) against the baseline mean 7833.33.
  ASSERT_EQ(0, analysis.BestOfTheBestFigure(kManualMtuRequest, percent));
  EXPECT_NEAR(500.0 / 23000.0 * 100.0, percent, 1e-9);
}

TEST_F(ResultAnalysisTest, BaselineOnlyCountsForTheImprovement) {
  WriteLogText(Runs(kRecordBaseline, 0, {{0, 5000}}) +
               Runs(kRecordManual, kParameterRwin, {{1072, 7000}, {3216, 6000}, {8576, 6500}}));
  AnalysisResult result;
  ASSERT_EQ(0, CResultAnalysis(kOsWindows98)
                   .Improvement({kRecordManual, kParameterRwin, 0, 0.0}, kMatchFilterParameter,
                                result));
  EXPECT_EQ(3216, result.bestValue);
  EXPECT_EQ(0.0, result.improvement);
}

TEST_F(ResultAnalysisTest, MissingEmptyOrBrokenLogs) {
  CResultAnalysis analysis(kOsWindows98);
  AnalysisResult result;
  double percent = -1.0;
  EXPECT_EQ(status::kLogOpenFailed, analysis.BestValue(kManualMtuRequest, 1, result));
  EXPECT_EQ(status::kLogOpenFailed, analysis.ExtremeFigure(kAutoRequest, percent));
  EXPECT_EQ(0.0, percent);

  WriteLogText(Baseline());
  EXPECT_EQ(status::kLogCorrupted, analysis.Improvement(kManualMtuRequest, 1, result));
  WriteLogText(MtuRuns(kRecordManual));
  EXPECT_EQ(status::kLogCorrupted, analysis.Improvement(kManualMtuRequest, 1, result));
  EXPECT_EQ(status::kLogCorrupted, analysis.ExtremeFigure(kManualMtuRequest, percent));

  // A tampered time, and a record cut short after its value.
  WriteLogText(Baseline() + ">>2:1:576:9e9:");
  EXPECT_EQ(status::kLogCorrupted, analysis.Improvement(kManualMtuRequest, 1, result));
  WriteLogText(Baseline() + MtuRuns(kRecordManual) + ">>2:1:576");
  EXPECT_EQ(status::kLogCorrupted, analysis.AverageFigure(kManualMtuRequest, percent));
  EXPECT_EQ(0.0, percent);
}

}  // namespace
