#!/usr/bin/env bash
# scripts/lab.sh as the demo and the end-to-end tests use it: the lab comes up
# for a chosen Windows family, its programs see that family, the lab's RAS,
# phone book and ISP server, dials bring the ISP's link up and down, and stop
# ends only what start started.
#   lab-script-test.sh <source-dir> <build-dir>
set -euo pipefail
source_dir=$1
build_dir=$2
lab="$source_dir/scripts/lab.sh"
failures=0

expect() {  # expect <description> <text> <pattern>; Windows programs end lines with CR LF
  if tr -d '\r' <<<"$2" | grep -qE -- "$3"; then
    echo "ok: $1"
  else
    echo "FAILED: $1: no line matching '$3' in:" >&2
    echo "$2" >&2
    failures=$((failures + 1))
  fi
}

isp_was_running=no
if [ -f "$build_dir/lab/isp.pid" ] && kill -0 "$(cat "$build_dir/lab/isp.pid")" 2>/dev/null; then
  isp_was_running=yes
fi

for family in nt40:4 win2k:3 win95:1 win98:2; do
  "$lab" start "$build_dir" --family "${family%:*}" --time-scale 0.02 >/dev/null
  status=$("$lab" status "$build_dir")
  expect "${family%:*}: the family" "$status" "^family=${family#*:}\$"
  expect "${family%:*}: the lab's RAS" "$status" '^rasapi32=Z:.*\\lab\\program\\rasapi32\.dll$'
  expect "${family%:*}: the phone book" "$status" '^entries=Lab ISP,Busy ISP,Dead Line,'
  expect "${family%:*}: the ISP, link down" "$status" '^link=down '
  velotune=$("$source_dir/scripts/wine-run.sh" "$build_dir" reg query \
    'HKCU\Software\Wine\AppDefaults\Velotune.exe' /v Version </dev/null 2>/dev/null || true)
  expect "${family%:*}: Velotune.exe's version" "$velotune" "Version +REG_SZ +${family%:*}"
done

# The client programs as their installers leave them (the lab runs win98 now).
clients="$build_dir/lab/clients"
expect "the NetZero dialer and its jpeg.dll" \
  "$(ls "$clients/NetZero/nzStart.exe" && cat "$clients/NetZero/bin/jpeg.dll")" '^Velotune lab jpeg\.dll$'
expect "Juno's user folders" "$(ls "$clients/Juno")" '^USER0002$'
expect "Juno's settings" "$(cat "$clients/Juno/USER0001/juno.ini")" '^Confirm Exit=TRUE$'
query() { "$source_dir/scripts/wine-run.sh" "$build_dir" reg query "$@" </dev/null 2>/dev/null || true; }
expect "Juno's path" "$(query 'HKLM\SOFTWARE\Juno\Juno' /v exe)" 'exe +REG_SZ +Z:.*\\lab\\clients\\Juno\\Program\\Juno\.exe$'
expect "NetZero's path" "$(query 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\nzStart.Exe')" \
  'REG_SZ +Z:.*\\lab\\clients\\NetZero\\nzStart\.exe$'
expect "AT&T WorldNet's folder" "$(query 'HKLM\SOFTWARE\AT&T\WNClient' /v Path)" 'Path +REG_SZ +Z:.*\\lab\\clients\\WorldNet$'
expect "AT&T WorldNet's profiles" "$(query 'HKLM\SOFTWARE\AT&T\WNClient\Global Data\Travel')" \
  'Prompt For Disconnect +REG_DWORD +0x1'
expect "the AOL adapter" "$(query 'HKLM\Enum\Root\Net\0002' /v DeviceDesc)" 'DeviceDesc +REG_SZ +AOL Adapter$'
expect "the AOL adapter's binding" "$(query 'HKLM\Enum\Network\MSTCP\0004' /v Driver)" 'NetTrans\\0005$'
expect "no wizard values without --client-profiles" \
  "$(query 'HKLM\SOFTWARE\Orvalis\Velotune\DialUp Profile\America Online')" 'Unable to find'
printf '[AOL]\r\nOutcomes=noframe\r\nQuitMs=100\r\n' >>"$build_dir/lab/clients.ini"
"$lab" run "$build_dir" "$clients/America Online/LabAol.exe" -nVelo -u'""' >/dev/null 2>&1 || true
expect "a client program plays the lab's scenario and logs" "$(cat "$build_dir/lab/clients.log")" \
  '^[0-9]+ AOL dial 1 noframe$'
program_key_absent=no
if query 'HKLM\SOFTWARE\Orvalis\Velotune' | grep -q 'Unable to find'; then program_key_absent=yes; fi
"$lab" start "$build_dir" --family win98 --time-scale 0.02 --client-profiles >/dev/null
expect "the wizard's AOL values with --client-profiles" \
  "$(query 'HKLM\SOFTWARE\Orvalis\Velotune\DialUp Profile\America Online' /v AOLProgramPath)" \
  'AOLProgramPath +REG_SZ +Z:.*\\lab\\clients\\America Online\\LabAol\.exe$'
if [ "$program_key_absent" = yes ]; then  # leave the prefix's program key as it was
  "$source_dir/scripts/wine-run.sh" "$build_dir" reg delete 'HKLM\SOFTWARE\Orvalis\Velotune' /f \
    </dev/null >/dev/null 2>&1 || true
fi

dial=$("$lab" run "$build_dir" LabProbe.exe --dial "Lab ISP" --user velotune --password tuneup || true)
expect "a dial connects" "$dial" '^dial=0$'
expect "the link is up while connected" "$dial" '^while connected: link=up mtu=1500 rwin=8192 ttl=128$'
expect "the hang-up took the link down" "$("$lab" status "$build_dir")" '^link=down '
dial=$("$lab" run "$build_dir" LabProbe.exe --dial "Dead Line" || true)
expect "a dead line has no dial tone" "$dial" '^dial=680$'
dial=$("$lab" run "$build_dir" LabProbe.exe --dial "Strict ISP" --user velotune --password tuneup || true)
expect "a strict ISP refuses the login" "$dial" '^dial=691$'

"$lab" stop "$build_dir" >/dev/null
if [ "$isp_was_running" = yes ]; then
  expect "an ISP server the lab found running is left running" \
    "$(kill -0 "$(cat "$build_dir/lab/isp.pid")" 2>/dev/null && echo running)" '^running$'
else
  expect "the ISP server the lab started is stopped" \
    "$([ -f "$build_dir/lab/isp.pid" ] || echo stopped)" '^stopped$'
fi

[ "$failures" -eq 0 ]
