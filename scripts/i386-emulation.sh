#!/usr/bin/env bash
# Runs a command where 32-bit x86 Linux programs run under qemu's user-mode emulator, for
# kernels that run no 32-bit code themselves: the command and everything it starts live in
# a private user and mount namespace whose own binfmt_misc hands every i386 ELF program to
# qemu-i386. Nothing outside the namespace changes.
#   i386-emulation.sh COMMAND [ARGS...]
# Fails (126 without the emulator) when the emulator or such a namespace cannot be had.
set -euo pipefail
qemu=${QUILTRA_QEMU_I386:-/usr/local/lib/quiltra/qemu-i386}
if [ ! -x "$qemu" ]; then
  echo "i386-emulation: no emulator at $qemu (scripts/setup.sh installs it where it is needed)" >&2
  exit 126
fi
# The magic and mask of an i386 executable or shared object; F opens the emulator now, so
# it serves programs started from any mount namespace below this one.
rule=':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
rule+=':\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
rule+=":$qemu:F"
exec unshare --user --map-root-user --mount --fork bash -c '
  set -e
  binfmt=/proc/sys/fs/binfmt_misc
  mount -t binfmt_misc binfmt_misc "$binfmt" || exit 126
  printf "%s" "$1" >"$binfmt/register" || exit 126
  shift
  export QUILTRA_X86_EMULATION=qemu-i386
  exec "$@"' i386-emulation "$rule" "$@"
