#!/usr/bin/env bash
# The lab's ISP and web server of a build tree (sim/isp, IspServer.exe),
# run under the build tree's Wine environment on a free loopback port.
#
#   lab-isp.sh start   <build-dir> [server options]   start it and route the prefix's
#                                                     Internet settings to it as proxy
#   lab-isp.sh stop    <build-dir>                    stop it and turn the proxy off again
#   lab-isp.sh address <build-dir>                    print the control address host:port
#                                                     (VELOTUNE_LAB_ISP)
#   lab-isp.sh web     <build-dir>                    print the web (proxy) address host:port
#   lab-isp.sh control <build-dir> <request>          send a control request, print the answer,
#                                                     e.g. control build 'link-up?mtu=1500&rwin=8760'
#
# The server has two ports: the control port takes the lab's control requests
# at any time; the web port, the proxy of the prefix's Internet settings,
# accepts connections only while the simulated link is up.
# The state lives in <build-dir>/lab: isp.address, isp.web, isp.pid, isp.log.
set -euo pipefail

command=${1:?usage: lab-isp.sh start|stop|address|control <build-dir> ...}
build_dir=$(cd "${2:?build directory missing}" && pwd)
shift 2
scripts=$(cd "$(dirname "$0")" && pwd)
state_dir="$build_dir/lab"
address_file="$state_dir/isp.address"
web_file="$state_dir/isp.web"
internet_settings='HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings'

wine_reg() {
  "$scripts/wine-run.sh" "$build_dir" reg "$@" </dev/null >>"$state_dir/reg.log" 2>&1
}

# One HTTP GET of /_lab/<request> over a plain socket; prints the body.
control() {
  local address=$1 request=$2 response
  exec 3<>"/dev/tcp/${address%:*}/${address##*:}"
  printf 'GET /_lab/%s HTTP/1.0\r\nHost: %s\r\n\r\n' "$request" "$address" >&3
  response=$(cat <&3)
  exec 3>&-
  printf '%s\n' "${response#*$'\r\n\r\n'}"
}

running_pid() {
  local pid
  [ -f "$state_dir/isp.pid" ] || return 1
  pid=$(cat "$state_dir/isp.pid")
  kill -0 "$pid" 2>/dev/null || return 1
  echo "$pid"
}

start() {
  mkdir -p "$state_dir"
  if running_pid >/dev/null; then stop; fi
  rm -f "$address_file" "$web_file"
  setsid "$scripts/wine-run.sh" "$build_dir" "$build_dir/sim/isp/IspServer.exe" --port 0 "$@" \
    </dev/null >"$state_dir/isp.log" 2>&1 &
  echo $! >"$state_dir/isp.pid"
  local address="" web=""
  for _ in $(seq 1 300); do
    address=$(sed -n 's/^listening \([0-9.]*:[0-9]*\) .*/\1/p' "$state_dir/isp.log" 2>/dev/null | head -n 1)
    web=$(sed -n 's/^listening .* web \([0-9.]*:[0-9]*\).*/\1/p' "$state_dir/isp.log" 2>/dev/null | head -n 1)
    [ -n "$address" ] && [ -n "$web" ] && break
    running_pid >/dev/null || break
    sleep 0.1
  done
  if [ -z "$address" ] || [ -z "$web" ]; then
    echo "lab-isp: the server did not start" >&2
    cat "$state_dir/isp.log" >&2
    return 1
  fi
  echo "$address" >"$address_file"
  echo "$web" >"$web_file"
  wine_reg add "$internet_settings" /v ProxyEnable /t REG_DWORD /d 1 /f
  wine_reg add "$internet_settings" /v ProxyServer /t REG_SZ /d "$web" /f
  echo "VELOTUNE_LAB_ISP=$address"
}

stop() {
  local pid
  if [ -f "$address_file" ]; then
    control "$(cat "$address_file")" quit >/dev/null 2>&1 || true
  fi
  if pid=$(running_pid); then
    for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill "$pid" 2>/dev/null || true
  fi
  rm -f "$address_file" "$web_file" "$state_dir/isp.pid"
  if [ -d "$state_dir" ]; then
    wine_reg add "$internet_settings" /v ProxyEnable /t REG_DWORD /d 0 /f || true
    wine_reg delete "$internet_settings" /v ProxyServer /f || true
  fi
  echo "lab-isp: stopped"
}

case "$command" in
  start) start "$@" ;;
  stop) stop ;;
  address) cat "$address_file" ;;
  web) cat "$web_file" ;;
  control) control "$(cat "$address_file")" "${1:?control request missing}" ;;
  *) echo "lab-isp: unknown command $command" >&2; exit 2 ;;
esac
