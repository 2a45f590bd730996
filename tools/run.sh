#!/usr/bin/env bash
# Installs what is missing, builds, and runs the translator's command-line program with the
# given arguments (see ./tools/run.sh --help). Without arguments it translates a short sample
# from standard input, to show what it does.
set -euo pipefail
cd "$(dirname "$0")/.."

./tools/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target lorvan-cli >/dev/null

if [ $# -eq 0 ]; then
  echo "Sample: ./tools/run.sh -C FOLDER translates every file of FOLDER into NAME_hr files." >&2
  printf 'Da li si video voz? Hleb je skup, a hiljadu dinara nije dovoljno.\n' |
    ./build/lorvan-cli --stdin | iconv -f cp1250 -t utf-8
  exit 0
fi
exec ./build/lorvan-cli "$@"
