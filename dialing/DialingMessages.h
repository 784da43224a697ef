// The private window messages of the dialing subsystem. Each value is fixed:
// other programs never see them, but every part of the subsystem and its
// tests must agree on them.
#pragma once

#include <windows.h>

// <ras.h> names the system's own RAS notification message the same way; the
// program's callback posts its own message instead.
#ifdef WM_RASDIALEVENT
#undef WM_RASDIALEVENT
#endif

// Posted by the RAS callback to the notification window:
// wParam = RAS connection state, lParam = RAS error number (0 = none).
constexpr UINT WM_RASDIALEVENT = 0x800F;

// Sent by the Internet-dial worker to the notification window when its dial
// has ended: wParam = status code, lParam = WinINet connection handle.
constexpr UINT WM_INETDIALRESULT = 0x8046;

// Posted to the Internet-dial worker thread to start its dial.
constexpr UINT WM_INETDIALSTART = 0x8047;
