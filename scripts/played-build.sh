#!/usr/bin/env bash
# The build folder to play on this machine: the x86 program, as shipped, where the kernel
# runs 32-bit code; otherwise the x64 one (emulating the x86 one is for tests, not play).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
if [ "$("$top/scripts/x86-mode.sh" | head -n 1)" = native ]; then
  echo "$top/build/win32"
else
  echo "$top/build/win64"
fi
