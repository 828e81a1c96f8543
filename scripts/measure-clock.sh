#!/usr/bin/env bash
# Measures the running quorel.exe under wine: CPU time and working set over a
# span of seconds with the animations (seconds, blink, background) on and off,
# beside the plainest Win32 clock of the same build (tools/plain_clock) as the
# floor, and the time from the start to the first painted window of each.
#   scripts/measure-clock.sh [SECONDS]   (default 60; build first: make win)
set -u
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/scripts/wine-env.sh"
bin="$build/win/bin"
span=${1:-60}
[ -x "$bin/quorel.exe" ] && [ -x "$bin/tools/plain_clock.exe" ] || { echo "build first: make win" >&2; exit 2; }
ensure_wine_prefix
key='HKCU\Software\Yoveta Inc.\ころぷく for Windows\Config'
tick=$(getconf CLK_TCK)

measure() {  # LABEL EXE ANIMATIONS(0/1, or - for a program without settings)
  local label=$1 exe=$2 animations=$3
  wineserver -k 2>/dev/null
  xvfb-run -a -s '-screen 0 1024x768x24' bash -c '
    key=$1 animations=$2 exe=$3 span=$4 tick=$5 label=$6 probe=$7
    if [ "$animations" != - ]; then
      # Present settings of the current version: the first start keeps them as they are.
      wine reg add "$key" /v "バージョン" /t REG_SZ /d "v7.84" /f >/dev/null 2>&1
      for v in "デジタルの秒" "瞬きアニメーション" "背景アニメーション"; do
        wine reg add "$key" /v "$v" /t REG_DWORD /d "$animations" /f >/dev/null 2>&1
      done
      wine reg add "$key" /v "時計の種別" /t REG_DWORD /d 1 /f >/dev/null 2>&1
    fi
    first=$(wine "$probe" "$exe" 2>/dev/null | tr -d "\r")
    wineserver -w 2>/dev/null
    wine "$exe" & sleep 5
    name=$(basename "$exe")
    pid=
    for p in $(pgrep -f "$name"); do  # ours: the one running in this prefix
      [ "$(tr "\0" "\n" < /proc/$p/environ 2>/dev/null | grep -c "^WINEPREFIX=$WINEPREFIX$")" = 1 ] || continue
      grep -q "^Name:.*${name:0:15}" /proc/$p/status 2>/dev/null && { pid=$p; break; }
    done
    [ -n "$pid" ] || { echo "$label: $name did not start"; wineserver -k; exit 1; }
    read -r u0 s0 < <(awk "{print \$14, \$15}" /proc/$pid/stat)
    sleep "$span"
    read -r u1 s1 < <(awk "{print \$14, \$15}" /proc/$pid/stat)
    rss=$(awk "/VmRSS/ {print \$2}" /proc/$pid/status)
    cpu_ms=$(( ( (u1 - u0) + (s1 - s0) ) * 1000 / tick ))
    printf "| %-34s | %8s | %6s | %4s MiB | %s |\n" "$label" "$cpu_ms" \
      "$(awk "BEGIN {printf \"%.2f\", $cpu_ms / ($span * 10)}")%" "$((rss / 1024))" "$first"
    wineserver -k
  ' measure "$key" "$animations" "$exe" "$span" "$tick" "$label" "$bin/tools/first_paint_probe.exe"
}

echo "idle over $span s under wine and Xvfb ($(nproc) cores, load $(cut -d" " -f1 /proc/loadavg) at the start)"
printf "| %-34s | %8s | %6s | %8s | %s |\n" "program" "CPU ms" "core" "working" "start to window, first paint"
echo "|---|---|---|---|---|"
measure "quorel.exe, animations on" "$bin/quorel.exe" 1
measure "quorel.exe, animations off" "$bin/quorel.exe" 0
measure "plain_clock.exe (the floor)" "$bin/tools/plain_clock.exe" -
