// The dial engine against the lab's RAS stand-in: tune-up mode with the
// controller's reports, the redial countdown, the failures RAS reports,
// hang-up, and tray mode with the tuned values in the registry only while
// the tray's own dial is being made.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "dialing/DialHiddenDlg.h"
#include "engine/SystemErrorText.h"
#include "engine/portable/StatusCodes.h"
#include "framework/RasLayouts.h"
#include "framework/TimeScale.h"
#include "settings/DialUpProfile.h"
#include "tests/support/LabClient.h"
#include "tests/support/LabPhonebookFile.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/NetworkLayouts.h"
#include "tests/support/RecordingDialController.h"
#include "tests/support/RegistryFixture.h"
#include "tests/support/TcpipSnapshot.h"
#include "tests/support/TuneUpTestFrame.h"

namespace {

constexpr DWORD kWaitMs = 20000;
// Several dials in a row, each failing, on a busy machine.
constexpr DWORD kFailuresWaitMs = 60000;

const char kPhonebook[] =
    "[Home]\nLogin=jdoe\nPassword=pw\nSpeed=0\nStepMs=20\n"
    "[Busy ISP]\nLogin=jdoe\nPassword=pw\nBusy=2\nSpeed=0\nStepMs=20\nDevice=Second Modem\n"
    "[Dead Line]\nOutcome=nodialtone\nStepMs=20\nDevice=Third Modem\n"
    "[Strict ISP]\nLogin=jdoe\nPassword=other\nStepMs=20\nDevice=Fourth Modem\n"
    "[Shared Modem]\nOutcome=portopen\n"
    "[Dropping]\nDropAfter=10\nSpeed=0\nStepMs=20\nDevice=Fifth Modem\n"
    "[Cut Off]\nScript=0,1,2:631\nStepMs=20\nDevice=Sixth Modem\n"
    "[Busy Tray]\nBusy=2\nSpeed=0\nStepMs=20\nDevice=Seventh Modem\n";

// The tray's dial status dialog: statuses and enabling, recorded.
class RecordingDialUpDialog : public IDialUpDialog {
 public:
  explicit RecordingDialUpDialog(std::vector<std::string>& log) : log_(log) {}
  void SetProviderAndName(int kind, const std::string& name) override {
    log_.push_back("dialog name " + std::to_string(kind) + " " + name);
  }
  void ShowStatus(int status, const std::string& text) override {
    log_.push_back("dialog status " + std::to_string(status) + " " + text);
  }
  void Enable(bool dialEnabled) override {
    log_.push_back(dialEnabled ? "dialog dial enabled" : "dialog hang up enabled");
  }

 private:
  std::vector<std::string>& log_;
};

class RecordingDialogFactory : public IDialUpDialogFactory {
 public:
  std::unique_ptr<IDialUpDialog> Create(IDialUpDialogOwner&) override {
    ++created;
    return std::make_unique<RecordingDialUpDialog>(log);
  }
  int created = 0;
  std::vector<std::string> log;
};

class DialEngineTest : public RegistryTest {
 protected:
  void SetUp() override {
    RegistryTest::SetUp();
    timescale::OverrideFactor(0.01);
    ASSERT_FALSE(lab::Address().empty()) << "no lab server runs";
    netlayout::LayOutRunningFamily();
    CDialUpProfile profile(1);
    for (const char* entry : {"Home", "Busy ISP", "Dead Line", "Strict ISP", "Shared Modem",
                              "Dropping", "Cut Off", "Busy Tray"}) {
      ASSERT_EQ(status::kOk, profile.SetLoginPassword(entry, "jdoe", "pw"));
    }
    engine_ = std::make_unique<CDialHiddenDlg>(
        controller_, &dialogs_, nullptr,
        [this](HWND, const CountdownTexts& texts) {
          countdowns_.push_back(texts);
          return countdownAnswer_;
        });
    ASSERT_TRUE(engine_->Create());
  }
  void TearDown() override {
    engine_.reset();
    lab::MustControl("link-down");
    timescale::OverrideFactor(0);
    RegistryTest::TearDown();
  }

  // The provider kind and its default entry, with the entry's login.
  void Configure(const std::string& entry, int kind = 1) {
    ASSERT_EQ(status::kOk, CSettingsStore().SetProviderKind(kind));
    CDialUpProfile profile(kind);
    ASSERT_EQ(status::kOk, profile.SetDefaultProfile(entry));
    ASSERT_EQ(status::kOk, profile.SetLoginPassword(entry, "jdoe", "pw"));
    frame_.SwitchRightPane(RightPane::Dial);
  }

