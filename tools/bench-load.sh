#!/usr/bin/env bash
# Loading speed: runs the loading benchmark (tests/bench/load_benchmark) and
# shows LoadModel beside the baselines it measures on the same bytes in the
# same run, interleaved:
#   floor:           read the file in the reader's blocks and count its lines
#   floor + write:   the floor, plus writing as many bytes as the progress text
#                    to a file: the I/O that loading with progress to a file
#                    cannot avoid
#   tinyobjloader:   its parse of the same file with default settings
# The guards, for 100 MB loaded with the progress text to a file, leave room
# for the noise of a shared machine:
#   <= 1.8 x (floor + write)      <= 0.35 x tinyobjloader
# Figures are medians of short repetitions (0.1 s each) in random order, so
# that the load of a shared machine, which drifts, reaches every benchmark
# alike; wall-clock time, with the same ratios in CPU time, which waiting for
# a core does not inflate.
# Usage: tools/bench-load.sh [BUILD_DIR] [REPETITIONS]   (defaults: build, 15)
# Exits 1 on a regression beyond a guard, 2 when something could not be measured.
set -euo pipefail
export LC_ALL=C # the decimal point of every figure
cd "$(dirname "$0")/.."

build=${1:-build}
repetitions=${2:-15}
binary=$build/tests/bench/load_benchmark
[[ -x $binary ]] || { echo "no $binary: build the load_benchmark target first" >&2; exit 2; }

read -r load_at_start _ </proc/loadavg
out=$(mktemp)
trap 'rm -f "$out"' EXIT
"$binary" --benchmark_repetitions="$repetitions" --benchmark_min_time=0.1 --benchmark_enable_random_interleaving=true \
  --benchmark_report_aggregates_only=true --benchmark_format=json --benchmark_out="$out" \
  --benchmark_out_format=json >/dev/null || { echo "$binary failed" >&2; exit 2; }

read -r load_at_end _ </proc/loadavg
echo "Loading speed on $(hostname), $(date -u '+%Y-%m-%d %H:%M UTC'); medians of $repetitions interleaved runs"
status=0
awk -v machine="$(hostname)" -v load="$load_at_start to $load_at_end" -v cores="$(nproc)" '
  /"name":/ { name = $2; gsub(/[",]/, "", name); split(name, part, "/"); key = part[1] "/" part[2] }
  name !~ /_median$/ { next }
  /"real_time":/ { value = $2; gsub(/,/, "", value); time[key] = value + 0 }
  /"cpu_time":/ { value = $2; gsub(/,/, "", value); cpu[key] = value + 0 }
  /"progress_bytes":/ { value = $2; gsub(/,/, "", value); progress[part[2]] = value + 0 }
  function check(ok) { if (!ok) failed = 1; return ok ? "pass" : "REGRESSION" }
  END {
    n = split("1 10 100", sizes, " ")
    split("Floor FloorWithProgressWrite LoadWithProgressDropped LoadWithProgressToFile TinyObjLoader", kinds, " ")
    for (i = 1; i <= n; ++i) for (k in kinds) if (!((kinds[k] "/" sizes[i]) in time)) {
      print "no result for " kinds[k] "/" sizes[i] > "/dev/stderr"; exit 2
    }
    printf "\n| size | floor: read + count lines | floor + writing as many bytes as the progress text | LoadModel, progress dropped | LoadModel, progress to a file | tinyobjloader | progress text |\n"
    printf "|---|---|---|---|---|---|---|\n"
    for (i = 1; i <= n; ++i) {
      s = sizes[i]
      printf "| %s MB | %.2f ms | %.2f ms | %.2f ms | %.2f ms | %.2f ms | %.1f MB |\n", s, time["Floor/" s], \
        time["FloorWithProgressWrite/" s], time["LoadWithProgressDropped/" s], time["LoadWithProgressToFile/" s], \
        time["TinyObjLoader/" s], progress[s] / 1048576
    }
    ours = time["LoadWithProgressToFile/100"]; written = time["FloorWithProgressWrite/100"]; tiny = time["TinyObjLoader/100"]
    printf "\n| 100 MB, progress to a file | LoadModel | baseline | ratio | guard | result |\n|---|---|---|---|---|---|\n"
    printf "| against floor + write | %.2f ms | %.2f ms | %.2f | <= 1.8 | %s |\n", ours, written, ours / written, check(ours <= 1.8 * written)
    printf "| against tinyobjloader | %.2f ms | %.2f ms | %.2f | <= 0.35 | %s |\n", ours, tiny, ours / tiny, check(ours <= 0.35 * tiny)

    printf "\n| ratios, wall clock (CPU time) | 1 MB | 10 MB | 100 MB |\n|---|---|---|---|\n"
    ratio_row("load to file / (floor + write)", "LoadWithProgressToFile", "FloorWithProgressWrite")
    ratio_row("load to file / tinyobjloader", "LoadWithProgressToFile", "TinyObjLoader")
    ratio_row("load to file / floor", "LoadWithProgressToFile", "Floor")
    ratio_row("load, progress dropped / floor", "LoadWithProgressDropped", "Floor")
    ratio_row("floor + write / floor (the I/O alone)", "FloorWithProgressWrite", "Floor")
    printf "\nLoad average (1 minute) over the run: %s, on %d cores.\n", load, cores
    printf "Result on %s: %s\n", machine, failed ? "a regression beyond a guard" : "within every guard"
    exit failed ? 1 : 0
  }
  function ratio_row(label, a, b,   i) {
    printf "| %s |", label
    for (i = 1; i <= n; ++i) printf " %.2f (%.2f) |", time[a "/" sizes[i]] / time[b "/" sizes[i]], cpu[a "/" sizes[i]] / cpu[b "/" sizes[i]]
    printf "\n"
  }' "$out" || status=$?
exit "$status"
