// The tool bar resource (type 241) that resource compilers make from a
// TOOLBAR statement: button width and height, button count, then the command
// id of each button (0 for a separator). rc writes WORDs after a version
// field of 1; windres writes DWORDs without the version.
#pragma once

#include <windows.h>

#include <vector>

struct ToolBarResource {
  WORD width = 0;
  WORD height = 0;
  std::vector<WORD> commands;

  // The number of images the buttons use (separators have none).
  int ImageCount() const;
};

// Reads tool bar `id` of the program's resources; false when missing or malformed.
bool LoadToolBarResource(int id, ToolBarResource& layout);

// Parses the resource's bytes.
bool ParseToolBarResource(const void* data, size_t size, ToolBarResource& layout);
