#!/usr/bin/env bash
# Measures the Windows build under Wine and prints the figures (nothing is asserted):
# the median cost of one late-bound call into the test CAD in another process, and the
# palette's start-up time to its first page. Usage: scripts/measure-win32.sh [automation|start-up]
set -uo pipefail
source "$(dirname "$0")/lib/wine-env.sh"
cd "$ZR_ROOT"
zr_run_wine_driver zr_win32_measure "${1:-all}"
