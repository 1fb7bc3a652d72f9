#!/usr/bin/env bash
# The Windows build, made on Linux: windows-build.sh HOST_BUILD OUT JOBS [all]
#   HOST_BUILD  a Linux build folder of this tree (configured as Release when it is missing); its help
#               PDFs and icons are taken as they are, since the tools that make them run on Linux
#   OUT         the cross build folder; the program folder is OUT/Vibrix4, the installer
#               OUT/vibrix4-4.0.0-setup.exe
#   all         build the test programs too (make test-windows)
# The MinGW-w64 kit comes from ../shared/windows beside the clone, unpacked into build/ once.
set -euo pipefail
cd "$(dirname "$0")/.."
host=$1
out=$2
jobs=$3
what=${4:-programs}

archive=../shared/windows/vibrix4-mingw64-kit.tar.xz
if [ ! -f "$archive" ]; then
  echo "make windows: the MinGW-w64 kit is missing: $(realpath -m "$archive")" >&2
  echo "  The Windows build needs ../shared/windows/ beside this clone (ln -s the shared folder there)." >&2
  exit 2
fi

# The kit, unpacked again only when the archive changes.
kit_parent=$(dirname "$out")
kit=$kit_parent/vibrix4-mingw64-kit
stamp=$kit_parent/.vibrix4-mingw64-kit.stamp
if [ ! -f "$kit/toolchain.cmake" ] || [ "$(cat "$stamp" 2>/dev/null)" != "$(stat -c %s-%Y "$archive")" ]; then
  rm -rf "$kit"
  mkdir -p "$kit_parent"
  tar -xJf "$archive" -C "$kit_parent"
  stat -c %s-%Y "$archive" > "$stamp"
fi

# What the Windows build takes from Linux: the help PDFs (with their window pictures) and the icons.
if [ ! -f "$host/CMakeCache.txt" ]; then
  cmake -S . -B "$host" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVX_TESTS=OFF -DVX_BENCH=OFF
fi
cmake --build "$host" -j "$jobs" --target help_pdfs icons ssmgen vibrix-cli tracebuilder-cli

cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVX_BENCH=OFF \
  -DCMAKE_TOOLCHAIN_FILE="$(realpath "$kit")/toolchain.cmake" -DVX_HOST_BUILD="$(realpath "$host")"
if [ "$what" = all ]; then
  cmake --build "$out" -j "$jobs"
else
  cmake --build "$out" -j "$jobs" --target vibrix tracebuilder vibrix-cli tracebuilder-cli
fi

# The program folder, and its installer.
rm -rf "$out/Vibrix4"
cmake --install "$out" --prefix "$out/Vibrix4" > /dev/null
bash packaging/windows/make-installer.sh "$out/Vibrix4" "$out/vibrix4-4.0.0-setup.exe" "$out/packaging/windows/icons"
echo "Program folder: $out/Vibrix4"
echo "Installer:      $out/vibrix4-4.0.0-setup.exe"
