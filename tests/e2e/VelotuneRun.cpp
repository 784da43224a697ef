// One run of Velotune.exe (see VelotuneRun.h).
#include "tests/e2e/VelotuneRun.h"

namespace e2e {

namespace {

constexpr int kTrayExitCommand = 32781;  // "E&xit" of the tray menu
constexpr DWORD kHideWaitMs = 5000;

struct HiddenDialogs {
  DWORD processId;
  int posted;
};

// The tray dialer is a hidden dialog that receives the tray menu's commands.
BOOL CALLBACK PostTrayExit(HWND window, LPARAM parameter) {
  auto* dialogs = reinterpret_cast<HiddenDialogs*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char className[16] = {};
  GetClassNameA(window, className, sizeof(className));
  if (owner == dialogs->processId && !IsWindowVisible(window) &&
      lstrcmpA(className, "#32770") == 0) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(kTrayExitCommand, 0), 0);
    ++dialogs->posted;
  }
  return TRUE;
}

bool Ended(HANDLE process, DWORD timeoutMs) {
  return WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
}

}  // namespace

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

bool EndVelotune(HWND main, DWORD timeoutMs) {
  DWORD processId = 0;
  GetWindowThreadProcessId(main, &processId);
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
  if (process == nullptr) return !IsWindow(main);
  const DWORD start = GetTickCount();
  PostMessageA(main, WM_CLOSE, 0, 0);
  // Closing either ends the program or, with the tray icon shown, hides the window.
  while (!Ended(process, 20) && IsWindowVisible(main) && GetTickCount() - start < kHideWaitMs) {
  }
  if (!Ended(process, 0) && IsWindow(main) && !IsWindowVisible(main)) {
    HiddenDialogs dialogs = {processId, 0};
    EnumWindows(PostTrayExit, reinterpret_cast<LPARAM>(&dialogs));
  }
  const DWORD spent = GetTickCount() - start;
  const bool ended = Ended(process, spent < timeoutMs ? timeoutMs - spent : 0);
  CloseHandle(process);
  return ended;
}

VelotuneRun::~VelotuneRun() {
  if (!started_) return;
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    if (main_ == nullptr || !EndVelotune(main_, 10000)) TerminateProcess(process_.hProcess, 1);
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

bool VelotuneRun::End(DWORD timeoutMs) {
  return main_ != nullptr ? EndVelotune(main_, timeoutMs) : WaitForExit(timeoutMs);
}

bool VelotuneRun::WaitForExit(DWORD timeoutMs) {
  return started_ && WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

}  // namespace e2e
