// The private window messages of the user interface. Each value is fixed so
// that every part of the program and its tests agree on it.
#pragma once

#include <windows.h>

// The notification-area icon's callback to the tray dialer's window:
// wParam = the icon's id, lParam = the mouse message on the icon.
constexpr UINT WM_TRAYNOTIFY = 0x8010;
