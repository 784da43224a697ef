// A fixture for tests of LogFile.txt beside the test program: the file is
// removed before and after each test (the registry is cleared as well, for
// the tests that read the configured provider), with helpers to write and
// read its raw text.
#pragma once

#include <string>

#include "tests/support/RegistryFixture.h"

class LogFileTest : public RegistryTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  static std::string LogPath();
  static bool LogExists();
  // The whole file, byte for byte.
  static std::string LogText();
  // Replaces the file with exactly these bytes.
  static void WriteLogText(const std::string& text);
};
