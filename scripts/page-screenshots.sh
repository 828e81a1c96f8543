#!/usr/bin/env bash
# Pictures of the settings pages "表示", "逃げる" and "時差" and of the schedule's
# registration dialog and its small dialogs under wine, as PNGs in
# build/screenshots/, for a person to judge the layouts.
#   scripts/page-screenshots.sh   (after make win)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUOREL_BUILD:-$root/build}
out=$build/screenshots
mkdir -p "$out"
QUOREL_SCREENSHOT_DIR="Z:$(echo "$out" | tr / '\\')" \
  "$root/scripts/wine-run.sh" --timeout 120 "$build/win/bin/tests/render_win_tests.exe" --gtest_filter='PageScreenshots*'
QUOREL_SCREENSHOT_DIR="Z:$(echo "$out" | tr / '\\')" \
  "$root/scripts/wine-run.sh" --timeout 120 "$build/win/bin/tests/schedule_win_tests.exe" --gtest_filter='Shots*'
for bmp in "$out"/page-*.bmp "$out"/schedule-*.bmp; do
  [ -e "$bmp" ] || continue
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
ls "$out"
