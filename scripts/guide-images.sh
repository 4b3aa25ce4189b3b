#!/usr/bin/env bash
# Copies the screenshots that the end-to-end tests took of the running palette into the user
# guide's images (docs/images/), so that the guide shows the palette as it is. Run it after
# `bash scripts/test.sh`.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
cd "$ZR_ROOT"
out=build/windows/test-output
mkdir -p docs/images
for name in palette-first-page insert-pointing options-context-menu options-about-box \
            target-cad-dialog search-results search-recent palette-dpi-144 \
            catalogue-check keyboard-focus; do
  if [ -f "$out/$name.png" ]; then
    cp "$out/$name.png" "docs/images/$name.png"
  elif [ -f "$out/$name.bmp" ]; then
    convert "$out/$name.bmp" "docs/images/$name.png"
  else
    echo "missing screenshot: $name (run scripts/test.sh first)" >&2
    exit 1
  fi
done
echo "docs/images/ updated"
