// Reads the lab's phone book (see LabPhonebook.h).
#include "sim/ras/LabPhonebook.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

namespace {

constexpr char kPhonebookVariable[] = "VELOTUNE_LAB_PHONEBOOK";
constexpr DWORD kPathCapacity = 1024;

std::string Trimmed(const std::string& text) {
  const char* blanks = " \t\r\n";
  size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return std::string();
  size_t last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::string LabPhonebook::DefaultPath() {
  char path[kPathCapacity] = {};
  DWORD length = GetEnvironmentVariableA(kPhonebookVariable, path, kPathCapacity);
  if (length == 0 || length >= kPathCapacity) return std::string();
  return std::string(path, length);
}

bool LabPhonebook::Load(const std::string& path) {
  entries_.clear();
  if (path.empty()) return false;
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::ostringstream text;
  text << file.rdbuf();
  Parse(text.str());
  return true;
}

void LabPhonebook::Parse(const std::string& text) {
  entries_.clear();
  Entry* current = nullptr;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    line = Trimmed(line);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line[0] == '[') {
      size_t close = line.find(']');
      std::string name =
          Trimmed(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
      int index = IndexOf(name);
      if (index < 0) {
        entries_.push_back(Entry{name, {}});
        index = static_cast<int>(entries_.size()) - 1;
      }
      current = &entries_[index];
      continue;
    }
    size_t equals = line.find('=');
    if (current == nullptr || equals == std::string::npos) continue;
    current->values.emplace_back(Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1)));
  }
}

std::vector<std::string> LabPhonebook::EntryNames() const {
  std::vector<std::string> names;
  for (const Entry& entry : entries_) names.push_back(entry.name);
  return names;
}

bool LabPhonebook::HasEntry(const std::string& entry) const { return IndexOf(entry) >= 0; }

std::string LabPhonebook::Value(const std::string& entry, const std::string& key,
                                const std::string& fallback) const {
  const std::string* value = Find(entry, key);
  return value != nullptr ? *value : fallback;
}

bool LabPhonebook::HasValue(const std::string& entry, const std::string& key) const {
  return Find(entry, key) != nullptr;
}

const std::string* LabPhonebook::Find(const std::string& entry, const std::string& key) const {
  int index = IndexOf(entry);
  if (index < 0) return nullptr;
  for (const auto& value : entries_[index].values) {
    if (SameName(value.first, key)) return &value.second;
  }
  return nullptr;
}

int LabPhonebook::IndexOf(const std::string& entry) const {
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (SameName(entries_[i].name, entry)) return static_cast<int>(i);
  }
  return -1;
}
