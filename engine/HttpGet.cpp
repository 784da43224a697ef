// One HTTP GET and the transfer limits (see HttpGet.h).
#include "engine/HttpGet.h"

#include <algorithm>

#include "engine/portable/StatusCodes.h"
#include "framework/HighResolutionClock.h"
#include "framework/TimeScale.h"
#include "framework/TransferStop.h"

namespace {

// Requests always go to the server: reload, and never write the cache.
constexpr DWORD kRequestFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;

DWORD ScaledAtLeast(DWORD milliseconds, DWORD floor) {
  return std::max<DWORD>(timescale::Scaled(milliseconds), floor);
}

}  // namespace

void SetInternetTimeouts(HINTERNET handle) {
  DWORD timeout = ScaledAtLeast(httplimits::kTimeoutMs, httplimits::kShortestTimeoutMs);
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                       INTERNET_OPTION_RECEIVE_TIMEOUT}) {
    InternetSetOptionA(handle, option, &timeout, sizeof(timeout));
  }
}

BodyRead ReadBody(HINTERNET file, std::vector<char>& buffer, size_t limit, std::string* text,
                  size_t& total) {
  buffer.assign(httplimits::kReadChunk, 0);
  total = 0;
  // The handle's own time-out bounds each wait for data: a request inherits
  // only some of its session's time-outs.
  SetInternetTimeouts(file);
  const double deadline =
      hrclock::NowMilliseconds() + ScaledAtLeast(httplimits::kBodyDeadlineMs, httplimits::kShortestBodyDeadlineMs);
  int failedReads = 0;
  const TransferStop* stop = TransferStop::OfThisThread();
  while (total < limit) {
    if (hrclock::NowMilliseconds() > deadline) return BodyRead::kFailed;
    // A body that trickles in keeps every read short: the stop is seen between them.
    if (stop != nullptr && stop->Raised()) return BodyRead::kFailed;
    // Ask what has arrived first: a read waits until its whole buffer is
    // filled, which a slow server could stretch without end.
    DWORD available = 0;
    DWORD read = 0;
    if (!InternetQueryDataAvailable(file, &available, 0, 0) ||
        !InternetReadFile(file, buffer.data(),
                          static_cast<DWORD>(std::min<size_t>(
                              {buffer.size(), limit - total, std::max<DWORD>(available, 1)})),
                          &read)) {
      if (++failedReads >= httplimits::kMaxFailedReads) return BodyRead::kFailed;
      continue;
    }
    failedReads = 0;
    if (read == 0) return BodyRead::kComplete;
    if (text != nullptr) text->append(buffer.data(), read);
    total += read;
  }
  return BodyRead::kLimitReached;
}

int CHttpGet::Send(HINTERNET session, const pagescan::HttpTarget& target) {
  connection_ = InternetHandle(InternetConnectA(session, target.host.c_str(), target.port, "", "",
                                                INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection_.IsOpen()) return status::kInternetConnectFailed;
  request_ = InternetHandle(HttpOpenRequestA(connection_.Get(), "GET", target.path.c_str(),
                                             "HTTP/1.0", nullptr, nullptr, kRequestFlags, 0));
  if (!request_.IsOpen()) return status::kOpenRequestFailed;
  SetInternetTimeouts(request_.Get());
  if (HttpSendRequestA(request_.Get(), nullptr, 0, nullptr, 0) != TRUE || !ServerAnswered()) {
    return status::kSendRequestFailed;
  }
  return status::kOk;
}

// A connection the server closed or reset before a single byte of answer can
// still end HttpSendRequest well (Wine takes the empty answer for an old-style
// response without headers); it has no status code, and it is no document.
bool CHttpGet::ServerAnswered() const {
  DWORD code = 0;
  DWORD size = sizeof(code);
  return HttpQueryInfoA(request_.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &code,
                        &size, nullptr) &&
         code != 0;
}

int CHttpGet::Close() {
  bool requestOpen = request_.IsOpen();
  if (requestOpen && !request_.Close()) return status::kCloseRequestFailed;
  if (connection_.IsOpen() && !connection_.Close()) return status::kCloseConnectionFailed;
  return status::kOk;
}
