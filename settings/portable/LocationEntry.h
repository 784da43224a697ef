// Location entries: the texts that name one registry value holding a TCP/IP
// parameter, "value name:key path:" under HKEY_LOCAL_MACHINE. A value name of
// a single blank, like an empty one, stands for the key's unnamed value.
// Windows-free.
#pragma once

#include <string>

struct LocationEntry {
  std::string valueName;  // empty for the unnamed value
  std::string keyPath;
};

// The entry text of a value; the unnamed value is written as a single blank.
std::string MakeLocationEntry(const std::string& valueName, const std::string& keyPath);

// The value name is the text before the first colon, the key path the text
// between the first and the second colon (or the end).
LocationEntry ParseLocationEntry(const std::string& entry);

// The key that keeps the backup copy of a live key's values: `backupKey`
// followed by the live path without its first 33 characters (the services
// key every TCP/IP location lies under). Empty for a shorter path.
std::string MirroredKeyPath(const std::string& backupKey, const std::string& liveKey);
