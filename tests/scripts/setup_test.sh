#!/usr/bin/env bash
# The set-up against a package mirror in the middle of its sync, with stand-ins for
# apt-get, dpkg, dpkg-query, sudo and locale on PATH, so that nothing is installed:
#   setup_test.sh SETUP_SCRIPT
# The stand-in apt-get fails its first $FAILED_UPDATES updates as such a mirror does, and
# its installs as $FAILED_INSTALLS says: "none", "plain" (only those without -t) or "all".
set -euo pipefail
setup=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"

cat >"$work/bin/apt-get" <<'STAND_IN'
#!/usr/bin/env bash
state=$STAND_IN_STATE
if [ "$1" = update ]; then
  echo update >>"$state/updates"
  if [ "$(wc -l <"$state/updates")" -le "$FAILED_UPDATES" ]; then
    echo "E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (1234 != 5678). Mirror sync in progress? [IP: 151.101.2.132 80]" >&2
    exit 100
  fi
  exit 0
fi
suite=no
packages=()
while [ $# -gt 0 ]; do
  case $1 in
    -t) suite=yes; shift ;;
    -*) ;;
    install) ;;
    *) packages+=("$1") ;;
  esac
  shift
done
if [ "$FAILED_INSTALLS" = all ] || { [ "$FAILED_INSTALLS" = plain ] && [ "$suite" = no ]; }; then
  echo "E: Unable to correct problems, you have held broken packages." >&2
  exit 100
fi
printf '%s\n' "${packages[@]}" >>"$state/installed"
STAND_IN

cat >"$work/bin/dpkg-query" <<'STAND_IN'
#!/usr/bin/env bash
package=${!#}
grep -qx "$package" "$STAND_IN_STATE/installed" 2>/dev/null && printf 'install ok installed'
exit 0
STAND_IN

cat >"$work/bin/dpkg" <<'STAND_IN'
#!/usr/bin/env bash
[ "$1" = --print-foreign-architectures ] && echo i386
exit 0
STAND_IN

printf '#!/usr/bin/env bash\nexec "$@"\n' >"$work/bin/sudo"
printf '#!/usr/bin/env bash\necho C.utf8\necho en_US.utf8\necho ja_JP.utf8\n' >"$work/bin/locale"
chmod +x "$work/bin/"*

failures=0
# Runs the set-up once from a machine with nothing installed; its output is in $work/out.
run_setup() {
  rm -rf "$work/state" && mkdir "$work/state"
  set +e
  STAND_IN_STATE=$work/state FAILED_UPDATES=$1 FAILED_INSTALLS=$2 QUILTRA_APT_PAUSE=0 \
    QUILTRA_I386_PROBE=true \
    PATH="$work/bin:$PATH" bash "$setup" >"$work/out" 2>&1
  status=$?
  set -e
}
fail() {
  echo "FAILED: $1"
  sed 's/^/  | /' "$work/out"
  failures=$((failures + 1))
}

run_setup 2 none
[ "$status" -eq 0 ] || fail "two failed updates, then a good one: the set-up did not complete"
grep -qsx wine32:i386 "$work/state/installed" || fail "two failed updates: wine32:i386 not installed"
[ "$(cat "$work/state/updates" 2>/dev/null | wc -l)" -eq 3 ] || fail "two failed updates: not tried a third time"
! grep -q warning "$work/out" || fail "two failed updates, then a good one: a warning all the same"

run_setup 99 plain
[ "$status" -eq 0 ] || fail "every update failed, the release's suite installs: the set-up did not complete"
[ "$(grep -c 'warning: a package index failed' "$work/out")" -eq 1 ] ||
  fail "every update failed, the release's suite installs: not warned in one line"

run_setup 99 all
[ "$status" -ne 0 ] || fail "nothing installs: the set-up did not stop"
grep -q 'not installed: cmake make g++ .*wine32:i386' "$work/out" ||
  fail "nothing installs: the packages not installed are not named"
grep -q 'a package mirror may be in the middle of an update' "$work/out" ||
  fail "nothing installs: no word of the mirror"

[ "$failures" -eq 0 ] && echo "set-up: survives two failed updates and a broken index, stops when nothing installs"
exit $((failures > 0))
