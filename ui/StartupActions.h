// The first actions of every start of the program, before any window exists:
// recognise a first start and check for the earlier registry layout.
#pragma once

#include "settings/SettingsStore.h"

struct StartupFacts {
  int osFamily;
  bool firstRun;  // no "\DialUp Profile" key existed: the configuration wizard is due
};

StartupFacts RunStartupActions(const CSettingsStore& store);
