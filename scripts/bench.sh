#!/usr/bin/env bash
# Runs every benchmark program of a release build, then repeats the ratio lines of all of them.
set -euo pipefail
build=$1
out="$build/bench-results"
mkdir -p "$out"
: > "$out/ratios.txt"
for prog in "$build"/bench/bench_*; do
  [ -f "$prog" ] && [ -x "$prog" ] || continue
  name=$(basename "$prog")
  echo "== $name"
  "$prog" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true | tee "$out/$name.txt"
  grep '^ratio ' "$out/$name.txt" >> "$out/ratios.txt" || true
done
echo
echo "== performance goals"
cat "$out/ratios.txt"
