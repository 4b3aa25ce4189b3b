#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, address and undefined sanitizers) and runs each for a
# bounded time: scripts/fuzz.sh [seconds] [list seconds] (defaults 60 and 30): the DXF reader
# for the first, the catalogue's list parsing for the second.
# Findings are written to build/fuzz/findings; the growing corpora are kept in build/fuzz/corpus
# and build/fuzz/corpus-catalogue; each fuzzer's output goes to build/fuzz/<name>.log (its end is
# shown when it finds something).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"

seconds="${1:-60}"
list_seconds="${2:-30}"
cd "$ZR_ROOT"
zr_say "Configuring and building the fuzz preset"
cmake --preset fuzz >/dev/null
cmake --build build/fuzz --target DxfReadFuzz CatalogueListFuzz

findings="build/fuzz/findings"
mkdir -p "$findings"

# run_fuzzer NAME CORPUS SEEDS DICT SECONDS MAX_LEN
run_fuzzer() {
  local name="$1" corpus="$2" seeds="$3" dict="$4" time="$5" max_len="$6"
  mkdir -p "$corpus"
  cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
  local log="build/fuzz/$name.log" status=0
  build/fuzz/fuzz/"$name" "$corpus" \
    -dict="$dict" \
    -max_total_time="$time" \
    -rss_limit_mb=2048 \
    -timeout=10 \
    -max_len="$max_len" \
    -print_final_stats=1 \
    -artifact_prefix="$findings/$name-" >"$log" 2>&1 || status=$?
  grep -E '^(Done|stat::)' "$log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 60 "$log"
    echo "$name found a problem; the input is in $findings/" >&2
  fi
  return "$status"
}

status=0
zr_say "Fuzzing the DXF reader for ${seconds} s"
run_fuzzer DxfReadFuzz build/fuzz/corpus fuzz/seeds fuzz/dxf.dict "$seconds" 65536 || status=1
zr_say "Fuzzing the catalogue's list parsing for ${list_seconds} s"
run_fuzzer CatalogueListFuzz build/fuzz/corpus-catalogue fuzz/seeds-catalogue fuzz/catalogue.dict \
  "$list_seconds" 262144 || status=1
exit "$status"
