// The arithmetic of result analysis, on figures worked out by hand.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/portable/AnalysisMath.h"

namespace {

std::vector<LogEntry> Entries(const std::vector<std::string>& texts) {
  std::vector<LogEntry> entries;
  EXPECT_TRUE(ParseLogEntries(texts, entries));
  return entries;
}

// MTU 576: 9000, 8800, 8900; 1000: 7000, 7100, 9500; 1500: 7000, 8000, 8000.
const std::vector<std::string> kMtuRuns = {
    "576:9000:",  "576:8800:",  "576:8900:",  "1000:7000:", "1000:7100:",
    "1000:9500:", "1500:7000:", "1500:8000:", "1500:8000:"};

TEST(AnalysisMathTest, CandidateIsJudgedByItsFastestRepetitionFirstTestedWinning) {
  std::vector<LogEntry> fastest = PerValueFastest(Entries(kMtuRuns));
  ASSERT_EQ(3u, fastest.size());
  EXPECT_EQ(576, fastest[0].value);
  EXPECT_EQ(8800.0, fastest[0].time);
  EXPECT_EQ(1000, fastest[1].value);
  EXPECT_EQ(7000.0, fastest[1].time);
  EXPECT_EQ(1500, fastest[2].value);
  EXPECT_EQ(7000.0, fastest[2].time);

  AnalysisResult result;
  ASSERT_TRUE(BestValueOf(Entries(kMtuRuns), result));
  EXPECT_EQ(1000, result.bestValue);
  EXPECT_EQ(7000.0, result.bestTime);
  EXPECT_DOUBLE_EQ((7000.0 - 8800.0) / 7000.0 * 100.0, result.improvement);
  EXPECT_FALSE(BestValueOf({}, result));
}

TEST(AnalysisMathTest, GainOverTheBaseline) {
  EXPECT_DOUBLE_EQ(10.0, GainPercent(7700.0, 7000.0));
  EXPECT_EQ(0.0, GainPercent(6900.0, 7000.0));
  EXPECT_EQ(0.0, GainPercent(7000.0, 7000.0));
}

// A time of 0 (a test that measured nothing) never wins, and never divides.
TEST(AnalysisMathTest, UnmeasuredTimesArePassedOver) {
  std::vector<LogEntry> entries = Entries({"1:5:", "2::", "3:7:"});
  EXPECT_EQ(1, FastestEntry(entries).value);
  AnalysisResult result;
  ASSERT_TRUE(BestValueOf(Entries({"576::", "1000:7000:", "1000:0:"}), result));
  EXPECT_EQ(1000, result.bestValue);

  std::vector<LogEntry> nothing = Entries({"1::", "2::"});
  EXPECT_EQ(1, FastestEntry(nothing).value);
  ASSERT_TRUE(BestValueOf(nothing, result));
  EXPECT_EQ(0.0, result.improvement);
  EXPECT_EQ(0.0, GainPercent(7700.0, 0.0));
  EXPECT_EQ(0.0, SpreadPercent(nothing));
}

TEST(AnalysisMathTest, SlowestAndSpreadOverSingleMeasurements) {
  std::vector<LogEntry> entries = Entries(kMtuRuns);
  EXPECT_EQ(1000, SlowestEntry(entries).value);
  EXPECT_DOUBLE_EQ((9500.0 - 7000.0) / 7000.0 * 100.0, SpreadPercent(entries));
  EXPECT_EQ(0.0, SpreadPercent({}));
}

TEST(AnalysisMathTest, MeansOfValuesAndOfAll) {
  // Means: 576 8900, 1000 7866.67, 1500 7666.67.
  EXPECT_DOUBLE_EQ(23000.0 / 3.0, BestMeanTime(Entries(kMtuRuns)));
  EXPECT_DOUBLE_EQ(7850.0, AverageTime(Entries({"0:7700:", "0:8000:"})));
  EXPECT_EQ(0.0, AverageTime({}));
}

TEST(AnalysisMathTest, OnlyWhatTheLogWritesIsAnEntry) {
  LogEntry entry;
  ASSERT_TRUE(ParseLogEntry("-5:12:", entry));
  EXPECT_EQ(-5, entry.value);
  EXPECT_EQ(12.0, entry.time);
  ASSERT_TRUE(ParseLogEntry("2147483647:999999999999999:", entry));
  EXPECT_EQ(2147483647, entry.value);
  ASSERT_TRUE(ParseLogEntry("0::", entry));
  EXPECT_EQ(0.0, entry.time);
  for (const char* bad : {"576:9000", "x:1:", ":5:", "-:5:", "5:1.5:", "5:-1:", "5: 1:",
                          "2147483648:1:", "5:1234567890123456:", "5:1:extra", ""}) {
    EXPECT_FALSE(ParseLogEntry(bad, entry)) << bad;
  }
  std::vector<LogEntry> entries;
  EXPECT_FALSE(ParseLogEntries({"1:2:", "bad"}, entries));
}

}  // namespace
