// CDialHiddenDlg: the dial engine, the one object that brings the user's
// Internet connection up and down. An invisible modeless dialog owned by the
// tune-up controller: its window only receives timers and private messages.
// It dials the dial-up kinds (1, 4, 7, 8) through RAS or, with the
// "InternetDial" option, through WinINet's Internet dial and the Windows
// dial-up dialog; the client-program kinds go through their client dial
// paths. Two modes: tune-up mode (progress in the dial view, outcomes to the
// controller) and tray mode (progress in the dial status dialog; the tuned
// values are in the registry only while dialing, the user's are put back
// once the connection is up, after a failure and after hang-up).
//
// Every wait and timer interval goes through the time-scale seam; the fixed
// waits block the user-interface thread, timers do not fire during them.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <set>
#include <string>

#include "dialing/ClientDialPathSeam.h"
#include "dialing/DialControllerSeam.h"
#include "dialing/DialEngineSeam.h"
#include "dialing/DialUpDialogSeam.h"
#include "dialing/DialViewSeam.h"
#include "dialing/InternetDialer.h"
#include "dialing/RasConnection.h"
#include "engine/CountdownDialog.h"
#include "framework/Dialog.h"
#include "settings/DialUpProfile.h"
#include "settings/SettingsStore.h"

class CDialHiddenDlg : public Dialog,
                       public IDialEngine,
                       public IDialViewSource,
                       public IDialUpDialogOwner,
                       public IDialEngineServices {
 public:
  // Either factory may be null: no tray dialog, no client-program kinds.
  CDialHiddenDlg(IDialController& controller, IDialUpDialogFactory* dialUpDialogs,
                 IClientDialPathFactory* clientPaths,
                 CountdownRunner countdown = RunCountdownDialog);
  ~CDialHiddenDlg() override;

  // Creates the hidden window; false when it cannot be made.
  bool Create();

  // --- IDialEngine ---------------------------------------------------------------
  int Dial(int providerKind, const std::string& connectionName, bool restart) override;
  int Disconnect(const std::string& statusText, bool closeClient) override;
  int TrayDial(int providerKind, const std::string& connectionName) override;
  int TrayHangUp() override;
  bool IsDialing() const override { return dialing_; }
  bool IsConnected() const override { return connected_; }
  bool IsTrayMode() const override { return trayMode_; }

  // --- IDialViewSource -----------------------------------------------------------
  std::string ConnectionName() const override { return connectionName_; }
  void OnConnectedAnimationEnded() override;

  // --- IDialUpDialogOwner --------------------------------------------------------
  void OnDialUpDialogClosed(int result) override;

  // --- IDialEngineServices (for the client dial paths) ----------------------------
  HWND Window() const override { return Handle(); }
  int ProviderKind() const override { return providerKind_; }
  std::string RequestedName() const override { return trayMode_ ? trayName_ : std::string(); }
  void SetDialing(bool dialing) override { dialing_ = dialing; }
  void SetConnected(bool connected) override { connected_ = connected; }
  void ArmTimer(UINT_PTR id, UINT milliseconds) override;
  void StopTimer(UINT_PTR id) override;
  bool IsTimerArmed(UINT_PTR id) const override { return armedTimers_.count(id) != 0; }
  void Wait(UINT milliseconds) override;
  void ShowStatus(int status, const std::string& text) override;
  void SetCaption(const std::string& text) override;
  void StartDialingAnimationOnce() override;
  void StartConnectedAnimation() override;
  void RepaintMainWindow() override { controller_.RepaintMainWindow(); }
  void EnableDialUpDialog(bool dialEnabled) override;
  void LeaveTrayMode() override { trayMode_ = false; }
  void RunConnected() override;
  int RunCountdown(const std::string& caption, const std::string& heading,
                   const std::string& message, const std::string& label) override;
  int DialAgain(bool restart) override;
  void EndWithFailure(int status) override;
  void NotifyDialFailed(int status) override;
  void NotifyStepFailed(int status) override;
  void NotifyConnected() override;
  void NotifyStop() override;
  int ApplyBest() override;
  int RestoreAll() override;
  int RedialLimit() const override;

  // The dial status dialog of tray mode, or null.
  IDialUpDialog* DialUpDialog() const { return dialUpDialog_.get(); }
  // Failed Internet dials counted since the last connection or Cancel.
  int InternetDialAttempts() const { return internetAttempts_; }
  // The title of the Windows dial dialog the last Internet dial found.
  const std::string& DialDialogTitle() const { return dialogTitle_; }

 protected:
  bool OnInitDialog() override;
  // The window is never shown: OK and Cancel must not end it.
  bool OnCommand(int id, int notifyCode, HWND control) override;
  void OnTimer(UINT_PTR id) override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  // --- Dial (DialHiddenDlg.cpp) -----------------------------------------------------
  int ReadTuneUpKind();
  int DialDialUpKind(const std::string& givenName);
  int DialClientKind(bool restart);
  // A dial that could not begin: flags cleared, the text shown; tray mode
  // is left with the dialog enabled and the user's values back.
  int RefuseDial(int status, const std::string& text);
  void ShowDialingStatus();
  IClientDialPath* PathFor(int kind);
  bool IsDialUpKind() const;
  void ClearFlags();
  void ForgetClosedDialog();

  // --- RAS (DialHiddenRas.cpp) ----------------------------------------------------------
  int DialRas();
  void OnRasDialEvent(int state, DWORD error);
  void RasFailure(DWORD error, const std::string& text);
  void RedialRas();
  int DisconnectRas(const std::string& text);
  // Hangs up and drops the states RAS posted before the port closed.
  int HangUpRas();
  std::string RasErrorMessage(DWORD error) const;

  // --- Internet dial (DialHiddenInternetDial.cpp) ----------------------------------------
  int StartInternetDial();
  void OnDialDialogTimer();
  void OnDialProgressTimer();
  void OnCancelProgressTimer();
  void OnCancelDialDialogTimer();
  void OnInternetDialResult(int status, DWORD_PTR connection);
  void OnDialWindowIdle();
  void InternetDialFailure();
  int DisconnectInternetDial();
  // Cancels the Windows dial dialogs of a dial still under way and waits
  // (bounded) until its worker has reported.
  void CancelDialDialogsNow();
  std::string ProgressWindowTitle() const;
  std::string LoginWindowTitle() const;
  void WipeCredentials();

  IDialController& controller_;
  IDialUpDialogFactory* dialUpDialogs_;
  IClientDialPathFactory* clientPaths_;
  CountdownRunner countdown_;
  CSettingsStore settings_;
  CDialUpProfile profile_;
  std::unique_ptr<CRasConnection> ras_;
  CInternetDialer internetDialer_;
  std::unique_ptr<IDialUpDialog> dialUpDialog_;
  // A dialog that has closed, destroyed at the next safe moment.
  std::unique_ptr<IDialUpDialog> closedDialog_;
  int dialUpDialogResult_ = 0;
  std::map<int, std::unique_ptr<IClientDialPath>> paths_;

  std::string connectionName_;
  // The name given to the last tray dial.
  std::string trayName_;
  int providerKind_ = 0;
  int osKind_ = 0;
  bool trayMode_ = false;
  bool dialing_ = false;
  bool connected_ = false;
  bool animationStarted_ = false;
  bool useInternetDial_ = false;
  DWORD_PTR inetConnection_ = 0;
  std::string userName_;
  std::string password_;
  std::string dialogTitle_;
  std::set<UINT_PTR> armedTimers_;

  // Internet dial: the dialog of the current dial was found; ticks of the
  // bounded polls; failures counted by the engine; dials whose worker has
  // not reported yet.
  bool dialDialogSeen_ = false;
  int dialDialogTicks_ = 0;
  int cancelDialogTicks_ = 0;
  int internetAttempts_ = 0;
  int pendingInternetDials_ = 0;
  DWORD progressWatchStart_ = 0;
  bool cancellingDials_ = false;

  // Changes with every Dial and Disconnect: a countdown that ran while the
  // connection was dialled or dropped by someone else does not redial.
  unsigned dialSerial_ = 0;
};
