#!/usr/bin/env bash
# Runs every fuzzer for longer: scripts/fuzz.sh [SECONDS] (default 600 each). What they
# find accumulates in build/fuzz/tests/fuzz/*/found and seeds the short fuzz of the tests.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
"$top/scripts/build.sh" >/dev/null
QUILTRA_FUZZ_SECONDS=${1:-600} ctest --test-dir "$top/build/fuzz" -R '_short$' --output-on-failure
cat "$top"/build/fuzz/tests/fuzz/*/reached.txt
