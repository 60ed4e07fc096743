#!/usr/bin/env bash
# Sets up the machine, builds Quiltra and starts it. With a display the game opens on it;
# without one a whole game is played on the bench's virtual screen and its screenshots
# are written to build/demo/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
"$top/scripts/build.sh"
build=$top/build/win32

if [ -n "${DISPLAY:-}" ]; then
  export WINEPREFIX=$build/wineprefix-player WINEARCH=win32 WINEDEBUG=-all
  export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 WINEDLLOVERRIDES='mscoree,mshtml='
  [ -d "$WINEPREFIX/drive_c/windows/Fonts" ] || { wineboot -i >/dev/null 2>&1; wineserver -w; }
  "$top/scripts/wine-fonts.sh" "$WINEPREFIX"
  exec wine "$build/Quiltra.exe"
fi

exec "$top/scripts/demo.sh"
