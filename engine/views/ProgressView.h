// CProgressView: the right pane while a tune-up collects and measures. It
// follows the worker's posted progress messages: the phase text and bar, a
// growing row of dots while the test data downloads, the blinking title, and
// the count of tests completed for the plan it was prepared for.
#pragma once

#include <windows.h>

#include "framework/FormView.h"
#include "framework/GdiObjects.h"

class CProgressView : public FormView {
 public:
  static constexpr UINT_PTR kDotsTimer = 101;
  static constexpr UINT_PTR kBlinkTimer = 102;
  static constexpr UINT_PTR kTitleBackTimer = 103;

  CProgressView();

  // Shows "<done> of <total> tests completed:" and the tests bar.
  void Prepare(int total, int remaining);

 protected:
  bool OnInitDialog() override;
  void OnTimer(UINT_PTR id) override;
  void OnDestroy() override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;
  HBRUSH OnStaticColour(HDC dc, HWND control) override;

 private:
  // Handles one of the worker's messages; false for any other message.
  bool OnWorkerMessage(UINT message, WPARAM wParam);
  void SetPhaseRange(int upper);

  OwnedFont titleFont_;
  // Once an image has been checked the dots stop for good, in later passes too.
  bool imageChecked_ = false;
};
