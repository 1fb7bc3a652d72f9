#!/usr/bin/env bash
# The MIME description compiles into a shared MIME database with both types, their globs and
# the magic text of measurement files.
set -euo pipefail
xml=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
db=$root/mime
mkdir -p "$db/packages"
cp "$xml" "$db/packages/"
warnings=$(XDG_DATA_DIRS=$root XDG_DATA_HOME=$root update-mime-database "$db" 2>&1 >/dev/null ||
  echo "update-mime-database failed")
[ -z "$warnings" ] || { echo "$warnings"; exit 1; }
status=0
for type in x-vibrix4-project x-vibrix4-measurement; do
  [ -f "$db/application/$type.xml" ] || { echo "no type application/$type"; status=1; }
done
grep -q ':application/x-vibrix4-project:\*\.cdsm$' "$db/globs2" || { echo "no glob *.cdsm"; status=1; }
grep -q ':application/x-vibrix4-measurement:\*\.ssm$' "$db/globs2" || { echo "no glob *.ssm"; status=1; }
grep -aq 'Vibrix4 data file' "$db/magic" || { echo "no magic for measurement files"; status=1; }
exit $status
