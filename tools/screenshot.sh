#!/usr/bin/env bash
# Takes docs/screenshot.png: the viewer's window on the shipped sample model,
# under a private Xvfb. Builds the viewer first (the release preset, in build/
# or in $BUILD_DIR).
# Needs xdotool and ImageMagick's import.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${BUILD_DIR:-build}

if [[ ${1:-} != --under-xvfb ]]; then
  tools/ensure-packages.sh --list tools/packages.txt --list tools/packages-test.txt imagemagick
  cmake --preset release -B "$build" >/dev/null
  cmake --build "$build" --target viewer -j"$(nproc)" >/dev/null
  exec tools/with-xvfb.sh "$0" --under-xvfb
fi

viewer=$PWD/$build/app/viewer
log=$(mktemp)
trap 'rm -f "$log"' EXIT
mkdir -p docs

# The viewer reads enterprise.obj, its library and textures from the current directory.
(cd assets && exec "$viewer" >"$log" 2>&1) &
viewer_pid=$!

if ! window=$(timeout 20 xdotool search --sync --name '^viewer$' | head -n1) || [[ -z $window ]]; then
  echo "screenshot: the viewer's window did not appear" >&2
  cat "$log" >&2
  kill "$viewer_pid" 2>/dev/null || true
  exit 1
fi
sleep 1  # a few dozen frames: the model is loaded and drawn
import -window "$window" docs/screenshot.png

# Escape ends the viewer; it samples keys once a frame, so hold the key a while.
xdotool windowfocus "$window" 2>/dev/null || true
xdotool keydown Escape
sleep 0.2
xdotool keyup Escape
for _ in $(seq 50); do
  kill -0 "$viewer_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$viewer_pid" 2>/dev/null; then
  echo "screenshot: the viewer did not end on Escape" >&2
  kill "$viewer_pid"
fi
wait "$viewer_pid" || true

echo "wrote docs/screenshot.png ($(identify -format '%wx%h' docs/screenshot.png))"
