#!/usr/bin/env bash
# Configures (once) and builds the Windows program, the lab and the tests with
# MinGW-w64.  scripts/build.sh [build-dir]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  cmake -S . -B "$build_dir" "${generator[@]}" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
fi
cmake --build "$build_dir" --parallel "$(nproc)"
