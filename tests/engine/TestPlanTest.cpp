// The test plan on a Windows 98 registry: the values each test runs with,
// the best value chosen and written between parameters, and what is only
// stored at the end.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "engine/ResultLog.h"
#include "engine/TestPlan.h"
#include "engine/portable/StatusCodes.h"
#include "settings/portable/ProviderKinds.h"
#include "tests/engine/LogFileFixture.h"
#include "tests/support/NetworkLayouts.h"

namespace {

const std::string kBinding = netlayout::NetTransKey(2);
const std::string kMstcp = netlayout::kMstcpKey;
const std::string kCacheSize = netlayout::kCacheSizeKey;
const std::string kAolsockBack = "SOFTWARE\\America Online\\AOL\\AolsockBack";

const TestRecord kAutoRequest = {kRecordAuto, kParameterNone, 0, 0.0};

// Times per planned value: 1000, 3216 (as 5760 on an MTU of 1000), 64 and 8 are fastest.
const std::map<int, double> kTimes = {
    {0, 7700},    {576, 9000}, {1000, 7000}, {1500, 8000}, {1072, 7500}, {3216, 6900},
    {8576, 7200}, {32, 8000},  {64, 6950},   {128, 7000},  {8, 7100},    {16, 7300}};

class TestPlanTest : public LogFileTest {
 protected:
  void SetUp() override {
    LogFileTest::SetUp();
    netlayout::LayOut(netlayout::Windows9x{});  // binding 0002, dial-up adapter 0003
    store_.SetProviderKind(kProviderJuno);
  }

  // A string value as stored (without its terminating zero); "" when missing.
  static std::string Text(const std::string& key, const std::string& name) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!testreg::ReadRaw(key, name, type, data)) return std::string();
    std::string text(data.begin(), data.end());
    return text.substr(0, text.find('\0'));
  }

  int Best(int parameter) {
    TestRecord record = {kRecordAuto, parameter, 0, 0.0};
    EXPECT_EQ(0, store_.ReadBest(record)) << parameter;
    return record.value;
  }

  // The speed test's part: the first record with its measured time into the log.
  static void Measure(const CTestPlan& plan) {
    CResultLog log;
    ASSERT_EQ(0, log.Open("Write"));
    TestRecord record = plan.First();
    record.elapsed = kTimes.at(record.value);
    log.Append(record);
  }

  CSettingsStore store_{kOsWindows98};
};

TEST_F(TestPlanTest, AutoTuneUpWritesEachChoiceBeforeTheNextParameter) {
  CTestPlan plan(kAutoRequest, 1, store_);
  ASSERT_EQ(12, plan.Total());
  std::vector<std::string> rwinWritten;
  while (plan.Remaining() > 0) {
    TestRecord record = plan.First();
    SCOPED_TRACE(testing::Message() << record.parameter << " " << record.value);
    ASSERT_EQ(0, plan.ApplyFirst(kProviderJuno));
    if (record.parameter == kParameterRwin) {
      rwinWritten.push_back(Text(kMstcp, "DefaultRcvWindow"));
      // The MTU chosen after its last test is in effect for every RWIN test.
      EXPECT_EQ("1000", Text(kBinding, "IPMTU"));
      EXPECT_EQ("960", Text(kBinding, "MaxMSS"));
    }
    Measure(plan);
    ASSERT_EQ(0, plan.AnalyseAfterStep());
    EXPECT_TRUE(plan.RemoveFirst());
  }
  EXPECT_EQ(12, plan.Total());
  EXPECT_EQ((std::vector<std::string>{"1920", "5760", "15360"}), rwinWritten);
  EXPECT_EQ(1000, Best(kParameterMtu));
  // The window that was measured, not the planned multiple of 536.
  EXPECT_EQ(5760, Best(kParameterRwin));
  EXPECT_EQ("5760", Text(kMstcp, "DefaultRcvWindow"));
  EXPECT_EQ(64, Best(kParameterTtl));
  EXPECT_EQ("64", Text(kMstcp, "DefaultTTL"));
  // The last parameter is only stored: its last candidate is still in effect.
  EXPECT_EQ(8, Best(kParameterCacheSize));
  EXPECT_EQ("16", Text(kCacheSize, "default"));
}

