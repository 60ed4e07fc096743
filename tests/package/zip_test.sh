#!/usr/bin/env bash
# The shipping zip as a player gets it: builds it, unpacks it into a folder whose path
# has blanks and Japanese, checks its layout and starts the program from there.
#   zip_test.sh BUILD_DIR ZIP QDRIVER_EXE
set -euo pipefail
build=$1
zip=$2
driver=$3
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)

cmake --build "$build" --target package_zip qdriver >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
folder="$work/ゲーム フォルダ/表示 テスト"
mkdir -p "$folder"
unzip -q "$zip" -d "$folder"

expected='Quiltra.exe
fanfare.mid
help
help/index.html
londonderry.mid'
actual=$(cd "$folder" && find . -mindepth 1 | sed 's|^\./||' | LC_ALL=C sort)
if [ "$actual" != "$expected" ]; then
  printf 'zip_test: the zip holds\n%s\nexpected\n%s\n' "$actual" "$expected" >&2
  exit 1
fi

"$scripts/wine-exec.sh" "$build" "$driver" show "$folder/Quiltra.exe" "$work/shot.bmp"
if [ ! -s "$work/shot.bmp" ]; then
  echo "zip_test: no screenshot of the program's window" >&2
  exit 1
fi
echo "zip_test: Quiltra started from $folder"
