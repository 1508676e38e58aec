#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need, skipping those that
# are already there. Uses sudo when not run as root.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    qt6-base-dev qt6-webengine-dev libgl-dev
    libpng-dev libjpeg-dev zlib1g-dev
    fonts-noto-cjk
    xvfb xauth openbox xdotool imagemagick
    clang libclang-rt-14-dev
    appstream desktop-file-utils
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
