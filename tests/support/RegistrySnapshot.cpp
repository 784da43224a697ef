#include "tests/support/RegistrySnapshot.h"

#include <sstream>

#include "framework/RegKey.h"
#include "settings/RegistryAccess.h"

namespace {

void Flatten(const RegKey& key, const std::string& prefix, RegistryValueMap& values) {
  for (const std::string& name : AllValueNames(key)) {
    RegistryValueCopy copy;
    if (key.QueryRaw(name, copy.type, copy.data) == ERROR_SUCCESS)
      values[prefix + "|" + name] = copy;
  }
  for (const std::string& name : AllSubkeyNames(key)) {
    RegKey subkey;
    if (subkey.Open(key.Get(), name, KEY_READ) == ERROR_SUCCESS) {
      Flatten(subkey, prefix + "\\" + name, values);
    }
  }
}

std::string Describe(const RegistryValueCopy& value) {
  std::ostringstream text;
  text << "type " << value.type << " [";
  for (BYTE byte : value.data) {
    if (byte >= 0x20 && byte < 0x7F) {
      text << static_cast<char>(byte);
    } else {
      text << "\\x" << std::hex << static_cast<int>(byte) << std::dec;
    }
  }
  text << "]";
  return text.str();
}

}  // namespace

RegistryValueMap FlattenValues(const std::string& path) {
  RegistryValueMap values;
  RegKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, path, KEY_READ) == ERROR_SUCCESS) Flatten(key, "", values);
  return values;
}

std::string DescribeDifferences(const RegistryValueMap& expected, const RegistryValueMap& actual) {
  std::ostringstream text;
  for (const auto& [name, value] : expected) {
    auto found = actual.find(name);
    if (found == actual.end()) {
      text << "\n  missing " << name << " = " << Describe(value);
    } else if (!(found->second == value)) {
      text << "\n  changed " << name << ": " << Describe(value) << " -> "
           << Describe(found->second);
    }
  }
  for (const auto& [name, value] : actual) {
    if (expected.count(name) == 0) text << "\n  added " << name << " = " << Describe(value);
  }
  return text.str();
}

RegistryTreeSnapshot::RegistryTreeSnapshot(const std::string& path) : path_(path) {
  existed_ = Capture(HKEY_LOCAL_MACHINE, path, root_);
}

bool RegistryTreeSnapshot::Capture(HKEY parent, const std::string& path, Node& node) {
  RegKey key;
  if (key.Open(parent, path, KEY_READ) != ERROR_SUCCESS) return false;
  for (const std::string& name : AllValueNames(key)) {
    RegistryValueCopy copy;
    if (key.QueryRaw(name, copy.type, copy.data) == ERROR_SUCCESS) node.values[name] = copy;
  }
  for (const std::string& name : AllSubkeyNames(key)) Capture(key.Get(), name, node.subkeys[name]);
  return true;
}

void RegistryTreeSnapshot::Restore() const {
  if (path_.empty()) return;
  if (!existed_) {
    DeleteKeyTree(HKEY_LOCAL_MACHINE, path_);
    return;
  }
  RegKey key;
  if (OpenOrCreate(key, HKEY_LOCAL_MACHINE, path_) == ERROR_SUCCESS) RestoreInto(key, root_);
}

void RegistryTreeSnapshot::RestoreInto(RegKey& key, const Node& node) {
  for (const std::string& name : AllValueNames(key)) {
    if (node.values.count(name) == 0) key.DeleteValue(name);
  }
  for (const auto& [name, value] : node.values) key.SetRaw(name, value.type, value.data);
  for (const std::string& name : AllSubkeyNames(key)) {
    if (node.subkeys.count(name) == 0) DeleteKeyTree(key.Get(), name);
  }
  for (const auto& [name, child] : node.subkeys) {
    RegKey subkey;
    if (OpenOrCreate(subkey, key.Get(), name) == ERROR_SUCCESS) RestoreInto(subkey, child);
  }
}
