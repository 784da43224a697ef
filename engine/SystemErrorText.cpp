// Texts of operating-system and RAS error numbers (see SystemErrorText.h).
#include "engine/SystemErrorText.h"

#include "framework/LoadedModule.h"
#include "framework/MessageBoxSeam.h"

#include <cstring>

namespace {

using RasGetErrorStringFunction = DWORD(WINAPI*)(UINT, LPSTR, DWORD);

constexpr DWORD kRasTextCapacity = 256;

DWORD CallRasGetErrorString(HMODULE rasapi32, DWORD rasError, std::string& text) {
  text.clear();
  auto getErrorString = reinterpret_cast<RasGetErrorStringFunction>(
      reinterpret_cast<void*>(GetProcAddress(rasapi32, "RasGetErrorStringA")));
  if (getErrorString == nullptr) return ERROR_PROC_NOT_FOUND;
  // Zero-filled, with a spare byte: a RAS that writes nothing (Wine's) or
  // fills the whole buffer still leaves a terminated text.
  char buffer[kRasTextCapacity + 1] = {};
  DWORD result = getErrorString(rasError, buffer, kRasTextCapacity);
  text.assign(buffer, strnlen(buffer, kRasTextCapacity));
  return result;
}

}  // namespace

void ShowSystemError(DWORD error) {
  char* systemText = nullptr;
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER |
                     FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                 reinterpret_cast<char*>(&systemText), 0, nullptr);
  ShowMessageBox(nullptr, systemText != nullptr ? systemText : "", "Error",
                 MB_OK | MB_ICONERROR);
  LocalFree(systemText);
}

DWORD RasErrorText(HMODULE rasapi32, DWORD rasError, std::string& text) {
  if (rasapi32 != nullptr) return CallRasGetErrorString(rasapi32, rasError, text);
  text.clear();
  LoadedModule library("rasapi32.dll");
  if (!library.IsLoaded()) return FALSE;
  CallRasGetErrorString(library.Get(), rasError, text);
  return library.Free();
}
