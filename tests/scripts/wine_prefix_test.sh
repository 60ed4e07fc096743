#!/usr/bin/env bash
# The bench's prefix start with stand-ins for Wine whose prefix creation never ends a given
# number of times, as an emulated Wine process sometimes does:
#   wine_prefix_test.sh WINE_PREFIX_SCRIPT
set -uo pipefail
prefix_script=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The loader records its commands; wineboot hangs while HANGS_LEFT's count lasts.
cat >"$work/wine" <<'WINE'
#!/usr/bin/env bash
echo "$*" >>"$CALLS"
if [ "$1" = wineboot.exe ]; then
  left=$(cat "$HANGS_LEFT")
  if [ "$left" -gt 0 ]; then
    echo $((left - 1)) >"$HANGS_LEFT"
    exec sleep 60
  fi
  mkdir -p "$WINEPREFIX"
fi
WINE
printf '#!/usr/bin/env bash\necho "server $*" >>"$CALLS"\n' >"$work/wineserver"
chmod +x "$work/wine" "$work/wineserver"

failures=0
start() {  # start HANGS [again]: runs the script, on a new prefix unless again; status, output stay
  [ "${2:-}" = again ] || rm -rf "$work/prefix"
  : >"$work/calls"
  echo "$1" >"$work/hangs"
  output=$(WINE=$work/wine WINESERVER=$work/wineserver WINEPREFIX=$work/prefix \
    CALLS=$work/calls HANGS_LEFT=$work/hangs QUILTRA_WINE_STEP_LIMIT=1 \
    bash "$prefix_script" 2>&1)
  status=$?
}
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

start 2
boots=$(grep -c '^wineboot' "$work/calls")
[ "$status" -eq 0 ] || fail "two hung creations: status $status"
[ "$boots" -eq 3 ] || fail "two hung creations: $boots creations, not 3"
[ -f "$work/prefix/.quiltra-ready" ] || fail "two hung creations: the prefix is not marked ready"
grep -q 'server -k' "$work/calls" || fail "a hung creation does not end the prefix's processes"
grep -q "wineboot.exe -i' did not end within 1 s (attempt 2 of 3)" <<<"$output" ||
  fail "the overrun is not named: $output"
tail -n 1 "$work/calls" | grep -q 'cmd.exe /c exit' || fail "the prefix is not booted at the end"

start 3
[ "$status" -ne 0 ] || fail "three hung creations are reported as success"
grep -q "could not be started: '.*wineboot.exe -i' never ended" <<<"$output" ||
  fail "three hung creations: the failure does not name the step: $output"

start 0
start 0 again
grep -q '^wineboot' "$work/calls" && fail "a ready prefix is made again"
[ "$failures" -eq 0 ] && echo "wine prefix: made afresh after a hung step, refused after three"
exit $((failures > 0))
