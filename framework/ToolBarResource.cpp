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

namespace {

// Reads the layout from fields of one width, with or without the leading
// version field.
template <typename Field>
bool ParseFields(const void* data, size_t size, bool withVersion, ToolBarResource& layout) {
  const size_t headerFields = withVersion ? 4 : 3;
  if (size < headerFields * sizeof(Field)) return false;
  Field header[4] = {};
  std::memcpy(header, data, headerFields * sizeof(Field));
  const Field* fields = withVersion ? header + 1 : header;
  const size_t count = fields[2];
  if ((withVersion && header[0] != 1) || count > 0xFFFF ||
      size != (headerFields + count) * sizeof(Field)) {
    return false;
  }
  if (fields[0] == 0 || fields[0] > 0xFFFF || fields[1] == 0 || fields[1] > 0xFFFF) return false;
  layout.width = static_cast<WORD>(fields[0]);
  layout.height = static_cast<WORD>(fields[1]);
  layout.commands.assign(count, 0);
  const auto* items = static_cast<const unsigned char*>(data) + headerFields * sizeof(Field);
  for (size_t i = 0; i < count; ++i) {
    Field id;
    std::memcpy(&id, items + i * sizeof(Field), sizeof(id));
    layout.commands[i] = static_cast<WORD>(id);
  }
  return true;
}

}  // namespace

bool ParseToolBarResource(const void* data, size_t size, ToolBarResource& layout) {
  if (data == nullptr) return false;
  return ParseFields<WORD>(data, size, true, layout) ||
         ParseFields<DWORD>(data, size, false, layout);
}

bool LoadToolBarResource(int id, ToolBarResource& layout) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(kToolBarResourceType));
  if (found == nullptr) return false;
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  return ParseToolBarResource(data, SizeofResource(module, found), layout);
}
