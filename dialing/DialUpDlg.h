// CDialUpDlg: the small window of the tray dialer's dials. Its title names
// the connection, a status line and two animated icons show progress, and
// "&Dial" and "&Hang Up" call back into the engine and the tray dialer. It
// closes itself a few seconds after a connection is made, telling the engine
// before its window goes.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "dialing/DialAnimation.h"
#include "dialing/DialAnimator.h"
#include "dialing/DialUpDialogSeam.h"
#include "framework/Dialog.h"
#include "framework/GdiObjects.h"

class CDialUpDlg : public Dialog, public IDialUpDialog {
 public:
  static constexpr UINT_PTR kLeftFrameTimer = 55;
  static constexpr UINT_PTR kRightFrameTimer = 56;
  static constexpr UINT_PTR kConnectedTimer = 57;

  // `hangUp` is the tray dialer's hang-up, run by "&Hang Up".
  CDialUpDlg(IDialUpDialogOwner& owner, std::function<void()> hangUp);

  // Creates the window, shows it and brings it to the foreground.
  bool CreateAndShow();

  // IDialUpDialog
  void SetProviderAndName(int providerKind, const std::string& connectionName) override;
  void ShowStatus(int status, const std::string& text) override;
  void Enable(bool dialEnabled) override;

  // Tells the engine, then ends the dialog with OK.
  void Close();
  int LeftFrame() const { return animator_.LeftFrame(); }
  int RightFrame() const { return animator_.RightFrame(); }
  // Connected pictures shown since the last connected animation began.
  int ConnectedTicksShown() const { return animator_.ConnectedTicksShown(); }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int notifyCode, HWND control) override;
  void OnTimer(UINT_PTR id) override;

 private:
  void ShowIcons(HICON left, HICON right);
  void SetTitle(const char* prefix);
  void EndWith(int result);

  IDialUpDialogOwner& owner_;
  std::function<void()> hangUp_;
  int providerKind_ = 0;
  std::string connectionName_;
  OwnedIcon leftFrames_[dialanimation::kFrameCount];
  OwnedIcon rightFrames_[dialanimation::kFrameCount];
  OwnedIcon connected_[2][2];
  OwnedIcon disconnected_[2];
  DialAnimator animator_;
};

// Makes the dialogs for the dial engine.
class CDialUpDlgFactory : public IDialUpDialogFactory {
 public:
  explicit CDialUpDlgFactory(std::function<void()> hangUp = nullptr) : hangUp_(std::move(hangUp)) {}
  void SetHangUp(std::function<void()> hangUp) { hangUp_ = std::move(hangUp); }
  std::unique_ptr<IDialUpDialog> Create(IDialUpDialogOwner& owner) override;

 private:
  std::function<void()> hangUp_;
};
