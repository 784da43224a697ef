// Registry steps that the parts of the settings store share: opening a key
// for writing, reading and writing a value as stored (type and bytes), and
// listing every subkey or value name of a key.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/RegKey.h"

// Opens the key for all access, creating it when it does not exist.
LONG OpenOrCreate(RegKey& key, HKEY hive, const std::string& path);

// A value exactly as stored: its type and its bytes.
struct StoredValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

// Reads a value of an existing key under HKEY_LOCAL_MACHINE; false when the
// key or the value does not exist or cannot be read.
bool ReadStoredValue(const std::string& key, const std::string& name, StoredValue& value);
LONG WriteStoredValue(RegKey& key, const std::string& name, const StoredValue& value);

// Every subkey name (or value name) of an open key, from index 0 until there
// are no more. An index whose name cannot be read (longer than a registry
// text may be) is skipped; any other failure ends the list, since it would
// repeat at every following index.
std::vector<std::string> AllSubkeyNames(const RegKey& key);
std::vector<std::string> AllValueNames(const RegKey& key);

// Deletes a value; a value that is already gone counts as deleted.
LONG DeleteValueIfPresent(RegKey& key, const std::string& name);
