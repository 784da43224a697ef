#!/usr/bin/env bash
# The Wine environment of a build tree: a prefix inside the build tree of the
# tree's architecture (win32 for the 32-bit tree, win64 for the 64-bit one),
# a virtual X display and a persistent wineserver.
#
#   wine-env.sh prefix <build-dir>   create the prefix if it does not exist yet
#   wine-env.sh start  <build-dir>   prefix, display (when none is set) and wineserver
#   wine-env.sh stop   <build-dir>   stop the wineserver (saving the registry) and our display
#   wine-env.sh env    <build-dir>   print the environment as shell exports
#
# The state lives in <build-dir>/wine: prefix/, display, xvfb.pid.
set -euo pipefail

command=${1:?usage: wine-env.sh prefix|start|stop|env <build-dir>}
build_dir=$(cd "${2:?build directory missing}" && pwd)
state_dir="$build_dir/wine"
mkdir -p "$state_dir"

# shellcheck source=wine-arch.sh
. "$(dirname "$0")/wine-arch.sh"
velotune_wine_for "$build_dir"
export WINEPREFIX="$state_dir/prefix"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# Wine's desktop process, which keeps the tray, runs unmanaged: on a display
# without a window manager Wine waits two seconds for each managed window it
# hides, and a program adding or removing a tray icon meanwhile waits with it.
# Set once per prefix, while no server runs, so the desktop process reads it.
configure_desktop() {
  grep -qF 'explorer.exe\\X11 Driver' "$WINEPREFIX/user.reg" 2>/dev/null && return 0
  "$WINE" reg add 'HKCU\Software\Wine\AppDefaults\explorer.exe\X11 Driver' /v Managed /t REG_SZ \
    /d N /f >>"$state_dir/wineboot.log" 2>&1
  timeout 60 "$WINESERVER" -w || true
}

create_prefix() {
  if [ -f "$WINEPREFIX/system.reg" ] && [ -d "$WINEPREFIX/drive_c" ]; then
    configure_desktop
    return 0
  fi
  rm -rf "$WINEPREFIX"
  echo "wine-env: creating prefix $WINEPREFIX"
  "$WINE" wineboot -i >"$state_dir/wineboot.log" 2>&1
  # A crash must never open a dialog that waits for a person.
  "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
    >>"$state_dir/wineboot.log" 2>&1
  "$WINESERVER" -w
  configure_desktop
}

start_display() {
  if [ -n "${DISPLAY:-}" ]; then
    echo "$DISPLAY" >"$state_dir/display"
    return 0
  fi
  if [ -f "$state_dir/xvfb.pid" ] && kill -0 "$(cat "$state_dir/xvfb.pid")" 2>/dev/null; then
    return 0
  fi
  # Xvfb picks a free display number itself and writes it to the given
  # descriptor, so several build trees can start their displays at once.
  rm -f "$state_dir/display.number"
  setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp \
    3>"$state_dir/display.number" </dev/null >"$state_dir/xvfb.log" 2>&1 &
  echo $! >"$state_dir/xvfb.pid"
  for _ in $(seq 1 100); do
    if [ -s "$state_dir/display.number" ]; then
      echo ":$(tr -d '[:space:]' <"$state_dir/display.number")" >"$state_dir/display"
      return 0
    fi
    sleep 0.1
  done
  echo "wine-env: Xvfb did not start" >&2
  cat "$state_dir/xvfb.log" >&2
  return 1
}

stop_display() {
  if [ -f "$state_dir/xvfb.pid" ]; then
    kill "$(cat "$state_dir/xvfb.pid")" 2>/dev/null || true
    rm -f "$state_dir/xvfb.pid" "$state_dir/display" "$state_dir/display.number"
  fi
}


print_env() {
  echo "export WINEPREFIX='$WINEPREFIX'"
  echo "export WINEARCH=$WINEARCH"
  echo "export VELOTUNE_WINE='$WINE'"
  echo "export WINEDEBUG='$WINEDEBUG'"
  echo "export WINEDLLOVERRIDES='$WINEDLLOVERRIDES'"
  if [ -f "$state_dir/display" ]; then echo "export DISPLAY='$(cat "$state_dir/display")'"; fi
}

case "$command" in
  prefix) create_prefix ;;
  start)
    create_prefix
    start_display
    # Wine's services, the desktop process among them, start with the server
    # and must reach the display that every later program uses.
    DISPLAY=$(cat "$state_dir/display")
    export DISPLAY
    setsid "$WINESERVER" -p </dev/null >/dev/null 2>&1 &
    # The first program of a wineserver's life starts Wine's own services,
    # which live as long as the server. Start them here with streams of our
    # own, or they would hold on to the streams of whatever test came first.
    "$WINE" cmd /c exit </dev/null >>"$state_dir/services.log" 2>&1
    echo "wine-env: ready (DISPLAY $(cat "$state_dir/display"), prefix $WINEPREFIX)"
    ;;
  stop)
    "$WINESERVER" -k 2>/dev/null || true
    "$WINESERVER" -w 2>/dev/null || true
    stop_display
    echo "wine-env: stopped"
    ;;
  env) print_env ;;
  *) echo "wine-env: unknown command $command" >&2; exit 2 ;;
esac
