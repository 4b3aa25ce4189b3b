#!/usr/bin/env bash
# Copies the screenshots that the end-to-end tests took of the running palette into the user
# guide's images (docs/images/), so that the guide shows the palette as it is. Run it after
# `bash scripts/test.sh`.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
cd "$ZR_ROOT"
out=build/windows/test-output
mkdir -p docs/images
# The guide's own pictures are taken on the demo catalogue (guide-NAME); the dialogs' come from
# the tests that open them.
for name in guide-palette-first-page guide-insert-pointing guide-options-context-menu \
            guide-search-results guide-palette-dpi-144 guide-preview guide-favourites \
            guide-keyboard-focus target-cad-dialog catalogue-check; do
  target="docs/images/${name#guide-}.png"
  if [ -f "$out/$name.png" ]; then
    cp "$out/$name.png" "$target"
  elif [ -f "$out/$name.bmp" ]; then
    convert "$out/$name.bmp" "$target"
  else
    echo "missing screenshot: $name (run scripts/test.sh first)" >&2
    exit 1
  fi
done
echo "docs/images/ updated"
