// A client program's connection to the lab's ISP: up with the TCP/IP values
// the connection carries, down again at hang-up or when the program ends.
// Both are logged ("link-up mtu=M rwin=R ttl=T", "link-down"); an ISP that
// does not answer is logged as "link-up failed".
#pragma once

#include "sim/clients/common/ClientLog.h"
#include "sim/link/TcpipInEffect.h"

class ClientLink {
 public:
  explicit ClientLink(const ClientLog& log) : log_(log) {}
  ~ClientLink() { Down(); }

  ClientLink(const ClientLink&) = delete;
  ClientLink& operator=(const ClientLink&) = delete;

  void Up(const TcpipInEffect& values);
  void Down();
  bool IsUp() const { return up_; }

  // What a dial-up connection of the running Windows family carries.
  static TcpipInEffect FamilyValues();

 private:
  const ClientLog& log_;
  bool up_ = false;
};
