#!/usr/bin/env bash
# Sets up the machine, builds Quiltra and starts it. With a display the game opens on it;
# without one it runs on the bench's virtual screen and a screenshot is written.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
"$top/scripts/build.sh"
build=$top/build/win32

if [ -n "${DISPLAY:-}" ]; then
  export WINEPREFIX=$build/wineprefix-player WINEARCH=win32 WINEDEBUG=-all
  export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 WINEDLLOVERRIDES='mscoree,mshtml='
  exec wine "$build/Quiltra.exe"
fi

trap '"$top/scripts/bench.sh" stop "$build"' EXIT
"$top/scripts/bench.sh" start "$build"
"$top/scripts/wine-exec.sh" "$build" "$build/tests/e2e/qdriver.exe" show "$build/Quiltra.exe" \
    "$top/build/quiltra-start.bmp"
echo "No display: Quiltra ran on the bench; its window is in build/quiltra-start.bmp"