TEST_F(TestPlanTest, ManualRwinIsWrittenAsPlannedAndOnlyStoredAtTheEnd) {
  testreg::WriteText(kBinding, "IPMTU", "1000");
  const TestRecord request = {kRecordManual, kParameterRwin, 0, 0.0};
  CTestPlan plan(request, 1, store_);
  std::vector<std::string> written;
  while (plan.Remaining() > 0) {
    ASSERT_EQ(0, plan.ApplyFirst(kProviderJuno));
    if (plan.First().kind == kRecordManual) written.push_back(Text(kMstcp, "DefaultRcvWindow"));
    Measure(plan);
    plan.RemoveFirst();
  }
  EXPECT_EQ((std::vector<std::string>{"1072", "3216", "8576"}), written);
  ASSERT_EQ(0, plan.ApplyBestForManual(request));
  EXPECT_EQ(3216, Best(kParameterRwin));
  EXPECT_EQ("8576", Text(kMstcp, "DefaultRcvWindow"));
}

TEST_F(TestPlanTest, AmericaOnlineGetsItsBestMtuBackBeforeOtherAutoTests) {
  store_.SetProviderKind(kProviderAmericaOnline);
  ASSERT_EQ(0, store_.StoreBest({kRecordAuto, kParameterMtu, 1000, 0.0}));
  CTestPlan plan(kAutoRequest, 1, store_);
  for (int i = 0; i < 4; ++i) plan.RemoveFirst();  // baseline and the three MTU tests
  ASSERT_EQ(kParameterRwin, plan.First().parameter);
  ASSERT_EQ(0, plan.ApplyFirst(kProviderAmericaOnline));
  DWORD type = 0;
  std::vector<BYTE> mtu;
  ASSERT_TRUE(testreg::ReadRaw(kAolsockBack, "mtu", type, mtu));
  EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
  EXPECT_EQ(1000u, *reinterpret_cast<const DWORD*>(mtu.data()));
  // No MTU can be read from the system's own places: the candidate stays as planned.
  EXPECT_EQ("1072", Text(kMstcp, "DefaultRcvWindow"));
}

TEST_F(TestPlanTest, StatusCodesOfThePlanOperations) {
  CTestPlan empty({kRecordBaseline, 0, 0, 0.0}, 3, store_);
  EXPECT_EQ(0, empty.Total());
  EXPECT_EQ(0, empty.First().kind);
  EXPECT_FALSE(empty.RemoveFirst());
  EXPECT_EQ(status::kTestTypeUndefined, empty.ApplyFirst(kProviderJuno));
  EXPECT_EQ(status::kTestTypeUndefined, empty.AnalyseAfterStep());
  EXPECT_EQ(status::kTestTypeUndefined, empty.ApplyBestForManual(kAutoRequest));

  CTestPlan manual({kRecordManual, kParameterTtl, 0, 0.0}, 1, store_);
  EXPECT_EQ(0, manual.AnalyseAfterStep());  // a baseline
  manual.RemoveFirst();
  EXPECT_EQ(status::kTestTypeUndefined, manual.AnalyseAfterStep());

  CTestPlan automatic(kAutoRequest, 1, store_);
  for (int i = 0; i < 3; ++i) automatic.RemoveFirst();
  EXPECT_EQ(status::kLogOpenFailed, automatic.AnalyseAfterStep());  // no log to analyse
}

TEST_F(TestPlanTest, RepetitionsComeFromTheWizardsChoice) {
  EXPECT_EQ(3, CTestPlan::ConfiguredRepetitions(store_));
  store_.SetTuneUpType(2);
  EXPECT_EQ(2, CTestPlan::ConfiguredRepetitions(store_));
  store_.SetTuneUpType(9);
  EXPECT_EQ(3, CTestPlan::ConfiguredRepetitions(store_));
}

}  // namespace
