// The lab's phone-book reader.
#include <gtest/gtest.h>

#include "sim/ras/LabPhonebook.h"

namespace {

TEST(LabPhonebookTest, SectionsAreEntriesAndKeysCompareWithoutCase) {
  LabPhonebook book;
  book.Parse(
      "; comment\r\n"
      "Orphan=before any entry\r\n"
      "[Home ISP]\r\n"
      "Outcome = busy\r\n"
      "  [Office]  \n"
      "PhoneNumber=555-0100\n"
      "not a key line\n"
      "[home isp]\n"
      "DropAfter=30\n");
  EXPECT_EQ((std::vector<std::string>{"Home ISP", "Office"}), book.EntryNames());
  EXPECT_TRUE(book.HasEntry("HOME ISP"));
  EXPECT_EQ("busy", book.Value("home isp", "OUTCOME"));
  EXPECT_EQ("30", book.Value("Home ISP", "DropAfter"));
  EXPECT_EQ("555-0100", book.Value("Office", "PhoneNumber"));
  EXPECT_EQ("fallback", book.Value("Office", "Outcome", "fallback"));
  EXPECT_EQ("", book.Value("Nowhere", "PhoneNumber"));
}

TEST(LabPhonebookTest, AMissingFileIsAnEmptyBook) {
  LabPhonebook book;
  book.Parse("[Stale]\n");
  EXPECT_FALSE(book.Load("C:\\no such folder\\rasphone.pbk"));
  EXPECT_TRUE(book.EntryNames().empty());
  EXPECT_FALSE(book.Load(""));
}

}  // namespace
