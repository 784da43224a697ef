// The tune-up error dialog's countdown.
#include "engine/TuneUpErrorDlg.h"

#include <string>

#include "framework/TimeScale.h"
#include "res/TuneUpDialogIds.h"

namespace {

constexpr UINT_PTR kCountdownTimer = 66;
constexpr UINT kTickMs = 1000;
constexpr int kCountdownStart = 10;

}  // namespace

CTuneUpErrorDlg::CTuneUpErrorDlg(const CountdownTexts& texts)
    : Dialog(IDD_TUNEUP_ERROR), texts_(texts), remaining_(kCountdownStart) {}

bool CTuneUpErrorDlg::OnInitDialog() {
  SetWindowTextA(Handle(), texts_.caption.c_str());
  SetItemText(IDC_ERROR_HEADING, texts_.heading);
  SetItemText(IDC_ERROR_MESSAGE, texts_.message);
  ArrangeLayout();
  remaining_ = kCountdownStart;
  ShowRemaining();
  SetTimer(Handle(), kCountdownTimer, timescale::Scaled(kTickMs), nullptr);
  return true;
}

void CTuneUpErrorDlg::ArrangeLayout() {
  bool beside = texts_.layout == CountdownLayout::BesideSeconds;
  ShowItem(IDC_COUNTDOWN_LABEL, !beside);
  ShowItem(IDC_COUNTDOWN_LABEL_BESIDE, beside);
  SetItemText(beside ? IDC_COUNTDOWN_LABEL_BESIDE : IDC_COUNTDOWN_LABEL, texts_.label);
  if (beside) {
    MoveWindow(Item(IDC_COUNTDOWN_SECONDS), 100, 91, 14, 20, TRUE);
    MoveWindow(Item(IDC_COUNTDOWN_SEC), 114, 91, 20, 20, TRUE);
  }
}

void CTuneUpErrorDlg::ShowRemaining() {
  SetItemText(IDC_COUNTDOWN_SECONDS, std::to_string(remaining_));
}

void CTuneUpErrorDlg::OnTimer(UINT_PTR id) {
  if (id != kCountdownTimer || IsChecked(IDC_PAUSE_TUNEUP)) return;
  if (remaining_ - 1 < 1) {
    Finish(kCountdownResume);
    return;
  }
  --remaining_;
  ShowRemaining();
}

bool CTuneUpErrorDlg::OnCommand(int id, int /*notifyCode*/, HWND /*control*/) {
  // Cancel and Escape stop; the hidden OK (Enter) does nothing, so a key
  // pressed by chance never resumes a test early.
  if (id == IDCANCEL) {
    Finish(kCountdownStop);
    return true;
  }
  return id == IDOK;
}

void CTuneUpErrorDlg::Finish(int result) {
  KillTimer(Handle(), kCountdownTimer);
  remaining_ = kCountdownStart;
  End(result);
}

int RunCountdownDialog(HWND owner, const CountdownTexts& texts) {
  CTuneUpErrorDlg dialog(texts);
  INT_PTR result = dialog.DoModal(owner);
  return result == kCountdownResume ? kCountdownResume : kCountdownStop;
}
