// LogFile.txt beside the test program: opening, creating, deleting,
// appending at the true end, reading back, and the stopwatch's resolution.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/ResultLog.h"
#include "engine/portable/LogRecordFormat.h"
#include "engine/portable/StatusCodes.h"
#include "tests/engine/LogFileFixture.h"

namespace {

using Entries = std::vector<std::string>;

class ResultLogTest : public LogFileTest {};

TEST_F(ResultLogTest, LivesBesideTheProgram) {
  char module[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  std::string expected(module);
  expected = expected.substr(0, expected.rfind('\\')) + "\\LogFile.txt";
  std::string path;
  ASSERT_EQ(0, CResultLog::FilePath(path));
  EXPECT_EQ(expected, path);
}

TEST_F(ResultLogTest, OpenDeleteAndTheirCodes) {
  CResultLog log;
  EXPECT_EQ(status::kLogOpenFailed, log.Open("Read"));
  EXPECT_EQ(status::kLogCloseFailed, log.Delete());
  EXPECT_EQ(0, log.Open("Append"));
  EXPECT_FALSE(log.IsOpen());

  ASSERT_EQ(0, log.Open("Write"));
  EXPECT_TRUE(LogExists());
  log.Close();
  ASSERT_EQ(0, log.Open("Read"));
  EXPECT_EQ(0, log.Delete());
  EXPECT_FALSE(LogExists());
  EXPECT_FALSE(log.IsOpen());
}

TEST_F(ResultLogTest, AppendsAtTheEndWithoutTruncating) {
  {
    CResultLog log;
    ASSERT_EQ(0, log.Open("Write"));
    EXPECT_EQ(0, log.Append({kRecordBaseline, 0, 0, 8934.6}));
  }  // closed by its destructor
  CResultLog log;
  ASSERT_EQ(0, log.Open("Write"));
  EXPECT_EQ(0, log.Append({kRecordAuto, kParameterMtu, 576, 9120}));
  log.Close();
  EXPECT_EQ(">>1:0:0:8935:>>3:1:576:9120:", LogText());
}

TEST_F(ResultLogTest, LongLogKeepsEveryRecord) {
  std::string expected;
  for (int i = 0; i < 150; ++i) {
    expected += FormatLogRecord({kRecordAuto, kParameterRwin, i, 1000.0 + i});
  }
  WriteLogText(expected);
  ASSERT_GT(expected.size(), 2000u);

  CResultLog log;
  ASSERT_EQ(0, log.Open("Write"));
  log.Append({kRecordAuto, kParameterTtl, 64, 5000});
  log.Append({kRecordAuto, kParameterTtl, 128, 5100});
  log.Close();
  EXPECT_EQ(expected + ">>3:3:64:5000:>>3:3:128:5100:", LogText());
}

TEST_F(ResultLogTest, ReadsBackFromTheStartOfTheFile) {
  CResultLog log;
  ASSERT_EQ(0, log.Open("Write"));
  log.Append({kRecordBaseline, 0, 0, 7700});
  log.Append({kRecordAuto, kParameterMtu, 576, 9000});
  // Reading right after writing, with the position at the end.
  Entries entries;
  EXPECT_EQ(0, log.ReadRecords({kRecordAuto, kParameterMtu, 0, 0}, kMatchFilterParameter, entries));
  EXPECT_EQ((Entries{"576:9000:"}), entries);
}

TEST_F(ResultLogTest, TruncatedOrGarbledLogKeepsEarlierRecords) {
  WriteLogText(std::string(">>3:1:576:9000:\x01\xfe garbage >>3:1:1000:7000:>>3:1:1500:70", 51));
  CResultLog log;
  ASSERT_EQ(0, log.Open("Read"));
  Entries entries;
  EXPECT_EQ(status::kLogCorrupted,
            log.ReadRecords({kRecordAuto, kParameterMtu, 0, 0}, kMatchFilterParameter, entries));
  EXPECT_EQ((Entries{"576:9000:", "1000:7000:"}), entries);
}

TEST_F(ResultLogTest, ReaderSeesOnlyTheFirstHundredThousandBytes) {
  std::string text(CResultLog::kReadLimit - 8, ' ');
  text += ">>3:1:576:9000:>>3:1:1000:7000:";
  WriteLogText(text);
  CResultLog log;
  ASSERT_EQ(0, log.Open("Read"));
  Entries entries;
  EXPECT_EQ(status::kLogCorrupted,
            log.ReadRecords({kRecordAuto, kParameterMtu, 0, 0}, kMatchFilterParameter, entries));
  EXPECT_TRUE(entries.empty());
}

TEST_F(ResultLogTest, ReadingAClosedLogIsReported) {
  CResultLog log;
  Entries entries;
  EXPECT_EQ(status::kLogUnreadable, log.ReadRecords({kRecordBaseline, 0, 0, 0}, 0, entries));
}

// The tick count moves in steps of 10 to 16 ms; the stopwatch must see far less.
TEST(StopwatchTest, ResolvesBelowAMillisecond) {
  CResultLog log;
  double smallest = 1e9;
  for (int i = 0; i < 20; ++i) {
    log.StartStopwatch();
    do {
      log.StopStopwatch();
    } while (log.ElapsedMilliseconds() <= 0.0);
    smallest = std::min(smallest, log.ElapsedMilliseconds());
  }
  EXPECT_LT(smallest, 1.0);

  std::int64_t start = log.StartStopwatch();
  Sleep(30);
  EXPECT_GT(log.StopStopwatch(), start);
  EXPECT_GE(log.ElapsedMilliseconds(), 25.0);
  EXPECT_LT(log.ElapsedMilliseconds(), 1000.0);
}

}  // namespace
