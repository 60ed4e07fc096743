#!/usr/bin/env bash
# The fonts a Wine prefix needs to show Quiltra as Windows does. Both the bench and the
# player's prefix run this each time they start; it does its work once per prefix.
#   wine-fonts.sh WINEPREFIX     (with the Wine environment of that prefix set: bench.sh env)
#
# Debian's Wine does not look for its own fonts (package fonts-wine) where they are
# installed, so title bars draw their buttons as the letters 0, 1, 2 and r. Marlett,
# which draws them, is copied into the prefix's font folder, where Wine finds it.
#
# The dialogs name Windows' Japanese fonts, which a prefix does not have: Wine then lays
# them out with another font's metrics and cuts their labels. The IPA fonts are made
# metric-compatible with them, so Wine's font replacements map each name to its IPA twin.
set -euo pipefail
prefix=$1
fonts=$prefix/drive_c/windows/Fonts
if [ -d "$fonts" ] && [ ! -e "$fonts/marlett.ttf" ] && [ -e /usr/share/wine/fonts/marlett.ttf ]; then
  cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
fi

replacements='ＭＳ Ｐゴシック=IPAPGothic
MS PGothic=IPAPGothic
MS UI Gothic=IPAPGothic
ＭＳ ゴシック=IPAGothic
MS Gothic=IPAGothic'
# The stamp holds the table last written, so a changed table is written again.
stamp=$prefix/.quiltra-font-replacements
if [ "$(cat "$stamp" 2>/dev/null)" != "$replacements" ]; then
  while IFS='=' read -r name font; do
    # Wine's first process in a prefix starts services that keep its output open.
    WINEPREFIX=$prefix "$WINE" reg.exe add 'HKCU\Software\Wine\Fonts\Replacements' \
        /v "$name" /d "$font" /f </dev/null >/dev/null 2>&1
  done <<<"$replacements"
  # Let that server end, so that the caller's persistent one can start.
  WINEPREFIX=$prefix "$WINESERVER" -w
  printf '%s' "$replacements" >"$stamp"
fi
