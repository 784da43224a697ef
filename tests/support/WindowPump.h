// Pumping the test thread's messages while waiting for windows to act, with
// a bound on the wait (never scaled).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Pumps until `done` holds or `timeoutMs` has passed; true when it held.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
// Pumps for a while, letting timers fire.
void PumpFor(DWORD milliseconds);
// The text of a window (any process).
std::string WindowText(HWND window);
