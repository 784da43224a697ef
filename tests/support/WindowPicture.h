// Pictures of windows for the tests' records: a window as it appears on the
// screen, copied after it has drawn itself and written as a 24-bit BMP file
// (scripts and people turn it into a PNG with ImageMagick).
#pragma once

#include <windows.h>

#include <string>

// Draws `window` at once, copies its rectangle from the screen and writes it
// to `path`; false when the window cannot be copied or the file written.
bool SaveWindowPicture(HWND window, const std::string& path);

// "<folder of this test program>\pictures\<name>.bmp", the folder made if needed.
std::string TestPicturePath(const std::string& name);
