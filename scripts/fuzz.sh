#!/usr/bin/env bash
# Runs each libFuzzer target for the given number of seconds, starting from its corpus.
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-30}
found=0
for exe in "$build"/tests/dimensions/fuzz_*; do
    [ -f "$exe" ] && [ -x "$exe" ] || continue
    found=1
    name=$(basename "$exe")
    corpus_in="tests/dimensions/corpus/${name#fuzz_}"
    work=$(mktemp -d)
    [ -d "$corpus_in" ] && cp -r "$corpus_in"/. "$work"/
    echo "== $name for ${seconds}s"
    "$exe" -max_total_time="$seconds" -print_final_stats=1 "$work"
    rm -rf "$work"
done
[ "$found" = 1 ] || { echo "no fuzz targets were built" >&2; exit 1; }
