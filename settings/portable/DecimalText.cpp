#include "settings/portable/DecimalText.h"

#include <climits>

int DecimalToInt(const std::string& text) {
  size_t position = text.find_first_not_of(" \t\r\n\v\f");
  if (position == std::string::npos) return 0;
  bool negative = false;
  if (text[position] == '+' || text[position] == '-') {
    negative = text[position] == '-';
    ++position;
  }
  long long magnitude = 0;
  const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
  for (; position < text.size() && text[position] >= '0' && text[position] <= '9'; ++position) {
    magnitude = magnitude * 10 + (text[position] - '0');
    if (magnitude > limit) magnitude = limit;
  }
  return static_cast<int>(negative ? -magnitude : magnitude);
}

std::string IntToDecimal(int value) { return std::to_string(value); }
