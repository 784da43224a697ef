// One run of Velotune.exe for the end-to-end tests: started from a folder of
// its own, its main window found, closed, and ended for good when a test
// leaves it running.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// The folder of the running test program.
std::string TestFolder();

// Ends the Velotune.exe that owns `main` as a user would: its main window is
// closed, and when that only hid it in the notification area, the tray
// menu's "E&xit" ends it. True when the process has ended within the time.
bool EndVelotune(HWND main, DWORD timeoutMs);

class VelotuneRun {
 public:
  static constexpr DWORD kWaitMs = 30000;

  explicit VelotuneRun(const std::string& folder, const std::string& arguments = "");
  // A program still running is asked to close, then ended.
  ~VelotuneRun();

  VelotuneRun(const VelotuneRun&) = delete;
  VelotuneRun& operator=(const VelotuneRun&) = delete;

  bool Started() const { return started_ != FALSE; }
  DWORD ProcessId() const { return process_.dwProcessId; }
  // The main window of this process, once it exists (and, when asked, is visible).
  HWND WaitForMain(bool mustBeVisible = true);
  // Closes the main window; true when the program then ends.
  bool Close();
  // Ends the program even when closing only hides it (EndVelotune).
  bool End(DWORD timeoutMs = kWaitMs);
  // True when the program has ended within the time.
  bool WaitForExit(DWORD timeoutMs = kWaitMs);
  HWND Main() const { return main_; }

 private:
  BOOL started_ = FALSE;
  PROCESS_INFORMATION process_ = {};
  HWND main_ = nullptr;
};

}  // namespace e2e
