// The RAS records as the build lays them out: the product keeps the Windows 95
// records byte for byte; the 64-bit test build differs only where a handle sits.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstddef>

#include "framework/RasLayouts.h"

namespace {

// Where the connection record's handle sits decides the rest of its layout.
#if !defined(_WIN64)
constexpr size_t kHandleOffset = 4;   // the Windows 95 record: 412 bytes
constexpr size_t kConnectionSize = 412;
#else
constexpr size_t kHandleOffset = 8;   // natural alignment of an 8-byte handle
constexpr size_t kConnectionSize = 424;
#endif

TEST(RasLayoutsTest, RecordsHaveTheSizesTheBuildPasses) {
  EXPECT_EQ(264u, sizeof(ras::EntryName));
  EXPECT_EQ(kConnectionSize, sizeof(ras::Connection));
  EXPECT_EQ(160u, sizeof(ras::ConnectionStatus));
  EXPECT_EQ(1052u, sizeof(ras::DialParams));
  EXPECT_EQ(kHandleOffset, offsetof(ras::Connection, handle));
  EXPECT_EQ(kHandleOffset + sizeof(HANDLE), offsetof(ras::Connection, entryName));
}

TEST(RasLayoutsTest, TextFieldsFollowEachOtherWithoutGaps) {
  EXPECT_EQ(4u, offsetof(ras::EntryName, entryName));
  EXPECT_EQ(offsetof(ras::Connection, entryName) + 257, offsetof(ras::Connection, deviceType));
  EXPECT_EQ(12u, offsetof(ras::ConnectionStatus, deviceType));
  EXPECT_EQ(4u + 257 + 129 + 129 + 257 + 257, offsetof(ras::DialParams, domain));
}

}  // namespace
