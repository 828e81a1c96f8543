#!/usr/bin/env bash
# The part of wine-run.sh that runs inside the display: LIMIT FAKETIME PROGRAM [ARGS...].
# Ends the wineserver before returning, so that the display can close cleanly.
limit=$1 fake=$2; shift 2
if [ -n "$fake" ]; then
  # File times stay real: with faked ones wine sees its prefix as outdated and rebuilds it.
  NO_FAKE_STAT=1 timeout -k 5 "$limit" faketime "$fake" wine "$@"; rc=$?
else
  timeout -k 5 "$limit" wine "$@"; rc=$?
fi
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
exit $rc
