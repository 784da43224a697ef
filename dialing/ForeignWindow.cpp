// Reading and pressing other programs' windows.
#include "dialing/ForeignWindow.h"

namespace foreignwindow {
namespace {

constexpr UINT kAnswerTimeoutMs = 2000;
constexpr UINT kSpaceScanCode = 57;

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

LPARAM KeyData(UINT scanCode, bool up) {
  LPARAM data = 1 | (static_cast<LPARAM>(scanCode) << 16);
  if (up) data |= (static_cast<LPARAM>(1) << 30) | (static_cast<LPARAM>(1) << 31);
  return data;
}

}  // namespace

std::string TextOf(HWND window) {
  char text[256] = {};
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text),
                           SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &copied)) {
    return std::string();
  }
  text[sizeof(text) - 1] = '\0';
  return text;
}

std::vector<HWND> ChildrenInOrder(HWND window) {
  std::vector<HWND> children;
  if (window != nullptr) EnumChildWindows(window, &CollectWindow, reinterpret_cast<LPARAM>(&children));
  return children;
}

HWND ChildWithText(HWND window, const std::string& text) {
  for (HWND child : ChildrenInOrder(window)) {
    if (TextOf(child) == text) return child;
  }
  return nullptr;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

HWND FindExact(const char* windowClass, const char* title) {
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, windowClass, title)) != nullptr) {
    if (title == nullptr || TextOf(window) == title) return window;
  }
  return nullptr;
}

std::vector<HWND> TopLevelOfClass(const char* windowClass) {
  std::vector<HWND> windows;
  HWND window = nullptr;
  while ((window = FindWindowExA(nullptr, window, windowClass, nullptr)) != nullptr) {
    windows.push_back(window);
  }
  return windows;
}

void FocusAcrossThreads(HWND control) {
  DWORD own = GetCurrentThreadId();
  DWORD theirs = GetWindowThreadProcessId(control, nullptr);
  bool attached = theirs != own && AttachThreadInput(own, theirs, TRUE);
  SetFocus(control);
  if (attached) AttachThreadInput(own, theirs, FALSE);
}

void PostKey(HWND control, WPARAM key, UINT scanCode) {
  PostMessageA(control, WM_KEYDOWN, key, KeyData(scanCode, false));
  PostMessageA(control, WM_KEYUP, key, KeyData(scanCode, true));
}

void Press(HWND control) {
  FocusAcrossThreads(control);
  PostKey(control, VK_SPACE, kSpaceScanCode);
}

}  // namespace foreignwindow
