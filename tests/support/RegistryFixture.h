// A test fixture that starts every test from a clean registry: the program
// key and the other programs' keys the program touches are removed before
// and after each test. Wine's own TCP/IP key, which the NT-family tests write
// to, is copied before each test and put back after it. Helpers read and
// write raw registry data.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/RegistrySnapshot.h"

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Removes every key the tests own (program key, TCP/IP fixture keys, ...).
  static void ClearOwnedKeys();

 private:
  RegistryTreeSnapshot systemTcpip_;
};

namespace testreg {

bool KeyExists(const std::string& path);
bool ValueExists(const std::string& path, const std::string& name);
void CreateKey(const std::string& path);
// A key that lives only in memory: no ordinary key can be created below it,
// which makes writes under it fail.
void CreateVolatileKey(const std::string& path);
// Lets everyone only read the key (`readOnly`) or do anything with it again,
// as for a user without write rights to HKEY_LOCAL_MACHINE.
void SetReadOnly(const std::string& path, bool readOnly);
void WriteRaw(const std::string& path, const std::string& name, DWORD type,
              const std::vector<BYTE>& data);
void WriteDword(const std::string& path, const std::string& name, DWORD value);
// Stored with a terminating zero, as other programs commonly store texts.
void WriteText(const std::string& path, const std::string& name, const std::string& text);
// Type and bytes of a value; false when it does not exist.
bool ReadRaw(const std::string& path, const std::string& name, DWORD& type,
             std::vector<BYTE>& data);
void DeleteTree(const std::string& path);

}  // namespace testreg
