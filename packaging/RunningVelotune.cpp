// Ending the running Velotune programs (see RunningVelotune.h).
#include "packaging/RunningVelotune.h"

#include <vector>

#include "res/resource.h"

namespace {

constexpr char kMainFrameClass[] = "VelotuneMainFrame";
constexpr char kDialogClass[] = "#32770";
constexpr DWORD kHideWaitMs = 5000;
constexpr DWORD kForcedEndWaitMs = 5000;
constexpr DWORD kPollMs = 20;

struct Program {
  HWND main;
  DWORD processId;
  HANDLE process;
};

std::vector<Program> FindPrograms() {
  std::vector<Program> programs;
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, kMainFrameClass, nullptr)) != nullptr) {
    Program program = {window, 0, nullptr};
    GetWindowThreadProcessId(window, &program.processId);
    program.process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, program.processId);
    if (program.process != nullptr) programs.push_back(program);
  }
  return programs;
}

bool HasEnded(const Program& program, DWORD waitMs) {
  return WaitForSingleObject(program.process, waitMs) == WAIT_OBJECT_0;
}

// The tray dialer, a hidden dialog of the program, carries the tray menu's
// commands; the program's other hidden dialogs ignore this one.
BOOL CALLBACK PostTrayExit(HWND window, LPARAM processId) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char className[sizeof(kDialogClass) + 1] = {};
  GetClassNameA(window, className, sizeof(className));
  if (owner == static_cast<DWORD>(processId) && !IsWindowVisible(window) &&
      lstrcmpA(className, kDialogClass) == 0) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(ID_TRAY_EXIT, 0), 0);
  }
  return TRUE;
}

// Closing the main window ends the program, or only hides it while its
// tray icon is shown: then the tray menu's Exit is what ends it.
bool AskToEnd(const Program& program, DWORD waitMs) {
  PostMessageA(program.main, WM_CLOSE, 0, 0);
  const DWORD start = GetTickCount();
  while (!HasEnded(program, kPollMs) && IsWindowVisible(program.main) &&
         GetTickCount() - start < kHideWaitMs) {
  }
  if (HasEnded(program, 0)) return true;
  EnumWindows(PostTrayExit, static_cast<LPARAM>(program.processId));
  return HasEnded(program, waitMs);
}

}  // namespace

int EndRunningVelotune(DWORD askedWaitMs, std::string& report) {
  int running = 0;
  for (const Program& program : FindPrograms()) {
    const char* outcome = "ended";
    if (!AskToEnd(program, askedWaitMs)) {
      TerminateProcess(program.process, 1);
      outcome = "ended by force";
      if (!HasEnded(program, kForcedEndWaitMs)) {
        outcome = "could not be ended";
        ++running;
      }
    }
    report += "Velotune (process " + std::to_string(program.processId) + ") " + outcome + "\n";
    CloseHandle(program.process);
  }
  return running;
}
