#!/usr/bin/env bash
# Runs a command under a private Xvfb on a free display number, then stops the server.
# The server offers a 640x480 mode besides its own, so full-screen switches can be tried.
# Exits with the command's status, or 1 when the server does not start.
set -euo pipefail

[[ $# -gt 0 ]] || { echo "usage: $0 command [args...]" >&2; exit 2; }

# shellcheck source=tools/desktop.sh
source "$(dirname "$0")/desktop.sh"
trap desktop_stop EXIT
desktop_start xvfb || exit 1

status=0
"$@" || status=$?
exit "$status"
