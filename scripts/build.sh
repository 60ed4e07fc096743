#!/usr/bin/env bash
# Builds the native core with its unit tests (build/native), the game-file fuzzer
# (build/fuzz, clang) and the Windows program with its Wine-side tests, from one source for
# x86 (build/win32) and for x64 (build/win64).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
# A warning fails the build, so that the tree stays free of them. The build-time tools run
# on the system's Python, which every bench has, not on whichever a user's PATH finds first.
strict="-DQUILTRA_WARNINGS_AS_ERRORS=ON -DPython3_EXECUTABLE=/usr/bin/python3"

cmake -S "$top" -B "$top/build/native" -DCMAKE_BUILD_TYPE=Release $strict >/dev/null
cmake --build "$top/build/native" -j "$jobs"

cmake -S "$top" -B "$top/build/fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER=clang++ -DQUILTRA_FUZZ=ON $strict >/dev/null
cmake --build "$top/build/fuzz" -j "$jobs"

for target in win32:i686 win64:x86_64; do
  cmake -S "$top" -B "$top/build/${target%%:*}" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-${target#*:}.cmake" $strict >/dev/null
  cmake --build "$top/build/${target%%:*}" -j "$jobs"
done
