// LabProgram: starting and ending Velotune.exe for the lab's end-to-end tests.
#include "tests/e2e/LabProgram.h"

#include <psapi.h>

namespace {

std::string TestFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.rfind('\\'));
}

}  // namespace

LabProgram::LabProgram(const std::string& folder) : folder_(folder) {
  CreateDirectoryA(folder_.c_str(), nullptr);
  CopyFileA((TestFolder() + "\\..\\ui\\Velotune.exe").c_str(),
            (folder_ + "\\Velotune.exe").c_str(), FALSE);
  CopyFileA((TestFolder() + "\\rasapi32.dll").c_str(), (folder_ + "\\rasapi32.dll").c_str(),
            FALSE);
}

LabProgram::~LabProgram() {
  if (Running() && !Close(10000)) Kill();
  Release();
}

void LabProgram::Release() {
  if (process_.hProcess == nullptr) return;
  CloseHandle(process_.hProcess);
  CloseHandle(process_.hThread);
  process_ = PROCESS_INFORMATION();
  main_ = nullptr;
}

bool LabProgram::Start() {
  Release();
  const std::string exe = folder_ + "\\Velotune.exe";
  std::string commandLine = "\"" + exe + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  return CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder_.c_str(), &startup, &process_) != FALSE;
}

bool LabProgram::Running() const {
  return process_.hProcess != nullptr &&
         WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND LabProgram::WaitForMain(DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (Running() && GetTickCount() - start < timeoutMs) {
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

void LabProgram::Kill() {
  if (!Running()) return;
  TerminateProcess(process_.hProcess, 1);
  WaitForSingleObject(process_.hProcess, 10000);
}

bool LabProgram::Close(DWORD timeoutMs) {
  if (!Running()) return true;
  if (main_ != nullptr) PostMessageA(main_, WM_CLOSE, 0, 0);
  return WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

LabProgram::Footprint LabProgram::Measure() const {
  Footprint footprint;
  if (!Running()) return footprint;
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof(memory);
  if (GetProcessMemoryInfo(process_.hProcess, &memory, sizeof(memory))) {
    footprint.workingSet = memory.WorkingSetSize;
    footprint.peakWorkingSet = memory.PeakWorkingSetSize;
  }
  // Newer than the Windows versions the program is built for: looked up.
  using HandleCount = BOOL(WINAPI*)(HANDLE, PDWORD);
  auto handleCount = reinterpret_cast<HandleCount>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetProcessHandleCount")));
  if (handleCount != nullptr) handleCount(process_.hProcess, &footprint.handles);
  footprint.gdiObjects = GetGuiResources(process_.hProcess, GR_GDIOBJECTS);
  return footprint;
}
