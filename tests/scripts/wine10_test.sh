#!/usr/bin/env bash
# The Wine 10 bench's run on a made-up build folder: the log's first line names Wine 10,
# the checkout is read-only and the build folder writable, the build's Wine 8 prefix is
# neither seen nor touched, a prefix made under a new name goes to the Wine-10 folder, the
# tree's own CMake answers to `cmake`, and no process or mount outlives the run.
#   wine10_test.sh WINE10_SCRIPT
# Skipped (77) where the Debian 13 root has not been made (scripts/wine10.sh root) or
# where this is not root: making it here would take minutes and 2 GB.
set -uo pipefail
script=$1
root=${QUILTRA_WINE10_ROOT:-/var/cache/quiltra/trixie-root}
if [ "$(id -u)" -ne 0 ] || [ ! -f "$root/.quiltra-root" ]; then
  echo "wine10_test: skipped: no Debian 13 root at $root (scripts/wine10.sh root makes it)"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
src=$work/checkout
build=$src/build
mkdir -p "$build/wineprefix" "$build/bench"
printf 'CMAKE_HOME_DIRECTORY:INTERNAL=%s\nCMAKE_COMMAND:INTERNAL=%s\n' "$src" "$(command -v cmake)" \
  >"$build/CMakeCache.txt"
echo win64 >"$build/wine-arch"
echo 8 >"$build/wineprefix/made-by"
own_cmake=$(cmake --version | head -n 1)
# A process the command leaves behind, known by its unusual argument.
linger=$((RANDOM % 1000 + 7000)).25

out=$("$script" run "$build" bash -c '
  build=$1 src=$2 linger=$3
  cat "$build/wineprefix/made-by" 2>/dev/null && echo "the Wine 8 prefix is seen"
  echo 10 >"$build/wineprefix/made-by"
  mkdir "$build/wineprefix-test"
  touch "$src/written" 2>/dev/null && echo "the checkout is writable"
  touch "$build/written" || echo "the build folder is read-only"
  echo "cmake: $(cmake --version | head -n 1)"
  sleep "$linger" &
  exit 3' wine10-test "$build" "$src" "$linger" 2>&1)
status=$?

failures=0
fail() { echo "FAILED: $1"; failures=$((failures + 1)); }
head -n 1 <<<"$out" | grep -q '^wine10: wine-10\.' || fail "the first line does not name Wine 10"
[ "$status" -eq 3 ] || fail "the command's status 3 came back as $status"
! grep -q 'is seen\|is writable\|is read-only' <<<"$out" || fail "$(grep 'is seen\|is writable\|is read-only' <<<"$out")"
grep -qxF "cmake: $own_cmake" <<<"$out" || fail "cmake inside is not the tree's own ($own_cmake)"
[ "$(cat "$build/wineprefix/made-by")" = 8 ] || fail "the Wine 8 prefix was written"
[ "$(cat "$build/wine10/wineprefix/made-by" 2>/dev/null)" = 10 ] ||
  fail "what was written to the prefix is not in the Wine 10 one"
[ -d "$build/wine10/wineprefix-test" ] && [ ! -e "$build/wineprefix-test" ] ||
  fail "a prefix made under a new name was not moved to the Wine 10 folder"
[ -e "$build/written" ] || fail "the build folder was not written"
left=$(pgrep -fx "sleep $linger")
[ -z "$left" ] || { fail "a process outlived the run"; kill $left; }
grep -qF "$work" /proc/self/mountinfo && fail "a mount outlived the run"
[ "$failures" -eq 0 ] || { sed 's/^/  | /' <<<"$out"; exit 1; }
echo "wine10: Wine 10 ran beside the Wine 8 prefix, which stayed as it was, and left nothing behind"
