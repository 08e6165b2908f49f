#!/bin/bash
# Macro expansion benchmark: builds the native benchmark program in its own build folder and
# runs it three times over a 1 MB text full of macros; prints the best rate in MB/s.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build/bench-macros"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_CXX_COMPILER=g++ -DCMAKE_C_COMPILER=gcc >/dev/null
cmake --build "$build" --target macro_benchmark -j2 >/dev/null
work="$build/bench-work"
mkdir -p "$work"
cd "$work"
best=0
for run in 1 2 3; do
    line="$("$build/tests/command/macro_benchmark" 3)"
    echo "run $run: $line"
    rate="$(sed -n 's/.*: \([0-9.]*\) MB\/s$/\1/p' <<<"$line")"
    best="$(awk -v a="$best" -v b="$rate" 'BEGIN { print (b > a) ? b : a }')"
done
echo "macro expansion, best of three: $best MB/s"
