#!/usr/bin/env bash
# Benchmarks of the program in the lab - figures, not a timed test:
#   - size: Velotune.exe of the Release build (scripts/package.sh), target 1 MB;
#   - footprint: working set (now and peak), handles and windows of Velotune.exe
#     after an Express Auto Tune-Up (the soak test with one tune-up); target 16 MB;
#   - decision accuracy: N seeded Express Auto Tune-Ups by the lab host with 5 %
#     link noise, and the share that choose the link model's best value of each
#     parameter (MTU 1000, RWIN 6 x MSS = 5760, TTL 128); target 95 %.
#
#   scripts/bench.sh [build-dir] [--runs N] [--release-dir DIR]
#     (defaults: build64, 20 runs, build-release)
# The Windows tree must have Velotune.exe, the lab and the tests built.
set -uo pipefail
cd "$(dirname "$0")/.."
build_dir=build64 runs=20 release_dir=build-release
while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=${2:?}; shift 2 ;;
    --release-dir) release_dir=${2:?}; shift 2 ;;
    *) build_dir=$1; shift ;;
  esac
done

echo "== size"
if [ -f "$release_dir/ui/Velotune.exe" ]; then
  echo "Velotune.exe (Release, 32-bit): $(stat -c %s "$release_dir/ui/Velotune.exe") bytes (target 1048576)"
else
  echo "Velotune.exe (Release): not built - run scripts/package.sh first"
fi

echo "== footprint after an Express Auto Tune-Up"
(cd "$build_dir" && VELOTUNE_SOAK_TUNEUPS=1 ctest -V -R '^soak_e2e_tests$' 2>&1) |
  sed -n 's/^.*\[ soak \] //p'

echo "== decision accuracy: $runs seeded Express Auto Tune-Ups, 5 % noise"
mtu=0 rwin=0 ttl=0 done_runs=0
# One lab for all runs; each run only sets the server's seed and noise.
scripts/lab.sh start "$build_dir" --family win98 --time-scale 0.02 >/dev/null
trap 'scripts/lab.sh stop "$build_dir" >/dev/null' EXIT
for seed in $(seq 1 "$runs"); do
  output=$(scripts/lab.sh tuneup "$build_dir" --family win98 --mode auto --type 1 \
    --seed "$seed" --noise 5 2>&1 | tr -d '\r')
  if ! grep -qxF "user values restored: yes" <<<"$output"; then
    echo "seed $seed: the tune-up did not end cleanly"
    continue
  fi
  done_runs=$((done_runs + 1))
  grep -qxF "best MTU: 1000" <<<"$output" && mtu=$((mtu + 1))
  grep -qxF "best RWIN: 5760" <<<"$output" && rwin=$((rwin + 1))
  grep -qxF "best TTL: 128" <<<"$output" && ttl=$((ttl + 1))
  echo "seed $seed: $(grep -E '^best (MTU|RWIN|TTL):' <<<"$output" | tr '\n' ' ')"
done
share() { [ "$done_runs" -gt 0 ] && echo "$(( $1 * 100 / done_runs )) % ($1 of $done_runs)" || echo "n/a"; }
echo "model's best chosen: MTU $(share $mtu), RWIN $(share $rwin), TTL $(share $ttl) (target 95 %)"
