// A copy of a registry tree (every value, as stored, and every subkey) that
// tests take before they change keys of the system and put back afterwards,
// and the flat list of a tree's values for comparing two states.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "framework/RegKey.h"

struct RegistryValueCopy {
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
  bool operator==(const RegistryValueCopy& other) const {
    return type == other.type && data == other.data;
  }
};

// Every value below a key, named "subkey path|value name" relative to it.
// Keys without values do not appear. Empty when the key does not exist.
using RegistryValueMap = std::map<std::string, RegistryValueCopy>;
RegistryValueMap FlattenValues(const std::string& path);

// Readable differences between two value maps, for test messages.
std::string DescribeDifferences(const RegistryValueMap& expected, const RegistryValueMap& actual);

class RegistryTreeSnapshot {
 public:
  RegistryTreeSnapshot() = default;
  // Captures the tree under HKEY_LOCAL_MACHINE\`path`.
  explicit RegistryTreeSnapshot(const std::string& path);

  // Puts the tree back as captured: changed values are rewritten, added
  // values and subkeys removed. Keys that were captured are never deleted.
  void Restore() const;

 private:
  struct Node {
    std::map<std::string, RegistryValueCopy> values;
    std::map<std::string, Node> subkeys;
  };

  static bool Capture(HKEY parent, const std::string& path, Node& node);
  static void RestoreInto(RegKey& key, const Node& node);

  std::string path_;
  bool existed_ = false;
  Node root_;
};
