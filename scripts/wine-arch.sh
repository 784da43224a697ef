# Sourced by the scripts that run Windows programs: the Wine loader and
# prefix architecture of a build tree, taken from the architecture CMake
# recorded in <build-dir>/velotune-arch when the tree was configured
# (32: the product's i686 tree, 64: the x86_64 test tree).
#
#   velotune_wine_for <build-dir>   sets VELOTUNE_ARCH, WINE, WINEARCH and WINESERVER
#   velotune_can_run_32             true when this machine runs 32-bit programs
#   velotune_default_arch           32 where the machine can run it, else 64

velotune_tree_arch() {
  local file="$1/velotune-arch"
  if [ -f "$file" ]; then
    tr -d '[:space:]' <"$file"
  else
    echo 32
  fi
}

velotune_wine_for() {
  VELOTUNE_ARCH=$(velotune_tree_arch "$1")
  case "$VELOTUNE_ARCH" in
    64) WINE=/usr/lib/wine/wine64; WINEARCH=win64 ;;
    32) WINE=/usr/lib/wine/wine; WINEARCH=win32 ;;
    *) echo "wine-arch: unknown architecture '$VELOTUNE_ARCH' in $1/velotune-arch" >&2; return 1 ;;
  esac
  WINESERVER=/usr/lib/wine/wineserver
  export VELOTUNE_ARCH WINEARCH
}

# Some kernels refuse every 32-bit program ("Exec format error"): ask the
# 32-bit loader itself rather than guess from the kernel.
velotune_can_run_32() {
  [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

velotune_default_arch() {
  if velotune_can_run_32; then echo 32; else echo 64; fi
}

# The build directory a tree of the architecture gets when none is named.
velotune_default_build_dir() {
  if [ "$1" = 64 ]; then echo build64; else echo build; fi
}
