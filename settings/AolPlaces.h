// The registry places of the AOL client and adapter, shared by the parts of
// CAolSettings.
#pragma once

#include <string>

#include "settings/RegistryNames.h"
#include "settings/SettingsStore.h"

namespace aolplaces {

// "SOFTWARE\America Online\AOL\{name}" for "aolsock" or "AolsockBack".
inline std::string ClientKey(const std::string& name) {
  return std::string(regnames::kAolClientKey) + "\\" + name;
}

// The copy of an AOL place in the program's backup key.
inline std::string BackupKey(const std::string& suffix) {
  return CSettingsStore::ProgramKeyPath(regnames::kBackupRegistry) + regnames::kAolBackup + suffix;
}

// The TCP/IP binding values the AOL adapter's MTU is written to, in the order
// they are read and written.
inline const char* const kBindingValues[] = {regnames::kMaxMtu, regnames::kIpMtu,
                                             regnames::kMaxMss};

}  // namespace aolplaces
