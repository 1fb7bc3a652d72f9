#!/usr/bin/env bash
# Scores the first pass of the pile analysis on model sites: for each seed, a site of 100 piles
# (ssmgen site), imported into a fresh project, each pile given its design length from truth.json
# (piles without one get none), read by `vibrix-cli auto --json` and scored against the truth by
# fpscore; then every seed's figures together.
#   scripts/score-first-pass.sh SEED [SEED...]
#   BUILD=build/release PILES=100 KEEP=dir scripts/score-first-pass.sh 1 2 3 4 5
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 SEED [SEED...]" >&2; exit 1; }
build=${BUILD:-build/debug-asan}
piles=${PILES:-100}
ssmgen=$build/tools/ssmgen/ssmgen
fpscore=$build/tools/fpscore/fpscore
vibrix=$build/cli/vibrix-cli
for tool in "$ssmgen" "$fpscore" "$vibrix"; do
  [ -x "$tool" ] || { echo "$0: $tool is not built" >&2; exit 1; }
done
export QT_QPA_PLATFORM=offscreen
work=${KEEP:-$(mktemp -d)}
[ -n "${KEEP:-}" ] || trap 'rm -rf "$work"' EXIT
mkdir -p "$work"
pairs=()
for seed in "$@"; do
  site=$work/site$seed
  project=$work/site$seed.cdsm
  rm -rf "$site" "$project"
  "$ssmgen" site "$site" --piles "$piles" --seed "$seed"
  "$vibrix" import "$project" "$site" > /dev/null
  "$fpscore" --design-lengths "$site/truth.json" | while read -r s p length; do
    "$vibrix" pile-set "$project" "$s" "$p" --length "$length" > /dev/null
  done
  start=$(date +%s.%N)
  if ! "$vibrix" auto "$project" --json > "$work/auto$seed.json" 2> "$work/auto$seed.err"; then
    echo "$0: vibrix-cli auto failed: $(head -1 "$work/auto$seed.err")" >&2
    exit 2
  fi
  echo "seed $seed: vibrix-cli auto over $piles piles took $(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }') s"
  "$fpscore" "$site/truth.json" "$work/auto$seed.json"
  pairs+=("$site/truth.json" "$work/auto$seed.json")
done
if [ $# -gt 1 ]; then
  "$fpscore" "${pairs[@]}" | sed -n '/^== all/,$p'
fi
