// The dialing functions of the lab's stand-in: RasDialA, RasHangUpA,
// RasGetConnectStatusA and RasEnumConnectionsA, with the checks RAS makes of
// its callers' arguments. The connections themselves are LabConnections'.
#include <windows.h>

#include "framework/RasLayouts.h"
#include "sim/ras/LabConnections.h"

extern "C" DWORD WINAPI RasDialA(void* /*extensions*/, LPCSTR phonebook, ras::DialParams* params,
                                 DWORD notifierType, void* notifier,
                                 ras::ConnectionHandle* connection) {
  if (params == nullptr || connection == nullptr) return ERROR_INVALID_PARAMETER;
  if (params->size != sizeof(ras::DialParams)) return ras::kInvalidSize;
  return labras::Dial(phonebook, *params, notifierType, notifier, connection);
}

extern "C" DWORD WINAPI RasHangUpA(ras::ConnectionHandle connection) {
  return labras::HangUp(connection);
}

extern "C" DWORD WINAPI RasGetConnectStatusA(ras::ConnectionHandle connection,
                                             ras::ConnectionStatus* status) {
  if (status == nullptr) return ERROR_INVALID_PARAMETER;
  return labras::ConnectStatus(connection, *status);
}

extern "C" DWORD WINAPI RasEnumConnectionsA(ras::Connection* connections, DWORD* bufferSize,
                                            DWORD* count) {
  if (connections == nullptr || bufferSize == nullptr || count == nullptr) {
    return ERROR_INVALID_PARAMETER;
  }
  return labras::EnumConnections(connections, *bufferSize, *count);
}
