// A phone book for the lab's RAS stand-in, written to a temporary file and
// named in VELOTUNE_LAB_PHONEBOOK while the object lives.
#pragma once

#include <memory>
#include <string>
#include <vector>

class LabPhonebookFile {
 public:
  // One [section] per entry name, each with the given body lines.
  explicit LabPhonebookFile(const std::vector<std::string>& entryNames,
                            const std::string& entryBody = "Device=Lab Modem\n");
  // A phone book of this whole text.
  static std::unique_ptr<LabPhonebookFile> FromText(const std::string& text);
  ~LabPhonebookFile();

  LabPhonebookFile(const LabPhonebookFile&) = delete;
  LabPhonebookFile& operator=(const LabPhonebookFile&) = delete;

  const std::string& Path() const { return path_; }

  // Names Entry 01, Entry 02, ... for a phone book of `count` entries.
  static std::vector<std::string> NumberedEntries(int count);

 private:
  // The whole text; the flag only sets this apart from the other constructor.
  LabPhonebookFile(const std::string& text, bool wholeText);
  void Write(const std::string& text);

  std::string path_;
};
