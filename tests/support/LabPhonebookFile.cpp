#include "tests/support/LabPhonebookFile.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace {
constexpr char kPhonebookVariable[] = "VELOTUNE_LAB_PHONEBOOK";
}

LabPhonebookFile::LabPhonebookFile(const std::vector<std::string>& entryNames,
                                   const std::string& entryBody) {
  std::string text = "; lab phone book\r\n";
  for (const std::string& name : entryNames) text += "[" + name + "]\r\n" + entryBody + "\r\n";
  Write(text);
}

LabPhonebookFile::LabPhonebookFile(const std::string& text, bool) { Write(text); }

std::unique_ptr<LabPhonebookFile> LabPhonebookFile::FromText(const std::string& text) {
  return std::unique_ptr<LabPhonebookFile>(new LabPhonebookFile(text, true));
}

void LabPhonebookFile::Write(const std::string& text) {
  char folder[MAX_PATH] = {};
  char file[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  GetTempFileNameA(folder, "pbk", 0, file);
  path_ = file;
  std::ofstream out(path_, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  EXPECT_TRUE(out.good()) << path_;
  SetEnvironmentVariableA(kPhonebookVariable, path_.c_str());
}

LabPhonebookFile::~LabPhonebookFile() {
  SetEnvironmentVariableA(kPhonebookVariable, nullptr);
  DeleteFileA(path_.c_str());
}

std::vector<std::string> LabPhonebookFile::NumberedEntries(int count) {
  std::vector<std::string> names;
  for (int i = 1; i <= count; ++i) {
    char name[16];
    snprintf(name, sizeof(name), "Entry %02d", i);
    names.push_back(name);
  }
  return names;
}
