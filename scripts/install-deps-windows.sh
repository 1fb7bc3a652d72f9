#!/usr/bin/env bash
# Installs the Debian packages of the Windows build and its test run: the MinGW-w64 compiler, Wine,
# NSIS, Xvfb, and icoutils for the program icons. Does nothing when all of them are present.
set -euo pipefail

packages=(g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 nsis xvfb xauth icoutils)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
