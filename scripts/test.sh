#!/usr/bin/env bash
# The one command from a fresh clone to a full test run:
# installs what is missing, builds everything, and runs every test.
#
#   scripts/test.sh [build-dir]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}

echo "== setup"
scripts/setup.sh

echo "== build"
scripts/build.sh "$build_dir"

echo "== tests"
cd "$build_dir"
ctest --output-on-failure --timeout 900
