#!/usr/bin/env bash
# Start-up, frame pacing and memory of the viewer on the sample model, beside
# two floors measured in the same run, interleaved with it:
#   bare: blank-window, the same window and context through the same platform
#         layer, drawing nothing;
#   lit:  blank-window drawing one lit, textured triangle in the viewer's
#         scene state: what any program pays the software renderer to show a
#         lit, textured pixel at all.
# A preloaded observer (tools/bench/swap_observer.cpp) stamps every buffer
# swap; the programs themselves are not changed. Every figure is shown against
# both floors. A ratio is the median of the ratios of runs (or rounds) taken
# one after the other, so that the load of a shared machine, which drifts
# between them, largely cancels. The guards are against the lit floor and
# leave room for the noise that remains:
#   start-up:  (first swap - exec), over RUNS runs: ratio <= 1.10
#   pacing:    median swap interval, over 5 rounds of 60 frames: ratio <= 1.08
#   memory:    peak resident set (VmHWM) <= lit + 4 MiB
# Runs under its own Xvfb (tools/with-xvfb.sh), Mesa's software renderer.
# Usage: tools/bench-startup.sh [BUILD_DIR] [RUNS]   (defaults: build, 15)
# Exits 1 on a regression beyond a guard, 2 when something could not be measured.
set -eEuo pipefail # -E: the ERR trap below holds in functions too
export LC_ALL=C # the decimal point of EPOCHREALTIME and of every figure
trap 'exit 2' ERR # any failure before the verdict means nothing was measured
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build}
runs=${2:-15}
[[ $build = /* ]] || build=$root/$build

if [[ -z ${BENCH_STARTUP_STARTED:-} ]]; then
  # with-xvfb.sh exits 1 when its server does not start: that is "not measured"
  # here, told apart by the mark the script leaves once it runs under Xvfb.
  BENCH_STARTUP_STARTED=$(mktemp)
  export BENCH_STARTUP_STARTED
  status=0
  tools/with-xvfb.sh "$0" "$@" || status=$?
  [[ -s $BENCH_STARTUP_STARTED ]] || status=2
  rm -f "$BENCH_STARTUP_STARTED"
  exit "$status"
fi
echo started >"$BENCH_STARTUP_STARTED"

viewer=$build/app/viewer
blank=$build/tools/bench/blank-window
observer=$build/tools/bench/libswap_observer.so
for file in "$viewer" "$blank" "$observer"; do
  [[ -e $file ]] || { echo "no $file: build the viewer, blank-window and swap_observer targets first" >&2; exit 2; }
done
command -v xdotool >/dev/null || { echo "xdotool is needed" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A pause without starting a process: a read that times out on a pipe nobody writes.
exec {never}<> <(:)
pause() { read -r -t "$1" -u "$never" _ || true; }

frame_pause_ms=17
pacing_rounds=5
round_frames=60
warm_up_frames=5 # the first frames build the renderer's state; every program skips them
ticks_per_second=$(getconf CLK_TCK)

# The three programs: name, then the command line for start-up and for pacing.
names=(viewer bare lit)
declare -A startup_command=(
  [viewer]="$viewer" [bare]="$blank first-frame" [lit]="$blank first-frame lit")
declare -A pacing_command=(
  [viewer]="$viewer" [bare]="$blank frames" [lit]="$blank frames lit")

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

# not_measured MESSAGE: ends the program under measurement and the script.
not_measured() {
  finish
  echo "$1" >&2
  exit 2
}

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
# Nearest rank: the smallest value that at least 99 % of the values do not exceed.
percentile99() { sort -g | awk '{ v[NR] = $1 } END { i = int(0.99 * NR); if (i < 0.99 * NR) ++i; print v[i] }'; }

# Milliseconds from the start to the first swap.
first_frame_ms() { awk -v start="$(cat "$work/start")" 'NR == 1 { printf "%.3f\n", ($1 - start) / 1e6 }' "$log"; }

# Milliseconds between swaps, after the warm-up frames, $round_frames of them.
intervals() {
  awk -v skip="$warm_up_frames" -v count="$round_frames" \
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

# The load of the machine, shown with the figures: under contention the viewer,
# which needs more processor time a frame, is held up more than the floors.
read -r load_at_start _ </proc/loadavg
echo "Start-up, frame pacing and memory on $(hostname), $(date -u '+%Y-%m-%d %H:%M UTC'), under Xvfb:" \
  "$("$blank" renderer 2>/dev/null || echo "renderer unknown")"

# Start-up: one warm-up run of each (file cache), then RUNS runs of each, interleaved.
for ((run = 0; run <= runs; ++run)); do
  for name in "${names[@]}"; do
    # shellcheck disable=SC2086 # the command lines are words
    start ${startup_command[$name]}
    wait_for_swaps 1 || not_measured "$name presented no frame"
    ((run == 0)) || first_frame_ms >>"$work/$name-startup"
    finish
  done
done

# Pacing and memory: rounds of the warm-up and round_frames + 1 swaps of each
# program, interleaved. The peak resident set is read before Escape, with the
# CPU time the program spent over the measured frames (all its threads) and
# what its memory holds.
for ((round = 0; round < pacing_rounds; ++round)); do
  for name in "${names[@]}"; do
    # shellcheck disable=SC2086
    start ${pacing_command[$name]}
    wait_for_swaps $((warm_up_frames + 1)) || not_measured "$name presented no frame"
    cpu_before=$(cpu_ticks "$pid")
    wait_for_swaps $((warm_up_frames + round_frames + 1)) 0.25 || not_measured "$name stopped presenting"
    cpu_after=$(cpu_ticks "$pid")
    echo "$((cpu_after - cpu_before)) $(memory "$pid")" >>"$work/$name-figures"
    finish
    intervals >"$work/round"
    cat "$work/round" >>"$work/$name-intervals"
    median <"$work/round" >>"$work/$name-round-medians"
  done
done

# paired_ratio FIGURE A B: the median over runs (or rounds) of A's figure / B's.
paired_ratio() {
  paste -d' ' "$work/$2-$1" "$work/$3-$1" | awk '{ printf "%.6f\n", $1 / $2 }' | median
}

declare -A startup interval_median interval_p99 cpu peak anon file llvm
declare -A startup_ratio interval_ratio
for floor in bare lit; do
  startup_ratio[$floor]=$(paired_ratio startup viewer "$floor")
  interval_ratio[$floor]=$(paired_ratio round-medians viewer "$floor")
done
for name in "${names[@]}"; do
  startup[$name]=$(median <"$work/$name-startup")
  interval_median[$name]=$(median <"$work/$name-intervals")
  interval_p99[$name]=$(percentile99 <"$work/$name-intervals")
  # CPU time per frame over all rounds (in microseconds); memory: the median round.
  cpu[$name]=$(awk -v tick_us=$((1000000 / ticks_per_second)) -v frames=$((pacing_rounds * round_frames)) \
    '{ ticks += $1 } END { printf "%d\n", ticks * tick_us / frames }' "$work/$name-figures")
  for field in 2 3 4 5; do
    figure=$(cut -d' ' -f"$field" "$work/$name-figures" | median)
    case $field in
      2) peak[$name]=$figure ;;
      3) anon[$name]=$figure ;;
      4) file[$name]=$figure ;;
      5) llvm[$name]=$figure ;;
    esac
  done
done

echo
for name in "${names[@]}"; do
  echo "Start-up samples (ms), $name: $(tr '\n' ' ' <"$work/$name-startup")"
done
for name in "${names[@]}"; do
  echo "Frame interval medians of the rounds (ms), $name: $(tr '\n' ' ' <"$work/$name-round-medians")"
done
read -r load_at_end _ </proc/loadavg
echo
status=0
awk -v load="$load_at_start to $load_at_end" -v cores="$(nproc)" -v runs="$runs" -v frames=$((pacing_rounds * round_frames)) -v rounds="$pacing_rounds" \
  -v sb="${startup_ratio[bare]}" -v sl="${startup_ratio[lit]}" \
  -v ib="${interval_ratio[bare]}" -v il="${interval_ratio[lit]}" \
  -v pause="$frame_pause_ms" -v machine="$(hostname)" \
  -v vs="${startup[viewer]}" -v bs="${startup[bare]}" -v ls="${startup[lit]}" \
  -v vm="${interval_median[viewer]}" -v bm="${interval_median[bare]}" -v lm="${interval_median[lit]}" \
  -v vp="${interval_p99[viewer]}" -v bp="${interval_p99[bare]}" -v lp="${interval_p99[lit]}" \
  -v vk="${peak[viewer]}" -v bk="${peak[bare]}" -v lk="${peak[lit]}" \
  -v vc="${cpu[viewer]}" -v bc="${cpu[bare]}" -v lc="${cpu[lit]}" \
  -v va="${anon[viewer]}" -v ba="${anon[bare]}" -v la="${anon[lit]}" \
  -v vf="${file[viewer]}" -v bf="${file[bare]}" -v lf="${file[lit]}" \
  -v vl="${llvm[viewer]}" -v bl="${llvm[bare]}" -v ll="${llvm[lit]}" '
  function check(ok) { if (!ok) failed = 1; return ok ? "pass" : "REGRESSION" }
  function ms(value, decimals) { return sprintf("%." decimals "f ms", value) }
  function mib(kib) { return sprintf("%.1f MiB", kib / 1024) }
  # With paired ratios (rb, rl) given, they are shown; without, the ratios of the figures.
  function ratios(label, v, b, l, decimals, rb, rl, guard, result) {
    if (rb == "") { rb = v / b; rl = v / l }
    printf "| %s | %s | %s | %s | %.3f | %.3f | %s | %s |\n", label, ms(v, decimals), ms(b, decimals), ms(l, decimals), \
      rb, rl, guard, result
  }
  function differences(label, v, b, l, guard, result) {
    printf "| %s | %s | %s | %s | %+.1f MiB | %+.1f MiB | %s | %s |\n", label, mib(v), mib(b), mib(l), \
      (v - b) / 1024, (v - l) / 1024, guard, result
  }
  BEGIN {
    print "| figure | viewer | bare window | lit floor | viewer / bare | viewer / lit | guard | result |"
    print "|---|---|---|---|---|---|---|---|"
    ratios("start-up to the first frame, median of " runs " runs *", vs, bs, ls, 1, sb, sl, \
      "<= 1.10 x lit", check(sl <= 1.10))
    ratios("frame interval, median of " frames " in " rounds " rounds *", vm, bm, lm, 2, ib, il, \
      "<= 1.08 x lit", check(il <= 1.08))
    differences("peak resident memory (VmHWM)", vk, bk, lk, "<= lit + 4 MiB", check(vk <= lk + 4 * 1024))
    ratios("frame interval, 99th percentile of " frames, vp, bp, lp, 2, "", "", "", "")
    ratios("CPU time per frame, all threads", vc / 1000, bc / 1000, lc / 1000, 2, "", "", "", "")
    differences("resident now: anonymous", va, ba, la, "", "")
    differences("resident now: file-backed", vf, bf, lf, "", "")
    differences("resident now: libLLVM (the renderer" "\047" "s shader compiler)", vl, bl, ll, "", "")
    printf "\n* ratio: the median of the ratios of runs (rounds) taken one after the other.\n"
    printf "Every program pauses %d ms after each frame.\n", pause
    printf "Load average (1 minute) over the run: %s, on %d cores.\n", load, cores
    printf "Result on %s: %s\n", machine, failed ? "a regression beyond a guard" : "within every guard"
    exit failed ? 1 : 0
  }' || status=$?
exit "$status"
