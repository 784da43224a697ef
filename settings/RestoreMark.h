// CRestoreMark: the program's own record that the TCP/IP values in the
// registry may not be the user's. The tune-up and the tray dial set it before
// they write a test or best value; every restore reads the values back and
// clears it only when they match the backup. A run that ends without its
// restore (killed, crashed, switched off) leaves it set, and the next start
// puts the user's values back before anything else uses the network.
//
// The mark is the DWORD "Restore Pending" in "\Backup Registry": bit 1 for
// the TCP/IP values, bit 2 for the AOL client's and adapter's values.
#pragma once

#include <windows.h>

#include <string>

#include "settings/SettingsStore.h"

class CRestoreMark {
 public:
  static constexpr DWORD kTcpipValues = 1;
  static constexpr DWORD kAolValues = 2;

  explicit CRestoreMark(const CSettingsStore& store) : store_(store) {}

  // Before a test or best value is written: marks the TCP/IP values, and the
  // AOL values when America Online or CompuServe 2000 is the provider.
  int Set();
  // What the mark holds; 0 when it is not set.
  DWORD Read() const;

  // Puts the user's values back (the AOL values as well when `aol` is true
  // or the mark names them), reads every one back and clears the mark only
  // when all match their copies. False otherwise, with the first value that
  // differs in `difference`; the mark then stays for the next start.
  bool RestoreAndVerify(bool aol, std::string& difference);
  bool RestoreAndVerify(bool aol);

  // The start-up's check: when a previous run left the mark, restores and
  // verifies, and tells the user once what happened.
  void RestoreAfterUnfinishedRun(HWND owner);

 private:
  void Clear() const;

  CSettingsStore store_;
};
