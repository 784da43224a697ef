// CAolDialPath: how the dial engine connects America Online and CompuServe
// 2000 (provider kinds 2 and 3) through their shared client program. The
// engine's timers drive the sign-on: 62 launches the client, 61 waits for its
// main frame, 64 waits for the sign-on window and forwards its step texts
// while it is up, 65 waits for the welcome window and finally tests the
// Internet connection itself. In tray mode the tuned MTU goes into the AOL
// client's own places for the connection and the user's come back at hang-up
// or failure.
//
// Failures the client never reports are bounded: 20 s for the frame, 120
// polls for the sign-on window, and the redials after a failed Internet test
// count against the AOL "Redial" value.
#pragma once

#include <windows.h>

#include <string>

#include "dialing/ClientDialPathSeam.h"
#include "dialing/drivers/AolDriver.h"

class CAolDialPath : public IClientDialPath {
 public:
  explicit CAolDialPath(IDialEngineServices& engine) : engine_(engine) {}

  int Dial(bool restart) override;
  int Disconnect(const std::string& statusText, bool closeClient) override;
  bool OnTimer(UINT_PTR id) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  // Redials after a failed Internet test since the last connection.
  int Redials() const { return redials_; }

 private:
  void OnLaunchTimer();
  void OnMainFrameTimer();
  void OnSignOnTimer();
  void WatchSignOn();
  void AfterSignOn();
  void OnWelcomeTimer();
  void OnStepText(const char* text);
  void Connected();
  void InternetTestFailed();
  // The redial limit of America Online and CompuServe 2000, 10 when unset.
  int RedialLimit() const;
  // Writes the best MTU for a tray dial and keeps the chosen screen name.
  void PrepareTrayDial();
  // Puts the best MTU into the client's own places once connected (tray).
  void ApplyBestWhileConnected();
  void StopTimers();
  // Ends the attempt: the controller hears of it in tune-up mode; a tray
  // dial ends with the user's values back.
  void Fail(int status, bool stepFailed);

  IDialEngineServices& engine_;
  CAolDriver driver_;
  int frameTicks_ = 0;
  int signOnTicks_ = 0;
  int welcomeTicks_ = 0;
  bool monitoring_ = false;
  bool welcomeSeen_ = false;
  int redials_ = 0;
  // Changes with every Dial and Disconnect: a countdown that outlived its
  // attempt does nothing.
  unsigned serial_ = 0;
};
