#!/usr/bin/env bash
# Start-up time of the palette under Wine with a generated catalogue: from the program's start
# until its window is on the screen, which it shows once the first page is drawn. Runs once
# with an empty folder (Wine's own start, after a first start not counted) and three times with
# N blocks (default 100000).
# Usage: scripts/measure-startup.sh [blocks]
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
cd "$ZR_ROOT"

blocks=${1:-100000}
exe=build/windows/src/win32/ZovezaRuzu.exe
if [ ! -f "$exe" ]; then
  cmake --preset windows >/dev/null && cmake --build --preset windows --target ZovezaRuzu
fi
# The catalogue's generator is a native program (bench/MakeCatalogue.cpp).
cmake --preset native >/dev/null && cmake --build --preset native --target MakeCatalogue
source scripts/lib/wine-env.sh
zr_wine_prepare
zr_ensure_display
work=$(mktemp -d)
trap 'wineserver -k 2>/dev/null; zr_stop_display; rm -rf "$work"' EXIT
wineserver -p  # kept running, so that no run pays for the server's start

mkdir -p "$work/empty" "$work/big"
cp "$exe" "$work/empty/"
cp "$exe" "$work/big/"
build/native/bench/MakeCatalogue "$work/big" "$blocks"

# Milliseconds from the start until the palette's window is mapped; the program is then ended.
measure() {
  local folder=$1 start end pid
  start=$(date +%s%N)
  (cd "$folder" && exec "$ZR_WINE" ./ZovezaRuzu.exe >/dev/null 2>&1) &
  pid=$!
  # Polled at a short step (xdotool's own --sync waits half a second between looks), for at
  # most a minute.
  until xdotool search --onlyvisible --name "Zoveza Ruzu" >/dev/null 2>&1; do
    if [ $(($(date +%s%N) - start)) -gt 60000000000 ]; then
      kill "$pid" 2>/dev/null || true
      echo "the palette's window did not show within 60 s" >&2
      return 1
    fi
    sleep 0.01
  done
  end=$(date +%s%N)
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  echo $(((end - start) / 1000000))
}

zr_say "Start-up under Wine (DISPLAY=$DISPLAY)"
measure "$work/empty" >/dev/null  # the first start loads Wine's own libraries
# Assigned first, so that a start that times out ends the script (set -e).
ms=$(measure "$work/empty")
echo "empty folder: $ms ms"
for run in 1 2 3; do
  ms=$(measure "$work/big")
  echo "$blocks blocks, run $run: $ms ms"
done
