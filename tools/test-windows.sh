#!/usr/bin/env bash
# Checks the Windows build under Wine, on a private Xvfb:
#  - viewer.exe imports only DLLs that come with every Windows;
#  - the unit tests that need neither a display nor POSIX pass, cross-built,
#    and the layer's message loop on a real window;
#  - the e2e tests of the Linux build pass with viewer.exe in the viewer's
#    place (VIEWER_COMMAND): window, caption, keys, close request, full
#    screen, status on Escape, and the progress text and start picture
#    against the Linux build's. Tests of what only Linux has skip themselves.
# Builds first: build-windows/ (tools/build-windows.sh --with-tests) and the
# e2e tests in build/, configured as test.sh does. Quiet while all goes well;
# exits non-zero when a check fails.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=tools/quietly.sh
source tools/quietly.sh

if [[ ${1:-} != --under-xvfb ]]; then
  tools/build-windows.sh --with-tests
  tools/ensure-packages.sh --list tools/packages.txt --list tools/packages-test.txt
  quietly cmake --preset release
  quietly cmake --build --preset release --target viewer viewer_e2e_tests -j"$(nproc)"

  status=0
  allowed='^(kernel32|user32|gdi32|opengl32|glu32|winmm|msvcrt)\.dll$'
  while read -r dll; do
    if [[ ! ${dll,,} =~ $allowed ]]; then
      echo "FAIL: viewer.exe imports $dll" >&2
      status=1
    fi
  done < <(x86_64-w64-mingw32-objdump -p build-windows/app/viewer.exe | sed -n 's/^\s*DLL Name: //p')
  tools/with-xvfb.sh "$0" --under-xvfb || status=1
  exit "$status"
fi

# Under Xvfb from here on.
# shellcheck source=tools/wine.sh
source tools/wine.sh
work=$(mktemp -d)
trap 'end_wine; rm -rf "$work"' EXIT
start_wine "$work/prefix"

status=0
# ctest starts each test program through Wine (the build's emulator).
counted ctest --preset windows -j"$(nproc)" || status=1
VIEWER_COMMAND="$wine $PWD/build-windows/app/viewer.exe" VIEWER_BOX_TEXT_COMMAND="$wine $PWD/build-windows/tests/support/box_text.exe" \
  counted build/tests/e2e/viewer_e2e_tests || status=1
exit "$status"
