#!/usr/bin/env bash
# The one command from a fresh clone to a full test run:
# installs what is missing, builds both Windows trees (the product's 32-bit
# tree and the 64-bit test tree), runs the Windows-free logic natively under
# AddressSanitizer and UndefinedBehaviorSanitizer and a short run of every
# fuzz target, then the Windows tests under Wine: always in the 64-bit tree,
# and in the 32-bit tree too where this machine can run 32-bit programs.
#
#   scripts/test.sh [build-dir]      (default: build; the 64-bit tree is <build-dir>64)
# VELOTUNE_WINE_ARCHES picks the architectures whose tests run ("64", "32 64";
#   default: 64, plus 32 where the machine runs it). Naming 32 on a machine
#   that cannot run it is a failure, never a skip.
# VELOTUNE_FUZZ_BUDGET sets the seconds shared by the fuzz targets (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-arch.sh
build32=${1:-build}
build64=${build32}64

echo "== setup"
scripts/setup.sh

if [ -n "${VELOTUNE_WINE_ARCHES:-}" ]; then
  arches=$VELOTUNE_WINE_ARCHES
elif velotune_can_run_32; then
  arches="64 32"
else
  arches="64"
  echo "== this machine cannot run 32-bit programs: the 32-bit tree is built, its tests run only in 64-bit"
fi

echo "== build (32-bit product tree: $build32)"
scripts/build.sh "$build32" --arch 32
echo "== build (64-bit test tree: $build64)"
scripts/build.sh "$build64" --arch 64

echo "== native sanitizer build and tests"
scripts/native-test.sh "$build32"

echo "== fuzz"
scripts/fuzz.sh "$build32" "${VELOTUNE_FUZZ_BUDGET:-60}"

declare -A outcome=([32]="not run (this machine cannot run 32-bit programs)" [64]="not run")
status=0
for arch in $arches; do
  case "$arch" in
    32) tree=$build32 ;;
    64) tree=$build64 ;;
    *) echo "test: VELOTUNE_WINE_ARCHES names an unknown architecture '$arch'" >&2; exit 2 ;;
  esac
  if [ "$arch" = 32 ] && ! velotune_can_run_32; then
    echo "== 32-bit tests requested, but this machine cannot run 32-bit programs" >&2
    outcome[32]="FAILED (cannot run 32-bit programs here)"
    status=1
    continue
  fi
  echo "== Windows tests, $arch-bit tree ($tree)"
  if (cd "$tree" && ctest --output-on-failure --timeout 900); then
    outcome[$arch]="passed"
  else
    outcome[$arch]="FAILED"
    status=1
  fi
done

echo "== Windows tests: 64-bit ${outcome[64]}; 32-bit ${outcome[32]}"
exit $status
