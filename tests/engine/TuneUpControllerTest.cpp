// The tune-up controller with the real dial engine, worker and RAS layer
// against the lab: the refusals and enable rules, Last Result, a complete
// manual tune-up, resumed and persistent failures, and Stop or closing in
// each phase. Every end must leave the user's TCP/IP values as they were,
// the link down, the log closed and Start enabled.
#include <windows.h>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "dialing/DialHiddenDlg.h"
#include "engine/ResultLog.h"
#include "engine/VTDoc.h"
#include "engine/portable/StatusCodes.h"
#include "framework/TimeScale.h"
#include "settings/DialUpProfile.h"
#include "tests/support/LabClient.h"
#include "tests/support/LabPhonebookFile.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/NetworkLayouts.h"
#include "tests/support/RegistryFixture.h"
#include "tests/support/TcpipSnapshot.h"
#include "tests/support/TuneUpTestFrame.h"

namespace {

constexpr DWORD kTuneUpWaitMs = 120000;
constexpr int kItemAuto = 1;
constexpr int kItemManual = 2;
constexpr int kItemTtl = 5;

const char kPhonebook[] = "[Lab ISP]\nLogin=jdoe\nPassword=pw\nSpeed=0\nStepMs=10\n";

class RecordingPreparation : public IProviderPreparation {
 public:
  void NetZeroSetAside() override { calls.push_back("set aside"); }
  void NetZeroPutBack() override { calls.push_back("put back"); }
  void JunoPrepare() override { calls.push_back("juno"); }
  std::vector<std::string> calls;
};

class TuneUpControllerTest : public RegistryTest {
 protected:
  void SetUp() override {
    RegistryTest::SetUp();
    timescale::OverrideFactor(0.01);
    ASSERT_FALSE(lab::Address().empty()) << "no lab server runs";
    lab::MustControl("reset");
    // No modem pacing: these tests are about the flow, not the timings.
    lab::MustControl("config?scale=0");
    CResultLog().Delete();
    netlayout::LayOutRunningFamily();
    CSettingsStore store;
    CDialUpProfile profile(1);
    ASSERT_EQ(status::kOk, profile.SetLoginPassword("Lab ISP", "jdoe", "pw"));
    ASSERT_EQ(status::kOk, profile.SetUrl("Lab ISP", "frames.lab.test"));
    ASSERT_EQ(status::kOk, profile.SetDefaultProfile("Lab ISP"));
    ASSERT_EQ(status::kOk, store.SetTuneUpType(1));
    WriteUserValue(kParameterMtu, 1500);
    WriteUserValue(kParameterTtl, 64);
    ASSERT_EQ(status::kOk, store.Backup());
    userValues_ = TcpipValues();
    MakeDocument();
  }
  void TearDown() override {
    doc_.reset();
    lab::MustControl("fail-images?count=0");
    lab::MustControl("link-down");
    lab::MustControl("config?scale=1");
    timescale::OverrideFactor(0);
    RegistryTest::TearDown();
  }

  void MakeDocument() {
    doc_ = std::make_unique<CVTDoc>(
        frame_,
        [this](IDialController& controller) {
          auto engine = std::make_unique<CDialHiddenDlg>(controller, nullptr, nullptr,
                                                         [this](HWND, const CountdownTexts& t) {
                                                           return OnCountdown(t);
                                                         });
          engine->Create();
          return engine;
        },
        preparation_,
        [this](HWND, const CountdownTexts& texts) { return OnCountdown(texts); });
  }

  int OnCountdown(const CountdownTexts& texts) {
    countdowns_.push_back(texts);
    if (duringCountdown_) duringCountdown_();
    return countdownAnswer_;
  }

  static void WriteUserValue(int parameter, int value) {
    TestRecord record;
    record.kind = kRecordManual;
    record.parameter = parameter;
    record.value = value;
    ASSERT_EQ(status::kOk, CSettingsStore().Write(record));
  }

  void StartItem(int item) {
    ASSERT_EQ(status::kOk, CSettingsStore().SetProviderKind(1));
    doc_->SetSelectedItem(item);
    ASSERT_TRUE(doc_->CanStart());
    doc_->Start();
    ASSERT_TRUE(doc_->IsRunning());
  }

