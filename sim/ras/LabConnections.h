// The connections of the lab's RAS stand-in: the modems of the lab dialling
// the entries of its phone book. Each dial runs on a thread of its own that
// reports the connection states to the caller's notifier at a modem's pace
// (scaled by VELOTUNE_TIME_SCALE), brings the ISP server's link up with the
// TCP/IP values in effect once connected, drops the line when the entry says
// so, and after a hang-up takes the link down and closes the port a little
// later, as RAS does in the background.
#pragma once

#include <windows.h>

#include "framework/RasLayouts.h"

namespace labras {

// RasDialA: 0 with the new connection's handle, or a RAS error at once.
DWORD Dial(LPCSTR phonebook, const ras::DialParams& params, DWORD notifierType, void* notifier,
           ras::ConnectionHandle* connection);
// RasHangUpA: 0, or ERROR_INVALID_HANDLE for a handle that is no connection (any more).
DWORD HangUp(ras::ConnectionHandle connection);
// RasGetConnectStatusA.
DWORD ConnectStatus(ras::ConnectionHandle connection, ras::ConnectionStatus& status);
// RasEnumConnectionsA: the connections being dialled or up.
DWORD EnumConnections(ras::Connection* connections, DWORD& bufferSize, DWORD& count);

}  // namespace labras
