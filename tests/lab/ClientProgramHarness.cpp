// Installs, starts and drives the lab's client programs for the tests.
#include "tests/lab/ClientProgramHarness.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "tests/support/LabClient.h"

namespace {

constexpr DWORD kExitWaitMs = 10000;

std::string ExecutableFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.rfind('\\'));
}

void CreateFolders(const std::string& path) {
  for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1)) {
    CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
  }
  CreateDirectoryA(path.c_str(), nullptr);
}

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = folder + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

void SetUserText(const std::string& path, const char* name, const char* text) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr) == ERROR_SUCCESS) {
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>(strlen(text) + 1));
    RegCloseKey(key);
  }
}

// As in the lab: Wine reports Windows 98 to the client programs and draws
// their windows itself, so that closing one does not wait for a window
// manager that the virtual display does not have.
void ConfigureWineFor(const std::string& program) {
  std::string key = "Software\\Wine\\AppDefaults\\" + program;
  SetUserText(key, "Version", "win98");
  SetUserText(key + "\\X11 Driver", "Managed", "N");
}

}  // namespace

void ClientProgramTest::SetUp() {
  RegistryTest::SetUp();
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  folder_ = std::string(temp) + "velotune-clients-" + std::to_string(GetCurrentProcessId());
  RemoveTree(folder_);
  install_ = folder_ + "\\install";
  CreateFolders(install_);
  scenario_ = folder_ + "\\clients.ini";
  log_ = folder_ + "\\clients.log";
  scenarioVariable_ = std::make_unique<ScopedEnvironment>("VELOTUNE_LAB_CLIENTS", scenario_.c_str());
  WriteScenario("");
  lab::MustControl("link-down");
}

void ClientProgramTest::TearDown() {
  if (HasFailure()) {
    std::printf("client programs' log:\n");
    for (const std::string& line : LogLines()) std::printf("  %s\n", line.c_str());
  }
  for (HANDLE process : processes_) {
    if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
      ADD_FAILURE() << "a client program was still running at the end of the test";
      TerminateProcess(process, 1);
      WaitForSingleObject(process, kExitWaitMs);
    }
    CloseHandle(process);
  }
  processes_.clear();
  lab::MustControl("link-down");
  scenarioVariable_.reset();
  RemoveTree(folder_);
  RegistryTest::TearDown();
}

void ClientProgramTest::WriteScenario(const std::string& text) {
  std::ofstream file(scenario_, std::ios::binary | std::ios::trunc);
  file << "[Lab]\r\nLog=" << log_ << "\r\n" << text;
}

std::string ClientProgramTest::Install(const std::string& program,
                                       const std::string& relativePath) {
  std::string target = install_ + "\\" + relativePath;
  CreateFolders(target.substr(0, target.rfind('\\')));
  EXPECT_TRUE(CopyFileA((ExecutableFolder() + "\\" + program).c_str(), target.c_str(), FALSE))
      << program;
  ConfigureWineFor(target.substr(target.rfind('\\') + 1));
  return target;
}

void ClientProgramTest::Start(const std::string& path, const std::string& arguments,
                              const std::string& folder) {
  std::string commandLine = "\"" + path + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  std::string directory = folder.empty() ? path.substr(0, path.rfind('\\')) : folder;
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                             directory.c_str(), &startup, &info))
      << commandLine;
  CloseHandle(info.hThread);
  processes_.push_back(info.hProcess);
}

bool ClientProgramTest::WaitForExit(DWORD timeoutMs) {
  return !processes_.empty() && WaitForSingleObject(processes_.back(), timeoutMs) == WAIT_OBJECT_0;
}

std::vector<std::string> ClientProgramTest::LogLines() const {
  std::vector<std::string> lines;
  std::ifstream file(log_, std::ios::binary);
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

bool ClientProgramTest::Logged(const std::string& text) const { return CountLogged(text) > 0; }

int ClientProgramTest::LogIndex(const std::string& text) const {
  std::vector<std::string> lines = LogLines();
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].find(text) != std::string::npos) return static_cast<int>(i);
  }
  return -1;
}

int ClientProgramTest::CountLogged(const std::string& text) const {
  int count = 0;
  for (const std::string& line : LogLines()) count += line.find(text) != std::string::npos;
  return count;
}

bool ClientProgramTest::WaitForLog(const std::string& text, DWORD timeoutMs) {
  return drive::Eventually([&] { return Logged(text); }, timeoutMs);
}

std::string ClientProgramTest::Link() { return lab::StatusValue("link"); }

std::string ClientProgramTest::LinkValues() {
  return "mtu=" + lab::StatusValue("mtu") + " rwin=" + lab::StatusValue("rwin") +
         " ttl=" + lab::StatusValue("ttl");
}

namespace drive {

bool Eventually(const std::function<bool()>& done, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    if (done()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(20);
  }
}

HWND WaitForWindow(const char* windowClass, const char* title, DWORD timeoutMs) {
  HWND found = nullptr;
  Eventually([&] {
    found = FindWindowA(windowClass, title);
    // FindWindowA ignores case; the drivers compare titles exactly.
    if (found != nullptr && title != nullptr && Text(found) != title) found = nullptr;
    return found != nullptr;
  }, timeoutMs);
  return found;
}

bool WaitForNoWindow(const char* windowClass, const char* title, DWORD timeoutMs) {
  return Eventually([&] { return FindWindowA(windowClass, title) == nullptr; }, timeoutMs);
}

std::string Text(HWND window) {
  char text[256] = {};
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text),
                           SMTO_ABORTIFHUNG, 5000, &length)) {
    return std::string();
  }
  return std::string(text, length < sizeof(text) ? length : sizeof(text) - 1);
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

namespace {

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}

}  // namespace

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND FindChild(HWND parent, const std::string& text, const char* windowClass) {
  for (HWND child : Descendants(parent)) {
    if (Text(child) == text && (windowClass == nullptr || ClassOf(child) == windowClass)) {
      return child;
    }
  }
  return nullptr;
}

HWND WaitForChild(HWND parent, const std::string& text, DWORD timeoutMs,
                  const char* windowClass) {
  HWND found = nullptr;
  Eventually([&] { return (found = FindChild(parent, text, windowClass)) != nullptr; },
             timeoutMs);
  return found;
}

HWND WaitForChildOfClass(HWND parent, const char* windowClass, DWORD timeoutMs) {
  HWND found = nullptr;
  Eventually([&] {
    return (found = FindWindowExA(parent, nullptr, windowClass, nullptr)) != nullptr;
  }, timeoutMs);
  return found;
}

std::vector<HWND> WaitForDescendants(HWND parent, size_t count, DWORD timeoutMs) {
  std::vector<HWND> found;
  Eventually([&] { return (found = Descendants(parent)).size() >= count; }, timeoutMs);
  return found;
}

void PressSpace(HWND control) {
  PostMessageA(control, WM_KEYDOWN, VK_SPACE, 0x00390001);
  PostMessageA(control, WM_KEYUP, VK_SPACE, 0xC0390001);
}

void Click(HWND window, int x, int y) {
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

}  // namespace drive
