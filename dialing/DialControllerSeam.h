// IDialController: what the dial engine needs of its owner, the tune-up
// controller: the outcomes of a tune-up dial, and the views it shows
// progress in. The engine calls the outcome operations only in tune-up mode.
#pragma once

#include <windows.h>

class IDialView;

class IDialController {
 public:
  virtual ~IDialController() = default;
  // The connection for the current step is up.
  virtual void Connected() = 0;
  // Connecting failed with a status code.
  virtual void DialFailed(int status) = 0;
  // The user gave up a client program's dial (44).
  virtual void StepFailed(int status) = 0;
  // The user abandoned dialing (a cancelled redial).
  virtual void Stop() = 0;
  // The dial view while it fills the right pane, else null.
  virtual IDialView* DialView() = 0;
  // Repaints the main window.
  virtual void RepaintMainWindow() = 0;
  // Hides the main window when it is visible (a tray dial).
  virtual void HideMainWindow() = 0;
  // Owner of the engine's boxes and its countdown dialog; may be null.
  virtual HWND OwnerWindow() const = 0;
};
