#!/usr/bin/env bash
# Configures (once) and builds the Windows program, the lab and the tests with
# MinGW-w64, as a 32-bit tree (the product) or a 64-bit tree (for testing on
# machines whose Wine cannot run 32-bit programs).
#
#   scripts/build.sh [build-dir] [--arch 32|64]
#
# Without --arch an existing tree keeps the architecture it was configured
# with; a new one gets 32-bit where this machine can run it, else 64-bit.
# Without a build directory: build for 32-bit, build64 for 64-bit.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-arch.sh

build_dir="" arch=""
while [ $# -gt 0 ]; do
  case "$1" in
    --arch) arch=${2:?--arch needs 32 or 64}; shift 2 ;;
    --arch=*) arch=${1#--arch=}; shift ;;
    *) build_dir=$1; shift ;;
  esac
done
if [ -z "$arch" ] && [ -n "$build_dir" ] && [ -f "$build_dir/velotune-arch" ]; then
  arch=$(velotune_tree_arch "$build_dir")
fi
arch=${arch:-$(velotune_default_arch)}
build_dir=${build_dir:-$(velotune_default_build_dir "$arch")}

case "$arch" in
  32) toolchain=cmake/mingw-i686.cmake ;;
  64) toolchain=cmake/mingw-x86_64.cmake ;;
  *) echo "build: --arch takes 32 or 64, not '$arch'" >&2; exit 2 ;;
esac
if [ -f "$build_dir/velotune-arch" ] && [ "$(velotune_tree_arch "$build_dir")" != "$arch" ]; then
  echo "build: $build_dir is a $(velotune_tree_arch "$build_dir")-bit tree; choose another folder for $arch-bit" >&2
  exit 2
fi
scripts/cmake-build.sh "$build_dir" -DCMAKE_TOOLCHAIN_FILE="$toolchain"
