// Control requests to the lab's ISP server (see IspLink.h).
#include "sim/link/IspLink.h"

#include <winsock2.h>
#include <windows.h>

#include <cstdlib>

namespace {

constexpr DWORD kAddressCapacity = 256;
constexpr DWORD kSocketTimeoutMs = 5000;
constexpr size_t kMaxAnswerBytes = 64 * 1024;

class WinsockSession {
 public:
  WinsockSession() : ok_(WSAStartup(MAKEWORD(2, 2), &data_) == 0) {}
  ~WinsockSession() {
    if (ok_) WSACleanup();
  }
  WinsockSession(const WinsockSession&) = delete;
  WinsockSession& operator=(const WinsockSession&) = delete;
  bool Ok() const { return ok_; }

 private:
  WSADATA data_;
  bool ok_;
};

bool ParseAddress(const std::string& address, sockaddr_in& to) {
  size_t colon = address.rfind(':');
  if (colon == std::string::npos || colon == 0) return false;
  char* end = nullptr;
  unsigned long port = std::strtoul(address.c_str() + colon + 1, &end, 10);
  unsigned long host = inet_addr(address.substr(0, colon).c_str());
  if (*end != '\0' || port == 0 || port > 65535 || host == INADDR_NONE) return false;
  to = sockaddr_in();
  to.sin_family = AF_INET;
  to.sin_addr.s_addr = host;
  to.sin_port = htons(static_cast<u_short>(port));
  return true;
}

// Sends the request and reads the whole response (the server closes after it).
bool Exchange(const sockaddr_in& to, const std::string& request, std::string& response) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) return false;
  DWORD timeout = kSocketTimeoutMs;
  setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
  setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
  bool ok = connect(s, reinterpret_cast<const sockaddr*>(&to), sizeof(to)) == 0 &&
            send(s, request.data(), static_cast<int>(request.size()), 0) ==
                static_cast<int>(request.size());
  char buffer[4096];
  int received = 0;
  while (ok && (received = recv(s, buffer, sizeof(buffer), 0)) > 0) {
    response.append(buffer, static_cast<size_t>(received));
    if (response.size() > kMaxAnswerBytes) ok = false;
  }
  closesocket(s);
  return ok && received == 0;
}

}  // namespace

std::string LabIspAddress() {
  char address[kAddressCapacity] = {};
  DWORD length = GetEnvironmentVariableA("VELOTUNE_LAB_ISP", address, kAddressCapacity);
  if (length == 0 || length >= kAddressCapacity) return std::string();
  return std::string(address, length);
}

bool SendIspControl(const std::string& address, const std::string& request, std::string& answer) {
  answer.clear();
  sockaddr_in to;
  if (!ParseAddress(address, to)) return false;
  WinsockSession winsock;
  if (!winsock.Ok()) return false;
  std::string response;
  if (!Exchange(to, "GET /_lab/" + request + " HTTP/1.0\r\nHost: " + address + "\r\n\r\n",
                response)) {
    return false;
  }
  if (response.compare(0, 9, "HTTP/1.0 ") != 0 && response.compare(0, 9, "HTTP/1.1 ") != 0) {
    return false;
  }
  if (response.compare(9, 3, "200") != 0) return false;
  size_t body = response.find("\r\n\r\n");
  if (body != std::string::npos) answer = response.substr(body + 4);
  return true;
}

bool BringLinkUp(const std::string& address, const TcpipInEffect& values, int speed) {
  std::string request = "link-up?mtu=" + std::to_string(values.mtu) +
                        "&rwin=" + std::to_string(values.rwin) +
                        "&ttl=" + std::to_string(values.ttl);
  if (speed > 0) request += "&speed=" + std::to_string(speed);
  // The server takes the link down when this process ends without hanging up.
  request += "&owner=" + std::to_string(GetCurrentProcessId());
  std::string answer;
  return SendIspControl(address, request, answer);
}

bool TakeLinkDown(const std::string& address) {
  std::string answer;
  return SendIspControl(address, "link-down", answer);
}
