// The test record an Auto Tune-Up writes for one parameter value: what tests
// hand the settings store to write a test value or to keep a best value.
#pragma once

#include "engine/portable/TestRecord.h"

namespace testsupport {

inline TestRecord AutoRecord(int parameter, int value) {
  TestRecord record;
  record.kind = kRecordAuto;
  record.parameter = parameter;
  record.value = value;
  return record;
}

}  // namespace testsupport
