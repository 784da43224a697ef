#!/usr/bin/env bash
# The installer in a fresh Wine prefix: built from this tree's programs
# (scripts/make-installer.sh), installed silently; then a user's state -
# backed-up TCP/IP values, Velotune running in the notification area, its
# test values in effect under the restore mark, the start-up entry - and a
# silent uninstall. Files, the Start-menu shortcut, the Uninstall key and the
# start-up entry are checked before and after, the user's values byte for
# byte, and LogFile.txt must stay (the silent default).
#   installer-test.sh <source-dir> <build-dir>
set -euo pipefail
source_dir=$(cd "${1:?source directory missing}" && pwd)
build_dir=$(cd "${2:?build directory missing}" && pwd)
work="$build_dir/installer-test"
# A tree of its own for the Wine environment: a prefix, display and server of its own.
env_tree="$work/env"
rm -rf "$work"
mkdir -p "$env_tree"
cp "$build_dir/velotune-arch" "$env_tree/"

setup=$("$source_dir/scripts/make-installer.sh" "$build_dir" "$work")
"$source_dir/scripts/wine-env.sh" start "$env_tree" >"$work/wine-env.log" 2>&1
trap '"$source_dir/scripts/wine-env.sh" stop "$env_tree" >/dev/null 2>&1 || true' EXIT
eval "$("$source_dir/scripts/wine-env.sh" env "$env_tree")"
wineserver=/usr/lib/wine/wineserver
# From here the server ends with the last program, so waiting for it also
# waits for the copy of itself the uninstaller runs on in.
"$wineserver" -k
"$wineserver" -w

run() { timeout 120 "$VELOTUNE_WINE" "$@" </dev/null; }
run_all() { run "$@" && timeout 120 "$wineserver" -w; }
probe() { run "$build_dir/tests/packaging/InstallStateProbe.exe" "$@"; }

status=0
check() {
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; status=1; fi
}

drive_c="$WINEPREFIX/drive_c"
folder='C:\Program Files\Orvalis\Velotune'
installed="$drive_c/Program Files/Orvalis/Velotune"
shortcut="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Velotune/Velotune.lnk"
files=(Velotune.exe Uninstall.exe help/main.htm help/results.htm)

# The programs that read TCP/IP values run as on Windows 98.
for exe in Velotune.exe UninstallHelper.exe InstallStateProbe.exe; do
  run reg add "HKCU\\Software\\Wine\\AppDefaults\\$exe" /v Version /t REG_SZ /d win98 /f \
    >/dev/null 2>&1
done

echo "== before: $(basename "$setup")"
check "no program folder" test ! -e "$installed"
check "no shortcut" test ! -e "$shortcut"
probe absent || status=1

echo "== silent install"
run_all "$setup" /S
for file in "${files[@]}"; do check "installed $file" test -f "$installed/$file"; done
check "Start-menu shortcut" test -f "$shortcut"
probe installed "$folder" || status=1

echo "== a user's state, Velotune running with test values in effect"
probe prepare "$folder" || status=1
printf 'the user'"'"'s results\r\n' >"$installed/LogFile.txt"
# Asked, Velotune ends itself even from the notification area, where closing
# its window only hides it; the uninstaller then meets a second run of it.
ending=$(run "$work/installer-files/UninstallHelper.exe" end | tr -d '\r')
check "Velotune ended when asked ($ending)" grep -qE '^Velotune \(process [0-9]+\) ended$' <<<"$ending"
probe tuned "$folder" || status=1

echo "== silent uninstall"
run_all "$installed/Uninstall.exe" /S
for file in "${files[@]}"; do check "removed $file" test ! -e "$installed/$file"; done
check "LogFile.txt kept as it was" grep -q "the user's results" "$installed/LogFile.txt"
check "nothing else left in the program folder" \
  test "$(find "$installed" -mindepth 1)" = "$installed/LogFile.txt"
check "shortcut and its folder removed" test ! -e "$(dirname "$shortcut")"
probe restored || status=1

if [ "$status" -eq 0 ]; then
  "$source_dir/scripts/wine-env.sh" stop "$env_tree" >/dev/null 2>&1 || true
  trap - EXIT
  rm -rf "$work/env/wine"
fi
exit "$status"
