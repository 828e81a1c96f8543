#!/usr/bin/env bash
# Starts quorel.exe under wine. On a display it runs until the clock is closed;
# without one it runs on Xvfb for a few seconds and saves a screenshot.
set -u
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/scripts/wine-env.sh"
exe="$build/win/bin/quorel.exe"
ensure_wine_prefix

if [ -n "${DISPLAY:-}" ]; then
  wineserver -k 2>/dev/null
  cd "$(dirname "$exe")" && wine "$exe"
  wineserver -w
  exit 0
fi

shot="$build/screenshot.png"
seconds=${QUOREL_RUN_SECONDS:-6}
rm -f "$shot"
wineserver -k 2>/dev/null
xvfb-run -a -s '-screen 0 1024x768x24' bash -c '
  cd "$(dirname "$2")"
  wine "$2" & pid=$!
  sleep "$3"
  /usr/bin/import -window root "$4"
  wineserver -k
  wait $pid 2>/dev/null
  wineserver -w
' run-clock "$top" "$exe" "$seconds" "$shot"
if [ -f "$shot" ]; then
  echo "No display: ran quorel.exe on Xvfb for $seconds s and saved a screenshot to $shot"
else
  echo "No display: the screenshot could not be taken" >&2
  exit 1
fi