  bool PumpUntil(const std::function<bool()>& done) {
    return frame_.Progress().PumpUntil(done, kTuneUpWaitMs);
  }
  bool PumpUntilEnded() { return PumpUntil([&] { return !doc_->IsRunning(); }); }
  bool PumpUntilPane(const std::string& line) {
    return PumpUntil([&] { return !frame_.LogStartingWith(line).empty(); });
  }

  // What every end of a tune-up leaves behind.
  void ExpectCleanEnd() {
    EXPECT_FALSE(doc_->IsRunning());
    EXPECT_FALSE(doc_->IsInProgress());
    EXPECT_TRUE(doc_->CanStart());
    EXPECT_TRUE(frame_.TreeNormal());
    EXPECT_FALSE(doc_->Worker().ResultLog().IsOpen());
    EXPECT_FALSE(doc_->DialEngine().IsConnected());
    EXPECT_FALSE(doc_->DialEngine().IsDialing());
    EXPECT_EQ("", DescribeDifferences(userValues_, TcpipValues()));
    PumpUntil([] { return lab::StatusValue("link") == "down"; });
    EXPECT_EQ("down", lab::StatusValue("link"));
  }

  static std::string LogText() {
    std::string path;
    CResultLog::FilePath(path);
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }
  static void WriteLog(const std::string& text) {
    std::string path;
    CResultLog::FilePath(path);
    std::ofstream(path, std::ios::binary) << text;
  }
  static int Count(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
      ++count;
    }
    return count;
  }

  std::unique_ptr<LabPhonebookFile> phonebook_ = LabPhonebookFile::FromText(kPhonebook);
  TestMainFrame frame_;
  RecordingPreparation preparation_;
  std::vector<CountdownTexts> countdowns_;
  int countdownAnswer_ = kCountdownResume;
  std::function<void()> duringCountdown_;
  RegistryValueMap userValues_;
  std::unique_ptr<CVTDoc> doc_;
};

TEST_F(TuneUpControllerTest, StartIsRefusedWhereItCannotRunAndEnabledOnlyForTuneUpItems) {
  for (int item : {-1, kItemManual, 7}) {
    doc_->SetSelectedItem(item);
    EXPECT_FALSE(doc_->CanStart()) << item;
  }
  for (int item : {kItemAuto, 3, 4, kItemTtl, 6}) {
    doc_->SetSelectedItem(item);
    EXPECT_TRUE(doc_->CanStart()) << item;
  }
  EXPECT_FALSE(doc_->CanStop());

  MessageBoxRecorder boxes;
  doc_->Start();  // no provider configured
  ASSERT_EQ(status::kOk, CSettingsStore().SetProviderKind(12));
  doc_->Start();
  ASSERT_EQ(status::kOk, CSettingsStore().SetProviderKind(2));
  doc_->SetSelectedItem(4);
  doc_->Start();
  ASSERT_EQ(3u, boxes.Boxes().size());
  const std::string notConfigured =
      "Dial-Up Service has not been configured.  Please complete the \"Configuration Wizard\" "
      "before running Tune-Up";
  EXPECT_EQ(notConfigured, boxes.Boxes()[0].text);
  EXPECT_EQ(notConfigured, boxes.Boxes()[1].text);
  EXPECT_EQ("Manual Tune-Ups are not applicable to America Online users.  Please choose Auto "
            "Tune-Up to run the optimization test.",
            boxes.Boxes()[2].text);
  EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), boxes.Boxes()[2].type & MB_ICONMASK);
  EXPECT_FALSE(doc_->IsRunning());
  EXPECT_TRUE(frame_.Log().empty());
  EXPECT_EQ(3u, boxes.Boxes().size());

  // A provider without a default profile: the engine says so, and the
  // tune-up ends instead of staying "in progress".
  ASSERT_EQ(status::kOk, CSettingsStore().SetProviderKind(4));
  doc_->SetSelectedItem(kItemTtl);
  doc_->Start();
  EXPECT_FALSE(doc_->IsRunning());
  EXPECT_TRUE(doc_->CanStart());
  EXPECT_TRUE(frame_.TreeNormal());

  EXPECT_TRUE(doc_->MayChangeSelection(3));
  EXPECT_EQ("information 3", frame_.Log().back());
  frame_.SwitchRightPane(RightPane::Progress);
  EXPECT_FALSE(doc_->MayChangeSelection(4));
}

