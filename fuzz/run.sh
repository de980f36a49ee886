#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for the given number of seconds,
# starting from the seeds in fuzz/corpus/<target>/. Fails on the first finding.
set -euo pipefail
build="$(cd "${1:?usage: fuzz/run.sh BUILD-DIR [SECONDS]}" && pwd)"
seconds="${2:-60}"
here="$(cd "$(dirname "$0")" && pwd)"
# The targets write files on every run (the settings save even syncs them to
# disk): a memory-backed folder keeps that from being the bottleneck.
if [[ -d /dev/shm && -w /dev/shm ]]; then
  work="$(mktemp -d /dev/shm/mctf-fuzz.XXXXXX)"
else
  work="$(mktemp -d)"
fi
trap 'rm -rf "$work"' EXIT

status=0
for target in "$build"/fuzz/fuzz_*; do
  [[ -x "$target" && -f "$target" ]] || continue
  name="$(basename "$target")"
  mkdir -p "$work/$name"
  seeds="$here/corpus/$name"
  [[ -d "$seeds" ]] && cp -r "$seeds"/. "$work/$name"/
  echo "== $name (${seconds}s)"
  # Each run in its own folder: some targets write files into the current one.
  mkdir -p "$work/run-$name"
  if ! (cd "$work/run-$name" && TMPDIR="$work/run-$name" "$target" -max_total_time="$seconds" -timeout=10 \
          -rss_limit_mb=2048 -print_final_stats=1 "$work/$name" 2>"$work/$name.log"); then
    echo "FINDING in $name:"; tail -60 "$work/$name.log"
    status=1
  else
    grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+ +DONE)' "$work/$name.log" | tr '\n' ' '
    echo
  fi
done
exit $status
