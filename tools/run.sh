#!/usr/bin/env bash
# Installs what running needs, builds the programs as the README installs them (Release, in
# build-release/), and starts the translator's window on the folder this was started from, or
# on the home folder when started from inside the source tree. With --cli, runs the
# command-line program with the arguments that follow instead (./tools/run.sh --cli --help).
set -euo pipefail
caller=$PWD
cd "$(dirname "$0")/.."
source=$PWD

target=lorvan
if [ "${1:-}" = "--cli" ]; then
  shift
  target=lorvan-cli
elif [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run: no display to open the window on; ./tools/run.sh --cli --help shows the" \
    "command-line program" >&2
  exit 1
fi

./tools/setup.sh
if [ ! -x "build-release/$target" ]; then
  echo "run: building $target in build-release/; this takes a few minutes the first time" >&2
fi
# The build's progress goes to standard error, so that --cli --stdin output stays clean.
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >&2
cmake --build build-release -j "$(nproc)" --target "$target" >&2

program=$source/build-release/$target
if [ "$target" = lorvan ]; then
  case "$caller/" in
    "$source"/*) cd "$HOME" ;;
    *) cd "$caller" ;;
  esac
else
  cd "$caller"
fi
exec "$program" "$@"
