#!/usr/bin/env bash
# Measures the time from a real click on a slot to the insertion command arriving in the test
# CAD, under Wine: `bash scripts/measure-insert.sh [clicks]` (default 30).
set -uo pipefail
source "$(dirname "$0")/lib/wine-env.sh"
cd "$ZR_ROOT"
zr_run_wine_driver zr_insert_latency "${1:-30}"
