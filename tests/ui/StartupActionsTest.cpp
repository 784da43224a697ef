// The first actions of a start: first-run detection and the earlier-layout check.
#include <gtest/gtest.h>

#include "settings/RegistryNames.h"
#include "tests/support/RegistryFixture.h"
#include "ui/StartupActions.h"

namespace {

const std::string kProfileKey = std::string(regnames::kProgramKey) + "\\DialUp Profile";

using StartupActionsTest = RegistryTest;

TEST_F(StartupActionsTest, FirstStartCreatesTheProfileKeyAndRecordsTheConversion) {
  CSettingsStore store(kOsWindows98);
  StartupFacts facts = RunStartupActions(store);
  EXPECT_TRUE(facts.firstRun);
  EXPECT_TRUE(testreg::KeyExists(kProfileKey));
  EXPECT_EQ(1u, store.GetConversionDone());

  facts = RunStartupActions(store);
  EXPECT_FALSE(facts.firstRun);
}

TEST_F(StartupActionsTest, EarlierLayoutWithSubkeysIsLeftForTheNextStart) {
  testreg::CreateKey(kProfileKey + "\\Windows Dial-Up Networking\\Home");
  CSettingsStore store(kOsWindows2000);
  StartupFacts facts = RunStartupActions(store);
  EXPECT_FALSE(facts.firstRun);
  EXPECT_EQ(0u, store.GetConversionDone());
  EXPECT_FALSE(testreg::ValueExists(kProfileKey, "DialUp Registry Conversion"));
}

TEST_F(StartupActionsTest, ConversionAlreadyDoneIsNotCheckedAgain) {
  testreg::WriteDword(kProfileKey, "DialUp Registry Conversion", 1);
  testreg::CreateKey(kProfileKey + "\\Juno");
  CSettingsStore store(kOsWindows98);
  RunStartupActions(store);
  EXPECT_EQ(1u, store.GetConversionDone());
}

}  // namespace
