#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless under a private Xvfb.
set -euo pipefail
cd "$(dirname "$0")"

mapfile -t packages < <(grep -v '^#' tools/packages.txt)
tools/ensure-packages.sh "${packages[@]}"

jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DVIEWER_TESTS=ON -DVIEWER_WERROR=ON >/dev/null
cmake --build build -j"$jobs" >/dev/null

tools/with-xvfb.sh ctest --test-dir build --output-on-failure -j"$jobs"
