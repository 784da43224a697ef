// Reading the TOOLBAR resource.
#include "framework/ToolBarResource.h"

#include <cstring>

namespace {

const WORD kToolBarResourceType = 241;

}  // namespace

int ToolBarResource::ImageCount() const {
  int images = 0;
  for (WORD id : commands) {
    if (id != 0) ++images;
  }
  return images;
}

bool ParseToolBarResource(const void* data, size_t size, ToolBarResource& layout) {
  const size_t kHeaderWords = 4;
  if (data == nullptr || size < kHeaderWords * sizeof(WORD)) return false;
  WORD header[kHeaderWords];
  std::memcpy(header, data, sizeof(header));
  const WORD version = header[0];
  const size_t count = header[3];
  if (version != 1 || size < (kHeaderWords + count) * sizeof(WORD)) return false;
  layout.width = header[1];
  layout.height = header[2];
  layout.commands.assign(count, 0);
  if (count > 0) {
    std::memcpy(layout.commands.data(), static_cast<const WORD*>(data) + kHeaderWords,
                count * sizeof(WORD));
  }
  return true;
}

bool LoadToolBarResource(int id, ToolBarResource& layout) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(kToolBarResourceType));
  if (found == nullptr) return false;
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  return ParseToolBarResource(data, SizeofResource(module, found), layout);
}
