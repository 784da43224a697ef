// Writing and reading the records of the result log.
#include "engine/portable/LogRecordFormat.h"

#include <climits>
#include <cmath>
#include <cstdio>

#include "engine/portable/StatusCodes.h"

namespace {

constexpr std::string_view kRecordMarker = ">>";
constexpr char kFieldEnd = ':';

// Whole milliseconds as bare digits; "" for 0. Rounding is done here, half
// away from zero, so the text is the same whichever C runtime formats it.
std::string ElapsedDigits(double milliseconds) {
  if (!std::isfinite(milliseconds)) return std::string();
  double rounded = std::round(std::fabs(milliseconds));
  if (rounded < 1.0) return std::string();
  // The largest double has 309 integer digits.
  char digits[320];
  std::snprintf(digits, sizeof digits, "%.0f", rounded);
  return digits;
}

// Reads fields one after another from a position in the log text.
class FieldCursor {
 public:
  FieldCursor(std::string_view text, size_t position) : text_(text), position_(position) {}

  size_t Position() const { return position_; }

  // The text up to the next ":"; the position moves past it. False when no
  // ":" is left.
  bool Next(std::string_view& field) {
    size_t end = text_.find(kFieldEnd, position_);
    if (end == std::string_view::npos) return false;
    field = text_.substr(position_, end - position_);
    position_ = end + 1;
    return true;
  }

 private:
  std::string_view text_;
  size_t position_;
};

// Reads the value and elapsed fields and appends them as one entry.
bool AppendEntry(FieldCursor& cursor, std::vector<std::string>& entries) {
  std::string_view value;
  std::string_view elapsed;
  if (!cursor.Next(value) || !cursor.Next(elapsed)) return false;
  std::string entry;
  entry.reserve(value.size() + elapsed.size() + 2);
  entry.append(value).append(1, kFieldEnd).append(elapsed).append(1, kFieldEnd);
  entries.push_back(std::move(entry));
  return true;
}

bool Listed(int filterKind, int filterParameter, int matchMode, int parameter) {
  if (filterKind == kRecordBaseline) return true;
  if (matchMode == kMatchEveryParameter) return true;
  return matchMode == kMatchFilterParameter && parameter == filterParameter;
}

}  // namespace

std::string FormatLogRecord(const TestRecord& record) {
  std::string text(kRecordMarker);
  text += std::to_string(record.kind) + kFieldEnd;
  text += std::to_string(record.parameter) + kFieldEnd;
  text += std::to_string(record.value) + kFieldEnd;
  text += ElapsedDigits(record.elapsed) + kFieldEnd;
  return text;
}

int ReadLogRecords(std::string_view text, int filterKind, int filterParameter, int matchMode,
                   std::vector<std::string>& entries) {
  size_t position = 0;
  for (;;) {
    size_t marker = text.find(kRecordMarker, position);
    if (marker == std::string_view::npos) return status::kOk;
    FieldCursor cursor(text, marker + kRecordMarker.size());
    std::string_view field;
    if (!cursor.Next(field)) return status::kLogCorrupted;
    if (LogFieldNumber(field) == filterKind) {
      if (!cursor.Next(field)) return status::kLogCorrupted;
      if (Listed(filterKind, filterParameter, matchMode, LogFieldNumber(field)) &&
          !AppendEntry(cursor, entries)) {
        return status::kLogCorrupted;
      }
    }
    position = cursor.Position();
  }
}

int LogFieldNumber(std::string_view field) {
  size_t i = 0;
  while (i < field.size() && (field[i] == ' ' || (field[i] >= '\t' && field[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < field.size() && (field[i] == '+' || field[i] == '-')) negative = field[i++] == '-';
  long long magnitude = 0;
  const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
  for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (field[i] - '0');
    if (magnitude >= limit) {
      magnitude = limit;
      break;
    }
  }
  return static_cast<int>(negative ? -magnitude : magnitude);
}
