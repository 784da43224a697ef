// The dial engine: creation, the window's timers and messages, Dial and
// Disconnect by provider kind, the tray operations, and the services the
// client dial paths use.
#include "dialing/DialHiddenDlg.h"

#include "dialing/DialingMessages.h"
#include "engine/portable/StatusCodes.h"
#include "framework/MessageBoxSeam.h"
#include "framework/TimeScale.h"
#include "res/TuneUpDialogIds.h"
#include "settings/RestoreMark.h"
#include "settings/portable/ProviderKinds.h"

namespace {

constexpr char kBoxCaption[] = "Velotune";
constexpr char kNoProviderText[] =
    "There is no Service Provider type selected in the \"Configuration Wizard\".";
constexpr char kConnectingCaption[] = "Connecting...";
constexpr char kDisconnectingCaption[] = "Disconnecting...";
constexpr char kDialingText[] = "Dialing...";
constexpr UINT kTuneUpDialWaitMs = 5000;
constexpr UINT kTrayHangUpWaitMs = 1500;
constexpr int kDefaultRedialLimit = 10;

bool IsKnownKind(int kind) { return kind >= 1 && kind <= 9; }

}  // namespace

CDialHiddenDlg::CDialHiddenDlg(IDialController& controller, IDialUpDialogFactory* dialUpDialogs,
                               IClientDialPathFactory* clientPaths, CountdownRunner countdown)
    : Dialog(IDD_DIAL_HIDDEN),
      controller_(controller),
      dialUpDialogs_(dialUpDialogs),
      clientPaths_(clientPaths),
      countdown_(std::move(countdown)),
      profile_(settings_.ProviderKindOrDefault()),
      ras_(std::make_unique<CRasConnection>(profile_)),
      osKind_(settings_.GetOsFamily()) {}

CDialHiddenDlg::~CDialHiddenDlg() {
  for (UINT_PTR id : armedTimers_) KillTimer(Handle(), id);
  WipeCredentials();
}

bool CDialHiddenDlg::Create() { return CreateModeless(nullptr); }

bool CDialHiddenDlg::OnInitDialog() {
  ShowWindow(Handle(), SW_HIDE);
  return false;
}

bool CDialHiddenDlg::OnCommand(int /*id*/, int /*notifyCode*/, HWND /*control*/) { return true; }

// --- Timers and messages ------------------------------------------------------------

void CDialHiddenDlg::ArmTimer(UINT_PTR id, UINT milliseconds) {
  SetTimer(Handle(), id, timescale::Scaled(milliseconds), nullptr);
  armedTimers_.insert(id);
}

void CDialHiddenDlg::StopTimer(UINT_PTR id) {
  KillTimer(Handle(), id);
  armedTimers_.erase(id);
}

void CDialHiddenDlg::Wait(UINT milliseconds) { timescale::Sleep(milliseconds); }

void CDialHiddenDlg::OnTimer(UINT_PTR id) {
  if (!IsTimerArmed(id)) {
    KillTimer(Handle(), id);
    return;
  }
  switch (id) {
    case kTimerDialDialog: OnDialDialogTimer(); return;
    case kTimerDialProgress: OnDialProgressTimer(); return;
    case kTimerCancelProgress: OnCancelProgressTimer(); return;
    case kTimerCancelDialDialog: OnCancelDialDialogTimer(); return;
    default: break;
  }
  for (auto& path : paths_) {
    if (path.second->OnTimer(id)) return;
  }
}

INT_PTR CDialHiddenDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  handled = true;
  switch (message) {
    case WM_RASDIALEVENT:
      OnRasDialEvent(static_cast<int>(wParam), static_cast<DWORD>(lParam));
      return 0;
    case WM_INETDIALRESULT:
      OnInternetDialResult(static_cast<int>(wParam), static_cast<DWORD_PTR>(lParam));
      return 0;
    case WM_DIALWINDOWIDLE:
      OnDialWindowIdle();
      return 0;
    case WM_DRIVERNOTIFY:
    case WM_AOLWELCOME:
    case WM_NETZEROSTEP:
      if (IClientDialPath* path = PathFor(providerKind_)) {
        path->OnMessage(message, wParam, lParam);
      }
      return 0;
    default:
      handled = false;
      return 0;
  }
}

// --- Dial ---------------------------------------------------------------------------

int CDialHiddenDlg::Dial(int providerKind, const std::string& connectionName, bool restart) {
  ++dialSerial_;
  ForgetClosedDialog();
  animationStarted_ = false;
  if (trayMode_) {
    providerKind_ = providerKind;
  } else {
    int kind = ReadTuneUpKind();
    if (kind == 0) return status::kNoDefaultProfile;
    providerKind_ = kind;
  }
  dialing_ = true;
  if (IsDialUpKind()) return DialDialUpKind(connectionName);
  return DialClientKind(restart);
}

