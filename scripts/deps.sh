#!/usr/bin/env bash
# Installs whatever the build and the tests need and is missing (Debian/apt).
set -euo pipefail
pkgs=(cmake ninja-build g++ clang libclang-rt-14-dev googletest g++-mingw-w64-x86-64 mingw-w64-tools
      wine64 xvfb xdotool imagemagick x11-utils fonts-ipafont procps xcompmgr faketime)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
