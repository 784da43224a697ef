// The tune-up controller's side of the dial engine for engine tests: every
// outcome the engine reported, in order, and the frame's dial view. Hiding
// the main window (a tray dial) is recorded only where a test asks for it,
// so that tests of tray dials can expect no report at all.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "dialing/DialControllerSeam.h"
#include "tests/support/TuneUpTestFrame.h"

class RecordingDialController : public IDialController {
 public:
  enum class Hiding { Ignored, Recorded };

  explicit RecordingDialController(TestMainFrame& frame, Hiding hiding = Hiding::Ignored)
      : frame_(frame), hiding_(hiding) {}
  void Connected() override { reports.push_back("connected"); }
  void DialFailed(int status) override { reports.push_back("dial failed " + std::to_string(status)); }
  void StepFailed(int status) override { reports.push_back("step failed " + std::to_string(status)); }
  void Stop() override { reports.push_back("stop"); }
  IDialView* DialView() override { return frame_.DialView(); }
  void RepaintMainWindow() override {}
  void HideMainWindow() override {
    if (hiding_ == Hiding::Recorded) reports.push_back("hide");
  }
  HWND OwnerWindow() const override { return nullptr; }

  std::vector<std::string> reports;

 private:
  TestMainFrame& frame_;
  Hiding hiding_;
};
