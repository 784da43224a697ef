// Appends the lab client programs' events to their log file.
#include "sim/clients/common/ClientLog.h"

#include <windows.h>

void ClientLog::Write(const std::string& event, const std::string& detail) const {
  if (path_.empty()) return;
  std::string line = std::to_string(GetTickCount()) + " " + program_ + " " + event;
  if (!detail.empty()) line += " " + detail;
  line += "\r\n";
  // Shared with the other programs of a test and with the test reading it.
  HANDLE file = CreateFileA(path_.c_str(), FILE_APPEND_DATA,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
}

std::string ClientLog::Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '\r') continue;
    if (c == '\n') {
      quoted += "\\n";
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}
