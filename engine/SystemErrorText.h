// Texts of operating-system and RAS error numbers.
#pragma once

#include <windows.h>

#include <string>

// Shows the system's text for a Win32 error number in an "Error" box.
void ShowSystemError(DWORD error);

// RAS's text for a RAS error number, through RasGetErrorStringA of the given
// rasapi32.dll module. With a null module the library is loaded for this call
// and freed afterwards. The text is always defined: empty when RAS wrote none.
// Returns RasGetErrorStringA's result when the caller's module was used (127,
// ERROR_PROC_NOT_FOUND, when it lacks the function), FreeLibrary's result when
// the library was loaded for the call (FALSE when it could not be loaded).
DWORD RasErrorText(HMODULE rasapi32, DWORD rasError, std::string& text);
