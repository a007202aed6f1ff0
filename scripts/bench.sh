#!/usr/bin/env bash
# scripts/bench.sh <bench build dir>: each user-facing goal as a ratio to its budget or to
# what the system's own tools take for the same work (below 1: faster).
#   BENCH_DIR   a folder on the file system the documents live on (default: the build dir)
#   COPY_MIB    the copied document's size (default 256)
set -euo pipefail
build=$(cd "${1:-build-bench}" && pwd)
work=$(mktemp -d "${BENCH_DIR:-$build}/bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
for tool in hyperfine jq xvfb-run; do
    command -v "$tool" >/dev/null || { echo "$tool is missing; run scripts/setup.sh test" >&2; exit 1; }
done

# Prints "label: mean of the first command / mean of command N" for each N given.
ratios() {
    local json=$1 label=$2
    shift 2
    for n in "$@"; do
        jq -r --arg name "$label" --argjson n "$n" \
            '.results | "\($name) / \(.[$n].command): \(.[0].mean / .[$n].mean * 1000 | round / 1000)x"' "$json"
    done
}

echo "== a drop of 10,000 files, a folder of 100,000 and Calculate over 100,000 rows"
echo "   (of_budget: share of 100 ms, 1 s and 10 ms; wait_of_budget: longest event-loop wait, of 50 ms)"
QT_QPA_PLATFORM=offscreen "$build/bench/bench_inprocess" --benchmark_counters_tabular=true

echo "== copy mode, ${COPY_MIB:-256} MiB on $(df --output=fstype "$work" | tail -n 1)"
src="$work/poster 50x70.bin" dst="$work/poster 70x100.bin"
head -c "$((${COPY_MIB:-256} << 20))" /dev/urandom >"$src"
sync "$src"
hyperfine --warmup 1 --runs 10 --prepare "rm -f '$dst'" --export-json "$work/copy.json" \
    --command-name "copyBeside" "'$build/bench/bench_copybeside' '$src' '$(basename "$dst")'" \
    --command-name "cp + sync" "cp --reflink=auto '$src' '$dst' && sync '$dst'" \
    --command-name "cp" "cp --reflink=auto '$src' '$dst'"
ratios "$work/copy.json" copyBeside 1 2

echo "== start-up to the first shown window, under Xvfb"
preload="$build/bench/libbench_quitwhenshown.so"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    hyperfine -N --warmup 3 --runs 20 --export-json "$work/startup.json" \
    --command-name pallisto "env LD_PRELOAD=$preload $build/app/pallisto" \
    --command-name "bare window" "env LD_PRELOAD=$preload $build/bench/bench_barewindow"
ratios "$work/startup.json" pallisto 1

echo "== start-up with a remembered list of 10,000 documents, beside an empty one"
mkdir -p "$work/docs" "$work/state/pallisto" "$work/empty"
(cd "$work/docs" && seq 1 10000 | sed 's/$/x70.pdf/' | xargs touch)
{ echo "# remembered"; seq 1 10000 | sed "s|^|file://$work/docs/|; s/\$/x70.pdf/"; } >"$work/state/pallisto/documents.uri-list"
# In ten short rounds rather than one long one: this machine's speed drifts over a minute, and
# a whole block of one command then stands against a block of the other at another speed.
for round in $(seq 10); do
    QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
        hyperfine -N --style none --warmup 1 --runs 5 --export-json "$work/remembered-$round.json" \
        --command-name "10,000 remembered" "env XDG_STATE_HOME=$work/state LD_PRELOAD=$preload $build/app/pallisto" \
        --command-name "none remembered" "env XDG_STATE_HOME=$work/empty LD_PRELOAD=$preload $build/app/pallisto"
done
jq -rs '[.[].results[0].times[]] as $r | [.[].results[1].times[]] as $e
    | "10,000 remembered / none remembered: \(($r | add / length) / ($e | add / length) * 1000 | round / 1000)x (\($r | length) runs each, \($r | add / length * 1000 | round) ms against \($e | add / length * 1000 | round) ms)"' \
    "$work"/remembered-*.json
echo "   (budget: 1.2x)"
