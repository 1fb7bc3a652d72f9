#!/usr/bin/env bash
# The Windows build's tests under Wine: windows-test.sh HOST_BUILD OUT JOBS
#   1. every test program of OUT once (ctest, one test per program, its gtest XML in OUT/gtest/);
#   2. the installer run silently into Program Files, both programs started from there, both
#      command-line tools run from there on the demo folder and on broken files, their standard output
#      and files compared byte for byte with the Linux tools of HOST_BUILD (windows-compare.sh);
#   3. the uninstaller, which must leave nothing of the installation behind.
# One Wine prefix per run, under a private X display (xvfb-run -a); every step has a time limit, so a
# hang fails the run instead of eating it.
set -euo pipefail
cd "$(dirname "$0")/.."
host=$(realpath "$1")
out=$(realpath "$2")
jobs=$3

work=$(mktemp -d /tmp/vibrix4-windows-test.XXXXXX)
export WINEPREFIX=$work/prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=" # no Mono or Gecko installer prompts in a new prefix
cleanup() {
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

xvfb-run -a -s "-screen 0 1280x1024x24" bash scripts/windows-test-steps.sh "$host" "$out" "$jobs" "$work"
