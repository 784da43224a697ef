// Operating-system family from the version numbers.
#include "settings/portable/OsFamily.h"

OsFamily OsFamilyFromVersion(unsigned long platformId, unsigned long major, unsigned long minor) {
  switch (platformId) {
    case kPlatformWin32s:
      return kOsWin32s;
    case kPlatformWindows9x:
      if (major < 4 || (major == 4 && minor == 0)) return kOsWindows95;
      if (major == 4 && minor < 90) return kOsWindows98;
      return kOsWindowsMe;
    case kPlatformWindowsNT:
      if (major <= 4) return kOsWindowsNT4;
      if (major == 5) return kOsWindows2000;
      return kOsUnknown;
    default:
      return kOsUnknown;
  }
}
