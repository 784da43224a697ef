// Owned registry key and its typed reads and writes (see RegKey.h).
#include "framework/RegKey.h"

#include <cstring>

RegKey& RegKey::operator=(RegKey&& other) noexcept {
  if (this != &other) {
    Close();
    key_ = other.Release();
  }
  return *this;
}

LONG RegKey::Open(HKEY parent, const std::string& path, REGSAM access) {
  Close();
  HKEY key = nullptr;
  LONG result = RegOpenKeyExA(parent, path.c_str(), 0, access, &key);
  if (result == ERROR_SUCCESS) key_ = key;
  return result;
}

LONG RegKey::Create(HKEY parent, const std::string& path, REGSAM access) {
  Close();
  HKEY key = nullptr;
  LONG result = RegCreateKeyExA(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                nullptr, &key, nullptr);
  if (result == ERROR_SUCCESS) key_ = key;
  return result;
}

void RegKey::Close() {
  if (key_ != nullptr) {
    RegCloseKey(key_);
    key_ = nullptr;
  }
}

HKEY RegKey::Release() {
  HKEY key = key_;
  key_ = nullptr;
  return key;
}

LONG RegKey::QueryDword(const std::string& name, DWORD& value) const {
  if (key_ == nullptr) return ERROR_INVALID_HANDLE;
  DWORD type = 0;
  DWORD data = 0;
  DWORD size = sizeof(data);
  LONG result = RegQueryValueExA(key_, RegValueName(name), nullptr, &type,
                                 reinterpret_cast<BYTE*>(&data), &size);
  if (result != ERROR_SUCCESS) return result;
  if (type != REG_DWORD || size != sizeof(data)) return ERROR_INVALID_DATA;
  value = data;
  return ERROR_SUCCESS;
}

LONG RegKey::QueryText(const std::string& name, std::string& text) const {
  if (key_ == nullptr) return ERROR_INVALID_HANDLE;
  // One spare byte past the limit keeps the buffer terminated whatever RAS or
  // the registry writes into it.
  char buffer[kTextLimit + 1] = {};
  DWORD type = 0;
  DWORD size = kTextLimit;
  LONG result = RegQueryValueExA(key_, RegValueName(name), nullptr, &type,
                                 reinterpret_cast<BYTE*>(buffer), &size);
  if (result != ERROR_SUCCESS) return result;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return ERROR_INVALID_DATA;
  const size_t length = strnlen(buffer, size);
  if (length >= kTextLimit) return ERROR_MORE_DATA;  // no room for the terminator
  text.assign(buffer, length);
  return ERROR_SUCCESS;
}

LONG RegKey::QueryRaw(const std::string& name, DWORD& type, std::vector<BYTE>& data) const {
  if (key_ == nullptr) return ERROR_INVALID_HANDLE;
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD size = 0;
    LONG result = RegQueryValueExA(key_, RegValueName(name), nullptr, &type, nullptr, &size);
    if (result != ERROR_SUCCESS) return result;
    data.assign(size + 1, 0);
    result = RegQueryValueExA(key_, RegValueName(name), nullptr, &type, data.data(), &size);
    if (result == ERROR_MORE_DATA) continue;  // grew between the two calls
    if (result != ERROR_SUCCESS) return result;
    data.resize(size);
    return ERROR_SUCCESS;
  }
  return ERROR_MORE_DATA;
}

LONG RegKey::SetDword(const std::string& name, DWORD value) {
  if (key_ == nullptr) return ERROR_INVALID_HANDLE;
  return RegSetValueExA(key_, RegValueName(name), 0, REG_DWORD,
                        reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

namespace {

// Windows 9x (and Wine when it plays 9x) stores a text value up to its first
// zero byte whatever the count says: there a text goes with its terminator,
// and the guard byte below would become part of it.
bool StoresTextsUpToTheirTerminator() { return (GetVersion() & 0x80000000u) != 0; }

bool IsTextType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

}  // namespace

LONG RegKey::SetText(const std::string& name, const std::string& text) {
  if (key_ == nullptr) return ERROR_INVALID_HANDLE;
  if (!FitsText(text)) return ERROR_INVALID_DATA;
  if (StoresTextsUpToTheirTerminator()) {
    return RegSetValueExA(key_, RegValueName(name), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1));
  }
  // RegSetValueExA stores one byte more than asked when the byte after the
  // data is a zero (it takes it for the text's terminator). A non-zero byte
  // after the copy keeps the stored length exactly that of the text.
  std::string copy = text;
  copy.push_back('\x01');
  return RegSetValueExA(key_, RegValueName(name), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(copy.data()),
                        static_cast<DWORD>(text.size()));
}

LONG RegKey::SetRaw(const std::string& name, DWORD type, const std::vector<BYTE>& data) {
  if (key_ == nullptr) return ERROR_INVALID_HANDLE;
  std::vector<BYTE> copy = data;
  if (StoresTextsUpToTheirTerminator() && IsTextType(type)) {
    copy.push_back(0);
    return RegSetValueExA(key_, RegValueName(name), 0, type, copy.data(),
                          static_cast<DWORD>(copy.size()));
  }
  // The same guard byte as in SetText: texts are stored with exactly their bytes.
  copy.push_back(0x01);
  return RegSetValueExA(key_, RegValueName(name), 0, type, copy.data(),
                        static_cast<DWORD>(data.size()));
}

LONG RegKey::DeleteValue(const std::string& name) {
  if (key_ == nullptr) return ERROR_INVALID_HANDLE;
  return RegDeleteValueA(key_, RegValueName(name));
}

LONG RegKey::Flush() {
  if (key_ == nullptr) return ERROR_INVALID_HANDLE;
  return RegFlushKey(key_);
}

LONG RegKey::EnumSubkey(DWORD index, std::string& name) const {
  if (key_ == nullptr) return ERROR_INVALID_HANDLE;
  char buffer[kTextLimit + 1] = {};
  DWORD size = kTextLimit;
  LONG result = RegEnumKeyExA(key_, index, buffer, &size, nullptr, nullptr, nullptr, nullptr);
  if (result != ERROR_SUCCESS) return result;
  name.assign(buffer, strnlen(buffer, kTextLimit));
  return ERROR_SUCCESS;
}

LONG RegKey::EnumValueName(DWORD index, std::string& name) const {
  if (key_ == nullptr) return ERROR_INVALID_HANDLE;
  char buffer[kTextLimit + 1] = {};
  DWORD size = kTextLimit;
  LONG result =
      RegEnumValueA(key_, index, buffer, &size, nullptr, nullptr, nullptr, nullptr);
  if (result != ERROR_SUCCESS) return result;
  name.assign(buffer, strnlen(buffer, kTextLimit));
  return ERROR_SUCCESS;
}

LONG DeleteKeyTree(HKEY parent, const std::string& path) {
  RegKey key;
  LONG result = key.Open(parent, path);
  if (result != ERROR_SUCCESS) return result;
  // Always take index 0: each deletion moves the next subkey there. A subkey
  // that cannot be deleted ends the loop instead of spinning on it.
  std::string child;
  while (key.EnumSubkey(0, child) == ERROR_SUCCESS) {
    if (DeleteKeyTree(key.Get(), child) != ERROR_SUCCESS) break;
  }
  key.Close();
  return RegDeleteKeyA(parent, path.c_str());
}
