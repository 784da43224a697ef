// RasEnumEntriesA of the lab's stand-in: the entries of the lab's phone book
// as Windows 95 entry-name records, with RAS's answer to a buffer that is too
// small (603 and the size needed). A lab that sets VELOTUNE_LAB_PHONEBOOK_ERROR
// to a RAS error number gets that error instead of a listing, as from a system
// whose phone book RAS cannot read.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "framework/RasLayouts.h"
#include "sim/ras/LabPhonebook.h"

namespace {

// The error the lab asks the listing to fail with; 0 for none.
DWORD ListingErrorOfLab() {
  char text[16] = {};
  const DWORD length = GetEnvironmentVariableA("VELOTUNE_LAB_PHONEBOOK_ERROR", text, sizeof(text));
  if (length == 0 || length >= sizeof(text)) return 0;
  return static_cast<DWORD>(std::strtoul(text, nullptr, 10));
}

// The entries of the phone book the caller names, or of the lab's default one.
// A phone book the caller names must exist; a missing default one is empty,
// as on a system where no entry was ever made.
DWORD ReadEntryNames(LPCSTR phonebook, std::vector<std::string>& names) {
  LabPhonebook book;
  if (phonebook != nullptr) {
    if (!book.Load(phonebook)) return ras::kCannotOpenPhonebook;
  } else {
    book.Load(LabPhonebook::DefaultPath());
  }
  for (const std::string& name : book.EntryNames()) {
    // A name that does not fit the record is not an entry RAS could have made.
    if (!name.empty() && name.size() <= static_cast<size_t>(ras::kMaxEntryName)) {
      names.push_back(name);
    }
  }
  return ERROR_SUCCESS;
}

}  // namespace

extern "C" DWORD WINAPI RasEnumEntriesA(LPCSTR reserved, LPCSTR phonebook, ras::EntryName* entries,
                                        DWORD* bufferSize, DWORD* count) {
  if (reserved != nullptr || bufferSize == nullptr || count == nullptr) {
    return ERROR_INVALID_PARAMETER;
  }
  if (entries != nullptr && entries->size != sizeof(ras::EntryName)) return ras::kInvalidSize;
  if (const DWORD error = ListingErrorOfLab()) return error;

  std::vector<std::string> names;
  DWORD result = ReadEntryNames(phonebook, names);
  if (result != ERROR_SUCCESS) return result;

  const DWORD needed = static_cast<DWORD>(names.size() * sizeof(ras::EntryName));
  const DWORD available = entries != nullptr ? *bufferSize : 0;
  *count = static_cast<DWORD>(names.size());
  if (available < needed) {
    *bufferSize = needed;
    return ras::kBufferTooSmall;
  }
  for (size_t i = 0; i < names.size(); ++i) {
    ras::EntryName& record = entries[i];
    memset(&record, 0, sizeof(record));
    record.size = sizeof(ras::EntryName);
    memcpy(record.entryName, names[i].data(), names[i].size());
  }
  *bufferSize = needed;
  return ERROR_SUCCESS;
}
