// Flattened copies of the keys that hold the TCP/IP parameters.
#include "tests/support/TcpipSnapshot.h"

#include <set>
#include <string>
#include <vector>

#include "engine/portable/TestRecord.h"
#include "settings/SettingsStore.h"
#include "settings/portable/LocationEntry.h"

RegistryValueMap TcpipValues() {
  CSettingsStore store;
  std::set<std::string> keys;
  std::vector<std::string> locations;
  for (int parameter = kParameterMtu; parameter <= kParameterCacheSize; ++parameter) {
    locations.clear();
    store.BuildLocations(parameter, locations);
    for (const std::string& entry : locations) keys.insert(ParseLocationEntry(entry).keyPath);
  }
  locations.clear();
  store.BuildMssLocations(locations);
  for (const std::string& entry : locations) keys.insert(ParseLocationEntry(entry).keyPath);
  RegistryValueMap all;
  for (const std::string& key : keys) {
    for (auto& value : FlattenValues(key)) all[key + "|" + value.first] = value.second;
  }
  return all;
}

int TcpipValueInEffect(int parameter) {
  TestRecord record;
  record.kind = kRecordManual;
  record.parameter = parameter;
  if (CSettingsStore().ReadCurrent(record) != 0) return -1;
  return record.value;
}
