#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
#
# SPDX-License-Identifier: BSD-3-Clause

# Installs the Debian packages the build, the tests and the demo host need,
# when any of them is missing. Needs root (or sudo) only when something is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ lld pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    clang libclang-rt-14-dev
    # DejaVu draws the Latin, Cyrillic and Arabic catalogues, Noto CJK the
    # Chinese and Japanese ones (translations/).
    fontconfig fonts-dejavu-core fonts-dejavu-extra fonts-liberation fonts-noto-cjk
    xvfb dbus dbus-x11 at-spi2-core python3-pyatspi gir1.2-atspi-2.0
    reuse abigail-tools man-db groff-base
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
