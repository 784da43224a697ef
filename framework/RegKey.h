// An owned registry key handle, closed when the object goes, with the typed
// reads and writes the program uses.
//
// Texts are 8-bit. A text is written with the length of its characters and
// no terminating zero byte, and read into a buffer of kTextLimit bytes: a
// stored text of kTextLimit bytes or more does not fit and fails with
// ERROR_MORE_DATA, so such a text is never written either. A value of
// another type than the one asked for fails with ERROR_INVALID_DATA, so
// binary or odd data never becomes a number or a text.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class RegKey {
 public:
  static constexpr DWORD kTextLimit = 256;

  RegKey() = default;
  explicit RegKey(HKEY key) : key_(key) {}
  ~RegKey() { Close(); }

  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  RegKey(RegKey&& other) noexcept : key_(other.Release()) {}
  RegKey& operator=(RegKey&& other) noexcept;

  // Opens an existing key; closes whatever this object held before.
  LONG Open(HKEY parent, const std::string& path, REGSAM access = KEY_ALL_ACCESS);
  // Creates the key (or opens it when it exists).
  LONG Create(HKEY parent, const std::string& path, REGSAM access = KEY_ALL_ACCESS);
  void Close();
  HKEY Release();

  bool IsOpen() const { return key_ != nullptr; }
  HKEY Get() const { return key_; }

  // A REG_DWORD of exactly four bytes.
  LONG QueryDword(const std::string& name, DWORD& value) const;
  // A REG_SZ or REG_EXPAND_SZ text of fewer than kTextLimit bytes, up to its first zero byte.
  LONG QueryText(const std::string& name, std::string& text) const;
  // Type and bytes of any value, whatever its size.
  LONG QueryRaw(const std::string& name, DWORD& type, std::vector<BYTE>& data) const;

  LONG SetDword(const std::string& name, DWORD value);
  // Stored as REG_SZ with the length of the text and no terminating zero
  // byte. A text that could not be read back (see FitsText) is not written:
  // ERROR_INVALID_DATA.
  LONG SetText(const std::string& name, const std::string& text);
  // True when a text (or its stored bytes) fits the buffer texts are read into.
  static bool FitsText(const std::string& text) { return text.size() < kTextLimit; }
  LONG SetRaw(const std::string& name, DWORD type, const std::vector<BYTE>& data);

  LONG DeleteValue(const std::string& name);
  LONG Flush();

  // Name of the subkey at an index; ERROR_NO_MORE_ITEMS past the last one.
  // Names of kTextLimit bytes or more fail with ERROR_MORE_DATA.
  LONG EnumSubkey(DWORD index, std::string& name) const;
  // Name of the value at an index; ERROR_NO_MORE_ITEMS past the last one.
  LONG EnumValueName(DWORD index, std::string& name) const;

 private:
  HKEY key_ = nullptr;
};

// The text's value name for the registry: an empty name is the key's unnamed value.
inline const char* RegValueName(const std::string& name) {
  return name.empty() ? nullptr : name.c_str();
}

// Deletes a key with all its subkeys and values. ERROR_FILE_NOT_FOUND when
// the key does not exist.
LONG DeleteKeyTree(HKEY parent, const std::string& path);
