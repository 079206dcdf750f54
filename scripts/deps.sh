#!/usr/bin/env bash
# Installs the Debian packages the suite builds and tests with, when any is missing.
set -euo pipefail
packages=(cmake ninja-build g++ clang libclang-rt-14-dev ccache qt6-base-dev libgl-dev libglu1-mesa-dev libpng-dev
          libgtest-dev libgmock-dev libbenchmark-dev libeigen3-dev xvfb xauth
          libx11-dev libxtst6 openbox libreoffice-writer-nogui ffmpeg)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y "${missing[@]}"
fi
