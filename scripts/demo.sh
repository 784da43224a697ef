#!/usr/bin/env bash
# The demonstration: Velotune.exe in the simulated dial-up lab, driven through
# its own windows, with a PNG of each screen.
#
#   scripts/demo.sh [build-dir] [--family F] [--time-scale S] [--no-build]
#
# Installs what is missing, builds, starts the lab (family F, default win98),
# starts Velotune.exe on the lab's virtual display and takes pictures of the
# splash window, every information page (page0 "Velotune", page3 "MTU", ...),
# an open menu and the About dialog, then closes the program and stops the
# lab. Each picture is checked: not blank, no pure red (the colour the tree's
# pictures treat as transparent) on screen. The time scale (default
# 0.5) multiplies the program's fixed waits - the splash then shows for 1.5 s
# instead of 3 s; the lab's link is always paced for real.
# The start is made a first start, so the program runs its configuration
# wizard, which the demo answers with the keyboard (the lab's entry "Lab ISP",
# Express), with a picture of each answered page. Then it chooses "Auto
# Tune-Up" in the tree, starts it from the "&Tune-Up" menu, takes pictures of the dial and progress views, waits for the result view,
# prints the three figures and keeps its picture. At time scale 0.5 an
# Express Auto Tune-Up (12 tests) over the lab's link, paced as a real modem,
# takes about nine minutes; the demo gives it thirty.
# --no-build skips the package and build steps for a tree that is built.
# Exits non-zero at the first step that fails and says where the PNGs are.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$(pwd)

build_dir="" family=win98 time_scale=0.5 build=yes tuneup_minutes=10
while [ $# -gt 0 ]; do
  case "$1" in
    --no-build) build=no; shift ;;
    --family) family=${2:?--family needs a family}; shift 2 ;;
    --time-scale) time_scale=${2:?--time-scale needs a factor}; shift 2 ;;
    *) build_dir=$1; shift ;;
  esac
done
. scripts/wine-arch.sh
arch=$(velotune_default_arch)
build_dir=${build_dir:-$(velotune_default_build_dir "$arch")}

step() { echo "demo: $*"; }
fail() { echo "demo: FAILED: $*" >&2; echo "demo: pictures so far in ${shots:-(none)}" >&2; exit 1; }

if [ "$build" = yes ]; then
  step "packages"; scripts/setup.sh >/dev/null
  step "build ($build_dir)"; scripts/build.sh "$build_dir" --arch "$arch" >/dev/null
