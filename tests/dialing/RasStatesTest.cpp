// Texts of the RAS connection states, including the numbers RAS never sends.
#include <gtest/gtest.h>

#include "dialing/portable/RasStates.h"

namespace {

TEST(RasStatesTest, StatesHaveTheirTexts) {
  EXPECT_EQ("Opening port", RasStateText(0));
  EXPECT_EQ("Authenticating", RasStateText(6));
  EXPECT_EQ("Logging on to network", RasStateText(10));
  EXPECT_EQ("Logging on to network", RasStateText(21));
  EXPECT_EQ("Retrying authentication", RasStateText(7));
  EXPECT_EQ("Retrying authentication", RasStateText(0x1001));
  EXPECT_EQ("Secondary connection disconnected", RasStateText(23));
  EXPECT_EQ("Terminal state", RasStateText(0x1000));
  EXPECT_EQ("Password expired", RasStateText(0x1003));
  EXPECT_EQ("Connected", RasStateText(0x2000));
  EXPECT_EQ("Disconnected", RasStateText(0x2001));
}

TEST(RasStatesTest, UnknownStatesAreUndefinedErrors) {
  for (int state : {24, 0x0FFF, 0x1004, 0x1FFF, 0x2002, 0x4000, -1, 0x7FFFFFFF}) {
    EXPECT_EQ("Undefined error", RasStateText(state)) << state;
  }
}

}  // namespace
