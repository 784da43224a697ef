#!/usr/bin/env bash
# Builds every libFuzzer target (velotune_add_fuzzer) natively with clang and
# runs them one after another, sharing a time budget equally.
#   scripts/fuzz.sh [build-dir] [seconds]   (defaults: build, 60; the tree is <build-dir>/fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."
fuzz_dir=${1:-build}/fuzz
budget=${2:-60}
scripts/cmake-build.sh "$fuzz_dir" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DVELOTUNE_FUZZ=ON
cd "$fuzz_dir"
count=$(ctest -N -L fuzz | sed -n 's/^Total Tests: *//p')
if [ "${count:-0}" -eq 0 ]; then
  echo "fuzz: no fuzz targets"
  exit 0
fi
seconds=$(( budget / count ))
if [ "$seconds" -lt 1 ]; then seconds=1; fi
echo "fuzz: $count target(s), $seconds s each"
VELOTUNE_FUZZ_SECONDS=$seconds ctest -L fuzz --output-on-failure
