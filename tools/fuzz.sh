#!/usr/bin/env bash
# Installs what is missing, builds the libFuzzer targets with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer (in build-fuzz/), and runs each target for SECONDS (default 20)
# on a copy of its seed corpus in fuzz/corpus/. Exits non-zero when a target crashed; the
# input that crashed it is kept in build-fuzz/crashes/TARGET/ and the run's output in
# build-fuzz/logs/TARGET.log. With --build it only builds the targets.
set -euo pipefail
cd "$(dirname "$0")/.."

./tools/setup.sh --test
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLORVAN_FUZZ=ON -DLORVAN_SANITIZE=ON -DLORVAN_GUI=OFF -DLORVAN_BENCH=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target lorvan_fuzzers >/dev/null
[ "${1:-}" = --build ] && exit 0

seconds=${1:-20}
targets=(dictionary_loader line_translation encoding)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

failed=()
for target in "${targets[@]}"; do
  corpus="$work/$target"
  crashes="build-fuzz/crashes/$target"
  log="build-fuzz/logs/$target.log"
  mkdir -p "$corpus" "$crashes" "$(dirname "$log")"
  cp fuzz/corpus/"$target"/* "$corpus"/
  # One worker: the run owns one core; the committed corpus is never written to.
  if "build-fuzz/fuzz/${target}_fuzzer" -max_len=512 -max_total_time="$seconds" \
      -artifact_prefix="$crashes/" "$corpus" >"$log" 2>&1; then
    echo "fuzz: $target: $(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -1)"
  else
    echo "fuzz: $target CRASHED; input kept in $crashes/, output in $log:" >&2
    grep -A 12 -E '==ERROR|runtime error|differ|check failed' "$log" | head -40 >&2 || true
    failed+=("$target")
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz: crashed: ${failed[*]}" >&2
  exit 1
fi
