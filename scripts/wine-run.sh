#!/usr/bin/env bash
# Runs a program of the Windows build under Wine, with the kit's libraries (Qt, QCustomPlot, FFTW)
# and the MinGW runtime on its path: wine-run.sh KIT PROGRAM.exe [ARGUMENTS...]
# The caller gives WINEPREFIX and DISPLAY (scripts/windows-test.sh: one prefix per run, under Xvfb).
set -euo pipefail
kit=$1
shift
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
paths=("$kit/qt6/bin" "$kit/deps/bin" "$runtime" /usr/x86_64-w64-mingw32/lib)
WINEPATH=""
for p in "${paths[@]}"; do
  WINEPATH+="$(windows_path "$p");"
done
export WINEPATH
export QT_PLUGIN_PATH
QT_PLUGIN_PATH=$(windows_path "$kit/qt6/plugins")
export WINEDEBUG=${WINEDEBUG:--all}
exec wine "$@"
