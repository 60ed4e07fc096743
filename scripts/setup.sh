#!/usr/bin/env bash
# Installs what building and testing Quiltra needs on a Debian 12 machine.
# Safe to run again: it does nothing when everything is already there.
set -euo pipefail

# fonts-wine holds Marlett, which draws the title bars' buttons under Wine. libx11-dev
# builds the native X client that drops files on the program's window; debootstrap makes
# the second bench's Debian 13 root.
packages=(cmake make g++ googletest libgtest-dev clang libclang-rt-14-dev
          g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools
          wine wine64 wine32:i386 xvfb xauth libx11-dev debootstrap
          locales fonts-ipafont-gothic fonts-ipafont-mincho fonts-wine
          python3 imagemagick zip unzip)

sudo_() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

# A package mirror caught in the middle of its sync serves one index with the wrong
# size, and apt-get update fails; the packages usually still install from the other
# indexes, so a failed update is tried again after a pause and then tolerated.
update_tries=${QUILTRA_APT_TRIES:-3}
update_pause=${QUILTRA_APT_PAUSE:-15}
update_indexes() {
  local try
  for ((try = 1; try <= update_tries; try++)); do
    sudo_ apt-get update -qq && return 0
    if [ "$try" -lt "$update_tries" ]; then
      echo "setup: apt-get update failed; trying again in ${update_pause} s"
      sleep "$update_pause"
    fi
  done
  return 1
}

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  sudo_ dpkg --add-architecture i386
  missing=(update)
fi
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  indexes_ok=yes
  update_indexes || indexes_ok=no
  install() { sudo_ apt-get install -y -qq --no-install-recommends "$@" "${packages[@]}" >/dev/null; }
  # Without one suite's index for one architecture, apt cannot pair the i386 and amd64
  # versions of the multi-arch libraries; the release's own suite still pairs them.
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
  if ! install && { [ "$indexes_ok" = yes ] || ! install -t "$codename"; }; then
    failed=()
    for p in "${packages[@]}"; do
      installed "$p" || failed+=("$p")
    done
    echo "setup: apt-get install failed; not installed: ${failed[*]:-(none, see the messages above)}" >&2
    [ "$indexes_ok" = yes ] ||
      echo "setup: a package index failed to download; a package mirror may be in the middle of an update, so try again in a few minutes" >&2
    exit 1
  fi
  [ "$indexes_ok" = yes ] ||
    echo "setup: warning: a package index failed to download; the packages installed from the others"
fi

# Wine takes its ANSI code page from the locale, so the bench's locales must be generated:
# Japanese (code page 932) and, for the second bench, English (code page 1252).
for wanted in ja_JP en_US; do
  if ! locale -a 2>/dev/null | grep -qi "^$wanted\.utf-\?8$"; then
    echo "setup: generating $wanted.UTF-8"
    sudo_ sed -i "s/^# *\($wanted.UTF-8 UTF-8\)/\1/" /etc/locale.gen
    grep -q "^$wanted.UTF-8 UTF-8" /etc/locale.gen || echo "$wanted.UTF-8 UTF-8" | sudo_ tee -a /etc/locale.gen >/dev/null
    sudo_ locale-gen >/dev/null
  fi
done

# Where the kernel runs no 32-bit code, the x86 build is played under 32-bit Wine in qemu's
# user-mode emulator. Bookworm's own qemu (7.2) cannot run Wine, so qemu-i386 comes from
# the release's backports (10.x), fetched through a private apt state from the machine's
# own Debian mirror: the machine's sources and packages stay as they are.
qemu_dir=/usr/local/lib/quiltra
qemu_wanted='version 1[0-9]\.'
. "$(dirname "$0")/debian-mirror.sh"
install_qemu() {
  local mirror work apt_options
  mirror=$(debian_mirror "$codename" | head -n 1)
  if [ -z "$mirror" ]; then
    echo "setup: no Debian source for $codename in apt's sources; the x86 build cannot be emulated" >&2
    return 1
  fi
  echo "setup: fetching qemu-i386 from $codename-backports (this kernel runs no 32-bit code)"
  work=$(mktemp -d)
  mkdir -p "$work/lists/partial" "$work/cache/archives/partial"
  echo "deb [arch=amd64 signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror $codename-backports main" \
    >"$work/sources.list"
  apt_options=(-o "Dir::Etc::SourceList=$work/sources.list" -o "Dir::Etc::SourceParts=$work/none"
               -o "Dir::State::Lists=$work/lists" -o "Dir::Cache=$work/cache" -qq)
  if (cd "$work" && apt-get "${apt_options[@]}" update && apt-get "${apt_options[@]}" download qemu-user) \
       >"$work/log" 2>&1 && dpkg-deb -x "$work"/qemu-user_*.deb "$work/unpacked"; then
    sudo_ mkdir -p "$qemu_dir"
    sudo_ install -m 755 "$work/unpacked/usr/bin/qemu-i386" "$qemu_dir/qemu-i386"
  else
    cat "$work/log" >&2
    echo "setup: qemu-user could not be fetched from $codename-backports" >&2
  fi
  rm -rf "$work"
}
codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
if [ "$(QUILTRA_I386_EMULATION=false "$(dirname "$0")/x86-mode.sh" | head -n 1)" != native ] &&
   ! { "$qemu_dir/qemu-i386" --version 2>/dev/null | grep -q "$qemu_wanted"; }; then
  install_qemu || true
fi
