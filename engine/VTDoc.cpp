// The tune-up controller: start, the two phases, the failure paths, the end.
#include "engine/VTDoc.h"

#include "dialing/DialViewSeam.h"
#include "engine/ResultLog.h"
#include "engine/UsageReporter.h"
#include "engine/portable/LastResultScan.h"
#include "engine/portable/StatusCodes.h"
#include "framework/MessageBoxSeam.h"
#include "settings/AolSettings.h"
#include "settings/DialUpProfile.h"
#include "settings/RestoreMark.h"

namespace {

constexpr char kBoxCaption[] = "Velotune";
constexpr char kNotConfiguredText[] =
    "Dial-Up Service has not been configured.  Please complete the \"Configuration Wizard\" "
    "before running Tune-Up";
constexpr char kAolManualText[] =
    "Manual Tune-Ups are not applicable to America Online users.  Please choose Auto Tune-Up to "
    "run the optimization test.";
constexpr char kBusyText[] = "Unable to view last result because there is a tune-up in progress";
constexpr char kNoResultText[] = "There is no result to analyze";
constexpr char kCompletedReport[] = "2.6-TuneUp_Completed";

constexpr int kItemAuto = 1;
constexpr int kItemFirstParameter = 3;  // items 3 to 6 are parameters 1 to 4
constexpr int kItemLastParameter = 6;
constexpr int kNetZero = 5;
constexpr int kJuno = 6;
constexpr int kAttWorldNet = 9;
constexpr int kAmericaOnline = 2;
constexpr int kDefaultRedialLimit = 10;

bool IsKnownProviderKind(int kind) { return kind >= 1 && kind <= 9; }
bool IsStartableItem(int item) {
  return item == kItemAuto || (item >= kItemFirstParameter && item <= kItemLastParameter);
}

// The wait cursor for the life of the object.
class WaitCursor {
 public:
  WaitCursor() : previous_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
  ~WaitCursor() { SetCursor(previous_ != nullptr ? previous_ : LoadCursor(nullptr, IDC_ARROW)); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HCURSOR previous_;
};

}  // namespace

CVTDoc::CVTDoc(IMainFrame& frame, const EngineFactory& makeEngine,
               IProviderPreparation& preparation, CountdownRunner countdown)
    : frame_(frame), preparation_(preparation), countdown_(std::move(countdown)),
      worker_(*this) {
  engine_ = makeEngine(*this);
  Reset();
}

CVTDoc::~CVTDoc() {
  try {
    StopIfRunning();
  } catch (...) {
    // Nothing may leave a destructor; the registry restore has been tried.
  }
}

// --- Commands ------------------------------------------------------------------

bool CVTDoc::CanStart() const {
  return IsStartableItem(selectedItem_) && !inProgress_ && !running_;
}

void CVTDoc::Start() {
  int kind = 0;
  if (store_.GetProviderKind(kind) != status::kOk || !IsKnownProviderKind(kind)) {
    ShowMessageBox(OwnerWindow(), kNotConfiguredText, kBoxCaption, MB_OK);
    return;
  }
  if (!CanStart()) return;
  WaitCursor wait;
  int item = selectedItem_;
  if (kind == kAmericaOnline && item != kItemAuto) {
    ShowMessageBox(OwnerWindow(), kAolManualText, kBoxCaption, MB_OK | MB_ICONINFORMATION);
    return;
  }
  providerKind_ = kind;
  if (!BuildPlan(item)) return;
  inProgress_ = true;
  running_ = true;
  worker_.ResultLog().Delete();
  frame_.SetTreeItemsNormal(false);
  Begin();
}

bool CVTDoc::BuildPlan(int item) {
  plans_.clear();
  request_ = TestRecord();
  if (item == kItemAuto) {
    request_.kind = kRecordAuto;
    request_.parameter = providerKind_ == kAmericaOnline ? kParameterAolAuto : kParameterNone;
  } else if (item >= kItemFirstParameter && item <= kItemLastParameter) {
    request_.kind = kRecordManual;
    request_.parameter = item - kItemFirstParameter + kParameterMtu;
  } else {
    return false;
  }
  int repetitions = CTestPlan::ConfiguredRepetitions(store_);
  plans_.push_back(std::make_unique<CTestPlan>(request_, repetitions, store_));
  return true;
}

void CVTDoc::Begin() {
  collecting_ = true;
  frame_.RecalcLayout();
  frame_.Repaint();
  PrepareProvider();
  frame_.SwitchRightPane(RightPane::Dial);
  int result = DialForStep(false);
  if (result == status::kNoDefaultProfile) {
    // The engine has told the user already; nothing is dialing.
    EndTuneUp();
  } else if (result != status::kOk) {
    DialFailed(result);
  }
}

void CVTDoc::PrepareProvider() {
  if (providerKind_ == kNetZero) preparation_.NetZeroSetAside();
  if (providerKind_ == kJuno) preparation_.JunoPrepare();
  if (providerKind_ == kAttWorldNet) store_.PrepareAttWorldNet();
}

int CVTDoc::DialForStep(bool restart) {
  awaitingConnection_ = true;
  int result = engine_->Dial(0, std::string(), restart);
  if (result != status::kOk) awaitingConnection_ = false;
  return result;
}

void CVTDoc::ApplyFirstAndDial() {
  CRestoreMark(store_).Set();
  current_->ApplyFirst(providerKind_);
  int kind = store_.ProviderKindOrDefault();
  if (frame_.CurrentRightPane() != RightPane::Dial) frame_.SwitchRightPane(RightPane::Dial);
  int result = DialForStep(kind == kNetZero);
  if (result != status::kOk) DialFailed(result);
}

void CVTDoc::Redial() {
  int result = DialForStep(false);
  if (result != status::kOk) DialFailed(result);
}

void CVTDoc::Stop() {
  if (!running_) return;
  WaitCursor wait;
  inProgress_ = false;
  worker_.Stop();
}

void CVTDoc::StopIfRunning() {
  if (!running_) return;
  Stop();
  // A thread that was running posts its cancellation, which would arrive
  // after the windows are gone: end the tune-up now; that late report is
  // then ignored.
  if (running_) StepFailed(status::kUserCancelled);
}

bool CVTDoc::MayChangeSelection(int item) {
  if (engine_->IsDialing() || engine_->IsConnected()) return false;
  if (frame_.CurrentRightPane() == RightPane::Progress) return false;
  frame_.SwitchRightPane(RightPane::Information);
  frame_.ShowInformationItem(item);
  return true;
}

void CVTDoc::LastResult() {
  if (inProgress_ || running_) {
    ShowMessageBox(OwnerWindow(), kBusyText, kBoxCaption, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  CResultLog log;
  if (log.Open("Read") != status::kOk) {
    ShowMessageBox(OwnerWindow(), kNoResultText, kBoxCaption, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  std::string text;
  bool read = log.ReadText(text);
  log.Close();
  TestRecord shown;
  if (!read || !ScanLastResult(text, shown)) return;
  frame_.SwitchRightPane(RightPane::Result);
  frame_.ShowResultRequest(shown);
}

// --- The dial engine's reports ------------------------------------------------

void CVTDoc::Connected() {
  if (!running_ || !awaitingConnection_ || worker_.IsRunning()) return;
  awaitingConnection_ = false;
  ApplyMtuToAolAdapter();
  frame_.SwitchRightPane(RightPane::Progress);
  HWND progress = frame_.ProgressViewWindow();
  bool started;
  if (collecting_) {
    started = worker_.StartCollection(progress);
  } else {
    frame_.PrepareProgressView(*current_);
    started = worker_.StartSpeedTest(progress, *current_);
  }
  // A step whose thread cannot start fails like a download.
  if (!started) StepFailed(status::kDownloadFailed);
}

void CVTDoc::ApplyMtuToAolAdapter() {
  if (providerKind_ != kAmericaOnline || plans_.empty()) return;
  TestRecord first = plans_.front()->First();
  if (first.kind == 0 || first.kind == kRecordBaseline) return;
  int mtu = first.value;
  if (first.parameter != kParameterMtu) {
    TestRecord best;
    best.kind = kRecordAuto;
    best.parameter = kParameterMtu;
    store_.ReadBest(best);
    mtu = best.value;
  }
  CAolSettings aol;
  aol.SetBindingMtu(mtu);
  aol.SetClientMtu(mtu);
}

void CVTDoc::DialFailed(int status) {
  if (!running_) return;
  awaitingConnection_ = false;
  if (providerKind_ == kNetZero) preparation_.NetZeroPutBack();
  std::string message = StatusText(status);
  frame_.SwitchRightPane(RightPane::Dial);
  if (status != status::kProviderConnectFailed && status != status::kEmptyPassword) {
    engine_->Disconnect(message, false);
  }
  SetDialStatusText(message);
  if (IsAolKind()) {
    // The client program does not redial on its own. The log stays open:
    // the next record belongs in it.
    ++retries_;
    if (retries_ < RedialLimit()) {
      Redial();
      return;
    }
  }
  EndTuneUp();
}

IDialView* CVTDoc::DialView() { return frame_.DialView(); }
void CVTDoc::RepaintMainWindow() { frame_.Repaint(); }
void CVTDoc::HideMainWindow() { frame_.HideWindow(); }
HWND CVTDoc::OwnerWindow() const { return frame_.Window(); }

// --- The worker's reports ------------------------------------------------------

void CVTDoc::StepDone() {
  if (!running_) return;
  if (!collecting_) {
    CompleteSpeedTest();
    return;
  }
  collecting_ = false;
  retries_ = 0;
  Disconnect(std::string(), true);
  worker_.ResultLog().Open("Write");
  if (plans_.empty()) {
    EndTuneUp();
    return;
  }
  current_ = plans_.front().get();
  ApplyFirstAndDial();
}

void CVTDoc::CompleteSpeedTest() {
  retries_ = 0;
  CResultLog& log = worker_.ResultLog();
  if (request_.kind == kRecordAuto) {
    if (providerKind_ == kAmericaOnline) CAolSettings().ResetAfterTest();
    log.Close();
    current_->AnalyseAfterStep();
    log.Open("Write");
  }
  if (current_->Remaining() > 0) current_->RemoveFirst();
  if (current_->Remaining() > 0) {
    Disconnect(std::string(), true);
    ApplyFirstAndDial();
    return;
  }
  finished_ = std::move(plans_.front());
  plans_.pop_front();
  current_ = nullptr;
  if (!plans_.empty()) {
    current_ = plans_.front().get();
    ApplyFirstAndDial();
    return;
  }
  Complete();
}

void CVTDoc::Complete() {
  if (providerKind_ == kNetZero) preparation_.NetZeroSetAside();
  worker_.ResultLog().Close();
  SendUsageReport(kCompletedReport, providerKind_);
  Disconnect(std::string(), true);
  if (request_.kind == kRecordManual && finished_) finished_->ApplyBestForManual(request_);
  frame_.SetTreeItemsNormal(true);
  frame_.SwitchRightPane(RightPane::Result);
  frame_.ShowResultRequest(request_);
  store_.SetShowDialer(1);
  store_.SetStartupEntry();
  CRestoreMark(store_).RestoreAndVerify(IsAolKind());
  frame_.ShowTrayIcon();
  Reset();
}

void CVTDoc::StepFailed(int status) {
  if (!running_) return;
  if (collecting_) {
    StepFailedCollecting(status);
  } else {
    StepFailedTesting(status);
  }
}

void CVTDoc::StepFailedCollecting(int status) {
  if (status == status::kUserCancelled || status == status::kProxyProblem) {
    if (providerKind_ == kNetZero) preparation_.NetZeroSetAside();
    Disconnect(DisconnectStatusText(status), true);
    EndTuneUp();
    return;
  }
  ++retries_;
  if (retries_ < RedialLimit()) {
    Disconnect(StatusText(status), true);
    Redial();
    return;
  }
  Disconnect(CannotProceedText(status, false), true);
  SetDialStatusText(StatusText(status));
  EndTuneUp();
}

void CVTDoc::StepFailedTesting(int status) {
  std::string message = StatusText(status);
  int limit = RedialLimit();
  int choice = kCountdownResume;
  // The countdown is offered only when a resume can follow it.
  if (status != status::kUserCancelled && retries_ + 1 < limit) {
    CountdownTexts texts;
    texts.caption = status::kErrorDialogCaption;
    texts.heading = status::kErrorDialogHeading;
    texts.message = message;
    texts.label = status::kErrorDialogCountdownLabel;
    texts.layout = CountdownLayout::BelowMessage;
    unsigned ends = endCount_;
    choice = countdown_(OwnerWindow(), texts);
    // Stopped or closed while the dialog was up: that ended the tune-up.
    if (ends != endCount_ || !running_) return;
  }
  if (providerKind_ == kAmericaOnline &&
      (status == status::kUserCancelled || choice == kCountdownStop)) {
    CAolSettings aol;
    aol.RestoreAll();
    aol.RestoreAll();
  }
  if (status == status::kUserCancelled) {
    if (providerKind_ == kNetZero) preparation_.NetZeroSetAside();
    worker_.ResultLog().Close();
    Disconnect(status::kCancelledText, true);
    EndTuneUp();
    return;
  }
  ++retries_;
  if (retries_ < limit && choice == kCountdownResume) {
    // The first record stays: the same test runs again.
    Disconnect(message, true);
    Redial();
    return;
  }
  if (providerKind_ == kNetZero) preparation_.NetZeroSetAside();
  worker_.ResultLog().Close();
  Disconnect(CannotProceedText(status, true), true);
  EndTuneUp();
}

// --- Helpers ---------------------------------------------------------------------

void CVTDoc::Disconnect(const std::string& statusText, bool closeClient) {
  frame_.SwitchRightPane(RightPane::Dial);
  engine_->Disconnect(statusText, closeClient);
}

void CVTDoc::SetDialStatusText(const std::string& text) {
  if (IDialView* view = frame_.DialView()) view->SetStatusText(text);
}

void CVTDoc::EndTuneUp() {
  worker_.ResultLog().Close();
  CRestoreMark(store_).RestoreAndVerify(IsAolKind());
  frame_.SetTreeItemsNormal(true);
  Reset();
}

void CVTDoc::Reset() {
  plans_.clear();
  finished_.reset();
  current_ = nullptr;
  inProgress_ = false;
  running_ = false;
  awaitingConnection_ = false;
  collecting_ = false;
  retries_ = 0;
  request_ = TestRecord();
  ++endCount_;
}

int CVTDoc::RedialLimit() const {
  if (IsAolKind()) {
    DWORD count = 0;
    if (CAolSettings().GetRedial(count) == status::kOk) return static_cast<int>(count);
    return kDefaultRedialLimit;
  }
  if (!IsKnownProviderKind(providerKind_)) return kDefaultRedialLimit;
  CDialUpProfile profile(providerKind_);
  std::string entry;
  int count = 0;
  if (profile.GetDefaultProfile(entry) == status::kOk &&
      profile.GetRedial(entry, count) == status::kOk) {
    return count;
  }
  return kDefaultRedialLimit;
}
