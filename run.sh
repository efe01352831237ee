#!/usr/bin/env bash
# Installs what is missing, builds the viewer and starts it on the shipped model.
set -euo pipefail
cd "$(dirname "$0")"

tools/ensure-packages.sh build-essential cmake pkg-config libsdl2-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri libx11-dev
cmake -S . -B build-run -DCMAKE_BUILD_TYPE=Release -DVIEWER_TESTS=OFF >/dev/null
cmake --build build-run --target viewer -j"$(nproc)" >/dev/null

# The viewer reads enterprise.obj from the current directory.
cd assets
exec ../build-run/app/viewer
