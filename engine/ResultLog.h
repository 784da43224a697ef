// CResultLog: LogFile.txt in the program's folder, where every timed test of
// the latest tune-up leaves one record, and the stopwatch that times the test.
//
// The tune-up worker owns one and appends from its speed-test thread; the
// controller deletes, opens and closes it; result analysis reads it through
// an object of its own. Only one thread uses an object at a time.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/portable/TestRecord.h"

class CResultLog {
 public:
  static constexpr char kFileName[] = "LogFile.txt";
  // The reader looks at no more than this many bytes of the file.
  static constexpr DWORD kReadLimit = 100000;

  CResultLog() = default;
  ~CResultLog() { Close(); }
  CResultLog(const CResultLog&) = delete;
  CResultLog& operator=(const CResultLog&) = delete;

  // The folder of the running program, without a trailing backslash;
  // 30 when the module name cannot be had.
  static int ProgramFolder(std::string& folder);
  // The full name of the log file; 30 as above.
  static int FilePath(std::string& path);

  // Closes the file if this object has it open and removes it: 0; 30; 49
  // when it cannot be removed (also when it is missing).
  int Delete();
  // "Read": open for reading only (5 on failure). "Write": open for reading
  // and writing, creating the file when it does not exist, never truncating
  // (6 on failure). Any other mode opens nothing and gives 0. A file this
  // object had open before is closed first.
  int Open(const std::string& mode);
  void Close();
  bool IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }

  // Writes the record at the end of the file, whatever its length. A failed
  // write is not reported: the result is always 0.
  int Append(const TestRecord& record);
  // Lists the entries ("value:elapsed:") of the records matching the filter's
  // kind and parameter under the match mode (see ReadLogRecords) from the
  // first kReadLimit bytes of the file: 0; 7 when a record is cut short (the
  // entries before it are kept); 28 when the file is not open or unreadable.
  int ReadRecords(const TestRecord& filter, int matchMode, std::vector<std::string>& entries);

  // The stopwatch. Ticks are high-resolution counter values; Elapsed gives
  // stop - start in milliseconds with sub-millisecond resolution.
  std::int64_t StartStopwatch();
  std::int64_t StopStopwatch();
  double ElapsedMilliseconds() const;

  // Reads up to kReadLimit bytes from the start of the open file.
  bool ReadText(std::string& text);

 private:

  HANDLE file_ = INVALID_HANDLE_VALUE;
  std::int64_t start_ = 0;
  std::int64_t stop_ = 0;
};
