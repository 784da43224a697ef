// The tests' side of the lab's ISP server (see LabClient.h).
#include "tests/support/LabClient.h"

#include <winsock2.h>
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace lab {
namespace {

class Winsock {
 public:
  Winsock() { ok_ = WSAStartup(MAKEWORD(2, 2), &data_) == 0; }
  ~Winsock() {
    if (ok_) WSACleanup();
  }
  bool Ok() const { return ok_; }

 private:
  WSADATA data_;
  bool ok_;
};

bool Exchange(const std::string& address, const std::string& request, std::string& response) {
  size_t colon = address.rfind(':');
  if (colon == std::string::npos) return false;
  Winsock winsock;
  if (!winsock.Ok()) return false;
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) return false;
  sockaddr_in to = {};
  to.sin_family = AF_INET;
  to.sin_addr.s_addr = inet_addr(address.substr(0, colon).c_str());
  to.sin_port = htons(static_cast<u_short>(std::atoi(address.c_str() + colon + 1)));
  DWORD timeout = 60000;
  setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
  bool ok = connect(s, reinterpret_cast<sockaddr*>(&to), sizeof(to)) == 0 &&
            send(s, request.data(), static_cast<int>(request.size()), 0) ==
                static_cast<int>(request.size());
  char buffer[8192];
  int received = 0;
  while (ok && (received = recv(s, buffer, sizeof(buffer), 0)) > 0) response.append(buffer, received);
  closesocket(s);
  return ok && received == 0;
}

}  // namespace

std::string Address() {
  const char* address = std::getenv("VELOTUNE_LAB_ISP");
  return address == nullptr ? std::string() : std::string(address);
}

std::string WebAddress() {
  static const std::string web = StatusValue("web");
  return web;
}

bool RawGet(const std::string& target, const std::string& host, std::string& response) {
  response.clear();
  return Exchange(WebAddress(), "GET " + target + " HTTP/1.0\r\nHost: " + host + "\r\n\r\n",
                  response);
}

bool Control(const std::string& request, std::string& answer) {
  std::string response;
  std::string head = "GET /_lab/" + request + " HTTP/1.0\r\nHost: " + Address() + "\r\n\r\n";
  if (!Exchange(Address(), head, response)) return false;
  if (response.compare(0, 12, "HTTP/1.0 200") != 0) return false;
  size_t body = response.find("\r\n\r\n");
  answer = body == std::string::npos ? std::string() : response.substr(body + 4);
  return true;
}

std::string MustControl(const std::string& request) {
  std::string answer;
  EXPECT_TRUE(Control(request, answer)) << "lab control request failed: " << request;
  return answer;
}

std::vector<std::string> StatusValues(const std::string& name) {
  std::string status = MustControl("status");
  std::vector<std::string> values;
  size_t start = 0;
  while (start < status.size()) {
    size_t end = status.find('\n', start);
    std::string line = status.substr(start, end == std::string::npos ? end : end - start);
    if (line.compare(0, name.size() + 1, name + "=") == 0) values.push_back(line.substr(name.size() + 1));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return values;
}

std::string StatusValue(const std::string& name) {
  std::vector<std::string> values = StatusValues(name);
  return values.empty() ? std::string() : values.front();
}

int StatusNumber(const std::string& name) { return std::atoi(StatusValue(name).c_str()); }

LinkUp::LinkUp(const std::string& values) {
  MustControl("reset");
  MustControl("link-up?" + values);
}

LinkUp::~LinkUp() {
  MustControl("link-down");
  MustControl("reset");
}

}  // namespace lab
