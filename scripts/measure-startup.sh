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
source scripts/lib/wine-env.sh
zr_wine_prepare
zr_ensure_display
work=$(mktemp -d)
trap 'wineserver -k 2>/dev/null; zr_stop_display; rm -rf "$work"' EXIT
wineserver -p  # kept running, so that no run pays for the server's start

mkdir -p "$work/empty" "$work/big"
cp "$exe" "$work/empty/"
cp "$exe" "$work/big/"
python3 - "$work/big" "$blocks" <<'PY'
import random, sys
folder, count = sys.argv[1], int(sys.argv[2])
tags = ["LT", "OT", "SW", "PB", "TL", "FA", "PL", "AC"]
names = ["ダウンライト", "ＬＥＤダウンライト", "ｺﾝｾﾝﾄ", "接地極付コンセント", "スイッチ", "分電盤",
         "差動式スポット型感知器", "換気扇", "給水栓", "誘導灯", "非常用照明", "ﾀﾞｸﾄ"]
mods = ["", "（埋込）", "（直付）", "（壁付）", "（防雨形）", "・小形"]
comments = ["", "天井埋込 φ100", "壁付 H=1200", "傍記 DL", "100V 15A", "電池内蔵形 30分"]
rng = random.Random(1)
with open(f"{folder}/MenuList.txt", "wb") as menu:
    for tag in tags:
        menu.write(f"分類 {tag}\t{tag}\r\n".encode("cp932"))
with open(f"{folder}/BlockList.txt", "wb") as out:
    for i in range(count):
        tag = tags[i * len(tags) // count]
        line = f"{tag}{i:06d}\t{rng.choice(names)}{rng.choice(mods)}\t*\t\t{rng.choice(comments)}"
        out.write((line + "\r\n").encode("cp932"))
PY

# Milliseconds from the start until the palette's window is mapped; the program is then ended.
measure() {
  local folder=$1 start end pid
  start=$(date +%s%N)
  (cd "$folder" && exec "$ZR_WINE" ./ZovezaRuzu.exe >/dev/null 2>&1) &
  pid=$!
  # Polled at a short step (xdotool's own --sync waits half a second between looks).
  until xdotool search --onlyvisible --name "Zoveza Ruzu" >/dev/null 2>&1; do sleep 0.01; done
  end=$(date +%s%N)
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  echo $(((end - start) / 1000000))
}

zr_say "Start-up under Wine (DISPLAY=$DISPLAY)"
measure "$work/empty" >/dev/null  # the first start loads Wine's own libraries
echo "empty folder: $(measure "$work/empty") ms"
for run in 1 2 3; do
  echo "$blocks blocks, run $run: $(measure "$work/big") ms"
done