TEST_F(TuneUpControllerTest, LastResultShowsTheTuneUpOfTheLogOrSaysWhyNot) {
  MessageBoxRecorder boxes;
  doc_->LastResult();
  ASSERT_EQ(1u, boxes.Boxes().size());
  EXPECT_EQ("There is no result to analyze", boxes.Boxes()[0].text);

  struct Case {
    std::string log;
    std::string shown;  // empty: nothing
  };
  std::string big(CResultLog::kReadLimit, ' ');
  const std::vector<Case> cases = {
      {">>1:0:0:812:>>1:0:0:790:", ""},
      {">>1:0:0:812:>>3:1:1500:700:>>3:2:2144:650:", "result 3:1"},
      {">>1:0:0:812:>>2:3:64:700:", "result 2:3"},
      {">>1:0:0:812:>>x:1:1500:700:>>2:3:64:700:", ""},
      {">>1:0:0:812:>>", ""},
      {">>1:0:0:812:" + big + ">>2:3:64:700:", ""},
      {">>2:4:8:700:" + big, "result 2:4"},
  };
  for (const Case& c : cases) {
    WriteLog(c.log);
    frame_.ClearLog();
    doc_->LastResult();
    std::vector<std::string> results = frame_.LogStartingWith("result ");
    EXPECT_EQ(c.shown.empty() ? 0u : 1u, results.size()) << c.log.substr(0, 60);
    if (!c.shown.empty() && !results.empty()) {
      EXPECT_EQ(c.shown, results[0]);
    }
  }
  EXPECT_EQ(1u, boxes.Boxes().size());
}

TEST_F(TuneUpControllerTest, AManualTuneUpRunsItsPlanAndLeavesTheUserValues) {
  StartItem(kItemTtl);
  EXPECT_FALSE(doc_->CanStart());
  EXPECT_TRUE(doc_->CanStop());
  EXPECT_FALSE(frame_.TreeNormal());
  {
    MessageBoxRecorder boxes;
    doc_->LastResult();
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ("Unable to view last result because there is a tune-up in progress",
              boxes.Boxes()[0].text);
  }
  ASSERT_TRUE(PumpUntilEnded());
  ExpectCleanEnd();

  std::vector<std::string> results = frame_.LogStartingWith("result ");
  ASSERT_EQ(1u, results.size());
  EXPECT_EQ("result 2:3", results[0]);
  EXPECT_EQ(1, frame_.TrayIconShown());
  EXPECT_EQ("pane result", frame_.LogStartingWith("pane ").back());
  EXPECT_TRUE(countdowns_.empty());

  std::string log = LogText();
  EXPECT_EQ(1, Count(log, ">>1:0:"));
  int ttlTests = Count(log, ">>2:3:");
  EXPECT_GT(ttlTests, 1);
  // One dial for the collection and one per test; each reached the progress view once.
  EXPECT_EQ(static_cast<size_t>(ttlTests + 2), frame_.LogStartingWith("pane progress").size());

  DWORD showDialer = 0;
  EXPECT_EQ(status::kOk, CSettingsStore().GetShowDialer(showDialer));
  EXPECT_EQ(1u, showDialer);
  std::string startup;
  EXPECT_EQ(status::kOk, CSettingsStore().GetStartupEntry(startup));
  EXPECT_NE(std::string::npos, startup.find("Velotune.exe"));
  int completions = 0;
  for (const std::string& report : lab::StatusValues("report")) {
    if (report.find("2.6-TuneUp_Completed") != std::string::npos) ++completions;
  }
  EXPECT_EQ(1, completions);
  TestRecord best;
  best.kind = kRecordAuto;
  best.parameter = kParameterTtl;
  EXPECT_EQ(status::kOk, CSettingsStore().ReadBest(best));

  // A late connected notice after the end starts nothing.
  frame_.ClearLog();
  doc_->Connected();
  EXPECT_TRUE(frame_.Log().empty());
}

