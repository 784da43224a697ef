// Remote Access Service as the program calls it: the Windows 95 layouts of
// the structures it passes to rasapi32.dll, the signatures of the functions
// it looks up at run time, and the RAS error numbers it acts on.
//
// The program is built against newer headers whose structures are larger;
// Windows 95 rejects every size but its own, and every later system still
// accepts these, so the program fills them itself. The lab's RAS stand-in
// uses the same definitions.
#pragma once

#include <windows.h>

namespace ras95 {

// Text lengths without the terminating zero.
constexpr int kMaxEntryName = 256;
constexpr int kMaxPhoneNumber = 128;
constexpr int kMaxCallbackNumber = 128;
constexpr int kMaxUserName = 256;
constexpr int kMaxPassword = 256;
constexpr int kMaxDomain = 15;
constexpr int kMaxDeviceType = 16;
constexpr int kMaxDeviceName = 128;

using ConnectionHandle = HANDLE;

// RASDIALPARAMSA.
struct DialParams {
  DWORD size;
  char entryName[kMaxEntryName + 1];
  char phoneNumber[kMaxPhoneNumber + 1];
  char callbackNumber[kMaxCallbackNumber + 1];
  char userName[kMaxUserName + 1];
  char password[kMaxPassword + 1];
  char domain[kMaxDomain + 1];
};

// RASCONNA.
struct Connection {
  DWORD size;
  ConnectionHandle handle;
  char entryName[kMaxEntryName + 1];
  char deviceType[kMaxDeviceType + 1];
  char deviceName[kMaxDeviceName + 1];
};

// RASCONNSTATUSA.
struct ConnectionStatus {
  DWORD size;
  DWORD state;
  DWORD error;
  char deviceType[kMaxDeviceType + 1];
  char deviceName[kMaxDeviceName + 1];
};

// RASENTRYNAMEA.
struct EntryName {
  DWORD size;
  char entryName[kMaxEntryName + 1];
};

static_assert(sizeof(DialParams) == 1052, "Windows 95 RASDIALPARAMSA");
static_assert(sizeof(Connection) == 412, "Windows 95 RASCONNA");
static_assert(sizeof(ConnectionStatus) == 160, "Windows 95 RASCONNSTATUSA");
static_assert(sizeof(EntryName) == 264, "Windows 95 RASENTRYNAMEA");

// The type-0 notifier (RASDIALFUNC): message, connection state, RAS error.
using DialNotifier = VOID(WINAPI*)(UINT message, UINT state, DWORD error);
constexpr DWORD kNotifierType0 = 0;

using RasDialFunction = DWORD(WINAPI*)(void* extensions, const char* phoneBook,
                                       DialParams* params, DWORD notifierType, void* notifier,
                                       ConnectionHandle* connection);
using RasHangUpFunction = DWORD(WINAPI*)(ConnectionHandle connection);
using RasGetConnectStatusFunction = DWORD(WINAPI*)(ConnectionHandle connection,
                                                   ConnectionStatus* status);
using RasEnumConnectionsFunction = DWORD(WINAPI*)(Connection* connections, DWORD* bytes,
                                                  DWORD* count);

// RAS error numbers.
constexpr DWORD kErrorPending = 600;
constexpr DWORD kErrorPortAlreadyOpen = 602;
constexpr DWORD kErrorBufferTooSmall = 603;
constexpr DWORD kErrorPortDisconnected = 619;
constexpr DWORD kErrorCannotFindPhonebookEntry = 623;
constexpr DWORD kErrorRemoteDisconnection = 629;
constexpr DWORD kErrorUserDisconnection = 631;
constexpr DWORD kErrorInvalidSize = 632;
constexpr DWORD kErrorLineBusy = 676;
constexpr DWORD kErrorNoAnswer = 678;
constexpr DWORD kErrorNoDialTone = 680;
constexpr DWORD kErrorAuthenticationFailure = 691;

}  // namespace ras95
