#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test this machine can run: the
# native unit tests, the fuzzers, then the Windows-side tests under Wine, one at a time (the
# program is single-instance): the x64 build's under 64-bit Wine always, and the x86
# build's under 32-bit Wine, natively where the kernel runs 32-bit code and under qemu's
# user-mode emulator where it does not (scripts/x86-mode.sh decides by trying); then both
# again under Wine 10 of Debian 13 (the x86 one only where the kernel runs 32-bit code).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
"$top/scripts/build.sh"
# Wine 10's root (Debian 13) is made before the native tests, whose script test uses it.
if "$top/scripts/wine10.sh" root >/dev/null; then wine10_root=yes; else wine10_root=no; fi

status=0
ctest --test-dir "$top/build/native" --output-on-failure || status=1
ctest --test-dir "$top/build/fuzz" --output-on-failure || status=1
# How far each short fuzz got: a fuzzer that reaches few edges sees little of the code.
cat "$top"/build/fuzz/tests/fuzz/*/reached.txt 2>/dev/null || true

# Both programs as files: their formats, imports and resources, without running either.
bash "$top/tests/package/pe_files_test.sh" "$top/build/win32/Quiltra.exe" \
    "$top/build/win64/Quiltra.exe" || status=1

summary=()
# The Windows-side tests of one build, with the command that gives its Wine a kernel it can
# run on. A test that fails is run once more; the output of the failed run stays in the log,
# and a line names every test that passed only when run again.
windows_tests() {
  local build=$top/build/$1
  shift
  local log=$build/Testing/test-log.txt
  mkdir -p "$(dirname "$log")"
  "$@" bash -c '
    trap "\"$1/scripts/bench.sh\" stop \"$2\"" EXIT
    "$1/scripts/bench.sh" start "$2"
    ctest --test-dir "$2" --output-on-failure --timeout 600 --repeat until-pass:2' \
    windows-tests "$top" "$build" 2>&1 | tee "$log" || return 1
}
retried() { "$top/scripts/retried_tests.sh" "$top/build/$1/Testing/test-log.txt" | sed "s/^/$1: /"; }

if windows_tests win64; then result=passed; else result=FAILED; status=1; fi
summary+=("x64 build: every Windows-side test under 64-bit Wine (wine64), natively: $result")
summary+=("$(retried win64)")

{ read -r x86_mode; read -r x86_why; } < <("$top/scripts/x86-mode.sh")
case $x86_mode in
  native) runner=env ;;
  emulated) runner=$top/scripts/i386-emulation.sh ;;
  *) runner= ;;
esac
if [ -z "$runner" ]; then
  summary+=("x86 build: checked from its file only, not run: $x86_why")
else
  if windows_tests win32 "$runner"; then result=passed; else result=FAILED; status=1; fi
  summary+=("x86 build: every Windows-side test under 32-bit Wine, $x86_mode ($x86_why): $result")
  summary+=("$(retried win32)")
fi

# Every Windows-side suite once more under Wine 10 of Debian 13, beside the machine's Wine 8
# (scripts/wine10.sh); 32-bit Wine 10 only where the kernel runs 32-bit code.
wine10_tests() {
  local build=$top/build/$1
  local log=$build/Testing/test-log-wine10.txt
  mkdir -p "$(dirname "$log")"
  "$top/scripts/wine10.sh" run "$build" \
    ctest --test-dir "$build" --output-on-failure --timeout 600 --repeat until-pass:2 \
    2>&1 | tee "$log" || return 1
}
retried10() {
  "$top/scripts/retried_tests.sh" "$top/build/$1/Testing/test-log-wine10.txt" |
    sed "s/^/$1 under Wine 10: /"
}
if [ "$wine10_root" = yes ]; then
  if wine10_tests win64; then result=passed; else result=FAILED; status=1; fi
  summary+=("x64 build: every Windows-side test under Wine 10 (Debian 13's wine64), natively: $result")
  summary+=("$(retried10 win64)")
  if [ "$x86_mode" = native ]; then
    if wine10_tests win32; then result=passed; else result=FAILED; status=1; fi
    summary+=("x86 build: every Windows-side test under Wine 10 (Debian 13's 32-bit Wine), natively: $result")
    summary+=("$(retried10 win32)")
  else
    summary+=("x86 build: under Wine 8 only, emulated, not under Wine 10, whose 32-bit Wine needs a kernel that runs 32-bit code: $x86_why")
  fi
else
  status=1
  summary+=("Wine 10: its Debian 13 root could not be made (see above); no build ran under it")
fi

printf '\n'
printf '%s\n' "${summary[@]}"
exit $status
