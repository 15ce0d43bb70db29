#!/usr/bin/env bash
# Installs what the build, the tests and the demo need on Debian 12.
# Idempotent: when every package is present it only runs dpkg-query.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-tidy clang-format
  wine64 wine
  wine32:i386
  xvfb xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils x11-utils
  xdotool imagemagick
  fonts-ipafont-gothic fonts-dejavu-core
  procps
  msitools wixl zip
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
# The 32-bit Rimfold.exe runs under Debian's 32-bit Wine, an i386 package.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
