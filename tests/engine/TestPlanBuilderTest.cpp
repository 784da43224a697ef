// The tests of a tune-up: their number and order on every family, and the
// conversion of RWIN candidates to the MTU in effect.
#include <gtest/gtest.h>

#include <vector>

#include "engine/portable/TestPlanBuilder.h"
#include "settings/portable/OsFamily.h"

namespace {

size_t Count(int kind, int parameter, int repetitions, int family) {
  return BuildTestRecords({kind, parameter, 0, 0.0}, repetitions, family).size();
}

TEST(TestPlanBuilderTest, NumberOfTestsOnEveryFamily) {
  for (int family : {kOsWindows95, kOsWindows98, kOsWindowsMe, kOsWin32s}) {
    EXPECT_EQ(36u, Count(kRecordAuto, kParameterNone, 3, family)) << family;
    EXPECT_EQ(12u, Count(kRecordAuto, kParameterNone, 1, family)) << family;
    EXPECT_EQ(9u, Count(kRecordManual, kParameterCacheSize, 3, family)) << family;
  }
  for (int family : {kOsWindows2000, kOsWindowsNT4}) {
    EXPECT_EQ(30u, Count(kRecordAuto, kParameterNone, 3, family)) << family;
    EXPECT_EQ(3u, Count(kRecordManual, kParameterCacheSize, 3, family)) << family;
  }
  for (int parameter : {kParameterMtu, kParameterRwin, kParameterTtl}) {
    EXPECT_EQ(12u, Count(kRecordManual, parameter, 3, kOsWindows2000)) << parameter;
  }
  EXPECT_EQ(24u, Count(kRecordAuto, kParameterAolAuto, 2, kOsWindows98));
}

TEST(TestPlanBuilderTest, BaselineThenEachCandidateRepeatedInARow) {
  std::vector<TestRecord> records = BuildTestRecords({kRecordAuto, 0, 0, 0.0}, 1, kOsWindows98);
  const int expected[][3] = {
      {1, 0, 0},    {3, 1, 576}, {3, 1, 1000}, {3, 1, 1500}, {3, 2, 1072}, {3, 2, 3216},
      {3, 2, 8576}, {3, 3, 32},  {3, 3, 64},   {3, 3, 128},  {3, 4, 8},    {3, 4, 16}};
  ASSERT_EQ(12u, records.size());
  for (size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(expected[i][0], records[i].kind) << i;
    EXPECT_EQ(expected[i][1], records[i].parameter) << i;
    EXPECT_EQ(expected[i][2], records[i].value) << i;
  }

  records = BuildTestRecords({kRecordManual, kParameterTtl, 0, 0.0}, 2, kOsWindowsNT4);
  ASSERT_EQ(8u, records.size());
  EXPECT_EQ(kRecordBaseline, records[1].kind);
  EXPECT_EQ(kRecordManual, records[2].kind);
  EXPECT_EQ(32, records[3].value);
  EXPECT_EQ(64, records[4].value);
  EXPECT_EQ(128, records[7].value);
}

TEST(TestPlanBuilderTest, UnknownRequestsBuildNothingAndOddCountsMeanThree) {
  EXPECT_EQ(0u, Count(kRecordBaseline, 0, 3, kOsWindows98));
  EXPECT_EQ(0u, Count(0, 0, 3, kOsWindows98));
  EXPECT_EQ(0u, Count(kRecordManual, kParameterAolAuto, 3, kOsWindows98));
  EXPECT_EQ(0u, Count(kRecordManual, kParameterNone, 3, kOsWindows98));
  for (long long stored : {0LL, -1LL, 4LL, 4294967295LL}) {
    EXPECT_EQ(3, RepetitionsOrDefault(stored)) << stored;
    EXPECT_EQ(12u, Count(kRecordManual, kParameterMtu, static_cast<int>(stored), kOsWindows98));
  }
  EXPECT_EQ(2, RepetitionsOrDefault(2));
}

TEST(TestPlanBuilderTest, RwinCandidatesFollowTheMtuInEffect) {
  EXPECT_EQ(1920, RwinForMtu(1072, 1000));
  EXPECT_EQ(5760, RwinForMtu(3216, 1000));
  EXPECT_EQ(15360, RwinForMtu(8576, 1000));
  EXPECT_EQ(8576, RwinForMtu(8576, 576));
  EXPECT_EQ(23360, RwinForMtu(8576, 1500));
  // An MTU no link can have leaves the candidate as it is.
  for (int mtu : {0, 40, -1500, 65536, 2147483647}) EXPECT_EQ(3216, RwinForMtu(3216, mtu)) << mtu;
  EXPECT_EQ(2147483647, RwinForMtu(2147483647, 65535));
}

}  // namespace
