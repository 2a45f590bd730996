#!/usr/bin/env bash
# Installs what is missing, builds, and starts the translator's window. With --cli, runs the
# command-line program with the arguments that follow instead (see ./tools/run.sh --cli --help).
set -euo pipefail
cd "$(dirname "$0")/.."

./tools/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

if [ "${1:-}" = "--cli" ]; then
  shift
  cmake --build build -j "$(nproc)" --target lorvan-cli >/dev/null
  exec ./build/lorvan-cli "$@"
fi

cmake --build build -j "$(nproc)" --target lorvan >/dev/null
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run: no display to open the window on; ./tools/run.sh --cli --help shows the" \
    "command-line program" >&2
  exit 1
fi
exec ./build/lorvan "$@"
