#!/usr/bin/env bash
# Builds VelotuneSetup-<version>.exe with NSIS (packaging/Velotune.nsi) from a
# built tree's Velotune.exe, help pages and UninstallHelper.exe:
#   scripts/make-installer.sh <build-dir> <output-dir>
# The 32-bit tree's installer is the product's, on NSIS's ANSI x86 stub (the
# one that also runs on Windows 9x); the 64-bit test tree's uses the amd64
# stub, so that the same script can be tried where only 64-bit Wine runs.
# The programs go in stripped. Prints the installer's path.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-arch.sh
build_dir=${1:?build directory missing}
out_dir=$(mkdir -p "${2:?output directory missing}" && cd "$2" && pwd)
if ! command -v makensis >/dev/null 2>&1; then
  echo "make-installer: makensis not found; scripts/setup.sh installs it (Debian's nsis)" >&2
  exit 1
fi
case "$(velotune_tree_arch "$build_dir")" in
  64) target=amd64-unicode strip=x86_64-w64-mingw32-strip ;;
  *) target=x86-ansi strip=i686-w64-mingw32-strip ;;
esac
version=$(sed -n 's/^#define VELOTUNE_VERSION_TEXT "\(.*\)"$/\1/p' \
  "$build_dir/generated/VelotuneVersion.h")

stage="$out_dir/installer-files"
rm -rf "$stage"
mkdir -p "$stage/help"
"$strip" -o "$stage/Velotune.exe" "$build_dir/ui/Velotune.exe"
"$strip" -o "$stage/UninstallHelper.exe" "$build_dir/packaging/UninstallHelper.exe"
cp "$build_dir"/ui/help/*.htm "$stage/help/"

setup="$out_dir/VelotuneSetup-$version.exe"
makensis -V2 -WX -DTARGET="$target" -DVERSION="$version" -DFILES_DIR="$stage" \
  -DHELPER="$stage/UninstallHelper.exe" -DOUTFILE="$setup" packaging/Velotune.nsi >&2
echo "$setup"
