// Ending the lab client programs left running by a driver test.
#include "tests/dialing/LeftoverClients.h"

#include <windows.h>

#include <set>

std::vector<std::string> EndProgramsWithWindowsOf(const std::vector<const char*>& classes) {
  std::vector<std::string> found;
  std::set<DWORD> processes;
  for (const char* windowClass : classes) {
    for (HWND window = FindWindowA(windowClass, nullptr); window != nullptr;
         window = FindWindowExA(nullptr, window, windowClass, nullptr)) {
      DWORD process = 0;
      GetWindowThreadProcessId(window, &process);
      if (process == GetCurrentProcessId() || !processes.insert(process).second) continue;
      found.push_back(windowClass);
    }
  }
  for (DWORD id : processes) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    if (process == nullptr) continue;
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 10000);
    CloseHandle(process);
  }
  return found;
}
