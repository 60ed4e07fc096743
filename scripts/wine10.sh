#!/usr/bin/env bash
# A second bench: Wine 10 of Debian 13 (trixie) beside the machine's own Wine 8, so that a
# build's Windows-side tests can be run under the Wine that newer systems ship, with nothing
# on the machine itself upgraded.
#   wine10.sh root                       make the Debian 13 root (once) and print where it is
#   wine10.sh run BUILD_DIR COMMAND...   run COMMAND inside that root for one build folder,
#                                        e.g. wine10.sh run build/win64 ctest --test-dir
#                                        "$PWD/build/win64" --output-on-failure
# The first line of a run names the Wine that runs the build. A run makes the root when it is
# not there yet: a minute or more and 2.2 GB, in QUILTRA_WINE10_ROOT (/var/cache/quiltra/
# trixie-root unless set), outside every checkout and kept for later runs.
#
# A run lives in private mount and process namespaces and leaves nothing behind: when the
# command ends, every process it started ends (Xvfb and the Wine server too), and every
# mount goes with the namespace. Inside, the checkout and the build folder appear at their
# own absolute paths (CTest's files name them), the checkout read-only and the build folder
# writable; the root itself is read-only, /tmp, /run, /root and /dev/shm are empty and
# private. Wine 10 would upgrade a Wine 8 prefix in place, so every prefix and bench folder
# of the build (wineprefix*, bench*) is covered by its own Wine-10 twin in BUILD/wine10/:
# scripts/bench.sh runs unchanged and each Wine keeps its own prefix. One made under a new
# name during a run is moved there afterwards.
#
# Debian 13's CMake (3.31) would reconfigure a tree made by the machine's own (3.25), and
# rebuild it without the compilers, which live on the machine only. Inside the root `cmake`
# is therefore the machine's own, run in a read-only view of the machine in which only the
# build folder is writable: a test that builds (the package test) builds as on the machine,
# and only what runs under Wine runs under Wine 10. CTest itself is the root's.
#
# The x86 build needs 32-bit Wine, which runs only where the kernel runs 32-bit code
# (scripts/x86-mode.sh says "native"); elsewhere a run of it fails with status 126.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=${QUILTRA_WINE10_ROOT:-/var/cache/quiltra/trixie-root}
suite=trixie
# Seconds one step of the root's making may take (a download from a slow mirror included).
limit=${QUILTRA_WINE10_STEP_LIMIT:-900}
tries=${QUILTRA_APT_TRIES:-3}
pause=${QUILTRA_APT_PAUSE:-15}

# What the bench and the tests use inside the root: Wine of both widths, the X server, the
# Japanese fonts, and the tools the test scripts call.
packages=(wine wine64 wine32:i386 xvfb xauth x11-utils imagemagick
          fonts-ipafont-gothic fonts-ipafont-mincho fonts-wine locales
          cmake make python3 zip unzip procps)
locales=(ja_JP.UTF-8 en_US.UTF-8)
# A root made from another list is made again.
recipe="debian=$suite packages=${packages[*]} locales=${locales[*]}"
marker=.quiltra-root

usage() {
  echo "usage: wine10.sh root | run BUILD_DIR COMMAND [ARGS...]" >&2
  exit 2
}

say() { echo "wine10: $*" >&2; }

# Runs COMMAND chrooted in ROOT with /proc, /sys and /dev, in a mount namespace of its own,
# so that nothing stays mounted when it ends, however it ends.
in_root() {
  local dir=$1
  shift
  timeout -k 10 "$limit" unshare --mount --pid --fork --kill-child bash -c '
    set -e
    r=$1
    shift
    mount -t proc proc "$r/proc"
    mount --bind /sys "$r/sys"
    mount --bind /dev "$r/dev"
    mount --bind /dev/pts "$r/dev/pts"
    mount -t tmpfs -o mode=1777 tmpfs "$r/dev/shm"
    exec chroot "$r" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
      HOME=/root DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8 "$@"' in-root "$dir" "$@"
}

