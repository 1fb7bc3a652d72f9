#!/usr/bin/env bash
# The steps of windows-test.sh, inside its X display and Wine prefix:
#   windows-test-steps.sh HOST_BUILD OUT JOBS WORK
set -euo pipefail
host=$1
out=$2
jobs=$3
work=$4
here=$(cd "$(dirname "$0")" && pwd)
start=$(date +%s)
step() { echo "== $* (at $(($(date +%s) - start)) s)"; }

step "Wine prefix $WINEPREFIX"
timeout 600 wineboot -u
timeout 120 wineserver -w

step "Test programs under Wine"
ctest --test-dir "$out" --output-on-failure -j "$jobs" --timeout 900

step "Installer, silently"
timeout 600 wine "$out/vibrix4-4.0.0-setup.exe" /S
timeout 120 wineserver -w
installed=$(winepath -u 'C:\Program Files\Vibrix4' | sed 's|/$||')
for f in vibrix.exe tracebuilder.exe vibrix-cli.exe tracebuilder-cli.exe vibrix.pdf Help.pdf uninstall.exe \
  Qt6Core.dll platforms/qwindows.dll translations/qtbase_ru.qm .vibrix4-installed; do
  [ -f "$installed/$f" ] || { echo "not installed: $f" >&2; exit 1; }
done
menu=$(winepath -u 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Vibrix4' | sed 's|/$||')
[ -f "$menu/Vibrix4.lnk" ] && [ -f "$menu/Трассы Vibrix4.lnk" ] || { echo "no Start-menu entries in $menu" >&2; exit 1; }
association=$(wine reg query 'HKLM\Software\Classes\Vibrix4.Project\shell\open\command' /ve | tr -d '\r')
echo "$association" | grep -q 'vibrix.exe" "%1"' || { echo "no .cdsm association: $association" >&2; exit 1; }

step "Both programs start from the installed folder, with nothing else on the path"
for program in vibrix tracebuilder; do
  # Still running after 20 s: every library and plugin it loads at start was found. A missing one
  # ends a program under Wine at once.
  WINEPATH= wine "$installed/$program.exe" &
  pid=$!
  sleep 20
  kill -0 "$pid" 2>/dev/null || { wait "$pid" || true; echo "$program.exe ended at start" >&2; exit 1; }
  kill "$pid" 2>/dev/null || true
  wineserver -k || true
  wait "$pid" 2>/dev/null || true
done

step "Command-line tools from the installed folder against the Linux ones"
bash "$here/windows-compare.sh" "$host" "$installed" "$work/compare"

step "Uninstaller, silently"
timeout 300 wine "$installed/uninstall.exe" /S
timeout 120 wineserver -w
# The uninstaller copies itself away and removes the folder from there; give it its moment.
for _ in $(seq 30); do
  [ -e "$installed" ] || break
  sleep 1
done
if [ -e "$installed" ]; then
  echo "left behind by the uninstaller:" >&2
  find "$installed" >&2
  exit 1
fi
[ ! -e "$menu" ] || { echo "Start-menu folder left behind: $menu" >&2; exit 1; }
if wine reg query 'HKLM\Software\Classes\Vibrix4.Project' > /dev/null 2>&1; then
  echo "the project file type is left in the registry" >&2
  exit 1
fi
step "Windows tests done"
