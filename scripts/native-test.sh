#!/usr/bin/env bash
# Builds the Windows-free logic natively with g++ under AddressSanitizer and
# UndefinedBehaviorSanitizer and runs its tests (portable_tests).
#   scripts/native-test.sh [build-dir]   (default: build; the native tree is <build-dir>/native)
set -euo pipefail
cd "$(dirname "$0")/.."
native_dir=${1:-build}/native
scripts/cmake-build.sh "$native_dir" -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ \
  -DVELOTUNE_SANITIZE=ON
cd "$native_dir"
ASAN_OPTIONS=${ASAN_OPTIONS:-detect_stack_use_after_return=1} \
UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1} \
  ctest --output-on-failure --timeout 600
