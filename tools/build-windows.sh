#!/usr/bin/env bash
# Cross-builds the viewer for 64-bit Windows with MinGW-w64 into build-windows/;
# the program is build-windows/app/viewer.exe. Installs the compilers when
# missing, and Wine too with --with-wine (tools/test-windows.sh runs the
# program under it). Quiet while all goes well.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++-mingw-w64-x86-64-posix)
case ${1:-} in
  --with-wine) packages+=(wine64) ;;
  "") ;;
  *) echo "usage: $0 [--with-wine]" >&2; exit 2 ;;
esac
tools/ensure-packages.sh "${packages[@]}"

# The whole output only when a step fails.
quietly() {
  local log
  log=$(mktemp)
  if ! "$@" >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    return 1
  fi
  rm -f "$log"
}

quietly cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DVIEWER_TESTS=OFF -DVIEWER_WERROR=ON
quietly cmake --build build-windows --target viewer -j"$(nproc)"