# A mirror in the middle of its sync serves an index of the wrong size now and then, so
# an apt step that fails is tried again after a pause, as scripts/setup.sh does.
retried() {
  local try
  for ((try = 1; try <= tries; try++)); do
    "$@" && return 0
    if [ "$try" -lt "$tries" ]; then
      say "'$*' failed (try $try of $tries); trying again in $pause s"
      sleep "$pause"
    fi
  done
  return 1
}

root_ready() { [ "$(cat "$root/$marker" 2>/dev/null)" = "$recipe" ]; }

# Makes the root in a folder beside it and renames it only when it is whole: a root that was
# cut short is never used, and is made again by the next run.
make_root() {
  local partial=$root.partial log=$root.log mirror start
  start=$(date +%s)
  command -v debootstrap >/dev/null || { say "debootstrap is missing: run scripts/setup.sh"; return 1; }
  . "$here/debian-mirror.sh"
  mirror=$(debian_mirror | head -n 1)
  if [ -z "$mirror" ]; then
    say "apt's sources name no Debian mirror for this machine's release"
    return 1
  fi
  say "making the Debian 13 root in $root (once, a minute or more)"
  rm -rf --one-file-system "$partial"
  : >"$log"
  first_stage() {
    rm -rf --one-file-system "$partial"
    timeout -k 10 "$limit" unshare --mount debootstrap --variant=minbase --arch=amd64 \
      "$suite" "$partial" "$mirror" >>"$log" 2>&1
  }
  if ! retried first_stage; then
    tail -n 20 "$log" >&2
    say "debootstrap failed; its log is $log"
    return 1
  fi
  say "debootstrap: $(($(date +%s) - start)) s"
  # The root serves tests, not people: no manuals, no services started by packages.
  printf '%s\n' 'path-exclude=/usr/share/doc/*' 'path-include=/usr/share/doc/*/copyright' \
    'path-exclude=/usr/share/man/*' 'path-exclude=/usr/share/info/*' \
    >"$partial/etc/dpkg/dpkg.cfg.d/quiltra-no-docs"
  printf '#!/bin/sh\nexit 101\n' >"$partial/usr/sbin/policy-rc.d"
  chmod 755 "$partial/usr/sbin/policy-rc.d"
  in_root "$partial" dpkg --add-architecture i386
  install_packages() {
    in_root "$partial" apt-get update -qq >>"$log" 2>&1 &&
      in_root "$partial" apt-get install -y -qq --no-install-recommends "${packages[@]}" >>"$log" 2>&1
  }
  if ! retried install_packages; then
    tail -n 20 "$log" >&2
    say "the packages could not be installed in the root; the log is $log"
    return 1
  fi
  say "packages: $(($(date +%s) - start)) s"
  local l
  for l in "${locales[@]}"; do
    sed -i "s/^# *\($l UTF-8\)/\1/" "$partial/etc/locale.gen"
    grep -q "^$l UTF-8" "$partial/etc/locale.gen" || echo "$l UTF-8" >>"$partial/etc/locale.gen"
  done
  in_root "$partial" locale-gen >>"$log" 2>&1
  in_root "$partial" apt-get clean
  rm -rf "$partial"/var/lib/apt/lists/*
  printf '%s' "$recipe" >"$partial/$marker"
  rm -rf --one-file-system "$root"
  mv "$partial" "$root"
  say "the root was made in $(($(date +%s) - start)) s: $(du -sh --one-file-system "$root" | cut -f1)"
}

# The root is made under an exclusive lock and used under a shared one, so that no run
# finds it half made and no making removes it under a run.
lock_root() {
  mkdir -p "$(dirname "$root")"
  exec 9>"$root.lock"
  flock -w 3600 9 || { say "another run has held $root.lock for an hour"; exit 1; }
  root_ready || make_root || exit 1
  flock -s 9
}

# ---- inside the namespaces: the mounts, the command, and the clearing up ----
# The bench's folders: its prefix and its state, and those of prefixes for other code pages
# (wineprefix-1252, bench-1252 and the like).
wine_folder() {
  case $1 in
    wineprefix | wineprefix[-_.]* | bench | bench[-_.]*) return 0 ;;
    *) return 1 ;;
  esac
}

inside() {
  local build=$1 src=$2 cwd=$3
  shift 3
  local r=$root host=$root/run/quiltra/host
  local -a names=() before=()
  local name

  mount --make-rprivate /
  # The root is read-only to the run; its mount points are made before that.
  mount --bind "$r" "$r"
  mount -t proc proc "$r/proc"
  mount --bind /sys "$r/sys"
  mount -o remount,bind,ro "$r/sys"
  mount --bind /dev "$r/dev"
  mount --bind /dev/pts "$r/dev/pts"
  local d
  for d in /dev/shm /tmp /root /var/tmp; do
    mount -t tmpfs -o mode=1777 tmpfs "$r$d"
  done
  chmod 700 "$r/root"
  mount -t tmpfs -o mode=755 tmpfs "$r/run"

  mkdir -p "$r$src"
  mount --bind "$src" "$r$src"
  mount -o remount,bind,ro "$r$src"
  [ -d "$r$build" ] || mkdir -p "$r$build"
  mount --bind "$build" "$r$build"

  # Each Wine keeps its own prefixes: every prefix and bench folder of the build, and those
  # an earlier run made, are covered by Wine-10 folders of the same names.
  mkdir -p "$build/wine10"
  for d in "$build"/* "$build"/wine10/*; do
    if [ -d "$d" ] && wine_folder "$(basename "$d")"; then
      before+=("$(basename "$d")")
    fi
  done
  mapfile -t names < <(printf '%s\n' wineprefix bench "${before[@]}" | sort -u)
  for name in "${names[@]}"; do
    mkdir -p "$build/wine10/$name" "$build/$name"
    mount --bind "$build/wine10/$name" "$r$build/$name"
  done

  # The machine as it is, read-only but for the build folder, for its own CMake.
  mkdir -p "$host"
  mount --bind / "$host"
  mount -o remount,bind,ro "$host"
  mount --bind "$r/proc" "$host/proc"
  mount --bind /dev "$host/dev"
  mount --bind "$r/tmp" "$host/tmp"
  [ -d "$host$src" ] || mkdir -p "$host$src"
  mount --bind "$src" "$host$src"
  mount -o remount,bind,ro "$host$src"
  mount --bind "$build" "$host$build"
  local cmake cmake_root
  cmake=$(sed -n 's/^CMAKE_COMMAND:INTERNAL=//p' "$build/CMakeCache.txt" 2>/dev/null)
  cmake=${cmake:-/usr/bin/cmake}
  mkdir -p "$r/run/quiltra/bin"
  cat >"$r/run/quiltra/bin/cmake" <<WRAPPER
#!/bin/sh
# The CMake that made this build tree, on the machine it belongs to (see scripts/wine10.sh).
exec chroot /run/quiltra/host /usr/bin/env -C "\$(pwd)" '$cmake' "\$@"
WRAPPER
  chmod 755 "$r/run/quiltra/bin/cmake"
  mount --bind "$r/run/quiltra/bin/cmake" "$r/usr/bin/cmake"
  # CTest reads the tree's test files, which may include scripts of the CMake that wrote
  # them by their absolute path.
  cmake_root=$(sed -n 's/^CMAKE_ROOT:INTERNAL=//p' "$build/CMakeCache.txt" 2>/dev/null)
  if [ -n "$cmake_root" ] && [ -d "$cmake_root" ] && [ ! -d "$r$cmake_root/Modules" ]; then
    mkdir -p "$r$cmake_root"
    mount --bind "$cmake_root" "$r$cmake_root"
    mount -o remount,bind,ro "$r$cmake_root"
  fi
  mount -o remount,bind,ro "$r"

  local arch loader version
  arch=$(cat "$build/wine-arch" 2>/dev/null || echo win32)
  case $arch in
    win64) loader=/usr/lib/wine/wine64 ;;
    *) loader=/usr/lib/wine/wine ;;
  esac
  local -a environment=(PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
                        HOME=/root USER=root LOGNAME=root LANG=ja_JP.UTF-8 TERM="${TERM:-dumb}")
  local v
  while IFS= read -r v; do
    case $v in QUILTRA_*=* | CTEST_*=* | WINEDEBUG=* | CI=*) environment+=("$v") ;; esac
  done < <(env)
  [ -d "$r$cwd" ] || cwd=$build
  set +e
  version=$(chroot "$r" "$loader" --version 2>&1)
  local status=$?
  if [ $status -ne 0 ]; then
    if [ "$arch" = win32 ] && [ $status -eq 126 ]; then
      say "the x86 build needs 32-bit Wine, and this kernel runs no 32-bit code"
    else
      say "$loader --version failed in the root ($status): $version"
    fi
    exit 126
  fi
  echo "wine10: $version, $(. "$r/etc/os-release" && echo "$PRETTY_NAME") in $r; $build ($arch, $loader)"
  chroot "$r" /usr/bin/env -i "${environment[@]}" bash -c 'cd "$1" && shift && exec "$@"' \
    wine10 "$cwd" "$@"
  status=$?

  # The benches' Wine servers and Xvfb (bench.sh stop ends every bench of the build), then
  # whatever else the command left running.
  local running=("$build"/wine10/bench*/display)
  if [ -f "${running[0]}" ]; then
    chroot "$r" /usr/bin/env -i "${environment[@]}" "$src/scripts/bench.sh" stop "$build" \
      >/dev/null 2>&1
  fi
  kill -TERM -1 2>/dev/null
  local -a left
  for _ in $(seq 20); do
    left=("$r"/proc/[0-9]*)
    [ ${#left[@]} -le 1 ] && break
    sleep 0.25
  done
  kill -KILL -1 2>/dev/null
  wait 2>/dev/null

  # A prefix or bench folder the run made under a new name is Wine 10's.
  for d in "$build"/*; do
    name=$(basename "$d")
    [ -d "$d" ] && wine_folder "$name" && ! printf '%s\n' "${names[@]}" | grep -qxF "$name" ||
      continue
    if [ -e "$build/wine10/$name" ]; then
      say "$d was made under Wine 10, and $build/wine10/$name is there already: left as it is"
    else
      mv "$d" "$build/wine10/$name"
      say "$name, made under Wine 10, is kept in $build/wine10/"
    fi
  done
  exit $status
}

# All of it is read before any of it runs, so that a run outlives an edit of this file.
main() {
  [ $# -ge 1 ] || usage
  if [ "$(id -u)" -ne 0 ]; then
    exec sudo --preserve-env "$0" "$@"
  fi
  case $1 in
    root)
      lock_root
      echo "$root"
      ;;
    run)
      [ $# -ge 3 ] || usage
      build=$(cd "$2" && pwd -P)
      shift 2
      # The source folder the build was made from: CTest's files name its scripts.
      src=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$build/CMakeCache.txt" 2>/dev/null)
      src=${src:-$(cd "$here/.." && pwd -P)}
      lock_root
      # Two runs of one build would each start a Wine server of their own (each has its own
      # /tmp) on the same prefix, so the second waits for the first.
      mkdir -p "$build/wine10"
      exec 8>"$build/wine10/.run-lock"
      if ! flock -n 8; then
        say "another Wine 10 run of $build is going on: waiting for it"
        flock -w 3600 8 || { say "it has gone on for an hour"; exit 1; }
      fi
      # The locks are held by this script alone, not by what the command starts.
      unshare --mount --pid --fork --kill-child "$here/wine10.sh" __inside "$build" "$src" "$PWD" "$@" \
        8>&- 9>&-
      ;;
    __inside)
      shift
      inside "$@"
      ;;
    *) usage ;;
  esac
}
main "$@"
exit
