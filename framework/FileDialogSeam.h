// Every file-open dialog of the program goes through ShowFileOpenDialog.
//
// Normally it is GetOpenFileNameA. A test installs a handler that records the
// request and answers with a chosen path (or a cancel), so nothing waits for
// a person.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

struct FileOpenRequest {
  HWND owner = nullptr;
  std::string title;
  // Filter pairs separated by '|', e.g. "Programs (*.exe)|*.exe|All files|*.*".
  std::string filter;
  std::string initialPath;
};

// Returns the chosen path; an empty result means the user cancelled.
using FileOpenHandler = std::function<std::string(const FileOpenRequest&)>;

std::string ShowFileOpenDialog(const FileOpenRequest& request);

// Installs a handler for every following dialog; an empty handler restores the real one.
void SetFileOpenHandler(FileOpenHandler handler);
