#!/usr/bin/env bash
# Runs a Windows test program of a build with the screen at another DPI, which Wine takes
# from the registry when a process starts; the setting goes again afterwards, whatever the
# test did: at_dpi.sh DPI BUILD_DIR program [args]
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
dpi=$1
build=$2
shift 2
"$top/scripts/bench.sh" start "$build"
eval "$("$top/scripts/bench.sh" env "$build")"
trap '"$WINE" reg delete "HKCU\\Control Panel\\Desktop" /v LogPixels /f >/dev/null 2>&1 || true' EXIT
"$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
"$WINE" "$@"
