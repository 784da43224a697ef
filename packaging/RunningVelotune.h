// Ending every running Velotune.exe before the uninstaller removes its files.
// Each is asked as a user would ask it - its main window closed, then the
// notification-area menu's Exit when closing only hid it - so that a tune-up
// or a tray dial in progress hangs up and puts the user's values back itself.
// One that has not gone in time is ended by force; its values are then left
// to the restore the uninstaller runs next.
#pragma once

#include <windows.h>

#include <string>

// Ends every Velotune.exe that has a main window. `askedWaitMs` is how long
// each may take to end when asked. Returns how many were still running
// afterwards (0 when all have gone); `report` gets one line per program.
int EndRunningVelotune(DWORD askedWaitMs, std::string& report);
