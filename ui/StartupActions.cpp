// First actions of every start (see StartupActions.h).
#include "ui/StartupActions.h"

StartupFacts RunStartupActions(const CSettingsStore& store) {
  StartupFacts facts;
  facts.osFamily = store.GetOsFamily();
  facts.firstRun = store.EnsureProfileKey() == 0;
  if (store.GetConversionDone() == 0) store.RunEarlierLayoutCheck();
  return facts;
}
