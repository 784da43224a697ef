// Where the main window opens: the rectangle saved at the last close when it
// is usable, else the system's default place.
#pragma once

#include <windows.h>

// True when `saved` has a positive size and overlaps `screen`.
bool IsUsableWindowRect(const RECT& saved, const RECT& screen);

// The saved rectangle ("left", "top", "right", "bottom" of the program's
// settings) when all four read and it is usable on the virtual screen;
// otherwise false and the caller uses the default placement.
bool LoadSavedWindowRect(RECT& rect);

// Saves the window's rectangle unless it is minimised.
void SaveWindowRect(HWND window);
