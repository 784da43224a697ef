// LabProgram: starting and ending Velotune.exe for the lab's end-to-end tests.
#include "tests/e2e/LabProgram.h"

#include "tests/e2e/VelotuneRun.h"

#include <psapi.h>

#include <vector>

namespace {

// The system's handle list, one entry per open handle of any process.
struct SystemHandleEntry {
  ULONG ownerProcessId;
  BYTE objectType;
  BYTE flags;
  USHORT handle;
  PVOID object;
  ULONG access;
};
struct SystemHandleList {
  ULONG count;
  SystemHandleEntry entries[1];
};

// Open handles of a process, counted in the system's handle list (Wine's
// GetProcessHandleCount answers 0 for another process).
DWORD HandleCount(DWORD processId) {
  using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  const ULONG kSystemHandleInformation = 16;
  const LONG kLengthMismatch = static_cast<LONG>(0xC0000004L);
  if (query == nullptr) return 0;
  std::vector<BYTE> buffer(1 << 16);
  ULONG needed = 0;
  LONG status;
  while ((status = query(kSystemHandleInformation, buffer.data(),
                         static_cast<ULONG>(buffer.size()), &needed)) == kLengthMismatch &&
         buffer.size() < (64u << 20)) {
    buffer.resize(buffer.size() * 2);
  }
  if (status != 0) return 0;
  const auto* list = reinterpret_cast<const SystemHandleList*>(buffer.data());
  DWORD count = 0;
  for (ULONG i = 0; i < list->count; ++i) {
    if (list->entries[i].ownerProcessId == processId) ++count;
  }
  return count;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<DWORD*>(count);
  return TRUE;
}

struct WindowCount {
  DWORD processId;
  DWORD count;
};

BOOL CALLBACK CountTopLevel(HWND window, LPARAM state) {
  auto* counting = reinterpret_cast<WindowCount*>(state);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != counting->processId) return TRUE;
  ++counting->count;
  EnumChildWindows(window, CountChild, reinterpret_cast<LPARAM>(&counting->count));
  return TRUE;
}

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

HWND LabProgram::WaitForMain(DWORD timeoutMs, bool mustBeVisible) {
  const DWORD start = GetTickCount();
  while (Running() && GetTickCount() - start < timeoutMs) {
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

void LabProgram::Kill() {
  if (!Running()) return;
  TerminateProcess(process_.hProcess, 1);
  WaitForSingleObject(process_.hProcess, 10000);
}

bool LabProgram::Close(DWORD timeoutMs) {
  if (!Running()) return true;
  if (main_ != nullptr) return e2e::EndVelotune(main_, timeoutMs);
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
  footprint.handles = HandleCount(process_.dwProcessId);
  footprint.gdiObjects = GetGuiResources(process_.hProcess, GR_GDIOBJECTS);
  WindowCount windows = {process_.dwProcessId, 0};
  EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&windows));
  footprint.windows = windows.count;
  return footprint;
}
