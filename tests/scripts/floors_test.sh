#!/usr/bin/env bash
# The floors check on a small made-up tree, clean and then with one include changed at a
# time, so that each kind of upward include is seen to fail and each allowed one to pass:
#   floors_test.sh CHECK_FLOORS_SCRIPT
set -uo pipefail
check_script=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
base=$work/base
tree=$work/tree

put() {  # put FILE LINE...: a file of the made-up tree
  mkdir -p "$base/$(dirname "$1")"
  local file=$1
  shift
  printf '%s\n' "$@" >"$base/$file"
}
# The core as the real CMakeLists.txt names it, the lead byte pair in a generator expression.
put CMakeLists.txt 'project(Fake LANGUAGES CXX)' '# add_library(quiltra_core STATIC win/a.cpp)' \
  'add_library(quiltra_core STATIC' '  model/game_state.cpp' '  board/view_geometry.cpp' \
  '  $<IF:$<BOOL:${WIN32}>,files/lead_byte_windows.cpp,files/lead_byte_cp932.cpp>)' \
  'add_library(quiltra_win STATIC win/a.cpp)'
put model/game_state.h '#pragma once'
put model/game_state.cpp '#include "model/game_state.h"' '#include "board/view_geometry.h"' \
  '#include "resources/resource_ids.h"'
put board/view_geometry.h '#pragma once'
put board/view_geometry.cpp '#include "board/view_geometry.h"'
put files/lead_byte.h '#pragma once'
put files/lead_byte_windows.cpp '#include <windows.h>' '#include "files/lead_byte.h"'
put files/lead_byte_cp932.cpp '#include "files/lead_byte.h"'
put resources/resource_ids.h '#define IDM_NEW 40042'
put win/a.h '#pragma once' '#include <windows.h>'
put win/a.cpp '#include "win/a.h"' '#include "files/lead_byte.h"' '#include "model/game_state.h"'
put board/b.h '#pragma once' '#include "win/a.h"' '#include "model/game_state.h"'
put board/b.cpp '#include "board/b.h"' '#include "win/a.h"' '#include "model/game_state.h"'
# A header whose only source is for Windows: on the model's floor, though it includes nothing.
put model/new_game.h '#pragma once'
put model/new_game_windows.cpp '#include <windows.h>' '#include "model/new_game.h"' '#include "board/b.h"'
put shell/s.h '#pragma once' '#include "board/b.h"'
put shell/s.cpp '#include "shell/s.h"' '#include "model/new_game.h"' '#include "win/a.h"' \
  '#include "resources/resource_ids.h"'
checked=$(find "$base" \( -name '*.cpp' -o -name '*.h' \) -not -path '*/resources/*' | wc -l)

failures=0
fail() {
  echo "FAIL: $1"
  failures=$((failures + 1))
}
fresh() { rm -rf "$tree" && cp -r "$base" "$tree"; }
add() {  # add FILE LINE: one more line in a file of the fresh tree
  mkdir -p "$tree/$(dirname "$1")"
  printf '%s\n' "$2" >>"$tree/$1"
}
expect() {  # expect WHAT STATUS LINE: the check on the tree exits so and prints that line
  local out status
  out=$(bash "$check_script" "$tree" 2>/dev/null)
  status=$?
  if [ "$status" -ne "$2" ]; then
    fail "$1: exit status $status, not $2; it printed: $(tr '\n' '|' <<<"$out")"
  elif ! grep -qxF -- "$3" <<<"$out"; then
    fail "$1: no line '$3'; it printed: $(tr '\n' '|' <<<"$out")"
  fi
}

fresh
expect "the clean tree" 0 "floors: $checked files checked, all includes run downward"

fresh
add board/b.cpp '#include "shell/s.h"'
expect "a board file including a shell header" 1 \
  'board/b.cpp (floor 2: board) includes shell/s.h (floor 6: shell)'

fresh
add win/a.cpp '#include "board/b.h"'
expect "a win file including a board header" 1 'win/a.cpp (floor 1: win) includes board/b.h (floor 2: board)'

fresh
add model/game_state.cpp '#include "win/a.h"'
expect "a core file including a win header" 1 \
  'model/game_state.cpp (floor 0: core) includes win/a.h (floor 1: win)'

fresh
add model/game_state.h '#include "model/new_game.h"'
expect "a core header including a non-core header of its own folder" 1 \
  'model/game_state.h (floor 0: core) includes model/new_game.h (floor 5: model)'

fresh
add board/b.cpp '#include "model/new_game.h"'
expect "a board file including a header whose source is X_windows.cpp" 1 \
  'board/b.cpp (floor 2: board) includes model/new_game.h (floor 5: model)'

fresh
add board/pixels.h '#include <cstdint>'
add win/a.h '#include "board/pixels.h"'
expect "a header-only core header included from win" 0 \
  "floors: $((checked + 1)) files checked, all includes run downward"

# Without a source of its own, a header is core only if nothing it reaches includes windows.h.
fresh
add board/inner.h '#include <windows.h>'
add board/outer.h '#include "board/inner.h"'
add win/a.cpp '#include "board/outer.h"'
expect "a header-only header reaching windows.h through another, included from win" 1 \
  'win/a.cpp (floor 1: win) includes board/outer.h (floor 2: board)'

[ "$failures" -eq 0 ] && echo "floors: upward includes fail, downward and core ones pass"
exit $((failures > 0))
