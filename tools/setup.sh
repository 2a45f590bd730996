#!/usr/bin/env bash
# Installs the Debian 12 packages that Lorvan needs: to build and run it by default, with
# --test also what the tests, benchmarks and fuzz targets need, with --dictionary also what the
# dictionary builder reads. Safe to run again: it installs
# only what is missing, and does nothing when everything is there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libcli11-dev qt6-base-dev qt6-translations-l10n fonts-dejavu-core fonts-liberation2
)
if [ "${1:-}" = "--test" ]; then
  packages+=(python3 libgtest-dev googletest libbenchmark-dev clang libclang-rt-14-dev)
elif [ "${1:-}" = "--dictionary" ]; then
  # What tools/build_dictionary.py reads to build data/.
  packages+=(python3 apertium-hbs-eng lttoolbox-dev hunspell-hr hunspell-sr wamerican wbritish)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}" >&2
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "setup: need root or sudo to install ${missing[*]}" >&2; exit 1; }
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
