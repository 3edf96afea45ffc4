#!/usr/bin/env bash
# Runs every fuzz target in a directory for a bounded time, each on its own seed corpus
# in fuzz/corpus/<name> when there is one, as many at once as there are cores (each target
# is one process on one core). Fails when any target finds a crash, leak or time-out.
#   scripts/run_fuzzers.sh BINDIR [SECONDS]
set -euo pipefail
bindir=$1
seconds=${2:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
parallel=$(nproc 2>/dev/null || echo 2)

# One target; its report is printed in one piece when it ends, so reports of targets that
# run side by side do not interleave.
fuzz_one() {
  local target=$1 name work seeds=()
  name=$(basename "$target")
  work=$(mktemp -d)
  [ -d "$root/fuzz/corpus/$name" ] && seeds=("$root/fuzz/corpus/$name")
  if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$work/" "$work" "${seeds[@]}" >"$work/log" 2>&1; then
    { echo "== $name (${seconds}s)"; tail -n 40 "$work/log"
      echo "FAILED: $name (artifacts in $work)"; } >"$work/report"
    cat "$work/report"
    touch "$failures/$name"
    return 0
  fi
  { echo "== $name (${seconds}s)"
    grep -E '^Done|stat::number_of_executed_units' "$work/log" | tail -n 1 || true; } >"$work/report"
  cat "$work/report"
  rm -rf "$work"
}

failures=$(mktemp -d)
trap 'rm -rf "$failures"' EXIT
for target in "$bindir"/fuzz_*; do
  [ -x "$target" ] || continue
  while [ "$(jobs -rp | wc -l)" -ge "$parallel" ]; do
    wait -n || true
  done
  fuzz_one "$target" &
done
wait
if [ -n "$(ls -A "$failures")" ]; then
  echo "Fuzz targets that failed: $(ls "$failures" | tr '\n' ' ')"
  exit 1
fi
