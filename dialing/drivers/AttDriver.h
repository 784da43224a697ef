// CAttDriver: connects AT&T WorldNet (provider kind 9) by driving the AT&T
// WorldNet dialer. Its launch worker switches off the dialer's browser launch
// and disconnect prompt and starts the dialer; then timers on the driver's
// own hidden window press "&Login" in the logon window, watch the connect
// window and decide by the "Connected to ..." window whether the dial
// worked, which the dial engine hears as WM_DRIVERNOTIFY (DN_CONNECTED or
// DN_FAILED). Once connected it closes the welcome window the dialer opens;
// it also hangs up ("Dis&connect") and closes the dialer's windows.
//
// Owned by the AT&T WorldNet dial path of the engine; everything runs on the
// user-interface thread except the launch worker.
#pragma once

#include <windows.h>

#include <string>

#include "dialing/drivers/DriverWindow.h"

class CAttDriver : public CDriverWindow {
 public:
  // Writes the dialer settings, starts the dialer and the logon watch that
  // reports to `engine`.
  void Connect(HWND engine);
  // Stops the logon and connect watches.
  void StopLogonWatch();
  // Closes the welcome window once it shows (a few seconds at most).
  void StartWelcomeWatch();
  // Presses "Dis&connect" in the connected window, now or in the next seconds.
  void Disconnect();
  // Asks the connect and logon windows to close.
  void Close();

  // Attempts since the last connection or cancelled redial: each press of
  // "&Login", and each attempt that ended before it could be pressed.
  int Attempts() const { return attempts_; }
  void ClearAttempts() { attempts_ = 0; }

  // A title of the connected window: longer than, and beginning with, "Connected to ".
  static bool IsConnectedTitle(const std::string& title);
  // A title of the welcome window (case ignored).
  static bool IsWelcomeTitle(const std::string& title);

 protected:
  void OnDriverTimer(UINT_PTR id) override;
  // The launch worker's failure (WM_DRIVERNOTIFY with DN_FAILED).
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  void OnLogonTick();
  void OnConnectWatchTick();
  void DecideOutcome();
  void OnWelcomeTick();
  void OnDisconnectTick();
  // One try; true when the tries are over (pressed, or the last one made).
  bool TryDisconnect();
  // An attempt ended without a press of "&Login": it counts all the same.
  // `text` is the launch failure's text, or 0.
  void ReportFailureBeforeLogin(LPARAM text = 0);

  HWND engine_ = nullptr;
  int attempts_ = 0;
  int logonTries_ = 0;
  // The connect watch: its ticks (-1 once the window was seen) and whether it was seen.
  int connectTicks_ = 0;
  bool connectWindowSeen_ = false;
  int welcomeChecks_ = 0;
  int disconnectTries_ = 0;
};
