#!/usr/bin/env bash
# Runs every built fuzz target within one fixed total time, however many
# targets there are: FUZZ_SECONDS (default 360) of wall time, with FUZZ_JOBS
# targets (default: every core) running side by side, so each target gets
# FUZZ_SECONDS x FUZZ_JOBS / (number of targets) seconds. Each target starts
# from the files of its "corpus" folder and writes what it finds into a
# temporary folder. A crash or sanitizer finding fails the run.
set -euo pipefail
build=${1:-build-fuzz}
total=${FUZZ_SECONDS:-360}
jobs=${FUZZ_JOBS:-$(nproc)}
here=$(cd "$(dirname "$0")" && pwd)
shopt -s nullglob
targets=("$build"/fuzzers/*)
count=${#targets[@]}
[ "$count" -gt 0 ] || exit 0
[ "$jobs" -le "$count" ] || jobs=$count
each=$(( total * jobs / count ))
[ "$each" -ge 1 ] || each=1
echo "fuzzing $count targets, $jobs at a time, ${each}s each"

fuzz_one() {
  local exe name base work status=0
  exe=$(realpath "$1")
  name=$(basename "$exe")
  base=${name%_fuzz}
  work=$(mktemp -d)
  mkdir "$work/found"
  local seeds=()
  [ -d "$here/$base/corpus" ] && seeds=("$here/$base/corpus")
  (cd "$work" && "$exe" -max_total_time="$each" -max_len=65536 -print_final_stats=0 \
    "$work/found" "${seeds[@]}" >"$work/log" 2>&1) || status=$?
  if [ "$status" -ne 0 ]; then
    echo "fuzz target $name failed:"
    cat "$work/log"
  else
    echo "$name: $(tail -n 1 "$work/log")"
  fi
  rm -rf "$work"
  return "$status"
}

failed=0
running=0
for exe in "${targets[@]}"; do
  fuzz_one "$exe" &
  running=$((running + 1))
  if [ "$running" -ge "$jobs" ]; then
    wait -n || failed=1
    running=$((running - 1))
  fi
done
while [ "$running" -gt 0 ]; do
  wait -n || failed=1
  running=$((running - 1))
done
exit "$failed"
