#!/bin/sh
# Times `vibrix-cli auto` over a site of PILES piles of 4 blows (500 unless given): the piles are
# generated with ssmgen (lengths 8 to 20 m, a narrowing on every fifth) and imported into a new
# project; the first pass of all of them is what is timed.
# Usage: scripts/time-first-pass.sh BUILD_DIR [PILES]
set -eu
build=${1:?build directory}
piles=${2:-500}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/in"
i=1
while [ "$i" -le "$piles" ]; do
    length=$(awk -v i="$i" 'BEGIN { printf "%.2f", 8 + (i * 37 % 121) / 10 }')
    section=""
    [ $((i % 5)) -eq 0 ] && section="--section narrowing:4:1:0.6"
    "$build/tools/ssmgen/ssmgen" pile "$work/in" --name "p$i" --site 1 --pile "$i" --length "$length" \
        --friction 0.04 --toe free --noise 120 --seed "$i" $section >/dev/null
    i=$((i + 1))
done
"$build/cli/vibrix-cli" import "$work/site.cdsm" "$work/in" >/dev/null
start=$(date +%s.%N)
"$build/cli/vibrix-cli" auto "$work/site.cdsm" --json >"$work/auto.json"
end=$(date +%s.%N)
awk -v s="$start" -v e="$end" -v n="$piles" 'BEGIN { printf "vibrix-cli auto: %d piles x 4 blows in %.1f s (goal <= 60 s)\n", n, e - s }'
