// The operating-system families the program tells apart. Windows-free.
#pragma once

enum OsFamily : int {
  kOsUnknown = 0,  // the version could not be read, or an NT newer than 2000
  kOsWindows95 = 1,
  kOsWindows98 = 2,
  kOsWindows2000 = 3,
  kOsWindowsNT4 = 4,
  kOsWindowsMe = 5,
  kOsWin32s = 6,
};

// Platform ids as GetVersionEx reports them.
constexpr unsigned long kPlatformWin32s = 0;
constexpr unsigned long kPlatformWindows9x = 1;
constexpr unsigned long kPlatformWindowsNT = 2;

// The family of a platform id and version; kOsUnknown for an NT above 5.
OsFamily OsFamilyFromVersion(unsigned long platformId, unsigned long major, unsigned long minor);

// Windows NT 4 and Windows 2000: their TCP/IP values are DWORDs, elsewhere decimal texts.
inline bool IsNtFamily(int family) { return family == kOsWindows2000 || family == kOsWindowsNT4; }
