// The text form of the result log: one record per timed test,
// ">>" kind ":" parameter ":" value ":" elapsed ":", written back to back with
// nothing between them, and the filtered reader that lists the records of one
// kind (and parameter) as "value:elapsed:" entries. Windows-free.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/portable/TestRecord.h"

// How the reader matches a record's parameter against the filter's.
constexpr int kMatchEveryParameter = 0;
constexpr int kMatchFilterParameter = 1;

// The record's text. The elapsed time is rounded to whole milliseconds and
// written as bare digits (no sign, no decimal point); it is empty when it
// rounds to 0 or is not a number at all.
std::string FormatLogRecord(const TestRecord& record);

// Lists the records of `text` whose kind equals the filter's kind. A baseline
// filter (kind 1) lists every baseline record; otherwise match mode 1 lists
// only records of the filter's parameter, mode 0 records of every parameter
// and any other mode nothing. Each listed record is appended to `entries` as
// its value field, ":", its elapsed field and ":".
// Returns 0, or 7 (log corrupted) when a field lacks its closing ":"; the
// entries listed before that point are kept.
int ReadLogRecords(std::string_view text, int filterKind, int filterParameter, int matchMode,
                   std::vector<std::string>& entries);

// A field compared "as a number": leading blanks, an optional sign and the
// digits that follow; anything else ends the number (no digits give 0).
// Values beyond the range of int are held at its nearest end.
int LogFieldNumber(std::string_view field);
