#!/usr/bin/env bash
# The long soak of the real Velotune.exe in the lab, of which CTest runs only
# a short variant: consecutive Express Auto Tune-Ups, and one-click tray dial
# and hang-up cycles, each in one run of the program, sampled after every
# cycle (tests/e2e/SoakE2eTest.cpp). It runs outside CTest because the long
# soak outlasts the test's time limit.
#
#   soak.sh <build-dir> [--tuneups N] [--tray-dials N]
#
# Defaults: 20 tune-ups and 200 tray dials; 0 leaves that soak out. The
# Wine environment and the lab's ISP server are started and stopped as
# CTest's fixtures do; the figures are printed as "[ soak ] ..." lines.
set -euo pipefail

build_dir=$(cd "${1:?usage: soak.sh <build-dir> [--tuneups N] [--tray-dials N]}" && pwd)
shift
tuneups=20
tray_dials=200
while [ $# -gt 0 ]; do
  case $1 in
    --tuneups) tuneups=${2:?count missing}; shift 2 ;;
    --tray-dials) tray_dials=${2:?count missing}; shift 2 ;;
    *) echo "soak.sh: unknown option $1" >&2; exit 2 ;;
  esac
done
filters=()
if [ "$tuneups" -gt 0 ]; then filters+=('*ConsecutiveTuneUps*'); fi
if [ "$tray_dials" -gt 0 ]; then filters+=('*ConsecutiveTrayDials*'); fi
if [ ${#filters[@]} -eq 0 ]; then echo "soak.sh: nothing to run" >&2; exit 2; fi
filter=$(IFS=:; echo "${filters[*]}")

scripts=$(cd "$(dirname "$0")" && pwd)
"$scripts/wine-env.sh" start "$build_dir"
trap '"$scripts/wine-env.sh" stop "$build_dir"' EXIT
"$scripts/lab-isp.sh" start "$build_dir"
trap '"$scripts/lab-isp.sh" stop "$build_dir"; "$scripts/wine-env.sh" stop "$build_dir"' EXIT

cd "$build_dir/tests"
started=$(date +%s)
status=0
VELOTUNE_SOAK_TUNEUPS=$tuneups VELOTUNE_SOAK_TRAY_DIALS=$tray_dials \
  WINEDLLOVERRIDES='mscoree,mshtml=;rasapi32=n,b' \
  "$scripts/wine-run.sh" "$build_dir" "$build_dir/tests/soak_e2e_tests.exe" \
  --gtest_filter="$filter" || status=$?
echo "soak.sh: $tuneups tune-ups, $tray_dials tray dials: status $status after $(( $(date +%s) - started )) s"
exit "$status"
