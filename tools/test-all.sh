#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in a normal build, once under
# AddressSanitizer and UndefinedBehaviorSanitizer; then each fuzz target for 20 seconds.
set -euo pipefail
cd "$(dirname "$0")/.."

./tools/setup.sh
jobs=$(nproc)

# The shipped dictionaries and the tools that build and check them.
python3 tools/check_dictionary.py data >/dev/null
python3 -m unittest discover -s tools/tests

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

if [ "${LORVAN_SKIP_SANITIZE:-0}" != 1 ]; then
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DLORVAN_SANITIZE=ON >/dev/null
  cmake --build build-asan -j "$jobs"
  ctest --test-dir build-asan --output-on-failure -j "$jobs"
fi

if [ "${LORVAN_SKIP_FUZZ:-0}" != 1 ]; then
  ./tools/fuzz.sh 20
fi
echo "all tests passed"
