#!/usr/bin/env bash
# Installs the Debian packages that are not installed yet: those named on the
# command line, and those listed in each file given with --list FILE (one a
# line; # starts a comment). Quiet when there is nothing to do; uses sudo when
# not run as root.
set -euo pipefail

wanted=()
while [[ $# -gt 0 ]]; do
  if [[ $1 == --list ]]; then
    [[ $# -ge 2 ]] || { echo "usage: $0 [--list FILE | PACKAGE]..." >&2; exit 2; }
    [[ -r $2 ]] || { echo "$0: cannot read the package list $2" >&2; exit 2; }
    mapfile -t -O "${#wanted[@]}" wanted < <(sed 's/#.*//; s/[[:space:]]//g' "$2")
    shift 2
  else
    wanted+=("$1")
    shift
  fi
done

missing=()
for package in "${wanted[@]}"; do
  [[ -n $package ]] || continue # a blank or comment line of a list
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ $status == *"ok installed"* ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
echo "Installing: ${missing[*]}" >&2
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
