#!/usr/bin/env bash
# Installs every Debian 12 package the build, the tests and the demo need.
set -euo pipefail
PKGS=(
  cmake g++ make pkg-config
  libgtest-dev libgmock-dev
  qt6-base-dev qt6-base-dev-tools libqt6serialport6-dev libgl-dev libxkbcommon-dev
  libqcustomplot-dev
  clang-14 libclang-rt-14-dev
  xvfb xauth x11-utils imagemagick fonts-noto-cjk
  python3
  dpkg-dev file desktop-file-utils
)
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
