// When the uninstaller offers to put the user's TCP/IP values back: only
// while Velotune's restore mark is set and a backup holds values to restore
// from - a restore without any copy would delete the values the user has.
#include <gtest/gtest.h>

#include <string>

#include "engine/portable/StatusCodes.h"
#include "engine/portable/TestRecord.h"
#include "framework/RegKey.h"
#include "packaging/UserValuesRestore.h"
#include "settings/RegistryNames.h"
#include "settings/RestoreMark.h"
#include "settings/SettingsStore.h"
#include "settings/portable/ProviderKinds.h"
#include "tests/support/NetworkLayouts.h"
#include "tests/support/RegistryFixture.h"
#include "tests/support/TcpipSnapshot.h"

namespace {

class UserValuesRestoreTest : public RegistryTest {};

TEST_F(UserValuesRestoreTest, DueOnlyWithTheMarkAndCopiesToRestoreFrom) {
  netlayout::LayOut(netlayout::Windows9x{});
  CSettingsStore store(kOsWindows98);
  store.SetProviderKind(kProviderDialUpNetworking);
  EXPECT_FALSE(UserValuesRestoreDue(store));

  CRestoreMark mark(store);
  ASSERT_EQ(status::kOk, mark.Set());
  EXPECT_FALSE(UserValuesRestoreDue(store)) << "the mark alone, no copy of any value";

  ASSERT_EQ(status::kOk, store.Backup());
  const RegistryValueMap user = TcpipValues();
  EXPECT_TRUE(UserValuesRestoreDue(store));
  // A backup cut short before "BackupStatus" still holds copies to restore.
  RegKey backup;
  ASSERT_EQ(ERROR_SUCCESS,
            backup.Open(HKEY_LOCAL_MACHINE, CSettingsStore::ProgramKeyPath(regnames::kBackupRegistry)));
  ASSERT_EQ(ERROR_SUCCESS, backup.DeleteValue(regnames::kBackupStatus));
  EXPECT_TRUE(UserValuesRestoreDue(store));

  TestRecord ttl;
  ttl.kind = kRecordAuto;
  ttl.parameter = kParameterTtl;
  ttl.value = 64;
  store.Write(ttl);
  ASSERT_FALSE(TcpipValues() == user);
  std::string difference;
  EXPECT_TRUE(RestoreUserValues(store, difference)) << difference;
  const RegistryValueMap restored = TcpipValues();
  EXPECT_TRUE(restored == user) << DescribeDifferences(user, restored);
  EXPECT_EQ(0u, mark.Read());
  EXPECT_FALSE(UserValuesRestoreDue(store));
}

}  // namespace
