// File-open seam (see FileDialogSeam.h).
#include "framework/FileDialogSeam.h"

#include <commdlg.h>

#include <mutex>
#include <vector>

namespace {

std::mutex g_handlerMutex;
FileOpenHandler g_handler;

std::string SystemFileOpen(const FileOpenRequest& request) {
  // The system wants the filter as zero-separated pairs ending in two zeros.
  std::string filter = request.filter;
  for (char& c : filter) {
    if (c == '|') c = '\0';
  }
  filter.push_back('\0');
  filter.push_back('\0');
  std::vector<char> path(MAX_PATH, '\0');
  request.initialPath.copy(path.data(), path.size() - 1);
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = request.owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetOpenFileNameA(&dialog)) return std::string();
  return std::string(path.data());
}

}  // namespace

std::string ShowFileOpenDialog(const FileOpenRequest& request) {
  FileOpenHandler handler;
  {
    std::lock_guard<std::mutex> lock(g_handlerMutex);
    handler = g_handler;
  }
  return handler ? handler(request) : SystemFileOpen(request);
}

void SetFileOpenHandler(FileOpenHandler handler) {
  std::lock_guard<std::mutex> lock(g_handlerMutex);
  g_handler = std::move(handler);
}
