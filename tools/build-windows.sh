#!/usr/bin/env bash
# Cross-builds the viewer for 64-bit Windows with MinGW-w64 into build-windows/;
# the program is build-windows/app/viewer.exe. With --with-tests also the unit
# tests that need no display (GoogleTest built from Debian's sources), and Wine
# to run them (tools/test-windows.sh). Installs what is missing. Quiet while
# all goes well.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=tools/quietly.sh
source tools/quietly.sh

packages=(cmake g++-mingw-w64-x86-64-posix)
tests=OFF
case ${1:-} in
  --with-tests) packages+=(wine64 googletest); tests=ON ;;
  "") ;;
  *) echo "usage: $0 [--with-tests]" >&2; exit 2 ;;
esac
tools/ensure-packages.sh "${packages[@]}"

quietly cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DVIEWER_TESTS="$tests" -DVIEWER_WERROR=ON
if [[ $tests == ON ]]; then
  quietly cmake --build build-windows -j"$(nproc)"
else
  quietly cmake --build build-windows --target viewer -j"$(nproc)"
fi
