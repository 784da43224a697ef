// The lab's ISP and web server (see IspServer.h and the README's lab section).
#include "sim/isp/IspServer.h"

#include <windows.h>

#include <cstdio>
#include <thread>

#include "framework/HighResolutionClock.h"

namespace {

constexpr DWORD kReceiveTimeoutMs = 10000;
constexpr size_t kHeadLimit = 16384;
constexpr double kStallLimitMs = 120000;
constexpr double kTrickleStepMs = 250;
constexpr size_t kUnpacedChunk = 65536;
constexpr double kWaitStepMs = 20;

bool SendAll(SOCKET socket, const char* data, size_t size) {
  while (size > 0) {
    int chunk = static_cast<int>(size > kUnpacedChunk ? kUnpacedChunk : size);
    int sent = send(socket, data, chunk, 0);
    if (sent <= 0) return false;
    data += sent;
    size -= static_cast<size_t>(sent);
  }
  return true;
}

bool SendText(SOCKET socket, const std::string& text) {
  return SendAll(socket, text.data(), text.size());
}

// Ends the connection with a reset, as a line drop or a dead server would.
void ResetConnection(SOCKET socket) {
  linger hard = {1, 0};
  setsockopt(socket, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&hard), sizeof(hard));
  closesocket(socket);
}

// Ends the connection after everything was sent; the client reads it all
// and then sees the end (the whole request head has been read, so closing
// does not reset the connection).
void CloseGracefully(SOCKET socket) {
  shutdown(socket, SD_SEND);
  closesocket(socket);
}

SOCKET OpenListener(unsigned short port, unsigned short& boundPort) {
  SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (listener == INVALID_SOCKET) return listener;
  BOOL reuse = TRUE;
  setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse),
             sizeof(reuse));
  // Non-blocking: a connection that goes away between select and accept
  // must not leave the accepting thread waiting.
  u_long nonBlocking = 1;
  ioctlsocket(listener, FIONBIO, &nonBlocking);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(port);
  int size = sizeof(address);
  if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
      listen(listener, SOMAXCONN) != 0 ||
      getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
    closesocket(listener);
    return INVALID_SOCKET;
  }
  boundPort = ntohs(address.sin_port);
  return listener;
}

// True when a connection is waiting on the listener within the time-out.
bool ConnectionWaiting(SOCKET listener, long timeoutMs) {
  fd_set ready;
  FD_ZERO(&ready);
  FD_SET(listener, &ready);
  timeval timeout = {0, timeoutMs * 1000};
  return select(0, &ready, nullptr, nullptr, &timeout) == 1;
}

bool ReadHead(SOCKET socket, std::string& head) {
  char buffer[2048];
  while (head.size() < kHeadLimit) {
    int received = recv(socket, buffer, sizeof(buffer), 0);
    if (received <= 0) return false;
    head.append(buffer, static_cast<size_t>(received));
    size_t end = head.find("\r\n\r\n");
    if (end == std::string::npos) end = head.find("\n\n");
    if (end != std::string::npos) {
      head.erase(end);
      return true;
    }
  }
  return false;
}

const char* ReasonOf(int status) {
  switch (status) {
    case 200: return "OK";
    case 400: return "Bad Request";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Error";
  }
}

std::string ResponseHead(int status, const std::string& contentType, const std::string* lengthOf) {
  std::string head = "HTTP/1.0 " + std::to_string(status) + " " + ReasonOf(status) + "\r\n" +
                     "Server: VelotuneLab/1.0\r\nContent-Type: " + contentType + "\r\n";
  if (lengthOf != nullptr) head += "Content-Length: " + std::to_string(lengthOf->size()) + "\r\n";
  return head + "Connection: close\r\n\r\n";
}

void SendPlain(SOCKET client, int status, const std::string& text) {
  SendText(client, ResponseHead(status, "text/plain", &text) + text);
  CloseGracefully(client);
}

}  // namespace

IspServer::IspServer(const LinkValues& defaults) : state_(defaults) {}

IspServer::~IspServer() {
  stopping_ = true;
  if (ownerWatch_.joinable()) ownerWatch_.join();
  if (controlListener_ != INVALID_SOCKET) closesocket(controlListener_);
  if (webListener_ != INVALID_SOCKET) closesocket(webListener_);
}

bool IspServer::Listen(unsigned short controlPort, unsigned short webPort) {
  controlListener_ = OpenListener(controlPort, controlPort_);
  webListener_ = OpenListener(webPort, webPort_);
  if (controlListener_ == INVALID_SOCKET || webListener_ == INVALID_SOCKET) return false;
  LinkDown();  // the port is known now; it opens again when the link comes up
  return true;
}

bool IspServer::LinkUp(const LinkValues& values) {
  std::lock_guard<std::mutex> lock(webMutex_);
  if (webListener_ == INVALID_SOCKET) {
    unsigned short bound = 0;
    webListener_ = OpenListener(webPort_, bound);
    if (webListener_ == INVALID_SOCKET) return false;
  }
  state_.LinkUp(values);
  return true;
}

