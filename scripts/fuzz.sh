#!/usr/bin/env bash
# Runs the fuzz targets with libFuzzer for SECONDS each (default 60): all of them, or the
# ones named. The fuzz build is made in its own folder (build/fuzz); each target keeps its
# corpus in .data/fuzz/<target>, seeded from tests/fuzz/<target>, and what it finds in
# artifacts/fuzz/<target>/. Prints per target the executions per second and what it found;
# exits 1 when a target found something.
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
[ "$#" -gt 0 ] && shift
build="$root/build/fuzz"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_CXX_COMPILER=g++ -DCMAKE_C_COMPILER=gcc >/dev/null
cmake --build "$build" --target kestrova_fuzz_build -j2 >/dev/null
bin="$build/fuzz/bin"

targets=("$@")
if [ "${#targets[@]}" = 0 ]; then
    for program in "$bin"/*_fuzz; do
        targets+=("$(basename "$program")")
    done
fi

found_any=0
printf '%-24s %8s %10s  %s\n' target exec/s runs found
for target in "${targets[@]}"; do
    [ -x "$bin/$target" ] || { echo "fuzz: no target $target in $bin" >&2; exit 2; }
    corpus="$root/.data/fuzz/$target"
    artifacts="$root/artifacts/fuzz/$target"
    scratch="$build/fuzz-scratch/$target"
    log="$build/fuzz-logs/$target.log"
    mkdir -p "$corpus" "$artifacts" "$scratch" "$(dirname "$log")"
    status=0
    TMPDIR="$scratch" "$bin/$target" -max_total_time="$seconds" -timeout=25 -print_final_stats=1 \
        -dict="$bin/$target.dict" -artifact_prefix="$artifacts/" \
        "$corpus" "$root/tests/fuzz/$target" >"$log" 2>&1 || status=$?
    rate="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)"
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
    if [ "$status" = 0 ]; then
        result="nothing"
    else
        found_any=1
        # The target's own message, else the sanitizer's or libFuzzer's summary.
        what="$(grep -m1 -E "^${target}: |^SUMMARY: " "$log" || true)"
        input="$(sed -n "s/.*Test unit written to //p" "$log" | tail -n 1)"
        result="FOUND: ${what:-exit status $status}${input:+ (input: $input)}; log: $log"
    fi
    printf '%-24s %8s %10s  %s\n' "$target" "${rate:-?}" "${runs:-?}" "$result"
done
exit "$found_any"
