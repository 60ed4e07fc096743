#!/usr/bin/env bash
# The shipping zip as a player gets it: builds it, unpacks it into a folder whose path
# has blanks and Japanese, checks its layout and plays a whole game from there, to the
# fanfare; its readme tells the version and where the settings live.
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
londonderry.mid
readme.txt'
actual=$(cd "$folder" && find . -mindepth 1 | sed 's|^\./||' | LC_ALL=C sort)
if [ "$actual" != "$expected" ]; then
  printf 'zip_test: the zip holds\n%s\nexpected\n%s\n' "$actual" "$expected" >&2
  exit 1
fi

# The readme as Notepad on a Japanese Windows reads it: Shift-JIS, every line ending in CRLF.
readme=$folder/readme.txt
if ! text=$(iconv -f CP932 -t UTF-8 "$readme"); then
  echo "zip_test: readme.txt is not Shift-JIS text" >&2
  exit 1
fi
if [ "$(LC_ALL=C grep -c $'\r$' "$readme")" != "$(wc -l <"$readme")" ]; then
  echo "zip_test: readme.txt has lines without CRLF" >&2
  exit 1
fi
version=$(basename "$zip" | sed -n 's/^Quiltra-\(.*\)-x\(86\|64\)\.zip$/\1/p')
case $(basename "$zip") in
  *-x86.zip) held='x86（32 ビット）版' ;;
  *-x64.zip) held='x64（64 ビット）版' ;;
  *) echo "zip_test: $(basename "$zip") does not name its build" >&2; exit 1 ;;
esac
for needed in "バージョン $version" "$held" 'HKEY_CURRENT_USER\SOFTWARE\Varnholt\Quiltra'; do
  if ! grep -qF "$needed" <<<"$text"; then
    echo "zip_test: readme.txt does not say $needed" >&2
    exit 1
  fi
done

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
