#!/usr/bin/env bash
# The two programs as files, read by binutils without running either: the x86 one a PE32
# i386 GUI program that may use 4 GB, the x64 one PE32+ x86-64 GUI; both importing only
# system DLLs, the same ones, and no call that passes text through the code page, and
# carrying the same resources (menus, dialogs, art, manifest, version). A machine that cannot
# run one build still checks it this way.
#   pe_files_test.sh X86_EXE X64_EXE
set -uo pipefail
declare -A exe=([x86]=$1 [x64]=$2)
declare -A tools=([x86]=i686-w64-mingw32 [x64]=x86_64-w64-mingw32)
declare -A format=([x86]=pei-i386 [x64]=pei-x86-64)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0
expect() {  # expect WHAT COMMAND...: counts the command's success, names WHAT when it fails
  local what=$1
  shift
  if "$@"; then passed=$((passed + 1)); else echo "pe_files_test: FAILED: $what"; failed=$((failed + 1)); fi
}

# What every Windows from XP on has; a DLL of the toolchain (libstdc++, libwinpthread) or
# any other would have to travel with the program.
printf '%s\n' advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll \
    ole32.dll shell32.dll user32.dll winmm.dll >"$work/system.dlls"
# The runtime's own code-page calls, which carry none of the program's texts or paths:
# winpthreads' unnamed events and semaphores, libgcc's and libstdc++'s diagnostics, and on
# x86 libgcc's start-up look for its own DLL (libgcc_s_dw2-1.dll) to register unwind tables.
printf '%s\n' CreateEventA CreateSemaphoreA FormatMessageA GetModuleHandleA LoadLibraryA \
    OutputDebugStringA >"$work/runtime.calls"
for build in x86 x64; do
  "${tools[$build]}-objdump" -f "${exe[$build]}" >"$work/$build.head" 2>&1
  "${tools[$build]}-objdump" -p "${exe[$build]}" >"$work/$build.private" 2>&1
  grep 'DLL Name:' "$work/$build.private" | awk '{print tolower($3)}' | sort >"$work/$build.dlls"
  comm -23 "$work/$build.dlls" "$work/system.dlls" >"$work/$build.foreign"
  awk 'NF == 3 && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ && $3 ~ /A$/ { print $3 }' \
    "$work/$build.private" | sort | comm -23 - <(sort "$work/runtime.calls") >"$work/$build.ansi"
  "${tools[$build]}-windres" -i "${exe[$build]}" -O rc >"$work/$build.rc" 2>&1
  expect "$build: not a ${format[$build]} program" grep -q "file format ${format[$build]}\$" "$work/$build.head"
  expect "$build: not a GUI program" grep -q 'Subsystem.*(Windows GUI)' "$work/$build.private"
  expect "$build: imports no DLL" test -s "$work/$build.dlls"
  expect "$build: imports DLLs the system lacks: $(xargs <"$work/$build.foreign")" test ! -s "$work/$build.foreign"
  expect "$build: calls the system in its code page: $(xargs <"$work/$build.ansi")" test ! -s "$work/$build.ansi"
  expect "$build: no manifest" grep -q RT_MANIFEST "$work/$build.rc"
  expect "$build: no version resource" grep -q "^1 VERSIONINFO" "$work/$build.rc"
done
expect "x86: not large-address-aware" grep -q 'large address aware' "$work/x86.private"
expect "the builds import different DLLs" cmp -s "$work/x86.dlls" "$work/x64.dlls"
expect "the builds carry different resources: $(diff "$work/x86.rc" "$work/x64.rc" | head -n 3 | xargs -0)" \
    cmp -s "$work/x86.rc" "$work/x64.rc"
echo "pe_files_test: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