void IspServer::LinkDown() {
  ++linkSerial_;
  std::lock_guard<std::mutex> lock(webMutex_);
  state_.LinkDown();
  if (webListener_ != INVALID_SOCKET) closesocket(webListener_);
  webListener_ = INVALID_SOCKET;
}

void IspServer::WatchLinkOwner(unsigned long processId) {
  std::lock_guard<std::mutex> lock(watchMutex_);
  const unsigned serial = ++linkSerial_;
  if (ownerWatch_.joinable()) ownerWatch_.join();
  if (processId == 0) return;
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
  if (process == nullptr) return;
  ownerWatch_ = std::thread([this, process, serial] {
    // Polls so that a later link change or the server's end stops the watch.
    while (!stopping_ && linkSerial_ == serial) {
      if (WaitForSingleObject(process, 100) != WAIT_OBJECT_0) continue;
      if (linkSerial_ == serial) LinkDown();
      break;
    }
    CloseHandle(process);
  });
}

void IspServer::StartConnection(SOCKET client, bool control) {
  u_long blocking = 0;  // accepted sockets inherit the listener's non-blocking mode
  ioctlsocket(client, FIONBIO, &blocking);
  if (connections_ >= kMaxConnections) {
    ResetConnection(client);
    return;
  }
  ++connections_;
  std::thread([this, client, control] {
    Serve(client, control);
    --connections_;
  }).detach();
}

void IspServer::AcceptWeb() {
  while (!stopping_) {
    SOCKET listener;
    {
      std::lock_guard<std::mutex> lock(webMutex_);
      listener = webListener_;
    }
    if (listener == INVALID_SOCKET) {
      Sleep(5);
      continue;
    }
    if (!ConnectionWaiting(listener, 20)) continue;
    SOCKET client = INVALID_SOCKET;
    {
      std::lock_guard<std::mutex> lock(webMutex_);  // the link may have gone down meanwhile
      if (webListener_ == listener) client = accept(listener, nullptr, nullptr);
    }
    if (client != INVALID_SOCKET) StartConnection(client, false);
  }
}

void IspServer::Run() {
  std::thread web([this] { AcceptWeb(); });
  while (!stopping_) {
    if (!ConnectionWaiting(controlListener_, 50)) continue;
    SOCKET client = accept(controlListener_, nullptr, nullptr);
    if (client != INVALID_SOCKET) StartConnection(client, true);
  }
  web.join();
}

void IspServer::Serve(SOCKET client, bool control) {
  DWORD timeout = kReceiveTimeoutMs;
  setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout),
             sizeof(timeout));
  std::string head;
  HttpRequestHead request;
  if (!ReadHead(client, head)) {
    ResetConnection(client);
  } else if (!ParseRequestHead(head, request)) {
    SendPlain(client, 400, "malformed request\n");
  } else if (control) {
    HandleControl(client, request);
  } else {
    ServeContent(client, request);
  }
}

void IspServer::ServeContent(SOCKET client, const HttpRequestHead& request) {
  LinkSnapshot link;
  if (!state_.Admit(request, link)) {
    ResetConnection(client);  // no link: as if nothing answered at all
    return;
  }
  SiteContent content;
  bool known;
  {
    std::lock_guard<std::mutex> lock(catalogMutex_);
    known = catalog_.Lookup(request.host, request.hostAndPort, request.path, content);
  }
  if (!known || content.delivery == Delivery::kReset) {
    ResetConnection(client);
    return;
  }
  if (content.usageReport) state_.RecordReport(request);
  std::string head = ResponseHead(content.status, content.contentType,
                                  content.sendLength ? &content.body : nullptr);
  if (request.method == "HEAD") content.body.clear();
  switch (content.delivery) {
    case Delivery::kStall: SendStalled(client, head, content.body, link); return;
    case Delivery::kTrickle: SendTrickle(client, head, content.body, link); return;
    case Delivery::kSilent: SendStalled(client, std::string(), std::string(), link); return;
    default: break;
  }
  PacedTimes times;
  const bool whole = SendPaced(client, head, content.body, link, times);
  if (times.headMs > 0) state_.RecordPaced(link, request.path, times.headMs, whole, times.wholeMs);
  if (whole) {
    CloseGracefully(client);
  } else {
    ResetConnection(client);
  }
}

bool IspServer::WaitUntil(double startMs, double dueMs, std::uint32_t generation) const {
  for (;;) {
    if (stopping_ || !state_.LinkStillUp(generation)) return false;
    double left = startMs + dueMs - hrclock::NowMilliseconds();
    if (left <= 0) return true;
    Sleep(static_cast<DWORD>(left < kWaitStepMs ? (left < 1 ? 1 : left) : kWaitStepMs));
  }
}

