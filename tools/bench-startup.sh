#!/usr/bin/env bash
# Start-up, frame pacing and memory of the viewer on the sample model, each
# against a baseline run in the same script: blank-window, which opens the
# same window and context through the same platform layer and draws nothing.
# A preloaded observer (tools/bench/swap_observer.cpp) stamps every buffer
# swap; the programs themselves are not changed.
#   start-up:  median over RUNS runs of (first swap - exec), viewer / baseline <= 1.15
#   pacing:    300 swap intervals, median viewer / baseline <= 1.05, viewer 99th percentile <= 1.5 x 17 ms
#   memory:    peak resident set (VmHWM), viewer - baseline <= 8 MiB
# Without a target, the same figures for blank-window drawing one lit,
# textured triangle in the viewer's scene tell what the renderer costs for
# drawing anything at all from what the viewer's model adds.
# Runs under its own Xvfb (tools/with-xvfb.sh), Mesa's software renderer.
# Usage: tools/bench-startup.sh [BUILD_DIR] [RUNS]   (defaults: build, 11)
# Exits 1 when a target is missed, 2 when something could not be measured.
set -euo pipefail
export LC_ALL=C # the decimal point of EPOCHREALTIME and of every figure
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build}
runs=${2:-11}
[[ $build = /* ]] || build=$root/$build

if [[ ${BENCH_STARTUP_XVFB:-} != 1 ]]; then
  export BENCH_STARTUP_XVFB=1
  exec tools/with-xvfb.sh "$0" "$@"
fi

viewer=$build/app/viewer
baseline=$build/tools/bench/blank-window
observer=$build/tools/bench/libswap_observer.so
for file in "$viewer" "$baseline" "$observer"; do
  [[ -e $file ]] || { echo "no $file: run ./test.sh first" >&2; exit 2; }
done
command -v xdotool >/dev/null || { echo "xdotool is needed" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A pause without starting a process: a read that times out on a pipe nobody writes.
exec {never}<> <(:)
pause() { read -r -t "$1" -u "$never" _ || true; }

frame_pause_ms=17
pacing_frames=300
warm_up_frames=5 # the first frames build the renderer's state; every program skips them
ticks_per_second=$(getconf CLK_TCK)

# The three programs: name, then the command line for start-up and for pacing.
names=(viewer baseline lit)
declare -A startup_command=(
  [viewer]="$viewer" [baseline]="$baseline first-frame" [lit]="$baseline first-frame lit")
declare -A pacing_command=(
  [viewer]="$viewer" [baseline]="$baseline frames" [lit]="$baseline frames lit")

log=$work/swaps
pid=
# start COMMAND...: starts the command in assets/, observed, with its start time
# (real time in ns, taken right before exec) in $work/start.
start() {
  rm -f "$log" "$work/start"
  (
    cd "$root/assets"
    export BENCH_SWAP_LOG=$log LD_PRELOAD=$observer
    echo "${EPOCHREALTIME/./}000" >"$work/start"
    exec "$@" >/dev/null
  ) &
  pid=$!
}

# Counted without starting a process or a subshell, so that polling takes
# little from the programs measured. Leaves the count in $swaps.
count_swaps() {
  local lines=()
  [[ -f $log ]] && mapfile -t lines <"$log"
  swaps=${#lines[@]}
}

# wait_for_swaps COUNT [POLL_SECONDS]: until the log holds COUNT swaps; fails
# after 60 s or when the program ends first. The times come from the observer,
# so the poll interval only decides how soon the script notices.
wait_for_swaps() {
  local count=$1 poll=${2:-0.02} started=$SECONDS
  count_swaps
  while ((swaps < count)); do
    if ! kill -0 "$pid" 2>/dev/null; then
      count_swaps
      ((swaps >= count)) && return 0
      return 1
    fi
    ((SECONDS - started < 60)) || return 1
    pause "$poll"
    count_swaps
  done
}

# Escape, held long enough to be sampled in a frame, then released so it does
# not stay down for the next program; SIGTERM if the program still runs after 10 s.
finish() {
  local waited=0
  if kill -0 "$pid" 2>/dev/null; then
    xdotool keydown Escape
    while kill -0 "$pid" 2>/dev/null && ((waited++ < 100)); do pause 0.1; done
    xdotool keyup Escape
  fi
  if kill -0 "$pid" 2>/dev/null; then kill -TERM "$pid"; fi
  wait "$pid" 2>/dev/null || true
}

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# Nearest rank: the smallest value that at least 99 % of the values do not exceed.
percentile99() { sort -g | awk '{ v[NR] = $1 } END { i = int(0.99 * NR); if (i < 0.99 * NR) ++i; print v[i] }'; }

# Milliseconds from the start to the first swap.
first_frame_ms() { awk -v start="$(cat "$work/start")" 'NR == 1 { printf "%.3f\n", ($1 - start) / 1e6 }' "$log"; }

# Milliseconds between swaps, after the warm-up frames, $pacing_frames of them.
intervals() {
  awk -v skip="$warm_up_frames" -v count="$pacing_frames" \
    'NR > skip && NR <= skip + count + 1 { if (NR > skip + 1) printf "%.3f\n", ($2 - last) / 1e6; last = $2 }' "$log"
}

cpu_ticks() { awk '{ sub(/.*\) /, ""); print $12 + $13 }' "/proc/$1/stat"; }
# VmHWM, RssAnon, RssFile and the resident part of libLLVM, in KiB.
memory() {
  awk '/^VmHWM:/ { h = $2 } /^RssAnon:/ { a = $2 } /^RssFile:/ { f = $2 } END { printf "%d %d %d", h, a, f }' \
    "/proc/$1/status"
  awk '/^[0-9a-f]+-[0-9a-f]+ / { llvm = $6 ~ /libLLVM/ } /^Rss:/ && llvm { sum += $2 } END { printf " %d\n", sum }' \
    "/proc/$1/smaps"
}

echo "Start-up, frame pacing and memory on $(hostname), $(date -u '+%Y-%m-%d %H:%M UTC'), under Xvfb:" \
  "$("$baseline" renderer 2>/dev/null || echo "renderer unknown")"

# Start-up: one warm-up run of each (file cache), then RUNS runs of each, interleaved.
for ((run = 0; run <= runs; ++run)); do
  for name in "${names[@]}"; do
    # shellcheck disable=SC2086 # the command lines are words
    start ${startup_command[$name]}
    wait_for_swaps 1 || { finish; echo "$name presented no frame" >&2; exit 2; }
    ((run == 0)) || first_frame_ms >>"$work/$name-startup"
    finish
  done
done

# Pacing and memory: the warm-up and 301 swaps of each program. The peak
# resident set is read before Escape, with the CPU time the program spent
# over the measured frames (all its threads) and what its memory holds.
for name in "${names[@]}"; do
  # shellcheck disable=SC2086
  start ${pacing_command[$name]}
  wait_for_swaps $((warm_up_frames + 1)) || { finish; echo "$name presented no frame" >&2; exit 2; }
  cpu_before=$(cpu_ticks "$pid")
  wait_for_swaps $((warm_up_frames + pacing_frames + 1)) 0.25 || { finish; echo "$name stopped presenting" >&2; exit 2; }
  cpu_after=$(cpu_ticks "$pid")
  echo "$(((cpu_after - cpu_before) * 1000000 / ticks_per_second / pacing_frames)) $(memory "$pid")" >"$work/$name-figures"
  finish
  intervals >"$work/$name-intervals"
done

declare -A startup interval_median interval_p99 cpu peak anon file llvm
for name in "${names[@]}"; do
  startup[$name]=$(median <"$work/$name-startup")
  interval_median[$name]=$(median <"$work/$name-intervals")
  interval_p99[$name]=$(percentile99 <"$work/$name-intervals")
  read -r "cpu[$name]" "peak[$name]" "anon[$name]" "file[$name]" "llvm[$name]" <"$work/$name-figures"
done

echo
for name in "${names[@]}"; do
  echo "Start-up samples (ms), $name: $(tr '\n' ' ' <"$work/$name-startup")"
done
echo
awk -v runs="$runs" -v frames="$pacing_frames" -v pause="$frame_pause_ms" -v machine="$(hostname)" \
  -v vs="${startup[viewer]}" -v bs="${startup[baseline]}" -v ls="${startup[lit]}" \
  -v vm="${interval_median[viewer]}" -v bm="${interval_median[baseline]}" -v lm="${interval_median[lit]}" \
  -v vp="${interval_p99[viewer]}" -v bp="${interval_p99[baseline]}" -v lp="${interval_p99[lit]}" \
  -v vk="${peak[viewer]}" -v bk="${peak[baseline]}" -v lk="${peak[lit]}" \
  -v vc="${cpu[viewer]}" -v bc="${cpu[baseline]}" -v lc="${cpu[lit]}" \
  -v va="${anon[viewer]}" -v ba="${anon[baseline]}" -v la="${anon[lit]}" \
  -v vf="${file[viewer]}" -v bf="${file[baseline]}" -v lf="${file[lit]}" \
  -v vl="${llvm[viewer]}" -v bl="${llvm[baseline]}" -v ll="${llvm[lit]}" '
  function check(ok) { if (!ok) failed = 1; return ok ? "pass" : "FAIL" }
  BEGIN {
    print "| target | viewer | baseline (blank window) | ratio or difference | limit | result |"
    print "|---|---|---|---|---|---|"
    printf "| start-up to first frame, median of %d runs | %.1f ms | %.1f ms | %.3f | <= 1.15 | %s |\n", runs, vs, bs, vs / bs, check(vs <= 1.15 * bs)
    printf "| frame interval, median of %d | %.2f ms | %.2f ms | %.3f | <= 1.05 | %s |\n", frames, vm, bm, vm / bm, check(vm <= 1.05 * bm)
    printf "| frame interval, 99th percentile of %d | %.2f ms | %d ms (pause) | %.3f x %d ms | <= 1.5 x %d ms | %s |\n", frames, vp, pause, vp / pause, pause, pause, check(vp <= 1.5 * pause)
    printf "| peak resident memory (VmHWM) | %.1f MiB | %.1f MiB | %+.1f MiB | <= 8 MiB | %s |\n", vk / 1024, bk / 1024, (vk - bk) / 1024, check(vk - bk <= 8 * 1024)

    print "\n| without a target | viewer | blank window | blank window + one lit, textured triangle |"
    print "|---|---|---|---|"
    printf "| start-up to first frame, median | %.1f ms | %.1f ms | %.1f ms |\n", vs, bs, ls
    printf "| frame interval, median | %.2f ms | %.2f ms | %.2f ms |\n", vm, bm, lm
    printf "| frame interval, 99th percentile | %.2f ms | %.2f ms | %.2f ms |\n", vp, bp, lp
    printf "| CPU time per frame, all threads | %.2f ms | %.2f ms | %.2f ms |\n", vc / 1000, bc / 1000, lc / 1000
    printf "| peak resident memory (VmHWM) | %.1f MiB | %.1f MiB | %.1f MiB |\n", vk / 1024, bk / 1024, lk / 1024
    printf "| resident now: anonymous | %.1f MiB | %.1f MiB | %.1f MiB |\n", va / 1024, ba / 1024, la / 1024
    printf "| resident now: file-backed | %.1f MiB | %.1f MiB | %.1f MiB |\n", vf / 1024, bf / 1024, lf / 1024
    printf "| resident now: libLLVM (the renderer%ss shader compiler) | %.1f MiB | %.1f MiB | %.1f MiB |\n", "\047", vl / 1024, bl / 1024, ll / 1024
    printf "\nResult on %s: %s\n", machine, failed ? "a target was missed" : "every target met"
    exit failed ? 1 : 0
  }'
