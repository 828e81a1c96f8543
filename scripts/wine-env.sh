# Sourced by the wine scripts: the environment of the project's own wine prefix.
# Creates the prefix on first use (about 10 s) and reuses it afterwards.
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${QUOREL_BUILD:-$top/build}"
export WINEPREFIX="${WINEPREFIX:-$build/wineprefix}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
# Nothing run here may set the machine's clock (the program's clock setting refuses).
export QUOREL_FORBID_CLOCK_SET=1
# A HOME of the project's own with an ALSA null device, so that PlaySound succeeds without a sound card.
export HOME="$build/wine-home"
mkdir -p "$HOME"
[ -f "$HOME/.asoundrc" ] || printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' > "$HOME/.asoundrc"

# For the sound tests: a HOME of its own whose ALSA default device records what is
# played into DIR, one file per opened stream, named by its start time, rate,
# channels and bits (ALSA eats one %); the names take the real time, also under
# faketime, so that they sort in playing order. The program sees DIR as QUOREL_SOUND_RECORD.
use_sound_recording() {
  local dir
  dir=$(mkdir -p "$1" && cd "$1" && pwd)
  export QUOREL_SOUND_RECORD="$dir"
  export HOME="$build/wine-home-record"
  mkdir -p "$HOME"
  printf 'pcm.!default { type file; slave.pcm "null"; format "raw"; file "|cat > %s/$(env -u LD_PRELOAD -u FAKETIME date +%%%%s.%%%%N)-%%r-%%c-%%b.raw" }\nctl.!default { type hw card 0 }\n' \
    "$dir" > "$HOME/.asoundrc"
}

# Raised whenever the prefix's set-up below changes, so that older prefixes are made anew.
quorel_prefix_version=2
wine_prefix_ready() { [ "$(cat "$WINEPREFIX/.quorel-prefix-ready" 2>/dev/null)" = "$quorel_prefix_version" ]; }

ensure_wine_prefix() {
  wine_prefix_ready && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    wine_prefix_ready && exit 0
    echo "wine: creating the prefix $WINEPREFIX" >&2
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    # Without a window manager destroying a managed window takes seconds.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    # A crash must end the process, not open a dialog that hangs the run.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    # The dialogs ask for the Japanese system fonts by name: give them the installed IPA fonts,
    # so that text reads as it does on Windows.
    for pair in 'ＭＳ Ｐゴシック=IPAPGothic' 'ＭＳ ゴシック=IPAGothic' 'MS UI Gothic=IPAPGothic' \
                'MS PGothic=IPAPGothic' 'MS Gothic=IPAGothic' 'ＭＳ Ｐ明朝=IPAPMincho' 'ＭＳ 明朝=IPAMincho'; do
      wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${pair%%=*}" /t REG_SZ /d "${pair#*=}" /f >/dev/null 2>&1
    done
    wineserver -w
    echo "$quorel_prefix_version" > "$WINEPREFIX/.quorel-prefix-ready"
  ) 9>"$(dirname "$WINEPREFIX")/.wineprefix.lock"
}
