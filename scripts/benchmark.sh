#!/usr/bin/env bash
# Builds Quiltra and prints the benchmarks' tables, measured under Wine: the drawing paths,
# then the player's actions.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
"$top/scripts/build.sh" >/dev/null
build=$top/build/win32
trap '"$top/scripts/bench.sh" stop "$build"' EXIT
for benchmark in draw_benchmark action_benchmark; do
    "$top/scripts/wine-exec.sh" "$build" "$build/tests/perf/$benchmark.exe" \
        "$build/tests/perf/photo-4000x3000.jpg"
    echo
done
"$top/scripts/wine-exec.sh" "$build" "$build/tests/perf/recovery_benchmark.exe"
