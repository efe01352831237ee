#!/usr/bin/env bash
# Installs the Debian packages named on the command line that are not installed yet.
# Quiet when there is nothing to do; uses sudo when not run as root.
set -euo pipefail

missing=()
for package in "$@"; do
  [[ -n $package ]] || continue # a blank line of a package list
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ $status == *"ok installed"* ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
echo "Installing: ${missing[*]}" >&2
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
