#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in a normal build, once under
# AddressSanitizer and UndefinedBehaviorSanitizer; then each fuzz target for 20 seconds. It also
# builds and installs the programs the way the README does (Release, with and without the
# window), so that the documented install cannot break unnoticed. These are the project's own
# check builds: a compiler warning fails them.
set -euo pipefail
cd "$(dirname "$0")/.."

./tools/setup.sh --test
jobs=$(nproc)

# The shipped dictionaries and the tools that build and check them.
python3 tools/check_dictionary.py data >/dev/null
python3 -m unittest discover -s tools/tests

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLORVAN_WERROR=ON >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

if [ "${LORVAN_SKIP_SANITIZE:-0}" != 1 ]; then
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DLORVAN_SANITIZE=ON -DLORVAN_WERROR=ON \
    >/dev/null
  cmake --build build-asan -j "$jobs"
  ctest --test-dir build-asan --output-on-failure -j "$jobs"
fi

# The README's install, with the window and without it: each installs into a scratch prefix,
# and the installed command line translates with the installed dictionaries.
install_check() {
  local build=$1 programs=$2
  shift 2
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF "$@" >/dev/null
  cmake --build "$build" -j "$jobs"
  local prefix
  prefix=$(mktemp -d)
  cmake --install "$build" --prefix "$prefix" >/dev/null
  local program out
  for program in $programs; do
    [ -x "$prefix/bin/$program" ] || { echo "install check ($build): no bin/$program" >&2; return 1; }
  done
  out=$(printf 'hleb\n' | "$prefix/bin/lorvan-cli" --stdin)
  rm -rf "$prefix"
  [ "$out" = kruh ] || { echo "install check ($build): lorvan-cli gave '$out'" >&2; return 1; }
}
install_check build-install "lorvan lorvan-cli" -DLORVAN_GUI=ON -DLORVAN_WERROR=ON
install_check build-install-cli lorvan-cli -DLORVAN_GUI=OFF -DLORVAN_WERROR=ON

if [ "${LORVAN_SKIP_FUZZ:-0}" != 1 ]; then
  ./tools/fuzz.sh 20
fi
echo "all tests passed"
