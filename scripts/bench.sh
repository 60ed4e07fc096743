#!/usr/bin/env bash
# The Wine bench: Xvfb on a free display, a private Wine prefix inside the build folder
# (32-bit for the x86 build, 64-bit for the x64 one) with a 1280x800 virtual desktop, and a
# Japanese locale (code page 932). With --codepage 1252 a second bench of the same build: an
# English locale, its own prefix (wineprefix-1252) and its own display, so that neither
# bench's virtual desktop covers the other's windows.
#   bench.sh start BUILD_DIR [--codepage 1252]  start it (reuses a running one); prints
#                                                nothing on success
#   bench.sh stop BUILD_DIR [--codepage 1252]   end what start started, by process id; with
#                                                no code page, every bench of the build
#   bench.sh env BUILD_DIR [--codepage 1252]    print the environment for Wine programs (to eval)
set -euo pipefail

usage="usage: bench.sh start|stop|env BUILD_DIR [--codepage 932|1252]"
command=${1:?$usage}
build=$(cd "${2:?$usage}" && pwd)
codepages=(932 1252)
case "${3:-}" in
  '') [ "$command" = stop ] || codepages=(932) ;;
  --codepage)
    case "${4:-}" in
      932 | 1252) codepages=("$4") ;;
      *) echo "$usage" >&2; exit 2 ;;
    esac
    ;;
  *) echo "$usage" >&2; exit 2 ;;
esac

# Debian's wine wrapper picks the 32-bit loader whenever 32-bit Wine is installed, even
# where the kernel cannot run it, so each build names its loader and server itself; the
# 64-bit server serves 32-bit programs as well. WINE is the loader our scripts start.
arch=$(cat "$build/wine-arch" 2>/dev/null || echo win32)
case $arch in
  win64) loader=/usr/lib/wine/wine64 ;;
  *) loader=/usr/lib/wine/wine ;;
esac

# Wine takes the ANSI code page from the locale when it makes a prefix and starts a program.
select_bench() {
  case $1 in
    932) state=$build/bench prefix=$build/wineprefix locale=ja_JP.UTF-8 ;;
    1252) state=$build/bench-1252 prefix=$build/wineprefix-1252 locale=en_US.UTF-8 ;;
  esac
}

wine_env() {
  cat <<ENV
export WINEPREFIX='$prefix'
export WINEARCH=$arch
export WINELOADER=$loader
export WINE=$loader
export WINESERVER=/usr/lib/wine/wineserver64
export WINEDEBUG="\${WINEDEBUG:--all}"
export WINEDLLOVERRIDES='mscoree,mshtml=;winepulse.drv,winegstreamer=d'
export LANG=$locale
export LC_ALL=$locale
export DISPLAY=':$(cat "$state/display" 2>/dev/null || echo 0)'
ENV
}

xvfb_alive() {
  [ -f "$state/xvfb.pid" ] && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null
}

# Xvfb picks a free display itself (-displayfd) and names it once it listens: a display
# whose lock file is out of sight, in another container, is still skipped.
start_xvfb() {
  rm -f "$state/display"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$state/display.new" \
    </dev/null >"$state/xvfb.log" 2>&1 &
  echo $! >"$state/xvfb.pid"
  for _ in $(seq 100); do
    if [ -s "$state/display.new" ]; then
      tr -dc '0-9' <"$state/display.new" >"$state/display"
      rm -f "$state/display.new"
      return 0
    fi
    xvfb_alive || break
    sleep 0.1
  done
  echo "bench: Xvfb did not start" >&2
  cat "$state/xvfb.log" >&2
  return 1
}

for codepage in "${codepages[@]}"; do
  select_bench "$codepage"
  case $command in
    start)
      mkdir -p "$state"
      xvfb_alive || start_xvfb
      (
        eval "$(wine_env)"
        "$(dirname "$0")/wine-prefix.sh"
      )
      ;;
    stop)
      if [ -f "$state/display" ]; then
        (
          eval "$(wine_env)"
          # A server that no longer answers must not keep the caller waiting.
          timeout -k 5 30 "$WINESERVER" -k 2>/dev/null || true
        )
      fi
      if xvfb_alive; then kill "$(cat "$state/xvfb.pid")"; fi
      rm -f "$state/xvfb.pid" "$state/display"
      ;;
    env)
      wine_env
      ;;
    *)
      echo "$usage" >&2
      exit 2
      ;;
  esac
done
