// The America Online and CompuServe 2000 dial path.
#include "dialing/AolDialPath.h"

#include "dialing/DialViewSeam.h"
#include "dialing/DialingMessages.h"
#include "engine/Downloader.h"
#include "engine/portable/StatusCodes.h"
#include "engine/portable/TestRecord.h"
#include "settings/AolSettings.h"

namespace {

constexpr UINT kBeforeLaunchMs = 3500;
constexpr UINT kLaunchDelayMs = 500;
constexpr UINT kPollMs = 500;
constexpr UINT kWelcomePollMs = 1000;
constexpr UINT kBeforeWelcomeMs = 5000;
constexpr UINT kConnectedNoticeMs = 4500;
constexpr UINT kFrameWaitMs = 500;
constexpr int kFrameWaitSteps = 120;
constexpr int kFrameTicks = 40;
constexpr int kSignOnTicks = 120;
constexpr int kWelcomeTicks = 10;
constexpr int kDefaultRedialLimit = 10;
constexpr int kAmericaOnline = 2;
constexpr int kCompuServe = 3;

std::string ConnectedText(int kind) {
  if (kind == kAmericaOnline) return "Connected to America Online";
  if (kind == kCompuServe) return "Connected to CompuServe";
  return "Connected to your service provider";
}

std::string FailedProviderText(int kind) {
  if (kind == kAmericaOnline) return "\tAmerica Online.";
  if (kind == kCompuServe) return "\tCompuServe.";
  return "\tyour service provider.";
}

TestRecord BestMtu() {
  TestRecord best;
  best.kind = kRecordAuto;
  best.parameter = kParameterMtu;
  return best;
}

// The provider's fixed test address opened in a session of its own.
bool InternetReachable(int kind) {
  std::string address = testsites::FixedAddress(kind);
  if (address.empty()) address = testsites::kDefault;
  std::string page;
  return CDownloader::FetchText(address, page) == status::kOk;
}

}  // namespace

int CAolDialPath::Dial(bool /*restart*/) {
  ++serial_;
  StopTimers();
  frameTicks_ = signOnTicks_ = welcomeTicks_ = 0;
  monitoring_ = false;
  welcomeSeen_ = false;
  engine_.Wait(kBeforeLaunchMs);
  engine_.SetDialing(true);
  if (engine_.IsTrayMode()) PrepareTrayDial();
  engine_.ArmTimer(kTimerAolLaunch, kLaunchDelayMs);
  engine_.ShowStatus(kDialStatusDialing, "Dialing...");
  return status::kOk;
}

void CAolDialPath::PrepareTrayDial() {
  CAolSettings aol;
  aol.ResetAfterTest();
  CSettingsStore store;
  TestRecord best = BestMtu();
  if (store.ReadBest(best) == status::kOk) store.Write(best);
  // An empty name dials the provider's default screen name as it is.
  std::string screenName = engine_.RequestedName();
  if (!screenName.empty()) aol.SetDefaultScreenName(screenName);
}

bool CAolDialPath::OnTimer(UINT_PTR id) {
  switch (id) {
    case kTimerAolLaunch: OnLaunchTimer(); return true;
    case kTimerAolMainFrame: OnMainFrameTimer(); return true;
    case kTimerAolSignOn: OnSignOnTimer(); return true;
    case kTimerAolWelcome: OnWelcomeTimer(); return true;
    default: return false;
  }
}

bool CAolDialPath::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_AOLWELCOME) {
    welcomeSeen_ = true;
    return true;
  }
  if (message == WM_DRIVERNOTIFY && wParam == DN_STEPTEXT) {
    if (lParam != 0) OnStepText(reinterpret_cast<const char*>(lParam));
    return true;
  }
  return false;
}

// --- The sign-on -----------------------------------------------------------------------

void CAolDialPath::OnLaunchTimer() {
  engine_.SetConnected(false);
  engine_.StopTimer(kTimerAolLaunch);
  int launched = driver_.Launch();
  if (launched != status::kOk) {
    // The driver has told the user; the attempt ends here.
    Fail(launched, false);
    return;
  }
  engine_.ArmTimer(kTimerAolMainFrame, kPollMs);
}

void CAolDialPath::OnMainFrameTimer() {
  if (driver_.FindMainFrame() != nullptr) {
    frameTicks_ = 0;
    engine_.StopTimer(kTimerAolMainFrame);
    engine_.ArmTimer(kTimerAolSignOn, kPollMs);
    return;
  }
  if (++frameTicks_ > kFrameTicks) {
    engine_.StopTimer(kTimerAolMainFrame);
    frameTicks_ = 0;
    Fail(status::kAolSignOnFailed, false);
  }
}

void CAolDialPath::OnSignOnTimer() {
  if (monitoring_) {
    WatchSignOn();
    return;
  }
  ++signOnTicks_;
  int polled = driver_.PollSignOnWindow();
  if (polled == status::kOk || polled == status::kAolSignOnScreenNotFound) {
    signOnTicks_ = 0;
    monitoring_ = true;
  } else if (signOnTicks_ > kSignOnTicks) {
    signOnTicks_ = 0;
    engine_.StopTimer(kTimerAolSignOn);
    Fail(polled, false);
  }
}

void CAolDialPath::WatchSignOn() {
  driver_.ForwardStepText(engine_.Window());
  int polled = driver_.PollSignOnWindow();
  if (polled != status::kAolStatusWindowNotFound && polled != status::kAolLoginFailed) return;
  monitoring_ = false;
  engine_.StopTimer(kTimerAolSignOn);
  AfterSignOn();
}

