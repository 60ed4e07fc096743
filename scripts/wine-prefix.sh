#!/usr/bin/env bash
# Makes the bench's Wine prefix (once) and boots it, so that each later Wine start is quick.
#   wine-prefix.sh         (with the Wine environment of the prefix set: bench.sh env)
#
# Under qemu's user-mode emulator a Wine process now and then never ends: one CI run waited
# on the x86 prefix's creation until its time ran out. So every step here has a time limit
# (QUILTRA_WINE_STEP_LIMIT seconds, 240 unless set; a step takes 20 to 50 s emulated). A step
# that overruns ends the prefix's processes and the prefix is made afresh; the third overrun
# fails the start, naming the step.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
limit=${QUILTRA_WINE_STEP_LIMIT:-240}
ready=$WINEPREFIX/.quiltra-ready
overran=124

# Runs one step within the limit, its output kept from the caller: the services the first
# process of a prefix starts inherit that output, and a caller reading a pipe to its end
# (CTest) would wait for them.
step() {
  timeout -k 5 "$limit" "$@" </dev/null >/dev/null 2>&1
  local status=$?
  if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
    failed_step=$*
    return $overran
  fi
  return "$status"
}

# Every program of one prefix must share one virtual desktop: windows on different desktops
# cannot see each other, and without one there is no window manager to draw title bars.
make_prefix() {
  [ -f "$ready" ] && return 0
  rm -rf "$WINEPREFIX"
  echo "bench: creating the Wine prefix (once, about 20 s)" >&2
  step "$WINE" wineboot.exe -i || return
  step "$WINESERVER" -w || return
  step "$WINE" reg.exe add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f || return
  step "$WINE" reg.exe add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x800 /f ||
    return
  step "$WINESERVER" -w || return
  touch "$ready"
}

boot() {
  make_prefix || return
  step "$here/wine-fonts.sh" "$WINEPREFIX" || return
  # A persistent server keeps each later Wine start well under a second; the services the
  # first program starts outlive it.
  step "$WINESERVER" -p
  step "$WINE" cmd.exe /c exit
  [ $? -eq $overran ] && return $overran
  return 0
}

for attempt in 1 2 3; do
  boot
  status=$?
  [ "$status" -ne $overran ] && exit "$status"
  echo "bench: '$failed_step' did not end within $limit s (attempt $attempt of 3);" \
    "Wine's processes then (each is ended now):" >&2
  ps -eo pid,etime,stat,args | grep -E '[w]ine|[q]emu' | cut -c1-160 >&2
  timeout -k 5 30 "$WINESERVER" -k >/dev/null 2>&1
  rm -f "$ready"
done
echo "bench: the Wine prefix could not be started: '$failed_step' never ended" >&2
exit 1
