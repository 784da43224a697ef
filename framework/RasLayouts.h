// The Remote Access Service structures and entry points as Windows 95 lays
// them out. The program loads rasapi32.dll at run time and always passes these
// first-generation layouts, which every later Windows still accepts; the
// platform headers would give the larger layouts of the Windows version the
// program is compiled for. The lab's RAS stand-in answers with the same ones.
#pragma once

#include <windows.h>

namespace ras {

// Text limits without the terminating zero.
constexpr int kMaxEntryName = 256;
constexpr int kMaxPhoneNumber = 128;
constexpr int kMaxCallbackNumber = 128;
constexpr int kMaxUserName = 256;
constexpr int kMaxPassword = 256;
constexpr int kMaxDomain = 15;
constexpr int kMaxDeviceType = 16;
constexpr int kMaxDeviceName = 128;

// RAS error numbers the program and the stand-in use by name.
constexpr DWORD kErrorBase = 600;
constexpr DWORD kPending = 600;
constexpr DWORD kPortAlreadyOpen = 602;
constexpr DWORD kBufferTooSmall = 603;
constexpr DWORD kDeviceDoesNotExist = 608;
constexpr DWORD kPortDisconnected = 619;
constexpr DWORD kCannotOpenPhonebook = 621;
constexpr DWORD kCannotFindPhonebookEntry = 623;
constexpr DWORD kRemoteDisconnection = 629;
constexpr DWORD kUserDisconnection = 631;
constexpr DWORD kInvalidSize = 632;
constexpr DWORD kNoConnection = 668;
constexpr DWORD kLineBusy = 676;
constexpr DWORD kNoAnswer = 678;
constexpr DWORD kNoDialTone = 680;
constexpr DWORD kAuthenticationFailure = 691;
constexpr DWORD kPppTimeout = 718;
constexpr DWORD kErrorEnd = 800;  // one past the last RAS error number

// Connection states (RASCONNSTATE) the program names.
constexpr DWORD kStateConnected = 0x2000;
constexpr DWORD kStateDisconnected = 0x2001;

using ConnectionHandle = HANDLE;

struct EntryName {
  DWORD size;
  CHAR entryName[kMaxEntryName + 1];
};

struct Connection {
  DWORD size;
  ConnectionHandle handle;
  CHAR entryName[kMaxEntryName + 1];
  CHAR deviceType[kMaxDeviceType + 1];
  CHAR deviceName[kMaxDeviceName + 1];
};

struct ConnectionStatus {
  DWORD size;
  DWORD state;
  DWORD error;
  CHAR deviceType[kMaxDeviceType + 1];
  CHAR deviceName[kMaxDeviceName + 1];
};

struct DialParams {
  DWORD size;
  CHAR entryName[kMaxEntryName + 1];
  CHAR phoneNumber[kMaxPhoneNumber + 1];
  CHAR callbackNumber[kMaxCallbackNumber + 1];
  CHAR userName[kMaxUserName + 1];
  CHAR password[kMaxPassword + 1];
  CHAR domain[kMaxDomain + 1];
};

// The sizes callers put in each record's size field. The product (32-bit) has
// exactly the Windows 95 sizes. The 64-bit test build keeps the same fields
// with their natural 64-bit alignment: only the connection record, which holds
// a handle, grows (8-byte handle, 8-byte aligned). Program and stand-in share
// this header, so both agree on whichever layout the build uses.
#if defined(_WIN64)
constexpr DWORD kConnectionSize = 424;
#else
constexpr DWORD kConnectionSize = 412;
#endif
static_assert(sizeof(EntryName) == 264, "Windows 95 RASENTRYNAMEA");
static_assert(sizeof(Connection) == kConnectionSize, "RASCONNA of the build's layout");
static_assert(sizeof(ConnectionStatus) == 160, "Windows 95 RASCONNSTATUSA");
static_assert(sizeof(DialParams) == 1052, "Windows 95 RASDIALPARAMSA");

// The notifier of type 0: (message, connection state, error).
using DialNotifier0 = VOID(WINAPI*)(UINT, DWORD, DWORD);
constexpr DWORD kNotifierType0 = 0;

// The entry points of rasapi32.dll the program uses.
using RasDialFunction = DWORD(WINAPI*)(void* extensions, LPCSTR phonebook, DialParams* params,
                                       DWORD notifierType, void* notifier,
                                       ConnectionHandle* connection);
using RasHangUpFunction = DWORD(WINAPI*)(ConnectionHandle connection);
using RasGetConnectStatusFunction = DWORD(WINAPI*)(ConnectionHandle connection,
                                                   ConnectionStatus* status);
using RasEnumConnectionsFunction = DWORD(WINAPI*)(Connection* connections, DWORD* bufferSize,
                                                  DWORD* count);
using RasEnumEntriesFunction = DWORD(WINAPI*)(LPCSTR reserved, LPCSTR phonebook, EntryName* entries,
                                              DWORD* bufferSize, DWORD* count);
using RasGetErrorStringFunction = DWORD(WINAPI*)(UINT error, LPSTR text, DWORD textSize);

}  // namespace ras
