// The uninstaller's questions about the user's TCP/IP values: whether a run
// of Velotune left its own values in effect with a backup to put back, and
// the restore itself - the program's own, verified by reading every value
// back, exactly as a start of the program would run it.
#pragma once

#include <string>

#include "settings/SettingsStore.h"

// True when the restore mark is set and "\Backup Registry" holds the user's
// values: a complete backup, or at least one copied value. Without any copy
// a restore would delete the values the user has, so it is never due then.
bool UserValuesRestoreDue(const CSettingsStore& store);

// Puts the user's values back and clears the mark once they read back equal
// to their copies; false otherwise, with the first value that differs.
bool RestoreUserValues(CSettingsStore& store, std::string& difference);
