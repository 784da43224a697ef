#!/usr/bin/env bash
# Runs a test executable as a program of another Windows family: Wine reports
# the family's version to a program by its file name (AppDefaults), so the
# executable runs as a copy of its own, "<name>-<family>.exe", beside it (with
# the DLLs placed there), and that copy's AppDefaults name the family.
#   run-as-family.sh <source-dir> <build-dir> <family> <program.exe> [arguments...]
set -euo pipefail
source_dir=${1:?source directory missing}
build_dir=${2:?build directory missing}
family=${3:?family missing}
program=${4:?program missing}
shift 4
copy="${program%.exe}-$family.exe"
cp -f "$program" "$copy"
name=$(basename "$copy")
"$source_dir/scripts/wine-run.sh" "$build_dir" reg add \
  "HKCU\\Software\\Wine\\AppDefaults\\$name" /v Version /t REG_SZ /d "$family" /f \
  </dev/null >/dev/null 2>&1
status=0
"$source_dir/scripts/wine-run.sh" "$build_dir" "$copy" "$@" || status=$?
rm -f "$copy"
exit "$status"
