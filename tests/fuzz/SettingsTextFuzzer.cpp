// Fuzz target of the settings store's number transforms: the decimal text
// read from registry values of any content, and the obscure transform of the
// stored best settings. The conversion stays within the 32-bit range and
// agrees with its own output, and every value the program can store comes
// back through the obscure transform unchanged.
//
// Input: the whole input is a registry text; its first four bytes are also
// a number for the round trips.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "settings/portable/DecimalText.h"
#include "settings/portable/ObscureTransform.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

// The largest magnitude whose obscured form fits 32 bits: every TCP/IP value
// and cache size the program tests lies far below it.
constexpr int kLargestStorable = (0x7FFFFFFF - 64213) / 4913;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const int parsed = DecimalToInt(text);
  Require(DecimalToInt(IntToDecimal(parsed)) == parsed);

  int32_t number = 0;
  std::memcpy(&number, data, size < sizeof(number) ? size : sizeof(number));
  Require(DecimalToInt(IntToDecimal(number)) == number);
  // Reveal never traps, whatever a registry value holds.
  (void)RevealValue(number);
  if (number >= -kLargestStorable && number <= kLargestStorable) {
    Require(RevealValue(ObscureValue(number)) == number);
  }
  return 0;
}
