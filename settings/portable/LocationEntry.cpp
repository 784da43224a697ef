#include "settings/portable/LocationEntry.h"

namespace {

// "System\CurrentControlSet\Services", as every location's key path begins.
constexpr size_t kServicesKeyLength = 33;

}  // namespace

std::string MakeLocationEntry(const std::string& valueName, const std::string& keyPath) {
  return (valueName.empty() ? std::string(" ") : valueName) + ":" + keyPath + ":";
}

LocationEntry ParseLocationEntry(const std::string& entry) {
  LocationEntry location;
  const size_t firstColon = entry.find(':');
  location.valueName = entry.substr(0, firstColon);
  if (location.valueName == " ") location.valueName.clear();
  if (firstColon == std::string::npos) return location;
  const size_t secondColon = entry.find(':', firstColon + 1);
  location.keyPath =
      entry.substr(firstColon + 1, secondColon == std::string::npos ? std::string::npos
                                                                    : secondColon - firstColon - 1);
  return location;
}

std::string MirroredKeyPath(const std::string& backupKey, const std::string& liveKey) {
  if (liveKey.size() <= kServicesKeyLength) return std::string();
  return backupKey + liveKey.substr(kServicesKeyLength);
}
