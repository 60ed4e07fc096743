# shellcheck shell=bash
# The machine's own Debian mirror, read from apt's sources (the deb822 files under
# /etc/apt/sources.list.d/, then the classic sources.list), so that no script names a
# mirror host and a machine with another mirror keeps it. Sourced:
#   . scripts/debian-mirror.sh
#   debian_mirror [SUITE]   prints the URI of every source that serves SUITE (the
#                           machine's own release unless named), the first one first
debian_mirror() {
  local suite=${1:-$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")} f
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    awk -v suite="$suite" '
      /^[[:space:]]*$/ { if (uri != "" && found && !done) { print uri; done = 1 } uri = ""; found = 0; next }
      tolower($1) == "uris:" { uri = $2 }
      tolower($1) == "suites:" { for (i = 2; i <= NF; i++) if ($i == suite) found = 1 }
      END { if (uri != "" && found && !done) print uri }' "$f"
  done
  [ -f /etc/apt/sources.list ] && awk -v suite="$suite" '
    $1 == "deb" { n = 0
      for (i = 2; i <= NF; i++) { if ($i ~ /^\[/) { while ($i !~ /\]$/ && i < NF) i++; continue } w[++n] = $i }
      if (n >= 2 && w[2] == suite) print w[1] }' /etc/apt/sources.list
  return 0
}
