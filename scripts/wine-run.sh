#!/usr/bin/env bash
# Runs a Windows program of the build tree under the build tree's Wine
# environment. CTest uses it as the emulator for every test executable:
#   wine-run.sh <build-dir> <program.exe> [arguments...]
set -euo pipefail
build_dir=${1:?build directory missing}
shift
eval "$("$(dirname "$0")/wine-env.sh" env "$build_dir")"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$(dirname "$0")/wine-env.sh" prefix "$build_dir"
fi
# The lab's ISP server, when one runs for this build tree (scripts/lab-isp.sh).
if [ -z "${VELOTUNE_LAB_ISP:-}" ] && [ -f "$build_dir/lab/isp.address" ]; then
  VELOTUNE_LAB_ISP=$(cat "$build_dir/lab/isp.address")
  export VELOTUNE_LAB_ISP
fi
exec "$VELOTUNE_WINE" "$@"
