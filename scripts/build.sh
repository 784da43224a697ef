#!/usr/bin/env bash
# Configures (once) and builds the Windows program, the lab and the tests with
# MinGW-w64.  scripts/build.sh [build-dir]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/cmake-build.sh "${1:-build}" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
