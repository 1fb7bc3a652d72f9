#!/usr/bin/env bash
# The main job on built-in demo data: a generated folder of measurement files goes through
# both command-line tools, and every result is listed at the end.
set -euo pipefail
build=$1
out="$build/demo"
ssm="$out/ssm"
rm -rf "$out"
mkdir -p "$out"
export QT_QPA_PLATFORM=offscreen

vibrix="$build/cli/vibrix-cli"
traces="$build/cli/tracebuilder-cli"

echo "== demo measurement files"
"$build/tools/ssmgen/ssmgen" demo "$ssm"
"$build/tools/ssminfo/ssminfo" "$ssm"

echo
echo "== vibrix-cli import"
"$vibrix" import "$out/demo.cdsm" "$ssm"
echo
echo "== vibrix-cli list"
"$vibrix" list "$out/demo.cdsm"
"$vibrix" export-signal "$out/demo.cdsm" 1 "$out/signal_1.csv"
"$vibrix" export-spectrum "$out/demo.cdsm" 1 "$out/spectrum_1.csv"
"$vibrix" spectrogram "$out/demo.cdsm" 1 "$out/spectrogram_1.png"
echo
echo "== vibrix-cli pile-set: the design length of every pile, as truth.json gives it"
bash "$(dirname "$0")/demo-lengths.sh" "$vibrix" "$out/demo.cdsm" "$ssm/truth.json"
echo
echo "== vibrix-cli piles (участок; свая; удары использовано/всего; скорость; подошва, м; класс)"
"$vibrix" piles "$out/demo.cdsm"
echo
echo "== vibrix-cli site (wave speeds of each site)"
"$vibrix" site "$out/demo.cdsm" --csv "$out/site.csv"
"$vibrix" pile "$out/demo.cdsm" 1 1 --average "$out/pile_1_1.csv" --mobility "$out/mobility_1_1.csv"
echo
echo "== vibrix-cli report (every record, one page each)"
"$vibrix" --locale ru_RU report "$out/demo.cdsm" all "$out/report.pdf"

echo
echo "== vibrix-cli site-report (a summary of every site, then a page per pile)"
"$vibrix" --locale ru_RU site-report "$out/demo.cdsm" "$out/site-report.pdf"

echo
echo "== tracebuilder-cli list (site 2)"
"$traces" list "$ssm" --site 2
echo
echo "== tracebuilder-cli extract"
mkdir -p "$out/text"
"$traces" extract "$ssm" "$out/text" --channels 1
"$traces" traces "$ssm" --channels 1 --velocity 4000 --depth 20 --seismo "$out/seismo.bmp" --spectro "$out/spectro.bmp"

echo
echo "== results"
echo "measurement files:  $ssm/ ($(ls "$ssm" | grep -c '\.ssm$') files, what they hold in truth.json)"
echo "project:            $out/demo.cdsm"
echo "signal export:      $out/signal_1.csv"
echo "spectrum export:    $out/spectrum_1.csv"
echo "spectrogram:        $out/spectrogram_1.png"
echo "report:             $out/report.pdf"
echo "site table:         $out/site.csv"
echo "site report:        $out/site-report.pdf"
echo "pile 1-1 averaged:  $out/pile_1_1.csv, its mobility $out/mobility_1_1.csv"
echo "extracted channels: $out/text/ ($(ls "$out/text" | wc -l) files)"
echo "seismo trace:       $out/seismo.bmp"
echo "spectro trace:      $out/spectro.bmp"
