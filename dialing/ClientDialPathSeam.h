// A client dial path: how the dial engine dials a provider through the
// provider's own client program (America Online and CompuServe 2000,
// NetZero, Juno, AT&T WorldNet). The engine creates one path per kind through
// a factory; a kind without a path cannot be dialled. The path works through
// the engine's services below and reports through them, never to the
// controller directly: the engine passes outcomes on only in tune-up mode.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

// The engine's services a client dial path may use.
class IDialEngineServices {
 public:
  virtual ~IDialEngineServices() = default;

  // The engine's hidden window: drivers post WM_DRIVERNOTIFY, WM_AOLWELCOME
  // and WM_NETZEROSTEP to it, and the path's timers run on it.
  virtual HWND Window() const = 0;
  virtual bool IsTrayMode() const = 0;
  virtual int ProviderKind() const = 0;
  virtual std::string ConnectionName() const = 0;
  // The name the tray dial was asked for (a screen name for America Online
  // and CompuServe 2000; empty for the provider's default); empty in tune-up
  // mode. Redials keep it.
  virtual std::string RequestedName() const = 0;

  virtual bool IsDialing() const = 0;
  virtual bool IsConnected() const = 0;
  virtual void SetDialing(bool dialing) = 0;
  virtual void SetConnected(bool connected) = 0;

  // Timers on the engine's window, scaled by the time-scale seam.
  virtual void ArmTimer(UINT_PTR id, UINT milliseconds) = 0;
  virtual void StopTimer(UINT_PTR id) = 0;
  virtual bool IsTimerArmed(UINT_PTR id) const = 0;
  // A blocking wait of the user-interface thread, scaled.
  virtual void Wait(UINT milliseconds) = 0;

  // A status line in the dial status dialog (tray mode) or the dial view.
  virtual void ShowStatus(int status, const std::string& text) = 0;
  // Caption line of the dial view (tune-up mode only).
  virtual void SetCaption(const std::string& text) = 0;
  // The dial view's dialing animation, at most once per dial.
  virtual void StartDialingAnimationOnce() = 0;
  virtual void StartConnectedAnimation() = 0;
  virtual void RepaintMainWindow() = 0;
  // Enables the tray's dial status dialog when it exists.
  virtual void EnableDialUpDialog(bool dialEnabled) = 0;
  // Leaves tray mode.
  virtual void LeaveTrayMode() = 0;

  // The engine's connected sequence (redial count reset, flags, status line,
  // animation; in tray mode the user's values are put back).
  virtual void RunConnected() = 0;
  // The countdown dialog in its engine layout: 1 when it ran out, 2 on Cancel.
  virtual int RunCountdown(const std::string& caption, const std::string& heading,
                           const std::string& message, const std::string& label) = 0;
  // Dials again with the kind in use (tune-up mode reads it from the settings).
  virtual int DialAgain(bool restart) = 0;
  // Tears down the connection as the engine's Disconnect does.
  virtual int Disconnect(const std::string& statusText, bool closeClient) = 0;
  // The engine's end of a failure: tune-up mode dial failed(status); tray
  // mode leaves tray mode, enables the dialog and puts the user's values back.
  virtual void EndWithFailure(int status) = 0;

  // Outcomes for the tune-up controller; ignored in tray mode.
  virtual void NotifyDialFailed(int status) = 0;
  virtual void NotifyStepFailed(int status) = 0;
  virtual void NotifyConnected() = 0;
  virtual void NotifyStop() = 0;

  // The settings the path needs around a tray dial.
  virtual int ApplyBest() = 0;
  virtual int RestoreAll() = 0;
  // The "Redial" limit of the provider's profile, 10 when unreadable.
  virtual int RedialLimit() const = 0;
};

class IClientDialPath {
 public:
  virtual ~IClientDialPath() = default;
  // Starts the kind's dial (the engine has set the connection name and the
  // dialing flag) and shows its "Dialing..." status when it has begun; 0 when
  // it has begun, else a status code already shown.
  virtual int Dial(bool restart) = 0;
  // The kind's part of Disconnect.
  virtual int Disconnect(const std::string& statusText, bool closeClient) = 0;
  // The kind's part of the connected sequence (a watch to start, a driver to tell).
  virtual void OnConnected() {}
  // A timer of the engine's window; false when the timer is not the path's.
  virtual bool OnTimer(UINT_PTR id) = 0;
  // A message of the engine's window (WM_DRIVERNOTIFY, WM_AOLWELCOME,
  // WM_NETZEROSTEP); false when not the path's.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

class IClientDialPathFactory {
 public:
  virtual ~IClientDialPathFactory() = default;
  // The path of a client-program kind (2, 3, 5, 6, 9); null when there is none.
  virtual std::unique_ptr<IClientDialPath> Create(int providerKind,
                                                  IDialEngineServices& engine) = 0;
};
