// CAolDriver: the operations on the America Online / CompuServe 2000
// client's windows. Both providers run the same client program with the same
// windows; the dial engine's AOL path decides when to call each operation
// from its timers and from Disconnect. The driver keeps only whether the
// sign-on window has been seen.
#pragma once

#include <windows.h>

#include <string>

class CAolDriver {
 public:
  // Starts the configured provider's client with "-n<screen name> -u""":
  // 0, or 55 after telling the user that the client could not be opened.
  int Launch();

  // The client's main frame ("AOL Frame25"), or null.
  HWND FindMainFrame() const;
  // The frame's "MDIClient"; while the frame exists without it, tried again
  // every 500 ms, 20 tries at most. Null when either is missing.
  HWND FindClientArea() const;
  void MinimiseClient() const;
  // Hides the frame and sends it WM_CLOSE.
  void CloseClient() const;

  // 59 when there is no sign-on window ("_AOL_Modal"), 58 when it is hidden,
  // 57 when it is up (and remembered as seen).
  int PollSignOnWindow();
  bool SignOnWindowSeen() const { return signOnSeen_; }

  // Sends the sign-on window's first visible "Step" text to the engine as
  // DN_STEPTEXT; the walk ends at the first hidden child.
  void ForwardStepText(HWND engine) const;
  // True when the client area holds an "AOL Child" titled exactly
  // "Welcome, " + screen name + "!".
  bool HasWelcomeWindow(HWND clientArea, const std::string& screenName) const;
  // Posts WM_AOLWELCOME to the engine when a window of the client area has a
  // text beginning with "Welcome,".
  void LookForWelcome(HWND engine) const;

 private:
  bool signOnSeen_ = false;
};
