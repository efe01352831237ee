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

# Quiet like quietly, but for the closing counts of the tests that ran.
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
