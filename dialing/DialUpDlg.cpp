// The dial status dialog.
#include "dialing/DialUpDlg.h"

#include "dialing/DialViewSeam.h"
#include "framework/TimeScale.h"
#include "res/resource.h"

namespace {

const UINT kAfterConnected = 3000;
const int kIconSize = 32;
const int kHighestRasState = 600;

}  // namespace

CDialUpDlg::CDialUpDlg(IDialUpDialogOwner& owner, std::function<void()> hangUp)
    : Dialog(IDD_DIAL_STATUS),
      owner_(owner),
      hangUp_(std::move(hangUp)),
      animator_({kLeftFrameTimer, kRightFrameTimer, kConnectedTimer},
                [this](int left, int right) {
                  ShowIcons(leftFrames_[left].Get(), rightFrames_[right].Get());
                },
                [this](int pair) { ShowIcons(connected_[pair][0].Get(), connected_[pair][1].Get()); }) {}

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
  animator_.ShowFrames();
  return true;
}

void CDialUpDlg::ShowIcons(HICON left, HICON right) {
  SendItem(IDC_DIALUP_ICON_LEFT, STM_SETICON, reinterpret_cast<WPARAM>(left));
  SendItem(IDC_DIALUP_ICON_RIGHT, STM_SETICON, reinterpret_cast<WPARAM>(right));
}

void CDialUpDlg::SetTitle(const char* prefix) {
  if (Handle() != nullptr) SetWindowTextA(Handle(), (prefix + connectionName_).c_str());
}

void CDialUpDlg::SetProviderAndName(int providerKind, const std::string& connectionName) {
  providerKind_ = providerKind;
  connectionName_ = connectionName;
}

void CDialUpDlg::ShowStatus(int status, const std::string& text) {
  if (Handle() == nullptr) return;
  if (!text.empty()) SetItemText(IDC_DIALUP_STATUS, text);
  if (status == kDialStatusDialing) {
    animator_.StartDialing(Handle());
    SetTitle("Dialing to ");
  } else if (status >= 1 && status <= kHighestRasState) {
    // A RAS state changes only the status line.
  } else if (status == kDialStatusConnected) {
    animator_.StartConnected(Handle());
    SetTitle("Connected to ");
  } else {
    // A drop during the connected animation must not close the dialog as if connected.
    animator_.StopAll(Handle());
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
  animator_.StopAll(Handle());
  // The engine hears of it first; the modeless window then really goes.
  owner_.OnDialUpDialogClosed(result);
  End(result);
}

void CDialUpDlg::Close() { EndWith(IDOK); }

void CDialUpDlg::OnTimer(UINT_PTR id) {
  if (animator_.OnTimer(Handle(), id) != DialAnimator::Tick::ConnectedEnded) return;
  timescale::Sleep(kAfterConnected);
  Close();
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
      animator_.StopDialing(Handle());
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
