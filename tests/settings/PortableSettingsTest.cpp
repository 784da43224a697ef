// The Windows-free transforms of the settings store.
#include <gtest/gtest.h>

#include <climits>

#include "settings/portable/DecimalText.h"
#include "settings/portable/LocationEntry.h"
#include "settings/portable/ObscureTransform.h"
#include "settings/portable/PasswordShift.h"

namespace {

TEST(PasswordShiftTest, ShiftsEveryByteAndOnlyTheSemicolonBecomesZero) {
  for (int byte = 0; byte < 256; ++byte) {
    std::string password(1, static_cast<char>(byte));
    std::string stored = ObscurePassword(password);
    ASSERT_EQ(1u, stored.size());
    EXPECT_EQ((byte + 197) % 256, static_cast<unsigned char>(stored[0]));
    EXPECT_EQ(byte == ';', stored[0] == '\0') << byte;
    EXPECT_EQ(password, RevealPassword(stored));
  }
  EXPECT_EQ("", ObscurePassword(""));
}

TEST(DecimalTextTest, PlainDecimalConversion) {
  EXPECT_EQ(576, DecimalToInt("576"));
  EXPECT_EQ(576, DecimalToInt("  576 bytes"));
  EXPECT_EQ(-40, DecimalToInt("-40"));
  EXPECT_EQ(0, DecimalToInt("x576"));
  EXPECT_EQ(0, DecimalToInt(""));
  EXPECT_EQ(INT_MAX, DecimalToInt("99999999999999999999"));
  EXPECT_EQ(INT_MIN, DecimalToInt("-99999999999999999999"));
  EXPECT_EQ("-64", IntToDecimal(-64));
}

}  // namespace

namespace {

TEST(ObscureTransformTest, RecoversEveryValueATuneUpCanFind) {
  EXPECT_EQ(64 * 4913 - 64213, ObscureValue(64));
  for (int value = -1000; value <= 70000; ++value) {
    ASSERT_EQ(value, RevealValue(ObscureValue(value))) << value;
  }
  // 32-bit arithmetic wraps rather than failing.
  EXPECT_EQ(static_cast<int>(0x7FFFFFFFu * 4913u - 64213u), ObscureValue(0x7FFFFFFF));
  EXPECT_EQ(13, RevealValue(0));
}

TEST(LocationEntryTest, ValueNameAndKeyPathBetweenTheColons) {
  LocationEntry entry = ParseLocationEntry("MaxMTU:System\\Class\\NetTrans\\0002:");
  EXPECT_EQ("MaxMTU", entry.valueName);
  EXPECT_EQ("System\\Class\\NetTrans\\0002", entry.keyPath);
  EXPECT_EQ("", ParseLocationEntry(" :Key\\Ndi\\params\\IPMTU\\:").valueName);
  EXPECT_EQ("Key\\Ndi\\params\\IPMTU\\",
            ParseLocationEntry(" :Key\\Ndi\\params\\IPMTU\\:").keyPath);
  EXPECT_EQ("", ParseLocationEntry(":Key:").valueName);
  EXPECT_EQ("Key", ParseLocationEntry("Name:Key").keyPath);
  EXPECT_EQ("", ParseLocationEntry("Name").keyPath);
  EXPECT_EQ("", ParseLocationEntry("IPMTU::").keyPath);
  EXPECT_EQ(" :Key:", MakeLocationEntry("", "Key"));
  EXPECT_EQ("MTU:Key:", MakeLocationEntry("MTU", "Key"));
}

TEST(LocationEntryTest, MirroredKeysKeepThePathAfterTheServicesKey) {
  EXPECT_EQ("Backup\\VxD\\MSTCP",
            MirroredKeyPath("Backup", "System\\CurrentControlSet\\Services\\VxD\\MSTCP"));
  EXPECT_EQ("Backup\\Tcpip\\Parameters",
            MirroredKeyPath("Backup", "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters"));
  EXPECT_EQ("", MirroredKeyPath("Backup", "SYSTEM\\CurrentControlSet\\Services"));
  EXPECT_EQ("", MirroredKeyPath("Backup", ""));
}

}  // namespace
