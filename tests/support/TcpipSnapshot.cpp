// Flattened copies of the keys that hold the TCP/IP parameters and the AOL
// client's own values.
#include "tests/support/TcpipSnapshot.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "engine/portable/StatusCodes.h"
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

RegistryValueMap AolClientValues() {
  const char* trees[] = {"SOFTWARE\\America Online\\AOL", "Enum\\Root\\Net",
                         "System\\CurrentControlSet\\Services\\Class\\NetTrans"};
  RegistryValueMap all;
  for (const char* tree : trees) {
    for (auto& value : FlattenValues(tree)) all[std::string(tree) + value.first] = value.second;
  }
  return all;
}

RegistryValueMap UserNetworkValues() {
  RegistryValueMap all = TcpipValues();
  for (auto& value : AolClientValues()) all[value.first] = value.second;
  return all;
}

RegistryValueMap SetUserAndBestMtu(int userMtu, int bestMtu) {
  CSettingsStore store;
  TestRecord best;
  best.kind = kRecordAuto;
  best.parameter = kParameterMtu;
  best.value = bestMtu;
  EXPECT_EQ(status::kOk, store.StoreBest(best));
  TestRecord user = best;
  user.kind = kRecordManual;
  user.value = userMtu;
  EXPECT_EQ(status::kOk, store.Write(user));
  EXPECT_EQ(status::kOk, store.Backup());
  return TcpipValues();
}

int TcpipValueInEffect(int parameter) {
  TestRecord record;
  record.kind = kRecordManual;
  record.parameter = parameter;
  if (CSettingsStore().ReadCurrent(record) != 0) return -1;
  return record.value;
}
