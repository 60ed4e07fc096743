#!/usr/bin/env bash
# Fuzzes the game file loader for longer: scripts/fuzz.sh [SECONDS] (default 600).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
"$top/scripts/build.sh" >/dev/null
fuzz=$top/build/fuzz/tests/fuzz
mkdir -p "$fuzz/found"
"$fuzz/game_file_fuzz" -max_total_time="${1:-600}" -artifact_prefix="$fuzz/" "$fuzz/found" "$fuzz/corpus"
