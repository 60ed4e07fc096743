#!/usr/bin/env bash
# Names the tests in a ctest log (run with --repeat until-pass) that failed first and
# passed when run again, in one line, so that a retry never hides a failure:
#   retried_tests.sh LOG
set -euo pipefail
awk '
  / Test +#[0-9]+: / {
    line = $0
    sub(/.* Test +#[0-9]+: /, "", line)
    split(line, words, " ")
    name = words[1]
    if (line ~ / Passed +[0-9.]+ sec$/) {
      if (name in failed && !(name in retried)) {
        retried[name] = 1
        names = names (names == "" ? "" : " ") name
      }
    } else {
      failed[name] = 1
    }
  }
  END { print "Windows-side tests that passed only when run again: " (names == "" ? "none" : names) }
' "$1"
