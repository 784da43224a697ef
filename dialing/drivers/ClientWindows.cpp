// Finding and driving the client programs' windows.
#include "dialing/drivers/ClientWindows.h"

#include "dialing/ForeignWindow.h"

namespace clientwindows {
namespace {

constexpr int kTextSize = 256;

struct TopLevelSearch {
  const TopLevelTest* matches;
  HWND found;
};

// A top-level window's caption is kept by the system: reading it sends the
// owner nothing, so a hung client cannot hold the caller.
std::string CaptionOf(HWND window) {
  char text[kTextSize] = {};
  GetWindowTextA(window, text, kTextSize);
  return text;
}

BOOL CALLBACK TestTopLevel(HWND window, LPARAM search) {
  auto* state = reinterpret_cast<TopLevelSearch*>(search);
  if (!(*state->matches)(window, CaptionOf(window))) return TRUE;
  state->found = window;
  return FALSE;
}

}  // namespace

HWND FindTopLevelWhere(const TopLevelTest& matches) {
  TopLevelSearch search{&matches, nullptr};
  EnumWindows(&TestTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindDirectChild(HWND parent, const std::string& title) {
  if (parent == nullptr) return nullptr;
  for (HWND child = FindWindowExA(parent, nullptr, nullptr, title.c_str()); child != nullptr;
       child = FindWindowExA(parent, child, nullptr, title.c_str())) {
    if (foreignwindow::TextOf(child) == title) return child;
  }
  return nullptr;
}

HWND FindDirectChildOfClass(HWND parent, const char* windowClass) {
  if (parent == nullptr) return nullptr;
  return FindWindowExA(parent, nullptr, windowClass, nullptr);
}

void ClickAt(HWND window, int x, int y) {
  LPARAM point = MAKELPARAM(x, y);
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageA(window, WM_LBUTTONUP, 0, point);
}

}  // namespace clientwindows
