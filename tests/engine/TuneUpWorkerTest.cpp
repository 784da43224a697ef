// The tune-up worker against the lab: the data-collection phase end to end,
// the timed speed test with its log record, the quit points, the reports.
#include <windows.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/TestPlan.h"
#include "engine/TuneUpWorker.h"
#include "engine/UsageReporter.h"
#include "engine/WorkerMessages.h"
#include "engine/WorkerThreads.h"
#include "engine/portable/StatusCodes.h"
#include "framework/TimeScale.h"
#include "settings/DialUpProfile.h"
#include "tests/engine/LogFileFixture.h"
#include "tests/support/LabClient.h"
#include "tests/support/MessageWindow.h"

namespace {

using Clock = std::chrono::steady_clock;

// Records the steps the worker reports, as the tune-up controller would get them.
class RecordingController : public IWorkerController {
 public:
  int ProviderKind() const override { return kind; }
  void StepDone() override { results.push_back(0); }
  void StepFailed(int status) override { results.push_back(status); }

  int kind = 1;
  std::vector<int> results;
};

// The progress view's side: counts of the messages the worker posted.
int Count(const MessageWindow& view, UINT message) {
  return static_cast<int>(view.MessagesOf(message).size());
}
WPARAM ValueOf(const MessageWindow& view, UINT message) {
  std::vector<RecordedMessage> found = view.MessagesOf(message);
  return found.empty() ? 0 : found.front().wParam;
}

class TuneUpWorkerTest : public LogFileTest {
 protected:
  void SetUp() override {
    LogFileTest::SetUp();
    ASSERT_FALSE(lab::Address().empty()) << "no lab server runs";
    timescale::OverrideFactor(0.01);
    link_.reset(new lab::LinkUp("speed=0"));
    CSettingsStore().SetProviderKind(1);
    worker_.reset(new CTuneUpWorker(controller_));
  }
  void TearDown() override {
    worker_.reset();
    link_.reset();
    lab::MustControl("site?host=www.yahoo.com&root=/index.html");
    timescale::OverrideFactor(0);
    LogFileTest::TearDown();
  }

  static void SetProfileUrl(const std::string& url) {
    CDialUpProfile profile(1);
    ASSERT_EQ(0, profile.SetDefaultProfile("Lab"));
    ASSERT_EQ(0, profile.SetUrl("Lab", url));
  }

  // Pumps messages until the worker reported a step (or a minute passed).
  int WaitForStep() {
    size_t before = controller_.results.size();
    progress_.PumpUntil([&] { return controller_.results.size() > before; }, 60000);
    return controller_.results.size() == before ? -1 : controller_.results.back();
  }

  int Collect() {
    EXPECT_TRUE(worker_->StartCollection(progress_.Handle()));
    return WaitForStep();
  }

