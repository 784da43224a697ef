// The configuration texts (see ConfigurationText.h).
#include "ui/portable/ConfigurationText.h"

#include <algorithm>
#include <cctype>
#include <climits>

namespace configtext {

namespace {

const char kNewestOlderVersion[] = "4.99.9999.9";

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

size_t LongestDomain(int kind) {
  size_t longest = 0;
  for (const std::string& domain : LoginDomains(kind)) longest = std::max(longest, domain.size());
  return longest;
}

}  // namespace

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (Lower(text[i]) != Lower(prefix[i])) return false;
  }
  return true;
}

bool EqualNoCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && StartsWithNoCase(a, b);
}

std::string StoredTestAddress(const std::string& typed) {
  std::string address = typed;
  // A secure address would otherwise become "http://https://...".
  if (!StartsWithNoCase(address, "https://") &&
      (address.size() < 7 || !StartsWithNoCase(address, kHttpPrefix))) {
    address = kHttpPrefix + address;
  }
  if (!address.empty() && address.back() == '/') address.pop_back();
  return address;
}

std::string MsnLoginShown(const std::string& stored) {
  if (stored.size() > 4 && StartsWithNoCase(stored, kMsnPrefix)) return stored.substr(4);
  if (stored.size() <= 4) return kMsnPrefix + stored;
  return stored;
}

std::string MsnLoginStored(const std::string& typed) {
  if (typed.size() > 4 && StartsWithNoCase(typed, kMsnPrefix)) return typed;
  return kMsnPrefix + typed;
}

const std::vector<std::string>& LoginDomains(int kind) {
  static const std::vector<std::string> earthLink = {"earthlink.net", "mindspring.com",
                                                     "ix.netcom.com", "sprynet.com", "onemain.com"};
  static const std::vector<std::string> prodigy = {"prodigy.net", "pacbell.net", "swbell.net"};
  static const std::vector<std::string> none;
  if (kind == 7) return earthLink;
  if (kind == 8) return prodigy;
  return none;
}

void SplitDomainLogin(const std::string& stored, std::string& name, std::string& domain) {
  const size_t at = stored.find('@');
  name = stored.substr(0, at);
  domain = at == std::string::npos ? std::string() : stored.substr(at + 1);
}

bool ParseWholeNumber(const std::string& text, int& value) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const size_t firstDigit = i;
  long long number = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    number = number * 10 + (text[i] - '0');
    if (number > static_cast<long long>(INT_MAX) + 1) return false;
  }
  if (i == firstDigit) return false;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  if (i != text.size()) return false;
  if (negative) number = -number;
  if (number > INT_MAX || number < INT_MIN) return false;
  value = static_cast<int>(number);
  return true;
}

bool IsBrowserOlderThanVersion5(const std::string& version) {
  // std::string compares its bytes as unsigned values, as strcmp does.
  return version.compare(kNewestOlderVersion) <= 0;
}

size_t LoginEditLimit(int kind) {
  if (kind == 4) return kStoredTextLimit - (sizeof(kMsnPrefix) - 1);
  if (kind == 7 || kind == 8) return kStoredTextLimit - 1 - LongestDomain(kind);
  return kStoredTextLimit;
}

size_t AddressEditLimit() { return kStoredTextLimit - (sizeof(kHttpPrefix) - 1); }

size_t PasswordEditLimit() { return kStoredTextLimit - 1; }

std::string CutTo(const std::string& text, size_t limit) {
  return text.size() <= limit ? text : text.substr(0, limit);
}

}  // namespace configtext
