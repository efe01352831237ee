#!/usr/bin/env bash
# Checks the Windows build under Wine, on a private Xvfb:
#  - viewer.exe imports only DLLs that come with every Windows;
#  - the unit tests that need neither a display nor POSIX pass, cross-built;
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
  quietly cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DVIEWER_TESTS=ON -DVIEWER_WERROR=ON
  quietly cmake --build build --target viewer viewer_e2e_tests -j"$(nproc)"

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
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
[[ -x $wine ]] || wine=$(command -v wine64 || command -v wine)
[[ -x $wineserver ]] || wineserver=$(command -v wineserver)

work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all
trap '"$wineserver" -k 2>/dev/null || true; rm -rf "$work"' EXIT

# A fresh prefix takes about ten seconds. Windows are left to Wine rather
# than to a window manager, which Xvfb lacks: Wine would otherwise wait two
# seconds for one whenever a window is hidden. A Windows process kept running
# keeps Wine's own services up between the runs; a start just after they went
# down waits ten seconds for them.
"$wine" wineboot -i >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
mkfifo "$work/keep"
"$wine" cmd /c pause <"$work/keep" >/dev/null 2>&1 &
exec 3>"$work/keep"  # held until the script ends

# Quiet like the other steps, but for the closing counts of the tests that ran.
counted() {
  local log
  log=$(mktemp)
  if "$@" >"$log" 2>&1; then
    grep -E '^(100% tests passed|\[  PASSED  \]|\[  SKIPPED \] [0-9]+ tests?,)' "$log" | sed 's/, listed below:$/ (Linux only)/' || true
    rm -f "$log"
  else
    cat "$log" >&2
    rm -f "$log"
    return 1
  fi
}

status=0
# ctest starts each test program through Wine (the build's emulator).
counted ctest --test-dir build-windows -L unit --output-on-failure -j"$(nproc)" || status=1
VIEWER_COMMAND="$wine $PWD/build-windows/app/viewer.exe" counted build/tests/e2e/viewer_e2e_tests || status=1
exit "$status"
