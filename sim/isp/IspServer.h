// The lab's ISP and web server: a Winsock HTTP server on two loopback ports
// that stands for the ISP and the whole web.
//
// The web port answers as an origin server and as the HTTP proxy the lab's
// Wine prefix is set to use. It listens only while the simulated link is up,
// so without a link a client's connection is refused, as it would be without
// a dial-up connection. Every response is paced by the link model.
// The control port takes the lab's control requests under "/_lab/" (link up
// and down, counters, sites) at any time.
#pragma once

#include <winsock2.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

#include "sim/isp/HttpRequestHead.h"
#include "sim/isp/LabState.h"
#include "sim/isp/SiteCatalog.h"

class IspServer {
 public:
  explicit IspServer(const LinkValues& defaults);
  ~IspServer();

  IspServer(const IspServer&) = delete;
  IspServer& operator=(const IspServer&) = delete;

  // Binds the two ports on 127.0.0.1 (0: any free port); false when it cannot.
  bool Listen(unsigned short controlPort, unsigned short webPort);
  unsigned short ControlPort() const { return controlPort_; }
  unsigned short WebPort() const { return webPort_; }

  // Brings the link up or down, opening or closing the web port.
  bool LinkUp(const LinkValues& values);
  void LinkDown();
  // The link also goes down when the process that brought it up ends (0:
  // none named): a modem hangs up when the program holding its port is gone.
  void WatchLinkOwner(unsigned long processId);
  LinkValues Defaults() const { return state_.Defaults(); }

  // Accepts connections until a quit request arrives.
  void Run();

 private:
  static constexpr int kMaxConnections = 128;

  void AcceptWeb();
  void StartConnection(SOCKET client, bool control);
  void Serve(SOCKET client, bool control);
  void ServeContent(SOCKET client, const HttpRequestHead& request);
  void HandleControl(SOCKET client, const HttpRequestHead& request);
  bool SetSite(const std::string& query, std::string& answer);
  LinkValues ValuesFromQuery(const std::string& query) const;

  // The link model's times of one paced response (0: not reached).
  struct PacedTimes {
    double headMs = 0;   // until the head was delivered
    double wholeMs = 0;  // until the last byte was delivered
  };
  // Sends head and body as the link would deliver them, in the times the
  // link model gives. False when the client went away or the link dropped
  // (the connection is then reset).
  bool SendPaced(SOCKET client, const std::string& head, const std::string& body,
                 const LinkSnapshot& link, PacedTimes& times);
  void SendStalled(SOCKET client, const std::string& head, const std::string& body,
                   const LinkSnapshot& link);
  void SendTrickle(SOCKET client, const std::string& head, const std::string& body,
                   const LinkSnapshot& link);
  // Waits until `dueMs` after `startTicks`, in short steps that notice a dropped link.
  bool WaitUntil(double startMs, double dueMs, std::uint32_t generation) const;

  LabState state_;
  mutable std::mutex catalogMutex_;
  SiteCatalog catalog_;
  SOCKET controlListener_ = INVALID_SOCKET;
  unsigned short controlPort_ = 0;
  std::mutex webMutex_;  // guards the web listener against the control thread's link changes
  SOCKET webListener_ = INVALID_SOCKET;
  unsigned short webPort_ = 0;
  std::atomic<bool> stopping_{false};
  std::atomic<int> connections_{0};
  // Counts link changes, so that a watcher of an earlier link's owner stops.
  std::atomic<unsigned> linkSerial_{0};
  std::mutex watchMutex_;
  std::thread ownerWatch_;
};
