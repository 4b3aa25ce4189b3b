# Sourced by the scripts: a Wine prefix of this checkout set up for a Japanese system, and
# an X display (a private Xvfb when none is usable).
# shellcheck source=common.sh
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

export WINEPREFIX="${ZR_WINEPREFIX:-$ZR_BUILD/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installers: the palette needs neither.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# Japanese locale: Wine takes its ANSI code page (932) from it.
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
ZR_WINE=$(command -v wine64 || command -v wine || echo wine)

zr_wine() { "$ZR_WINE" "$@"; }

# The Windows path of a Linux path: Wine's drive Z: is the root of the Linux file system.
# (Worked out here rather than asked of winepath, which answered nothing once in a while right
# after the Wine server had been stopped.)
zr_windows_path() {
  local path
  path=$(realpath -m "$1")
  printf 'Z:%s' "${path//\//\\}"
}

# Japanese faces that the palette asks for, mapped to the installed IPA fonts.
zr_wine_fonts() {
  local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
  local pair
  for pair in 'ＭＳ ゴシック=IPAGothic' 'ＭＳ Ｐゴシック=IPAPGothic' 'MS Gothic=IPAGothic' \
              'MS PGothic=IPAPGothic' 'MS UI Gothic=IPAPGothic' 'MS Shell Dlg=IPAPGothic' \
              'MS Shell Dlg 2=IPAPGothic' 'Tahoma=IPAPGothic'; do
    zr_wine reg add "$key" /v "${pair%%=*}" /d "${pair#*=}" /f >/dev/null 2>&1
  done
}

# Boots the prefix once (the running object table needs a fully booted prefix).
zr_wine_prepare() {
  if [ -f "$WINEPREFIX/.zr-ready" ]; then return 0; fi
  zr_say "Preparing the Wine prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  zr_wine wineboot -i >/dev/null 2>&1
  wineserver -w
  zr_wine_fonts
  wineserver -w
  touch "$WINEPREFIX/.zr-ready"
}

# Uses $DISPLAY when an X server answers there, else starts a private Xvfb.
zr_ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n
  for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then break; fi
  done
  Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  ZR_XVFB_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 50); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on $DISPLAY" >&2
  return 1
}

zr_stop_display() {
  if [ -n "${ZR_XVFB_PID:-}" ]; then kill "$ZR_XVFB_PID" 2>/dev/null; wait "$ZR_XVFB_PID" 2>/dev/null; fi
  return 0
}

# Builds one of the Windows measurement programs (tests/e2e, not built by default) and runs it
# under Wine, on a private display when there is none (stopped at exit):
#   zr_run_wine_driver TARGET [ARGS...]
zr_run_wine_driver() {
  local target=$1
  shift
  cmake --preset windows >/dev/null && cmake --build --preset windows --target "$target" || return 1
  trap zr_stop_display EXIT
  zr_wine_prepare && zr_ensure_display || return 1
  zr_say "Windows measurements under Wine (DISPLAY=$DISPLAY)"
  zr_wine "build/windows/tests/e2e/$target.exe" "$@"
}
