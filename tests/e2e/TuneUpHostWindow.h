// The lab host's main window: a plain top-level window with a list of every
// line the recording frame logs (pane switches, captions, status lines), a
// message loop that runs until the tune-up has ended, and a picture of the
// window for the run's record.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "tests/support/TuneUpTestFrame.h"

class TuneUpHostWindow {
 public:
  explicit TuneUpHostWindow(TestMainFrame& frame);
  ~TuneUpHostWindow();

  TuneUpHostWindow(const TuneUpHostWindow&) = delete;
  TuneUpHostWindow& operator=(const TuneUpHostWindow&) = delete;

  // Runs the message loop until `done` holds (true) or the time has passed.
  bool RunUntil(const std::function<bool()>& done, DWORD timeoutMs);
  // Writes the window as a 24-bit BMP file; false when that fails.
  bool SaveScreenshot(const std::string& path) const;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void ShowNewLines();

  TestMainFrame& frame_;
  HWND window_ = nullptr;
  HWND list_ = nullptr;
  size_t shown_ = 0;
};
