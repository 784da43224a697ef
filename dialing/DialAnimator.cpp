// The dial windows' animation (see DialAnimator.h).
#include "dialing/DialAnimator.h"

#include "framework/TimeScale.h"

namespace {

const UINT kFrameInterval = 500;
const UINT kConnectedInterval = 250;

}  // namespace

DialAnimator::DialAnimator(TimerIds ids, std::function<void(int, int)> showFrames,
                           std::function<void(int)> showConnected)
    : ids_(ids), showFrames_(std::move(showFrames)), showConnected_(std::move(showConnected)) {}

void DialAnimator::RestartFrames() {
  leftFrame_ = 0;
  rightFrame_ = 0;
  ShowFrames();
}

void DialAnimator::ShowFrames() const { showFrames_(leftFrame_, rightFrame_); }

void DialAnimator::StartDialing(HWND window) const {
  SetTimer(window, ids_.left, timescale::Scaled(kFrameInterval), nullptr);
  timescale::Sleep(kFrameInterval);
  SetTimer(window, ids_.right, timescale::Scaled(kFrameInterval), nullptr);
}

void DialAnimator::StopDialing(HWND window) const {
  KillTimer(window, ids_.left);
  KillTimer(window, ids_.right);
}

void DialAnimator::StartConnected(HWND window) {
  StopDialing(window);
  connectedShown_ = 0;
  dialanimation::RestartConnectedTicks();
  SetTimer(window, ids_.connected, timescale::Scaled(kConnectedInterval), nullptr);
}

void DialAnimator::StopAll(HWND window) const {
  StopDialing(window);
  KillTimer(window, ids_.connected);
}

DialAnimator::Tick DialAnimator::OnTimer(HWND window, UINT_PTR id) {
  if (id == ids_.left || id == ids_.right) {
    int& frame = id == ids_.left ? leftFrame_ : rightFrame_;
    frame = dialanimation::NextFrame(frame);
    ShowFrames();
    return Tick::Shown;
  }
  if (id != ids_.connected) return Tick::NotOurs;
  showConnected_(connectedShown_ % 2);
  ++connectedShown_;
  if (!dialanimation::CountConnectedTick()) return Tick::Shown;
  KillTimer(window, ids_.connected);
  return Tick::ConnectedEnded;
}
