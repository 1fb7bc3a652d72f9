#!/usr/bin/env bash
# The Debian package on this machine: it builds, installs with dpkg, puts both command-line
# tools on the search path with the help files beside them, and removes without a trace.
#   package-check.sh [HOST_BUILD]  a Linux build whose help files and icons the package takes (make package)
set -euo pipefail
cd "$(dirname "$0")/.."
program_dir=/opt/vibrix4
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

if [ -e "$program_dir" ] && ! dpkg-query -W vibrix4 >/dev/null 2>&1; then
  echo "$program_dir exists and does not come from the package; not touching it" >&2
  exit 1
fi

make package PACKAGE_HOST="${1:-}"
deb=$(ls -t build/package/vibrix4_*.deb | head -n 1)
echo "== contents of $deb"
dpkg-deb -c "$deb"

echo "== install"
$sudo dpkg -i "$deb"
status=0
fail() { echo "package check: $*" >&2; status=1; }
for tool in vibrix-cli tracebuilder-cli; do
  [ "$(command -v "$tool")" = "/usr/bin/$tool" ] || fail "$tool is not on the search path"
  (cd / && "$tool" --help) >/tmp/package-check-help.txt || fail "$tool --help failed"
  head -n 1 /tmp/package-check-help.txt
done
rm -f /tmp/package-check-help.txt
for pdf in vibrix.pdf Help.pdf; do
  [ -s "$program_dir/$pdf" ] || fail "no $program_dir/$pdf"
done
# The window programs beside their help, in the menu, and finding their libraries.
for program in vibrix tracebuilder; do
  [ -x "$program_dir/$program" ] || fail "no $program_dir/$program"
  [ "$(command -v "$program")" = "/usr/bin/$program" ] || fail "$program is not on the search path"
  ! ldd "$program_dir/$program" | grep -q "not found" || fail "$program misses libraries"
done
for entry in ru.vibrix4.Vibrix ru.vibrix4.TraceBuilder; do
  [ -s "/usr/share/applications/$entry.desktop" ] || fail "no menu entry $entry"
done

echo "== remove"
$sudo dpkg -r vibrix4
[ ! -e "$program_dir" ] || fail "left behind: $(find "$program_dir")"
for tool in vibrix vibrix-cli tracebuilder tracebuilder-cli; do
  [ ! -e "/usr/bin/$tool" ] && [ ! -L "/usr/bin/$tool" ] || fail "left behind: /usr/bin/$tool"
done
[ $status -eq 0 ] && echo "package installed, ran and removed cleanly"
exit $status
