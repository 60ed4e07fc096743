#!/usr/bin/env bash
# Fuzzes for a short while and prints how many edges of the code the fuzzer reached: a
# fuzzer that reaches few of them sees little, and then "nothing found" means little.
#   short_fuzz.sh FUZZER SECONDS LEAST_EDGES WORK_FOLDER [SEED_FOLDER | LIBFUZZER_OPTION]...
# The inputs it finds stay in WORK_FOLDER/found and seed the next run; a crash is saved
# beside them and its report printed. The line with the edges reached is also left in
# WORK_FOLDER/reached.txt, for the test log. QUILTRA_FUZZ_SECONDS, when set, replaces
# SECONDS (scripts/fuzz.sh fuzzes longer with it).
set -uo pipefail
fuzzer=$1 seconds=${QUILTRA_FUZZ_SECONDS:-$2} least=$3 work=$4
shift 4
name=$(basename "$fuzzer")
mkdir -p "$work/found"
log=$work/fuzz.log
rm -f "$work/reached.txt"
"$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -artifact_prefix="$work/" \
          "$work/found" "$@" >"$log" 2>&1
status=$?
last=$(grep -E '^#[0-9]+' "$log" | tail -1)
runs=$(sed -E 's/^#([0-9]+).*/\1/' <<<"$last")
edges=$(sed -nE 's/.* cov: ([0-9]+) .*/\1/p' <<<"$last")
features=$(sed -nE 's/.* ft: ([0-9]+) .*/\1/p' <<<"$last")
if [ "$status" -ne 0 ]; then
  tail -n 60 "$log"
  echo "$name: FAILED after ${runs:-0} runs; the input is in $work/"
  exit 1
fi
echo "$name: ${seconds} s, ${runs:-0} runs, cov: ${edges:-0} ft: ${features:-0} (at least $least edges wanted)" |
  tee "$work/reached.txt"
if [ "${edges:-0}" -lt "$least" ]; then
  echo "$name: the fuzzer reached too few edges: is the code under test instrumented?"
  exit 1
fi
