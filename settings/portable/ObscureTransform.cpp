#include "settings/portable/ObscureTransform.h"

#include <cstdint>

namespace {

constexpr int32_t kMultiplier = 4913;
constexpr int32_t kOffset = 64213;

// Two's-complement wrap-around without signed overflow.
int32_t Wrapped(uint32_t bits) { return static_cast<int32_t>(bits); }

}  // namespace

int ObscureValue(int value) {
  return Wrapped(static_cast<uint32_t>(value) * static_cast<uint32_t>(kMultiplier) -
                 static_cast<uint32_t>(kOffset));
}

int RevealValue(int stored) {
  return Wrapped(static_cast<uint32_t>(stored) + static_cast<uint32_t>(kOffset)) / kMultiplier;
}
