#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: the native unit tests, the
# fuzzers, then the Windows-side tests under Wine, one at a time (the program is
# single-instance).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
"$top/scripts/build.sh"

status=0
ctest --test-dir "$top/build/native" --output-on-failure || status=1
ctest --test-dir "$top/build/fuzz" --output-on-failure || status=1
# How far each short fuzz got: a fuzzer that reaches few edges sees little of the code.
cat "$top"/build/fuzz/tests/fuzz/*/reached.txt 2>/dev/null || true

# A Windows-side test that fails is run once more; the output of the failed run stays
# in the log, and the last line names every test that passed only when run again.
win_log=$top/build/win32/Testing/test-log.txt
mkdir -p "$(dirname "$win_log")"
trap '"$top/scripts/bench.sh" stop "$top/build/win32"' EXIT
"$top/scripts/bench.sh" start "$top/build/win32"
ctest --test-dir "$top/build/win32" --output-on-failure --timeout 300 --repeat until-pass:2 \
  2>&1 | tee "$win_log" || status=1
"$top/scripts/bench.sh" stop "$top/build/win32"
trap - EXIT
"$top/scripts/retried_tests.sh" "$win_log"
exit $status
