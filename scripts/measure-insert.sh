#!/usr/bin/env bash
# Measures the time from a real click on a slot to the insertion command arriving in the test
# CAD, under Wine: `bash scripts/measure-insert.sh [clicks]` (default 30).
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
cd "$ZR_ROOT"
cmake --preset windows >/dev/null
cmake --build --preset windows --target zr_insert_latency
source scripts/lib/wine-env.sh
zr_wine_prepare
zr_ensure_display
trap zr_stop_display EXIT
zr_wine build/windows/tests/e2e/zr_insert_latency.exe "${1:-30}"
