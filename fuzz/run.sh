#!/usr/bin/env bash
# Runs every built fuzz target for a bounded time (FUZZ_SECONDS, default 60).
# A crash or sanitizer finding fails the run.
set -euo pipefail
build=${1:-build-fuzz}
seconds=${FUZZ_SECONDS:-60}
here=$(cd "$(dirname "$0")" && pwd)
shopt -s nullglob
for exe in "$build"/fuzzers/*; do
  name=$(basename "$exe")
  work=$(mktemp -d)
  seeds=()
  base=${name%_fuzz}
  [ -d "$here/$base/corpus" ] && seeds=("$here/$base/corpus")
  echo "fuzzing $name for ${seconds}s"
  exe=$(realpath "$exe")
  (cd "$work" && "$exe" -max_total_time="$seconds" -max_len=65536 -print_final_stats=0 "$work" "${seeds[@]}" >"$work/log" 2>&1) || {
    cat "$work/log"; rm -rf "$work"; exit 1; }
  tail -n 2 "$work/log"
  rm -rf "$work"
done
