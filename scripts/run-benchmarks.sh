#!/usr/bin/env bash
# Runs every benchmark program of the host build.
set -u
build=${QUOREL_BUILD:-$(cd "$(dirname "$0")/.." && pwd)/build}
found=0
for b in "$build"/host/bin/*_bench; do
  [ -x "$b" ] || continue
  found=1
  echo "=== $(basename "$b")"
  "$b" || exit $?
done
[ $found = 1 ] || echo "no benchmarks built yet"
