#!/usr/bin/env bash
# Grid fill and export benchmark under Wine: bash scripts/bench-grid.sh
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target grid_benchmark -j "$(nproc)" >/dev/null
for run in 1 2 3; do
    echo "run $run:"
    scripts/wine-run.sh build/win32/tests/bench/grid_benchmark.exe
done