  std::unique_ptr<lab::LinkUp> link_;
  RecordingController controller_;
  MessageWindow progress_;
  std::unique_ptr<CTuneUpWorker> worker_;
};

TEST_F(TuneUpWorkerTest, CollectsFramesDropsFailingImagesAndReportsFirstAccessOnce) {
  SetProfileUrl("frames.lab.test");
  ASSERT_EQ(0, Collect());
  EXPECT_FALSE(worker_->IsRunning());
  EXPECT_EQ(3u, worker_->Images().size());
  EXPECT_EQ(4000u + 12000u + 1500u, worker_->PassBytes());
  EXPECT_EQ(2, Count(progress_, WM_COLLECT_PASS));
  EXPECT_EQ(3u, ValueOf(progress_, WM_IMAGES_FOUND));
  EXPECT_EQ(3, Count(progress_, WM_IMAGE_CHECKED));
  EXPECT_EQ(1u, CSettingsStore().GetAccess(1));
  EXPECT_EQ((std::vector<std::string>{"www.orvalis.com|Velotune(Web)/2.6 [Windows Dial-Up Networking]"}),
            lab::StatusValues("report"));

  // A later collection starts afresh and does not report again.
  SetProfileUrl("broken-images.lab.test");
  ASSERT_EQ(0, Collect());
  EXPECT_EQ((std::vector<std::string>{"http://broken-images.lab.test/img/logo.gif"}),
            worker_->Images());
  EXPECT_EQ(4000u, worker_->PassBytes());
  EXPECT_EQ(1, lab::StatusNumber("reports"));
}

TEST_F(TuneUpWorkerTest, SecondPassOutcomes) {
  // Nothing on the profile's page: the default site in pass 2 serves.
  SetProfileUrl("noimages.lab.test");
  ASSERT_EQ(0, Collect());
  EXPECT_EQ(4u, worker_->Images().size());
  EXPECT_EQ(3, Count(progress_, WM_COLLECT_PASS));

  lab::MustControl("site?host=www.yahoo.com&root=/noimages.html");
  EXPECT_EQ(23, Collect());
  EXPECT_TRUE(worker_->Images().empty());

  lab::MustControl("site?host=www.yahoo.com&root=/all-broken.html");
  SetProfileUrl("all-broken.lab.test");
  EXPECT_EQ(61, Collect());
  EXPECT_EQ(0u, worker_->PassBytes());

  // Only the one successful collection reported its first access.
  lab::MustControl("link-down");
  EXPECT_EQ(62, Collect());
  EXPECT_EQ(1, lab::StatusNumber("reports"));
}

TEST_F(TuneUpWorkerTest, SpeedTestTimesEnoughPassesAndLogsOneRecord) {
  SetProfileUrl("frames.lab.test");
  ASSERT_EQ(0, Collect());
  ASSERT_EQ(0, worker_->ResultLog().Open("Write"));
  CTestPlan plan(TestRecord{kRecordManual, kParameterMtu, 0, 0.0}, 1, CSettingsStore());
  lab::MustControl("reset");
  progress_.Clear();
  ASSERT_TRUE(worker_->StartSpeedTest(progress_.Handle(), plan));
  EXPECT_FALSE(worker_->StartCollection(progress_.Handle()));  // one thread at a time
  ASSERT_EQ(0, WaitForStep());
  worker_->ResultLog().Close();

  // 17500 bytes a pass: three passes over three images.
  EXPECT_EQ(9u, ValueOf(progress_, WM_TIMED_FETCHES));
  EXPECT_EQ(9, Count(progress_, WM_TIMED_FETCH_DONE));
  EXPECT_EQ(9, lab::StatusNumber("requests"));
  std::string log = LogText();
  ASSERT_EQ(0u, log.find(">>1:0:0:"));
  EXPECT_EQ(1u, static_cast<size_t>(std::count(log.begin(), log.end(), '>')) / 2);

  // A dropped link ends the timed test with the fetch's status and no record.
  lab::MustControl("link-down");
  ASSERT_EQ(0, worker_->ResultLog().Open("Write"));
  ASSERT_TRUE(worker_->StartSpeedTest(progress_.Handle(), plan));
  EXPECT_EQ(19, WaitForStep());
  worker_->ResultLog().Close();
  EXPECT_EQ(log, LogText());
}

// Stop must end the thread within about a second whatever it waits on, and
// the controller hears of the cancellation exactly once.
class TuneUpWorkerStopTest : public TuneUpWorkerTest {
 protected:
  // Starts a collection and waits (pumping) until `busy` says the thread is
  // where the test wants it; then stops it and checks the one ending.
  void ExpectPromptStop(const std::function<bool()>& busy, const char* what) {
    const size_t before = controller_.results.size();
    ASSERT_TRUE(worker_->StartCollection(progress_.Handle())) << what;
    ASSERT_TRUE(PollWhilePumping(busy)) << what;
    ASSERT_EQ(before, controller_.results.size()) << what << ": ended by itself";
    StopPromptly(what);
  }

  void StopPromptly(const char* what) {
    const size_t before = controller_.results.size();
    auto start = Clock::now();
    worker_->Stop();
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1500)) << what;
    EXPECT_FALSE(worker_->IsRunning()) << what;
    EXPECT_EQ(44, WaitForStep()) << what;
    progress_.PumpFor(300);
    EXPECT_EQ(before + 1, controller_.results.size()) << what << ": one ending only";
    EXPECT_TRUE(worker_->Images().empty()) << what;
  }

  // Pumps messages and asks `done` every 20 ms, for up to 30 s: the lab's
  // counters change without a message to wake the pump.
  bool PollWhilePumping(const std::function<bool()>& done) {
    const auto start = Clock::now();
    while (!done()) {
      if (Clock::now() - start > std::chrono::seconds(30)) return false;
      progress_.PumpFor(20);
    }
    return true;
  }

  static bool LabSaw(const char* counter, int atLeast) {
    return lab::StatusNumber(counter) >= atLeast;
  }
};

