// The "Last Result" scan of a result log's text.
#include "engine/portable/LastResultScan.h"

namespace {

constexpr std::string_view kMarker = ">>";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The digit just before the field end that follows `from`; false when there
// is no such end, or the character before it is not a digit (or is the marker).
bool DigitBeforeFieldEnd(std::string_view text, size_t from, size_t& fieldEnd, int& digit) {
  fieldEnd = text.find(':', from);
  if (fieldEnd == std::string_view::npos || fieldEnd == from) return false;
  char c = text[fieldEnd - 1];
  if (!IsDigit(c)) return false;
  digit = c - '0';
  return true;
}

}  // namespace

bool ScanLastResult(std::string_view text, TestRecord& request) {
  size_t position = 0;
  for (;;) {
    size_t marker = text.find(kMarker, position);
    if (marker == std::string_view::npos) return false;
    size_t fields = marker + kMarker.size();
    if (fields >= text.size()) return false;
    size_t kindEnd = 0;
    size_t parameterEnd = 0;
    int kind = 0;
    int parameter = 0;
    if (!DigitBeforeFieldEnd(text, fields, kindEnd, kind)) return false;
    if (!DigitBeforeFieldEnd(text, kindEnd + 1, parameterEnd, parameter)) return false;
    if (kind != kRecordBaseline) {
      request = TestRecord();
      request.kind = kind;
      request.parameter = parameter;
      return true;
    }
    position = parameterEnd + 1;
  }
}
