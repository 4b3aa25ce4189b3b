#!/usr/bin/env bash
# Builds everything from scratch and runs every test: native unit tests, the Windows build's
# tests and the end-to-end tests under Wine, a bounded fuzzing run, and the contact sheets.
# Screenshots and contact sheets end up in build/windows/test-output/.
#
# Stress mode: `bash scripts/test.sh --stress N` (or ZR_STRESS=N) builds the Windows side and
# runs its whole suite (the Windows and end-to-end tests included) N times in a row, with two
# busy-loop processes keeping both cores busy and a second Wine session starting and closing
# the palette on its own display beside it; it stops at the first failing run.
set -uo pipefail
source "$(dirname "$0")/lib/common.sh"
cd "$ZR_ROOT"

stress_runs="${ZR_STRESS:-0}"
if [ "${1:-}" = "--stress" ]; then stress_runs="${2:-5}"; fi
case "$stress_runs" in ''|*[!0-9]*) echo "--stress needs a number of runs" >&2; exit 2 ;; esac

bash scripts/setup.sh || exit 1
source scripts/lib/wine-env.sh
trap zr_stop_display EXIT

failures=0
passed_total=0
failed_total=0
# Runs ctest and adds its counts to the totals.
run_ctest() {
  local log
  log=$(mktemp)
  ctest "$@" --output-on-failure 2>&1 | tee "$log"
  local summary
  summary=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
  if [ -z "$summary" ]; then failures=$((failures + 1)); rm -f "$log"; return; fi
  local failed total
  failed=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$summary")
  total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$summary")
  passed_total=$((passed_total + total - failed))
  failed_total=$((failed_total + failed))
  [ "$failed" -eq 0 ] || failures=$((failures + 1))
  rm -f "$log"
}
# Runs one command that counts as one check in the totals.
check() {
  if "$@"; then
    passed_total=$((passed_total + 1))
  else
    failures=$((failures + 1)); failed_total=$((failed_total + 1))
  fi
}

# Each phase's time, shown in the summary (CI should stay within about ten minutes).
phase_times=()
phase_name=""
phase_start=$SECONDS
phase() {
  if [ -n "$phase_name" ]; then phase_times+=("$phase_name: $((SECONDS - phase_start)) s"); fi
  phase_name="$1"
  phase_start=$SECONDS
  [ -z "$1" ] || zr_say "$1"
}

busy_pids=()
stop_busy() {
  local pid
  for pid in "${busy_pids[@]}"; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; done
  busy_pids=()
}

# A second Wine session beside the suite, as another user's GUI tests on the same machine: its
# own prefix and its own display, the palette started on the demo catalogue and closed again
# over and over. Stopped with the busy loops (its prefix's server and its display with it).
start_second_session() {
  (
    export WINEPREFIX="$ZR_BUILD/wineprefix-second"
    unset DISPLAY
    unset ZR_XVFB_PID
    trap 'exit 0' TERM
    trap 'wineserver -k 2>/dev/null; zr_stop_display' EXIT
    zr_wine_prepare >/dev/null && zr_ensure_display || exit 1
    local demo="$ZR_BUILD/demo-second" palette
    rm -rf "$demo" && mkdir -p "$demo" && cp -r data/demo/. "$demo/" &&
      cp build/windows/src/win32/ZovezaRuzu.exe "$demo/" && cd "$demo" || exit 1
    while :; do
      zr_wine ./ZovezaRuzu.exe >/dev/null 2>&1 &
      palette=$!
      sleep 3
      # taskkill without /f asks the windows to close; what does not close is ended.
      zr_wine taskkill /im ZovezaRuzu.exe >/dev/null 2>&1
      sleep 2
      kill "$palette" 2>/dev/null
      wait "$palette" 2>/dev/null
    done
  ) &
  busy_pids+=($!)
}

# The Windows suite N times beside two busy loops and a second Wine session.
if [ "$stress_runs" -gt 0 ]; then
  trap 'stop_busy; zr_stop_display' EXIT
  zr_say "Windows build (MinGW-w64)"
  cmake --preset windows >/dev/null && cmake --build --preset windows || exit 1
  zr_wine_prepare && zr_ensure_display || exit 1
  for _ in 1 2; do
    ( while :; do :; done ) &
    busy_pids+=($!)
  done
  start_second_session
  zr_say "Stress: the Windows suite $stress_runs times beside two busy loops and a second" \
    "Wine session (pids ${busy_pids[*]})"
  for run in $(seq 1 "$stress_runs"); do
    zr_say "Stress run $run of $stress_runs"
    before_failures=$failures
    run_ctest --preset windows
    if [ "$failures" -ne "$before_failures" ]; then
      echo "stress: run $run failed"
      exit 1
    fi
  done
  stop_busy
  echo "stress: $stress_runs runs passed in a row (tests: ${passed_total} passed)"
  exit 0
fi

phase "Native build"
cmake --preset native >/dev/null && cmake --build --preset native || exit 1
phase "Native tests"
run_ctest --preset native

phase "Windows build (MinGW-w64)"
cmake --preset windows >/dev/null && cmake --build --preset windows || exit 1
zr_wine_prepare && zr_ensure_display || exit 1
phase "Windows and end-to-end tests under Wine (DISPLAY=$DISPLAY)"
run_ctest --preset windows
# The display-scale test once more with the system itself at 150 % (the prefix's LogPixels):
# the palette starts scaled, not only rescaled.
phase "Display scale: the palette started at 144 dpi"
zr_wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
wineserver -k 2>/dev/null; wineserver -w
dpi_tests() { (cd build/windows && zr_wine tests/e2e/zr_e2e_tests.exe --gtest_filter='DpiE2e.*'); }
check dpi_tests
zr_wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1
wineserver -k 2>/dev/null; wineserver -w

# Screenshots are written as BMP by the tests; keep PNG copies for people to look at.
for bmp in build/windows/test-output/*.bmp; do
  [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done

if [ -x scripts/contact-sheet.sh ]; then
  phase "Contact sheets"
  # Each sheet counts as a check, so that a failed one shows in the summary's count.
  sheet() { check scripts/contact-sheet.sh "$1" "build/windows/test-output/$2"; }
  sheet data/demo contact-sheet-demo.png
  if [ -d ../shared/dxf-corpus ]; then sheet ../shared/dxf-corpus contact-sheet-corpus.png; fi
fi

if [ -x scripts/fuzz.sh ]; then
  phase "Fuzzing the DXF reader and the catalogue lists (bounded)"
  check scripts/fuzz.sh "${ZR_FUZZ_SECONDS:-45}" "${ZR_LIST_FUZZ_SECONDS:-20}"
fi

phase "Release zip, started from a fresh prefix"
check bash scripts/package.sh --check

phase ""
zr_say "Summary"
printf '  %s\n' "${phase_times[@]}"
echo "  total: ${SECONDS} s"
echo "Screenshots and contact sheets: build/windows/test-output/"
echo "tests: ${passed_total} passed, ${failed_total} failed"
[ "$failures" -eq 0 ]
