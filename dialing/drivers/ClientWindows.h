// Finding the windows of the providers' client programs from outside, beside
// foreignwindow's reading and pressing: exact titles among top-level windows
// and direct children, and mouse clicks.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace clientwindows {

// The first top-level window, in z-order, that satisfies `matches` (given
// the window and its title); null when none.
using TopLevelTest = std::function<bool(HWND window, const std::string& title)>;
HWND FindTopLevelWhere(const TopLevelTest& matches);

// A direct child of `parent` whose text is exactly `title`; null when none.
HWND FindDirectChild(HWND parent, const std::string& title);

// The first direct child of the class; null when none.
HWND FindDirectChildOfClass(HWND parent, const char* windowClass);

// A mouse click (button down and up) at a client point of the window.
void ClickAt(HWND window, int x, int y);

}  // namespace clientwindows
