// Finding and clicking icons in Wine's notification area (see WineTray.h).
#include "tests/e2e/WineTray.h"

#include <algorithm>
#include <string>

namespace e2e {

namespace {

// Wine 8's X11 driver names the icons' windows so; others "__wine_tray_icon".
bool IsTrayIconWindow(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof(name));
  const std::string className(name);
  return className == "__winex11_tray_icon" || className == "__wine_tray_icon";
}

BOOL CALLBACK CollectIcon(HWND child, LPARAM list) {
  if (IsTrayIconWindow(child) && IsWindowVisible(child)) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  }
  return TRUE;
}

}  // namespace

std::vector<HWND> TrayIcons() {
  std::vector<HWND> icons;
  HWND tray = FindWindowA(nullptr, "Wine System Tray");
  if (tray != nullptr) EnumChildWindows(tray, CollectIcon, reinterpret_cast<LPARAM>(&icons));
  return icons;
}

HWND WaitForNewTrayIcon(const std::vector<HWND>& known, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  do {
    for (HWND icon : TrayIcons()) {
      if (std::find(known.begin(), known.end(), icon) == known.end()) return icon;
    }
    Sleep(20);
  } while (GetTickCount() - start < timeoutMs);
  return nullptr;
}

void LeftClickTrayIcon(HWND icon) {
  PostMessageA(icon, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageA(icon, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

bool WaitUntilIdle(HWND window, DWORD timeoutMs) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

}  // namespace e2e
