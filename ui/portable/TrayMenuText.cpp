// The tray menus' window-free texts and figures.
#include "ui/portable/TrayMenuText.h"

#include <algorithm>
#include <cctype>

namespace traymenu {

namespace {

constexpr int kBandsPerBar = 128;

std::string Upper(const std::string& text) {
  std::string upper = text;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

void AddUnique(const std::vector<std::string>& names, std::vector<std::string>& merged,
               std::vector<std::string>& seen) {
  for (const std::string& name : names) {
    if (merged.size() >= kMaxNamesPerList) return;
    if (name.empty()) continue;
    const std::string key = Upper(name);
    if (std::find(seen.begin(), seen.end(), key) != seen.end()) continue;
    seen.push_back(key);
    merged.push_back(name);
  }
}

uint8_t Between(uint8_t from, uint8_t to, int step, int steps) {
  if (steps <= 0) return from;
  return static_cast<uint8_t>(from + (static_cast<int>(to) - from) * step / steps);
}

}  // namespace

std::vector<std::string> MergeNames(const std::vector<std::string>& shortKeyNames,
                                    const std::vector<std::string>& providerKeyNames) {
  std::vector<std::string> merged;
  std::vector<std::string> seen;
  AddUnique(shortKeyNames, merged, seen);
  AddUnique(providerKeyNames, merged, seen);
  return merged;
}

std::string ItemText(const std::string& name) {
  std::string text;
  for (char c : name) {
    const size_t needed = c == '&' ? 2 : 1;
    if (text.size() + needed > kMaxItemText) break;
    text += c;
    if (c == '&') text += '&';
  }
  return text;
}

char Mnemonic(const std::string& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 1])));
  }
  return 0;
}

std::vector<Band> GradientBands(int height, Rgb top, Rgb bottom) {
  std::vector<Band> bands;
  if (height <= 0) return bands;
  const int bandHeight = std::max(1, height / kBandsPerBar);
  const int count = (height + bandHeight - 1) / bandHeight;
  for (int i = 0; i < count; ++i) {
    Band band;
    band.top = i * bandHeight;
    band.height = std::min(bandHeight, height - band.top);
    band.colour.red = Between(top.red, bottom.red, i, count - 1);
    band.colour.green = Between(top.green, bottom.green, i, count - 1);
    band.colour.blue = Between(top.blue, bottom.blue, i, count - 1);
    bands.push_back(band);
  }
  return bands;
}

}  // namespace traymenu
