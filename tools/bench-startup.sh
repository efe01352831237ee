#!/usr/bin/env bash
# Start-up, frame pacing and memory of the viewer on the sample model, each
# against a baseline run in the same script: blank-window, which opens the
# same window and context through the same platform layer and draws nothing.
# A preloaded observer (tools/bench/swap_observer.cpp) stamps every buffer
# swap; the programs themselves are not changed.
#   start-up:  median over RUNS runs of (first swap - exec), viewer / baseline <= 1.15
#   pacing:    300 swap intervals, median viewer / baseline <= 1.05, viewer 99th percentile <= 1.5 x 17 ms
#   memory:    peak resident set (VmHWM), viewer - baseline <= 8 MiB
# Runs under its own Xvfb (tools/with-xvfb.sh), Mesa's software renderer.
# Usage: tools/bench-startup.sh [BUILD_DIR] [RUNS]   (defaults: build, 11)
# Exits 1 when a target is missed, 2 when something could not be measured.
set -euo pipefail
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
warm_up_frames=5   # the first frames build the renderer's state; both sides skip them

log=$work/swaps
pid=
# start DIRECTORY PROGRAM [ARGS]: starts the program observed, with its start time
# (real time in ns, taken right before exec) in $work/start.
start() {
  local directory=$1
  shift
  rm -f "$log" "$work/start"
  (
    cd "$directory"
    export BENCH_SWAP_LOG=$log LD_PRELOAD=$observer
    echo "${EPOCHREALTIME/./}000" >"$work/start"
    exec "$@" >/dev/null
  ) &
  pid=$!
}

# wait_for_swaps COUNT: until the log holds COUNT swaps; fails after 60 s or when the program ends.
wait_for_swaps() {
  local count=$1 waited=0
  while :; do
    [[ -f $log ]] && (($(wc -l <"$log") >= count)) && return 0
    kill -0 "$pid" 2>/dev/null || { [[ -f $log ]] && (($(wc -l <"$log") >= count)) && return 0; return 1; }
    ((waited++ < 3000)) || return 1
    pause 0.02
  done
}

# Escape, held long enough to be sampled once per frame, then released so it
# does not stay down for the next program; SIGTERM if it still runs after 10 s.
finish() {
  local waited=0
  if kill -0 "$pid" 2>/dev/null; then
    xdotool keydown Escape
    while kill -0 "$pid" 2>/dev/null && ((waited++ < 100)); do pause 0.1; done
    xdotool keyup Escape
  fi
  kill -0 "$pid" 2>/dev/null && kill -TERM "$pid"
  wait "$pid" 2>/dev/null || true
}

# Milliseconds from the start to the first swap.
first_frame_ms() {
  awk -v start="$(cat "$work/start")" 'NR == 1 { printf "%.3f\n", ($1 - start) / 1e6 }' "$log"
}

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Intervals between swaps in ms, after the warm-up frames, $pacing_frames of them.
intervals() {
  awk -v skip="$warm_up_frames" -v count="$pacing_frames" \
    'NR > skip && NR <= skip + count + 1 { if (NR > skip + 1) printf "%.3f\n", ($2 - last) / 1e6; last = $2 }' "$log"
}
percentile99() { sort -g | awk '{ v[NR] = $1 } END { i = int(0.99 * NR); if (i < 0.99 * NR) ++i; print v[i] }'; }

peak_kib() { awk '/^VmHWM:/ { print $2 }' "/proc/$1/status"; }

echo "Start-up, frame pacing and memory on $(hostname), $(date -u '+%Y-%m-%d %H:%M UTC'), under Xvfb with $(
  glxinfo -B 2>/dev/null | awk -F': ' '/OpenGL renderer/ { print $2 }' || true)"

# Start-up: one warm-up run of each (file cache), then RUNS runs of each, interleaved.
viewer_times=()
baseline_times=()
for ((run = 0; run <= runs; ++run)); do
  start "$root/assets" "$viewer"
  wait_for_swaps 1 || { finish; echo "the viewer presented no frame" >&2; exit 2; }
  ((run > 0)) && viewer_times+=("$(first_frame_ms)")
  finish
  start "$root/assets" "$baseline" first-frame
  wait_for_swaps 1 || { finish; echo "the baseline presented no frame" >&2; exit 2; }
  ((run > 0)) && baseline_times+=("$(first_frame_ms)")
  wait "$pid" 2>/dev/null || true
done
viewer_startup=$(printf '%s\n' "${viewer_times[@]}" | median)
baseline_startup=$(printf '%s\n' "${baseline_times[@]}" | median)

# Pacing and memory: warm-up plus 301 swaps of each, the peak resident set read before Escape.
start "$root/assets" "$viewer"
wait_for_swaps $((warm_up_frames + pacing_frames + 1)) || { finish; echo "the viewer stopped presenting" >&2; exit 2; }
viewer_peak=$(peak_kib "$pid")
finish
intervals >"$work/viewer-intervals"

start "$root/assets" "$baseline" frames
wait_for_swaps $((warm_up_frames + pacing_frames + 1)) || { finish; echo "the baseline stopped presenting" >&2; exit 2; }
baseline_peak=$(peak_kib "$pid")
finish
intervals >"$work/baseline-intervals"

viewer_median=$(median <"$work/viewer-intervals")
baseline_median=$(median <"$work/baseline-intervals")
viewer_p99=$(percentile99 <"$work/viewer-intervals")
baseline_p99=$(percentile99 <"$work/baseline-intervals")

echo
echo "Start-up samples (ms), viewer:   ${viewer_times[*]}"
echo "Start-up samples (ms), baseline: ${baseline_times[*]}"
echo
awk -v runs="$runs" -v frames="$pacing_frames" -v pause="$frame_pause_ms" \
  -v vs="$viewer_startup" -v bs="$baseline_startup" \
  -v vm="$viewer_median" -v bm="$baseline_median" -v vp="$viewer_p99" -v bp="$baseline_p99" \
  -v vk="$viewer_peak" -v bk="$baseline_peak" -v machine="$(hostname)" '
  function check(ok) { if (!ok) failed = 1; return ok ? "pass" : "FAIL" }
  BEGIN {
    print "| measure | viewer | baseline | ratio or difference | limit | result |"
    print "|---|---|---|---|---|---|"
    printf "| start-up to first frame, median of %d runs | %.1f ms | %.1f ms | %.3f | <= 1.15 | %s |\n", runs, vs, bs, vs / bs, check(vs <= 1.15 * bs)
    printf "| frame interval, median of %d | %.2f ms | %.2f ms | %.3f | <= 1.05 | %s |\n", frames, vm, bm, vm / bm, check(vm <= 1.05 * bm)
    printf "| frame interval, 99th percentile of %d | %.2f ms | %d ms x 1.5 (baseline loop: %.2f ms) | %.3f x %d ms | <= 1.5 x %d ms | %s |\n", frames, vp, pause, bp, vp / pause, pause, pause, check(vp <= 1.5 * pause)
    printf "| peak resident memory (VmHWM) | %.1f MiB | %.1f MiB | %+.1f MiB | <= 8 MiB | %s |\n", vk / 1024, bk / 1024, (vk - bk) / 1024, check(vk - bk <= 8 * 1024)
    printf "\nResult on %s: %s\n", machine, failed ? "a target was missed" : "every target met"
    exit failed ? 1 : 0
  }'
