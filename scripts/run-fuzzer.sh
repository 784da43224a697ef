#!/usr/bin/env bash
# Runs one libFuzzer target for a bounded time (CTest's command for the tests
# of velotune_add_fuzzer):
#   run-fuzzer.sh <fuzzer> <seed-folder> <corpus-folder>
# VELOTUNE_FUZZ_SECONDS (default 30) bounds the run. New inputs go to the
# corpus folder, kept between runs; a crashing input goes beside it
# (<corpus-folder>-artifacts) and fails the test.
set -euo pipefail
fuzzer=${1:?fuzzer missing}
seeds=${2:?seed folder missing}
corpus=${3:?corpus folder missing}
seconds=${VELOTUNE_FUZZ_SECONDS:-30}
mkdir -p "$corpus" "$corpus-artifacts"
exec "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$corpus-artifacts/" "$corpus" "$seeds"
