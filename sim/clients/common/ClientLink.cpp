// Brings the lab's ISP link up and down for a client program.
#include "sim/clients/common/ClientLink.h"

#include <string>

#include "sim/link/IspLink.h"

void ClientLink::Up(const TcpipInEffect& values) {
  if (up_) return;
  std::string detail = "mtu=" + std::to_string(values.mtu) + " rwin=" +
                       std::to_string(values.rwin) + " ttl=" + std::to_string(values.ttl);
  std::string isp = LabIspAddress();
  if (!isp.empty() && !BringLinkUp(isp, values, 0)) {
    log_.Write("link-up", "failed " + detail);
    return;
  }
  up_ = true;
  log_.Write("link-up", detail);
}

void ClientLink::Down() {
  if (!up_) return;
  up_ = false;
  std::string isp = LabIspAddress();
  if (!isp.empty()) TakeLinkDown(isp);
  log_.Write("link-down");
}

TcpipInEffect ClientLink::FamilyValues() { return ReadTcpipInEffect(RunningOsFamily()); }
