#!/usr/bin/env bash
# Plays a whole 4 x 3 game on the bench with the real mouse and writes screenshots of the
# start, the middle and the end, plus a contact sheet, to build/demo/.
#   demo.sh [BUILD_DIR]   (the build this machine plays when none is given)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$("$top/scripts/played-build.sh")}
out=$top/build/demo
rm -rf "$out"
mkdir -p "$out"
trap '"$top/scripts/bench.sh" stop "$build"' EXIT
"$top/scripts/bench.sh" start "$build"
"$top/scripts/wine-exec.sh" "$build" "$build/tests/e2e/qdriver.exe" demo "$build/Quiltra.exe" \
    "$build/tests/e2e/fixtures/wizard.jpg" "$out"
for shot in "$out"/*.bmp; do
  [ -e "$shot" ] && convert "$shot" "${shot%.bmp}.png" && rm "$shot"
done
montage "$out"/[0-9]-*.png -tile 2x2 -geometry 640x400+6+6 -background '#808080' "$out/contact-sheet.png"
echo "Screenshots and contact sheet: $out"
