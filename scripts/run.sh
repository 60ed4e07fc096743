#!/usr/bin/env bash
# Sets up the machine, builds Quiltra and starts it: the x86 program where this machine runs
# 32-bit code, the x64 one where it does not. With a display the game opens on it; without
# one a whole game is played on the bench's virtual screen and its screenshots are written
# to build/demo/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
"$top/scripts/build.sh"
build=$("$top/scripts/played-build.sh")

if [ -n "${DISPLAY:-}" ]; then
  display=$DISPLAY
  eval "$("$top/scripts/bench.sh" env "$build")"
  # The player hears the music: no audio driver is turned off, as on the bench.
  export WINEPREFIX=$build/wineprefix-player DISPLAY=$display WINEDLLOVERRIDES='mscoree,mshtml='
  [ -d "$WINEPREFIX/drive_c/windows/Fonts" ] || { "$WINE" wineboot.exe -i >/dev/null 2>&1; "$WINESERVER" -w; }
  "$top/scripts/wine-fonts.sh" "$WINEPREFIX"
  exec "$WINE" "$build/Quiltra.exe"
fi

exec "$top/scripts/demo.sh" "$build"
