#!/usr/bin/env bash
# Runs every fuzz target in a directory for a bounded time, each on its own seed corpus
# in fuzz/corpus/<name> when there is one. Fails on the first crash, leak or time-out.
set -euo pipefail
bindir=$1
seconds=${2:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
status=0
for target in "$bindir"/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  work=$(mktemp -d)
  seeds=()
  [ -d "$root/fuzz/corpus/$name" ] && seeds=("$root/fuzz/corpus/$name")
  echo "== $name (${seconds}s)"
  if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$work/" "$work" "${seeds[@]}" >"$work/log" 2>&1; then
    tail -n 40 "$work/log"
    echo "FAILED: $name (artifacts in $work)"
    status=1
  else
    grep -E '^Done|stat::number_of_executed_units' "$work/log" | tail -n 1 || true
    rm -rf "$work"
  fi
done
exit $status
