// The texts Remote Access Service gives for its error numbers, for the errors
// the lab's stand-in can produce.
#pragma once

#include <windows.h>

// The text of a RAS error number; null for a number the stand-in does not know.
const char* RasErrorTextOf(DWORD error);