  bool PumpUntilReport(const std::string& report, DWORD waitMs = kWaitMs) {
    return frame_.Progress().PumpUntil(
        [&] {
          for (const std::string& seen : controller_.reports) {
            if (seen == report) return true;
          }
          return false;
        },
        waitMs);
  }

  static std::string RasError(DWORD error) {
    std::string text;
    RasErrorText(nullptr, error, text);
    return text;
  }

  std::unique_ptr<LabPhonebookFile> phonebook_ = LabPhonebookFile::FromText(kPhonebook);
  TestMainFrame frame_;
  RecordingDialController controller_{frame_, RecordingDialController::Hiding::Recorded};
  RecordingDialogFactory dialogs_;
  std::vector<CountdownTexts> countdowns_;
  int countdownAnswer_ = kCountdownResume;
  std::unique_ptr<CDialHiddenDlg> engine_;
};

TEST_F(DialEngineTest, RefusesToDialWhatIsNotConfiguredWithoutTouchingRas) {
  MessageBoxRecorder boxes;
  frame_.SwitchRightPane(RightPane::Dial);
  EXPECT_EQ(status::kNoDefaultProfile, engine_->Dial(0, "", false));
  ASSERT_EQ(1u, boxes.Boxes().size());
  EXPECT_EQ("There is no Service Provider type selected in the \"Configuration Wizard\".",
            boxes.Boxes()[0].text);
  EXPECT_EQ("Connecting...", frame_.View()->Caption());

  // A stored kind outside the table is no configuration either.
  ASSERT_EQ(status::kOk, CSettingsStore().SetProviderKind(12));
  EXPECT_EQ(status::kNoDefaultProfile, engine_->Dial(0, "", false));
  EXPECT_EQ(2u, boxes.Boxes().size());

  ASSERT_EQ(status::kOk, CSettingsStore().SetProviderKind(1));
  EXPECT_EQ(status::kNoDefaultProfile, engine_->Dial(0, "", false));
  EXPECT_EQ("There is no default Dial-Up Profile to be found.  Go to \"Tune-Up -> Configuration "
            "Wizard\" to setup a default Dial-Up Profile",
            frame_.View()->StatusLine());
  EXPECT_FALSE(engine_->IsDialing());
  EXPECT_EQ("down", lab::StatusValue("link"));

  // A client-program kind without its dial path cannot be dialled.
  ASSERT_EQ(status::kOk, CSettingsStore().SetProviderKind(5));
  EXPECT_EQ(status::kProviderConnectFailed, engine_->Dial(0, "", false));
  EXPECT_EQ(StatusText(status::kProviderConnectFailed), boxes.Boxes().back().text);
  EXPECT_FALSE(engine_->IsDialing());

  ASSERT_EQ(status::kOk, CSettingsStore().SetProviderKind(1));
  ASSERT_EQ(status::kOk, CDialUpProfile(1).SetDefaultProfile("Shared Modem"));
  EXPECT_EQ(status::kPortInUse, engine_->Dial(0, "", false));
  EXPECT_EQ("There is a another program dialing the selected connection",
            frame_.View()->StatusLine());
  EXPECT_FALSE(engine_->IsDialing());
  EXPECT_TRUE(controller_.reports.empty());
}

TEST_F(DialEngineTest, ConnectsWithStatesInOrderNoticesOnceAndHangsUp) {
  Configure("Home");
  ASSERT_EQ(status::kOk, engine_->Dial(0, "", false));
  EXPECT_TRUE(engine_->IsDialing());
  ASSERT_TRUE(PumpUntilReport("connected"));
  EXPECT_TRUE(engine_->IsConnected());
  EXPECT_FALSE(engine_->IsDialing());
  EXPECT_EQ("up", lab::StatusValue("link"));

  std::vector<std::string> statuses = frame_.LogStartingWith("status ");
  ASSERT_GE(statuses.size(), 3u);
  EXPECT_EQ("status 0 Dialing...", statuses.front());
  EXPECT_EQ("status 8192 Connection to Home established", statuses.back());
  EXPECT_EQ(1u, frame_.LogStartingWith("connected notice").size());

  EXPECT_EQ(status::kOk, engine_->Disconnect("", true));
  EXPECT_FALSE(engine_->IsConnected());
  EXPECT_EQ("Disconnected from Home", frame_.View()->Caption());
  EXPECT_EQ(1u, frame_.LogStartingWith("hung-up pictures").size());
  frame_.Progress().PumpUntil([] { return lab::StatusValue("link") == "down"; }, kWaitMs);
  EXPECT_EQ("down", lab::StatusValue("link"));

  // Nothing left to hang up: the text is shown and that is all.
  frame_.ClearLog();
  EXPECT_EQ(status::kOk, engine_->Disconnect("All done", true));
  EXPECT_EQ("All done", frame_.View()->StatusLine());
  EXPECT_TRUE(frame_.LogStartingWith("hung-up pictures").empty());
  EXPECT_EQ(1u, controller_.reports.size());
}

TEST_F(DialEngineTest, NoDialToneFailsWith53AndOffersNoRedial) {
  Configure("Dead Line");
  ASSERT_EQ(status::kOk, engine_->Dial(0, "", false));
  ASSERT_TRUE(PumpUntilReport("dial failed 53"));
  EXPECT_TRUE(countdowns_.empty());
  EXPECT_FALSE(engine_->IsDialing());
  EXPECT_EQ(1u, frame_.LogStartingWith("status 680 ").size());
}

TEST_F(DialEngineTest, ABusyLineCountsDownBeforeEachRedialThenConnects) {
  Configure("Busy ISP");
  ASSERT_EQ(status::kOk, engine_->Dial(0, "", false));
  ASSERT_TRUE(PumpUntilReport("connected"));
  ASSERT_EQ(2u, countdowns_.size());
  for (const CountdownTexts& texts : countdowns_) {
    EXPECT_EQ("  Connection Error", texts.caption);
    EXPECT_EQ("Cannot connect to: Busy ISP", texts.heading);
    EXPECT_EQ(RasError(ras::kLineBusy), texts.message);
    EXPECT_EQ("Re-dialing in:", texts.label);
    EXPECT_EQ(CountdownLayout::BesideSeconds, texts.layout);
  }
  EXPECT_EQ(std::vector<std::string>{"connected"}, controller_.reports);
  engine_->Disconnect("", true);
}

TEST_F(DialEngineTest, RepeatedAuthenticationFailuresEndAtTheRedialLimit) {
  Configure("Strict ISP");
  ASSERT_EQ(status::kOk, CDialUpProfile(1).SetRedial("Strict ISP", 2));
  MessageBoxRecorder boxes;
  ASSERT_EQ(status::kOk, engine_->Dial(0, "", false));
  ASSERT_TRUE(PumpUntilReport("dial failed 10"));
  EXPECT_EQ(2u, countdowns_.size());
  ASSERT_EQ(1u, boxes.Boxes().size());
  EXPECT_EQ("If dialing problem persist, go to \"Options\" and click \"Use Internet dial\" option "
            "and run the tune-up test",
            boxes.Boxes()[0].text);
  EXPECT_EQ("Failed to connect to: Strict ISP", frame_.View()->Caption());
  EXPECT_FALSE(engine_->IsDialing());

  // The count started again: the next dial gets its countdowns again.
  countdowns_.clear();
  countdownAnswer_ = kCountdownStop;
  controller_.reports.clear();
  ASSERT_EQ(status::kOk, engine_->Dial(0, "", false));
  ASSERT_TRUE(PumpUntilReport("dial failed 10"));
  EXPECT_EQ(1u, countdowns_.size());
  EXPECT_EQ(1u, boxes.Boxes().size());
}

TEST_F(DialEngineTest, AUserDisconnectDuringADialIsAFailureNotAWaitForEver) {
  Configure("Cut Off");
  countdownAnswer_ = kCountdownStop;
  ASSERT_EQ(status::kOk, engine_->Dial(0, "", false));
  ASSERT_TRUE(PumpUntilReport("dial failed 10"));
  EXPECT_EQ(1u, countdowns_.size());
  EXPECT_FALSE(engine_->IsDialing());
}

TEST_F(DialEngineTest, ALineDropUnderATestHangsUpWithoutARedial) {
  Configure("Dropping");
  ASSERT_EQ(status::kOk, engine_->Dial(0, "", false));
  ASSERT_TRUE(PumpUntilReport("connected"));
  frame_.Progress().PumpUntil([&] { return !engine_->IsConnected(); }, kWaitMs);
  EXPECT_FALSE(engine_->IsConnected());
  EXPECT_TRUE(countdowns_.empty());
  EXPECT_EQ(std::vector<std::string>{"connected"}, controller_.reports);
  // The dropped line is hung up already.
  EXPECT_EQ(status::kOk, engine_->Disconnect("Gone", true));
  EXPECT_TRUE(frame_.LogStartingWith("hung-up pictures").empty());
}

TEST_F(DialEngineTest, TrayDialsUseTheBestValuesOnlyWhileDialing) {
  Configure("Home");
  frame_.SwitchRightPane(RightPane::Information);
  RegistryValueMap userValues = SetUserAndBestMtu(1500, 1000);

  ASSERT_EQ(status::kOk, engine_->TrayDial(1, "Home"));
  EXPECT_TRUE(engine_->IsTrayMode());
  EXPECT_EQ(1000, TcpipValueInEffect(kParameterMtu));
  frame_.Progress().PumpUntil([&] { return engine_->IsConnected(); }, kWaitMs);
  ASSERT_TRUE(engine_->IsConnected());
  EXPECT_EQ(1000, lab::StatusNumber("mtu"));
  EXPECT_EQ("", DescribeDifferences(userValues, TcpipValues()));
  frame_.Progress().PumpFor(100);
  EXPECT_TRUE(controller_.reports == std::vector<std::string>{"hide"});
  EXPECT_EQ(1, dialogs_.created);

  // The dialog has closed itself after connecting, and the provider kind is
  // stored with the wrong type: the hang-up still ends the connection and
  // makes no new dialog.
  engine_->OnDialUpDialogClosed(IDOK);
  testreg::WriteText("SOFTWARE\\Orvalis\\Velotune\\DialUp Profile", "DialUpType", "1");
  EXPECT_EQ(0, engine_->TrayHangUp());
  EXPECT_FALSE(engine_->IsTrayMode());
  EXPECT_FALSE(engine_->IsConnected());
  EXPECT_NE("up", lab::StatusValue("link"));
  EXPECT_EQ(1, dialogs_.created);
  EXPECT_EQ("", DescribeDifferences(userValues, TcpipValues()));
  ASSERT_EQ(status::kOk, CSettingsStore().SetProviderKind(1));

  // A busy line: the user's values are back during the countdown, and the
  // redial is tuned again.
  ASSERT_EQ(status::kOk, CDialUpProfile(1).SetDefaultProfile("Busy Tray"));
  TestRecord best{kRecordAuto, kParameterMtu, 1000, 0.0};
  ASSERT_EQ(status::kOk, CSettingsStore().StoreBest(best));
  ASSERT_EQ(status::kOk, engine_->TrayDial(1, "Busy Tray"));
  frame_.Progress().PumpUntil([&] { return engine_->IsConnected(); }, kWaitMs);
  ASSERT_TRUE(engine_->IsConnected());
  EXPECT_EQ(2u, countdowns_.size());
  EXPECT_EQ(1000, lab::StatusNumber("mtu"));
  EXPECT_EQ("", DescribeDifferences(userValues, TcpipValues()));
  EXPECT_EQ(0, engine_->TrayHangUp());

  // A failed tray dial reaches neither the controller nor the right pane.
  ASSERT_EQ(status::kOk, CDialUpProfile(1).SetRedial("Dead Line", 1));
  frame_.ClearLog();
  ASSERT_EQ(status::kOk, engine_->TrayDial(1, "Dead Line"));
  frame_.Progress().PumpUntil([&] { return !engine_->IsTrayMode(); }, kWaitMs);
  EXPECT_FALSE(engine_->IsTrayMode());
  EXPECT_EQ((std::vector<std::string>{"hide", "hide", "hide"}), controller_.reports);
  EXPECT_TRUE(frame_.Log().empty());
  EXPECT_NE(dialogs_.log.end(),
            std::find(dialogs_.log.begin(), dialogs_.log.end(), "dialog dial enabled"));
  EXPECT_EQ("", DescribeDifferences(userValues, TcpipValues()));
}

// The "Use Internet dial" path with the lab's dial-up dialogs: "Dial-up
// Connection" on Windows 9x; "Connect To" and "Connecting to <entry>" on the
// NT family (CTest runs these tests once more as Windows 2000).
class InternetDialEngineTest : public DialEngineTest {
 protected:
  void SetUp() override {
    DialEngineTest::SetUp();
    ASSERT_EQ(status::kOk, CSettingsStore().SetInternetDial(1));
  }
  static bool NoDialDialogLeft() {
    for (const char* title : {"Dial-up Connection", "Connect To", "Connecting to Home",
                              "Connecting to Dead Line"}) {
      if (FindWindowA(nullptr, title) != nullptr) return false;
    }
    return true;
  }
  static std::string SystemDialogTitle() {
    return IsNtFamily(CSettingsStore::DetectOsFamily()) ? "Connect To" : "Dial-up Connection";
  }
};

TEST_F(InternetDialEngineTest, FillsTheDialogConnectsAndCountsFailuresToTheLimit) {
  if (getenv("VELOTUNE_INTERNET_DIAL") == nullptr) GTEST_SKIP() << "the lab's dialer is not named";
  Configure("Home");
  ASSERT_EQ(status::kOk, engine_->Dial(0, "", false));
  ASSERT_TRUE(PumpUntilReport("connected"));
  EXPECT_EQ(SystemDialogTitle(), engine_->DialDialogTitle());
  EXPECT_EQ("up", lab::StatusValue("link"));
  EXPECT_EQ(status::kOk, engine_->Disconnect("", true));
  frame_.Progress().PumpUntil([] { return lab::StatusValue("link") == "down"; }, kWaitMs);
  EXPECT_EQ("down", lab::StatusValue("link"));

  // A line without dial tone: the dialog's button comes back, the engine
  // cancels the dialog and counts down before each redial, up to the limit.
  // EarthLink and Prodigy dial as Windows Dial-Up Networking does, and their
  // failures end the same way.
  ASSERT_EQ(status::kOk, CDialUpProfile(7).SetRedial("Dead Line", 2));
  Configure("Dead Line", 7);
  controller_.reports.clear();
  ASSERT_EQ(status::kOk, engine_->Dial(0, "", false));
  ASSERT_TRUE(PumpUntilReport("dial failed 10", kFailuresWaitMs));
  EXPECT_EQ(SystemDialogTitle(), engine_->DialDialogTitle());
  ASSERT_EQ(2u, countdowns_.size());
  EXPECT_EQ("Connection Error", countdowns_[0].caption);
  EXPECT_EQ("Failed to connect to: Dead Line", countdowns_[0].heading);
  EXPECT_EQ("", countdowns_[0].message);
  EXPECT_EQ("Re-dial in:", countdowns_[0].label);
  EXPECT_EQ(0, engine_->InternetDialAttempts());
  EXPECT_TRUE(frame_.Progress().PumpUntil(&NoDialDialogLeft, kWaitMs));

  // Cancel in the countdown stops the tune-up and starts the count again.
  Configure("Dead Line", 8);
  countdowns_.clear();
  countdownAnswer_ = kCountdownStop;
  ASSERT_EQ(status::kOk, engine_->Dial(0, "", false));
  ASSERT_TRUE(PumpUntilReport("stop"));
  EXPECT_EQ(1u, countdowns_.size());
  EXPECT_EQ(0, engine_->InternetDialAttempts());
  EXPECT_TRUE(frame_.Progress().PumpUntil(&NoDialDialogLeft, kWaitMs));
}

TEST_F(InternetDialEngineTest, DisconnectWhileDialingCancelsTheDialogBeforeTheNextDial) {
  if (getenv("VELOTUNE_INTERNET_DIAL") == nullptr) GTEST_SKIP() << "the lab's dialer is not named";
  Configure("Home");
  ASSERT_EQ(status::kOk, engine_->Dial(0, "", false));
  EXPECT_EQ(status::kOk, engine_->Disconnect("", true));
  EXPECT_FALSE(engine_->IsDialing());
  EXPECT_TRUE(frame_.Progress().PumpUntil(&NoDialDialogLeft, kWaitMs));
  frame_.Progress().PumpFor(100);
  EXPECT_TRUE(controller_.reports.empty());

  // The next dial is not cancelled by anything left of the first.
  ASSERT_EQ(status::kOk, engine_->Dial(0, "", false));
  ASSERT_TRUE(PumpUntilReport("connected"));
  EXPECT_EQ(status::kOk, engine_->Disconnect("", true));
}

TEST_F(InternetDialEngineTest, WinesOwnInternetDialIsAFailureNotAHang) {
  if (getenv("VELOTUNE_INTERNET_DIAL") != nullptr) GTEST_SKIP() << "runs with Wine's own dialer";
  ASSERT_EQ(status::kOk, CDialUpProfile(1).SetRedial("Home", 1));
  Configure("Home");
  ASSERT_EQ(status::kOk, engine_->Dial(0, "", false));
  ASSERT_TRUE(PumpUntilReport("dial failed 10"));
  EXPECT_EQ(1u, countdowns_.size());
  EXPECT_FALSE(engine_->IsConnected());
}

}  // namespace
