#!/usr/bin/env bash
# Installs the Debian 12 packages Ombrelune needs to build, test and benchmark.
# Idempotent and quiet when everything is present; runs apt-get update only when
# something is missing; uses sudo when not root.
set -euo pipefail

packages=(
  g++ make cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
  liblapack-dev libblas-dev
  libhdf5-dev python3-h5py
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth desktop-file-utils appstream
)
if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang-14 libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "install-deps: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
