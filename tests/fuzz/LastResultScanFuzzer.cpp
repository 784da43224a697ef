// Fuzz target of the "Last Result" scan of LogFile.txt, a file anything may
// have written to. Whatever the bytes, the scan ends without reading past
// the text, and a tune-up it reports has a single-digit kind and parameter,
// one that is not a baseline, with nothing else set.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/portable/LastResultScan.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  TestRecord request;
  if (!ScanLastResult(text, request)) return 0;
  Require(request.kind >= 0 && request.kind <= 9 && request.kind != kRecordBaseline);
  Require(request.parameter >= 0 && request.parameter <= 9);
  Require(request.value == 0 && request.elapsed == 0.0);
  return 0;
}
