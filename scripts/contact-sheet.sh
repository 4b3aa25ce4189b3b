#!/usr/bin/env bash
# Renders every drawing of a catalogue folder (BlockList.txt + DXF/) or of a folder of DXF
# files into one contact sheet with the palette's own renderer, under Wine, and writes a PNG.
#   scripts/contact-sheet.sh <folder> <out.png> [ContactSheet options: --cell N, --columns N,
#                            --scale A|B|C, --kiten, --rotate DEGREES]
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"

if [ $# -lt 2 ]; then
  echo "usage: $0 <folder> <out.png> [--cell N] [--columns N] [--scale A|B|C] [--kiten] [--rotate D]" >&2
  exit 2
fi
folder=$(cd "$1" && pwd)
out=$(realpath -m "$2")
shift 2

cd "$ZR_ROOT"
if [ ! -f build/windows/build.ninja ]; then cmake --preset windows >/dev/null; fi
cmake --build build/windows --target ContactSheet >/dev/null
exe="$ZR_ROOT/build/windows/tools/contact-sheet/ContactSheet.exe"

source scripts/lib/wine-env.sh
zr_wine_prepare
zr_ensure_display
trap zr_stop_display EXIT

bmp=$(mktemp --suffix=.bmp)
trap 'rm -f "$bmp"; zr_stop_display' EXIT
draw() { zr_wine "$exe" "$(zr_windows_path "$folder")" "$(zr_windows_path "$bmp")" "$@"; }
# The first Wine program after a Wine server stop has been seen to come back without doing
# anything; one more try, said aloud, before giving up.
if ! draw "$@" || [ ! -s "$bmp" ]; then
  echo "contact sheet: no picture on the first try, trying once more" >&2
  draw "$@"
fi
mkdir -p "$(dirname "$out")"
convert "$bmp" "$out"
echo "$out"
