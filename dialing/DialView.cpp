// The dial view.
#include "dialing/DialView.h"

#include "framework/TimeScale.h"
#include "framework/TransparentDraw.h"
#include "res/resource.h"
#include "settings/SettingsStore.h"

namespace {

const UINT kAfterConnected = 3000;
const UINT kWorldNetWait = 5000;
const UINT kWorldNetWaitNt4 = 10000;
const int kWorldNetKind = 9;
const POINT kLeftPicture = {65, 70};
const POINT kRightPicture = {237, 70};
const POINT kLinePicture = {65, 139};
const int kPictureSize = 64;

}  // namespace

CDialView::CDialView()
    : FormView(IDD_DIAL_VIEW),
      animator_({kLeftFrameTimer, kRightFrameTimer, kConnectedTimer},
                [this](int left, int right) {
                  ShowPictures(leftFrames_[left].Get(), rightFrames_[right].Get());
                },
                [this](int pair) { ShowPictures(connected_[pair][0].Get(), connected_[pair][1].Get()); }) {
  for (int i = 0; i < dialanimation::kFrameCount; ++i) {
    leftFrames_[i].Reset(LoadResourceBitmap(IDB_DIAL_LEFT_FIRST + i));
    rightFrames_[i].Reset(LoadResourceBitmap(IDB_DIAL_RIGHT_FIRST + i));
  }
  connected_[0][0].Reset(LoadResourceBitmap(IDB_DIAL_CONNECTED1_LEFT));
  connected_[0][1].Reset(LoadResourceBitmap(IDB_DIAL_CONNECTED1_RIGHT));
  connected_[1][0].Reset(LoadResourceBitmap(IDB_DIAL_CONNECTED2_LEFT));
  connected_[1][1].Reset(LoadResourceBitmap(IDB_DIAL_CONNECTED2_RIGHT));
  hungUp_[0].Reset(LoadResourceBitmap(IDB_DIAL_HUNG_UP_LEFT));
  hungUp_[1].Reset(LoadResourceBitmap(IDB_DIAL_HUNG_UP_RIGHT));
  line_.Reset(LoadResourceBitmap(IDB_DIAL_LINE));
  captionFont_.Reset(CreateFontA(23, 0, 0, 0, 700, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_ROMAN,
                                 "Times New Roman"));
}

bool CDialView::OnInitDialog() {
  SetBackgroundColour(RGB(255, 255, 255));
  // The pictures sit where the line picture's cords meet them.
  MoveWindow(Item(IDC_DIAL_PICTURE_LEFT), kLeftPicture.x, kLeftPicture.y, kPictureSize, kPictureSize, FALSE);
  MoveWindow(Item(IDC_DIAL_PICTURE_RIGHT), kRightPicture.x, kRightPicture.y, kPictureSize, kPictureSize,
             FALSE);
  animator_.ShowFrames();
  return true;
}

void CDialView::ShowPictures(HBITMAP left, HBITMAP right) {
  SendItem(IDC_DIAL_PICTURE_LEFT, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(left));
  SendItem(IDC_DIAL_PICTURE_RIGHT, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(right));
}

void CDialView::SetCaption(const std::string& text) {
  SendItem(IDC_DIAL_CAPTION, WM_SETFONT, reinterpret_cast<WPARAM>(captionFont_.Get()), FALSE);
  SetItemText(IDC_DIAL_CAPTION, text);
}

void CDialView::SetStatusText(const std::string& text) { SetItemText(IDC_DIAL_STATUS, text); }

void CDialView::ShowStatus(IDialViewSource& engine, int status, const std::string& text) {
  engine_ = &engine;
  if (!text.empty()) {
    SetStatusText(text);
    if (HWND line = Item(IDC_DIAL_STATUS)) UpdateWindow(line);
  }
  if (status == kDialStatusDialing) {
    SetCaption("Connecting to " + engine.ConnectionName());
    StartDialingAnimation();
  } else if (status == kDialStatusConnected) {
    StartConnectedAnimation();
  } else if (status == kDialStatusDisconnected) {
    // A line that drops during the connected animation must not be reported
    // connected afterwards: every animation stops, not only the dialing one.
    StopAnimations();
    ShowPictures(hungUp_[0].Get(), hungUp_[1].Get());
  }
  Repaint();
}

void CDialView::StartDialingAnimation() {
  if (Handle() == nullptr) return;
  animator_.RestartFrames();
  animator_.StartDialing(Handle());
}

void CDialView::StartConnectedAnimation() {
  if (Handle() != nullptr) animator_.StartConnected(Handle());
}

void CDialView::ShowHungUpPictures(const std::string& text) {
  if (text == "HangUp") ShowPictures(hungUp_[0].Get(), hungUp_[1].Get());
}

void CDialView::Repaint() {
  if (Handle() != nullptr) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CDialView::StopAnimations() {
  if (Handle() == nullptr) return;
  animator_.StopAll(Handle());
  KillTimer(Handle(), kWorldNetTimer);
}

void CDialView::OnConnectedAnimationEnd() {
  timescale::Sleep(kAfterConnected);
  int kind = 0;
  if (CSettingsStore().GetProviderKind(kind) == 0 && kind == kWorldNetKind) {
    const bool nt4 = CSettingsStore::DetectOsFamily() == kOsWindowsNT4;
    SetTimer(Handle(), kWorldNetTimer, timescale::Scaled(nt4 ? kWorldNetWaitNt4 : kWorldNetWait), nullptr);
    return;
  }
  TellConnected();
}

void CDialView::TellConnected() {
  if (engine_ != nullptr && !engine_->IsTrayMode()) engine_->OnConnectedAnimationEnded();
}

void CDialView::OnTimer(UINT_PTR id) {
  if (id == kWorldNetTimer) {
    KillTimer(Handle(), kWorldNetTimer);
    TellConnected();
    return;
  }
  if (animator_.OnTimer(Handle(), id) == DialAnimator::Tick::ConnectedEnded) OnConnectedAnimationEnd();
}

void CDialView::OnDestroy() { StopAnimations(); }

INT_PTR CDialView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  if (message == WM_PAINT) {
    PaintDC paint(Handle());
    DrawTransparentBitmap(paint.Get(), kLinePicture.x, kLinePicture.y, line_.Get(), RGB(255, 255, 255));
    handled = true;
    return TRUE;
  }
  return FormView::OnMessage(message, wParam, lParam, handled);
}
