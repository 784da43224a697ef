// CJunoDriver: connects Juno (provider kind 6) by driving the Juno program.
// It starts Juno, presses "&World Wide Web" in its welcome window once the
// saved password is known to be there, watches the web view until the dial
// is over and then looks for "Disc&onnect". The steps run as a chain of
// timers on the driver's own hidden window and the outcome goes to the dial
// engine as WM_DRIVERNOTIFY (DN_CONNECTED, DN_FAILED, DN_NOPASSWORD). It
// also leaves the web, closes Juno (answering its exit confirmation), and
// before a tune-up switches off Juno's own confirmations in every Juno
// user's juno.ini.
//
// Owned by the Juno dial path of the engine; everything runs on the
// user-interface thread except the launch worker, which only starts Juno.
#pragma once

#include <windows.h>

#include "dialing/drivers/DriverWindow.h"

class CJunoDriver : public CDriverWindow {
 public:
  // Whether a Juno main window exists.
  static bool IsRunning();

  // Starts Juno and the timer chain that reports to `engine`; counts an attempt.
  void Connect(HWND engine);
  // The engine's notice in tune-up mode that the connection is up: the two
  // toolbar clicks, then Juno is minimised.
  void Connected();
  // Abandons the dial: the chain's timers stop.
  void Stop();
  // Leaves the web of a live connection ("Disc&onnect", a few tries).
  void Disconnect();
  // Closes Juno, answering "Confirm Exit"; goes on by itself for a few seconds.
  void Close();

  // Connects since the last connection or cancelled redial.
  int Attempts() const { return attempts_; }
  void ClearAttempts() { attempts_ = 0; }

  // Writes "FALSE" to "Confirm Web Disconnect" and "Confirm Exit" in section
  // "Options" of juno.ini in each Juno user folder (the folders whose name
  // contains "USER0" beside Juno's program folder). 0, or the status of a
  // Juno path that cannot be read or has no program folder.
  static int Prepare();

 protected:
  void OnDriverTimer(UINT_PTR id) override;

 private:
  void OnMainWindowTick();
  void OnWelcomeTick();
  void OnDialWatchTick();
  void DialIsOver();
  void OnOutcomeTick();
  void OnErrorWindowTick();
  void OnFailedTick();
  void RunClosingStep();
  void OnDisconnectTick();
  // Sends the engine a notice; the chain is over.
  void Notify(WPARAM code);

  HWND engine_ = nullptr;
  int attempts_ = 0;
  // The dial watch: "Cance&l" seen in this dial, and its ticks without it.
  bool dialSeen_ = false;
  int dialWatchMisses_ = 0;
  int outcomeMisses_ = 0;
  int errorWindowMisses_ = 0;
  int disconnectTries_ = 0;
  int closingTicks_ = 0;
  bool closeRequested_ = false;
};
