#!/usr/bin/env bash
# How this machine can run the x86 build, found by trying rather than guessed from the
# kernel's name or configuration: one 32-bit program (32-bit Wine's loader) is run. Prints
# one word, then the reason on a second line:
#   native    the kernel runs 32-bit code
#   emulated  it does not, and 32-bit Wine runs under qemu's user-mode emulator
#   none      neither
# QUILTRA_I386_PROBE and QUILTRA_I386_EMULATION stand in for the loader and the emulation
# script in the scripts' own tests.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
probe=${QUILTRA_I386_PROBE:-/usr/lib/wine/wine}
emulation=${QUILTRA_I386_EMULATION:-$here/i386-emulation.sh}

"$probe" --version >/dev/null 2>&1
status=$?
if [ "$status" -eq 0 ]; then
  printf 'native\nthe kernel runs 32-bit code\n'
  exit 0
fi
case $status in
  126) why='the kernel runs no 32-bit code (its 32-bit emulation is off)' ;;
  127) why='32-bit Wine is not installed' ;;
  *) why="32-bit Wine's loader failed with status $status" ;;
esac
if [ "$status" -eq 126 ] && "$emulation" "$probe" --version >/dev/null 2>&1; then
  printf 'emulated\n%s; 32-bit Wine runs under qemu-i386 in user mode\n' "$why"
else
  printf 'none\n%s\n' "$why"
fi
