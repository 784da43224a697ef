// The text a client driver passes with WM_DRIVERNOTIFY: only ever sent,
// never posted, so it lives while the notice is handled.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>

// The text at lParam (empty for 0), read no further than a client text can be.
inline std::string DriverNoticeText(LPARAM lParam) {
  const char* text = reinterpret_cast<const char*>(lParam);
  if (text == nullptr) return std::string();
  return std::string(text, strnlen(text, 512));
}
