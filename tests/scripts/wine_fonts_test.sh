#!/usr/bin/env bash
# The fonts of a prefix whose code page is Japanese (932) and of one whose code page is
# 1252, with a stand-in for Wine that records the registry values written:
#   wine_fonts_test.sh WINE_FONTS_SCRIPT
set -uo pipefail
fonts_script=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '#!/usr/bin/env bash\necho "$*" >>"$CALLS"\n' >"$work/wine"
printf '#!/usr/bin/env bash\nexit 0\n' >"$work/wineserver"
chmod +x "$work/wine" "$work/wineserver"

failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
# A prefix as Wine leaves it: its font folder and, in its registry, the code page.
prefix() {
  mkdir -p "$work/$1/drive_c/windows/Fonts"
  printf '[System\\\\CurrentControlSet\\\\Control\\\\Nls\\\\Codepage] 1\n"ACP"="%s"\n' "$1" \
    >"$work/$1/system.reg"
}
fonts() {
  : >"$work/calls"
  WINE=$work/wine WINESERVER=$work/wineserver CALLS=$work/calls bash "$fonts_script" "$work/$1" ||
    fail "$1: status $?"
}

prefix 932
fonts 932
grep -q 'Replacements /v ＭＳ Ｐゴシック /d IPAPGothic' "$work/calls" ||
  fail "932: the dialogs' font is not replaced"
grep -q SystemLink "$work/calls" && fail "932: a Japanese prefix gets font links"
[ -e "$work/932/drive_c/windows/Fonts/tahoma.ttf" ] && fail "932: Tahoma is copied"

prefix 1252
fonts 1252
for face in Tahoma 'Tahoma Bold'; do
  grep -q "SystemLink /v $face /t REG_MULTI_SZ /d ipagp.ttf,IPAPGothic" "$work/calls" ||
    fail "1252: $face is not linked to IPA P Gothic"
done
grep -q 'Replacements /v MS UI Gothic /d IPAPGothic' "$work/calls" ||
  fail "1252: the Japanese font names are not replaced"
if [ -e /usr/share/wine/fonts/tahoma.ttf ]; then
  [ -e "$work/1252/drive_c/windows/Fonts/tahoma.ttf" ] || fail "1252: Tahoma is not copied"
fi
fonts 1252
[ -s "$work/calls" ] && fail "1252: the values are written again: $(cat "$work/calls")"

[ "$failures" -eq 0 ] && echo "wine fonts: Japanese names replaced everywhere, Tahoma linked where the code page is not 932"
exit $((failures > 0))
