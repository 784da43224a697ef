// The Windows-free transforms of the settings store.
#include <gtest/gtest.h>

#include <climits>

#include "settings/portable/DecimalText.h"
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
