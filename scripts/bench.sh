#!/usr/bin/env bash
# Runs every benchmark binary found in the bench build, headless.
set -euo pipefail
build=${1:-build-bench}
export QT_QPA_PLATFORM=offscreen
found=0
for exe in "$build"/bench/bench_*; do
    [ -f "$exe" ] && [ -x "$exe" ] || continue
    found=1
    echo "== $(basename "$exe")"
    "$exe"
done
[ "$found" = 1 ] || { echo "no benchmarks were built" >&2; exit 1; }