fi
build_abs=$(cd "$build_dir" && pwd)
shots="$build_abs/demo"
mkdir -p "$shots"
rm -f "$shots"/*.png

step "lab ($family, time scale $time_scale)"
scripts/lab.sh start "$build_dir" --family "$family" --time-scale "$time_scale"
velotune_pid=""
cleanup() {
  if [ -n "$velotune_pid" ] && kill -0 "$velotune_pid" 2>/dev/null; then kill "$velotune_pid" 2>/dev/null || true; fi
  scripts/lab.sh stop "$build_dir" >/dev/null || true
}
trap cleanup EXIT
eval "$(scripts/wine-env.sh env "$build_dir")"

driver() {
  local out
  out=$(scripts/lab.sh run "$build_dir" "$build_abs/tests/VelotuneDriver.exe" "$@" 2>/dev/null) || return 1
  printf '%s\n' "${out//$'\r'/}"
}

# A picture must show something, and no colour meant to be transparent may
# show as a box of its own: pure red belongs on screen only in the progress
# view's title (second argument "red").
check_picture() {
  local file="$shots/$1.png" colours red
  colours=$(identify -format '%k' "$file")
  [ "$colours" -gt 16 ] || fail "$1.png is blank ($colours colours)"
  [ "${2:-}" = red ] && return 0
  red=$(convert "$file" -fill black +opaque 'rgb(255,0,0)' -fill white -opaque 'rgb(255,0,0)' \
          -format '%[fx:round(mean*w*h)]' info:)
  [ "$red" -lt 20 ] || fail "$1.png shows $red pure red pixels"
}

# A PNG of one window, cut from the whole virtual display.
shoot() {
  local name=$1 window=$2 allow=${3:-} rect x y w h
  rect=$(driver rect "$window") || fail "no window for $name"
  read -r x y w h <<<"$rect"
  import -display "$DISPLAY" -window root "$shots/screen.png"
  convert "$shots/screen.png" -crop "${w}x${h}+${x}+${y}" +repage "$shots/$name.png"
  rm -f "$shots/screen.png"
  check_picture "$name" "$allow"
  step "  $shots/$name.png"
}

# Without a "DialUp Profile" key this start is a first start: the program runs
# its configuration wizard, which the demo answers below as a user would.
scripts/wine-run.sh "$build_dir" reg delete 'HKLM\SOFTWARE\Orvalis\Velotune\DialUp Profile' \
  /f </dev/null >/dev/null 2>&1 || true
# A tune-up that completed before (an earlier demo) leaves the tray dialer on,
# and the program would then start in the notification area with its window hidden.
scripts/wine-run.sh "$build_dir" reg delete 'HKLM\SOFTWARE\Orvalis\Velotune\Options' \
  /v ShowVTDialer /f </dev/null >/dev/null 2>&1 || true

step "start Velotune.exe"
scripts/lab.sh run "$build_dir" >"$shots/velotune.log" 2>&1 &
velotune_pid=$!

splash=$(driver wait-window '#32770' - 20000 1046) || fail "the splash window did not appear"
shoot splash "$splash"
main=$(driver wait-window VelotuneMainFrame Velotune 30000) || fail "the main window did not appear"
driver wait-gone "$splash" 1000 >/dev/null || fail "the splash window is still there beside the main window"
tree=$(driver child "$main" 1000 5000) || fail "no tree in the main window"

# The first start's configuration wizard, answered with the keyboard alone:
# Express, Windows Dial-Up Networking, the lab's entry "Lab ISP" with its
# login and password, the lab's test site.
step "the configuration wizard of the first start"
wizard=$(driver wait-window '#32770' 'Configuration Wizard' 30000 1200) || fail "the wizard did not appear"
# Waits for the wizard's page that holds the control.
wizard_page() {
  driver child "$wizard" "$2" 10000 >/dev/null || fail "the wizard did not show its $1 page"
  sleep 0.5
}
answer() { driver "$@" >/dev/null || fail "could not answer the wizard ($*)"; }
wizard_page welcome 1200
shoot wizard-welcome "$wizard"
answer key "$wizard" ENTER
wizard_page type 1123
answer key "$wizard" T alt; answer key "$wizard" SPACE
shoot wizard-type "$wizard"
answer key "$wizard" ENTER
wizard_page provider 1134
answer key "$wizard" S alt; answer key "$wizard" HOME
shoot wizard-provider "$wizard"
answer key "$wizard" ENTER
wizard_page profile 1014
answer key "$wizard" D alt; answer key "$wizard" L
answer key "$wizard" L alt; answer type "$wizard" velotune
answer key "$wizard" P alt; answer type "$wizard" tuneup
shoot wizard-profile "$wizard"
answer key "$wizard" ENTER
wizard_page address 1011
answer key "$wizard" W alt; answer type "$wizard" www.velotune-lab.test
shoot wizard-address "$wizard"
answer key "$wizard" ENTER
driver wait-gone "$wizard" 10000 >/dev/null || fail "the wizard did not finish"
sleep 1

# Every information page, chosen in the tree as a user would.
pages=("Velotune" "Auto Tune-Up" "Manual Tune-Up" "MTU" "RWIN" "TTL" "Cache Size")
for page in 1 2 3 4 5 6 0; do
  item=${pages[$page]}
  if ! driver select "$main" 1000 "$item" >/dev/null; then
    case "$family" in nt40|win2k) [ "$item" = "Cache Size" ] && continue ;; esac
    fail "could not select $item in the tree"
  fi
  sleep 0.5
  shoot "page$page" "$main"
done

# A menu opened from the keyboard, its first item's prompt in the status bar.
driver key "$main" T alt >/dev/null
sleep 0.5
shoot menu "$main"
driver key "$main" ESC >/dev/null
driver key "$main" ESC >/dev/null

driver command "$main" 57664 >/dev/null
about=$(driver wait-window '#32770' 'About Velotune' 10000) || fail "the About dialog did not open"
sleep 0.5
shoot about "$about"
driver click "$about" 1 >/dev/null
driver wait-gone "$about" 5000 >/dev/null || fail "the About dialog did not close"

# An Auto Tune-Up chosen in the tree and started from the menu by keyboard.
step "Auto Tune-Up (about $tuneup_minutes minutes at time scale $time_scale)"
driver select "$main" 1000 "Auto Tune-Up" >/dev/null || fail "could not select Auto Tune-Up"
driver key "$main" T alt >/dev/null
sleep 0.5
driver key "$main" S >/dev/null
driver child "$main" 1017 60000 >/dev/null || fail "the dial view did not appear"
sleep 2
shoot dial "$main"
driver child "$main" 1053 600000 >/dev/null || fail "the progress view did not appear"
sleep 2
shoot progress "$main" red
limit=$((tuneup_minutes * 60 * 1000 * 3))
figure=$(driver child "$main" 1026 "$limit") || fail "no result view within $((limit / 60000)) minutes"
sleep 1
for id in 1026 1027 1028; do
  driver wait-text "$main" "$id" "" 1 >/dev/null && fail "result figure $id is empty"
done
step "  Extreme Performance:          $(driver text "$main" 1026)"
step "  Best of the Best Performance: $(driver text "$main" 1027)"
step "  Average Performance:          $(driver text "$main" 1028)"
shoot result "$main"

step "end Velotune.exe (closing now only hides it beside its tray icon: then the tray menu's Exit)"
driver exit "$main" 10000 >/dev/null || fail "Velotune.exe did not end"
for _ in $(seq 1 100); do kill -0 "$velotune_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$velotune_pid" 2>/dev/null && fail "Velotune.exe did not end"
velotune_pid=""
step "done; pictures in $shots"
