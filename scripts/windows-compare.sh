#!/usr/bin/env bash
# Both command-line tools on Linux and on Windows (under Wine, from the installed folder with nothing
# else on the path) over the demo folder and a folder of broken files:
#   windows-compare.sh HOST_BUILD WINDOWS_FOLDER WORK
# Standard output, exit codes and every CSV, text and project file must be the same bytes (line ends
# included); pictures the same width and nearly the same height (see same_picture_size); PDFs the same pages with the same characters on each (pdftotext:
# the fonts Windows substitutes place the words, and split rotated labels, differently).
set -euo pipefail
host=$1
win=$2
work=$3
export ASAN_OPTIONS=detect_leaks=0 # the host tools may be the sanitizer build
rm -rf "$work"
mkdir -p "$work"
cd "$work"
"$host/tools/ssmgen/ssmgen" demo demo > /dev/null
"$host/tools/ssmgen/ssmgen" corpus broken > /dev/null

# run SIDE NAME TOOL ARGS...: standard output into NAME.out, the exit code into NAME.rc.
run() {
  local side=$1 name=$2 tool=$3
  shift 3
  local status=0
  if [ "$side" = linux ]; then
    QT_QPA_PLATFORM=offscreen "$host/cli/$tool" "$@" > "$name.out" 2> "$name.err" || status=$?
  else
    WINEPATH= timeout 600 wine "$win/$tool.exe" "$@" > "$name.out" 2> "$name.err" || status=$?
  fi
  echo "$status" > "$name.rc"
}

for side in linux windows; do
  mkdir -p "$side"
  (
    cd "$side"
    run $side import vibrix-cli --locale ru_RU import demo.cdsm ../demo
    run $side list vibrix-cli --locale ru_RU list demo.cdsm
    run $side signal vibrix-cli --locale ru_RU export-signal demo.cdsm 3 signal.csv
    run $side spectrum vibrix-cli --locale ru_RU export-spectrum demo.cdsm 3 spectrum.csv
    run $side signal-c vibrix-cli --locale C export-signal demo.cdsm 1 signal-c.csv
    run $side spectrogram vibrix-cli spectrogram demo.cdsm 2 spectrogram.png --channel 2
    run $side report vibrix-cli --locale ru_RU report demo.cdsm 1-4 report.pdf
    run $side import-broken vibrix-cli --locale ru_RU import broken.cdsm ../broken
    run $side list-broken vibrix-cli list broken.cdsm
    run $side missing vibrix-cli list no-such.cdsm
    run $side tb-list tracebuilder-cli --locale ru_RU list ../demo
    run $side tb-list-broken tracebuilder-cli --locale ru_RU list ../broken
    mkdir -p extracted
    run $side tb-extract tracebuilder-cli --locale ru_RU extract ../demo extracted --site 1
    run $side tb-traces tracebuilder-cli traces ../demo --velocity 4000 --depth 20 --seismo s.bmp --spectro f.bmp
    run $side usage tracebuilder-cli no-such-command
  )
done

failed=0
differ() {
  echo "DIFFERENT: $*" >&2
  failed=1
}
dimensions() { file -b "$1" | grep -oE '[0-9]+ x -?[0-9]+' | head -1; }
# The same width, and heights within 3 %: a trace's title block and name rows are text, as high as
# the lines of the fonts each system has (DejaVu here, what Wine substitutes there).
same_picture_size() {
  local w1 h1 w2 h2
  read -r w1 _ h1 <<< "${1/-/}"
  read -r w2 _ h2 <<< "${2/-/}"
  [ -n "$w1" ] && [ "$w1" = "$w2" ] && [ $(( (h1 > h2 ? h1 - h2 : h2 - h1) * 100 )) -le $(( 3 * h1 )) ]
}
# "page<TAB>character", one line per character of the PDF's text but blanks, sorted.
words() {
  pdftotext "$1" - | awk 'BEGIN { RS = "\f" } { gsub(/[ \t\n]/, ""); n = split($0, c, ""); for (i = 1; i <= n; i++) print NR "\t" c[i] }' | LC_ALL=C sort
}
count=0
while IFS= read -r -d '' f; do
  rel=${f#linux/}
  other=windows/$rel
  count=$((count + 1))
  [ -f "$other" ] || { differ "$rel is missing on Windows"; continue; }
  case "$rel" in
    *.err) ;; # messages on standard error may differ in what the system adds
    *.png | *.bmp | *.jpg)
      same_picture_size "$(dimensions "$f")" "$(dimensions "$other")" ||
        differ "$rel: $(dimensions "$f") on Linux, $(dimensions "$other") on Windows" ;;
    *.pdf)
      [ "$(pdfinfo "$f" | grep '^Pages:')" = "$(pdfinfo "$other" | grep '^Pages:')" ] || differ "$rel: pages"
      cmp -s <(words "$f") <(words "$other") || differ "$rel: text" ;;
    *)
      cmp -s "$f" "$other" || {
        differ "$rel"
        diff <(od -c "$f") <(od -c "$other") | head -20 >&2 || true
      } ;;
  esac
done < <(find linux -type f -print0 | sort -z)
extra=$(cd windows && find . -type f | sort | while read -r f; do [ -e "../linux/$f" ] || echo "$f"; done)
[ -z "$extra" ] || differ "only on Windows: $extra"
if [ "$failed" -ne 0 ]; then
  for e in windows/*.err; do
    [ -s "$e" ] && { echo "--- $e" >&2; head -5 "$e" >&2; }
  done
  exit 1
fi
echo "$count files the same on Linux and Windows"
