#!/usr/bin/env bash
# A picture dragged from the Linux desktop onto Quiltra's window starts a game as New does:
# a native X client of ours (xdnd_drop) drops it through the XDND protocol, Wine turns the
# drop into WM_DROPFILES, and the player sees the settings dialog for that picture. Two drops
# in one run: a plain name, and a name in a folder that no code page spells.
#   drop_from_x_test.sh SOURCE_DIR BUILD_DIR QUILTRA_EXE WATCHER_EXE XDND_DROP PICTURES
set -euo pipefail
src=$1
build=$2
quiltra=$3
watcher=$4
xdnd_drop=$5
pictures=$6
scripts=$src/scripts
started=${EPOCHREALTIME/./}

say() { echo "shell_drop_from_x: $*" >&2; }
fail() {
  say "$*"
  exit 1
}
elapsed() {
  local tenths=$(((${EPOCHREALTIME/./} - started) / 100000))
  echo "$((tenths / 10)).$((tenths % 10)) s"
}

# The bench's X screen, shared: Xvfb is the only X server there is.
"$scripts/bench.sh" start "$build"
eval "$("$scripts/bench.sh" env "$build")"

# Inside Wine's virtual desktop an X client's drop goes to explorer.exe, and no program gets
# a handle it can read (see The Wine bench in README.md). The bench's prefix has that desktop
# for every other test, and its persistent server and explorer hold it: taking the value out
# and putting it back around this test would end them all, and a test cut short would leave
# the bench without its desktop. So this test has a prefix of its own, made once by the
# bench's own script in the bench's locale, then with the desktop value removed; its Wine
# draws each window as an ordinary X window on the bench's screen, and all its processes
# end with the test. The marker lives inside the prefix, so a prefix made afresh loses it
# and loses the value again.
export WINEPREFIX=$build/wineprefix-nodesktop
marker=$WINEPREFIX/.quiltra-no-desktop
stop_prefix() { timeout -k 5 30 "$WINESERVER" -k >/dev/null 2>&1 || true; }
for _ in 1 2 3; do
  "$scripts/wine-prefix.sh" || fail "the prefix $WINEPREFIX could not be started"
  [ -f "$marker" ] && break
  timeout -k 5 60 "$WINE" reg.exe delete 'HKCU\Software\Wine\Explorer' /v Desktop /f \
    </dev/null >/dev/null 2>&1 || fail "the desktop value could not be removed from $WINEPREFIX"
  # explorer.exe chose the virtual desktop when the prefix booted: boot it again without.
  stop_prefix
  touch "$marker"
done
[ -f "$marker" ] || fail "$WINEPREFIX kept being made afresh"
if "$WINE" reg.exe query 'HKCU\Software\Wine\Explorer' /v Desktop </dev/null >/dev/null 2>&1; then
  fail "$WINEPREFIX still has a virtual desktop"
fi
say "prefix ready after $(elapsed)"

work=$build/shell-drop-work
watcher_pid=
finish() {
  local status=$?
  [ -z "$watcher_pid" ] || kill "$watcher_pid" 2>/dev/null || true
  # Quiltra and every other process of this prefix end with its server.
  stop_prefix
  [ $status -ne 0 ] || rm -rf "$work"
  say "$([ $status -eq 0 ] && echo passed || echo failed) after $(elapsed)"
}
trap finish EXIT

rm -rf "$work"
unspelt="$work/Zoë ♥ 사진/Café ☕.png"
mkdir -p "$(dirname "$unspelt")"
cp "$pictures/landscape.png" "$work/plain.png"
cp "$pictures/portrait.png" "$unspelt"

# The watcher's lines come as the player would see things happen (drop_watcher.cpp).
exec {reports}< <(exec "$WINE" "$watcher" "$quiltra" 2 </dev/null)
watcher_pid=$!
line=
next_report() {
  IFS= read -r -t 90 -u "$reports" line || fail "the watcher said nothing more after '$line'"
  line=${line%$'\r'}
  say "$(elapsed): $line"
}

# Drops FILE where the watcher says and expects the settings for a picture of SHAPE.
drop() {
  local file=$1 shape=$2 x y title across down pieces
  next_report
  [[ $line == "ready "* ]] || fail "Quiltra was not ready for a drop: '$line'"
  read -r _ x y title <<<"$line"
  "$xdnd_drop" "$title" "$x" "$y" "$file" || fail "the drop of $file did not go through"
  next_report
  [[ $line == "settings "* ]] ||
    fail "after the drop of $file the player saw '$line', not the settings dialog"
  read -r _ across down pieces <<<"$line"
  case $shape in
    landscape) [ "$across" -gt "$down" ] ;;
    portrait) [ "$across" -lt "$down" ] ;;
  esac || fail "the settings offer $across x $down pieces, not a split of the $shape picture $file"
}

drop "$work/plain.png" landscape
drop "$unspelt" portrait
next_report
[ "$line" = "closed 0" ] || fail "Quiltra did not close cleanly: '$line'"
wait "$watcher_pid" || fail "the watcher failed ($?)"
watcher_pid=
