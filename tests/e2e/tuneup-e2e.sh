#!/usr/bin/env bash
# Complete tune-ups in the lab by the lab host, one per family and kind, each
# checked for the link model's best values, the completion writes and the
# user's TCP/IP values put back byte for byte. With "clients" (America Online,
# NetZero) or "juno-worldnet" the tune-ups dial through the lab's client
# programs instead of RAS.
#   tuneup-e2e.sh <source-dir> <build-dir> [clients|juno-worldnet]
set -uo pipefail
source_dir=${1:?source directory missing}
build_dir=${2:?build directory missing}
set_name=${3:-ras}
failures=0
# Further options of every lab.sh tuneup of the set.
tuneup_options=()

# run [--type N] [--disturb LIST] <family> <mode> <expected line>...
run() {
  local options=(--type 1)
  while [ "${1:0:2}" = "--" ]; do
    options+=("$1" "$2")
    shift 2
  done
  local family=$1 mode=$2
  shift 2
  local output
  output=$("$source_dir/scripts/lab.sh" tuneup "$build_dir" --family "$family" --mode "$mode" \
    "${options[@]}" "${tuneup_options[@]}" 2>&1 | tr -d '\r')
  local expected
  for expected in "user values restored: yes" "ShowVTDialer: 1" "$@"; do
    if ! grep -qxF -- "$expected" <<<"$output"; then
      echo "FAIL $family $mode: no line \"$expected\""
      failures=$((failures + 1))
    fi
  done
  if ! grep -q '^start-up entry: .*\\Velotune.exe$' <<<"$output"; then
    echo "FAIL $family $mode: no start-up entry"
    failures=$((failures + 1))
  fi
  echo "$family $mode: $(grep -E '^(tests|wall time):' <<<"$output" | tr '\n' ' ')"
}

if [ "$set_name" = juno-worldnet ]; then
  # Juno and AT&T WorldNet: a Manual MTU Tune-Up each keeps the set short.
  # The AT&T dialer's logon watch needs a scale at which its start fits.
  tuneup_options=(--provider 6 --time-scale 0.1 --pace-scale 0.3)
  run win98 mtu "best MTU: 1000" "result: result 2:1" "tests: 4"
  tuneup_options=(--provider 9 --time-scale 0.3 --pace-scale 0.3)
  run win98 mtu "best MTU: 1000" "result: result 2:1" "tests: 4"
  exit $((failures > 0))
fi

if [ "$set_name" = clients ]; then
  # America Online: the MTU through the AOL adapter. The client programs
  # start as Wine processes in real time: the dialer's bounded waits need
  # a scale at which a start fits, and the paced downloads a length that
  # dwarfs the time a loaded machine adds to each.
  tuneup_options=(--provider 2 --time-scale 0.1 --pace-scale 0.3)
  run win98 auto "best MTU: 1000" "best TTL: 128" "result: result 3:5" "tests: 12"
  tuneup_options=(--provider 5 --time-scale 0.1 --pace-scale 0.3)
  run win98 auto "best MTU: 1000" "best TTL: 128" "result: result 3:0" "tests: 12"
  exit $((failures > 0))
fi

# Auto: MTU 1000, RWIN 6 x MSS of MTU 1000, TTL 128; the cache size is not judged.
run win98 auto "best MTU: 1000" "best RWIN: 5760" "best TTL: 128" "result: result 3:0" "tests: 12"
# Exhaustive (three of each test) on Windows 2000.
run --type 3 win2k auto "best MTU: 1000" "best RWIN: 5760" "best TTL: 128" \
  "result: result 3:0" "best cache size: none" "tests: 30"
run win95 auto "best MTU: 1000" "best RWIN: 5760" "best TTL: 128"
run winme auto "best MTU: 1000" "best RWIN: 5760" "best TTL: 128"
run nt40 auto "best MTU: 1000" "best RWIN: 5760" "best TTL: 128"
# Manual: one parameter on top of the user's other values.
run win98 mtu "best MTU: 1000" "result: result 2:1" "tests: 4"
run win98 ttl "best TTL: 128" "result: result 2:3" "tests: 4"
# RWIN, after three tune-ups cut short (each end checked by the host), with
# an authentication failure inside the run that the redial gets over.
run --disturb stop-wait,stop-fetch,port-held,auth-fail win98 rwin "best RWIN: 8576" \
  "result: result 2:2" "tests: 4" "end stop-wait: clean" "end stop-fetch: clean" \
  "end port-held: clean" "disturbance auth-fail: failed once, then went on"
# Cache size on Windows 2000: only the baseline is measured.
run win2k cache "result: result 2:4" "tests: 1"

exit $((failures > 0))
