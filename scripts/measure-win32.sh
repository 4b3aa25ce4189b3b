#!/usr/bin/env bash
# Measures the Windows build under Wine and prints the figures (nothing is asserted):
# the median cost of one late-bound call into the test CAD in another process, and the
# palette's start-up time to its first page. Usage: scripts/measure-win32.sh [automation|start-up]
set -uo pipefail
source "$(dirname "$0")/lib/common.sh"
cd "$ZR_ROOT"

cmake --preset windows >/dev/null && cmake --build --preset windows --target zr_win32_measure || exit 1
source scripts/lib/wine-env.sh
trap zr_stop_display EXIT
zr_wine_prepare && zr_ensure_display || exit 1
zr_say "Windows measurements under Wine (DISPLAY=$DISPLAY)"
zr_wine build/windows/tests/e2e/zr_win32_measure.exe "${1:-all}"