int CDialHiddenDlg::ReadTuneUpKind() {
  SetCaption(kConnectingCaption);
  if (IDialView* view = controller_.DialView()) view->Repaint();
  Wait(kTuneUpDialWaitMs);
  int kind = 0;
  // A kind outside the table builds nothing: it counts as not configured.
  if (settings_.GetProviderKind(kind) != status::kOk || !IsKnownKind(kind)) {
    ShowMessageBox(controller_.OwnerWindow(), kNoProviderText, kBoxCaption, MB_OK);
    return 0;
  }
  return kind;
}

bool CDialHiddenDlg::IsDialUpKind() const { return ::IsDialUpKind(providerKind_); }

int CDialHiddenDlg::DialDialUpKind(const std::string& givenName) {
  profile_.SetKind(providerKind_);
  connectionName_ = trayMode_ ? givenName : std::string();
  // An empty name dials the default profile, and the dialogs show its name.
  if (connectionName_.empty() &&
      (profile_.GetDefaultProfile(connectionName_) != status::kOk || connectionName_.empty())) {
    return RefuseDial(status::kNoDefaultProfile,
                      "There is no default Dial-Up Profile to be found.  Go to \"Tune-Up -> "
                      "Configuration Wizard\" to setup a default Dial-Up Profile");
  }
  DWORD internetDial = 0;
  useInternetDial_ = settings_.GetInternetDial(internetDial) == status::kOk && internetDial != 0;
  int result = useInternetDial_ ? StartInternetDial() : DialRas();
  if (result == status::kOk) ShowDialingStatus();
  return result;
}

int CDialHiddenDlg::DialClientKind(bool restart) {
  connectionName_ = ProviderNameFromKind(providerKind_);
  IClientDialPath* path = PathFor(providerKind_);
  if (path == nullptr) {
    std::string text = StatusText(status::kProviderConnectFailed);
    ShowMessageBox(controller_.OwnerWindow(), text, kBoxCaption, MB_OK | MB_ICONEXCLAMATION);
    return RefuseDial(status::kProviderConnectFailed, text);
  }
  return path->Dial(restart);
}

IClientDialPath* CDialHiddenDlg::PathFor(int kind) {
  auto found = paths_.find(kind);
  if (found != paths_.end()) return found->second.get();
  if (clientPaths_ == nullptr || ::IsDialUpKind(kind) || !IsKnownKind(kind)) return nullptr;
  std::unique_ptr<IClientDialPath> path = clientPaths_->Create(kind, *this);
  if (!path) return nullptr;
  return (paths_[kind] = std::move(path)).get();
}

int CDialHiddenDlg::RefuseDial(int status, const std::string& text) {
  ClearFlags();
  if (trayMode_) {
    if (dialUpDialog_) dialUpDialog_->ShowStatus(kDialStatusDisconnected, text);
    trayMode_ = false;
    EnableDialUpDialog(true);
    RestoreAll();
  } else if (IDialView* view = controller_.DialView()) {
    view->ShowStatus(*this, kDialStatusDisconnected, text);
  }
  return status;
}

void CDialHiddenDlg::ShowDialingStatus() {
  if (trayMode_ && dialUpDialog_) dialUpDialog_->SetProviderAndName(providerKind_, connectionName_);
  ShowStatus(kDialStatusDialing, kDialingText);
}

int CDialHiddenDlg::DialAgain(bool restart) {
  return Dial(trayMode_ ? providerKind_ : 1, connectionName_, restart);
}

// --- Connected ---------------------------------------------------------------------

void CDialHiddenDlg::RunConnected() {
  ras_->ResetRedialCount();
  internetAttempts_ = 0;
  dialing_ = false;
  connected_ = true;
  if (IClientDialPath* path = IsDialUpKind() ? nullptr : PathFor(providerKind_)) {
    path->OnConnected();
  }
  ShowStatus(kDialStatusConnected, "Connection to " + connectionName_ + " established");
  if (trayMode_) RestoreAll();
}

void CDialHiddenDlg::OnConnectedAnimationEnded() { NotifyConnected(); }

// --- Disconnect ------------------------------------------------------------------------

int CDialHiddenDlg::Disconnect(const std::string& statusText, bool closeClient) {
  ++dialSerial_;
  std::string text = statusText;
  if (trayMode_) {
    text = "Disconnected from: " + connectionName_;
  } else {
    SetCaption(kDisconnectingCaption);
    controller_.RepaintMainWindow();
  }
  ShowStatus(kDialStatusDisconnected, text);
  int result = status::kOk;
  if (trayMode_) result = RestoreAll();
  if (IsDialUpKind()) {
    int ended = useInternetDial_ ? DisconnectInternetDial() : DisconnectRas(text);
    if (ended != status::kOk) result = ended;
  } else if (IClientDialPath* path = PathFor(providerKind_)) {
    path->Disconnect(text, closeClient);
  }
  ClearFlags();
  animationStarted_ = false;
  return result;
}

