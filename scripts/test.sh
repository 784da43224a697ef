#!/usr/bin/env bash
# The one command from a fresh clone to a full test run:
# installs what is missing, builds everything, and runs every test: the
# Windows program's tests under Wine, the Windows-free logic natively under
# AddressSanitizer and UndefinedBehaviorSanitizer, and a short run of every
# fuzz target.
#
#   scripts/test.sh [build-dir]      (default: build)
# VELOTUNE_FUZZ_BUDGET sets the seconds shared by the fuzz targets (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}

echo "== setup"
scripts/setup.sh

echo "== build"
scripts/build.sh "$build_dir"

echo "== native sanitizer build and tests"
scripts/native-test.sh "$build_dir"

echo "== fuzz"
scripts/fuzz.sh "$build_dir" "${VELOTUNE_FUZZ_BUDGET:-60}"

echo "== tests"
cd "$build_dir"
ctest --output-on-failure --timeout 900