bool IspServer::SendPaced(SOCKET client, const std::string& head, const std::string& body,
                          const LinkSnapshot& link, PacedTimes& times) {
  ResponsePacer pacer(link.values, link.responseNumber);
  if (!pacer.Paced()) return SendText(client, head + body);
  double start = hrclock::NowMilliseconds();
  double due = pacer.SetupMs() + pacer.NextSegmentMs(static_cast<int>(head.size()));
  if (!WaitUntil(start, due, link.generation) || !SendText(client, head)) return false;
  times.headMs = due;
  size_t segment = static_cast<size_t>(pacer.SegmentPayload());
  for (size_t offset = 0; offset < body.size(); offset += segment) {
    size_t size = body.size() - offset < segment ? body.size() - offset : segment;
    due += pacer.NextSegmentMs(static_cast<int>(size));
    if (!WaitUntil(start, due, link.generation)) return false;
    if (!SendAll(client, body.data() + offset, size)) return false;
  }
  times.wholeMs = due;
  return true;
}

void IspServer::SendStalled(SOCKET client, const std::string& head, const std::string& body,
                            const LinkSnapshot& link) {
  std::string start = head + body.substr(0, body.size() / 4);
  if (SendText(client, start)) WaitUntil(hrclock::NowMilliseconds(), kStallLimitMs, link.generation);
  ResetConnection(client);
}

void IspServer::SendTrickle(SOCKET client, const std::string& head, const std::string& body,
                            const LinkSnapshot& link) {
  double start = hrclock::NowMilliseconds();
  bool sending = SendText(client, head);
  for (size_t i = 0; sending && i < body.size(); ++i) {
    double due = (i + 1) * kTrickleStepMs;
    sending = due < kStallLimitMs && WaitUntil(start, due, link.generation) &&
              SendAll(client, body.data() + i, 1);
  }
  if (sending) {
    CloseGracefully(client);
  } else {
    ResetConnection(client);
  }
}

LinkValues IspServer::ValuesFromQuery(const std::string& query) const {
  LinkValues values = state_.Defaults();
  double number;
  if (QueryNumber(query, "mtu", number)) values.mtu = static_cast<int>(number);
  if (QueryNumber(query, "rwin", number)) values.rwin = static_cast<int>(number);
  if (QueryNumber(query, "ttl", number)) values.ttl = static_cast<int>(number);
  if (QueryNumber(query, "speed", number)) values.speed = static_cast<int>(number);
  if (QueryNumber(query, "seed", number)) values.seed = static_cast<std::uint32_t>(number);
  if (QueryNumber(query, "noise", number)) values.noisePercent = number;
  if (QueryNumber(query, "scale", number)) values.scale = number;
  return SanitizedLinkValues(values);
}

bool IspServer::SetSite(const std::string& query, std::string& answer) {
  std::string host;
  std::string root;
  if (!QueryValue(query, "host", host) || !QueryValue(query, "root", root)) return false;
  std::lock_guard<std::mutex> lock(catalogMutex_);
  if (!catalog_.SetSite(host, root)) return false;
  answer = "site " + host + " " + root + "\n";
  return true;
}

void IspServer::HandleControl(SOCKET client, const HttpRequestHead& request) {
  const std::string command = request.path.substr(6);
  std::string answer;
  if (command == "link-up") {
    double owner = 0;
    if (!QueryNumber(request.query, "owner", owner) || owner < 0) owner = 0;
    WatchLinkOwner(0);  // the previous link's owner no longer matters
    if (!LinkUp(ValuesFromQuery(request.query))) {
      SendPlain(client, 500, "cannot listen on the web port\n");
      return;
    }
    WatchLinkOwner(static_cast<unsigned long>(owner));
    answer = "up\n";
  } else if (command == "link-down") {
    LinkDown();
    answer = "down\n";
  } else if (command == "status") {
    answer = "web=127.0.0.1:" + std::to_string(webPort_) + "\n" + state_.StatusText();
  } else if (command == "requests") {
    answer = state_.RequestLog();
  } else if (command == "paced") {
    answer = state_.PacedLog();
  } else if (command == "reset") {
    state_.ResetCounters();
    answer = "reset\n";
  } else if (command == "config") {
    state_.SetDefaults(ValuesFromQuery(request.query));
    answer = "config\n";
  } else if (command == "site") {
    if (!SetSite(request.query, answer)) {
      SendPlain(client, 400, "site needs host and a root path\n");
      return;
    }
  } else if (command == "fail-images") {
    double count = 0;
    if (!QueryNumber(request.query, "count", count) || count < 0) count = 0;
    state_.FailImageFetches(static_cast<unsigned>(count));
    answer = "failing " + std::to_string(static_cast<unsigned>(count)) + "\n";
  } else if (command == "quit") {
    SendPlain(client, 200, "bye\n");
    stopping_ = true;
    return;
  } else {
    SendPlain(client, 404, "unknown control request\n");
    return;
  }
  SendPlain(client, 200, answer);
}
