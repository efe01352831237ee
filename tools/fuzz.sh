#!/usr/bin/env bash
# Builds the libFuzzer harnesses and runs each one for the given number of
# seconds (default 60), all at once, then prints executions and findings.
# New corpus entries and findings stay under tools/fuzz-work/ (not committed);
# copy an input that failed, or that grew coverage notably, into
# tests/fuzz/corpus/<harness>/ so every later test run replays it.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
harnesses=(parse_number decode_bmp load_model)

tools/ensure-packages.sh --list tools/packages.txt --list tools/packages-test.txt
cmake --preset sanitizers >/dev/null
cmake --build --preset sanitizers -j"$(nproc)" --target "${harnesses[@]/#/fuzz_}" >/dev/null

work=$PWD/tools/fuzz-work  # absolute: a harness may change its directory
separator=$'\n=====\n'
for name in "${harnesses[@]}"; do
  mkdir -p "$work/$name/corpus" "$work/$name/findings"
done

# Seeds: the test fixtures and the shipped model.
cp -n assets/*.bmp "$work/decode_bmp/corpus/" 2>/dev/null || true
find tests -name '*.bmp' -exec cp -n {} "$work/decode_bmp/corpus/" \; 2>/dev/null || true
seed_texture=
for texture in assets/*.bmp; do
  [[ -f $texture ]] && { seed_texture=$texture; break; }
done
if [[ -f assets/enterprise.obj ]]; then
  { cat assets/enterprise.obj; printf '%s' "$separator";
    sed 's/^map_Kd .*/map_Kd t.bmp/' assets/enterprise.mtl; printf '%s' "$separator";
    [[ -n $seed_texture ]] && cat "$seed_texture"; } > "$work/load_model/corpus/sample-model"
fi
while IFS= read -r obj; do
  mtl=${obj%.obj}.mtl
  { cat "$obj"; printf '%s' "$separator"; [[ -f $mtl ]] && cat "$mtl"; } \
    > "$work/load_model/corpus/$(basename "$obj")"
done < <(find tests -name '*.obj')
n=0
for text in "2.5" "3.5" "-1" "1.5e2" "1.5d2" "&H10" "&b101" "&o777" "1,5" "  +.5E-3" "1e400" \
            "-1e-400" "&HFFFFFFFFFFFFFFFFF" "0x1p3" "inf" "nan" "12abc" "1e+" ".e1" $'\t7'; do
  printf '%s' "$text" > "$work/parse_number/corpus/seed-$n"
  n=$((n + 1))
done

echo "Fuzzing ${harnesses[*]} for ${seconds} s each, at the same time..."
# The sample model seed is large; mutations of its first 8 KB reach every line kind
# at a far higher rate than whole copies would.
declare -A extra=([load_model]="-max_len=8192")
pids=()
for name in "${harnesses[@]}"; do
  # shellcheck disable=SC2086
  "$PWD/build-clang/tests/fuzz/fuzz_$name" -max_total_time="$seconds" -print_final_stats=1 \
    -timeout=10 -rss_limit_mb=2048 ${extra[$name]:-} -artifact_prefix="$work/$name/findings/" \
    "$work/$name/corpus" "$PWD/tests/fuzz/corpus/$name" > "$work/$name/log" 2>&1 &
  pids+=($!)
done
status=0
for pid in "${pids[@]}"; do wait "$pid" || status=1; done

printf '%-14s %14s %10s %9s %s\n' harness executions coverage features findings
for name in "${harnesses[@]}"; do
  log="$work/$name/log"
  executions=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
  coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -n1 | grep -o '[0-9]*$' || echo '?')
  features=$(grep -o 'ft: [0-9]*' "$log" | tail -n1 | grep -o '[0-9]*$' || echo '?')
  findings=$(find "$work/$name/findings" -type f | wc -l)
  printf '%-14s %14s %10s %9s %s\n' "$name" "$executions" "$coverage" "$features" "$findings"
  find "$work/$name/findings" -type f -printf '    %p\n'
done
exit "$status"
