#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: the native unit tests,
# then the Windows-side tests under Wine, one at a time (the program is single-instance).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
"$top/scripts/build.sh"

status=0
ctest --test-dir "$top/build/native" --output-on-failure || status=1
ctest --test-dir "$top/build/fuzz" --output-on-failure || status=1

trap '"$top/scripts/bench.sh" stop "$top/build/win32"' EXIT
"$top/scripts/bench.sh" start "$top/build/win32"
ctest --test-dir "$top/build/win32" --output-on-failure --timeout 300 || status=1
exit $status