TEST_F(TuneUpWorkerStopTest, StopEndsTheThreadWhateverItWaitsOn) {
  // Nothing running: a cancelled speed test at once.
  worker_->Stop();
  ASSERT_EQ(1u, controller_.results.size());
  EXPECT_EQ(44, controller_.results.back());

  // Right after the start.
  SetProfileUrl("frames.lab.test");
  ASSERT_TRUE(worker_->StartCollection(progress_.Handle()));
  StopPromptly("at the start");

  // Transfers that would hold the thread for seconds (their time-outs are
  // 3 s and 12 s at this scale).
  timescale::OverrideFactor(0.1);
  lab::MustControl("reset");
  SetProfileUrl("stall.lab.test");
  ExpectPromptStop([] { return LabSaw("requests", 1); }, "stalled page");

  lab::MustControl("reset");
  SetProfileUrl("slow.lab.test");
  ExpectPromptStop([] { return LabSaw("requests", 1); }, "trickling page");

  SetProfileUrl("stalled-image.lab.test");
  progress_.Clear();
  ExpectPromptStop([this] { return Count(progress_, WM_IMAGE_CHECKED) >= 1; }, "stalled image");

  // The first-access report, held up by the report server.
  lab::MustControl("site?host=www.orvalis.com&root=/silent.html");
  lab::MustControl("reset");
  SetProfileUrl("frames.lab.test");
  ExpectPromptStop([] { return LabSaw("reports", 1); }, "report");
  EXPECT_EQ(0u, CSettingsStore().GetAccess(1)) << "a report that was cut off is not counted";
  lab::MustControl("site?host=www.orvalis.com&root=/index.html");
}

TEST_F(TuneUpWorkerStopTest, StopCutsTheSpeedTestsWaitsShort) {
  SetProfileUrl("frames.lab.test");
  ASSERT_EQ(0, Collect());
  // America Online waits 8000 and then 3000 ms before the first timed fetch.
  controller_.kind = 2;
  timescale::OverrideFactor(1);
  CTestPlan plan(TestRecord{kRecordManual, kParameterTtl, 0, 0.0}, 1, CSettingsStore());
  lab::MustControl("reset");
  ASSERT_TRUE(worker_->StartSpeedTest(progress_.Handle(), plan));
  progress_.PumpFor(100);
  StopPromptly("speed test's wait");
  EXPECT_EQ(0, lab::StatusNumber("requests"));
}

TEST_F(TuneUpWorkerStopTest, AThreadThatEndedJustBeforeStopDeliversOnlyTheCancellation) {
  CSettingsStore().SetAccess(1);
  SetProfileUrl("frames.lab.test");
  ASSERT_TRUE(worker_->StartCollection(progress_.Handle()));
  // Without pumping, until the thread's own ending waits in the worker's queue.
  MSG message;
  auto start = Clock::now();
  while (!PeekMessageA(&message, worker_->Window(), WM_WORKER_DONE, WM_WORKER_DONE,
                       PM_NOREMOVE | PM_NOYIELD)) {
    ASSERT_LT(Clock::now() - start, std::chrono::seconds(30));
    Sleep(10);
  }
  ASSERT_EQ(static_cast<LPARAM>(0), message.lParam) << "the collection itself succeeded";
  StopPromptly("after its end");
}

TEST(WorkerRulesTest, PassesAndWaits) {
  EXPECT_EQ(5, TimedPasses(12000));
  EXPECT_EQ(1, TimedPasses(50000));
  EXPECT_EQ(1, TimedPasses(80000));
  EXPECT_EQ(2, TimedPasses(25000));
  EXPECT_EQ(1, TimedPasses(0));
  EXPECT_EQ(8000u, SettleWaitMs(5));
  EXPECT_EQ(15000u, SettleWaitMs(6));
  EXPECT_EQ(2000u, SettleWaitMs(7));
}

class UsageReportTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(lab::Address().empty()) << "no lab server runs"; }
};

TEST_F(UsageReportTest, ReportsReachTheServerThroughThePreconfiguredAccess) {
  lab::LinkUp link;
  EXPECT_EQ(0, SendUsageReport("2.6-TuneUp_Completed", 2));
  EXPECT_EQ(0, SendUsageReport("2.6", 0));
  EXPECT_EQ((std::vector<std::string>{
                "www.orvalis.com|Velotune(Web)/2.6-TuneUp_Completed [America Online]",
                "www.orvalis.com|Velotune(Web)/2.6 []"}),
            lab::StatusValues("report"));
  lab::MustControl("link-down");
  EXPECT_EQ(1, SendUsageReport("2.6", 1));
  EXPECT_EQ(2, lab::StatusNumber("reports"));
}

}  // namespace
