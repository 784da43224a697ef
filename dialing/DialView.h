// CDialView: the right pane while the tune-up dials. A caption line, a status
// line and two animated pictures show what the dial engine does; when the
// connected animation and the wait after it end, the view tells the engine,
// which tells the tune-up controller (never in tray mode).
#pragma once

#include <windows.h>

#include <string>

#include "dialing/DialAnimation.h"
#include "dialing/DialAnimator.h"
#include "dialing/DialViewSeam.h"
#include "framework/FormView.h"
#include "framework/GdiObjects.h"

class CDialView : public FormView, public IDialView {
 public:
  static constexpr UINT_PTR kLeftFrameTimer = 50;
  static constexpr UINT_PTR kRightFrameTimer = 51;
  static constexpr UINT_PTR kConnectedTimer = 52;
  static constexpr UINT_PTR kWorldNetTimer = 81;

  CDialView();

  // IDialView
  void SetCaption(const std::string& text) override;
  void ShowStatus(IDialViewSource& engine, int status, const std::string& text) override;
  void SetStatusText(const std::string& text) override;
  void StartDialingAnimation() override;
  void StartConnectedAnimation() override;
  void ShowHungUpPictures(const std::string& text) override;
  void Repaint() override;

  int LeftFrame() const { return animator_.LeftFrame(); }
  int RightFrame() const { return animator_.RightFrame(); }
  // Connected pictures shown since the last connected animation began.
  int ConnectedTicksShown() const { return animator_.ConnectedTicksShown(); }

 protected:
  bool OnInitDialog() override;
  void OnTimer(UINT_PTR id) override;
  void OnDestroy() override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  void ShowPictures(HBITMAP left, HBITMAP right);
  void StopAnimations();
  void OnConnectedAnimationEnd();
  void TellConnected();

  IDialViewSource* engine_ = nullptr;
  OwnedBitmap leftFrames_[dialanimation::kFrameCount];
  OwnedBitmap rightFrames_[dialanimation::kFrameCount];
  OwnedBitmap connected_[2][2];
  OwnedBitmap hungUp_[2];
  OwnedBitmap line_;
  OwnedFont captionFont_;
  DialAnimator animator_;
};
