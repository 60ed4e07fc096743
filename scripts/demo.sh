#!/usr/bin/env bash
# Plays a whole 5 x 4 game of our own picture on the bench with the real mouse, with the
# option to join pieces on, and writes screenshots of the start, the option's menu, two
# pieces joined and moved as one, the middle, the last piece, the completion message and the
# finished picture, plus a contact sheet, to build/demo/.
#   demo.sh [BUILD_DIR]   (the build this machine plays when none is given)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
# The programs take the paths as Windows paths, which only an absolute Unix path makes.
build=$(cd "${1:-$("$top/scripts/played-build.sh")}" && pwd)
out=$top/build/demo
rm -rf "$out"
mkdir -p "$out"
trap '"$top/scripts/bench.sh" stop "$build"' EXIT
"$top/scripts/bench.sh" start "$build"
"$top/scripts/wine-exec.sh" "$build" "$build/tests/e2e/qdriver.exe" demo "$build/Quiltra.exe" \
    "$build/tests/e2e/fixtures/demo.bmp" "$out"
for shot in "$out"/*.bmp; do
  [ -e "$shot" ] && convert "$shot" "${shot%.bmp}.png" && rm "$shot"
done
montage "$out"/[0-9]-*.png -tile 4x2 -geometry 640x400+6+6 -background '#808080' "$out/contact-sheet.png"
echo "Screenshots and contact sheet: $out"
