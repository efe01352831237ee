#!/usr/bin/env bash
# Loading speed: runs the loading benchmark (built by ./test.sh) and checks
# LoadModel against the baselines measured beside it in the same run:
#   full load with progress text to a file <= tinyobjloader's parse of the same file
#   full load with progress text to a file <= 3 x the floor (read the bytes, count the lines)
#   100 MB load <= 12 x the 10 MB load
# It also shows, without a target, the floor plus writing as many bytes as
# the progress text has: the I/O that loading with progress to a file cannot avoid.
# Figures are medians of interleaved repetitions (wall-clock time).
# Usage: tools/bench-load.sh [BUILD_DIR] [REPETITIONS]   (defaults: build, 7)
# Exits 1 when a target is missed.
set -euo pipefail
export LC_ALL=C # the decimal point of every figure
cd "$(dirname "$0")/.."

build=${1:-build}
repetitions=${2:-7}
binary=$build/tests/bench/load_benchmark
[[ -x $binary ]] || { echo "no $binary: run ./test.sh (or build the load_benchmark target) first" >&2; exit 2; }

out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$binary" --benchmark_repetitions="$repetitions" --benchmark_enable_random_interleaving=true \
  --benchmark_report_aggregates_only=true --benchmark_format=json --benchmark_out="$out" \
  --benchmark_out_format=json >/dev/null

echo "Loading speed on $(hostname), $(date -u '+%Y-%m-%d %H:%M UTC'); medians of $repetitions interleaved runs, wall-clock ms"
awk -v machine="$(hostname)" '
  /"name":/ { name = $2; gsub(/[",]/, "", name) }
  /"real_time":/ && name ~ /_median$/ {
    value = $2; gsub(/,/, "", value)
    split(name, part, "/")
    time[part[1] "/" part[2]] = value + 0
  }
  /"cpu_time":/ && name ~ /_median$/ {
    value = $2; gsub(/,/, "", value)
    split(name, part, "/")
    cpu[part[1] "/" part[2]] = value + 0
  }
  /"progress_bytes":/ && name ~ /_median$/ {
    value = $2; gsub(/,/, "", value)
    split(name, part, "/")
    progress[part[2]] = value + 0
  }
  function check(ok) { if (!ok) failed = 1; return ok ? "pass" : "FAIL" }
  END {
    if (length(time) == 0) { print "no benchmark results"; exit 2 }
    printf "\n| size | floor: read + count lines | floor + writing as many bytes as the progress text | LoadModel, progress dropped | LoadModel, progress to file | tinyobjloader | progress text |\n"
    printf "|---|---|---|---|---|---|---|\n"
    n = split("1 10 100", sizes, " ")
    for (i = 1; i <= n; ++i) {
      s = sizes[i]
      printf "| %s MB | %.2f ms | %.2f ms | %.2f ms | %.2f ms | %.2f ms | %.1f MB |\n", s, time["Floor/" s], \
        time["FloorWithProgressWrite/" s], time["LoadWithProgressDropped/" s], time["LoadWithProgressToFile/" s], \
        time["TinyObjLoader/" s], progress[s] / 1048576
    }
    printf "\n| target | size | ours | baseline | ratio | limit | result |\n|---|---|---|---|---|---|---|\n"
    for (i = 1; i <= n; ++i) {
      s = sizes[i]; ours = time["LoadWithProgressToFile/" s]
      floor_ = time["Floor/" s]; tiny = time["TinyObjLoader/" s]
      printf "| load to file / tinyobjloader | %s MB | %.2f ms | %.2f ms | %.2f | 1.00 | %s |\n", s, ours, tiny, ours / tiny, check(ours <= tiny)
      printf "| load to file / floor | %s MB | %.2f ms | %.2f ms | %.2f | 3.00 | %s |\n", s, ours, floor_, ours / floor_, check(ours <= 3 * floor_)
    }
    for (k = 1; k <= 2; ++k) {
      b = k == 1 ? "LoadWithProgressToFile" : "LoadWithProgressDropped"
      label = k == 1 ? "100 MB / 10 MB, to file" : "100 MB / 10 MB, dropped"
      big = time[b "/100"]; small = time[b "/10"]
      printf "| %s | | %.2f ms | %.2f ms | %.2f | 12.00 | %s |\n", label, big, small, big / small, check(big <= 12 * small)
    }
    # No target: where the time goes.
    printf "\n| without a target | 1 MB | 10 MB | 100 MB |\n|---|---|---|---|\n"
    printf "| floor + progress write / floor (the I/O alone) |"
    for (i = 1; i <= n; ++i) printf " %.2f |", time["FloorWithProgressWrite/" sizes[i]] / time["Floor/" sizes[i]]
    printf "\n| load to file / (floor + progress write) |"
    for (i = 1; i <= n; ++i) printf " %.2f |", time["LoadWithProgressToFile/" sizes[i]] / time["FloorWithProgressWrite/" sizes[i]]
    printf "\n| load, progress dropped / floor |"
    for (i = 1; i <= n; ++i) printf " %.2f |", time["LoadWithProgressDropped/" sizes[i]] / time["Floor/" sizes[i]]
    printf "\n"
    # The machine is shared: the same ratios in CPU time (user and system of
    # the benchmark thread), which waiting for a core does not inflate.
    printf "\n| same ratios in CPU time | 1 MB | 10 MB | 100 MB |\n|---|---|---|---|\n"
    printf "| load to file / tinyobjloader |"
    for (i = 1; i <= n; ++i) printf " %.2f |", cpu["LoadWithProgressToFile/" sizes[i]] / cpu["TinyObjLoader/" sizes[i]]
    printf "\n| load to file / floor |"
    for (i = 1; i <= n; ++i) printf " %.2f |", cpu["LoadWithProgressToFile/" sizes[i]] / cpu["Floor/" sizes[i]]
    printf "\n| floor + progress write / floor |"
    for (i = 1; i <= n; ++i) printf " %.2f |", cpu["FloorWithProgressWrite/" sizes[i]] / cpu["Floor/" sizes[i]]
    printf "\n| 100 MB / 10 MB, to file | | | %.2f |\n\n", cpu["LoadWithProgressToFile/100"] / cpu["LoadWithProgressToFile/10"]
    printf "Result on %s: %s\n", machine, failed ? "a target was missed" : "every target met"
    exit failed ? 1 : 0
  }' "$out"
