#!/usr/bin/env bash
# Draws the program icon (a dark palette of four slots, one holding a lamp symbol, one a
# socket) with ImageMagick and writes ZovezaRuzu.ico beside this script in four sizes.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
convert -size 256x256 xc:none \
  -fill '#202020' -stroke '#5a5a5a' -strokewidth 8 -draw 'roundrectangle 8,8 247,247 36,36' \
  -fill '#111111' -stroke '#6e6e6e' -strokewidth 4 \
  -draw 'rectangle 36,36 122,122' -draw 'rectangle 134,36 220,122' \
  -draw 'rectangle 36,134 122,220' -draw 'rectangle 134,134 220,220' \
  -fill none -stroke '#ffd24a' -strokewidth 7 \
  -draw 'circle 79,79 79,52' -draw 'line 60,60 98,98' -draw 'line 98,60 60,98' \
  -stroke '#6eaaff' -strokewidth 7 \
  -draw 'circle 177,177 177,152' -draw 'line 167,165 167,189' -draw 'line 187,165 187,189' \
  -stroke '#ff6060' -strokewidth 7 -draw 'line 150,79 204,79' -draw 'line 177,52 177,106' \
  "$tmp/icon-256.png"
for size in 48 32 16; do
  convert "$tmp/icon-256.png" -resize "${size}x${size}" "$tmp/icon-$size.png"
done
convert "$tmp/icon-16.png" "$tmp/icon-32.png" "$tmp/icon-48.png" "$tmp/icon-256.png" ZovezaRuzu.ico
