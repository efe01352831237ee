#!/usr/bin/env bash
# Runs a command under a private Xvfb on a free display number, then stops the server.
# The server offers a 640x480 mode besides its own, so full-screen switches can be tried.
# Exits with the command's status.
set -euo pipefail

[[ $# -gt 0 ]] || { echo "usage: $0 command [args...]" >&2; exit 2; }

work=$(mktemp -d)
# shellcheck disable=SC2317 # run by the EXIT trap
cleanup() {
  [[ -n ${xvfb_pid:-} ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# -displayfd lets the server pick a free display number and tell us which.
# -noreset keeps the added mode when the last client leaves.
Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset -nolisten tcp +extension RANDR \
  3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [[ -s $work/display ]] && break
  kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log" >&2; exit 1; }
  sleep 0.05
done
[[ -s $work/display ]] || { echo "Xvfb did not start" >&2; exit 1; }
display=$(head -n1 "$work/display")
export DISPLAY=":$display"

if command -v xrandr >/dev/null; then
  xrandr --newmode 640x480 25.175 640 656 752 800 480 490 492 525 -hsync -vsync >/dev/null 2>&1 || true
  xrandr --addmode screen 640x480 >/dev/null 2>&1 || true
fi

status=0
"$@" || status=$?
exit "$status"
