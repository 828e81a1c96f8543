#!/usr/bin/env bash
# Measures the running quorel.exe: CPU time and working set over a span of
# seconds, once with the seconds shown and the blink and scene animations on,
# once with all off, and once more in the busiest scene (a snowstorm).
# Anyone can rerun it: scripts/measure-clock.sh [SECONDS]
set -u
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/scripts/wine-env.sh"
exe="$build/win/bin/quorel.exe"
span=${1:-60}
[ -x "$exe" ] || { echo "build first: make win" >&2; exit 2; }
ensure_wine_prefix
key='HKCU\Software\Yoveta Inc.\ころぷく for Windows\Config'
tick=$(getconf CLK_TCK)

measure() {  # LABEL SECONDS_SHOWN BLINK [FORCED_WEATHER_SCENE]
  local label=$1 seconds=$2 blink=$3 scene=${4:-}
  wineserver -k 2>/dev/null
  xvfb-run -a -s '-screen 0 1024x768x24' bash -c '
    key=$1 seconds=$2 blink=$3 exe=$4 span=$5 tick=$6 label=$7 scene=$8
    # Present settings of the current version: the first start keeps them as they are.
    wine reg add "$key" /v "バージョン" /t REG_SZ /d "v7.84" /f >/dev/null 2>&1
    wine reg add "$key" /v "時計の種別" /t REG_DWORD /d 1 /f >/dev/null 2>&1
    wine reg add "$key" /v "デジタルの秒" /t REG_DWORD /d "$seconds" /f >/dev/null 2>&1
    wine reg add "$key" /v "瞬きアニメーション" /t REG_DWORD /d "$blink" /f >/dev/null 2>&1
    wine reg add "$key" /v "背景アニメーション" /t REG_DWORD /d "$blink" /f >/dev/null 2>&1
    # A scene forced by the debug settings (a weather scene), or the one of the moment.
    wine reg add "$key" /v "デバッグ用背景の種別" /t REG_DWORD /d "$([ -n "$scene" ] && echo 3 || echo 0)" /f >/dev/null 2>&1
    wine reg add "$key" /v "デバッグ用背景(天気予報)" /t REG_SZ /d "$scene" /f >/dev/null 2>&1
    wine "$exe" & sleep 5
    pid=
    for p in $(pgrep -x "quorel.exe"); do  # ours: the one running in this prefix
      tr "\0" "\n" < /proc/$p/environ 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && { pid=$p; break; }
    done
    [ -n "$pid" ] || { echo "$label: quorel.exe did not start"; wineserver -k; exit 1; }
    read -r u0 s0 < <(awk "{print \$14, \$15}" /proc/$pid/stat)
    sleep "$span"
    read -r u1 s1 < <(awk "{print \$14, \$15}" /proc/$pid/stat)
    rss=$(awk "/VmRSS/ {print \$2}" /proc/$pid/status)
    cpu_ms=$(( ( (u1 - u0) + (s1 - s0) ) * 1000 / tick ))
    echo "$label: CPU ${cpu_ms} ms in ${span} s ($(awk "BEGIN {printf \"%.2f\", $cpu_ms / ($span * 10)}")% of one core), working set $((rss / 1024)) MiB"
    wineserver -k
  ' measure "$key" "$seconds" "$blink" "$exe" "$span" "$tick" "$label" "$scene"
}

measure "seconds and blink on " 1 1
measure "seconds and blink off" 0 0
# The scene with the most particles (up to 60 snowflakes in a storm).
measure "blink on, snowstorm scene" 1 1 "天気予報_冬の夜(暴風雪)"
