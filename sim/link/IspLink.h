// The lab's side of the link gate at its ISP server: a stand-in that brings a
// simulated connection up tells the server the TCP/IP values the link runs
// with, and tells it again when the connection goes down. The server's
// address is VELOTUNE_LAB_ISP (host:port); without it there is no ISP and
// connections carry nothing.
#pragma once

#include <string>

#include "sim/link/TcpipInEffect.h"

// host:port of the lab's ISP server; empty when none is named.
std::string LabIspAddress();

// One control request (GET /_lab/<request>); true with the answer's body when
// the server answered 200. Bounded: a server that does not answer in a few
// seconds counts as unreachable.
bool SendIspControl(const std::string& address, const std::string& request, std::string& answer);

// The link is up with these values (and this line speed in bit/s; 0: the
// server's default).
bool BringLinkUp(const std::string& address, const TcpipInEffect& values, int speed);
bool TakeLinkDown(const std::string& address);
