#!/usr/bin/env bash
# Opens vibrix on a freshly made demo project. Without a display it says so and runs the
# batch demo instead, so that the command still ends well on a server.
set -euo pipefail
build=$1
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "no display (neither DISPLAY nor WAYLAND_DISPLAY is set): running the batch demo instead"
  QT_QPA_PLATFORM=offscreen exec bash "$(dirname "$0")/demo.sh" "$build"
fi
out="$build/demo-window"
rm -rf "$out"
mkdir -p "$out"
"$build/tools/ssmgen/ssmgen" demo "$out/ssm" > /dev/null
QT_QPA_PLATFORM=offscreen "$build/cli/vibrix-cli" import "$out/demo.cdsm" "$out/ssm"
bash "$(dirname "$0")/demo-lengths.sh" "$build/cli/vibrix-cli" "$out/demo.cdsm" "$out/ssm/truth.json"
echo "opening $out/demo.cdsm"
exec "$build/vibrix/shell/vibrix" "$out/demo.cdsm"
