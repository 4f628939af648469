#!/usr/bin/env bash
# setup.sh: installs with apt-get what the builds and tests need, when missing.
set -euo pipefail

native=(cmake g++ ninja-build pkg-config libexpat1-dev zlib1g-dev libgtest-dev libgtk-3-dev)
windows=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix libz-mingw-w64-dev dpkg-dev
         debian-archive-keyring wine wine32:i386 wine64 xvfb xauth imagemagick xdotool)

missing=()
for pkg in "${native[@]}" "${windows[@]}"; do
  dpkg -s "$pkg" >/dev/null 2>&1 || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "setup: these packages are missing, run as root to install them: ${missing[*]}" >&2
  exit 1
fi
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
