#!/usr/bin/env bash
# Runs every benchmark program of a release build and ends with one summary of the ratio lines
# of all of them (each program prints its own ratio lines; here they are shown once, at the end).
set -euo pipefail
build=$1
out="$build/bench-results"
mkdir -p "$out"
: > "$out/ratios.txt"
for prog in "$build"/bench/bench_*; do
  [ -f "$prog" ] && [ -x "$prog" ] || continue
  name=$(basename "$prog")
  echo "== $name"
  "$prog" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true | tee "$out/$name.txt" |
    { grep --line-buffered -v '^ratio ' || true; }
  grep '^ratio ' "$out/$name.txt" >> "$out/ratios.txt" || true
done
echo
echo "== performance goals"
cat "$out/ratios.txt"
