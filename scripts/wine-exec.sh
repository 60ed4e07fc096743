#!/usr/bin/env bash
# Runs a Windows program of the build under the bench, starting the bench if needed.
# CTest uses it as the emulator of the cross build: wine-exec.sh BUILD_DIR program [args]
set -euo pipefail
here=$(dirname "$0")
build=$1
shift
"$here/bench.sh" start "$build"
eval "$("$here/bench.sh" env "$build")"
exec "$WINE" "$@"
