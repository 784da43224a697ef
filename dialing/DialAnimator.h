// The animation of a dial window's two pictures, shared by the dial view and
// the dial status dialog: each picture's dialing frames advance on a timer
// of its own, the second started half a second after the first so the two
// never move together; the connected pairs then take turns on a third timer
// until the process-wide connected count (DialAnimation.h) says the
// animation is over. The window owns the timers; it passes them on here.
#pragma once

#include <windows.h>

#include <functional>

#include "dialing/DialAnimation.h"

class DialAnimator {
 public:
  struct TimerIds {
    UINT_PTR left;
    UINT_PTR right;
    UINT_PTR connected;
  };
  enum class Tick { NotOurs, Shown, ConnectedEnded };

  // `showFrames(left, right)` shows the dialing frames with these indices;
  // `showConnected(pair)` shows connected pair 0 or 1 in both pictures.
  DialAnimator(TimerIds ids, std::function<void(int, int)> showFrames,
               std::function<void(int)> showConnected);

  // Back to the first frames, shown.
  void RestartFrames();
  void ShowFrames() const;
  // Arms the left timer, waits half a second (blocking), arms the right one.
  void StartDialing(HWND window) const;
  void StopDialing(HWND window) const;
  // Stops the dialing frames and starts the connected turns and count afresh.
  void StartConnected(HWND window);
  void StopAll(HWND window) const;
  // A timer of the window: the next frame or pair. ConnectedEnded when the
  // connected animation has just ended (its timer is stopped).
  Tick OnTimer(HWND window, UINT_PTR id);

  int LeftFrame() const { return leftFrame_; }
  int RightFrame() const { return rightFrame_; }
  int ConnectedTicksShown() const { return connectedShown_; }

 private:
  TimerIds ids_;
  std::function<void(int, int)> showFrames_;
  std::function<void(int)> showConnected_;
  int leftFrame_ = 0;
  int rightFrame_ = 0;
  int connectedShown_ = 0;
};
