// Reading and pressing the windows of other programs (the Windows dial-up
// dialogs, the providers' client programs) from the dial engine's side.
// Texts are read with WM_GETTEXT into a 256-byte buffer, which works across
// processes; controls are pressed with the space bar, the one key a button
// of another program reliably reacts to.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace foreignwindow {

// The window's text (at most 255 characters); empty when it does not answer
// within a short time.
std::string TextOf(HWND window);

// Every descendant in EnumChildWindows order (depth first, in z-order).
std::vector<HWND> ChildrenInOrder(HWND window);

// The first descendant, in that order, whose text is exactly `text`; null when none.
HWND ChildWithText(HWND window, const std::string& text);

// True when `text` begins with `prefix` (case and punctuation included).
bool StartsWith(const std::string& text, const std::string& prefix);

// Top-level windows of the class (null: any) whose title is exactly `title`
// (null: any title). FindWindowA ignores case, so titles are checked here.
HWND FindExact(const char* windowClass, const char* title);
// Every top-level window of the class, visible or not.
std::vector<HWND> TopLevelOfClass(const char* windowClass);

// Focus for a window of another thread, through that thread's input state.
void FocusAcrossThreads(HWND control);
// Key-down and key-up of one key, posted to the control.
void PostKey(HWND control, WPARAM key, UINT scanCode);
// Focus, then the space bar down and up.
void Press(HWND control);

}  // namespace foreignwindow
