// One run of Velotune.exe (see VelotuneRun.h).
#include "tests/e2e/VelotuneRun.h"

namespace e2e {

std::string TestFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.rfind('\\'));
}

VelotuneRun::VelotuneRun(const std::string& folder, const std::string& arguments) {
  const std::string exe = folder + "\\Velotune.exe";
  std::string commandLine = "\"" + exe + "\" " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  started_ = CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                            folder.c_str(), &startup, &process_);
}

VelotuneRun::~VelotuneRun() {
  if (!started_) return;
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    if (main_ != nullptr) PostMessageA(main_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, 10000) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
  }
  CloseHandle(process_.hProcess);
  CloseHandle(process_.hThread);
}

HWND VelotuneRun::WaitForMain(bool mustBeVisible) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < kWaitMs) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, "VelotuneMainFrame", nullptr)) != nullptr) {
      DWORD owner = 0;
      GetWindowThreadProcessId(window, &owner);
      if (owner == process_.dwProcessId && (!mustBeVisible || IsWindowVisible(window))) {
        return main_ = window;
      }
    }
    Sleep(20);
  }
  return nullptr;
}

bool VelotuneRun::Close() {
  if (main_ != nullptr) PostMessageA(main_, WM_CLOSE, 0, 0);
  return WaitForExit();
}

bool VelotuneRun::WaitForExit(DWORD timeoutMs) {
  return started_ && WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

}  // namespace e2e
