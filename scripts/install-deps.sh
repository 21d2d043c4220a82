#!/usr/bin/env bash
# Installs every Debian package Vellmoor needs to build, run and test.
# Idempotent: when everything is present it only asks dpkg and returns.
set -euo pipefail

packages=(
  # build and run
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libsdl2-image-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri
  libopenal-dev libvorbis-dev libavformat-dev libavcodec-dev libswscale-dev libavutil-dev
  libgtk-3-dev libfreetype-dev fonts-dejavu-core nlohmann-json3-dev zlib1g-dev
  # tests, benchmarks and fuzzing
  libgtest-dev libgmock-dev libbenchmark-dev libx11-dev xvfb xauth clang libclang-rt-14-dev
  # the installed tree's checks and the Debian package
  desktop-file-utils appstream dpkg-dev file
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if [[ ${#missing[@]} -eq 0 ]]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
