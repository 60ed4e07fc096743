#!/usr/bin/env bash
# The Win32 layer stands on floors, so that each part builds and is understood with only
# what lies beneath it: a file includes headers of its own folder or of a lower floor,
# never of a higher one. Bottom to top:
#   0 core   what compiles without windows.h: the sources of quiltra_core in the top
#            CMakeLists.txt, their headers, and headers with no source of their own that
#            reach neither windows.h nor a header above the core; anything may include them
#   1 win    2 board    3 box    4 files    5 model (its dialogs)    6 shell
# A core file includes nothing but core headers: the native tests and the fuzzers build
# the core without Windows. Prints one line for each include that runs upward and fails,
# or says how many files were looked at:
#   check-floors.sh [TOP]    TOP is the tree's top folder, by default the one above scripts/
set -uo pipefail
top=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$top" 2>/dev/null || { echo "check-floors: no folder $top" >&2; exit 2; }
[ -f CMakeLists.txt ] || { echo "check-floors: no CMakeLists.txt in $top" >&2; exit 2; }

floors=(win board box files model shell)
present=()
for folder in "${floors[@]}"; do
  [ -d "$folder" ] && present+=("$folder")
done
files=()
[ ${#present[@]} -gt 0 ] &&
  mapfile -t files < <(find "${present[@]}" -type f \( -name '*.cpp' -o -name '*.h' \) | LC_ALL=C sort)

# One stream for one awk: the top CMakeLists.txt, the files, and every include line, each
# line tagged with where it came from: a grep per file would take a good part of a second,
# this takes milliseconds.
{
  sed 's/^/cmake /' CMakeLists.txt
  if [ ${#files[@]} -gt 0 ]; then
    printf 'file %s\n' "${files[@]}"
    { grep -HE '^[[:space:]]*#[[:space:]]*include' "${files[@]}" || true; } | sed 's/^/inc /'
  fi
} | awk -v floors="${floors[*]}" '
# mawk is the awk of a plain Debian: no gawk extensions here.
function top_folder(p) { return substr(p, 1, index(p, "/") - 1) }
function folder_of(p) { sub(/\/[^\/]*$/, "", p); return p }
function floor_of(p) { return core[p] ? 0 : floor_number[top_folder(p)] }
function describe(p,   n) { n = floor_of(p); return p " (floor " n ": " floor_name[n] ")" }
# Whether header h is core by its source: 1 or 0, or -1 when it has none. A source is
# h with .cpp, or failing that a per-system variant of it (new_puzzle_windows.cpp) with no
# header of its own: settings_dialog.h belongs to settings_dialog_windows.cpp, and stays on
# its folder floor with it.
function core_by_source(h,   stem, f, found) {
  stem = substr(h, 1, length(h) - 2)
  if ((stem ".cpp") in is_file) return (stem ".cpp") in core_source
  found = -1
  for (f in is_file) {
    if (index(f, stem "_") != 1 || f !~ /\.cpp$/) continue
    if (substr(f, length(stem) + 2) ~ /\//) continue
    if ((substr(f, 1, length(f) - 4) ".h") in is_file) continue
    if (f in core_source) return 1
    found = 0
  }
  return found
}
BEGIN {
  floor_name[0] = "core"
  n = split(floors, name_list, " ")
  for (i = 1; i <= n; i++) { floor_name[i] = name_list[i]; floor_number[name_list[i]] = i }
  # The Windows headers themselves; a header reaching any of them is not core.
  split("windows.h windowsx.h commctrl.h commdlg.h mmsystem.h shellapi.h shlobj.h shlwapi.h " \
        "wincodec.h objbase.h ole2.h", system_list, " ")
  for (i in system_list) windows_header[system_list[i]] = 1
}
$1 == "cmake" {
  line = substr($0, 7)
  sub(/#.*/, "", line)
  if (!block_seen && line ~ /add_library[ \t]*\([ \t]*quiltra_core([ \t)]|$)/) {
    block_seen = in_block = 1
    depth = 0
    line = substr(line, index(line, "add_library"))
  }
  if (in_block) {
    block = block " " line
    # The generator expression holds no parentheses, only $<...> and ${...}: both of its
    # sources are core, taken with every other .cpp of the block.
    depth += gsub(/\(/, "(", line) - gsub(/\)/, ")", line)
    if (depth <= 0) in_block = 0
  }
  next
}
$1 == "file" { is_file[$2] = 1; order[++file_count] = $2; next }
$1 == "inc" {
  rest = substr($0, 5)
  f = substr(rest, 1, index(rest, ":") - 1)
  line = substr(rest, index(rest, ":") + 1)
  if (match(line, /<[^>]*>/)) {
    if (tolower(substr(line, RSTART + 1, RLENGTH - 2)) in windows_header) reaches_windows[f] = 1
    next
  }
  if (!match(line, /"[^"]*"/)) next
  target = substr(line, RSTART + 1, RLENGTH - 2)
  # A bare name is found beside the file that includes it, as the compiler finds it.
  if (target !~ /\// && (folder_of(f) "/" target) in is_file) target = folder_of(f) "/" target
  # Only the floors are judged; resources/ and the generated headers stand apart from them.
  if (!(top_folder(target) in floor_number)) next
  includes[f, ++include_count[f]] = target
  wanted[target] = 1
  next
}
END {
  if (!block_seen) { print "check-floors: no add_library(quiltra_core ...) in CMakeLists.txt" > "/dev/stderr"; exit 2 }
  while (match(block, /[A-Za-z0-9_.\/+-]+\.cpp/)) {
    source = substr(block, RSTART, RLENGTH)
    block = substr(block, RSTART + RLENGTH)
    sub(/^(\.?\/)+/, "", source)
    core_source[source] = 1
  }
  for (f in is_file) wanted[f] = 1
  for (p in wanted) {
    if (p ~ /\.cpp$/) { core[p] = p in core_source; continue }
    by_source = core_by_source(p)
    if (by_source >= 0) { core[p] = by_source; continue }
    # Without a source it is core unless it reaches Windows, which is settled below.
    core[p] = (p in is_file) && !(p in reaches_windows)
    if (core[p]) header_only[p] = 1
  }
  # A header with no source is core only while everything it includes is, through any
  # number of headers: start from all of them core and strike out until nothing changes.
  do {
    changed = 0
    for (h in header_only) {
      if (!core[h]) continue
      for (i = 1; i <= include_count[h]; i++)
        if (!core[includes[h, i]]) { core[h] = 0; changed = 1; break }
    }
  } while (changed)

  for (k = 1; k <= file_count; k++) {
    f = order[k]
    for (i = 1; i <= include_count[f]; i++) {
      target = includes[f, i]
      if (core[target]) continue
      # Within a floor anything goes, but a core file has no floor of its own folder.
      if (!core[f] && top_folder(target) == top_folder(f)) continue
      if (floor_of(target) > floor_of(f)) { print describe(f) " includes " describe(target); upward++ }
    }
  }
  if (upward) {
    print "floors: " upward " upward includes in " file_count " files" > "/dev/stderr"
    exit 1
  }
  print "floors: " file_count " files checked, all includes run downward"
}'
