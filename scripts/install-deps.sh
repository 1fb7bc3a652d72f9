#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need.
# Does nothing when all of them are present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-qpa-plugins
  libqcustomplot-dev libqcustomplot2.1-qt6
  libgtest-dev libgmock-dev libbenchmark-dev
  libfftw3-dev
  clang libclang-rt-14-dev
  fonts-dejavu-core fonts-liberation2
  qt6-translations-l10n
  locales
  poppler-utils
  desktop-file-utils appstream shared-mime-info
  dpkg-dev file
)

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
