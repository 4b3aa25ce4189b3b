#!/usr/bin/env bash
# Whole-process first read of a generated drawing: the palette's reader against a bare
# line-splitting reader: median wall time of several runs (user and system time of that run,
# whose clock ticks are 10 ms) and peak memory.
#   scripts/bench-first-read.sh [megabytes (20)] [runs (7)]
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"

mb=${1:-20}
runs=${2:-7}
cd "$ZR_ROOT"
if [ ! -f build/native/build.ninja ]; then cmake --preset native >/dev/null; fi
cmake --build build/native --target DxfFirstRead >/dev/null
exe="$ZR_ROOT/build/native/bench/DxfFirstRead"

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
file="$dir/generated-${mb}mb.dxf"
"$exe" generate "$file" "$mb"
size=$(stat -c %s "$file")
cat "$file" >/dev/null  # in the page cache for every run alike

for mode in bare read; do
  for _ in $(seq "$runs"); do
    start=$EPOCHREALTIME
    /usr/bin/time -f '%U %S %M' -o "$dir/t" "$exe" "$mode" "$file" >/dev/null
    end=$EPOCHREALTIME
    echo "$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f", b - a }') $(cat "$dir/t")"
  done | sort -n | awk -v mode="$mode" -v size="$size" -v runs="$runs" '
    { wall[NR] = $1; user[NR] = $2; sys[NR] = $3; rss[NR] = $4 }
    END {
      m = int((runs + 1) / 2)
      printf "%-5s %6.1f MB file: median %4.0f ms (user %4.0f ms, system %4.0f ms), ", \
        mode, size / 1048576, wall[m] * 1000, user[m] * 1000, sys[m] * 1000
      printf "peak RSS %5.1f MB = %.2f x file\n", rss[m] / 1024, rss[m] * 1024 / size
    }'
done
