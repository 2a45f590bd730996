#!/usr/bin/env bash
# Long fuzz run: tools/fuzz_long.sh TARGET RUNS [WORKERS]
# Builds the fuzz targets (as tools/fuzz.sh does) and runs TARGET (dictionary_loader,
# line_translation or encoding) for RUNS executions in all, shared by WORKERS processes
# (default: one per core), each with its own seed, on a corpus kept across runs in
# build-fuzz/long/TARGET/corpus (started from fuzz/corpus/TARGET). Each run adds a line to
# build-fuzz/long/TARGET/history.txt; the total over every run so far is printed at the end.
# An input that crashed the target is kept in build-fuzz/crashes/TARGET/; exits 1 then.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -lt 2 ]; then
  echo "usage: $0 TARGET RUNS [WORKERS]" >&2
  exit 2
fi
target=$1
runs=$2
workers=${3:-$(nproc)}
binary="build-fuzz/fuzz/${target}_fuzzer"

./tools/fuzz.sh --build
if [ ! -x "$binary" ]; then
  echo "no fuzz target named $target" >&2
  exit 2
fi

home="build-fuzz/long/$target"
crashes="build-fuzz/crashes/$target"
mkdir -p "$home/corpus" "$home/logs" "$crashes"
[ -n "$(ls -A "$home/corpus")" ] || cp fuzz/corpus/"$target"/* "$home/corpus"/
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

start=$(date +%s)
stamp=$(date -u +%Y%m%dT%H%M%SZ)
pids=()
for ((w = 1; w <= workers; ++w)); do
  log="$home/logs/$stamp-$w.log"
  "$binary" -max_len=512 -seed=$((start % 100000 * 10 + w)) -runs=$((runs / workers)) \
    -print_final_stats=1 -artifact_prefix="$crashes/" "$home/corpus" >"$log" 2>&1 &
  pids+=($!)
done
failed=0
for pid in "${pids[@]}"; do wait "$pid" || failed=1; done

# A worker that crashed prints no final statistics; its last status line gives its count.
executed=0
for ((w = 1; w <= workers; ++w)); do
  log="$home/logs/$stamp-$w.log"
  n=$(grep -oE 'stat::number_of_executed_units: [0-9]+' "$log" | grep -oE '[0-9]+$' || true)
  [ -n "$n" ] || n=$(grep -oE '^#[0-9]+' "$log" | tail -1 | tr -d '#' || true)
  executed=$((executed + ${n:-0}))
done
seconds=$(($(date +%s) - start))
echo "$stamp executions=$executed seconds=$seconds workers=$workers crashed=$failed" \
  >>"$home/history.txt"
total=$(awk '{ sub(/.*executions=/, ""); sum += $1 } END { print sum }' "$home/history.txt")
echo "fuzz_long: $target: $executed executions in $seconds s ($workers workers);" \
  "$total in all runs so far; $(ls "$home/corpus" | wc -l) files in its corpus"
if [ "$failed" -ne 0 ]; then
  echo "fuzz_long: $target CRASHED; input kept in $crashes/, output in $home/logs/$stamp-*.log" >&2
  exit 1
fi
