#!/usr/bin/env bash
# Installs the Debian packages of the Windows build and its test run: the MinGW-w64 compiler, Wine,
# NSIS, Xvfb, and icoutils for the program icons. Does nothing when all of them are present.
set -euo pipefail

packages=(g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 nsis xvfb xauth icoutils)

bash "$(dirname "$0")/install-packages.sh" "${packages[@]}"
