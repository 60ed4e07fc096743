#!/usr/bin/env bash
# Builds Quiltra and prints the benchmarks' tables, measured under Wine: the drawing paths,
# then the player's actions. They run on the build this machine plays (scripts/played-build.sh)
# or on the build folder given: benchmark.sh [BUILD_DIR]. The x86 build on a kernel that
# runs no 32-bit code: scripts/i386-emulation.sh scripts/benchmark.sh build/win32.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
"$top/scripts/build.sh" >/dev/null
build=${1:-$("$top/scripts/played-build.sh")}
eval "$("$top/scripts/bench.sh" env "$build")"
echo "Build: $(basename "$build"), under $("$WINE" --version) ($WINEARCH)"
trap '"$top/scripts/bench.sh" stop "$build"' EXIT
for benchmark in draw_benchmark action_benchmark; do
    "$top/scripts/wine-exec.sh" "$build" "$build/tests/perf/$benchmark.exe" \
        "$build/tests/perf/photo-4000x3000.jpg"
    echo
done
for photo in photo-4000x3000 photo-8000x6000; do
    "$top/scripts/wine-exec.sh" "$build" "$build/tests/perf/action_benchmark.exe" --zoom \
        "$build/tests/perf/$photo.jpg"
    echo
done
"$top/scripts/wine-exec.sh" "$build" "$build/tests/perf/game_file_benchmark.exe"
