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
#
# A prefix whose code page is not Japanese (the bench's second, 1252) draws menus, title
# bars and message boxes in Tahoma, which has no Japanese. As on a Western Windows with East
# Asian support, Tahoma is linked there to a Japanese font, IPA P Gothic, which draws what
# Tahoma lacks; Wine's own Tahoma is copied in, so that Latin text and a path's backslashes
# look as such a Windows shows them (without it Wine drew all in a Japanese font, the
# backslash as a yen sign).
set -euo pipefail
prefix=$1
fonts=$prefix/drive_c/windows/Fonts
copy_wine_font() {
  if [ -d "$fonts" ] && [ ! -e "$fonts/$1" ] && [ -e "/usr/share/wine/fonts/$1" ]; then
    cp "/usr/share/wine/fonts/$1" "$fonts/"
  fi
}
copy_wine_font marlett.ttf

replacements='ＭＳ Ｐゴシック=IPAPGothic
MS PGothic=IPAPGothic
MS UI Gothic=IPAPGothic
ＭＳ ゴシック=IPAGothic
MS Gothic=IPAGothic'
links=
codepage=
if [ -f "$prefix/system.reg" ]; then
  codepage=$(sed -n '/^"ACP"=/ { s/^"ACP"="\([0-9]*\)".*/\1/p; q }' "$prefix/system.reg")
fi
if [ -n "$codepage" ] && [ "$codepage" != 932 ]; then
  copy_wine_font tahoma.ttf
  copy_wine_font tahomabd.ttf
  # Wine looks a link up by the face's full name: the bold of title bars has its own.
  links='Tahoma=ipagp.ttf,IPAPGothic
Tahoma Bold=ipagp.ttf,IPAPGothic
Microsoft Sans Serif=ipagp.ttf,IPAPGothic'
fi

# Wine's first process in a prefix starts services that keep its output open.
add_value() {
  WINEPREFIX=$prefix "$WINE" reg.exe add "$@" /f </dev/null >/dev/null 2>&1
}

# The stamp holds the tables last written, so a changed table is written again.
stamp=$prefix/.quiltra-font-replacements
tables=$replacements${links:+$'\n'$links}
if [ "$(cat "$stamp" 2>/dev/null)" != "$tables" ]; then
  while IFS='=' read -r name font; do
    add_value 'HKCU\Software\Wine\Fonts\Replacements' /v "$name" /d "$font"
  done <<<"$replacements"
  while IFS='=' read -r name font; do
    [ -z "$name" ] ||
      add_value 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
        /v "$name" /t REG_MULTI_SZ /d "$font"
  done <<<"$links"
  # Let that server end, so that the caller's persistent one can start. Where the bench
  # already runs, its persistent server took the values and never ends: no longer wait.
  WINEPREFIX=$prefix timeout 30 "$WINESERVER" -w || true
  printf '%s' "$tables" >"$stamp"
fi
