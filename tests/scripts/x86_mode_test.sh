#!/usr/bin/env bash
# The choice of how the x86 build runs, with stand-ins for 32-bit Wine's loader and for
# the emulation, so that both kinds of kernel are seen on either:
#   x86_mode_test.sh X86_MODE_SCRIPT
set -uo pipefail
mode_script=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A loader that answers with the status a kernel gives it, and an emulation that runs its
# command with that status turned to success, or refuses as a kernel without namespaces does.
printf '#!/usr/bin/env bash\nexit ${LOADER_STATUS}\n' >"$work/loader"
printf '#!/usr/bin/env bash\n[ "$EMULATION" = works ] && LOADER_STATUS=0 exec "$@"\nexit 126\n' >"$work/emulation"
chmod +x "$work/loader" "$work/emulation"

failures=0
expect() {  # expect LOADER_STATUS EMULATION WORD WHY-PATTERN
  local out
  out=$(LOADER_STATUS=$1 EMULATION=$2 QUILTRA_I386_PROBE=$work/loader \
        QUILTRA_I386_EMULATION=$work/emulation bash "$mode_script")
  if [ "$(head -n 1 <<<"$out")" != "$3" ] || ! tail -n 1 <<<"$out" | grep -q "$4"; then
    echo "FAILED: loader status $1, emulation $2: expected $3 ($4), got: $(tr '\n' ' ' <<<"$out")"
    failures=$((failures + 1))
  fi
}
expect 0 works native 'runs 32-bit code'
expect 126 works emulated 'emulation is off); 32-bit Wine runs under qemu-i386'
expect 126 fails none 'emulation is off)$'
expect 1 works none 'failed with status 1'
LOADER_STATUS=0 QUILTRA_I386_PROBE=$work/missing QUILTRA_I386_EMULATION=$work/emulation \
  bash "$mode_script" | grep -q 'not installed' ||
  { echo "FAILED: a missing loader is not named"; failures=$((failures + 1)); }
[ "$failures" -eq 0 ] && echo "x86 mode: native, emulated and neither, each from the loader's answer"
exit $((failures > 0))
