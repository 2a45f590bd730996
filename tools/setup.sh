#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing Lorvan needs. Safe to run again:
# it installs only what is missing, and does nothing when everything is there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config python3
  libgtest-dev googletest libbenchmark-dev libcli11-dev
  qt6-base-dev fonts-dejavu-core fonts-liberation2
  clang libclang-rt-14-dev
)

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
