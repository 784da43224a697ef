// The lab's RAS stand-in, loaded in place of Wine's rasapi32 as the program
// loads it: by name, at run time.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/LoadedModule.h"
#include "framework/RasLayouts.h"
#include "tests/support/LabPhonebookFile.h"

namespace {

class RasStandInTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(rasapi32_.IsLoaded());
    enumEntries_ = rasapi32_.Proc<ras::RasEnumEntriesFunction>("RasEnumEntriesA");
    errorString_ = rasapi32_.Proc<ras::RasGetErrorStringFunction>("RasGetErrorStringA");
    ASSERT_NE(nullptr, enumEntries_);
    ASSERT_NE(nullptr, errorString_);
  }

  std::string ErrorText(UINT error) {
    char text[256] = {};
    EXPECT_EQ(0u, errorString_(error, text, sizeof(text))) << error;
    return text;
  }

  LoadedModule rasapi32_{"rasapi32.dll"};
  ras::RasEnumEntriesFunction enumEntries_ = nullptr;
  ras::RasGetErrorStringFunction errorString_ = nullptr;
};

TEST_F(RasStandInTest, IsTheLibraryBesideTheProgramAndExportsWhatTheProgramImports) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(rasapi32_.Get(), path, MAX_PATH);
  char program[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::string folder(program, std::string(program).rfind('\\') + 1);
  EXPECT_EQ(folder + "rasapi32.dll", std::string(path));
  for (const char* name : {"RasDialA", "RasHangUpA", "RasGetConnectStatusA", "RasEnumConnectionsA",
                           "RasEnumEntriesA", "RasGetErrorStringA"}) {
    EXPECT_NE(nullptr, GetProcAddress(rasapi32_.Get(), name)) << name;
  }
}

TEST_F(RasStandInTest, ASmallBufferGets603WithTheSizeNeededAndThenAllEntriesInOrder) {
  LabPhonebookFile phonebook(LabPhonebookFile::NumberedEntries(30));
  ras::EntryName one = {};
  one.size = sizeof(one);
  DWORD size = sizeof(one);
  DWORD count = 0;
  ASSERT_EQ(ras::kBufferTooSmall, enumEntries_(nullptr, nullptr, &one, &size, &count));
  EXPECT_EQ(30 * sizeof(ras::EntryName), size);
  EXPECT_EQ(30u, count);

  std::vector<ras::EntryName> all(30);
  all[0].size = sizeof(ras::EntryName);
  ASSERT_EQ(0u, enumEntries_(nullptr, nullptr, all.data(), &size, &count));
  ASSERT_EQ(30u, count);
  for (DWORD i = 0; i < count; ++i) {
    EXPECT_EQ(sizeof(ras::EntryName), all[i].size);
    EXPECT_EQ(LabPhonebookFile::NumberedEntries(30)[i], all[i].entryName);
  }
}

TEST_F(RasStandInTest, EntryNamesUpToTheRecordsLimitOnly) {
  const std::string longest(ras::kMaxEntryName, 'L');
  LabPhonebookFile phonebook({"Home", std::string(ras::kMaxEntryName + 1, 'X'), longest});
  std::vector<ras::EntryName> records(4);
  records[0].size = sizeof(ras::EntryName);
  DWORD size = static_cast<DWORD>(records.size() * sizeof(ras::EntryName));
  DWORD count = 0;
  ASSERT_EQ(0u, enumEntries_(nullptr, nullptr, records.data(), &size, &count));
  ASSERT_EQ(2u, count);
  EXPECT_STREQ("Home", records[0].entryName);
  EXPECT_EQ(longest, records[1].entryName);
}

TEST_F(RasStandInTest, CallerMistakesAndMissingPhoneBooks) {
  ras::EntryName record = {};
  DWORD size = sizeof(record);
  DWORD count = 99;
  record.size = 532;  // the Windows 2000 layout: not what this RAS knows
  EXPECT_EQ(ras::kInvalidSize, enumEntries_(nullptr, nullptr, &record, &size, &count));
  record.size = sizeof(record);
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER),
            enumEntries_(nullptr, nullptr, &record, &size, nullptr));
  EXPECT_EQ(ras::kCannotOpenPhonebook,
            enumEntries_(nullptr, "C:\\no such folder\\rasphone.pbk", &record, &size, &count));

  // No phone book named by the lab: a system on which no entry was ever made.
  ASSERT_EQ(0u, enumEntries_(nullptr, nullptr, &record, &size, &count));
  EXPECT_EQ(0u, count);
}

TEST_F(RasStandInTest, ErrorTextsOfTheErrorsItProduces) {
  EXPECT_EQ("Caller's buffer is too small.", ErrorText(603));
  EXPECT_EQ("The structure size is incorrect.", ErrorText(632));
  EXPECT_EQ("Cannot open the phone book file.", ErrorText(621));
  EXPECT_EQ("The device does not exist.", ErrorText(608));
  EXPECT_EQ("There is no dial tone.", ErrorText(680));
  EXPECT_EQ("Access denied because username and/or password is invalid on the domain.",
            ErrorText(691));

  char text[8] = "stale";
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), errorString_(12345, text, sizeof(text)));
  EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), errorString_(603, text, sizeof(text)));
  EXPECT_STREQ("stale", text);
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), errorString_(603, nullptr, 256));
}

}  // namespace
