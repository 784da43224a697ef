// CResultLog: the log file's operations on top of the Windows-free record
// format, and a stopwatch on the high-resolution performance counter (the
// tick count moves in steps of 10 to 16 ms, too coarse for a timed test).
#include "engine/ResultLog.h"

#include "engine/portable/LogRecordFormat.h"
#include "engine/portable/StatusCodes.h"
#include "framework/HighResolutionClock.h"
#include "settings/SettingsStore.h"

namespace {

constexpr char kReadMode[] = "Read";
constexpr char kWriteMode[] = "Write";

HANDLE OpenFile(const std::string& path, DWORD access, DWORD disposition) {
  return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                     disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

int CResultLog::ProgramFolder(std::string& folder) {
  // The family plays no part in finding the folder: spare the version probe.
  return CSettingsStore(kOsUnknown).ExecutableFolder(folder);
}

int CResultLog::FilePath(std::string& path) {
  std::string folder;
  int result = ProgramFolder(folder);
  if (result != status::kOk) return result;
  path = folder + "\\" + kFileName;
  return status::kOk;
}

int CResultLog::Delete() {
  // A file this object holds open could not be removed.
  Close();
  std::string path;
  int result = FilePath(path);
  if (result != status::kOk) return result;
  return DeleteFileA(path.c_str()) ? status::kOk : status::kLogCloseFailed;
}

int CResultLog::Open(const std::string& mode) {
  if (mode != kReadMode && mode != kWriteMode) return status::kOk;
  Close();
  const bool reading = mode == kReadMode;
  const int failure = reading ? status::kLogOpenFailed : status::kLogCreateFailed;
  std::string path;
  if (FilePath(path) != status::kOk) return failure;
  if (reading) {
    file_ = OpenFile(path, GENERIC_READ, OPEN_EXISTING);
    return IsOpen() ? status::kOk : failure;
  }
  file_ = OpenFile(path, GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
  // Only a missing file is created: an existing one that cannot be opened is
  // never replaced by an empty one.
  if (!IsOpen()) file_ = OpenFile(path, GENERIC_READ | GENERIC_WRITE, CREATE_NEW);
  return IsOpen() ? status::kOk : failure;
}

void CResultLog::Close() {
  if (!IsOpen()) return;
  CloseHandle(file_);
  file_ = INVALID_HANDLE_VALUE;
}

int CResultLog::Append(const TestRecord& record) {
  if (!IsOpen()) return status::kOk;
  // At the true end, so that no earlier record is ever overwritten.
  if (SetFilePointer(file_, 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER &&
      GetLastError() != NO_ERROR) {
    return status::kOk;
  }
  std::string text = FormatLogRecord(record);
  DWORD written = 0;
  WriteFile(file_, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  return status::kOk;
}

int CResultLog::ReadRecords(const TestRecord& filter, int matchMode,
                            std::vector<std::string>& entries) {
  std::string text;
  if (!ReadText(text)) return status::kLogUnreadable;
  return ReadLogRecords(text, filter.kind, filter.parameter, matchMode, entries);
}

bool CResultLog::ReadText(std::string& text) {
  if (!IsOpen()) return false;
  if (SetFilePointer(file_, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return false;
  text.assign(kReadLimit, '\0');
  DWORD total = 0;
  while (total < kReadLimit) {
    DWORD read = 0;
    if (!ReadFile(file_, &text[total], kReadLimit - total, &read, nullptr)) return false;
    if (read == 0) break;
    total += read;
  }
  text.resize(total);
  return true;
}

std::int64_t CResultLog::StartStopwatch() {
  start_ = hrclock::Ticks();
  return start_;
}

std::int64_t CResultLog::StopStopwatch() {
  stop_ = hrclock::Ticks();
  return stop_;
}

double CResultLog::ElapsedMilliseconds() const {
  return hrclock::MillisecondsBetween(start_, stop_);
}
