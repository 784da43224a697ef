// The tests' side of the lab's ISP server (VELOTUNE_LAB_ISP, host:port):
// control requests, the status counters, and a plain-socket HTTP GET.
#pragma once

#include <string>
#include <vector>

namespace lab {

// host:port of the running server's control port; empty when no lab runs.
std::string Address();
// host:port of its web port (the proxy address), which listens only while the link is up.
std::string WebAddress();

// One plain GET of "/_lab/<request>"; the answer's body, or false when the
// server cannot be reached or refuses the request.
bool Control(const std::string& request, std::string& answer);
// The answer of a control request that must succeed (a test failure otherwise).
std::string MustControl(const std::string& request);

// Values of "name=value" lines of the status text, in order.
std::vector<std::string> StatusValues(const std::string& name);
// The first such value; empty when there is none.
std::string StatusValue(const std::string& name);
int StatusNumber(const std::string& name);

// A minimal HTTP/1.0 GET over a plain socket to the server's web port; the
// whole response (head and body). False when the connection fails or is reset.
bool RawGet(const std::string& target, const std::string& host, std::string& response);

// Brings the link up for the life of the object and leaves the lab as it
// found it: link down, counters cleared.
class LinkUp {
 public:
  explicit LinkUp(const std::string& values = "speed=0");
  ~LinkUp();

  LinkUp(const LinkUp&) = delete;
  LinkUp& operator=(const LinkUp&) = delete;
};

}  // namespace lab