void CDialHiddenDlg::ClearFlags() {
  dialing_ = false;
  connected_ = false;
}

// --- Tray mode --------------------------------------------------------------------------

int CDialHiddenDlg::TrayDial(int providerKind, const std::string& connectionName) {
  controller_.HideMainWindow();
  ForgetClosedDialog();
  if (::IsDialUpKind(providerKind)) {
    if (!dialUpDialog_ && dialUpDialogs_ != nullptr) {
      // A new dialog has no result yet, whatever the last one ended with.
      dialUpDialogResult_ = 0;
      dialUpDialog_ = dialUpDialogs_->Create(*this);
    }
    if (dialUpDialog_) {
      dialUpDialog_->Enable(false);
      dialUpDialog_->SetProviderAndName(providerKind, connectionName);
    }
  }
  ApplyBest();
  trayMode_ = true;
  trayName_ = connectionName;
  int result = Dial(providerKind, connectionName, false);
  if (result != status::kOk) trayMode_ = false;
  return result;
}

int CDialHiddenDlg::TrayHangUp() {
  // The dialog closes itself once connected; a hang-up after that needs no
  // new one, which would only stay behind saying "Disconnected from ...".
  // The connection's own kind decides how it is torn down, so a provider
  // kind that cannot be read never leaves a tray connection up.
  EnableDialUpDialog(true);
  bool hadDialog = dialUpDialog_ != nullptr;
  trayMode_ = true;
  Disconnect(std::string(), false);
  Wait(kTrayHangUpWaitMs);
  ClearFlags();
  trayMode_ = false;
  return hadDialog ? dialUpDialogResult_ : 0;
}

void CDialHiddenDlg::OnDialUpDialogClosed(int result) {
  dialUpDialogResult_ = result;
  // The dialog is inside its own handler: destroy it later.
  closedDialog_ = std::move(dialUpDialog_);
}

void CDialHiddenDlg::ForgetClosedDialog() { closedDialog_.reset(); }

// --- Views and dialogs -------------------------------------------------------------------

void CDialHiddenDlg::ShowStatus(int status, const std::string& text) {
  if (trayMode_) {
    if (dialUpDialog_) dialUpDialog_->ShowStatus(status, text);
  } else if (IDialView* view = controller_.DialView()) {
    view->ShowStatus(*this, status, text);
  }
}

void CDialHiddenDlg::SetCaption(const std::string& text) {
  if (trayMode_) return;
  if (IDialView* view = controller_.DialView()) view->SetCaption(text);
}

void CDialHiddenDlg::StartDialingAnimationOnce() {
  if (animationStarted_ || trayMode_) return;
  animationStarted_ = true;
  if (IDialView* view = controller_.DialView()) view->StartDialingAnimation();
}

void CDialHiddenDlg::StartConnectedAnimation() {
  if (trayMode_) return;
  if (IDialView* view = controller_.DialView()) view->StartConnectedAnimation();
}

void CDialHiddenDlg::EnableDialUpDialog(bool dialEnabled) {
  if (dialUpDialog_) dialUpDialog_->Enable(dialEnabled);
}

int CDialHiddenDlg::RunCountdown(const std::string& caption, const std::string& heading,
                                 const std::string& message, const std::string& label) {
  CountdownTexts texts;
  texts.caption = caption;
  texts.heading = heading;
  texts.message = message;
  texts.label = label;
  texts.layout = CountdownLayout::BesideSeconds;
  return countdown_(controller_.OwnerWindow(), texts);
}

// --- Outcomes ----------------------------------------------------------------------------

void CDialHiddenDlg::EndWithFailure(int status) {
  ClearFlags();
  if (trayMode_) {
    trayMode_ = false;
    EnableDialUpDialog(true);
    RestoreAll();
    return;
  }
  NotifyDialFailed(status);
}

void CDialHiddenDlg::NotifyDialFailed(int status) {
  if (!trayMode_) controller_.DialFailed(status);
}

void CDialHiddenDlg::NotifyStepFailed(int status) {
  if (!trayMode_) controller_.StepFailed(status);
}

void CDialHiddenDlg::NotifyConnected() {
  if (!trayMode_) controller_.Connected();
}

void CDialHiddenDlg::NotifyStop() {
  if (!trayMode_) controller_.Stop();
}

int CDialHiddenDlg::ApplyBest() {
  CRestoreMark(settings_).Set();
  return settings_.ApplyBest();
}

int CDialHiddenDlg::RestoreAll() {
  CRestoreMark(settings_).RestoreAndVerify(providerKind_ == 2 || providerKind_ == 3);
  return status::kOk;
}

int CDialHiddenDlg::RedialLimit() const {
  CDialUpProfile profile(providerKind_);
  std::string entry = connectionName_;
  if (!::IsDialUpKind(providerKind_)) profile.GetDefaultProfile(entry);
  int count = 0;
  if (profile.GetRedial(entry, count) == status::kOk) return count;
  return kDefaultRedialLimit;
}
