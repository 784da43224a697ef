#include "settings/portable/PasswordShift.h"

namespace {

constexpr unsigned kPasswordShift = 197;

std::string Shifted(const std::string& text, unsigned shift) {
  std::string result = text;
  for (char& byte : result) {
    byte = static_cast<char>((static_cast<unsigned char>(byte) + shift) & 0xFFu);
  }
  return result;
}

}  // namespace

std::string ObscurePassword(const std::string& password) {
  return Shifted(password, kPasswordShift);
}

std::string RevealPassword(const std::string& stored) {
  return Shifted(stored, 256 - kPasswordShift);
}

std::string StoredPassword(const std::string& password) {
  std::string stored = ObscurePassword(password);
  if (!stored.empty() && stored.back() == '\0') stored.push_back('\0');
  return stored;
}

std::string PasswordFromStored(const std::string& stored) {
  if (!stored.empty() && stored.back() == '\0') {
    return RevealPassword(stored.substr(0, stored.size() - 1));
  }
  return RevealPassword(stored);
}
