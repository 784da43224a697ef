// Window pictures (see WindowPicture.h).
#include "tests/support/WindowPicture.h"

#include "tests/e2e/WindowDriver.h"

bool SaveWindowPicture(HWND window, const std::string& path) {
  RECT rect;
  if (!GetWindowRect(window, &rect)) return false;
  // Drawn now, then copied from the screen, where the children's text is.
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  return e2e::SaveScreenArea(rect, path);
}

std::string TestPicturePath(const std::string& name) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  folder = folder.substr(0, folder.rfind('\\')) + "\\pictures";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder + "\\" + name + ".bmp";
}
