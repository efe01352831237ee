#!/usr/bin/env bash
# Checks the Windows build under Wine, on a private Xvfb:
#  - viewer.exe imports only DLLs that come with every Windows;
#  - its progress text is byte for byte the Linux build's, on the shipped
#    model, on the account model of the tests, and on that model with CR LF
#    line ends and bytes 0x1A;
#  - Escape ends it with status 0.
# Builds both first: build-windows/ (tools/build-windows.sh) and the Linux
# viewer in build-windows/linux/. Exits non-zero when a check fails.
set -euo pipefail
cd "$(dirname "$0")/.."

account_model=tests/model/data/account

if [[ ${1:-} != --under-xvfb ]]; then
  tools/build-windows.sh --with-wine
  mapfile -t packages < <(grep -v '^#' tools/packages.txt)
  tools/ensure-packages.sh "${packages[@]}"
  log=$(mktemp)
  if ! { cmake -S . -B build-windows/linux -DCMAKE_BUILD_TYPE=Release -DVIEWER_TESTS=OFF &&
         cmake --build build-windows/linux --target viewer -j"$(nproc)"; } >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    exit 1
  fi
  rm -f "$log"

  status=0
  allowed='^(kernel32|user32|gdi32|opengl32|glu32|msvcrt)\.dll$'
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
windows_viewer=$PWD/build-windows/app/viewer.exe
linux_viewer=$PWD/build-windows/linux/app/viewer
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

# Runs a viewer in a directory until its window shows, then ends it with
# Escape. Its progress text goes to the file out; its exit status is the
# function's.
run_viewer() {
  local directory=$1 out=$2 window pid status=0
  shift 2
  (cd "$directory" && exec "$@" >"$out" 2>"$out.err") &
  pid=$!
  if ! window=$(timeout 30 xdotool search --sync --name '^viewer$' 2>/dev/null | head -n1) || [[ -z $window ]]; then
    echo "FAIL: no window from $* in $directory" >&2
    cat "$out.err" >&2
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    return 1
  fi
  # Wine gives the window no keyboard focus without a window manager.
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  sleep 1
  # Keys are sampled once a frame: hold Escape for a few frames.
  xdotool keydown Escape
  sleep 0.2
  xdotool keyup Escape
  for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then
    echo "FAIL: $* in $directory did not end on Escape" >&2
    kill "$pid"
  fi
  wait "$pid" || status=$?
  return "$status"
}

# The account model with CR LF line ends and lines holding the byte 0x1A,
# which Windows' text mode would take for the end of the file.
crlf=$work/crlf
mkdir "$crlf"
sed 's/$/\r/' "$account_model/enterprise.mtl" >"$crlf/enterprise.mtl"
{
  head -n 5 "$account_model/enterprise.obj"
  printf 'v 1 \x1a 2\n\x1a\n'
  tail -n +6 "$account_model/enterprise.obj"
} | sed 's/$/\r/' >"$crlf/enterprise.obj"

status=0
for directory in assets "$account_model" "$crlf"; do
  for build in linux windows; do
    if [[ $build == linux ]]; then
      run_viewer "$directory" "$work/linux.out" "$linux_viewer" || run=$?
    else
      run_viewer "$directory" "$work/windows.out" "$wine" "$windows_viewer" || run=$?
    fi
    if [[ ${run:-0} -ne 0 ]]; then
      echo "FAIL: the $build viewer in $directory ended with status $run" >&2
      status=1
    fi
    unset run
  done
  if ! cmp -s "$work/linux.out" "$work/windows.out"; then
    echo "FAIL: progress text in $directory differs from the Linux build's:" >&2
    cmp "$work/linux.out" "$work/windows.out" >&2 || true
    status=1
  fi
done
exit "$status"
