// Finds, in the text of a result log, the tune-up the log belongs to: the
// kind and parameter of its first record that is not a baseline. Windows-free.
#pragma once

#include <string_view>

#include "engine/portable/TestRecord.h"

// True with `request` set to that kind and parameter (other fields 0) when
// such a record exists. The scan ends at the first record whose kind or
// parameter is not a single decimal digit before its ':', and at a record
// marker with nothing after it; a log of baselines only gives false.
bool ScanLastResult(std::string_view text, TestRecord& request);
