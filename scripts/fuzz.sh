#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, address and undefined sanitizers) and runs the DXF
# reader's fuzzer for a bounded time: scripts/fuzz.sh [seconds] (default 60).
# Findings are written to build/fuzz/findings; the growing corpus is kept in build/fuzz/corpus;
# the fuzzer's own output goes to build/fuzz/fuzz.log (its end is shown when it finds something).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"

seconds="${1:-60}"
cd "$ZR_ROOT"
zr_say "Configuring and building the fuzz preset"
cmake --preset fuzz >/dev/null
cmake --build build/fuzz --target DxfReadFuzz

corpus="build/fuzz/corpus"
findings="build/fuzz/findings"
mkdir -p "$corpus" "$findings"
cp -n fuzz/seeds/* "$corpus"/ 2>/dev/null || true

zr_say "Fuzzing the DXF reader for ${seconds} s"
log="build/fuzz/fuzz.log"
status=0
build/fuzz/fuzz/DxfReadFuzz "$corpus" \
  -dict=fuzz/dxf.dict \
  -max_total_time="$seconds" \
  -rss_limit_mb=2048 \
  -timeout=10 \
  -max_len=65536 \
  -print_final_stats=1 \
  -artifact_prefix="$findings/" >"$log" 2>&1 || status=$?
grep -E '^(Done|stat::)' "$log" || true
if [ "$status" -ne 0 ]; then
  tail -n 60 "$log"
  echo "The fuzzer found a problem; the input is in $findings/" >&2
fi
exit "$status"
