#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test the project:
# the 32-bit mingw-w64 cross compiler, Wine with its 32-bit part, Xvfb, wixl,
# GoogleTest's sources, fonts and ImageMagick (for screenshots), and the German locale
# (the whole-wizard test runs Setup on a German Windows, whose language Wine takes from it).
# Safe to run again: it only installs what is missing.
set -euo pipefail

packages=(g++-mingw-w64-i686 binutils-mingw-w64-i686 cmake make wine wine32:i386 wine64
          xvfb xauth x11-utils wixl msitools googletest fonts-liberation imagemagick locales)

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

is_installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi

missing=()
for p in "${packages[@]}"; do is_installed "$p" || missing+=("$p"); done
if [ ${#missing[@]} -gt 0 ]; then
  # A mirror caught mid-sync fails an index for a while: try again, then go on
  # with the lists there are (the install fails by itself if one it needs is missing).
  # With one architecture's list of a suite missing, that suite's newer versions exist
  # for the other architecture alone, and the two halves of Wine need the same ones:
  # the release's own versions are then preferred.
  release=(-o "APT::Default-Release=$(. /etc/os-release && echo "$VERSION_CODENAME")")
  for try in 1 2 3 4 5 6; do
    if $sudo apt-get update -q; then release=(); break; fi
    echo "install-deps: package lists incomplete (try $try); again in 30 s" >&2
    sleep 30
  done
  $sudo apt-get install -y -q --no-install-recommends "${release[@]}" "${missing[@]}"
fi

if ! locale -a | grep -qix 'de_DE.utf-\?8'; then
  $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi

# Some virtual machines cannot run 32-bit x86 code natively. There Wine's 32-bit
# half runs under qemu's user-mode emulation, registered for i386 executables.
# It needs qemu 8 or later (older ones make every Wine start take about a minute).
"$(dirname "$0")/enable-i386-emulation.sh"