TEST_F(TuneUpControllerTest, AFailedTestIsResumedWithTheSameRecordAndLoggedOnce) {
  StartItem(kItemTtl);
  // Fail the first speed test's fetches once the speed-test phase has begun.
  ASSERT_TRUE(PumpUntil([&] { return !frame_.LogStartingWith("progress plan").empty(); }));
  lab::MustControl("fail-images?count=1000");
  ASSERT_TRUE(PumpUntil([&] { return !countdowns_.empty(); }));
  lab::MustControl("fail-images?count=0");
  ASSERT_TRUE(PumpUntilEnded());
  ExpectCleanEnd();
  ASSERT_EQ(1u, countdowns_.size());
  EXPECT_EQ("  Tune-Up Error", countdowns_[0].caption);
  EXPECT_EQ("The following error has occured:", countdowns_[0].heading);
  EXPECT_EQ("Tune-up will resume in:", countdowns_[0].label);
  EXPECT_EQ(CountdownLayout::BelowMessage, countdowns_[0].layout);
  EXPECT_EQ(1u, frame_.LogStartingWith("result 2:3").size());
  std::string log = LogText();
  EXPECT_EQ(1, Count(log, ">>1:0:"));
}

TEST_F(TuneUpControllerTest, APersistentFailureStopsAtTheLimitWithoutAPointlessCountdown) {
  ASSERT_EQ(status::kOk, CDialUpProfile(1).SetRedial("Lab ISP", 2));
  StartItem(kItemTtl);
  ASSERT_TRUE(PumpUntil([&] { return !frame_.LogStartingWith("progress plan").empty(); }));
  lab::MustControl("fail-images?count=100000");
  ASSERT_TRUE(PumpUntilEnded());
  lab::MustControl("fail-images?count=0");
  ExpectCleanEnd();
  // Two failures allowed: one countdown, then the end without one.
  EXPECT_EQ(1u, countdowns_.size());
  EXPECT_NE(std::string::npos,
            frame_.View() ? frame_.View()->StatusLine().find(
                                "Cannot proceed with further tune-up tests due to the following "
                                "error:\n")
                          : std::string::npos);
  EXPECT_TRUE(frame_.LogStartingWith("result ").empty());
  EXPECT_EQ(0, frame_.TrayIconShown());
}

TEST_F(TuneUpControllerTest, StopInEachPhaseEndsTheTuneUpRestored) {
  // While dialing for the collection.
  StartItem(kItemTtl);
  doc_->Stop();
  ASSERT_TRUE(PumpUntilEnded());
  ExpectCleanEnd();
  EXPECT_EQ("Tune-Up Test Cancelled", frame_.View()->StatusLine());

  // While collecting.
  frame_.ClearLog();
  StartItem(kItemTtl);
  ASSERT_TRUE(PumpUntilPane("pane progress"));
  doc_->Stop();
  ASSERT_TRUE(PumpUntilEnded());
  ExpectCleanEnd();

  // During a speed test.
  frame_.ClearLog();
  StartItem(kItemTtl);
  ASSERT_TRUE(PumpUntil([&] { return !frame_.LogStartingWith("progress plan").empty(); }));
  doc_->Stop();
  ASSERT_TRUE(PumpUntilEnded());
  ExpectCleanEnd();
  EXPECT_TRUE(countdowns_.empty());

  // While the error countdown is shown.
  frame_.ClearLog();
  duringCountdown_ = [this] { doc_->Stop(); };
  StartItem(kItemTtl);
  ASSERT_TRUE(PumpUntil([&] { return !frame_.LogStartingWith("progress plan").empty(); }));
  lab::MustControl("fail-images?count=1000");
  ASSERT_TRUE(PumpUntilEnded());
  lab::MustControl("fail-images?count=0");
  ExpectCleanEnd();
  EXPECT_EQ(1u, countdowns_.size());

  // A late notice after Stop starts nothing.
  frame_.ClearLog();
  doc_->Connected();
  doc_->StepDone();
  EXPECT_TRUE(frame_.Log().empty());
}

TEST_F(TuneUpControllerTest, ClosingDuringATestEndsItOnceRestored) {
  StartItem(kItemTtl);
  ASSERT_TRUE(PumpUntil([&] { return !frame_.LogStartingWith("progress plan").empty(); }));
  doc_->StopIfRunning();
  EXPECT_FALSE(doc_->IsRunning());
  ExpectCleanEnd();
  EXPECT_EQ(1u, frame_.LogStartingWith("tree normal").size());

  // The document going away in the middle of a tune-up ends it the same way.
  StartItem(kItemTtl);
  ASSERT_TRUE(PumpUntilPane("pane progress"));
  doc_.reset();
  EXPECT_EQ("", DescribeDifferences(userValues_, TcpipValues()));
  MakeDocument();
}

}  // namespace
