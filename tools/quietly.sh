# shellcheck shell=bash
# Sourced by the scripts: runs a command quietly while all goes well, and shows
# its whole output when it fails.
quietly() {
  local log
  log=$(mktemp)
  if ! "$@" >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    return 1
  fi
  rm -f "$log"
}
