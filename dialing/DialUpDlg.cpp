// The dial status dialog.
#include "dialing/DialUpDlg.h"

#include "dialing/DialViewSeam.h"
#include "framework/TimeScale.h"
#include "res/resource.h"

namespace {

const UINT kFrameInterval = 500;
const UINT kConnectedInterval = 250;
const UINT kAfterConnected = 3000;
const int kIconSize = 32;
const int kHighestRasState = 600;

}  // namespace

CDialUpDlg::CDialUpDlg(IDialUpDialogOwner& owner, std::function<void()> hangUp)
    : Dialog(IDD_DIAL_STATUS), owner_(owner), hangUp_(std::move(hangUp)) {}

bool CDialUpDlg::CreateAndShow() {
  if (!CreateModeless(nullptr)) return false;
  ShowWindow(Handle(), SW_SHOWNORMAL);
  SetForegroundWindow(Handle());
  return true;
}

bool CDialUpDlg::OnInitDialog() {
  for (int i = 0; i < dialanimation::kFrameCount; ++i) {
    leftFrames_[i].Reset(LoadResourceIcon(IDI_DIAL_LEFT_FIRST + i, kIconSize));
    rightFrames_[i].Reset(LoadResourceIcon(IDI_DIAL_RIGHT_FIRST + i, kIconSize));
  }
  connected_[0][0].Reset(LoadResourceIcon(IDI_DIAL_CONNECTED1_LEFT, kIconSize));
  connected_[0][1].Reset(LoadResourceIcon(IDI_DIAL_CONNECTED1_RIGHT, kIconSize));
  connected_[1][0].Reset(LoadResourceIcon(IDI_DIAL_CONNECTED2_LEFT, kIconSize));
  connected_[1][1].Reset(LoadResourceIcon(IDI_DIAL_CONNECTED2_RIGHT, kIconSize));
  disconnected_[0].Reset(LoadResourceIcon(IDI_DIAL_DISCONNECTED_LEFT, kIconSize));
  disconnected_[1].Reset(LoadResourceIcon(IDI_DIAL_DISCONNECTED_RIGHT, kIconSize));
  ShowDialingFrames();
  return true;
}

void CDialUpDlg::ShowIcons(HICON left, HICON right) {
  SendItem(IDC_DIALUP_ICON_LEFT, STM_SETICON, reinterpret_cast<WPARAM>(left));
  SendItem(IDC_DIALUP_ICON_RIGHT, STM_SETICON, reinterpret_cast<WPARAM>(right));
}

void CDialUpDlg::ShowDialingFrames() {
  ShowIcons(leftFrames_[leftFrame_].Get(), rightFrames_[rightFrame_].Get());
}

void CDialUpDlg::SetTitle(const char* prefix) {
  if (Handle() != nullptr) SetWindowTextA(Handle(), (prefix + connectionName_).c_str());
}

void CDialUpDlg::SetProviderAndName(int providerKind, const std::string& connectionName) {
  providerKind_ = providerKind;
  connectionName_ = connectionName;
}

void CDialUpDlg::StopDialingAnimation() {
  KillTimer(Handle(), kLeftFrameTimer);
  KillTimer(Handle(), kRightFrameTimer);
}

void CDialUpDlg::ShowStatus(int status, const std::string& text) {
  if (Handle() == nullptr) return;
  if (!text.empty()) SetItemText(IDC_DIALUP_STATUS, text);
  if (status == kDialStatusDialing) {
    SetTimer(Handle(), kLeftFrameTimer, timescale::Scaled(kFrameInterval), nullptr);
    timescale::Sleep(kFrameInterval);
    SetTimer(Handle(), kRightFrameTimer, timescale::Scaled(kFrameInterval), nullptr);
    SetTitle("Dialing to ");
  } else if (status >= 1 && status <= kHighestRasState) {
    // A RAS state changes only the status line.
  } else if (status == kDialStatusConnected) {
    StopDialingAnimation();
    alternation_ = 0;
    dialanimation::RestartConnectedTicks();
    SetTimer(Handle(), kConnectedTimer, timescale::Scaled(kConnectedInterval), nullptr);
    SetTitle("Connected to ");
  } else {
    // A drop during the connected animation must not close the dialog as if connected.
    StopDialingAnimation();
    KillTimer(Handle(), kConnectedTimer);
    ShowIcons(disconnected_[0].Get(), disconnected_[1].Get());
    SetTitle("Disconnected from ");
  }
}

void CDialUpDlg::Enable(bool dialEnabled) {
  EnableItem(IDC_DIALUP_DIAL, dialEnabled);
  EnableItem(IDC_DIALUP_HANG_UP, !dialEnabled);
}

void CDialUpDlg::EndWith(int result) {
  if (Handle() == nullptr) return;
  StopDialingAnimation();
  KillTimer(Handle(), kConnectedTimer);
  // The engine hears of it first; the modeless window then really goes.
  owner_.OnDialUpDialogClosed(result);
  End(result);
}

void CDialUpDlg::Close() { EndWith(IDOK); }

void CDialUpDlg::OnConnectedTick() {
  const int pair = alternation_ % 2;
  ShowIcons(connected_[pair][0].Get(), connected_[pair][1].Get());
  ++alternation_;
  if (!dialanimation::CountConnectedTick()) return;
  KillTimer(Handle(), kConnectedTimer);
  timescale::Sleep(kAfterConnected);
  Close();
}

void CDialUpDlg::OnTimer(UINT_PTR id) {
  switch (id) {
    case kLeftFrameTimer:
      leftFrame_ = dialanimation::NextFrame(leftFrame_);
      ShowDialingFrames();
      break;
    case kRightFrameTimer:
      rightFrame_ = dialanimation::NextFrame(rightFrame_);
      ShowDialingFrames();
      break;
    case kConnectedTimer:
      OnConnectedTick();
      break;
    default:
      break;
  }
}

bool CDialUpDlg::OnCommand(int id, int /*notifyCode*/, HWND /*control*/) {
  switch (id) {
    case IDC_DIALUP_DIAL:
      EnableItem(IDC_DIALUP_DIAL, false);
      EnableItem(IDC_DIALUP_HANG_UP, true);
      SetTitle("Dialing to ");
      owner_.TrayDial(providerKind_, connectionName_);
      return true;
    case IDC_DIALUP_HANG_UP:
      StopDialingAnimation();
      SetTitle("Disconnected from ");
      if (hangUp_) hangUp_();
      return true;
    case IDOK:
      Close();
      return true;
    case IDCANCEL:
      EndWith(IDCANCEL);
      return true;
    default:
      return false;
  }
}

std::unique_ptr<IDialUpDialog> CDialUpDlgFactory::Create(IDialUpDialogOwner& owner) {
  auto dialog = std::make_unique<CDialUpDlg>(owner, hangUp_);
  if (!dialog->CreateAndShow()) return nullptr;
  return dialog;
}
