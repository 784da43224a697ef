#!/usr/bin/env bash
# Configures a build tree once (with Ninja when it is installed) and builds it.
#   scripts/cmake-build.sh <build-dir> [cmake configure options...]
# The options only count the first time, when the tree is configured.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:?build directory missing}
shift
generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  cmake -S . -B "$build_dir" "${generator[@]}" "$@"
fi
cmake --build "$build_dir" --parallel "$(nproc)"
