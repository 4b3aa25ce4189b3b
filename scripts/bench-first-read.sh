#!/usr/bin/env bash
# Whole-process first read of a generated drawing: the palette's reader against the bare
# baseline (the file read in one piece and split into pairs in memory), and against the floor
# (the baseline that also converts every real, as any reader producing the drawing's numbers
# must). The three run in interleaved rounds (each round runs each once, the order turning
# from round to round), so that a load on the machine weighs on all alike; the result is the
# ratio of their times to the baseline's (the median of the rounds' ratios, and the ratio of
# the best times), beside each one's median time and peak memory.
#   scripts/bench-first-read.sh [megabytes (20)] [rounds (9)]
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"

mb=${1:-20}
rounds=${2:-9}
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

# One run: "mode wall user system rss" on a line of $dir/runs.
run() {
  local start end
  start=$EPOCHREALTIME
  /usr/bin/time -f '%U %S %M' -o "$dir/t" "$exe" "$1" "$file" >/dev/null
  end=$EPOCHREALTIME
  echo "$1 $(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f", b - a }') $(cat "$dir/t")" \
    >>"$dir/runs"
}

modes=(bare reals read)
for round in $(seq "$rounds"); do
  for i in 0 1 2; do run "${modes[$(( (round + i) % 3 ))]}"; done
done

awk -v size="$size" -v rounds="$rounds" '
  function median(a, n,   i, j, t) {
    for (i = 2; i <= n; i++)
      for (j = i; j > 1 && a[j - 1] > a[j]; j--) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
    return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
  }
  {
    n[$1]++; wall[$1, n[$1]] = $2; cpu[$1, n[$1]] = $3 + $4; rss[$1, n[$1]] = $5
  }
  END {
    for (m in n) {
      for (i = 1; i <= n[m]; i++) { w[i] = wall[m, i]; c[i] = cpu[m, i]; r[i] = rss[m, i] }
      mw[m] = median(w, n[m]); mc[m] = median(c, n[m]); mr[m] = median(r, n[m])
      printf "%-5s %6.1f MB file: median wall %4.0f ms, user+system %4.0f ms, ", \
        m, size / 1048576, mw[m] * 1000, mc[m] * 1000
      printf "peak RSS %5.1f MB = %.2f x file\n", mr[m] / 1024, mr[m] * 1024 / size
    }
    # The best of each over the best of the baseline: the ratio of one round can be anything
    # when one of its runs was held up.
    for (m in n) {
      if (m == "bare") continue
      best = wall[m, 1]; bestBare = wall["bare", 1]
      for (i = 1; i <= rounds; i++) {
        q[i] = wall[m, i] / wall["bare", i]
        if (wall[m, i] < best) best = wall[m, i]
        if (wall["bare", i] < bestBare) bestBare = wall["bare", i]
      }
      printf "%-5s / bare, wall time over %d interleaved rounds: median %.2f, of the best %.2f\n", \
        m, rounds, median(q, rounds), best / bestBare
    }
  }' "$dir/runs"
