#!/usr/bin/env bash
# Throughput and peak memory of a full statistics run (read, aggregate,
# write the pages) over synthetic log corpora of two sizes, side by side with
# `wc -l` over the same files in the same run, page cache warm.
#
#   bench/run.sh [BUILD_DIR]          (make bench calls it with the build folder)
#
# Then the same run with the JSON document (--json) beside it, and the same
# run through the main window (its Players Stats off screen,
# the "Reading Data" window painting) against `mctfcli stats`, on the last
# (largest) corpus, with the ratio of the two times.
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

# The cost of the JSON document: mctfcli stats on the last corpus with and
# without --json (runs taking turns, so that a change of load hits both),
# best wall-clock and best processor time (user + system: less disturbed by
# whatever else runs on the machine), the share --json adds and the rate of
# the document over the time it adds (a corpus of many matches makes a
# document of tens of MB), and the document of full tables (4096 players,
# 4096 clans; mctf_bench) set against the run without it.
cli="$build/cli/mctfcli"
if [[ -x "$cli" ]]; then
  echo
  work="$(mktemp -d)"
  "$cli" settings reset --yes --config "$work/config.dmc" >/dev/null
  mkdir "$work/pages"
  run=("$cli" stats --quiet --config "$work/config.dmc" --logs "$corpus" --out "$work/pages")
  # "WALL CPU" in seconds of one run of the command.
  timed() {
    local TIMEFORMAT="%R %U %S" times
    times=$({ time "$@" >/dev/null; } 2>&1)
    awk '{ printf "%s %.3f\n", $1, $2 + $3 }' <<<"$times"
  }
  best() { awk -v a="$1" -v b="$2" 'BEGIN { print (b == "" || a < b) ? a : b }'; }
  plain_wall="" plain_cpu="" json_wall="" json_cpu=""
  for ((i = 0; i < repeat; i++)); do
    read -r wall cpu < <(timed "${run[@]}")
    plain_wall=$(best "$wall" "$plain_wall"); plain_cpu=$(best "$cpu" "$plain_cpu")
    read -r wall cpu < <(timed "${run[@]}" --json "$work/stats.json")
    json_wall=$(best "$wall" "$json_wall"); json_cpu=$(best "$cpu" "$json_cpu")
  done
  json_bytes=$(wc -c <"$work/stats.json")
  rm -rf "$work"
  full_ms=""
  if [[ -x "$build/bench/mctf_bench" ]]; then
    full_ms=$("$build/bench/mctf_bench" --benchmark_filter=BM_WriteFullJson \
      --benchmark_repetitions="$repeat" --benchmark_format=csv 2>/dev/null |
      awk -F, 'NR > 1 && $1 !~ /_(mean|median|stddev|cv)/ && (best == "" || $4 < best) { best = $4 }
               END { print best }')
  fi
  printf '%-8s %10s %10s %10s %10s %8s %12s %10s %12s %10s\n' "corpus" "wall s" "--json" \
    "cpu s" "--json" "added" "json bytes" "json MB/s" "full json ms" "full/cpu"
  awk -v mb="${mb}MB" -v pw="$plain_wall" -v jw="$json_wall" -v pc="$plain_cpu" \
    -v jc="$json_cpu" -v b="$json_bytes" -v f="$full_ms" 'BEGIN {
    rate = jc > pc ? sprintf("%.1f", b / 1e6 / (jc - pc)) : "-"
    printf "%-8s %10.3f %10.3f %10.3f %10.3f %7.1f%% %12d %10s %12s %10s\n", mb, pw, jw, pc, jc,
      (jc - pc) / pc * 100, b, rate,
      f == "" ? "-" : sprintf("%.1f", f), f == "" ? "-" : sprintf("%.1f%%", f / 1e3 / pc * 100)
  }'
  echo "(mctfcli stats without and with --json FILE, best of $repeat each; added: what --json adds"
  echo " to the processor time; json MB/s: the document's bytes over that added time, the"
  echo " recording of its matches included; full json: processor time to make and write the"
  echo " document of 4096 players and 4096 clans, best of $repeat; BM_WriteMatchesJson below: the"
  echo " document of 4000 matches made alone)"
fi

window="$build/bench/mctf_window_analyze"
if [[ -x "$window" && -x "$cli" ]]; then
  echo
  config="$(mktemp -d)"
  "$cli" settings reset --yes --config "$config/config.dmc" >/dev/null
  # The window's time runs from the button press to the end of the command;
  # mctfcli's is the whole process, start-up included.
  window_best=""
  for ((i = 0; i < repeat; i++)); do
    took=$("$window" "$corpus" | sed -n 's/^seconds=//p')
    window_best=$(awk -v a="$took" -v b="$window_best" 'BEGIN { print (b == "" || a < b) ? a : b }')
  done
  # Quiet like the window's run: no progress line on a terminal.
  cli_s=$(best_seconds "$cli" stats --config "$config/config.dmc" --logs "$corpus" 2>/dev/null)
  rm -rf "$config"
  matches=$(cat "${files[@]}" | grep -c 'InitGame:' || true)
  printf '%-8s %10s %12s %12s %8s\n' "corpus" "matches" "window s" "mctfcli s" "ratio"
  awk -v mb="${mb}MB" -v m="$matches" -v w="$window_best" -v c="$cli_s" \
    'BEGIN { printf "%-8s %10d %12.3f %12.3f %8.3f\n", mb, m, w, c, w / c }'
  echo "(window: Players Stats of the main window off screen; ratio = window s / mctfcli s)"
else
  echo "(no window comparison: $window or $cli not built)"
fi

if [[ -x "$build/bench/mctf_bench" ]]; then
  echo
  "$build/bench/mctf_bench" --benchmark_min_time=1
fi
