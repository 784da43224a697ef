// main() of every Windows test executable: no test may ever wait for a
// person, so message boxes are answered with their default button, and one
// that a test did not ask for is a failure.
#include <gtest/gtest.h>

#include "tests/support/MessageBoxRecorder.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  FailOnUnexpectedMessageBoxes();
  return RUN_ALL_TESTS();
}
