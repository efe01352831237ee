#!/usr/bin/env bash
# Installs what is missing, builds the viewer and starts it on the shipped model.
set -euo pipefail
cd "$(dirname "$0")"

# Only what building and running need; the tests' packages are test.sh's.
tools/ensure-packages.sh --list tools/packages.txt
cmake --preset viewer >/dev/null
cmake --build --preset viewer -j"$(nproc)" >/dev/null

# The viewer reads enterprise.obj from the current directory.
cd assets
exec ../build-run/app/viewer
