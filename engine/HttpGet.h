// One HTTP GET on a WinINet session as the speed test and the usage report
// make it - connect, open an HTTP/1.0 request that bypasses the cache, send -
// and the limits every transfer of the program keeps, so that a silent,
// slow or endless server can never hold a worker thread for long.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "engine/portable/PageScanner.h"
#include "framework/InternetHandle.h"

namespace httplimits {

// Connect, send and receive time-outs of every handle (time-scaled, never below the floor).
constexpr DWORD kTimeoutMs = 30000;
constexpr DWORD kShortestTimeoutMs = 3000;
// The longest a whole body may take to arrive (time-scaled, never below the floor).
constexpr DWORD kBodyDeadlineMs = 120000;
constexpr DWORD kShortestBodyDeadlineMs = 5000;
// Failed reads in a row after which a body counts as lost.
constexpr int kMaxFailedReads = 3;
// Reads of a body go in chunks of this size.
constexpr DWORD kReadChunk = 250000;
// A page's text is read up to this size; the rest is left unread.
constexpr size_t kMaxPageBytes = 1024 * 1024;
// An image body larger than this counts as a failed fetch.
constexpr size_t kMaxImageBytes = 16 * 1024 * 1024;

}  // namespace httplimits

// Sets the program's connect, send and receive time-outs on a WinINet handle
// (a session passes them on to its connections and requests).
void SetInternetTimeouts(HINTERNET handle);

// How reading a body ended.
enum class BodyRead {
  kComplete,      // the server ended the body
  kLimitReached,  // `limit` bytes were read; the rest was left
  kFailed,        // reads kept failing, or the deadline passed
};

// Reads a body in chunks into `buffer` (resized to httplimits::kReadChunk),
// appending each chunk to `text` when it is given; `total` counts the bytes.
BodyRead ReadBody(HINTERNET file, std::vector<char>& buffer, size_t limit, std::string* text,
                  size_t& total);

class CHttpGet {
 public:
  // Connects and sends the request: 0; 17 (connect), 18 (open request) or
  // 19 (send) for the step that failed.
  int Send(HINTERNET session, const pagescan::HttpTarget& target);
  HINTERNET Request() const { return request_.Get(); }
  // Closes the request, then the connection: 0; 26 or 25 for the close that failed.
  int Close();

 private:
  bool ServerAnswered() const;

  InternetHandle connection_;
  InternetHandle request_;
};
