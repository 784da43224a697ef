// Velotune.exe started as a process of its own for the end-to-end tests,
// its main window found, and the program closed (or ended) at the end.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

constexpr DWORD kRunWait = 30000;

// The folder of the running test program.
inline std::string TestFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.rfind('\\'));
}

class VelotuneRun {
 public:
  VelotuneRun(const std::string& folder, const std::string& arguments = "") {
    const std::string exe = folder + "\\Velotune.exe";
    std::string commandLine = "\"" + exe + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    started_ = CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                              folder.c_str(), &startup, &process_);
  }
  ~VelotuneRun() {
    if (!started_) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      if (main_ != nullptr) PostMessageA(main_, WM_CLOSE, 0, 0);
      if (WaitForSingleObject(process_.hProcess, 10000) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
    }
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
  bool Started() const { return started_ != FALSE; }
  // The main window of this process.
  HWND WaitForMain() {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kRunWait) {
      HWND window = nullptr;
      while ((window = FindWindowExA(nullptr, window, "VelotuneMainFrame", nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process_.dwProcessId && IsWindowVisible(window)) return main_ = window;
      }
      Sleep(20);
    }
    return nullptr;
  }
  // Closes the main window; true when the program then ends.
  bool Close() {
    if (main_ != nullptr) PostMessageA(main_, WM_CLOSE, 0, 0);
    return WaitForSingleObject(process_.hProcess, kRunWait) == WAIT_OBJECT_0;
  }
  HWND Main() const { return main_; }

 private:
  BOOL started_ = FALSE;
  PROCESS_INFORMATION process_ = {};
  HWND main_ = nullptr;
};

}  // namespace e2e
