// The RAS records as the build lays them out: the product keeps the Windows 95
// records byte for byte; the 64-bit test build differs only where a handle sits.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstddef>

#include "framework/RasLayouts.h"

namespace {

#if !defined(_WIN64)
TEST(RasLayoutsTest, TheProductPassesTheWindows95Records) {
  EXPECT_EQ(264u, sizeof(ras::EntryName));
  EXPECT_EQ(412u, sizeof(ras::Connection));
  EXPECT_EQ(160u, sizeof(ras::ConnectionStatus));
  EXPECT_EQ(1052u, sizeof(ras::DialParams));
  EXPECT_EQ(4u, offsetof(ras::Connection, handle));
  EXPECT_EQ(8u, offsetof(ras::Connection, entryName));
}
#else
TEST(RasLayoutsTest, TheTestBuildAlignsOnlyTheHandle) {
  EXPECT_EQ(264u, sizeof(ras::EntryName));
  EXPECT_EQ(424u, sizeof(ras::Connection));
  EXPECT_EQ(160u, sizeof(ras::ConnectionStatus));
  EXPECT_EQ(1052u, sizeof(ras::DialParams));
  EXPECT_EQ(8u, offsetof(ras::Connection, handle));
  EXPECT_EQ(16u, offsetof(ras::Connection, entryName));
}
#endif

TEST(RasLayoutsTest, TextFieldsFollowEachOtherWithoutGaps) {
  EXPECT_EQ(4u, offsetof(ras::EntryName, entryName));
  EXPECT_EQ(offsetof(ras::Connection, entryName) + 257, offsetof(ras::Connection, deviceType));
  EXPECT_EQ(12u, offsetof(ras::ConnectionStatus, deviceType));
  EXPECT_EQ(4u + 257 + 129 + 129 + 257 + 257, offsetof(ras::DialParams, domain));
}

}  // namespace
