// Saved window placement.
#include "ui/WindowPlacement.h"

#include "settings/SettingsStore.h"

bool IsUsableWindowRect(const RECT& saved, const RECT& screen) {
  if (saved.right <= saved.left || saved.bottom <= saved.top) return false;
  RECT overlap = {};
  return IntersectRect(&overlap, &saved, &screen) != FALSE;
}

bool LoadSavedWindowRect(RECT& rect) {
  DWORD left = 0;
  DWORD top = 0;
  DWORD right = 0;
  DWORD bottom = 0;
  if (CSettingsStore().GetWindowRect(left, top, right, bottom) != 0) return false;
  // Stored as DWORDs: a window left of or above the primary screen is negative.
  RECT saved = {static_cast<LONG>(left), static_cast<LONG>(top), static_cast<LONG>(right),
                static_cast<LONG>(bottom)};
  const int x = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  RECT screen = {x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                 y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  if (screen.right <= screen.left || screen.bottom <= screen.top) {
    screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  if (!IsUsableWindowRect(saved, screen)) return false;
  rect = saved;
  return true;
}

void SaveWindowRect(HWND window) {
  if (window == nullptr || IsIconic(window)) return;
  RECT rect = {};
  if (!GetWindowRect(window, &rect)) return;
  CSettingsStore().SetWindowRect(static_cast<DWORD>(rect.left), static_cast<DWORD>(rect.top),
                                 static_cast<DWORD>(rect.right), static_cast<DWORD>(rect.bottom));
}
