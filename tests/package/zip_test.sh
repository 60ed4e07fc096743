#!/usr/bin/env bash
# The shipping zip as a player gets it: builds it, unpacks it into a folder whose path
# has blanks and Japanese, checks its layout and plays a whole game from there, to the
# fanfare.
#   zip_test.sh BUILD_DIR ZIP QDRIVER_EXE PICTURE
set -euo pipefail
build=$1
zip=$2
driver=$3
picture=$4
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

# Wine's MCI trace shows which tune the program asked for, and from where.
WINEDEBUG=trace+mci "$scripts/wine-exec.sh" "$build" "$driver" demo "$folder/Quiltra.exe" \
    "$picture" "$work/demo" >"$work/demo.log" 2>&1 || {
  grep -av ':trace:' "$work/demo.log" >&2
  # The screenshots outlive the unpacked folder, for whoever reads the failure.
  kept="$build/Testing/package-demo"
  rm -rf "$kept" && mkdir -p "$kept" && cp "$work"/demo/*.* "$kept"/ 2>/dev/null || true
  echo "zip_test: screenshots kept in $kept" >&2
  echo "zip_test: the game from the zip was not played to the end" >&2
  exit 1
}
if ! grep -aq "open .*$(basename "$work").*fanfare.mid.* alias bgm" "$work/demo.log"; then
  echo "zip_test: the fanfare beside the unpacked program was not requested" >&2
  exit 1
fi
echo "zip_test: a whole game was played from $folder, with the fanfare"
