#!/usr/bin/env bash
# A help PDF built from its guide: it has pages, embeds every font, and a PDF reader finds each
# heading of the guide in it; chapters and sections twice, in the contents and on their page.
set -euo pipefail
pdf=$1
guide=$2

[ -s "$pdf" ] || { echo "$pdf: not built"; exit 1; }
pages=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
[ "${pages:-0}" -ge 2 ] || { echo "$pdf: ${pages:-no} pages"; exit 1; }
grep -q 'Page size: *595' <(pdfinfo "$pdf") || { echo "$pdf: not A4"; exit 1; }

text=$(pdftotext -layout "$pdf" - | tr -s ' \t\n\f' ' ')
status=0
# Headings outside fenced code, without Markdown marks.
while IFS=$'\t' read -r level heading; do
  want=1
  [ "$level" -ge 2 ] && want=2
  found=$(grep -oF -- "$heading" <<<"$text" | wc -l)
  if [ "$found" -lt "$want" ]; then
    echo "$pdf: heading \"$heading\" found $found times, wanted $want"
    status=1
  fi
done < <(awk '/^```/ {code = !code; next}
              !code && /^#{1,3} / {n = match($0, /[^#]/) - 1; t = substr($0, n + 2); gsub(/[`*]/, "", t);
                                   sub(/ +$/, "", t); print n "\t" t}' "$guide")

# Fonts: the emb column (fifth from the end) of every font row.
if ! pdffonts "$pdf" | tail -n +3 | awk '$(NF-4) != "yes" {print "not embedded: " $0; bad = 1} END {exit bad}'; then
  echo "$pdf: a font is not embedded"
  status=1
fi
[ $status -eq 0 ] && echo "$pdf: $pages pages, every heading of $(basename "$guide") found"
exit $status
