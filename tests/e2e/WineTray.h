// Wine's notification area as the end-to-end tests see it: without a desktop
// tray every program's icon is a small window inside the "Wine System Tray"
// window, and a click on that window reaches the icon's owner as its
// notification message, as a user's click on the icon would.
#pragma once

#include <windows.h>

#include <vector>

namespace e2e {

// The icons shown now, in the tray window's order.
std::vector<HWND> TrayIcons();
// The icon that is in the tray now and was not among `known` (icons of
// programs that ended may stay there); null after `timeoutMs`.
HWND WaitForNewTrayIcon(const std::vector<HWND>& known, DWORD timeoutMs);
// A single left click (button down and up) on the icon.
void LeftClickTrayIcon(HWND icon);
// Waits until the thread that owns `window` takes its next message, so that
// whatever it was busy with (a hang-up and its waits) has ended.
bool WaitUntilIdle(HWND window, DWORD timeoutMs);

}  // namespace e2e
