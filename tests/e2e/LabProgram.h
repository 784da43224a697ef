// Velotune.exe in the lab, in a folder of its own with the lab's RAS stand-in
// beside it, started, found, closed and killed as a test needs; whatever
// still runs when the object goes is ended.
#pragma once

#include <windows.h>

#include <string>

class LabProgram {
 public:
  // Copies Velotune.exe (from the build's ui folder) and rasapi32.dll (from
  // the test's own folder) into `folder`.
  explicit LabProgram(const std::string& folder);
  ~LabProgram();

  LabProgram(const LabProgram&) = delete;
  LabProgram& operator=(const LabProgram&) = delete;

  bool Start();
  bool Running() const;
  // The main window of the running process (visible, unless a start in the
  // notification area hides it); null after `timeoutMs`.
  HWND WaitForMain(DWORD timeoutMs, bool mustBeVisible = true);
  DWORD ProcessId() const { return process_.dwProcessId; }
  // Ends the process at once with TerminateProcess, as a crash or the task
  // list would, and waits until it is gone.
  void Kill();
  // Closes the main window; true when the program then ends.
  bool Close(DWORD timeoutMs);

  // Working set (now and at its peak), handles and GDI objects of the running process.
  struct Footprint {
    SIZE_T workingSet = 0;
    SIZE_T peakWorkingSet = 0;
    DWORD handles = 0;
    DWORD gdiObjects = 0;  // 0 under Wine, whose GetGuiResources counts nothing
    DWORD windows = 0;     // its windows, top-level and child
  };
  Footprint Measure() const;

 private:
  void Release();

  std::string folder_;
  PROCESS_INFORMATION process_ = {};
  HWND main_ = nullptr;
};
