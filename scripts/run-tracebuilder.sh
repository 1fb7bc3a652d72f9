#!/usr/bin/env bash
# The trace builder's window on a generated demo folder; without a display, the batch demo.
set -euo pipefail
build=$1
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display for the tracebuilder window: running the batch demo instead."
  exec bash "$(dirname "$0")/demo.sh" "$build"
fi
ssm="$build/demo-tracebuilder/ssm"
rm -rf "$ssm"
"$build/tools/ssmgen/ssmgen" demo "$ssm" > /dev/null
# The window belongs on the display, whatever platform the make file sets for the batch tools.
exec env -u QT_QPA_PLATFORM "$build/tracebuilder/window/tracebuilder" "$ssm"
