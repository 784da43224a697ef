// The lab's phone book: a file in the style of Windows' rasphone.pbk, one
// [section] per phone-book entry, its keys ("name=value" lines) describing the
// entry. The lab names the file in the environment variable
// VELOTUNE_LAB_PHONEBOOK. Entry and key names compare without regard to case,
// as RAS compares entry names.
#pragma once

#include <string>
#include <utility>
#include <vector>

class LabPhonebook {
 public:
  // The file named by VELOTUNE_LAB_PHONEBOOK; empty when the variable is not set.
  static std::string DefaultPath();

  // Reads the file, replacing what was read before; false when it cannot be opened.
  bool Load(const std::string& path);
  // Reads the text of a phone book.
  void Parse(const std::string& text);

  // The entries in the order of the file; a repeated section adds to the first.
  std::vector<std::string> EntryNames() const;
  bool HasEntry(const std::string& entry) const;
  // Whether the entry has the key, even with an empty value.
  bool HasValue(const std::string& entry, const std::string& key) const;
  // The value of a key of an entry; `fallback` when either does not exist.
  std::string Value(const std::string& entry, const std::string& key,
                    const std::string& fallback = std::string()) const;

 private:
  struct Entry {
    std::string name;
    std::vector<std::pair<std::string, std::string>> values;
  };

  // Position of an entry in entries_; -1 when there is none.
  int IndexOf(const std::string& entry) const;
  // The entry's value of a key; null when either does not exist.
  const std::string* Find(const std::string& entry, const std::string& key) const;

  std::vector<Entry> entries_;
};
