#!/usr/bin/env bash
# Starts the window under Xvfb on a folder of sample texts and saves a screenshot of it
# (default: docs/screenshot.png). Installs Xvfb and ImageMagick when they are missing.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs/screenshot.png}")

missing=()
command -v xvfb-run >/dev/null || missing+=(xvfb xauth)
command -v import >/dev/null || missing+=(imagemagick)
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
./tools/setup.sh --test
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target lorvan >/dev/null

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp tests/samples/input/* "$folder"/
program=$PWD/build/lorvan
mkdir -p "$(dirname "$out")"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c "
  cd '$folder' && '$program' 2>/dev/null & pid=\$!
  sleep 4
  import -window root -crop 486x507+0+0 +repage '$out'
  kill \$pid"
echo "saved $out"
