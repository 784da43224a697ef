// The TCP/IP values a dial-up link of the lab runs with: what Windows of the
// running family would take from the registry when a connection comes up.
// The lab reads them from where that Windows itself looks, independently of
// the program, so that a value the program writes to the wrong place has no
// effect on the simulated link, as on a real system.
#pragma once

struct TcpipInEffect {
  int mtu = 1500;
  int rwin = 8192;
  int ttl = 32;
};

// The family of the running system (as Wine's configured version reports it).
int RunningOsFamily();

// The values in effect for a new dial-up link; each missing or unreadable
// value is that family's default.
TcpipInEffect ReadTcpipInEffect(int osFamily);
