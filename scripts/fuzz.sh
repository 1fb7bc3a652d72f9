#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for the given number of seconds.
# A target NAME gets its seed corpus from NAME_seeds (written into a fresh folder) when that program exists.
set -euo pipefail
build=$1
seconds=$2
work="$build/fuzz-work"
mkdir -p "$work"
found=0
for target in "$build"/fuzz/fuzz_*; do
  [ -f "$target" ] && [ -x "$target" ] || continue
  case "$target" in *_seeds) continue ;; esac
  found=1
  name=$(basename "$target")
  corpus="$work/$name"
  mkdir -p "$corpus"
  if [ -x "${target}_seeds" ]; then
    "${target}_seeds" "$corpus"
  fi
  echo "== fuzzing $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -print_final_stats=1 -rss_limit_mb=4096 "$corpus" 2>"$work/$name.log" || {
    tail -n 60 "$work/$name.log"
    echo "fuzz target $name failed"
    exit 1
  }
  grep -E 'stat::number_of_executed_units' "$work/$name.log" || true
done
[ "$found" -eq 1 ] || { echo "no fuzz targets built"; exit 1; }
echo "fuzzing passed"
