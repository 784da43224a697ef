// Driving another program's windows as a user would, for the end-to-end
// tests and the demo: finding windows with bounded waits, reading texts and
// tree items, pressing buttons, choosing tree items, posting commands and
// typing keys. Every wait has a limit; nothing here knows the program.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// A visible or hidden top-level window whose class and title match (an empty
// text matches any), optionally one that holds a child with `childId`; waits
// up to `timeoutMs`. Null when none appears.
HWND WaitForWindow(const std::string& className, const std::string& title, DWORD timeoutMs,
                   int childId = 0);
// A child (at any depth) with the id; waits up to `timeoutMs`.
HWND WaitForChild(HWND parent, int id, DWORD timeoutMs);
HWND FindChild(HWND parent, int id);
// Waits until the window no longer exists.
bool WaitGone(HWND window, DWORD timeoutMs);
// Waits until the text of the window equals `text`.
bool WaitForText(HWND window, const std::string& text, DWORD timeoutMs);

std::string Text(HWND window);
// The window with the keyboard focus in the thread that owns `window`.
HWND FocusOf(HWND window);
RECT Rect(HWND window);

// The texts of a tree control of another process, depth first.
std::vector<std::string> TreeItemTexts(HWND tree);
// Selects the first item with the text, through the tree's own notifications;
// false when there is none or the selection was refused.
bool SelectTreeItem(HWND tree, const std::string& text);
// The text of the tree's selected item.
std::string SelectedTreeItem(HWND tree);

// Copies an area of the screen into a 24-bit BMP file; false when that fails.
bool SaveScreenArea(const RECT& area, const std::string& path);
// The colour of one pixel of the screen.
COLORREF ScreenPixel(int x, int y);

// Presses a button (BM_CLICK).
bool Click(HWND button);
// Posts WM_COMMAND with the id to the window.
bool PostCommand(HWND window, int id);
// Brings the window forward and types one key with the given modifiers
// (VK_CONTROL, VK_SHIFT, VK_MENU), pressed and released in order.
bool TypeKey(HWND window, WORD key, const std::vector<WORD>& modifiers = {});
// Brings the window forward and types the text key by key, with Shift where
// the keyboard layout needs it; false for a character no key makes.
bool TypeText(HWND window, const std::string& text);

}  // namespace e2e
