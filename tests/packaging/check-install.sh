#!/usr/bin/env bash
# Installs the build into a temporary root and checks the layout: every program and both help
# files in the program folder, command links into it, icons of every size, the MIME types, and
# the menu entries and AppStream data of the window programs that are built; nothing else, and
# no installed program that still looks into the build tree.
#   check-install.sh BUILD HELP_DIR PROGRAM_DIR PROGRAM... -- DESKTOP_ID...
set -euo pipefail
build=$1 help=$2 progdir=$3
shift 3
programs=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do programs+=("$1"); shift; done
[ $# -gt 0 ] && shift
ids=("$@")

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR="$root/tree" cmake --install "$build" --prefix /usr >"$root/install.log" 2>&1 ||
  { cat "$root/install.log"; exit 1; }
tree=$root/tree
share=$tree/usr/share
status=0
fail() { echo "install layout: $*"; status=1; }

for p in "${programs[@]}"; do
  [ -f "$tree$progdir/$p" ] && [ -x "$tree$progdir/$p" ] || fail "$progdir/$p missing or not executable"
  [ "$(readlink "$tree/usr/bin/$p" || true)" = "$progdir/$p" ] || fail "/usr/bin/$p does not link to $progdir/$p"
  if readelf -d "$tree$progdir/$p" | grep -E 'R(UN)?PATH' | grep -qF "$build"; then
    fail "$p looks for libraries in the build tree"
  fi
done
for pdf in vibrix.pdf Help.pdf; do
  cmp -s "$help/$pdf" "$tree$progdir/$pdf" || fail "$progdir/$pdf is not the built help"
done
[ -f "$tree$progdir/.vibrix4-installed" ] || fail "$progdir has no mark of an installed copy"
[ "$(ls "$tree$progdir" | wc -l)" -eq $((${#programs[@]} + 2)) ] || fail "unexpected files in $progdir: $(ls "$tree$progdir")"

icons="ru.vibrix4.Vibrix:apps ru.vibrix4.TraceBuilder:apps"
icons+=" application-x-vibrix4-project:mimetypes application-x-vibrix4-measurement:mimetypes"
for icon in $icons; do
  name=${icon%%:*} context=${icon##*:}
  [ -f "$share/icons/hicolor/scalable/$context/$name.svg" ] || fail "no scalable $name"
  for size in 16 22 24 32 48 64 128 256; do
    file "$share/icons/hicolor/${size}x$size/$context/$name.png" | grep -q "PNG image data, $size x $size" ||
      fail "no ${size}x$size $name"
  done
done
[ -f "$share/mime/packages/vibrix4-mime.xml" ] || fail "no MIME types"

for id in "${ids[@]}"; do
  desktop=$share/applications/$id.desktop
  [ -f "$desktop" ] || { fail "no menu entry $id"; continue; }
  command=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
  [ -L "$tree/usr/bin/$command" ] || fail "$id starts $command, which is not installed"
  [ -f "$share/metainfo/$id.metainfo.xml" ] || fail "no AppStream data for $id"
done
[ "$(ls "$share/applications" 2>/dev/null | wc -l)" -eq ${#ids[@]} ] || fail "menu entries of programs not built"
if [ ${#ids[@]} -gt 0 ]; then
  appstreamcli validate-tree --no-net "$tree" >"$root/tree.log" 2>&1 || { cat "$root/tree.log"; fail "validate-tree"; }
fi

stray=$(cd "$tree" && find . \( -type f -o -type l \) | sed 's|^\.||' |
  grep -vE "^($progdir/|/usr/bin/|/usr/share/(applications|metainfo|icons/hicolor|mime/packages)/)" || true)
[ -z "$stray" ] || fail "files outside the layout: $stray"

[ $status -eq 0 ] && echo "installed ${programs[*]} into $progdir, ${#ids[@]} menu entries"
exit $status
