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

// Posted by the AOL driver to the dial engine: a window whose text begins
// with "Welcome," exists in the AOL client (wParam 0, lParam 1).
constexpr UINT WM_AOLWELCOME = 0x8016;

// Sent by the dial engine's watch of the Windows dial dialog to itself: the
// dialog's connect button is enabled again, so the dial failed.
constexpr UINT WM_DIALWINDOWIDLE = 0x801B;

// Sent or posted by the client drivers to the dial engine: wParam one of the
// DN_ codes below, lParam its data.
constexpr UINT WM_DRIVERNOTIFY = 0x8064;

// Posted by the NetZero driver: wParam a step argument handed back to it.
constexpr UINT WM_NETZEROSTEP = 0x806B;

// Posted to a NetZero worker thread: start connecting, start disconnecting.
constexpr UINT WM_NETZEROCONNECT = 0x8019;
constexpr UINT WM_NETZERODISCONNECT = 0x801A;

// Notification codes of WM_DRIVERNOTIFY.
constexpr WPARAM DN_STEPTEXT = 0x8018;     // lParam: zero-terminated AOL sign-on step text
constexpr WPARAM DN_CONNECTED = 0x8066;    // the client reports the connection is up
constexpr WPARAM DN_FAILED = 0x806A;       // the client reports the dial failed
constexpr WPARAM DN_NOPASSWORD = 0x806C;   // the client has no saved password

// Timers of the dial engine's window.
constexpr UINT_PTR kTimerAolMainFrame = 61;
constexpr UINT_PTR kTimerAolLaunch = 62;
constexpr UINT_PTR kTimerAolSignOn = 64;
constexpr UINT_PTR kTimerAolWelcome = 65;
constexpr UINT_PTR kTimerNetZeroRestart = 67;
constexpr UINT_PTR kTimerDialDialog = 69;
constexpr UINT_PTR kTimerDialProgress = 70;
constexpr UINT_PTR kTimerCancelProgress = 71;
constexpr UINT_PTR kTimerCancelDialDialog = 72;
constexpr UINT_PTR kTimerJunoRedial = 80;
constexpr UINT_PTR kTimerJunoClose = 85;

// The Juno driver: its launch worker's start message, and the timers of its
// own hidden window.
constexpr UINT WM_JUNOLAUNCH = 0x801C;
constexpr UINT_PTR kTimerJunoMainWindow = 73;
constexpr UINT_PTR kTimerJunoWelcome = 74;
constexpr UINT_PTR kTimerJunoDialWatch = 75;
constexpr UINT_PTR kTimerJunoClosing = 76;
constexpr UINT_PTR kTimerJunoFailed = 80;
constexpr UINT_PTR kTimerJunoErrorWindow = 32798;
constexpr UINT_PTR kTimerJunoOutcome = 32799;
constexpr UINT_PTR kTimerJunoDisconnect = 32800;

// The AT&T WorldNet driver: its launch worker's start message, and the
// timers of its own hidden window.
constexpr UINT WM_ATTLAUNCH = 0x8021;
constexpr UINT_PTR kTimerAttConnectWatch = 79;
constexpr UINT_PTR kTimerAttLogon = 82;
constexpr UINT_PTR kTimerAttWelcome = 83;
constexpr UINT_PTR kTimerAttDisconnect = 32800;
