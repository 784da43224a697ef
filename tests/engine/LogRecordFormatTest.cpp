// The result log's record text and its filtered reader.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/portable/LogRecordFormat.h"
#include "engine/portable/StatusCodes.h"

namespace {

using Entries = std::vector<std::string>;

TestRecord Record(int kind, int parameter, int value, double elapsed) {
  TestRecord record;
  record.kind = kind;
  record.parameter = parameter;
  record.value = value;
  record.elapsed = elapsed;
  return record;
}

TEST(LogRecordFormatTest, RecordsComeOutByteForByte) {
  std::string log = FormatLogRecord(Record(kRecordBaseline, 0, 0, 8934.6)) +
                    FormatLogRecord(Record(kRecordAuto, kParameterMtu, 576, 9120));
  EXPECT_EQ(">>1:0:0:8935:>>3:1:576:9120:", log);
  EXPECT_EQ(28u, log.size());
}

TEST(LogRecordFormatTest, ElapsedIsRoundedToBareDigits) {
  EXPECT_EQ(">>2:2:1072::", FormatLogRecord(Record(kRecordManual, kParameterRwin, 1072, 0.4)));
  EXPECT_EQ(">>2:3:64::", FormatLogRecord(Record(kRecordManual, kParameterTtl, 64, 0.0)));
  EXPECT_EQ(">>3:1:1500:1:", FormatLogRecord(Record(kRecordAuto, kParameterMtu, 1500, 0.5)));
  EXPECT_EQ(">>3:1:1500:7001:", FormatLogRecord(Record(kRecordAuto, kParameterMtu, 1500, 7000.5)));
  // No sign, and nothing that is not digits even for impossible times.
  EXPECT_EQ(">>3:1:-5:12:", FormatLogRecord(Record(kRecordAuto, kParameterMtu, -5, -12.2)));
  EXPECT_EQ(">>3:1:576::", FormatLogRecord(Record(kRecordAuto, kParameterMtu, 576, std::nan(""))));
  std::string huge = FormatLogRecord(Record(kRecordAuto, kParameterMtu, 576, 1e300));
  EXPECT_EQ(std::string::npos, huge.find_first_not_of("0123456789:>", 2)) << huge;
}

const char kMixedLog[] =
    ">>1:0:0:8000:>>1:0:0:7700:"
    ">>3:1:576:9000:>>3:1:1000:7000:"
    ">>3:2:1920:6500:>>3:2:5760:6400:"
    ">>2:1:576:5000:";

TEST(LogRecordFormatTest, FilterByKindAndParameter) {
  Entries entries;
  EXPECT_EQ(0, ReadLogRecords(kMixedLog, kRecordAuto, kParameterRwin, kMatchFilterParameter,
                              entries));
  EXPECT_EQ((Entries{"1920:6500:", "5760:6400:"}), entries);

  entries.clear();
  EXPECT_EQ(0, ReadLogRecords(kMixedLog, kRecordAuto, kParameterRwin, kMatchEveryParameter,
                              entries));
  EXPECT_EQ((Entries{"576:9000:", "1000:7000:", "1920:6500:", "5760:6400:"}), entries);

  entries.clear();
  EXPECT_EQ(0, ReadLogRecords(kMixedLog, kRecordAuto, kParameterRwin, 7, entries));
  EXPECT_TRUE(entries.empty());

  entries.clear();
  EXPECT_EQ(0, ReadLogRecords(kMixedLog, kRecordManual, kParameterTtl, kMatchFilterParameter,
                              entries));
  EXPECT_TRUE(entries.empty());
}

TEST(LogRecordFormatTest, BaselineFilterListsEveryBaselineWhateverItsParameter) {
  Entries entries;
  EXPECT_EQ(0, ReadLogRecords(">>1:0:0:8000:>>3:1:576:9000:>>1:4:0:7700:>>1:0:0::", kRecordBaseline,
                              kParameterMtu, kMatchFilterParameter, entries));
  EXPECT_EQ((Entries{"0:8000:", "0:7700:", "0::"}), entries);
}

TEST(LogRecordFormatTest, RecordCutShortGivesCorruptedAndKeepsEarlierEntries) {
  const std::string complete = ">>3:1:576:9000:>>3:1:1000:7000:";
  for (const char* tail : {">>3:1:1500:7", ">>3:1:1500", ">>3:1", ">>3"}) {
    Entries entries;
    EXPECT_EQ(status::kLogCorrupted, ReadLogRecords(complete + tail, kRecordAuto, kParameterMtu,
                                                     kMatchFilterParameter, entries))
        << tail;
    EXPECT_EQ((Entries{"576:9000:", "1000:7000:"}), entries) << tail;
  }
  // A cut record of another parameter is not read far enough to notice.
  Entries entries;
  EXPECT_EQ(0, ReadLogRecords(complete + ">>3:2:1920", kRecordAuto, kParameterMtu,
                              kMatchFilterParameter, entries));
  EXPECT_EQ(2u, entries.size());
}

TEST(LogRecordFormatTest, GarbledTextIsSkippedOrReported) {
  Entries entries;
  EXPECT_EQ(0, ReadLogRecords("junk>>x:>>3:1:576:9000:>garbage>>9:9", kRecordAuto, kParameterMtu,
                              kMatchFilterParameter, entries));
  EXPECT_EQ((Entries{"576:9000:"}), entries);

  entries.clear();
  EXPECT_EQ(0, ReadLogRecords("", kRecordAuto, kParameterMtu, kMatchFilterParameter, entries));
  EXPECT_EQ(0, ReadLogRecords(std::string("\0>>3:1:5:6:\xff", 12), kRecordAuto, kParameterMtu,
                              kMatchFilterParameter, entries));
  EXPECT_EQ((Entries{"5:6:"}), entries);
}

TEST(LogRecordFormatTest, FieldNumbersReadLikeDecimalConversion) {
  EXPECT_EQ(3, LogFieldNumber("3"));
  EXPECT_EQ(-12, LogFieldNumber("  -12abc"));
  EXPECT_EQ(0, LogFieldNumber("x3"));
  EXPECT_EQ(0, LogFieldNumber(""));
  EXPECT_EQ(2147483647, LogFieldNumber("99999999999999999999"));
  EXPECT_EQ(-2147483647 - 1, LogFieldNumber("-99999999999999999999"));
}

}  // namespace
