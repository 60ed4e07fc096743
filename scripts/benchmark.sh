#!/usr/bin/env bash
# Builds Quiltra and prints the drawing benchmark's table, measured under Wine.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
"$top/scripts/build.sh" >/dev/null
build=$top/build/win32
trap '"$top/scripts/bench.sh" stop "$build"' EXIT
"$top/scripts/wine-exec.sh" "$build" "$build/tests/perf/draw_benchmark.exe" \
    "$build/tests/perf/photo-4000x3000.jpg"
"$top/scripts/wine-exec.sh" "$build" "$build/tests/perf/recovery_benchmark.exe"
