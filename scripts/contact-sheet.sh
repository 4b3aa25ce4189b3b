#!/usr/bin/env bash
# Renders every drawing of a catalogue folder (BlockList.txt + DXF/), one section per category,
# or of a folder of DXF files into one contact sheet with the palette's own renderer, under
# Wine: the catalogue tool's sheet command, which writes the PNG itself.
#   scripts/contact-sheet.sh <folder> <out.png> [sheet options: --cell N, --columns N,
#                            --scale A|B|C, --kiten, --rotate DEGREES,
#                            --each FOLDER: also one PNG per drawing, named after its file]
set -euo pipefail
source "$(dirname "$0")/lib/wine-env.sh"

if [ $# -lt 2 ]; then
  echo "usage: $0 <folder> <out.png> [--cell N] [--columns N] [--scale A|B|C] [--kiten]" \
    "[--rotate D] [--each DIR]" >&2
  exit 2
fi
folder=$(cd "$1" && pwd)
out=$(realpath -m "$2")
shift 2
# Folder arguments reach the Windows program as Windows paths.
args=()
while [ $# -gt 0 ]; do
  if [ "$1" = --each ] && [ $# -gt 1 ]; then
    mkdir -p "$2"
    args+=(--each "$(zr_windows_path "$2")")
    shift 2
  else
    args+=("$1")
    shift
  fi
done

cd "$ZR_ROOT"
if [ ! -f build/windows/build.ninja ]; then cmake --preset windows >/dev/null; fi
cmake --build build/windows --target ZrCatalogue >/dev/null
exe="$ZR_ROOT/build/windows/tools/catalogue/ZrCatalogue.exe"

zr_wine_prepare
zr_ensure_display
trap zr_stop_display EXIT

mkdir -p "$(dirname "$out")"
rm -f "$out"
draw() { zr_wine "$exe" sheet "$(zr_windows_path "$folder")" "$(zr_windows_path "$out")" "$@"; }
# The first Wine program after a Wine server stop has been seen to come back without doing
# anything; one more try, said aloud, before giving up.
if ! draw "${args[@]}" || [ ! -s "$out" ]; then
  echo "contact sheet: no picture on the first try, trying once more" >&2
  draw "${args[@]}"
fi
[ -s "$out" ]
echo "$out"
