#!/usr/bin/env bash
# Installs what building and testing Quiltra needs on a Debian 12 machine.
# Safe to run again: it does nothing when everything is already there.
set -euo pipefail

# fonts-wine holds Marlett, which draws the title bars' buttons under Wine.
packages=(cmake make g++ googletest libgtest-dev clang libclang-rt-14-dev
          g++-mingw-w64-i686 mingw-w64-tools
          wine wine32:i386 xvfb xauth
          locales fonts-ipafont-gothic fonts-ipafont-mincho fonts-wine
          python3 imagemagick zip unzip)

sudo_() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  sudo_ dpkg --add-architecture i386
  missing=(update)
fi
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  sudo_ apt-get update -qq
  sudo_ apt-get install -y -qq --no-install-recommends "${packages[@]}" >/dev/null
fi

# Wine takes its ANSI code page from the locale, so Japanese must be generated.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "setup: generating ja_JP.UTF-8"
  sudo_ sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | sudo_ tee -a /etc/locale.gen >/dev/null
  sudo_ locale-gen >/dev/null
fi
