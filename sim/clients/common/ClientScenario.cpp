// Reads a client program's scenario from the lab's client INI file.
#include "sim/clients/common/ClientScenario.h"

#include <cstdlib>
#include <vector>

#include "framework/TimeScale.h"

namespace {

constexpr char kScenarioVariable[] = "VELOTUNE_LAB_CLIENTS";
constexpr DWORD kTextLimit = 1024;

std::string Environment(const char* name) {
  char value[MAX_PATH * 2] = {};
  DWORD length = GetEnvironmentVariableA(name, value, sizeof(value));
  return length > 0 && length < sizeof(value) ? std::string(value, length) : std::string();
}

std::string ReadIni(const std::string& file, const std::string& section, const char* key) {
  if (file.empty()) return std::string();
  std::vector<char> text(kTextLimit);
  DWORD length = GetPrivateProfileStringA(section.c_str(), key, "", text.data(),
                                          static_cast<DWORD>(text.size()), file.c_str());
  return std::string(text.data(), length);
}

std::vector<std::string> SplitList(const std::string& list) {
  std::vector<std::string> items;
  size_t start = 0;
  while (start <= list.size()) {
    size_t comma = list.find(',', start);
    if (comma == std::string::npos) comma = list.size();
    std::string item = list.substr(start, comma - start);
    while (!item.empty() && item.front() == ' ') item.erase(0, 1);
    while (!item.empty() && item.back() == ' ') item.pop_back();
    if (!item.empty()) items.push_back(item);
    start = comma + 1;
  }
  return items;
}

}  // namespace

ClientScenario::ClientScenario(const std::string& section)
    : section_(section), file_(Environment(kScenarioVariable)) {
  logPath_ = ReadIni(file_, "Lab", "Log");
  if (logPath_.empty() && !file_.empty()) logPath_ = file_ + ".log";
}

std::string ClientScenario::Text(const char* key, const std::string& fallback) const {
  if (file_.empty()) return fallback;
  // A marker that no scenario uses tells an absent key from an empty one.
  std::vector<char> text(kTextLimit);
  DWORD length = GetPrivateProfileStringA(section_.c_str(), key, "\x01", text.data(),
                                          static_cast<DWORD>(text.size()), file_.c_str());
  std::string value(text.data(), length);
  return value == "\x01" ? fallback : value;
}

int ClientScenario::Number(const char* key, int fallback) const {
  std::string text = Text(key, std::string());
  if (text.empty()) return fallback;
  char* end = nullptr;
  long value = std::strtol(text.c_str(), &end, 10);
  return end != text.c_str() ? static_cast<int>(value) : fallback;
}

UINT ClientScenario::Delay(const char* key, UINT fallbackMs) const {
  int ms = Number(key, static_cast<int>(fallbackMs));
  return ms <= 0 ? 0 : timescale::Scaled(static_cast<std::uint32_t>(ms));
}

int ClientScenario::Dials() const {
  std::string text = ReadIni(file_, "Dials", section_.c_str());
  return text.empty() ? 0 : std::atoi(text.c_str());
}

std::string ClientScenario::NextDialOutcome(const std::string& fallback) {
  int dial = Dials() + 1;
  if (!file_.empty()) {
    WritePrivateProfileStringA("Dials", section_.c_str(), std::to_string(dial).c_str(),
                               file_.c_str());
  }
  std::vector<std::string> outcomes = SplitList(Text("Outcomes", std::string()));
  if (outcomes.empty()) return fallback;
  size_t index = static_cast<size_t>(dial - 1);
  return index < outcomes.size() ? outcomes[index] : outcomes.back();
}
