#!/usr/bin/env bash
# Runs a Windows program of the build under the bench, starting the bench if needed.
# CTest uses it as the emulator of the cross build:
#   wine-exec.sh BUILD_DIR [--codepage 1252] program [args]
# where --codepage picks the build's second bench, whose system code page is 1252.
set -euo pipefail
here=$(dirname "$0")
build=$1
shift
bench=()
if [ "${1:-}" = --codepage ]; then
  bench=(--codepage "$2")
  shift 2
fi
"$here/bench.sh" start "$build" "${bench[@]}"
eval "$("$here/bench.sh" env "$build" "${bench[@]}")"
exec "$WINE" "$@"
