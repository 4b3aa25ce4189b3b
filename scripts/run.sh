#!/usr/bin/env bash
# Builds the palette and starts it on the demo catalogue under Wine, with the test CAD running
# beside it under the palette's default ProgID, so that what the palette sends can be seen.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
cd "$ZR_ROOT"

bash scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target ZovezaRuzu ZrTestCad

# The palette reads its catalogue from its own folder.
demo="$ZR_BUILD/demo"
rm -rf "$demo" && mkdir -p "$demo"
cp -r data/demo/. "$demo/"
cp build/windows/src/win32/ZovezaRuzu.exe "$demo/"
testcad=$(find build/windows/tools -name ZrTestCad.exe | head -1)

source scripts/lib/wine-env.sh
zr_wine_prepare
zr_ensure_display
trap 'wineserver -k 2>/dev/null; zr_stop_display' EXIT
echo "Display: $DISPLAY (screenshot: DISPLAY=$DISPLAY import -window root shot.png)"

if [ -n "$testcad" ]; then
  rm -f "$ZR_BUILD/test-cad.log"
  zr_wine "$testcad" --progid BricscadApp.AcadApplication --log "$ZR_BUILD/test-cad.log" &
  # The palette looks for its CAD at start-up: wait (30 s at most) until the CAD has registered.
  for _ in $(seq 1 300); do
    grep -q '^Ready ' "$ZR_BUILD/test-cad.log" 2>/dev/null && break
    sleep 0.1
  done
fi
cd "$demo"
zr_wine ./ZovezaRuzu.exe
