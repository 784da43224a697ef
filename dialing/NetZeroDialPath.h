// CNetZeroDialPath: how the dial engine connects NetZero (provider kind 5)
// through the NetZero driver. A dial sets jpeg.dll aside and has the driver
// launch the dialer and click Connect; the driver's workers report the
// connection, a failure, or an error dialog they dismissed, after which the
// engine hands the step back to the driver a second later. A restart (the
// next test of a tune-up) first waits on timer 67 until the dialer's window
// of the last connection has gone.
//
// The retries after error dialogs count against the NetZero "Redial" value,
// and the wait for the old window is bounded, so every dial ends.
#pragma once

#include <windows.h>

#include <string>

#include "dialing/ClientDialPathSeam.h"
#include "dialing/drivers/NetZeroDriver.h"

class CNetZeroDialPath : public IClientDialPath {
 public:
  explicit CNetZeroDialPath(IDialEngineServices& engine) : engine_(engine) {}

  int Dial(bool restart) override;
  int Disconnect(const std::string& statusText, bool closeClient) override;
  bool OnTimer(UINT_PTR id) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnRestartTimer();
  void OnStep(int step);
  // The NetZero failure: the status line, then the end of the dial.
  void Fail(int status);

  IDialEngineServices& engine_;
  CNetZeroDriver driver_;
  int restartTicks_ = 0;
  bool restartArmed_ = false;
  int retries_ = 0;
};
