#!/usr/bin/env bash
# Throughput and peak memory of a full statistics run (read, aggregate,
# write the pages) over synthetic log corpora of two sizes, side by side with
# `wc -l` over the same files in the same run, page cache warm.
#
#   bench/run.sh [BUILD_DIR]          (make bench calls it with the build folder)
#
# Environment: MCTF_BENCH_SIZES (MB, default "32 256"), MCTF_BENCH_DIR (where
# the corpora go, default $TMPDIR or /tmp), MCTF_BENCH_REPEAT (default 3; the
# best run counts).
set -euo pipefail

build="${1:-build}"
loggen="$build/bench/mctf_loggen"
analyze="$build/bench/mctf_analyze"
for tool in "$loggen" "$analyze"; do
  [[ -x "$tool" ]] || { echo "missing $tool: build with -DMCTF_BUILD_BENCH=ON" >&2; exit 1; }
done
sizes="${MCTF_BENCH_SIZES:-32 256}"
root="${MCTF_BENCH_DIR:-${TMPDIR:-/tmp}}"
repeat="${MCTF_BENCH_REPEAT:-3}"

now_ns() { date +%s%N; }
# Best wall time in seconds of REPEAT runs of a command (output discarded).
best_seconds() {
  local best="" start end took
  for ((i = 0; i < repeat; i++)); do
    start=$(now_ns); "$@" >/dev/null; end=$(now_ns)
    took=$((end - start))
    if [[ -z "$best" || $took -lt $best ]]; then best=$took; fi
  done
  awk -v ns="$best" 'BEGIN { printf "%.3f", ns / 1e9 }'
}

printf '%-8s %12s %10s %12s %10s %12s %8s %12s\n' \
  "corpus" "bytes" "wc -l s" "wc -l MB/s" "stats s" "stats MB/s" "ratio" "max RSS KiB"
for mb in $sizes; do
  corpus="$root/mctf-bench-corpus-$mb"
  if [[ ! -f "$corpus/.complete" ]]; then
    rm -rf "$corpus"
    "$loggen" "$corpus" "$mb" 8 >/dev/null
    touch "$corpus/.complete"
  fi
  files=("$corpus"/*.log)
  bytes=$(cat "${files[@]}" | wc -c)   # also warms the page cache
  wc_s=$(best_seconds wc -l "${files[@]}")
  stats_s=$(best_seconds "$analyze" "$corpus")
  rss=$("$analyze" "$corpus" | sed -n 's/.*max_rss_kib=\([0-9]*\).*/\1/p')
  awk -v mb="${mb}MB" -v bytes="$bytes" -v wc="$wc_s" -v st="$stats_s" -v rss="$rss" 'BEGIN {
    wcr = bytes / 1e6 / wc; str = bytes / 1e6 / st
    printf "%-8s %12d %10.3f %12.1f %10.3f %12.1f %8.3f %12d\n", mb, bytes, wc, wcr, st, str, str / wcr, rss
  }'
done
echo "(MB = 10^6 bytes; best of $repeat wall-clock runs; ratio = stats throughput / wc -l throughput)"

if [[ -x "$build/bench/mctf_bench" ]]; then
  echo
  "$build/bench/mctf_bench" --benchmark_min_time=1
fi
