#!/usr/bin/env bash
# Renders every drawing of a catalogue folder (BlockList.txt + DXF/), one section per category,
# or of a folder of DXF files into one contact sheet with the palette's own renderer, under
# Wine: the catalogue tool's sheet command, which writes the PNG itself.
#   scripts/contact-sheet.sh <folder> <out.png> [sheet options: --cell N, --columns N,
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
cmake --build build/windows --target ZrCatalogue >/dev/null
exe="$ZR_ROOT/build/windows/tools/catalogue/ZrCatalogue.exe"

source scripts/lib/wine-env.sh
zr_wine_prepare
zr_ensure_display
trap zr_stop_display EXIT

mkdir -p "$(dirname "$out")"
rm -f "$out"
draw() { zr_wine "$exe" sheet "$(zr_windows_path "$folder")" "$(zr_windows_path "$out")" "$@"; }
# The first Wine program after a Wine server stop has been seen to come back without doing
# anything; one more try, said aloud, before giving up.
if ! draw "$@" || [ ! -s "$out" ]; then
  echo "contact sheet: no picture on the first try, trying once more" >&2
  draw "$@"
fi
[ -s "$out" ]
echo "$out"
