#!/usr/bin/env bash
# Cross-builds the viewer for 64-bit Windows with MinGW-w64 into build-windows/
# (the windows preset); the program is build-windows/app/viewer.exe. With
# --with-tests also the unit tests that need no display (GoogleTest built from
# Debian's sources), and Wine to run them (tools/test-windows.sh). Installs
# what is missing. Quiet while all goes well.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=tools/quietly.sh
source tools/quietly.sh

packages=(cmake make g++-mingw-w64-x86-64-posix)
tests=no
case ${1:-} in
  --with-tests) packages+=(wine64 googletest); tests=yes ;;
  "") ;;
  *) echo "usage: $0 [--with-tests]" >&2; exit 2 ;;
esac
tools/ensure-packages.sh "${packages[@]}"

# Without --with-tests a build that has the tests keeps them, so that building
# the program alone (tools/package.sh) does not drop them.
with_tests=OFF
if [[ $tests == yes ]]; then
  with_tests=ON
elif [[ -f build-windows/viewer-build.env ]]; then
  # shellcheck source=packaging/viewer-build.env.in
  source build-windows/viewer-build.env
fi

quietly cmake --preset windows -DVIEWER_TESTS="$with_tests"
if [[ $tests == yes ]]; then
  quietly cmake --build --preset windows -j"$(nproc)"
else
  quietly cmake --build --preset windows --target viewer -j"$(nproc)"
fi
