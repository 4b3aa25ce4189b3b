#!/usr/bin/env bash
# Times a whole page fill with the Windows drawing (fourteen generated symbols read, drawn with
# GDI into the slot pictures and blitted into their windows), under Wine:
#   bash scripts/measure-page-fill.sh [pages (200)] [kind (51)]
# kind: kilobytes per generated symbol; "nested" for symbols built of nested blocks (200 to
# 400 inserts each); or one pathological file in the first slot: "huge-array" (an insert of a
# 1,000 x 1,000 array), "self-direct", "self-through" (blocks that contain themselves),
# "doubling" (64 levels, each inserting the next twice).
set -uo pipefail
source "$(dirname "$0")/lib/wine-env.sh"
cd "$ZR_ROOT"
zr_run_wine_driver zr_page_fill "${1:-200}" "${2:-51}"
