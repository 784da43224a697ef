// Provider names and the operating-system family table.
#include <gtest/gtest.h>

#include "settings/portable/OsFamily.h"
#include "settings/portable/ProviderKinds.h"

namespace {

TEST(ProviderKindsTest, NamesMatchWithoutRegardToCaseButWhole) {
  EXPECT_EQ(kProviderJuno, ProviderKindFromName("juno"));
  EXPECT_EQ(kProviderAttWorldNet, ProviderKindFromName("at&t worldnet"));
  EXPECT_EQ(kProviderDialUpNetworking, ProviderKindFromName("Windows Dial-Up Networking"));
  EXPECT_EQ(-1, ProviderKindFromName("Juno2"));
  EXPECT_EQ(-1, ProviderKindFromName("Jun"));
  EXPECT_EQ(-1, ProviderKindFromName(""));
}

TEST(ProviderKindsTest, EveryKindRoundTripsThroughItsName) {
  for (int kind = 1; kind <= 9; ++kind) {
    EXPECT_EQ(kind, ProviderKindFromName(ProviderNameFromKind(kind)));
  }
  EXPECT_EQ("", ProviderNameFromKind(10));
  EXPECT_EQ("", ProviderNameFromKind(0));
  EXPECT_EQ("", ProviderNameFromKind(-1));
  EXPECT_EQ("CompuServe 2000", ProviderNameFromKind(kProviderCompuServe));
}

TEST(ProviderKindsTest, ShortNamesExistForTheFirstFiveKindsOnly) {
  EXPECT_EQ("DUN", ProviderShortName(1));
  EXPECT_EQ("CS2000", ProviderShortName(3));
  EXPECT_EQ("NetZero", ProviderShortName(5));
  EXPECT_EQ("", ProviderShortName(6));
}

TEST(ProviderKindsTest, DialUpKindsAndKindsWithADialerPath) {
  for (int kind = 1; kind <= 9; ++kind) {
    EXPECT_EQ(kind == 1 || kind == 4 || kind == 7 || kind == 8, IsDialUpKind(kind)) << kind;
    EXPECT_EQ(kind >= 5, HasDialerPath(kind)) << kind;
  }
}

TEST(OsFamilyTest, VersionNumbersGiveTheirFamily) {
  EXPECT_EQ(kOsWindows95, OsFamilyFromVersion(1, 4, 0));
  EXPECT_EQ(kOsWindows95, OsFamilyFromVersion(1, 3, 95));
  EXPECT_EQ(kOsWindows98, OsFamilyFromVersion(1, 4, 10));
  EXPECT_EQ(kOsWindows98, OsFamilyFromVersion(1, 4, 89));
  EXPECT_EQ(kOsWindowsMe, OsFamilyFromVersion(1, 4, 90));
  EXPECT_EQ(kOsWindowsMe, OsFamilyFromVersion(1, 5, 0));
  EXPECT_EQ(kOsWindowsNT4, OsFamilyFromVersion(2, 4, 0));
  EXPECT_EQ(kOsWindowsNT4, OsFamilyFromVersion(2, 3, 51));
  EXPECT_EQ(kOsWindows2000, OsFamilyFromVersion(2, 5, 0));
  EXPECT_EQ(kOsUnknown, OsFamilyFromVersion(2, 6, 1));
  EXPECT_EQ(kOsWin32s, OsFamilyFromVersion(0, 1, 30));
  EXPECT_EQ(kOsUnknown, OsFamilyFromVersion(3, 10, 0));
  EXPECT_TRUE(IsNtFamily(kOsWindows2000));
  EXPECT_TRUE(IsNtFamily(kOsWindowsNT4));
  EXPECT_FALSE(IsNtFamily(kOsWindowsMe));
}

}  // namespace
