#!/usr/bin/env bash
# Debian's Wine does not look for its own fonts (package fonts-wine) where they are
# installed, so title bars draw their buttons as the letters 0, 1, 2 and r. Marlett,
# which draws them, is copied into the prefix's font folder, where Wine finds it.
#   wine-fonts.sh WINEPREFIX
set -euo pipefail
fonts=$1/drive_c/windows/Fonts
if [ -d "$fonts" ] && [ ! -e "$fonts/marlett.ttf" ] && [ -e /usr/share/wine/fonts/marlett.ttf ]; then
  cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
fi
