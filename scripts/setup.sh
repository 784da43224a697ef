#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the lab need.
# Safe to run again: packages already present are left alone.
set -euo pipefail

packages=(
  cmake make ninja-build
  g++-mingw-w64-i686 mingw-w64-i686-dev
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
  googletest
  wine wine32:i386 wine64
  xvfb x11-utils xdotool imagemagick fonts-wine
  clang libclang-rt-14-dev
  nsis zip
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all packages present"
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
log=$(mktemp /tmp/velotune-setup.XXXXXX.log)
echo "setup: installing ${missing[*]} (log: $log)"
if ! { "${sudo_cmd[@]}" apt-get update && \
       "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
  tail -n 40 "$log" >&2
  echo "setup: package installation failed" >&2
  exit 1
fi
echo "setup: installed ${missing[*]}"
