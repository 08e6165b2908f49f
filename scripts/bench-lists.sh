#!/usr/bin/env bash
# Large lists under Wine: another process hands the built program 100,000 lines x 5 fields
# by command 32953 and takes them back by 32962 (byte-identical round trip), and a grid of
# 100,000 and 1,000,000 rows is exported to clipboard text and to a file. Best of three.
#   bash scripts/bench-lists.sh [lines]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
lines=${1:-100000}
build=${KESTROVA_BUILD:-build/win32}
cmake --preset win32 >/dev/null
cmake --build "$build" --target Kestrova list_benchmark -j "$(nproc)" >/dev/null
source scripts/wine-env.sh
if [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ] && grep -q enabled /proc/sys/fs/binfmt_misc/qemu-i386; then
    echo "i386 code runs under qemu-user emulation on this machine"
else
    echo "i386 code runs natively on this machine"
fi
# The program writes its settings beside itself: a copy in a folder of its own.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$build/Kestrova/Kestrova.exe" "$work/"
exe="Z:$(echo "$work/Kestrova.exe" | tr / '\\')"
for run in 1 2 3; do
    scripts/wine-run.sh "$build/tests/bench/list_benchmark.exe" roundtrip "$exe" "$lines" 2>/dev/null
done
for rows in 100000 1000000; do
    for run in 1 2 3; do
        scripts/wine-run.sh "$build/tests/bench/list_benchmark.exe" export "$rows" 2>/dev/null
    done
done
