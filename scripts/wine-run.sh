#!/usr/bin/env bash
# Runs a Windows program of the project under wine on a private Xvfb display.
#   wine-run.sh [--timeout SECONDS] [--faketime 'YYYY-MM-DD hh:mm:ss'] [--display] [--record DIR] PROGRAM.exe [ARGS...]
# --record DIR: what the program plays is recorded into DIR (see use_sound_recording).
# The program's exit status is passed through; 124 when the time limit ended it.
# No wine or Xvfb process is left behind.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"

limit=300 fake= use_display=0
while [ $# -gt 0 ]; do
  case "$1" in
    --timeout) limit=$2; shift 2 ;;
    --faketime) fake=$2; shift 2 ;;
    --display) use_display=1; shift ;;
    --record) use_sound_recording "$2"; shift 2 ;;
    *) break ;;
  esac
done
[ $# -ge 1 ] || { echo "usage: wine-run.sh [--timeout S] [--faketime T] [--display] PROGRAM [ARGS]" >&2; exit 2; }

ensure_wine_prefix
wineserver -k 2>/dev/null  # a wineserver of an earlier run would keep its own time and display

if [ "$use_display" = 1 ] && [ -n "${DISPLAY:-}" ]; then
  "$here/wine-inner.sh" "$limit" "$fake" "$@"; rc=$?
else
  xvfb-run -a -s '-screen 0 1280x1024x24' "$here/wine-inner.sh" "$limit" "$fake" "$@"; rc=$?
fi
[ $rc = 124 ] && echo "wine-run: $1 did not end within ${limit} s" >&2
exit $rc
