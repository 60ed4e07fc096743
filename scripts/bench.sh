#!/usr/bin/env bash
# The Wine bench: Xvfb on a free display, a private Wine prefix inside the build folder
# (32-bit for the x86 build, 64-bit for the x64 one) with a 1280x800 virtual desktop, and a
# Japanese locale.
#   bench.sh start BUILD_DIR   start it (reuses a running one); prints nothing on success
#   bench.sh stop BUILD_DIR    end what start started, by process id
#   bench.sh env BUILD_DIR     print the environment for Wine programs (to eval)
set -euo pipefail

command=${1:?usage: bench.sh start|stop|env BUILD_DIR}
build=$(cd "${2:?usage: bench.sh start|stop|env BUILD_DIR}" && pwd)
state=$build/bench
mkdir -p "$state"

# Debian's wine wrapper picks the 32-bit loader whenever 32-bit Wine is installed, even
# where the kernel cannot run it, so each build names its loader and server itself; the
# 64-bit server serves 32-bit programs as well. WINE is the loader our scripts start.
arch=$(cat "$build/wine-arch" 2>/dev/null || echo win32)
case $arch in
  win64) loader=/usr/lib/wine/wine64 ;;
  *) loader=/usr/lib/wine/wine ;;
esac

wine_env() {
  cat <<ENV
export WINEPREFIX='$build/wineprefix'
export WINEARCH=$arch
export WINELOADER=$loader
export WINE=$loader
export WINESERVER=/usr/lib/wine/wineserver64
export WINEDEBUG="\${WINEDEBUG:--all}"
export WINEDLLOVERRIDES='mscoree,mshtml=;winepulse.drv,winegstreamer=d'
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
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

case $command in
  start)
    xvfb_alive || start_xvfb
    eval "$(wine_env)"
    "$(dirname "$0")/wine-prefix.sh"
    ;;
  stop)
    if [ -f "$state/display" ]; then
      eval "$(wine_env)"
      # A server that no longer answers must not keep the caller waiting.
      timeout -k 5 30 "$WINESERVER" -k 2>/dev/null || true
    fi
    if xvfb_alive; then kill "$(cat "$state/xvfb.pid")"; fi
    rm -f "$state/xvfb.pid" "$state/display"
    ;;
  env)
    wine_env
    ;;
  *)
    echo "usage: bench.sh start|stop|env BUILD_DIR" >&2
    exit 2
    ;;
esac