void CAolDialPath::AfterSignOn() {
  HWND clientArea = driver_.FindClientArea();
  if (clientArea == nullptr) {
    // The client went away during the sign-on: the user closed it.
    Fail(status::kUserCancelled, true);
    return;
  }
  if (!engine_.IsTrayMode()) {
    engine_.ShowStatus(kDialStatusDialing, "Verifying connection...");
    driver_.MinimiseClient();
  }
  engine_.RepaintMainWindow();
  engine_.Wait(kBeforeWelcomeMs);
  std::string screenName;
  CAolSettings().GetDefaultScreenName(screenName);
  if (driver_.HasWelcomeWindow(driver_.FindClientArea(), screenName)) {
    Connected();
    return;
  }
  driver_.LookForWelcome(engine_.Window());
  welcomeTicks_ = 0;
  engine_.ArmTimer(kTimerAolWelcome, kWelcomePollMs);
}

void CAolDialPath::OnStepText(const char* text) {
  if (engine_.IsTrayMode() || !engine_.IsDialing()) return;
  std::string step = text;
  size_t at = step.find("Step");
  if (at == std::string::npos) return;
  engine_.StartDialingAnimationOnce();
  // After "Step", the step number and its colon.
  constexpr size_t kStepLabel = 7;
  engine_.ShowStatus(kDialStatusDialing,
                     step.size() > at + kStepLabel ? step.substr(at + kStepLabel) : std::string());
}

void CAolDialPath::OnWelcomeTimer() {
  ++welcomeTicks_;
  if (welcomeSeen_) {
    engine_.StopTimer(kTimerAolWelcome);
    welcomeTicks_ = 0;
    Connected();
    return;
  }
  if (welcomeTicks_ < kWelcomeTicks) return;
  welcomeTicks_ = 0;
  engine_.StopTimer(kTimerAolWelcome);
  if (!engine_.IsTrayMode()) {
    engine_.ShowStatus(kDialStatusDialing, "Checking for available connection...");
  }
  if (InternetReachable(engine_.ProviderKind())) {
    Connected();
  } else {
    InternetTestFailed();
  }
}

// --- Outcomes ---------------------------------------------------------------------------

void CAolDialPath::Connected() {
  engine_.SetDialing(false);
  engine_.SetConnected(true);
  welcomeSeen_ = false;
  redials_ = 0;
  if (engine_.IsTrayMode()) {
    ApplyBestWhileConnected();
    return;
  }
  engine_.ShowStatus(kDialStatusDialing, ConnectedText(engine_.ProviderKind()));
  engine_.StartConnectedAnimation();
  engine_.Wait(kConnectedNoticeMs);
  engine_.NotifyConnected();
}

void CAolDialPath::ApplyBestWhileConnected() {
  CSettingsStore store;
  TestRecord best = BestMtu();
  if (store.ReadBest(best) == status::kOk) {
    CAolSettings aol;
    aol.SetBindingMtu(best.value);
    aol.SetClientMtu(best.value);
  }
  engine_.ApplyBest();
}

void CAolDialPath::InternetTestFailed() {
  engine_.SetDialing(false);
  engine_.SetConnected(false);
  monitoring_ = false;
  unsigned serial = serial_;
  bool redial = redials_ < RedialLimit();
  int choice = 2;
  if (redial) {
    choice = engine_.RunCountdown("  Connection Error", "Failed to connect to:",
                                  FailedProviderText(engine_.ProviderKind()), "Redialing in:");
    // Dialled again or hung up by someone else meanwhile.
    if (serial != serial_) return;
  }
  engine_.Disconnect(std::string(), false);
  if (!redial) {
    redials_ = 0;
    Fail(status::kRedialLimitReached, false);
  } else if (choice != 1) {
    redials_ = 0;
    Fail(status::kUserCancelled, true);
  } else {
    ++redials_;
    // Disconnect put the user's values back: a tray redial is tuned again.
    if (engine_.IsTrayMode()) engine_.ApplyBest();
    engine_.DialAgain(false);
  }
}

void CAolDialPath::Fail(int status, bool stepFailed) {
  engine_.SetDialing(false);
  engine_.SetConnected(false);
  if (engine_.IsTrayMode()) {
    engine_.EndWithFailure(status);
  } else if (stepFailed) {
    engine_.NotifyStepFailed(status);
  } else {
    engine_.NotifyDialFailed(status);
  }
}

int CAolDialPath::RedialLimit() const {
  DWORD count = 0;
  if (CAolSettings().GetRedial(count) == status::kOk) return static_cast<int>(count);
  return kDefaultRedialLimit;
}

// --- Disconnect -------------------------------------------------------------------------

int CAolDialPath::Disconnect(const std::string& /*statusText*/, bool /*closeClient*/) {
  ++serial_;
  StopTimers();
  monitoring_ = false;
  frameTicks_ = signOnTicks_ = welcomeTicks_ = 0;
  driver_.CloseClient();
  engine_.RepaintMainWindow();
  for (int step = 0; step < kFrameWaitSteps && driver_.FindMainFrame() != nullptr; ++step) {
    engine_.Wait(kFrameWaitMs);
  }
  engine_.SetDialing(false);
  return status::kOk;
}

void CAolDialPath::StopTimers() {
  for (UINT_PTR id : {kTimerAolLaunch, kTimerAolMainFrame, kTimerAolSignOn, kTimerAolWelcome}) {
    engine_.StopTimer(id);
  }
}
