#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need.
# Does nothing when all of them are present (install-packages.sh).
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

bash "$(dirname "$0")/install-packages.sh" "${packages[@]}"
