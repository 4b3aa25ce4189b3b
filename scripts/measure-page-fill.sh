#!/usr/bin/env bash
# Times a whole page fill with the Windows drawing (fourteen generated symbols read, drawn with
# GDI into the slot pictures and blitted into their windows), under Wine:
#   bash scripts/measure-page-fill.sh [pages (200)] [kilobytes per symbol (51)]
set -uo pipefail
source "$(dirname "$0")/lib/wine-env.sh"
cd "$ZR_ROOT"
zr_run_wine_driver zr_page_fill "${1:-200}" "${2:-51}"
