// The progress view.
#include "engine/views/ProgressView.h"

#include <commctrl.h>

#include <string>

#include "engine/WorkerMessages.h"
#include "framework/TimeScale.h"
#include "res/resource.h"

namespace {

const char kTitle[] = "Tune-Up In Progress";
const UINT kSecond = 1000;
const UINT kTitleOff = 200;

}  // namespace

CProgressView::CProgressView() : FormView(IDD_PROGRESS_VIEW) {}

bool CProgressView::OnInitDialog() {
  SetBackgroundColour(RGB(255, 255, 255));
  titleFont_.Reset(CreateFontA(36, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_ROMAN,
                               "Times New Roman"));
  SendItem(IDC_PROGRESS_TITLE, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.Get()), FALSE);
  return true;
}

HBRUSH CProgressView::OnStaticColour(HDC dc, HWND control) {
  if (GetDlgCtrlID(control) == IDC_PROGRESS_TITLE) SetTextColor(dc, RGB(255, 0, 0));
  return FormView::OnStaticColour(dc, control);
}

void CProgressView::SetPhaseRange(int upper) {
  SendItem(IDC_PHASE_PROGRESS, PBM_SETPOS, 0);
  SendItem(IDC_PHASE_PROGRESS, PBM_SETRANGE32, 0, upper);
  SendItem(IDC_PHASE_PROGRESS, PBM_SETSTEP, 1);
}

void CProgressView::Prepare(int total, int remaining) {
  const int done = total - remaining;
  SetItemText(IDC_TESTS_TEXT, std::to_string(done) + " of " + std::to_string(total) + " tests completed:");
  ShowItem(IDC_TESTS_PROGRESS, true);
  ShowItem(IDC_TESTS_TEXT, true);
  SendItem(IDC_TESTS_PROGRESS, PBM_SETRANGE32, 0, total);
  SendItem(IDC_TESTS_PROGRESS, PBM_SETPOS, done);
}

bool CProgressView::OnWorkerMessage(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_COLLECT_PASS:
      SetItemText(IDC_PHASE_TEXT, "Downloading data to be tested:");
      if (!imageChecked_) SetTimer(Handle(), kDotsTimer, timescale::Scaled(kSecond), nullptr);
      SetTimer(Handle(), kBlinkTimer, timescale::Scaled(kSecond), nullptr);
      return true;
    case WM_IMAGES_FOUND:
      ShowItem(IDC_TESTS_PROGRESS, false);
      ShowItem(IDC_TESTS_TEXT, false);
      SetPhaseRange(static_cast<int>(wParam));
      SetItemText(IDC_PHASE_TEXT, "Testing validity of the downloaded data:");
      return true;
    case WM_IMAGE_CHECKED:
      imageChecked_ = true;
      KillTimer(Handle(), kDotsTimer);
      SendItem(IDC_PHASE_PROGRESS, PBM_STEPIT);
      return true;
    case WM_TIMED_FETCHES:
      SetTimer(Handle(), kBlinkTimer, timescale::Scaled(kSecond), nullptr);
      SetItemText(IDC_PHASE_TEXT, "Performing modem speed test:");
      SetPhaseRange(static_cast<int>(wParam));
      return true;
    case WM_TIMED_FETCH_DONE:
      SendItem(IDC_PHASE_PROGRESS, PBM_STEPIT);
      return true;
    default:
      return false;
  }
}

void CProgressView::OnTimer(UINT_PTR id) {
  if (id == kDotsTimer) {
    SetItemText(IDC_PHASE_TEXT, ItemText(IDC_PHASE_TEXT) + ".");
  } else if (id == kBlinkTimer) {
    SetItemText(IDC_PROGRESS_TITLE, "");
    SetTimer(Handle(), kTitleBackTimer, timescale::Scaled(kTitleOff), nullptr);
  } else if (id == kTitleBackTimer) {
    SetItemText(IDC_PROGRESS_TITLE, kTitle);
    KillTimer(Handle(), kTitleBackTimer);
  }
}

void CProgressView::OnDestroy() {
  KillTimer(Handle(), kDotsTimer);
  KillTimer(Handle(), kBlinkTimer);
  KillTimer(Handle(), kTitleBackTimer);
}

INT_PTR CProgressView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  if (OnWorkerMessage(message, wParam)) {
    SetWindowLongPtrA(Handle(), DWLP_MSGRESULT, 1);
    handled = true;
    return TRUE;
  }
  return FormView::OnMessage(message, wParam, lParam, handled);
}
