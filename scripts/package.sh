#!/usr/bin/env bash
# Builds what users get from the Release build of the 32-bit tree (optimised,
# stripped, static): the installer and the portable zip of Velotune.exe with
# its help pages.
#   scripts/package.sh [release-dir]        (default: build-release)
# Writes <release-dir>/dist/VelotuneSetup-<version>.exe (NSIS, see
# packaging/Velotune.nsi) and <release-dir>/dist/Velotune-<version>-portable.zip,
# and prints the size of Velotune.exe and of its parts, with a warning above
# the 1 MB target. The version is the project's (CMakeLists.txt).
set -euo pipefail
cd "$(dirname "$0")/.."
release_dir=${1:-build-release}
size_limit=$((1024 * 1024))

generator=()
if command -v ninja >/dev/null 2>&1; then generator=(-G Ninja); fi
if [ ! -f "$release_dir/CMakeCache.txt" ]; then
  cmake -S . -B "$release_dir" "${generator[@]}" \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$release_dir" --target Velotune UninstallHelper --parallel "$(nproc)"

version=$(sed -n 's/^#define VELOTUNE_VERSION_TEXT "\(.*\)"$/\1/p' \
  "$release_dir/generated/VelotuneVersion.h")
exe="$release_dir/ui/Velotune.exe"
size=$(stat -c %s "$exe")
echo "package: Velotune.exe $version, $size bytes"
if [ "$size" -gt "$size_limit" ]; then
  echo "package: warning: Velotune.exe is above the target of $size_limit bytes:" >&2
  i686-w64-mingw32-objdump -h "$exe" |
    awk 'NF >= 7 && $1 ~ /^[0-9]+$/ { print "  " $2, $3 " (hex)" }' >&2
fi

dist="$release_dir/dist"
stage="$dist/Velotune"
rm -rf "$stage"
mkdir -p "$stage/help"
cp "$exe" "$stage/"
cp "$release_dir"/ui/help/*.htm "$stage/help/"
zip_file="$dist/Velotune-$version-portable.zip"
rm -f "$zip_file"
(cd "$dist" && zip -q -r -X "$(basename "$zip_file")" Velotune)
echo "package: $zip_file"
echo "package: $(scripts/make-installer.sh "$release_dir" "$dist")"
