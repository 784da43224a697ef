// The dialing functions of the lab's stand-in: RasDialA, RasHangUpA,
// RasGetConnectStatusA and RasEnumConnectionsA. The lab's modem is not
// simulated yet: a dial fails as it does on a system whose dial-up device is
// missing, no connection ever exists, and the handle functions answer as RAS
// does for a handle it does not know.
#include <windows.h>

#include "framework/RasLayouts.h"

extern "C" DWORD WINAPI RasDialA(void* /*extensions*/, LPCSTR /*phonebook*/,
                                 ras::DialParams* params, DWORD /*notifierType*/,
                                 void* /*notifier*/, ras::ConnectionHandle* connection) {
  if (params == nullptr || connection == nullptr) return ERROR_INVALID_PARAMETER;
  if (params->size != sizeof(ras::DialParams)) return ras::kInvalidSize;
  *connection = nullptr;
  return ras::kDeviceDoesNotExist;
}

extern "C" DWORD WINAPI RasHangUpA(ras::ConnectionHandle /*connection*/) {
  return ERROR_INVALID_HANDLE;
}

extern "C" DWORD WINAPI RasGetConnectStatusA(ras::ConnectionHandle /*connection*/,
                                             ras::ConnectionStatus* status) {
  if (status == nullptr) return ERROR_INVALID_PARAMETER;
  return ERROR_INVALID_HANDLE;
}

extern "C" DWORD WINAPI RasEnumConnectionsA(ras::Connection* connections, DWORD* bufferSize,
                                            DWORD* count) {
  if (connections == nullptr || bufferSize == nullptr || count == nullptr) {
    return ERROR_INVALID_PARAMETER;
  }
  if (connections->size != sizeof(ras::Connection)) return ras::kInvalidSize;
  *count = 0;
  return ERROR_SUCCESS;
}
